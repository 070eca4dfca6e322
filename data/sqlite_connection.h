#pragma once
// A thin owner of one SQLite connection and its prepared statements. Values always
// travel as bound parameters.

#include <QString>
#include <QVariant>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace meru::sqlite {

class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value);  // 1-based, as SQLite counts
    void bindAll(const std::vector<QVariant>& values);
    int parameterIndex(const QString& name) const;  // 0 when absent
    int parameterCount() const;
    QString parameterName(int index) const;
    bool step();  // true while a row is available
    void reset();
    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const;
    QVariant column(int i) const;  // null, qint64, double or QString
    qint64 columnInt(int i) const;
    bool columnIsNull(int i) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString sql_;
};

class Connection {
public:
    Connection();
    ~Connection();
    sqlite3* handle() const { return db_; }
    void exec(const QString& sql);
    void execBound(const QString& sql, const std::vector<QVariant>& values);
    qint64 lastInsertRowId() const;
    int changes() const;

private:
    sqlite3* db_ = nullptr;
};

// Raises the engine error for the connection's last failure.
[[noreturn]] void fail(sqlite3* db, const QString& context);

}  // namespace meru::sqlite
