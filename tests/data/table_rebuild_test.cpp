#include "data/table_rebuild.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../platform/qstring_printer.h"
#include <sqlite3.h>
#include <tuple>

using namespace meru;

namespace {

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
}

QString integrity(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QStringList lines;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return lines.join('\n');
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TableRebuild : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir("based"));
        programDir = dir.path() + '/';
        store = programDir + "based/movimento.DB";
    }
    void TearDown() override { setRebuildObserver({}); }

    // One database file per table, as the working store keeps them.
    void createTable(const char* file, const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(programDir + "based/" + file).constData(), &db), SQLITE_OK);
        exec(db, sql);
        sqlite3_close(db);
    }

    void createStore() {
        createTable("movimento.DB",
                    "CREATE TABLE movimento (mov_id INTEGER PRIMARY KEY AUTOINCREMENT, mov_nr_nf TEXT,"
                    " mov_cd_cnpj TEXT);"
                    "CREATE INDEX movimento_cnpj ON movimento (mov_cd_cnpj);"
                    "INSERT INTO movimento (mov_nr_nf, mov_cd_cnpj) VALUES ('1', '12345678000195'),"
                    " ('2', '00000000000191'), ('3', '11111111000111');");
        createTable("cadastro.DB", "CREATE TABLE CADASTRO (cad_cd_cnpj TEXT PRIMARY KEY, cad_dc_unidade TEXT);");
        createTable("municipios.DB", "CREATE TABLE municipios (AR_CODNOVO TEXT, AR_DESCR TEXT);");
        createTable("referencias.DB",
                    "CREATE TABLE referencias (ref_controle INTEGER PRIMARY KEY AUTOINCREMENT,"
                    " ref_mesreferencia TEXT);");
    }

    // Declares the index on another column than the one it was built from, so
    // that its entries no longer match the rows.
    void misdeclareIndex() {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(store).constData(), &db), SQLITE_OK);
        exec(db,
             "PRAGMA writable_schema = ON;"
             "UPDATE sqlite_master SET sql = 'CREATE INDEX movimento_cnpj ON movimento (mov_nr_nf)'"
             " WHERE name = 'movimento_cnpj';"
             "PRAGMA writable_schema = OFF;");
        sqlite3_close(db);
    }

    // Overwrites the header of the index's root page, as a failing disk would.
    void damageIndex() {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(store).constData(), &db), SQLITE_OK);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE name = 'movimento_cnpj'", -1, &stmt, nullptr);
        ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
        const int root = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        QFile file(store);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(qint64(root - 1) * 4096));
        file.write(QByteArray(16, char(0xff)));
    }

    int rebuild(const QString& tableName, int handle = 44) {
        const QByteArray name = tableName.toUtf8();
        return TURebuildTable(handle, name.constData(), "STANDART", nullptr, nullptr, nullptr,
                              nullptr);
    }

    QTemporaryDir dir;
    QString programDir;
    QString store;
};

TEST_F(TableRebuild, SoundTablesPassAndTheStoreIsLeftUntouched) {
    createStore();
    const QByteArray before = contents(store);
    for (const char* table : {"movimento.DB", "cadastro.DB", "municipios.DB", "referencias.DB"}) {
        EXPECT_EQ(rebuild(programDir + "based\\" + table), kRebuildOk) << table;
        EXPECT_EQ(rebuild(programDir + "based/" + table), kRebuildOk) << table;
    }
    EXPECT_EQ(contents(store), before);
}

TEST_F(TableRebuild, WindowsSeparatorsThroughout) {
    createStore();
    QString path = programDir + "based/movimento.DB";
    path.replace('/', '\\');
    EXPECT_EQ(rebuild(path), kRebuildOk);
}

TEST_F(TableRebuild, AnIndexThatDisagreesWithItsRowsIsRebuilt) {
    createStore();
    misdeclareIndex();
    ASSERT_NE(integrity(store), "ok");
    EXPECT_EQ(rebuild(programDir + "based\\movimento.DB"), kRebuildOk);
    EXPECT_EQ(integrity(store), "ok");
}

TEST_F(TableRebuild, DamageIsReportedAndTheFileKept) {
    createStore();
    damageIndex();
    ASSERT_NE(integrity(store), "ok");
    const QByteArray damaged = contents(store);
    EXPECT_EQ(rebuild(programDir + "based\\movimento.DB"), kRebuildDamaged);
    EXPECT_TRUE(QFile::exists(store));
    EXPECT_EQ(contents(store).size(), damaged.size());
}

TEST_F(TableRebuild, DamageElsewhereIsNotThisTablesBusiness) {
    createStore();
    damageIndex();
    EXPECT_EQ(rebuild(programDir + "based\\cadastro.DB"), kRebuildOk);
    EXPECT_NE(integrity(store), "ok");
}

TEST_F(TableRebuild, MissingStoreIsReportedAndNotCreated) {
    EXPECT_EQ(rebuild(programDir + "based\\movimento.DB"), kRebuildStoreNotOpened);
    EXPECT_FALSE(QFile::exists(store));
    EXPECT_EQ(rebuild(programDir + "elsewhere\\movimento.DB"), kRebuildStoreNotOpened);
    EXPECT_FALSE(QDir(programDir + "elsewhere").exists());
}

TEST_F(TableRebuild, FileThatIsNoDatabaseIsReportedAndKept) {
    QFile f(store);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray junk(4096, 'x');
    f.write(junk);
    f.close();
    EXPECT_EQ(rebuild(programDir + "based\\movimento.DB"), kRebuildStoreNotOpened);
    EXPECT_EQ(contents(store), junk);
}

TEST_F(TableRebuild, UnknownTableAndMissingNameAreReported) {
    createStore();
    EXPECT_EQ(rebuild(programDir + "based\\notas.DB"), kRebuildStoreNotOpened);
    createTable("notas.DB", "CREATE TABLE outra (x TEXT);");
    EXPECT_EQ(rebuild(programDir + "based\\notas.DB"), kRebuildNoSuchTable);
    EXPECT_EQ(TURebuildTable(44, nullptr, "STANDART", nullptr, nullptr, nullptr, nullptr),
              kRebuildNoTableName);
    EXPECT_EQ(TURebuildTable(44, "", "STANDART", nullptr, nullptr, nullptr, nullptr),
              kRebuildNoTableName);
}

TEST_F(TableRebuild, ObserverSeesEveryCallAsPassed) {
    std::vector<std::tuple<int, QString, QString>> calls;
    setRebuildObserver([&](int handle, QString table, QString driver) {
        calls.emplace_back(handle, table, driver);
    });
    createStore();
    rebuild(programDir + "based\\movimento.DB", 44);
    rebuild(programDir + "based\\cadastro.DB", 45);
    TURebuildTable(46, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const std::vector<std::tuple<int, QString, QString>> expected = {
        {44, programDir + "based\\movimento.DB", "STANDART"},
        {45, programDir + "based\\cadastro.DB", "STANDART"},
        {46, QString(), QString()}};
    EXPECT_EQ(calls, expected);

    setRebuildObserver({});
    rebuild(programDir + "based\\movimento.DB", 47);
    EXPECT_EQ(calls.size(), 3u);
}

TEST_F(TableRebuild, ObserverThatThrowsDoesNotEscape) {
    setRebuildObserver([](int, QString, QString) { throw std::runtime_error("observer"); });
    EXPECT_EQ(rebuild(programDir + "based\\movimento.DB"), kRebuildFailed);
}

}  // namespace
