#include "export_rows.h"

#include "data/engine_error.h"
#include "data/paradox/paradox_table.h"
#include "data/paradox/table_reader.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>
#include <functional>
#include <limits>

namespace meru::paradox::test {
namespace {

using schema::FieldType;

const schema::TableDef& movimento() { return schema::movimentoExport(); }
int col(const char* name) { return movimento().indexOf(QString::fromLatin1(name)); }

struct Refusal {
    const char* name;
    std::function<void(Invoice&)> change;
    const char* says;  // part of the message
};
void PrintTo(const Refusal& p, std::ostream* os) { *os << p.name; }


class RefusedValueTest : public ParadoxTest, public ::testing::WithParamInterface<Refusal> {};

// The row is refused before anything is taken: the table still holds only the
// good rows and is still a readable table after closing.
TEST_P(RefusedValueTest, RowIsRefusedAndTheTableStaysWhole) {
    const QString db = makeTemplate(movimento());
    ParadoxTable table(movimento());
    table.open(db);
    table.append(Invoice{.controle = 1}.row());
    Invoice bad{.controle = 2};
    GetParam().change(bad);
    try {
        table.append(bad.row());
        FAIL() << "row taken";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().says))) << e.what();
    }
    EXPECT_EQ(table.recordCount(), 1);
    table.append(Invoice{.controle = 2}.row());  // the key was not used up
    table.close();

    const ParadoxContents c = readTable(db);
    ASSERT_EQ(c.rows.size(), 2u);
    EXPECT_EQ(c.recordCount, 2);
    EXPECT_EQ(c.recordsInBlocks, 2);
    EXPECT_EQ(c.rows[1][size_t(col("mov_nr_processo"))], Invoice{}.processo);
}

