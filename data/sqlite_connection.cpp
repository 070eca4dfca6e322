#include "sqlite_connection.h"

#include "data/engine_error.h"

#include <QFile>

namespace meru::sqlite {

void fail(sqlite3* db, const QString& context) {
    QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
    // A lock that another process held past the wait: the write was not done.
    if (db && ((sqlite3_errcode(db) & 0xff) == SQLITE_BUSY || (sqlite3_errcode(db) & 0xff) == SQLITE_LOCKED))
        message += QStringLiteral("\nA tabela está em uso por outro programa e a operação não foi feita. "
                                  "Tente novamente.");
    if (!context.isEmpty()) message += QStringLiteral("\n") + context;
    throw EngineError(message);
}

Statement::Statement(sqlite3* db, const QString& sql) : db_(db), sql_(sql) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK)
        fail(db_, QStringLiteral("SQL: ") + sql);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const QVariant& value) {
    int rc;
    if (value.isNull() || !value.isValid()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, index, text.constData(), int(text.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK) fail(db_, QStringLiteral("SQL: ") + sql_);
}

void Statement::bindAll(const std::vector<QVariant>& values) {
    for (size_t i = 0; i < values.size(); ++i) bind(int(i) + 1, values[i]);
}

int Statement::parameterIndex(const QString& name) const {
    return sqlite3_bind_parameter_index(stmt_, name.toUtf8().constData());
}

int Statement::parameterCount() const { return sqlite3_bind_parameter_count(stmt_); }

QString Statement::parameterName(int index) const {
    const char* n = sqlite3_bind_parameter_name(stmt_, index);
    return n ? QString::fromUtf8(n) : QString();
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(db_, QStringLiteral("SQL: ") + sql_);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QString Statement::columnName(int i) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, i));
}

QString Statement::declaredType(int i) const {
    const char* t = sqlite3_column_decltype(stmt_, i);
    return t ? QString::fromUtf8(t) : QString();
}

QVariant Statement::column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_NULL: return QVariant();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, i)));
    }
    }
}

qint64 Statement::columnInt(int i) const { return sqlite3_column_int64(stmt_, i); }

bool Statement::columnIsNull(int i) const { return sqlite3_column_type(stmt_, i) == SQLITE_NULL; }

Connection::Connection() { open(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE); }

Connection::Connection(const QString& path, Mode mode) {
    open(path, SQLITE_OPEN_READWRITE | (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0));
}

void Connection::open(const QString& path, int flags) {
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) != SQLITE_OK) {
        sqlite3* failed = db_;
        db_ = nullptr;
        try {
            fail(failed, path == QLatin1String(":memory:") ? QString() : QStringLiteral("File: ") + path);
        } catch (...) {
            sqlite3_close_v2(failed);
            throw;
        }
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyWaitMs);
}

Connection::~Connection() { sqlite3_close_v2(db_); }

void Connection::exec(const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString message = QString::fromUtf8(err ? err : "SQLite error");
        sqlite3_free(err);
        throw EngineError(message + QStringLiteral("\nSQL: ") + sql);
    }
}

void Connection::execBound(const QString& sql, const std::vector<QVariant>& values) {
    Statement st(db_, sql);
    st.bindAll(values);
    while (st.step()) {
    }
}

qint64 Connection::lastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

int Connection::changes() const { return sqlite3_changes(db_); }

QStringList Connection::lines(const QString& sql) {
    Statement st(db_, sql);
    QStringList result;
    while (st.step()) result << st.column(0).toString();
    return result;
}

}  // namespace meru::sqlite
