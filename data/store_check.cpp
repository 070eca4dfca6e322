#include "data/store_check.h"

#include "data/engine_error.h"

namespace meru {

QString quotedName(const QString& name) {
    QString inner = name;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString storedTableName(sqlite::Connection& c, const QString& schemaName, const QString& name) {
    sqlite::Statement st(c.handle(), QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type = 'table' "
                                                    "AND name = ?1 COLLATE NOCASE")
                                         .arg(quotedName(schemaName)));
    st.bind(1, name);
    return st.step() ? st.column(0).toString() : QString();
}

QStringList tableDamage(sqlite::Connection& c, const QString& schemaName, const QString& table, TableCheck kind) {
    const QString pragma = kind == TableCheck::Full ? QStringLiteral("integrity_check") : QStringLiteral("quick_check");
    QStringList lines;
    try {
        lines = c.lines(QStringLiteral("PRAGMA %1.%2(%3)").arg(quotedName(schemaName), pragma, quotedName(table)));
    } catch (const EngineError& e) {
        return {e.message()};
    }
    if (lines == QStringList{QStringLiteral("ok")}) return {};
    return lines.isEmpty() ? QStringList{QStringLiteral("the check gave no answer")} : lines;
}

}  // namespace meru
