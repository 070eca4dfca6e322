#include "platform/locale.h"

#include <gtest/gtest.h>

#include "qstring_printer.h"

using meru::platform::appLocale;
using meru::platform::appLocaleFor;

TEST(AppLocale, SystemLocaleUnlessItNamesNone) {
    EXPECT_EQ(appLocaleFor(QLocale::c()).name(), "pt_BR");
    EXPECT_EQ(appLocaleFor(QLocale(QLocale::C)).name(), "pt_BR");
    EXPECT_EQ(appLocaleFor(QLocale(QLocale::German, QLocale::Germany)).name(), "de_DE");
    EXPECT_EQ(appLocaleFor(QLocale(QLocale::English, QLocale::UnitedStates)).name(), "en_US");
    EXPECT_EQ(appLocaleFor(QLocale(QLocale::Portuguese, QLocale::Portugal)).name(), "pt_PT");
}

TEST(AppLocale, TestsRunInPortuguese) {
    // ctest sets LC_ALL=pt_BR.UTF-8; a bare C locale falls back to pt_BR as well.
    EXPECT_EQ(appLocale().name(), "pt_BR");
    EXPECT_EQ(appLocale().dateFormat(QLocale::ShortFormat), "dd/MM/yyyy");
}
