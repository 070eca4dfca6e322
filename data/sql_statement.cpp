#include "sql_statement.h"

#include "data/database.h"
#include "data/engine_error.h"

namespace meru {

SqlStatement::SqlStatement(const QString& name, Database* database, QObject* parent)
    : QObject(parent), database_(database) {
    setObjectName(name);
}

int SqlStatement::execSQL() {
    const QString text = lines_.join(QLatin1Char('\n'));
    if (text.trimmed().isEmpty()) throw EngineError(QStringLiteral("%1: No SQL statement available").arg(objectName()));
    auto& c = database_->connection();
    c.exec(text);
    return c.changes();
}

}  // namespace meru
