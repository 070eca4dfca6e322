#pragma once
// The one owner of SQLite connections and their prepared statements: the
// database BANCO, the laying out of the store and the table rebuild all go
// through it. Values always travel as bound parameters. Every connection waits
// up to kBusyWaitMs for a lock that another process holds before a statement
// fails.

#include <QString>
#include <QStringList>
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

constexpr int kBusyWaitMs = 5000;

class Connection {
public:
    enum class Mode { ReadWrite, Create };

    // An in-memory database, to which table files are attached.
    Connection();
    // The database file at path; raises the engine's message when it cannot be
    // opened (ReadWrite never creates a file).
    Connection(const QString& path, Mode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    sqlite3* handle() const { return db_; }
    void exec(const QString& sql);
    void execBound(const QString& sql, const std::vector<QVariant>& values);
    qint64 lastInsertRowId() const;
    int changes() const;
    // The first column of every row a statement yields, as text.
    QStringList lines(const QString& sql);

private:
    void open(const QString& path, int flags);

    sqlite3* db_ = nullptr;
};

// Raises the engine error for the connection's last failure.
[[noreturn]] void fail(sqlite3* db, const QString& context);

}  // namespace meru::sqlite
