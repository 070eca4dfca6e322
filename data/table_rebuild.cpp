#include "data/table_rebuild.h"

#include "data/engine_error.h"
#include "data/sqlite_connection.h"
#include "data/store_check.h"

#include <QFileInfo>

namespace meru {

namespace {

std::function<void(int, QString, QString)>& observer() {
    static std::function<void(int, QString, QString)> instance;
    return instance;
}

int rebuild(const char* tableName) {
    if (!tableName || !*tableName) return kRebuildNoTableName;
    QString path = QString::fromUtf8(tableName);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // Each working table is a database file of its own, named as the table's file.
    const QFileInfo table(path);
    if (!table.isFile()) return kRebuildStoreNotOpened;

    std::unique_ptr<sqlite::Connection> store;
    QString name;
    try {
        store = std::make_unique<sqlite::Connection>(table.filePath(), sqlite::Connection::Mode::ReadWrite);
        name = storedTableName(*store, QStringLiteral("main"), table.completeBaseName());
    } catch (const EngineError&) {
        return kRebuildStoreNotOpened;
    }
    if (name.isEmpty()) return kRebuildNoSuchTable;

    try {
        if (tableDamage(*store, QStringLiteral("main"), name, TableCheck::Full).isEmpty()) return kRebuildOk;
        store->exec(QStringLiteral("REINDEX ") + quotedName(name));
    } catch (const EngineError&) {
        return kRebuildDamaged;
    }
    try {
        return tableDamage(*store, QStringLiteral("main"), name, TableCheck::Full).isEmpty() ? kRebuildOk
                                                                                          : kRebuildDamaged;
    } catch (const EngineError&) {
        return kRebuildDamaged;
    }
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

}  // namespace meru
