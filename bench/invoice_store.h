#pragma once
// A store of many invoices for the benchmarks: n invoices spread over months of
// 1,000 invoices each, all unsent.

#include "data/database.h"
#include "data/table_access.h"
#include "data/working_store.h"
#include "platform/engine_config.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

namespace meru::bench {

inline QString monthOf(int i) {
    const int month = i / 1000;
    return QStringLiteral("%1%2").arg(month % 12 + 1, 2, 10, QLatin1Char('0')).arg(2000 + month / 12);
}

// Lays out dir/based with n invoices and points the alias at it.
inline void fillInvoiceStore(const QString& programDir, int n) {
    const QString based = QDir(programDir).filePath(QStringLiteral("based"));
    createWorkingStore(based, QString());
    platform::EngineConfig::instance().setAliasPath(QStringLiteral("MERUDBPX"), based);
    Database db;
    db.open();
    TableAccess movimento(db, db.table(QStringLiteral("movimento")));
    db.connection().exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < n; ++i) {
        const QDate day = QDate(2004, 3, 1).addDays(i % 365);
        movimento.insert({QVariant(), QStringLiteral("12345678000195"), QStringLiteral("PROC-%1").arg(i), day, day,
                          100.0 + i % 997, QStringLiteral("%1").arg(10000000000000LL + i * 7919LL),
                          QStringLiteral("123456789"), monthOf(i), QStringLiteral("N"), QStringLiteral("N"),
                          QString::number(i), QVariant()});
    }
    db.connection().exec(QStringLiteral("COMMIT"));
}

}  // namespace meru::bench
