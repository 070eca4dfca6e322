#include "export_rows.h"

#include "data/paradox/paradox_table.h"
#include "data/paradox/table_reader.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <random>

namespace meru::paradox::test {
namespace {

using schema::FieldType;

std::vector<int> controlNumbers(const ParadoxContents& c) {
    std::vector<int> n;
    for (const auto& r : c.rows) n.push_back(r[0].toInt());
    return n;
}

TEST_F(ParadoxTest, OutOfOrderAppendsAreWrittenInKeyOrderWithTheIndexRebuilt) {
    const QString db = makeTemplate(schema::movimentoExport());
    appendAll(schema::movimentoExport(), db,
              {Invoice{.controle = 5}.row(), Invoice{.controle = 2}.row(), Invoice{.controle = 9}.row()});

    const ParadoxContents c = readTable(db);
    EXPECT_EQ(controlNumbers(c), (std::vector<int>{2, 5, 9}));
    EXPECT_EQ(c.recordCount, 3);
    const PrimaryIndexContents px = readPrimaryIndex(path("movimento.PX"), db);
    EXPECT_EQ(px.fileType, 1);
    EXPECT_EQ(px.entryCount, 1);  // one data block
    EXPECT_EQ(px.indexedRecords, 3);
    EXPECT_EQ(px.tableName, "movimento.DB");
    EXPECT_TRUE(px.attachesToTable);
}

// Rows already in the table and rows appended later are merged into one order,
// across many data blocks.
TEST_F(ParadoxTest, ShuffledAppendsOverSeveralSessionsEndInKeyOrder) {
    std::vector<int> keys(600);
    std::iota(keys.begin(), keys.end(), 1);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(20040315));
    const QString db = makeTemplate(schema::movimentoExport());
    for (int part = 0; part < 3; ++part) {
        std::vector<Row> rows;
        for (int i = part * 200; i < (part + 1) * 200; ++i) rows.push_back(Invoice{.controle = keys[size_t(i)]}.row());
        appendAll(schema::movimentoExport(), db, rows);
    }
    const ParadoxContents c = readTable(db);
    std::vector<int> sorted(keys);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(controlNumbers(c), sorted);
    EXPECT_EQ(c.recordCount, 600);
    EXPECT_EQ(c.recordsInBlocks, 600);
    EXPECT_EQ(c.autoincCounter, 600);
    const PrimaryIndexContents px = readPrimaryIndex(path("movimento.PX"), db);
    EXPECT_GT(px.dataBlocks, 1);
    EXPECT_EQ(px.indexedRecords, 600);
    EXPECT_TRUE(px.attachesToTable);
}

struct KeyOrder {
    const char* name;
    FieldType type;
    std::vector<QVariant> appended;
    std::vector<int> expected;  // positions in `appended`, in the order read back
};
void PrintTo(const KeyOrder& p, std::ostream* os) { *os << p.name; }


class KeyOrderTest : public ParadoxTest, public ::testing::WithParamInterface<KeyOrder> {};

// NULL first, numbers and dates by value, Alpha by its Windows-1252 bytes.
TEST_P(KeyOrderTest, RowsAreReadBackInKeyOrder) {
    const KeyOrder& p = GetParam();
    const schema::TableDef def{"k", "k.DB", {{"k", p.type, p.type == FieldType::Alpha ? 10 : 0}, {"pos", FieldType::Short, 0}}, {}, 1};
    const QString db = makeTemplate(def);
    std::vector<Row> rows;
    for (size_t i = 0; i < p.appended.size(); ++i) rows.push_back({p.appended[i], int(i)});
    appendAll(def, db, rows);

    std::vector<int> order;
    for (const auto& r : readTable(db).rows) order.push_back(r[1].toInt());
    EXPECT_EQ(order, p.expected);
}

QVariant text(const char* utf8) { return QString::fromUtf8(utf8); }
QVariant stamp(int y, int m, int d, int h = 0, int min = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min), QTimeZone::utc());
}

INSTANTIATE_TEST_SUITE_P(
    Types, KeyOrderTest,
    ::testing::Values(
        KeyOrder{"Alpha", FieldType::Alpha,
                 {text("b"), text("A"), text("ab"), text(""), text("a"), text("É"), text("B")},
                 {3, 1, 6, 4, 2, 0, 5}},
        KeyOrder{"Number", FieldType::Number,
                 {2.0, -1.5, 0.0, -100.0, QVariant(), 1e10, -0.25},
                 {4, 3, 1, 6, 2, 0, 5}},
        KeyOrder{"Short", FieldType::Short, {3, -2, QVariant(), 32767, -32767, 0}, {2, 4, 1, 5, 0, 3}},
        KeyOrder{"Date", FieldType::Date,
                 {QDate(2004, 3, 15), QDate(1, 1, 1), QVariant(), QDate(1999, 12, 31), QDate(9999, 12, 31)},
                 {2, 1, 3, 0, 4}},
        KeyOrder{"Timestamp", FieldType::Timestamp,
                 {stamp(2004, 3, 15, 12), stamp(2004, 3, 15), QVariant(), stamp(1900, 1, 1), stamp(2004, 3, 14, 23, 59)},
                 {2, 3, 4, 1, 0}},
        KeyOrder{"Autoinc", FieldType::Autoinc, {70000, 3, 65536, 1}, {3, 1, 2, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParadoxTest, UnitsAreOrderedByTheirLeadingFieldsFirst) {
    const QString db = makeTemplate(schema::cadastroExport());
    appendAll(schema::cadastroExport(), db,
              {Unit{.unidade = QStringLiteral("B"), .controle = 1}.row(),
               Unit{.unidade = QStringLiteral("A"), .endereco = QStringLiteral("Z"), .controle = 2}.row(),
               Unit{.unidade = QStringLiteral("A"), .endereco = QStringLiteral("Y"), .controle = 3}.row()});
    std::vector<int> numbers;
    for (const auto& r : readTable(db).rows) numbers.push_back(r[13].toInt());
    EXPECT_EQ(numbers, (std::vector<int>{3, 2, 1}));
    const PrimaryIndexContents px = readPrimaryIndex(path("cadastro.PX"), db);
    EXPECT_EQ(px.indexedRecords, 3);
    EXPECT_EQ(px.tableName, "cadastro.DB");
    EXPECT_TRUE(px.attachesToTable);
}

}  // namespace
}  // namespace meru::paradox::test
