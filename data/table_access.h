#pragma once
// Row-level access to one working table by row id, with the statements prepared
// once and values always bound.

#include "data/dataset.h"
#include "data/sqlite_connection.h"

#include <memory>

namespace meru {

class TableAccess {
public:
    TableAccess(Database& database, const schema::TableDef& table);

    const schema::TableDef& table() const { return table_; }
    QString qualifiedName() const { return qualified_; }
    QString columnList() const { return columns_; }

    std::optional<Row> fetch(qint64 rowid);
    qint64 insert(const Row& values);
    void update(qint64 rowid, const Row& values);
    void remove(qint64 rowid);
    // Reads a row of this table's columns from a statement, starting at column `from`.
    Row read(const sqlite::Statement& st, int from) const;

private:
    Database& database_;
    const schema::TableDef& table_;
    QString qualified_;
    QString columns_;
    std::unique_ptr<sqlite::Statement> fetch_, insert_, update_, delete_;
};

}  // namespace meru
