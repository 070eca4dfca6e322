#include "units/valida_cnpj.h"

#include "units/convert_error.h"

#include <cstdint>

namespace meru {

namespace {

// The counter and the sums are signed 32-bit values that wrap around on overflow
// (only texts of tens of thousands of digits get there). The arithmetic is done
// modulo 2^32 on unsigned values and read back as two's complement.
std::int32_t wrap(std::uint32_t value) { return static_cast<std::int32_t>(value); }
std::uint32_t bits(std::int32_t value) { return static_cast<std::uint32_t>(value); }

std::int32_t plus(std::int32_t a, std::int32_t b) { return wrap(bits(a) + bits(b)); }
std::int32_t minus(std::int32_t a, std::int32_t b) { return wrap(bits(a) - bits(b)); }
std::int32_t times(std::int32_t a, std::int32_t b) { return wrap(bits(a) * bits(b)); }

// The remainder keeps the sign of the sum, so a negative sum gives the digit 0.
int checkDigit(std::int32_t sum) {
    const std::int32_t remainder = sum % 11;
    return remainder < 2 ? 0 : 11 - remainder;
}

bool isSeparator(QChar c) {
    return c == u'/' || c == u'-' || c == u'.';
}

// A digit '0'..'9', or an upper-case letter 'A'..'Z' of an alphanumeric CNPJ: its
// code minus that of '0', so A is 17. A sign, a blank, a lower-case letter or a digit
// of another script has no value.
std::int32_t characterValue(QChar c) {
    const bool digit = c >= u'0' && c <= u'9';
    const bool letter = c >= u'A' && c <= u'Z';
    if (!digit && !letter) throw ConvertError::invalidInteger(QString(c));
    return c.unicode() - u'0';
}

}  // namespace

bool valida_cnpj(const QString& text) {
    std::int32_t s1 = 0;
    std::int32_t s2 = 0;
    std::int32_t i = 1;  // counts the characters that carry a value, not separators
    const qsizetype bodyLength = text.size() - 2;
    for (qsizetype pos = 0; pos < bodyLength; ++pos) {
        const QChar c = text.at(pos);
        if (isSeparator(c)) continue;
        const std::int32_t d = characterValue(c);
        const std::int32_t w1 = minus(i <= 4 ? 6 : 14, i);
        const std::int32_t w2 = minus(i <= 5 ? 7 : 15, i);
        s1 = plus(s1, times(d, w1));
        s2 = plus(s2, times(d, w2));
        i = plus(i, 1);
    }
    const int c1 = checkDigit(s1);
    s2 = plus(s2, times(c1, 2));
    const int c2 = checkDigit(s2);
    const QString expected = QString::number(c1) + QString::number(c2);
    return expected == text.right(2);
}

}  // namespace meru
