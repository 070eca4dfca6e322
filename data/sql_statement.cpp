#include "sql_statement.h"

#include "data/database.h"
#include "data/engine_error.h"

namespace meru {

SqlStatement::SqlStatement(const QString& name, Database* database, QObject* parent)
    : QObject(parent), database_(database) {
    setObjectName(name);
}

void requireOneStatement(sqlite3* db, const QString& text, const QString& owner) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_stmt* first = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &first, &tail) != SQLITE_OK)
        sqlite::fail(db, QStringLiteral("SQL: ") + text);
    sqlite3_finalize(first);
    // SQLite takes the first statement's ';' with it; what is left must be blank.
    const QString rest = QString::fromUtf8(tail, int(utf8.constData() + utf8.size() - tail)).trimmed();
    if (!rest.isEmpty())
        throw EngineError(QStringLiteral("%1: Only one SQL statement is allowed; found more after the first: %2")
                              .arg(owner, rest.left(60)));
}

int SqlStatement::execSQL() {
    const QString text = lines_.join(QLatin1Char('\n'));
    if (text.trimmed().isEmpty()) throw EngineError(QStringLiteral("%1: No SQL statement available").arg(objectName()));
    auto& c = database_->connection();
    requireOneStatement(c.handle(), text, objectName());
    sqlite::Statement st(c.handle(), text);
    while (st.step()) {
    }
    return c.changes();
}

}  // namespace meru
