#pragma once
// Every modal box the operator sees goes through this service: the program uses
// the QMessageBox implementation, tests a scripted one.
//
// Texts use "\r" as their line break. Only Yes, or OK where offered, goes on;
// a question box closed without an answer counts as No (Cancel for OK/Cancel).

#include <QString>

namespace meru::platform {

enum class Answer { Yes, No, Ok, Cancel, None };

class MessageService {
public:
    virtual ~MessageService() = default;

    virtual void inform(const QString& text) = 0;             // plain box, no icon, OK
    virtual Answer confirmYesNo(const QString& text) = 0;     // question icon, Yes/No
    virtual Answer confirmOkCancel(const QString& text) = 0;  // question icon, OK/Cancel
    virtual Answer warnYesNo(const QString& text) = 0;        // warning icon, Yes/No
    virtual void error(const QString& text) = 0;              // error icon, OK
};

// The service in use: the one set last, else the QMessageBox implementation.
MessageService& messages();
// nullptr goes back to the QMessageBox implementation. The caller keeps ownership.
void setMessageService(MessageService* service);

// Installs a service for the lifetime of this object, then restores the previous one.
class MessageServiceOverride {
public:
    explicit MessageServiceOverride(MessageService& service);
    ~MessageServiceOverride();
    MessageServiceOverride(const MessageServiceOverride&) = delete;
    MessageServiceOverride& operator=(const MessageServiceOverride&) = delete;

private:
    MessageService* previous_;
};

// "\r\n" and "\r" as "\n".
QString withLineBreaks(const QString& text);

}  // namespace meru::platform
