#include "platform/edit_mask.h"

#include <QLineEdit>
#include <gtest/gtest.h>

#include "qstring_printer.h"
#include <stdexcept>

using meru::platform::EditMask;

namespace {

const QString kCnpj = QStringLiteral("!99.999.999/9999-99;0;_");
const QString kCnpjRegistry = QStringLiteral("99.999.999/9999-99;0;_");
const QString kMonth = QStringLiteral("!99/9999;0;_");
const QString kDate = QStringLiteral("!99/99/9999;1;_");

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

struct MaskShape {
    QString delphi;
    QString qt;
    int maxLength;
    bool savesLiterals;
    bool reversed;
    QChar blank;
};

std::ostream& operator<<(std::ostream& os, const MaskShape& m) { return os << m.delphi.toStdString(); }

class MaskShapeTest : public ::testing::TestWithParam<MaskShape> {};

TEST_P(MaskShapeTest, ParsesIntoTheEquivalentLineEditMask) {
    const MaskShape& c = GetParam();
    const EditMask mask = EditMask::parse(c.delphi);
    EXPECT_EQ(mask.qtInputMask(), c.qt) << c.delphi.toStdString();
    EXPECT_EQ(mask.maxLength(), c.maxLength) << c.delphi.toStdString();
    EXPECT_EQ(mask.savesLiterals(), c.savesLiterals) << c.delphi.toStdString();
    EXPECT_EQ(mask.reversed(), c.reversed) << c.delphi.toStdString();
    EXPECT_EQ(mask.blank(), c.blank) << c.delphi.toStdString();
    EXPECT_FALSE(mask.isEmpty());

    QLineEdit edit;  // Qt reads the converted mask with the same positions
    edit.setInputMask(mask.qtInputMask());
    EXPECT_EQ(edit.maxLength(), c.maxLength) << c.delphi.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskShapeTest,
    ::testing::Values(
        MaskShape{kCnpj, "00.000.000/0000-00;_", 18, false, true, '_'},
        MaskShape{kCnpjRegistry, "00.000.000/0000-00;_", 18, false, false, '_'},
        MaskShape{kMonth, "00/0000;_", 7, false, true, '_'},
        MaskShape{kDate, "00/00/0000;_", 10, true, true, '_'},
        // required digits become Qt's 9, optional ones its 0
        MaskShape{"000.000.000-00;0;_", "999.999.999-99;_", 14, false, false, '_'},
        MaskShape{"(99) 9999-9999;0;*", "(00) 0000-0000;*", 14, false, false, '*'},
        MaskShape{">LLl-Aa;1; ", ">AAa-Nn; ", 6, true, false, ' '},
        MaskShape{"<>Cc#;1;_", "!Xx#;_", 3, true, false, '_'},
        MaskShape{"<ll;0;_", "<aa;_", 2, false, false, '_'},
        // escaped mask characters, Qt's own special characters and the blank literal
        MaskShape{"\\A\\99;1;_", "\\A\\90;_", 3, true, false, '_'},
        MaskShape{"99h[9]_9;1;_", "00\\h\\[0\\] 0;_", 8, true, false, '_'},
        MaskShape{"99:99", "00:00;_", 5, true, false, '_'},
        MaskShape{"99;1", "00;_", 2, true, false, '_'},
        MaskShape{"99;0;", "00;_", 2, false, false, '_'}));

TEST(EditMaskParse, NoMaskLeavesTextsAlone) {
    for (const EditMask& mask : {EditMask(), EditMask::parse(QString()), EditMask::parse("!")}) {
        EXPECT_TRUE(mask.isEmpty());
        EXPECT_EQ(mask.qtInputMask(), QString());
        EXPECT_EQ(mask.maxLength(), 0);
        EXPECT_EQ(mask.fieldText(" a b "), " a b ");
        EXPECT_EQ(mask.displayTextFor(" a b "), " a b ");
    }
}

TEST(EditMaskParse, RefusesALiteralSemicolon) {
    EXPECT_THROW(EditMask::parse("99\\;99;0;_"), std::invalid_argument);
}

TEST(EditMaskParse, EqualWhenParsedFromTheSameText) {
    EXPECT_EQ(EditMask::parse(kCnpj), EditMask::parse(kCnpj));
    EXPECT_FALSE(EditMask::parse(kCnpj) == EditMask::parse(kCnpjRegistry));
}

// What the edit shows, what the field receives.
struct Reading {
    QString mask;
    QString shown;
    QString field;
    const char* what;
};

std::ostream& operator<<(std::ostream& os, const Reading& r) { return os << r.what; }

class EditMaskReading : public ::testing::TestWithParam<Reading> {};

TEST_P(EditMaskReading, FieldReceivesTheMaskedText) {
    const Reading& r = GetParam();
    EXPECT_EQ(EditMask::parse(r.mask).fieldText(r.shown), r.field) << r.what;
}

TEST_P(EditMaskReading, EditShowsTheFieldTextAsTyped) {
    const Reading& r = GetParam();
    EXPECT_EQ(EditMask::parse(r.mask).displayTextFor(r.field), r.shown) << r.what;
}

INSTANTIATE_TEST_SUITE_P(
    FourMasks, EditMaskReading,
    ::testing::Values(
        Reading{kCnpj, "12.345.678/0001-95", "12345678000195", "cnpj complete"},
        Reading{kCnpj, "00.000.000/0000-00", "00000000000000", "cnpj zeros kept"},
        Reading{kCnpj, "__.___.___/____-__", "", "cnpj empty"},
        Reading{kCnpj, "12.3__.___/____-__", "123" + blanks(11), "cnpj partly typed"},
        Reading{kCnpj, "12.345.678/0001-9_", "1234567800019 ", "cnpj last digit missing"},
        Reading{kCnpj, "12.___.___/____-_5", "12" + blanks(11) + "5", "cnpj gap inside"},
        Reading{kCnpj, "__.__5.678/0001-95", "5678000195", "cnpj leading blanks dropped"},
        Reading{kCnpjRegistry, "12.345.678/0001-95", "12345678000195", "registry complete"},
        Reading{kCnpjRegistry, "__.___.___/____-__", "", "registry empty"},
        Reading{kCnpjRegistry, "12.3__.___/____-__", "123", "registry trailing blanks dropped"},
        Reading{kCnpjRegistry, "__.__5.678/0001-95", blanks(4) + "5678000195",
                "registry leading blanks kept"},
        Reading{kMonth, "01/2001", "012001", "month complete"},
        Reading{kMonth, "13/2001", "132001", "month out of range"},
        Reading{kMonth, "00/0000", "000000", "month zeros"},
        Reading{kMonth, "01/20__", "0120  ", "month year cut short"},
        Reading{kMonth, "__/____", "", "month empty"},
        Reading{kMonth, "__/2004", "2004", "month only year"},
        Reading{kDate, "15/03/2004", "15/03/2004", "date complete"},
        Reading{kDate, "__/__/____", "  /  /    ", "date empty keeps slashes"},
        Reading{kDate, "15/03/____", "15/03/    ", "date without year"},
        Reading{kDate, "__/03/2004", "  /03/2004", "date without day"},
        Reading{kDate, "1_/0_/2___", "1 /0 /2   ", "date half typed"}));

TEST(EditMaskReading, ShortDisplayReadsMissingPositionsAsUnfilled) {
    EXPECT_EQ(EditMask::parse(kMonth).fieldText("01/2"), "012   ");
    EXPECT_EQ(EditMask::parse(kDate).fieldText(""), "  /  /    ");
    EXPECT_EQ(EditMask::parse(kCnpjRegistry).fieldText("12.3"), "123");
}

// Field texts that no edit produces, and how the edit shows them.
struct Showing {
    QString mask;
    QString field;
    QString shown;
    const char* what;
};

std::ostream& operator<<(std::ostream& os, const Showing& s) { return os << s.what; }

class EditMaskShowing : public ::testing::TestWithParam<Showing> {};

TEST_P(EditMaskShowing, EditShowsTheFieldText) {
    const Showing& s = GetParam();
    EXPECT_EQ(EditMask::parse(s.mask).displayTextFor(s.field), s.shown) << s.what;
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, EditMaskShowing,
    ::testing::Values(
        Showing{kCnpj, "123", "__.___.___/___1-23", "reversed: short text at the end"},
        Showing{kCnpj, "  123", "__.___.___/___1-23", "reversed: leading blanks unfilled"},
        Showing{kCnpj, "9912345678000195", "12.345.678/0001-95", "reversed: excess in front cut"},
        Showing{kCnpjRegistry, "123", "12.3__.___/____-__", "short text from the start"},
        Showing{kCnpjRegistry, "1234567800019599", "12.345.678/0001-95", "excess at the end cut"},
        Showing{kMonth, "012001", "01/2001", "month"},
        Showing{kDate, "", "__/__/____", "null date"},
        Showing{kDate, "1/3/2004", "1_/3_/2004", "literals realign short groups"},
        Showing{kDate, "15032004", "15/03/2004", "date without slashes"},
        Showing{kDate, "15/03/2004 10:00", "15/03/2004", "excess cut"}));

TEST(EditMaskRoundTrip, ShowingAFieldTextAndReadingItBackGivesTheSameText) {
    const std::vector<std::pair<QString, QString>> fields = {
        {kCnpj, "12345678000195"}, {kCnpj, ""},           {kCnpj, "123" + blanks(11)},
        {kCnpj, "123"},            {kCnpjRegistry, "123"}, {kCnpjRegistry, "    5678000195"},
        {kMonth, "0120  "},        {kMonth, "2004"},       {kDate, "  /03/2004"},
        {kDate, "15/03/2004"}};
    for (const auto& [maskText, field] : fields) {
        const EditMask mask = EditMask::parse(maskText);
        EXPECT_EQ(mask.fieldText(mask.displayTextFor(field)), field)
            << maskText.toStdString() << " [" << field.toStdString() << "]";
    }
}

// Where typing goes: after the typed text, and the first position still blank.
TEST(EditMaskCursor, TypedEndAndFirstUnfilled) {
    const struct {
        QString mask, shown;
        int typedEnd, firstUnfilled;
    } cases[] = {
        {kCnpj, "__.___.___/____-__", 0, 0},
        {kCnpj, "12.3__.___/____-__", 4, 4},
        {kCnpj, "12.345.678/0001-95", 18, -1},
        {kCnpj, "12.___.__9/____-__", 10, 3},
        {kDate, "__/03/2004", 10, 0},
        {kMonth, "01/____", 2, 3},
    };
    for (const auto& c : cases) {
        const EditMask mask = EditMask::parse(c.mask);
        EXPECT_EQ(mask.typedEnd(c.shown), c.typedEnd) << c.shown.toStdString();
        EXPECT_EQ(mask.firstUnfilled(c.shown), c.firstUnfilled) << c.shown.toStdString();
    }
    EXPECT_EQ(EditMask::parse(kCnpj).inputEnd(), 18);
    EXPECT_EQ(EditMask::parse("99-;0;_").inputEnd(), 2);
}

}  // namespace
