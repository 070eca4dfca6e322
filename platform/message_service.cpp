#include "platform/message_service.h"

#include "platform/qt_message_service.h"

namespace meru::platform {

namespace {
MessageService* installed = nullptr;
}

MessageService& messages() {
    if (installed) return *installed;
    static QtMessageService boxes;
    return boxes;
}

void setMessageService(MessageService* service) { installed = service; }

MessageServiceOverride::MessageServiceOverride(MessageService& service) : previous_(installed) {
    installed = &service;
}

MessageServiceOverride::~MessageServiceOverride() { installed = previous_; }

QString withLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

}  // namespace meru::platform
