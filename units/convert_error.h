#pragma once
// Failure to read a text as a number, e.g. a blank left in a CNPJ typed only in part.
#include <QString>
#include <stdexcept>

namespace meru {

class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    // The failure of reading `text` as a decimal integer.
    static ConvertError invalidInteger(const QString& text) {
        return ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    }

    QString message() const { return message_; }

private:
    QString message_;
};

}  // namespace meru
