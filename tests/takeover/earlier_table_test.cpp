// The reader of earlier tables against pxlib, both ways: pxlib reads what the
// tests' writer writes, and the reader reads what pxlib writes.

#include "earlier_store.h"

#include "data/earlier_rows.h"
#include "data/paradox/earlier_table.h"
#include "data/paradox/paradox_table.h"
#include "data/paradox/table_reader.h"
#include "data/value_codec.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace meru::test {
namespace {

TEST(EarlierTable, PxlibReadsWhatTheTestsWriteInVersion7) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cadastro.DB");
    const PxTable written = cadastroTable(0x0C, 1252);
    writeParadox(path, written);
    const paradox::ParadoxContents c = paradox::readTable(path);
    EXPECT_EQ(c.version, 0x0C);
    EXPECT_EQ(c.codePage, 1252);
    EXPECT_EQ(c.autoincCounter, 12);
    ASSERT_EQ(c.fields.size(), schema::cadastro().fields.size());
    EXPECT_EQ(c.fields[5].name, QString::fromUtf8("cad_nm_responsável"));
    ASSERT_EQ(c.rows.size(), written.rows.size());
    for (size_t r = 0; r < c.rows.size(); ++r)
        for (size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_TRUE(sameValue(schema::cadastro().fields[i].type, c.rows[r][i], written.rows[r][i])) << r << " " << i;
}

TEST(EarlierTable, ReadsWhatPxlibWrites) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cadastro.DB");
    const schema::TableDef& def = schema::cadastroExport();
    paradox::createTable(def, path);
    const PxTable rows = cadastroTable(0x0C, 1252);
    paradox::ParadoxTable table(def);
    table.open(path);
    for (const auto& row : rows.rows) table.append(row);
    table.close();

    const paradox::EarlierTable earlier(path);
    EXPECT_EQ(earlier.version(), 0x0C);
    EXPECT_EQ(earlier.codePage(), 1252);
    EXPECT_EQ(earlier.recordCount(), 3);
    EXPECT_EQ(earlier.fields()[5].name, QString::fromUtf8("cad_nm_responsável"));
    const EarlierRows reader(schema::cadastro(), earlier);
    std::vector<std::vector<QVariant>> read;
    earlier.forEachRecord([&](int row, const char* record) {
        std::vector<QVariant> values;
        reader.read(row, record, values);
        for (size_t i = 0; i < values.size(); ++i) values[i] = codec::fromStorage(def.fields[i].type, values[i]);
        read.push_back(values);
    });
    // pxlib keeps the rows in key order: the unit name leads the key.
    ASSERT_EQ(read.size(), 3u);
    for (const auto& row : read) {
        const auto written = std::find_if(rows.rows.begin(), rows.rows.end(),
                                          [&](const auto& w) { return w[13].toLongLong() == row[13].toLongLong(); });
        ASSERT_NE(written, rows.rows.end());
        for (size_t i = 0; i < row.size(); ++i)
            EXPECT_TRUE(sameValue(def.fields[i].type, row[i], (*written)[i])) << i << " " << row[i].toString().toStdString();
    }
}

TEST(EarlierTable, NumbersDatesAndShortsAtTheirEdges) {
    QTemporaryDir dir;
    const QString path = dir.filePath("m.DB");
    PxTable t{0x05, 850, 1, 0, columnsOf(schema::municipios(), 0x05), {}};
    t.rows = {{-32767, "a", "1", "x", -0.0, 1e300}, {32767, "b", "2", "y", 0.0, -1e-300}, {0, "c", "3", "z", -1.0, 123456.789}};
    writeParadox(path, t);
    const paradox::EarlierTable earlier(path);
    std::vector<std::vector<QVariant>> read;
    const EarlierRows reader(schema::municipios(), earlier);
    earlier.forEachRecord([&](int row, const char* record) {
        std::vector<QVariant> values;
        reader.read(row, record, values);
        read.push_back(values);
    });
    ASSERT_EQ(read.size(), 3u);
    for (size_t r = 0; r < 3; ++r)
        for (size_t i = 0; i < 6; ++i)
            EXPECT_TRUE(sameValue(schema::municipios().fields[i].type,
                                  codec::fromStorage(schema::municipios().fields[i].type, read[r][i]), t.rows[r][i]))
                << r << " " << i;
}

// After deletions and inserts the block chain no longer runs in file order: the
// rows are the chain's.
TEST(EarlierTable, FollowsTheBlockChainNotTheFileOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath("movimento.DB");
    const PxTable written = movimentoTable(0x0C, 1252, 30);  // 11 to a block: 3 blocks
    QByteArray bytes = paradoxBytes(written);
    const int header = 0x800, block = 2048;
    const QByteArray first = bytes.mid(header, block), second = bytes.mid(header + block, block);
    bytes.replace(header, block, second);
    bytes.replace(header + block, block, first);
    auto put = [&](int at, int v) { qToLittleEndian<quint16>(quint16(v), bytes.data() + at); };
    put(0x0E, 2);                  // the chain starts in the second block of the file,
    put(header + block, 1);        // goes on to the first,
    put(header + block + 2, 0);
    put(header, 3);                // then to the third
    put(header + 2, 2);
    put(header + 2 * block + 2, 1);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    const paradox::EarlierTable earlier(path);
    std::vector<int> rows, numbers;
    earlier.forEachRecord([&](int row, const char* record) {
        rows.push_back(row);
        numbers.push_back(paradox::longValue(record));
    });
    ASSERT_EQ(numbers.size(), 30u);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(rows[size_t(i)], i + 1);
        EXPECT_EQ(numbers[size_t(i)], written.rows[size_t(i)][0].toInt());
    }
}

}  // namespace
}  // namespace meru::test
