#include "data/paradox/windows1252.h"

#include "data/engine_error.h"

namespace meru::paradox {

Windows1252Encoder::Windows1252Encoder() {
    encoder_.emplace("windows-1252");
    // Qt converts code pages other than UTF and Latin-1 only when built with ICU.
    if (!encoder_->isValid())
        throw EngineError(QStringLiteral("This Qt cannot convert text to code page 1252."));
}

bool Windows1252Encoder::encode(QStringView text) {
    badPosition_ = -1;
    const qsizetype n = text.size();
    if (buffer_.size() < n) buffer_.resize(n);
    char* out = buffer_.data();
    const char16_t* in = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c == 0) {
            badPosition_ = i;
            return false;
        }
        if (c >= 0x80) return encodeSlow(text);
        out[i] = char(c);
    }
    size_ = n;
    return true;
}

bool Windows1252Encoder::encodeSlow(QStringView text) {
    const qsizetype need = encoder_->requiredSpace(text.size());
    if (buffer_.size() < need) buffer_.resize(need);
    encoder_->resetState();
    char* end = encoder_->appendToBuffer(buffer_.data(), text);
    size_ = end - buffer_.data();
    const bool failed = encoder_->hasError() || text.contains(QChar(0));
    if (!failed) return true;
    // Qt 6.4's resetState() keeps the error flag of a code-page encoder: without a
    // fresh one every later accented text would be refused too.
    encoder_.emplace("windows-1252");
    // Rare: find the character to name it.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder single("windows-1252");
        const QByteArray ignored = single.encode(text.mid(i, len));
        if (single.hasError() || text[i].isNull()) {
            badPosition_ = i;
            break;
        }
        i += len - 1;
    }
    if (badPosition_ < 0) badPosition_ = 0;
    return false;
}

QString describeCharacter(QStringView text, qsizetype position) {
    if (position < 0 || position >= text.size()) return QStringLiteral("?");
    char32_t code = text[position].unicode();
    QString shown = text.mid(position, 1).toString();
    if (text[position].isHighSurrogate() && position + 1 < text.size()) {
        code = QChar::surrogateToUcs4(text[position], text[position + 1]);
        shown = text.mid(position, 2).toString();
    }
    if (code < 0x20) shown.clear();
    const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("'%1' (U+%2)").arg(shown, hex);
}

}  // namespace meru::paradox
