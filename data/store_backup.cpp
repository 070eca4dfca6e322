#include "data/store_backup.h"

#include "data/database.h"
#include "data/engine_error.h"
#include "data/sqlite_connection.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace meru {

namespace {

void backupTable(sqlite::Connection& source, const QString& schemaName, const QString& file) {
    sqlite::Connection target(file, sqlite::Connection::Mode::Create);
    const QByteArray from = schemaName.toUtf8();
    sqlite3_backup* backup = sqlite3_backup_init(target.handle(), "main", source.handle(), from.constData());
    if (!backup) sqlite::fail(target.handle(), QStringLiteral("File: ") + file);
    int rc;
    while ((rc = sqlite3_backup_step(backup, -1)) == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        sqlite3_sleep(50);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) sqlite::fail(target.handle(), QStringLiteral("File: ") + file);
    // The copy stands alone: no write-ahead log beside it.
    target.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
}

void removeOldestCopies(const QDir& copies) {
    QStringList names = copies.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    names.removeIf([](const QString& n) { return n.endsWith(QLatin1String(".new")); });
    while (names.size() > kKeptCopies) QDir(copies.filePath(names.takeFirst())).removeRecursively();
}

}  // namespace

QString copiesDirectory(const QString& storeDir) {
    return QFileInfo(QDir::cleanPath(storeDir)).dir().filePath(QStringLiteral("copias"));
}

QString keepStoreCopy(Database& database) {
    const QDir copies(copiesDirectory(database.directory()));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString target = copies.filePath(stamp);
    for (int n = 1; QFileInfo::exists(target); ++n) target = copies.filePath(stamp + QStringLiteral("-%1").arg(n));
    const QString building = target + QStringLiteral(".new");
    QDir(building).removeRecursively();
    if (!QDir().mkpath(building))
        throw EngineError(QStringLiteral("Não foi possível criar a cópia de segurança em %1.")
                              .arg(QDir::toNativeSeparators(building)));
    try {
        for (const schema::TableDef* def : schema::workingTables()) {
            database.table(def->name);  // raises when the table is not attached
            backupTable(database.connection(), Database::schemaOf(*def), QDir(building).filePath(def->fileName));
        }
    } catch (...) {
        QDir(building).removeRecursively();
        throw;
    }
    if (!QDir().rename(building, target)) {
        QDir(building).removeRecursively();
        throw EngineError(QStringLiteral("Não foi possível criar a cópia de segurança em %1.")
                              .arg(QDir::toNativeSeparators(target)));
    }
    removeOldestCopies(copies);
    return target;
}

}  // namespace meru
