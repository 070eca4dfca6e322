#pragma once
// The locale of dates, times and currency: the system's, or pt_BR where the
// system names no real locale (C, POSIX).

#include <QDate>
#include <QLocale>
#include <optional>

namespace meru::platform {

QLocale appLocale();
// The rule itself, for a given system locale.
QLocale appLocaleFor(const QLocale& system);

// What an operator typed, read in one locale only: a text that locale cannot
// read is no value, never a guess through another locale.
//  - a number may carry the locale's group separators where they belong and its
//    currency symbol: pt_BR reads "1.234,56", "1234,56" and "R$ 10,50", and
//    refuses "1.50", "1,234.56" and "12,3,4";
//  - a date is read in the locale's short format, with one or two digits for
//    the day and the month and four or two for the year (two: 1950 to 2049);
//    an impossible date (31/02/2004) is no date.
std::optional<double> readNumber(const QString& text, const QLocale& locale);
QDate readDate(const QString& text, const QLocale& locale);

}  // namespace meru::platform
