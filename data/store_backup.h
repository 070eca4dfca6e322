#pragma once
// Copies of the working store kept before the operations that change many rows
// at once (month closing, regeneration, clearing), so that a mistaken one can be
// undone. Each copy is a directory named after its time, in the directory
// "copias" beside the store's directory, holding one file per table as the
// store names them; the newest kKeptCopies are kept.

#include <QString>

namespace meru {

class Database;

constexpr int kKeptCopies = 12;

// The directory that holds the copies of the store in storeDir.
QString copiesDirectory(const QString& storeDir);

// Copies every table of the connected database with SQLite's online backup,
// consistent even while the program holds the tables open, then removes the
// oldest copies beyond kKeptCopies. Returns the new copy's directory; raises the
// engine's message when a copy cannot be made (and leaves no half copy).
QString keepStoreCopy(Database& database);

}  // namespace meru
