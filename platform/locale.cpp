#include "platform/locale.h"

namespace meru::platform {

QLocale appLocaleFor(const QLocale& system) {
    if (system.language() == QLocale::C || system.language() == QLocale::AnyLanguage)
        return QLocale(QLocale::Portuguese, QLocale::Brazil);
    return system;
}

QLocale appLocale() { return appLocaleFor(QLocale::system()); }

}  // namespace meru::platform
