#pragma once
// The claim of one running copy of the program on a store directory. The claim
// is a lock that the system holds on a file in the directory: it goes with the
// process, so a copy that was killed leaves nothing that blocks the next start.

#include <QString>

namespace meru {

// Whether this user may write the file or directory (as the system decides,
// for whom root may write whatever the permissions say).
bool writableByThisUser(const QString& path);

class StoreLock {
public:
    // Refuses, raising an EngineError with the operator's message, a directory
    // that this user cannot write (nor its table files), and one that another
    // copy of the program holds.
    explicit StoreLock(const QString& storeDir);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    static QString lockFileName() { return QStringLiteral("meru.lck"); }

private:
    int fd_ = -1;
};

}  // namespace meru
