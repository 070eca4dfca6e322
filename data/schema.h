#pragma once
// The one definition of every table the system keeps: the four working tables in
// based/ and the two export tables written to the diskette. The SQLite store, the
// Paradox templates and the engine's field objects are all generated from it.

#include <QString>
#include <QStringList>
#include <vector>

namespace meru::schema {

enum class FieldType { Alpha, Number, Date, Timestamp, Short, Autoinc };

struct FieldDef {
    QString name;
    FieldType type;
    int width = 0;  // characters, for Alpha; 0 otherwise
};

struct TableDef {
    QString name;      // as the system names it (CADASTRO, referencias)
    QString fileName;  // movimento.DB, ...
    std::vector<FieldDef> fields;
    // Working tables: indexes where the filters and lookups look.
    std::vector<QStringList> indexes;
    // Export tables: the leading fields that form the primary key.
    int keyFieldCount = 0;

    const FieldDef* field(const QString& fieldName) const;  // case-insensitive
    int indexOf(const QString& fieldName) const;            // -1 when absent
    int autoincIndex() const;                               // -1 when none
};

const TableDef& cadastro();
const TableDef& movimento();
const TableDef& municipios();
const TableDef& referencias();
const std::vector<const TableDef*>& workingTables();

// The export tables: the working layouts, keyed, with Timestamp dates.
const TableDef& cadastroExport();
const TableDef& movimentoExport();

QString typeName(FieldType type);

}  // namespace meru::schema
