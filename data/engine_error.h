#pragma once
// Failures of the table engine, carrying the engine's message.
#include <QString>
#include <stdexcept>

namespace meru {

class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

}  // namespace meru
