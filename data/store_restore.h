#pragma once
// Putting a kept copy of the store back (see store_backup.h) when the store's
// own tables can no longer be read. Nothing is thrown away: the files replaced
// go to a directory of their own beside the store's directory.

#include <QDateTime>
#include <QString>

namespace meru {

// The newest copy that holds every working table; empty when there is none.
QString newestStoreCopy(const QString& storeDir);
// When the copy was made, from its directory's name.
QDateTime storeCopyTime(const QString& copyDir);

// Moves the store's table files (with their write-ahead logs) into a new
// directory "based-danificada-<date-time>" beside storeDir, then copies the
// copy's tables in. Returns the directory that holds the replaced files. Raises
// with a message when it cannot, leaving the store's files as they were.
QString restoreStoreCopy(const QString& copyDir, const QString& storeDir);

}  // namespace meru
