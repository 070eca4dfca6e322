#pragma once
// The table utility's rebuild, as the program calls it at start-up for each
// working table. Ours maintains the SQLite store: it checks the table named by the
// path (program dir + "based\movimento.DB" checks the table movimento in the
// database file based/movimento.DB) with SQLite's integrity check of that table
// (pages, constraints, and every index against the rows); when the check finds
// damage it rebuilds the table's indexes and checks again. It never creates a store, never throws, and leaves a sound store
// untouched.
//
// The handle, the driver type and the last four arguments are taken as given and
// not used; both '\' and '/' separate the path.

#include <QString>
#include <functional>

namespace meru {

enum RebuildResult : int {
    kRebuildOk = 0,
    kRebuildNoTableName = 1,
    kRebuildStoreNotOpened = 2,  // no store file, or not a database
    kRebuildNoSuchTable = 3,
    kRebuildDamaged = 4,         // damage that a rebuild of the indexes did not repair
    kRebuildFailed = 5,          // any other failure of the store
};

int TURebuildTable(int handle, const char* tableName, const char* driverType,
                   const char* backupTable, const char* keyViolationTable,
                   const char* problemTable, void* newDescription);

// Called at the start of every rebuild with the handle, the table name and the
// driver type exactly as passed (null as an empty text). An empty function
// removes the observer.
void setRebuildObserver(std::function<void(int, QString, QString)> observer);

}  // namespace meru
