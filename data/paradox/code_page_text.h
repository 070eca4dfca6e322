#pragma once
// Text of the Paradox tables that an earlier installation left: single bytes in
// the code page the file's header names. Windows-1252 and the DOS code page 850
// are read; any other is refused by the caller.

#include <QString>
#include <array>

namespace meru::paradox {

class CodePageText {
public:
    static bool supports(int codePage) { return codePage == 1252 || codePage == 850; }
    // codePage must be supported.
    explicit CodePageText(int codePage);

    int codePage() const { return codePage_; }
    // The bytes up to the first NUL or `size`.
    QString decode(const char* bytes, int size) const;

private:
    int codePage_;
    std::array<char16_t, 256> table_{};
};

}  // namespace meru::paradox
