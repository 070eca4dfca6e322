#pragma once
// A statement of BANCO that is executed, never opened (the marking updates).

#include <QObject>
#include <QStringList>
#include <QVariant>

struct sqlite3;

namespace meru {

class Database;

class SqlStatement : public QObject {
    Q_OBJECT
public:
    SqlStatement(const QString& name, Database* database, QObject* parent = nullptr);
    QStringList sql() const { return lines_; }
    void setSql(const QStringList& lines) { lines_ = lines; }
    // Runs the statement; every matching row changes at once. Returns the rows changed.
    int execSQL();

private:
    Database* database_;
    QStringList lines_;
};

// One text is one statement: raises the engine error, naming `owner`, when
// anything but blanks and one closing ';' follows the first statement of `text`.
// Nothing is run.
void requireOneStatement(sqlite3* db, const QString& text, const QString& owner);

}  // namespace meru
