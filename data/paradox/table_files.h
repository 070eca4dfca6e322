#pragma once
// Writing a Paradox table: the .DB with its records in the order given and, for
// a keyed table, a primary index rebuilt from it. Both are made in memory and
// written to temporary files beside the originals, which they replace only once
// both are complete; a failure leaves the table as it was.

#include "data/paradox/record_layout.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace meru::paradox {

struct TableDescription {
    const RecordLayout* layout = nullptr;
    std::vector<QByteArray> fieldNames;  // Windows-1252, in field order
    QByteArray tableName;                // Windows-1252, stored in both headers
};

// Header offsets relied on beyond what pxlib exposes.
constexpr int kHeaderAutoincOffset = 0x49;

// `records` point at layout->recordSize bytes each. The header's auto-increment
// counter is left at `autoincCounter` when the table has such a field.
void writeTableFiles(const TableDescription& table, const std::vector<const char*>& records,
                     qint32 autoincCounter, const QString& dbPath);

// movimento.DB -> movimento.PX (movimento.db -> movimento.px).
QString primaryIndexPath(const QString& dbPath);

// Throws "Drive not ready." when the directory that should hold `filePath` is missing.
void requireDirectoryOf(const QString& filePath);

// Field and table names in the header's code page; throws when one cannot be stored.
QByteArray encodeName(const QString& name, int maxBytes, const QString& what);

}  // namespace meru::paradox
