#include "platform/guarded.h"

#include "platform/message_service.h"

#include <QString>
#include <exception>

namespace meru::platform {

void reportException() noexcept {
    if (!std::current_exception()) return;
    try {
        QString message;
        try {
            throw;
        } catch (const std::exception& e) {
            message = QString::fromUtf8(e.what());
        } catch (...) {
            message = QStringLiteral("Erro desconhecido.");
        }
        messages().error(message);
    } catch (...) {
        // The error box itself failed; there is nobody left to tell.
    }
}

}  // namespace meru::platform
