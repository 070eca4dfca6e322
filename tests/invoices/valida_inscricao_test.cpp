#include "invoices/valida_inscricao.h"

#include <gtest/gtest.h>

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

}  // namespace
