#include "invoices/valida_inscricao.h"

namespace meru {

bool valida_inscricao(const QString& text) noexcept {
    static const QString zeroPrefix = QStringLiteral("00000000");
    static const char weights[] = "6543298765432";

    const QString s = text.size() < 14 ? zeroPrefix + text : text;
    if (s.size() < 14) return false;
    int digits[14];
    for (int i = 0; i < 14; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9') return false;
        digits[i] = c - u'0';
    }
    int sum = 0;
    for (int i = 0; i < 13; ++i) sum += (weights[i] - '0') * digits[i];
    int r = sum % 11;
    if (r == 0) r = 10;
    // A remainder of 1 expects 10, which no digit matches.
    return digits[13] == 11 - r;
}

}  // namespace meru
