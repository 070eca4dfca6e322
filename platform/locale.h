#pragma once
// The locale of dates, times and currency: the system's, or pt_BR where the
// system names no real locale (C, POSIX).

#include <QLocale>

namespace meru::platform {

QLocale appLocale();
// The rule itself, for a given system locale.
QLocale appLocaleFor(const QLocale& system);

}  // namespace meru::platform
