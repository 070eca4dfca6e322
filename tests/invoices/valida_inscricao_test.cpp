#include "invoices/valida_inscricao.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ValidaInscricao, DecidesEachCaseByTheCheckDigitOfTheFirstFourteenCharacters) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"12345678901231", true},        // S = 286, remainder 0 taken as 10: expects 1
        {"12345678901230", false},
        {"00000000000001", true},        // S = 0: expects 1
        {"00000000000000", false},
        {"12345678901231abc", true},     // only the first 14 characters count
        {"12345678901231.-/ ", true},
        {"123455", true},                // 00000000123455: S = 50, expects 5
        {"123456", false},
        {"1234567890123", false},        // prefixed to 21 characters: the check digit is the 6th typed
        {"1234550000000", true},         // ... so only the first six typed characters count
        {"", false},
        {"1", false},
        {"12345", false},                // still shorter than 14 after the prefix
        {"12.345.678/9012-31", false},   // punctuation within the first 14
        {" 12345678901231", false},      // a leading blank
        {"1234567890123\u0661", false},  // a digit of another script is no digit 0 to 9
    };
    for (const auto& c : cases)
        EXPECT_EQ(meru::valida_inscricao(QString::fromUtf8(c.text)), c.valid) << c.text;
}

TEST(ValidaInscricao, ARemainderOfOneRefusesEveryCheckDigit) {
    for (char d = '0'; d <= '9'; ++d)
        EXPECT_FALSE(meru::valida_inscricao(QStringLiteral("1234567890129") + QChar(d))) << d;
}

// Every length from 0 to 21: below 6 nothing passes; from 6 to 13 the eight zeros in
// front leave the first six typed characters as the ones that count; from 14 on the
// first fourteen count as they stand.
TEST(ValidaInscricao, EachLengthFromZeroToTwentyOne) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"", false},
        {"0", false},
        {"00", false},
        {"000", false},
        {"0001", false},                 // 000000000001: still short
        {"00001", false},                // 0000000000001: still short
        {"123455", true},                // 00000000123455
        {"1234559", true},               // the seventh character takes no part
        {"12345599", true},
        {"123455999", true},
        {"1234559999", true},
        {"12345599999", true},
        {"123455999999", true},
        {"1234559999999", true},         // 21 characters after the prefix
        {"1234569999999", false},        // the sixth character is the check digit
        {"12345678901231", true},        // 14: used as it stands
        {"12345678901232", false},
        {"123456789012319", true},
        {"1234567890123199", true},
        {"12345678901231999", true},
        {"123456789012319999", true},
        {"1234567890123199999", true},
        {"12345678901231999999", true},
        {"123456789012319999999", true},
        {"123456789012309999999", false},
    };
    std::set<int> lengths;
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        lengths.insert(int(text.size()));
        EXPECT_EQ(meru::valida_inscricao(text), c.valid) << c.text << " (" << text.size() << " characters)";
    }
    for (int n = 0; n <= 21; ++n) EXPECT_TRUE(lengths.count(n)) << "no case of length " << n;
}

}  // namespace
