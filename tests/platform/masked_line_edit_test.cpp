// The masks on a real QLineEdit: what typing shows and what the field receives,
// and a stored value shown through setText().
#include "platform/edit_mask.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "qstring_printer.h"

using meru::platform::EditMask;

namespace {

struct Typing {
    QString mask;
    QString keys;
    QString shown;
    QString field;
};

std::ostream& operator<<(std::ostream& os, const Typing& t) {
    return os << t.mask.toStdString() << " typed [" << t.keys.toStdString() << "]";
}

class MaskedLineEdit : public ::testing::Test {
protected:
    void apply(const EditMask& mask) {
        edit.setInputMask(mask.qtInputMask());
        edit.show();
        edit.setFocus();
        edit.setCursorPosition(0);
    }
    QLineEdit edit;
};

class MaskedLineEditTyping : public MaskedLineEdit, public ::testing::WithParamInterface<Typing> {};

TEST_P(MaskedLineEditTyping, TypedDigitsReachTheField) {
    const Typing& t = GetParam();
    const EditMask mask = EditMask::parse(t.mask);
    apply(mask);
    EXPECT_EQ(edit.maxLength(), mask.maxLength());
    QTest::keyClicks(&edit, t.keys);
    EXPECT_EQ(edit.displayText(), t.shown);
    EXPECT_EQ(mask.fieldText(edit.displayText()), t.field);
}

INSTANTIATE_TEST_SUITE_P(
    FourMasks, MaskedLineEditTyping,
    ::testing::Values(
        Typing{"!99.999.999/9999-99;0;_", "12345678000195", "12.345.678/0001-95", "12345678000195"},
        Typing{"!99.999.999/9999-99;0;_", "10000000000000", "10.000.000/0000-00", "10000000000000"},
        Typing{"!99.999.999/9999-99;0;_", "123", "12.3__.___/____-__", "123           "},
        Typing{"!99.999.999/9999-99;0;_", "", "__.___.___/____-__", ""},
        Typing{"!99.999.999/9999-99;0;_", "12ab3", "12.3__.___/____-__", "123           "},
        Typing{"99.999.999/9999-99;0;_", "12345678000195", "12.345.678/0001-95", "12345678000195"},
        Typing{"99.999.999/9999-99;0;_", "123", "12.3__.___/____-__", "123"},
        Typing{"!99/9999;0;_", "012001", "01/2001", "012001"},
        Typing{"!99/9999;0;_", "0120", "01/20__", "0120  "},
        Typing{"!99/9999;0;_", "01200199", "01/2001", "012001"},
        Typing{"!99/9999;0;_", "", "__/____", ""},
        Typing{"!99/99/9999;1;_", "15032004", "15/03/2004", "15/03/2004"},
        Typing{"!99/99/9999;1;_", "1503", "15/03/____", "15/03/    "},
        Typing{"!99/99/9999;1;_", "", "__/__/____", "  /  /    "}));

struct Stored {
    QString mask;
    QString field;
    QString shown;
};

std::ostream& operator<<(std::ostream& os, const Stored& s) {
    return os << s.mask.toStdString() << " [" << s.field.toStdString() << "]";
}

class MaskedLineEditShowing : public MaskedLineEdit, public ::testing::WithParamInterface<Stored> {};

TEST_P(MaskedLineEditShowing, StoredValueShowsAndReadsBack) {
    const Stored& s = GetParam();
    const EditMask mask = EditMask::parse(s.mask);
    apply(mask);
    edit.setText(mask.displayTextFor(s.field));
    EXPECT_EQ(edit.displayText(), s.shown);
    EXPECT_EQ(mask.fieldText(edit.displayText()), s.field);
}

INSTANTIATE_TEST_SUITE_P(
    FourMasks, MaskedLineEditShowing,
    ::testing::Values(
        Stored{"!99.999.999/9999-99;0;_", "12345678000195", "12.345.678/0001-95"},
        Stored{"!99.999.999/9999-99;0;_", "00000000000000", "00.000.000/0000-00"},
        Stored{"!99.999.999/9999-99;0;_", "123           ", "12.3__.___/____-__"},
        Stored{"!99.999.999/9999-99;0;_", "", "__.___.___/____-__"},
        Stored{"99.999.999/9999-99;0;_", "12345678000195", "12.345.678/0001-95"},
        Stored{"99.999.999/9999-99;0;_", "    5678000195", "__.__5.678/0001-95"},
        Stored{"!99/9999;0;_", "012001", "01/2001"},
        Stored{"!99/9999;0;_", "0120  ", "01/20__"},
        Stored{"!99/99/9999;1;_", "15/03/2004", "15/03/2004"},
        Stored{"!99/99/9999;1;_", "  /03/2004", "__/03/2004"},
        Stored{"!99/99/9999;1;_", "  /  /    ", "__/__/____"}));

}  // namespace
