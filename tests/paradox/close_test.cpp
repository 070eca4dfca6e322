#include "export_rows.h"

#include "data/engine_error.h"
#include "data/paradox/bare_pxlib_loop.h"
#include "data/paradox/paradox_table.h"
#include "data/paradox/table_reader.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace meru::paradox::test {
namespace {

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The data blocks, after the header (whose pointers and time stamps vary).
QByteArray blocksOf(const QString& file) {
    const QByteArray b = bytesOf(file);
    if (b.size() < 4) return {};
    return b.mid(qFromLittleEndian<quint16>(b.constData() + 2));
}

TEST_F(ParadoxTest, FailedCloseLeavesTheTableAsItWas) {
    const QString db = makeTemplate(schema::movimentoExport());
    const QByteArray before = bytesOf(db);
    ParadoxTable table(schema::movimentoExport());
    table.open(db);
    table.append(Invoice{.controle = 1}.row());
    // The index cannot be replaced: a directory stands where it goes.
    ASSERT_TRUE(QFile::remove(path("movimento.PX")));
    ASSERT_TRUE(QDir().mkdir(path("movimento.PX")));

    EXPECT_THROW(table.close(), EngineError);
    EXPECT_FALSE(table.isOpen());
    EXPECT_EQ(bytesOf(db), before);
    EXPECT_EQ(readTable(db).recordCount, 0);
    EXPECT_EQ(QDir(path("")).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"movimento.DB"});
}

TEST_F(ParadoxTest, CloseOnADiskThatWentAwayIsAnError) {
    QDir().mkdir(path("a"));
    const QString db = path("a/movimento.DB");
    createTable(schema::movimentoExport(), db);
    ParadoxTable table(schema::movimentoExport());
    table.open(db);
    table.append(Invoice{.controle = 1}.row());
    ASSERT_TRUE(QDir(path("a")).removeRecursively());
    EXPECT_THROW(table.close(), EngineError);
}

TEST_F(ParadoxTest, CloseWithNothingAppendedLeavesTheFilesAlone) {
    const QString db = makeTemplate(schema::cadastroExport());
    const QByteArray before = bytesOf(db);
    ASSERT_TRUE(QFile::remove(path("cadastro.PX")));
    ParadoxTable table(schema::cadastroExport());
    table.open(db);
    table.close();
    EXPECT_EQ(bytesOf(db), before);
    EXPECT_FALSE(QFile::exists(path("cadastro.PX")));
}

// What ParadoxTable writes is what plain pxlib writes for the same rows: the same
// data blocks, the same index entries.
TEST_F(ParadoxTest, WritesTheSameBlocksAsPlainPxlib) {
    std::vector<Row> rows;
    for (int i = 1; i <= 300; ++i) {
        Invoice inv{.controle = i};
        inv.valor = i * 10.25 - 1000;
        inv.nf = QString::number(i * 7);
        inv.processo = QString::fromUtf8("Processo nº %1 ação").arg(i);
        if (i % 3 == 0) inv.dtProcesso = QVariant();
        if (i % 5 == 0) inv.validade = QStringLiteral("S");
        rows.push_back(inv.row());
    }
    QDir().mkdir(path("ours"));
    QDir().mkdir(path("bare"));
    const QString ours = path("ours/movimento.DB");
    const QString bare = path("bare/movimento.DB");
    createTable(schema::movimentoExport(), ours);
    appendAll(schema::movimentoExport(), ours, rows);
    bareAppendLoop(schema::movimentoExport(), bare, rows);

    EXPECT_EQ(readTable(ours).rows, readTable(bare).rows);
    EXPECT_EQ(blocksOf(ours), blocksOf(bare));
    EXPECT_EQ(blocksOf(path("ours/movimento.PX")), blocksOf(path("bare/movimento.PX")));
    EXPECT_FALSE(blocksOf(ours).isEmpty());
}

}  // namespace
}  // namespace meru::paradox::test
