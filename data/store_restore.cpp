#include "data/store_restore.h"

#include "data/engine_error.h"
#include "data/schema.h"
#include "data/store_backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace meru {

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

bool holdsEveryTable(const QDir& copy) {
    for (const schema::TableDef* def : schema::workingTables())
        if (!QFileInfo(copy.filePath(def->fileName)).isFile()) return false;
    return true;
}

// The files that make up the store's tables: each table file and its logs.
QStringList storeFiles(const QDir& store) {
    QStringList files;
    for (const schema::TableDef* def : schema::workingTables())
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
            if (QFileInfo::exists(store.filePath(def->fileName + suffix))) files << def->fileName + suffix;
    return files;
}

[[noreturn]] void cannotRestore(const QString& why) {
    throw EngineError(QStringLiteral("Não foi possível repor a cópia dos dados.\n") + why);
}

}  // namespace

QString newestStoreCopy(const QString& storeDir) {
    const QDir copies(copiesDirectory(storeDir));
    QStringList names = copies.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        if (name.endsWith(QLatin1String(".new"))) continue;  // a copy that was never finished
        if (holdsEveryTable(QDir(copies.filePath(name)))) return copies.filePath(name);
    }
    return {};
}

QDateTime storeCopyTime(const QString& copyDir) {
    return QDateTime::fromString(QFileInfo(copyDir).fileName().left(kStampFormat.size()), kStampFormat);
}

QString restoreStoreCopy(const QString& copyDir, const QString& storeDir) {
    const QDir copy(copyDir);
    const QDir store(storeDir);
    if (!holdsEveryTable(copy)) cannotRestore(QStringLiteral("A cópia em %1 está incompleta.").arg(QDir::toNativeSeparators(copyDir)));

    const QDir parent = QFileInfo(QDir::cleanPath(storeDir)).dir();
    const QString stamp = QDateTime::currentDateTime().toString(kStampFormat);
    QString aside = parent.filePath(QStringLiteral("based-danificada-") + stamp);
    for (int n = 1; QFileInfo::exists(aside); ++n) aside = parent.filePath(QStringLiteral("based-danificada-%1-%2").arg(stamp).arg(n));
    if (!QDir().mkpath(aside)) cannotRestore(QStringLiteral("Não foi possível criar %1.").arg(QDir::toNativeSeparators(aside)));

    // Undoes what was done so far: the copied tables out, the store's own files back.
    std::vector<QString> moved;
    QStringList copied;
    const auto undo = [&] {
        for (const QString& f : copied) QFile::remove(store.filePath(f));
        for (const QString& f : moved) QFile::rename(QDir(aside).filePath(f), store.filePath(f));
        QDir(aside).rmdir(aside);
    };

    for (const QString& f : storeFiles(store)) {
        if (!QFile::rename(store.filePath(f), QDir(aside).filePath(f))) {
            undo();
            cannotRestore(QStringLiteral("Não foi possível mover %1 para %2.")
                              .arg(QDir::toNativeSeparators(store.filePath(f)), QDir::toNativeSeparators(aside)));
        }
        moved.push_back(f);
    }
    for (const schema::TableDef* def : schema::workingTables()) {
        const QString target = store.filePath(def->fileName);
        const QString partial = target + QStringLiteral(".restoring");
        QFile::remove(partial);
        if (!QFile::copy(copy.filePath(def->fileName), partial) || !QFile::rename(partial, target)) {
            QFile::remove(partial);
            undo();
            cannotRestore(QStringLiteral("Não foi possível copiar %1 para %2.")
                              .arg(QDir::toNativeSeparators(copy.filePath(def->fileName)), QDir::toNativeSeparators(target)));
        }
        // A copied file keeps the copy's read-only bits, if any; the store must be writable.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
        copied << def->fileName;
    }
    return aside;
}

}  // namespace meru
