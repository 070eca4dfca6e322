#pragma once
// Text in the export tables is stored in Windows-1252, the code page named in
// their headers. A character that code page cannot hold is refused, never
// replaced.

#include <QByteArray>
#include <optional>
#include <QStringEncoder>
#include <QStringView>

namespace meru::paradox {

class Windows1252Encoder {
public:
    Windows1252Encoder();

    // Encodes `text`; returns false, with the position of the first character that
    // cannot be stored (U+0000 included, which would end the text early), when it
    // does not fit the code page. The bytes stay valid until the next call.
    bool encode(QStringView text);
    const char* data() const { return buffer_.constData(); }
    qsizetype size() const { return size_; }
    qsizetype badPosition() const { return badPosition_; }

private:
    bool encodeSlow(QStringView text);

    std::optional<QStringEncoder> encoder_;
    QByteArray buffer_;
    qsizetype size_ = 0;
    qsizetype badPosition_ = -1;
};

// "'Ł' (U+0141)", for messages.
QString describeCharacter(QStringView text, qsizetype position);

}  // namespace meru::paradox
