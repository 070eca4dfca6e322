#include "table_access.h"

#include "data/database.h"
#include "data/engine_error.h"
#include "data/value_codec.h"

namespace meru {

TableAccess::TableAccess(Database& database, const schema::TableDef& table)
    : database_(database), table_(table), qualified_(database.qualifiedName(table)) {
    QStringList cols;
    for (const auto& f : table_.fields) cols << QLatin1Char('"') + f.name + QLatin1Char('"');
    columns_ = cols.join(QStringLiteral(", "));
}

Row TableAccess::read(const sqlite::Statement& st, int from) const {
    Row row(table_.fields.size());
    for (size_t i = 0; i < table_.fields.size(); ++i)
        row[i] = codec::fromStorage(table_.fields[i].type, st.column(from + int(i)));
    return row;
}

std::optional<Row> TableAccess::fetch(qint64 rowid) {
    auto& c = database_.connection();
    if (!fetch_)
        fetch_ = std::make_unique<sqlite::Statement>(
            c.handle(), QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns_, qualified_));
    fetch_->reset();
    fetch_->bind(1, rowid);
    std::optional<Row> row;
    if (fetch_->step()) row = read(*fetch_, 0);
    fetch_->reset();
    return row;
}

qint64 TableAccess::insert(const Row& values) {
    auto& c = database_.connection();
    if (!insert_) {
        QStringList cols, marks;
        for (const auto& f : table_.fields) {
            if (f.type == schema::FieldType::Autoinc) continue;
            cols << QLatin1Char('"') + f.name + QLatin1Char('"');
            marks << QStringLiteral("?");
        }
        insert_ = std::make_unique<sqlite::Statement>(
            c.handle(), QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(qualified_, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    }
    insert_->reset();
    int n = 0;
    for (size_t i = 0; i < table_.fields.size(); ++i) {
        if (table_.fields[i].type == schema::FieldType::Autoinc) continue;
        insert_->bind(++n, codec::toStorage(table_.fields[i].type, values[i]));
    }
    insert_->step();
    insert_->reset();
    return c.lastInsertRowId();
}

void TableAccess::update(qint64 rowid, const Row& values) {
    auto& c = database_.connection();
    if (!update_) {
        QStringList sets;
        for (const auto& f : table_.fields) {
            if (f.type == schema::FieldType::Autoinc) continue;
            sets << QStringLiteral("\"%1\" = ?").arg(f.name);
        }
        update_ = std::make_unique<sqlite::Statement>(
            c.handle(),
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(qualified_, sets.join(QStringLiteral(", "))));
    }
    update_->reset();
    int n = 0;
    for (size_t i = 0; i < table_.fields.size(); ++i) {
        if (table_.fields[i].type == schema::FieldType::Autoinc) continue;
        update_->bind(++n, codec::toStorage(table_.fields[i].type, values[i]));
    }
    update_->bind(++n, rowid);
    update_->step();
    update_->reset();
    if (c.changes() == 0) throw EngineError(QStringLiteral("Record/Key deleted.\nTable: %1").arg(table_.name));
}

void TableAccess::remove(qint64 rowid) {
    auto& c = database_.connection();
    if (!delete_)
        delete_ = std::make_unique<sqlite::Statement>(c.handle(),
                                                      QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(qualified_));
    delete_->reset();
    delete_->bind(1, rowid);
    delete_->step();
    delete_->reset();
}

}  // namespace meru
