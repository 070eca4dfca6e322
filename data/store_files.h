#pragma once
// What the working tables' files in a directory are: tables of ours (SQLite),
// Paradox tables an earlier installation left, or neither.

#include <QString>
#include <QStringList>

namespace meru {

// The table's file in dir, whatever the case of its name (an earlier
// installation may have written MOVIMENTO.DB); empty when there is none.
QString tableFile(const QString& dir, const QString& fileName);

struct StoreFiles {
    QStringList ours;     // file names of the working tables that are SQLite files
    QStringList paradox;  // and of those that are Paradox tables
};
StoreFiles scanStoreFiles(const QString& dir);

// Whether any file in dir (not only the working tables') is a Paradox table.
bool holdsAParadoxTable(const QString& dir);

}  // namespace meru
