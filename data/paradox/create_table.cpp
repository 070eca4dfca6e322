#include "data/paradox/create_table.h"

#include "data/paradox/table_files.h"

#include <QFileInfo>

namespace meru::paradox {

namespace {
constexpr int kMaxFieldNameBytes = 25;
constexpr int kMaxTableNameBytes = 79;
}  // namespace

void createTable(const schema::TableDef& def, const QString& dbPath) {
    const RecordLayout layout = RecordLayout::of(def);
    TableDescription table;
    table.layout = &layout;
    for (const auto& f : def.fields)
        table.fieldNames.push_back(encodeName(f.name, kMaxFieldNameBytes, QStringLiteral("field name")));
    table.tableName = encodeName(QFileInfo(dbPath).fileName(), kMaxTableNameBytes, QStringLiteral("table name"));
    writeTableFiles(table, {}, 0, dbPath);
}

}  // namespace meru::paradox
