#include "platform/table_rebuild.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace meru::platform {

namespace {

std::function<void(int, QString, QString)>& observer() {
    static std::function<void(int, QString, QString)> instance;
    return instance;
}

class StoreHandle {
public:
    explicit StoreHandle(const QString& path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
        }
        if (db_) sqlite3_busy_timeout(db_, 2000);
    }
    ~StoreHandle() { sqlite3_close(db_); }
    StoreHandle(const StoreHandle&) = delete;
    StoreHandle& operator=(const StoreHandle&) = delete;
    sqlite3* get() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

QString quotedName(const QString& name) {
    QString inner = name;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// The table's name as the store spells it; empty when it has no such table.
// SQLITE_NOTADB and the like come back through rc.
QString storedTableName(sqlite3* db, const QString& name, int& rc) {
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db,
                            "SELECT name FROM sqlite_master WHERE type = 'table' "
                            "AND name = ?1 COLLATE NOCASE",
                            -1, &stmt, nullptr);
    QString found;
    if (rc == SQLITE_OK) {
        const QByteArray utf8 = name.toUtf8();
        sqlite3_bind_text(stmt, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            found = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            rc = SQLITE_OK;
        } else if (rc == SQLITE_DONE) {
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    return found;
}

enum class Check { Sound, Damaged, Failed };

Check integrityOf(sqlite3* db, const QString& table) {
    const QByteArray sql = ("PRAGMA integrity_check(" + quotedName(table) + ")").toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return Check::Failed;
    }
    Check result = Check::Sound;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto* line = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        if (!line || qstrcmp(line, "ok") != 0) result = Check::Damaged;
    }
    if (rc != SQLITE_DONE) result = rc == SQLITE_CORRUPT ? Check::Damaged : Check::Failed;
    sqlite3_finalize(stmt);
    return result;
}

int rebuild(const char* tableName) {
    if (!tableName || !*tableName) return kRebuildNoTableName;
    QString path = QString::fromUtf8(tableName);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo table(path);
    // Each working table is a database file of its own, named as the table's file.
    const QString storePath = table.filePath();
    if (!QFileInfo(storePath).isFile()) return kRebuildStoreNotOpened;

    StoreHandle store(storePath);
    if (!store.get()) return kRebuildStoreNotOpened;
    int rc = SQLITE_OK;
    const QString name = storedTableName(store.get(), table.completeBaseName(), rc);
    if (rc == SQLITE_NOTADB) return kRebuildStoreNotOpened;
    if (rc != SQLITE_OK) return kRebuildFailed;
    if (name.isEmpty()) return kRebuildNoSuchTable;

    switch (integrityOf(store.get(), name)) {
    case Check::Sound: return kRebuildOk;
    case Check::Failed: return kRebuildFailed;
    case Check::Damaged: break;
    }
    const QByteArray reindex = ("REINDEX " + quotedName(name)).toUtf8();
    if (sqlite3_exec(store.get(), reindex.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return kRebuildDamaged;
    return integrityOf(store.get(), name) == Check::Sound ? kRebuildOk : kRebuildDamaged;
}

}  // namespace

int TURebuildTable(int handle, const char* tableName, const char* driverType,
                   const char* /*backupTable*/, const char* /*keyViolationTable*/,
                   const char* /*problemTable*/, void* /*newDescription*/) {
    try {
        if (observer())
            observer()(handle, tableName ? QString::fromUtf8(tableName) : QString(),
                       driverType ? QString::fromUtf8(driverType) : QString());
        return rebuild(tableName);
    } catch (...) {
        return kRebuildFailed;
    }
}

void setRebuildObserver(std::function<void(int, QString, QString)> observer_) {
    observer() = std::move(observer_);
}

}  // namespace meru::platform