INSTANTIATE_TEST_SUITE_P(
    Invoices, RefusedValueTest,
    ::testing::Values(
        Refusal{"TextLongerThanField", [](Invoice& i) { i.processo = QString(25, 'P'); }, "takes 25 bytes, the field holds 24"},
        Refusal{"PolishLetter", [](Invoice& i) { i.processo = QString::fromUtf8("Łódź 1"); }, "U+0141"},
        Refusal{"Ideograph", [](Invoice& i) { i.nf = QString::fromUtf8("日123"); }, "U+65E5"},
        Refusal{"OutsideTheBasicPlane", [](Invoice& i) { i.nf = QString::fromUtf8("nf 😀"); }, "U+1F600"},
        Refusal{"NulCharacter", [](Invoice& i) { i.nf = QString("12") + QChar(0) + "3"; }, "U+0000"},
        Refusal{"TextForNumber", [](Invoice& i) { i.valor = QStringLiteral("12,50"); }, "mov_vl_valor"},
        Refusal{"NumberForText", [](Invoice& i) { i.nf = 123; }, "mov_nr_nf"},
        Refusal{"TextForTimestamp", [](Invoice& i) { i.dtNota = QStringLiteral("15/03/2004"); }, "mov_dt_notaf"},
        Refusal{"NotANumber", [](Invoice& i) { i.valor = std::nan(""); }, "mov_vl_valor"},
        Refusal{"Infinity", [](Invoice& i) { i.valor = std::numeric_limits<double>::infinity(); }, "mov_vl_valor"},
        Refusal{"AutoincZero", [](Invoice& i) { i.controle = 0; }, "out of range"},
        Refusal{"AutoincBeyond32Bits", [](Invoice& i) { i.controle = qlonglong(1) << 32; }, "out of range"},
        Refusal{"YearBeyond9999", [](Invoice& i) { i.dtProcesso = QDate(10000, 1, 1); }, "out of range"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParadoxTest, RowWithTheWrongNumberOfValuesIsRefused) {
    const QString db = makeTemplate(movimento());
    ParadoxTable table(movimento());
    table.open(db);
    Row row = Invoice{.controle = 1}.row();
    row.pop_back();
    EXPECT_THROW(table.append(row), EngineError);
    EXPECT_EQ(table.recordCount(), 0);
}

TEST_F(ParadoxTest, AccentedTextRoundTrips) {
    const QString db = makeTemplate(schema::cadastroExport());
    Unit u{.controle = 1};
    u.unidade = QString::fromUtf8("Secretaria de Educação — Coordenação");
    u.endereco = QString::fromUtf8("Praça Él Dorado, nº 5");
    u.responsavel = QString::fromUtf8("Jürgen Müller ÀÉÎÕÜ çãõ €");
    // 70 characters, 77 bytes in UTF-8: fits the 70-character field in code page 1252.
    u.bairro = QString::fromUtf8("ção") + QString(64, 'a') + QString::fromUtf8("ééé");
    appendAll(schema::cadastroExport(), db, {u.row()});

    const ParadoxContents c = readTable(db);
    ASSERT_EQ(c.rows.size(), 1u);
    EXPECT_EQ(c.rows[0], u.row());
}

TEST_F(ParadoxTest, DuplicateKeyIsRefusedAmongAppendedAndExistingRows) {
    const QString db = makeTemplate(movimento());
    {
        ParadoxTable table(movimento());
        table.open(db);
        table.append(Invoice{.controle = 5}.row());
        EXPECT_THROW(table.append(Invoice{.controle = 5, .nf = QStringLiteral("999")}.row()), EngineError);
        EXPECT_EQ(table.recordCount(), 1);
        table.close();
    }
    ParadoxTable table(movimento());
    table.open(db);
    try {
        table.append(Invoice{.controle = 5}.row());
        FAIL() << "duplicate taken";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().startsWith("Key violation.")) << e.what();
    }
    table.append(Invoice{.controle = 6}.row());
    table.close();
    EXPECT_EQ(readTable(db).rows.size(), 2u);
}

TEST_F(ParadoxTest, UnitKeyIsTheWholeRow) {
    const QString db = makeTemplate(schema::cadastroExport());
    ParadoxTable table(schema::cadastroExport());
    table.open(db);
    table.append(Unit{.controle = 1}.row());
    EXPECT_THROW(table.append(Unit{.controle = 1}.row()), EngineError);
    table.append(Unit{.controle = 2}.row());  // only the row number differs
    table.append(Unit{.status = QStringLiteral("A"), .controle = 1}.row());
    EXPECT_EQ(table.recordCount(), 3);
}

TEST_F(ParadoxTest, NullsReadBackAsNull) {
    const QString db = makeTemplate(movimento());
    Invoice i{.controle = 1};
    i.processo = QString();    // null text
    i.nf = QStringLiteral(""); // empty text is stored as NULL too
    i.dtProcesso = QVariant();
    i.dtNota = QDate();        // null date
    i.valor = QVariant();
    appendAll(movimento(), db, {i.row()});

    const Row r = readTable(db).rows.at(0);
    for (const char* name : {"mov_nr_processo", "mov_nr_nf", "mov_dt_processo", "mov_dt_notaf", "mov_vl_valor", "Mov_cd_validade"})
        EXPECT_TRUE(r[size_t(col(name))].isNull()) << name << ": " << r[size_t(col(name))].toString().toStdString();
    EXPECT_EQ(r[size_t(col("mov_cd_controle"))], QVariant(1));
}

// The working invoice table has Date fields, where pxlib misreads NULL as a number.
TEST_F(ParadoxTest, NullDateReadsBackAsNull) {
    const QString db = makeTemplate(schema::movimento());
    Invoice i{.controle = 3};
    i.dtProcesso = QVariant();
    appendAll(schema::movimento(), db, {i.row()});

    const ParadoxContents c = readTable(db);
    EXPECT_EQ(c.fileType, 2);  // unkeyed: no key fields declared
    const Row r = c.rows.at(0);
    EXPECT_TRUE(r[3].isNull()) << r[3].toString().toStdString();
    EXPECT_EQ(r[4], QVariant(QDate(2004, 3, 15)));
}

TEST_F(ParadoxTest, DateArrivesInTimestampAtMidnight) {
    const QString db = makeTemplate(movimento());
    Invoice i{.controle = 1};
    i.dtNota = QDateTime(QDate(1999, 12, 31), QTime(13, 45, 30, 250), QTimeZone::utc());
    appendAll(movimento(), db, {i.row()});

    const Row r = readTable(db).rows.at(0);
    const QDateTime processo = r[size_t(col("mov_dt_processo"))].toDateTime();
    EXPECT_EQ(processo.date(), QDate(2004, 3, 15));
    EXPECT_EQ(processo.time(), QTime(0, 0, 0));
    EXPECT_EQ(processo.toString("yyyy-MM-dd HH:mm:ss.zzz"), "2004-03-15 00:00:00.000");
    EXPECT_EQ(r[size_t(col("mov_dt_notaf"))].toDateTime().toString("yyyy-MM-dd HH:mm:ss.zzz"), "1999-12-31 13:45:30.250");
}

TEST_F(ParadoxTest, NullAutoincTakesTheCounterAndTheHeaderKeepsTheHighest) {
    const QString db = makeTemplate(movimento());
    appendAll(movimento(), db, {Invoice{}.row(), Invoice{}.row(), Invoice{.controle = 10}.row()});
    ParadoxContents c = readTable(db);
    EXPECT_EQ(c.autoincCounter, 10);
    std::vector<int> numbers;
    for (const auto& r : c.rows) numbers.push_back(r[0].toInt());
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 10}));

    ParadoxTable table(movimento());
    table.open(db);
    EXPECT_THROW(table.append(Invoice{.nf = QString(31, '9')}.row()), EngineError);
    table.append(Invoice{}.row());  // a refused row uses up no number
    table.close();
    c = readTable(db);
    EXPECT_EQ(c.rows.back()[0], QVariant(11));
    EXPECT_EQ(c.autoincCounter, 11);
}

TEST_F(ParadoxTest, ShortFieldHoldsPlusMinus32767) {
    const schema::TableDef def{"n", "n.DB", {{"id", FieldType::Autoinc, 0}, {"s", FieldType::Short, 0}}, {}, 1};
    const QString db = makeTemplate(def);
    ParadoxTable table(def);
    table.open(db);
    EXPECT_THROW(table.append({1, 32768}), EngineError);
    EXPECT_THROW(table.append({1, -32768}), EngineError);  // would be stored as NULL
    EXPECT_THROW(table.append({1, 1.0}), EngineError);     // a double is not a Short
    table.append({1, 32767});
    table.append({2, -32767});
    table.append({3, QVariant()});
    table.close();
    const ParadoxContents c = readTable(db);
    ASSERT_EQ(c.rows.size(), 3u);
    EXPECT_EQ(c.rows[0][1], QVariant(32767));
    EXPECT_EQ(c.rows[1][1], QVariant(-32767));
    EXPECT_TRUE(c.rows[2][1].isNull());
}

}  // namespace
}  // namespace meru::paradox::test
