#pragma once
// The plain pxlib way of writing a table, as a yardstick for ParadoxTable in the
// benchmarks: create the file, PX_insert_record each row straight to disk, close,
// then build the primary index. No checks at all: the rows must already be valid,
// in key order and free of duplicates, and every text must fit code page 1252.

#include "data/schema.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace meru::paradox {

// Writes dbPath (replacing it) and, for a keyed table, its primary index.
// Throws EngineError when pxlib fails.
void bareAppendLoop(const schema::TableDef& def, const QString& dbPath,
                    const std::vector<std::vector<QVariant>>& rows);

}  // namespace meru::paradox
