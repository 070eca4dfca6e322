#pragma once
// Empty export tables (the saida/ templates): a keyed Paradox 7 table with its
// primary index, made by pxlib from the declared layout.

#include "data/schema.h"

#include <QString>

namespace meru::paradox {

// Creates (or replaces) dbPath, e.g. /x/movimento.DB, and its primary index
// /x/movimento.PX: the declared fields in order, the leading def.keyFieldCount of
// them as the key, code page 1252, no records. An unkeyed definition gets no index.
// Throws EngineError.
void createTable(const schema::TableDef& def, const QString& dbPath);

}  // namespace meru::paradox
