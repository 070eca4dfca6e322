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
    TableFileSpec spec;
    spec.layout = &layout;
    for (const auto& f : def.fields)
        spec.fieldNames.push_back(encodeName(f.name, kMaxFieldNameBytes, QStringLiteral("field name")));
    spec.tableName = encodeName(QFileInfo(dbPath).fileName(), kMaxTableNameBytes, QStringLiteral("table name"));
    writeTableFiles(spec, {}, 0, dbPath);
}

}  // namespace meru::paradox
