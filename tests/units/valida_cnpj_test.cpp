#include "units/valida_cnpj.h"

#include "units/convert_error.h"

#include <QString>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace meru {
namespace {

// ---- independent formulations --------------------------------------------------

constexpr std::array<int, 12> kFirstWeights{5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
constexpr std::array<int, 13> kSecondWeights{6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

int remainderOf(const std::string& digits, const int* weights) {
    int sum = 0;
    for (std::size_t k = 0; k < digits.size(); ++k) sum += (digits[k] - '0') * weights[k];
    return sum % 11;
}

int digitFor(int remainder) { return remainder < 2 ? 0 : 11 - remainder; }

// The usual CNPJ check digits of a twelve-digit body.
std::string standardCheckDigits(const std::string& body) {
    const int c1 = digitFor(remainderOf(body, kFirstWeights.data()));
    const int c2 = digitFor(remainderOf(body + char('0' + c1), kSecondWeights.data()));
    return {char('0' + c1), char('0' + c2)};
}

struct SlowCheck {
    std::int64_t s1 = 0;  // first sum, before wrapping
    std::int64_t s2 = 0;  // second sum without the first check digit, before wrapping
    QString tail;
};

// Sums of a body of any length in 64 bits: the weight tables continue one lower per
// further digit. The tail is computed with the sums wrapped to 32 bits at the end, or
// left unwrapped when `wrap` is false.
SlowCheck slowCheck(const std::string& body, bool wrap = true) {
    SlowCheck r;
    for (std::size_t k = 0; k < body.size(); ++k) {
        const std::int64_t d = body[k] - '0';
        const auto pos = static_cast<std::int64_t>(k);  // 0-based
        const std::int64_t w1 = pos < 12 ? kFirstWeights[k] : 2 - (pos - 11);
        const std::int64_t w2 = pos < 13 ? kSecondWeights[k] : 2 - (pos - 12);
        r.s1 += d * w1;
        r.s2 += d * w2;
    }
    auto digit = [wrap](std::int64_t sum) {
        const std::int64_t rem =
            wrap ? std::int64_t{static_cast<std::int32_t>(static_cast<std::uint32_t>(sum)) % 11}
                 : sum % 11;
        return rem < 2 ? 0 : 11 - static_cast<int>(rem);
    };
    const int c1 = digit(r.s1);
    const int c2 = digit(r.s2 + 2 * c1);
    r.tail = QString::number(c1) + QString::number(c2);
    return r;
}

std::string randomDigits(std::mt19937& rng, std::size_t count) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::string s;
    for (std::size_t k = 0; k < count; ++k) s += char('0' + digit(rng));
    return s;
}

QString punctuated(const std::string& cnpj) {
    const QString s = QString::fromStdString(cnpj);
    return s.mid(0, 2) + '.' + s.mid(2, 3) + '.' + s.mid(5, 3) + '/' + s.mid(8, 4) + '-' + s.mid(12, 2);
}

std::optional<ConvertError> conversionErrorOf(const QString& text) {
    try {
        valida_cnpj(text);
    } catch (const ConvertError& e) {
        return e;
    }
    return std::nullopt;
}

// ---- answers ---------------------------------------------------------------------

struct AnswerCase {
    const char* name;
    QString text;
    bool valid;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << '"' << c.text.toStdString() << '"'; }

class ValidaCnpjAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ValidaCnpjAnswer, ComparesTailWithComputedDigits) {
    const AnswerCase& c = GetParam();
    bool valid = !c.valid;
    ASSERT_NO_THROW(valid = valida_cnpj(c.text)) << c.text.toStdString();
    EXPECT_EQ(valid, c.valid) << '"' << c.text.toStdString() << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValidaCnpjAnswer,
    ::testing::Values(
        AnswerCase{"worked_example", "12345678000195", true},
        AnswerCase{"worked_example_punctuated", "12.345.678/0001-95", true},
        AnswerCase{"second_digit_wrong", "12345678000196", false},
        AnswerCase{"first_digit_wrong", "12345678000185", false},
        AnswerCase{"digits_swapped", "12345678000159", false},
        AnswerCase{"punctuated_wrong", "12.345.678/0001-96", false},
        AnswerCase{"separators_anywhere_in_front", "1-2/3.45678.0001/95", true},
        AnswerCase{"separators_leading", "..//--12345678000195", true},
        AnswerCase{"separator_just_before_tail", "123456780001-95", true},
        AnswerCase{"separator_in_tail", "1234567800019-5", false},
        AnswerCase{"separator_last", "12345678000195.", false},
        AnswerCase{"empty", "", false},
        AnswerCase{"one_digit", "1", false},
        AnswerCase{"one_zero", "0", false},
        AnswerCase{"two_zeros", "00", true},
        AnswerCase{"two_chars_01", "01", false},
        AnswerCase{"two_chars_10", "10", false},
        AnswerCase{"two_letters_not_converted", "ab", false},
        AnswerCase{"separators_then_00", "..00", true},
        AnswerCase{"one_separator_then_00", "/00", true},
        AnswerCase{"separators_then_01", "-.01", false},
        AnswerCase{"four_zeros", "0000", true},
        AnswerCase{"fourteen_zeros", "00000000000000", true},
        AnswerCase{"fourteen_zeros_punctuated", "00.000.000/0000-00", true},
        AnswerCase{"blank_in_tail_first", "123456780001 5", false},
        AnswerCase{"blank_in_tail_last", "1234567800019 ", false},
        AnswerCase{"blank_among_last_two", "12345678000 9", false},
        AnswerCase{"letters_in_tail", "123456780001AB", false},
        // Alphanumeric CNPJs: the Receita Federal's published example and its variants.
        AnswerCase{"alphanumeric_example", "12ABC34501DE35", true},
        AnswerCase{"alphanumeric_example_punctuated", "12.ABC.345/01DE-35", true},
        AnswerCase{"alphanumeric_first_digit_wrong", "12ABC34501DE45", false},
        AnswerCase{"alphanumeric_second_digit_wrong", "12ABC34501DE36", false},
        AnswerCase{"alphanumeric_letter_changed", "12ABD34501DE35", false},
        AnswerCase{"alphanumeric_letters_swapped", "12BAC34501DE35", false},
        AnswerCase{"alphanumeric_letter_for_its_digits", "12A1734501DE35", false},
        AnswerCase{"alphanumeric_letters_in_tail", "12ABC34501DEAB", false},
        AnswerCase{"letter_z_valued_42", "Z0000000000001", true},
        AnswerCase{"letter_y_valued_41", "Y0000000000001", false},
        AnswerCase{"trailing_blanks_moved_tail", "12345678000195  ", false},
        AnswerCase{"fullwidth_digits_in_tail", QString::fromUtf8("123456780001９５"), false}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST(ValidaCnpj, PlainAndPunctuatedFormsAgree) {
    for (const std::string cnpj : {"12345678000195", "12345678000196", "11222333000181",
                                   "11222333000180", "00000000000000", "99999999999999"}) {
        SCOPED_TRACE(cnpj);
        EXPECT_EQ(valida_cnpj(QString::fromStdString(cnpj)), valida_cnpj(punctuated(cnpj)));
    }
}

// ---- the "remainder below two" rule -------------------------------------------

struct RemainderCase {
    const char* name;
    std::string cnpj;
    int firstRemainder;   // of the first sum
    int secondRemainder;  // of the second sum, the first check digit included
};

void PrintTo(const RemainderCase& c, std::ostream* os) { *os << c.cnpj; }

class ValidaCnpjRemainder : public ::testing::TestWithParam<RemainderCase> {};

TEST_P(ValidaCnpjRemainder, GivesTheRightDigit) {
    const RemainderCase& c = GetParam();
    const std::string body = c.cnpj.substr(0, 12);
    ASSERT_EQ(remainderOf(body, kFirstWeights.data()), c.firstRemainder);
    ASSERT_EQ(remainderOf(c.cnpj.substr(0, 13), kSecondWeights.data()), c.secondRemainder);
    ASSERT_EQ(standardCheckDigits(body), c.cnpj.substr(12));

    EXPECT_TRUE(valida_cnpj(QString::fromStdString(c.cnpj)));
    EXPECT_TRUE(valida_cnpj(punctuated(c.cnpj)));
    for (int pos : {12, 13}) {
        for (char other = '0'; other <= '9'; ++other) {
            if (other == c.cnpj[pos]) continue;
            std::string wrong = c.cnpj;
            wrong[pos] = other;
            EXPECT_FALSE(valida_cnpj(QString::fromStdString(wrong))) << wrong;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, ValidaCnpjRemainder,
    ::testing::Values(RemainderCase{"first_remainder_0", "09005474995208", 0, 3},
                      RemainderCase{"first_remainder_1", "48343526119505", 1, 6},
                      RemainderCase{"first_remainder_2", "39825979190796", 2, 5},
                      RemainderCase{"first_remainder_10", "06230798683012", 10, 9},
                      RemainderCase{"second_remainder_0", "84830401198090", 2, 0},
                      RemainderCase{"second_remainder_1", "04661099069590", 2, 1},
                      RemainderCase{"second_remainder_10", "08369007128401", 1, 10}),
    [](const ::testing::TestParamInfo<RemainderCase>& info) { return std::string(info.param.name); });

// ---- conversion failures -------------------------------------------------------

struct FailureCase {
    const char* name;
    QString text;
    QString offending;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << '"' << c.text.toStdString() << '"'; }

class ValidaCnpjFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ValidaCnpjFailure, ThrowsConvertErrorNamingTheCharacter) {
    const FailureCase& c = GetParam();
    const std::optional<ConvertError> error = conversionErrorOf(c.text);
    ASSERT_TRUE(error.has_value()) << c.text.toStdString();
    const QString expected = "'" + c.offending + "' is not a valid integer value";
    EXPECT_EQ(error->message(), expected);
    EXPECT_EQ(std::string(error->what()), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValidaCnpjFailure,
    ::testing::Values(
        FailureCase{"blank_in_body", "12 45678000195", " "},
        FailureCase{"lower_case_letter_in_body", "1234567800a195", "a"},
        FailureCase{"lower_case_alphanumeric_example", "12abc34501de35", "a"},
        FailureCase{"letter_beyond_z", "12ABC34501D[35", "["},
        FailureCase{"accented_capital", QString::fromUtf8("12ÁBC34501DE35"), QString::fromUtf8("Á")},
        FailureCase{"partly_typed_untrimmed", "123      ", " "},
        FailureCase{"leading_blank", " 12345678000195", " "},
        FailureCase{"blank_before_tail", "123456780001 95", " "},
        FailureCase{"mask_blank_char", "12345678_00195", "_"},
        FailureCase{"plus_sign", "+2345678000195", "+"},
        FailureCase{"hex_prefix", "$2345678000195", "$"},
        FailureCase{"comma", "12,345678000195", ","},
        FailureCase{"first_offender_reported", "1a2b5678000195", "a"},
        FailureCase{"three_chars_one_visited", "x00", "x"},
        FailureCase{"fullwidth_digit", QString::fromUtf8("12345678０00195"), QString::fromUtf8("０")},
        FailureCase{"arabic_indic_digit", QString::fromUtf8("1234567٣000195"), QString::fromUtf8("٣")},
        FailureCase{"superscript_two", QString::fromUtf8("1²345678000195"), QString::fromUtf8("²")}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// ---- texts longer than a CNPJ --------------------------------------------------

TEST(ValidaCnpjLongText, SixtyDigitsFollowTheContinuedWeights) {
    std::mt19937 rng(60);
    for (int round = 0; round < 200; ++round) {
        const std::string body = randomDigits(rng, 58);
        const QString tail = slowCheck(body).tail;
        const QString text = QString::fromStdString(body);
        SCOPED_TRACE(body);
        EXPECT_TRUE(valida_cnpj(text + tail));
        const QString wrongTail = tail.left(1) + QChar(u'0' + (tail.at(1).unicode() - u'0' + 1) % 10);
        EXPECT_FALSE(valida_cnpj(text + wrongTail));
    }
}

TEST(ValidaCnpjLongText, NegativeSumsGiveZeroDigits) {
    const std::string body(58, '9');
    const SlowCheck check = slowCheck(body);
    ASSERT_LT(check.s1, 0);
    ASSERT_LT(check.s2, 0);
    ASSERT_EQ(check.tail, "00");
    EXPECT_TRUE(valida_cnpj(QString::fromStdString(body) + "00"));
}

TEST(ValidaCnpjLongText, SumsWrapAroundAtThirtyTwoBits) {
    // Bodies this long take the sums far beyond the 32-bit range. Pick one whose wrapped
    // sums give other digits than the exact ones, so that 64-bit sums would be caught.
    // The length decides roughly where the sums wrap to, so it varies between attempts.
    std::mt19937 rng(2024);
    std::string body;
    SlowCheck wrapped;
    SlowCheck exact;
    for (int attempt = 0; attempt < 100; ++attempt) {
        body = randomDigits(rng, 100'000 + 997 * static_cast<std::size_t>(attempt));
        wrapped = slowCheck(body, true);
        exact = slowCheck(body, false);
        if (wrapped.tail != exact.tail) break;
    }
    ASSERT_LT(wrapped.s1, std::int64_t{INT32_MIN});
    ASSERT_NE(wrapped.tail, exact.tail);

    const QString text = QString::fromStdString(body);
    EXPECT_TRUE(valida_cnpj(text + wrapped.tail));
    EXPECT_FALSE(valida_cnpj(text + exact.tail));
}

TEST(ValidaCnpjLongText, SeparatorsDoNotCountAsDigitPositions) {
    std::mt19937 rng(7);
    const std::string body = randomDigits(rng, 300);
    QString withSeparators;
    for (std::size_t k = 0; k < body.size(); ++k) {
        withSeparators += QLatin1Char(body[k]);
        if (k % 3 == 0) withSeparators += QStringLiteral("./-").at(static_cast<qsizetype>(k % 9 / 3));
    }
    EXPECT_TRUE(valida_cnpj(withSeparators + slowCheck(body).tail));
}

// ---- cross-check with the usual CNPJ check -------------------------------------

TEST(ValidaCnpjCrossCheck, AgreesWithStandardCheckOnRandomNumbers) {
    std::mt19937 rng(20040601);
    std::uniform_int_distribution<int> shift(1, 9);
    std::uniform_int_distribution<int> which(12, 13);
    for (int k = 0; k < 10'000; ++k) {
        const std::string body = randomDigits(rng, 12);
        std::string cnpj = body + standardCheckDigits(body);
        const bool correct = k % 2 == 0;
        if (!correct) {
            const int pos = which(rng);
            cnpj[pos] = char('0' + (cnpj[pos] - '0' + shift(rng)) % 10);
        }
        const QString text = k % 4 < 2 ? QString::fromStdString(cnpj) : punctuated(cnpj);
        ASSERT_EQ(valida_cnpj(text), correct) << text.toStdString();
    }
}

}  // namespace
}  // namespace meru
