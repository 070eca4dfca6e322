#include "temp_store.h"

#include "data/dm_dados.h"
#include "data/sqlite_connection.h"
#include "data/store_backup.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace meru;

namespace {

int rowsIn(const QString& file, const QString& table) {
    sqlite::Connection c(file, sqlite::Connection::Mode::ReadWrite);
    return c.lines(QStringLiteral("SELECT count(*) FROM ") + table).first().toInt();
}

TEST(StoreBackup, ACopyHoldsEveryTableAsItStandsAndTheNewestTwelveAreKept) {
    test::TempStore store;
    Tdm_dados dm;
    dm.qry_referencias->insert();
    dm.qry_referencias->fieldByName("ref_mesreferencia")->setAsString("032004");
    dm.qry_referencias->post();

    const QString first = keepStoreCopy(*dm.Database1);
    EXPECT_EQ(QFileInfo(first).path(), store.programDir() + "copias");
    for (const schema::TableDef* def : schema::workingTables())
        EXPECT_TRUE(QFileInfo::exists(QDir(first).filePath(def->fileName))) << def->fileName.toStdString();
    EXPECT_EQ(rowsIn(QDir(first).filePath("referencias.DB"), "referencias"), 1);
    EXPECT_FALSE(QFileInfo::exists(QDir(first).filePath("referencias.DB-wal")));

    // A later change does not reach the copy: it can be put back.
    dm.apaga_ref->emptyTable();
    EXPECT_EQ(rowsIn(QDir(first).filePath("referencias.DB"), "referencias"), 1);

    QStringList made{first};
    for (int i = 0; i < kKeptCopies; ++i) made << keepStoreCopy(*dm.Database1);
    const QStringList kept = QDir(store.programDir() + "copias").entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    ASSERT_EQ(kept.size(), kKeptCopies);
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(QDir(store.programDir() + "copias").filePath(kept.last()), made.last());
    EXPECT_EQ(rowsIn(QDir(made.last()).filePath("referencias.DB"), "referencias"), 0);
}

}  // namespace
