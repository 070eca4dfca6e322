#include "platform/locale.h"

#include <QStringList>
#include <cmath>

namespace meru::platform {

QLocale appLocaleFor(const QLocale& system) {
    if (system.language() == QLocale::C || system.language() == QLocale::AnyLanguage)
        return QLocale(QLocale::Portuguese, QLocale::Brazil);
    return system;
}

QLocale appLocale() { return appLocaleFor(QLocale::system()); }

std::optional<double> readNumber(const QString& text, const QLocale& locale) {
    QString t = text.trimmed();
    const QString symbol = locale.currencySymbol();
    if (!symbol.isEmpty() && t.startsWith(symbol)) t = t.mid(symbol.size()).trimmed();
    else if (!symbol.isEmpty() && t.endsWith(symbol)) t = t.chopped(symbol.size()).trimmed();
    bool ok = false;
    const double d = locale.toDouble(t, &ok);
    if (!ok || !std::isfinite(d)) return std::nullopt;
    return d;
}

QDate readDate(const QString& text, const QLocale& locale) {
    const QString t = text.trimmed();
    QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    // One form that takes one or two digits for day and month.
    shortFormat.replace(QLatin1String("dd"), QLatin1String("d")).replace(QLatin1String("MM"), QLatin1String("M"));
    QString fourDigitYear = shortFormat, twoDigitYear = shortFormat;
    if (shortFormat.contains(QLatin1String("yyyy"))) twoDigitYear.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    else fourDigitYear.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    if (const QDate d = locale.toDate(t, fourDigitYear); d.isValid()) return d;
    QDate d = locale.toDate(t, twoDigitYear);
    if (d.isValid() && d.year() < 1950) d = d.addYears(100);
    return d;
}

}  // namespace meru::platform
