#pragma once
// The places the program writes beside its store, checked at start: a program
// directory that its user cannot write is refused then, with what to do, rather
// than at the first month closing, whose copy of the store would fail.
//
// The store's own directory and table files are the store claim's to check
// (data/store_lock.h); this adds the rest: where the copies of the store go
// (copias/ beside based/, or the directory that would hold it), the copies kept
// there (the oldest are removed), the lock file, and the files that SQLite keeps
// beside each table (its write-ahead log, shared memory and journal).

#include <QString>
#include <QStringList>

namespace meru {

// What this user cannot write of those places, for the store in storeDir.
QStringList unwritableProgramPlaces(const QString& storeDir);

// The operator's message naming them and what to do; empty when all can be written.
QString programDirectoryRefusal(const QString& storeDir);

// At start: refuses, with the message in an error box (and on the standard
// error, for whoever started the program from a terminal), a program directory
// that cannot be written. A store directory that cannot be written is left to
// the store's claim, which names it. Returns false when refused.
bool checkProgramDirectory();

}  // namespace meru
