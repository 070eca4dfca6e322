#pragma once
// A statement of BANCO that is executed, never opened (the marking updates).

#include <QObject>
#include <QStringList>
#include <QVariant>

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

}  // namespace meru
