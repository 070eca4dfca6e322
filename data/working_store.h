#pragma once
// Lays out the working tables: one SQLite file per table, named as the table's file.

#include "data/schema.h"

#include <QString>

namespace meru {

QString createTableSql(const schema::TableDef& table);
void createWorkingTable(const schema::TableDef& table, const QString& filePath);
// Fills MUNICIPIOS from the tab-separated list (AR_CODNOVO, AR_DESCR); returns the count.
int loadMunicipalities(const QString& filePath, const QString& tsvPath);
// Creates basedDir with the four tables; raises when basedDir already exists.
void createWorkingStore(const QString& basedDir, const QString& municipiosTsv);

}  // namespace meru
