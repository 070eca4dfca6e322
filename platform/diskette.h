#pragma once
// Drive A: as a directory: what it holds, whether it may be formatted, and
// formatting it (emptying it). Formatting never reaches outside the directory.

#include <QString>
#include <QStringList>

namespace meru::platform {

// Why the directory that drive A: names cannot be formatted; empty when it can.
// A missing directory is a drive without a disk; a directory that is plainly no
// removable disk (the file system's root, a home directory, the program
// directory, the store or a directory that holds one of them) is refused.
QString whyNotFormattable(const QString& driveDir);

// The entries of the directory, directories marked with a trailing '/'.
QStringList diskContents(const QString& driveDir);

// Removes every entry of the directory, the directory itself kept. Links are
// removed, never followed. Returns an empty text, or what could not be removed.
QString emptyDisk(const QString& driveDir);

}  // namespace meru::platform
