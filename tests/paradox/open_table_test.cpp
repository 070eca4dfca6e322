#include "export_rows.h"

#include "data/engine_error.h"
#include "data/paradox/paradox_table.h"

#include <QDir>
#include <QFile>
#include <functional>

namespace meru::paradox::test {
namespace {

using schema::FieldType;

// The message of the error that opening `dbPath` declaring `def` raises.
QString openError(const schema::TableDef& def, const QString& dbPath) {
    ParadoxTable table(def);
    try {
        table.open(dbPath);
    } catch (const EngineError& e) {
        EXPECT_FALSE(table.isOpen());
        return e.message();
    }
    ADD_FAILURE() << "opened " << dbPath.toStdString();
    return {};
}

TEST_F(ParadoxTest, OpenOnAMissingDirectoryIsADriveNotReady) {
    const QString dir = path("a");
    EXPECT_EQ(openError(schema::movimentoExport(), dir + "/movimento.DB"),
              "Drive not ready.\nPath: " + QDir::toNativeSeparators(dir));
}

TEST_F(ParadoxTest, OpenOnAMissingFileSaysTheTableDoesNotExist) {
    const QString db = path("movimento.DB");
    EXPECT_EQ(openError(schema::movimentoExport(), db), "Table does not exist.\nFile: " + QDir::toNativeSeparators(db));
}

TEST_F(ParadoxTest, OpenOnADirectoryIsRefused) {
    EXPECT_TRUE(openError(schema::movimentoExport(), path("")).contains("directory"));
}

TEST_F(ParadoxTest, OpenRefusesATableOfOtherFields) {
    const QString db = makeTemplate(schema::movimentoExport());
    const QString message = openError(schema::cadastroExport(), db);
    EXPECT_TRUE(message.contains("mov_cd_controle") && message.contains("cad_dc_unidade")) << message.toStdString();
}

struct Mismatch {
    const char* name;
    std::function<void(schema::TableDef&)> change;
    const char* named;  // what the message must name
};
void PrintTo(const Mismatch& p, std::ostream* os) { *os << p.name; }


class DeclaredFieldsTest : public ParadoxTest, public ::testing::WithParamInterface<Mismatch> {};

TEST_P(DeclaredFieldsTest, OpenNamesTheFirstMismatch) {
    const QString db = makeTemplate(schema::movimentoExport());
    schema::TableDef declared = schema::movimentoExport();
    GetParam().change(declared);
    const QString message = openError(declared, db);
    EXPECT_TRUE(message.contains(GetParam().named)) << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Movimento, DeclaredFieldsTest,
    ::testing::Values(
        Mismatch{"Width", [](auto& d) { d.fields[2].width = 25; }, "mov_nr_processo"},
        Mismatch{"DateForTimestamp", [](auto& d) { d.fields[3].type = FieldType::Date; }, "mov_dt_processo"},
        Mismatch{"Name", [](auto& d) { d.fields[11].name = "mov_nr_nota"; }, "mov_nr_nota"},
        Mismatch{"MissingField", [](auto& d) { d.fields.pop_back(); }, "13 fields"},
        Mismatch{"ExtraField", [](auto& d) { d.fields.push_back({"extra", FieldType::Short, 0}); }, "14 are declared"},
        Mismatch{"KeyFields", [](auto& d) { d.keyFieldCount = 2; }, "keyed on 1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParadoxTest, FieldNamesMatchWithoutRegardToCase) {
    const QString db = makeTemplate(schema::cadastroExport());
    schema::TableDef declared = schema::cadastroExport();
    for (auto& f : declared.fields) f.name = f.name.toUpper();
    ParadoxTable table(declared);
    table.open(db);
    EXPECT_TRUE(table.isOpen());
    EXPECT_EQ(table.recordCount(), 0);
}

class DamagedFileTest : public ParadoxTest, public ::testing::WithParamInterface<std::pair<const char*, int>> {};

// A file that is not a whole Paradox table is refused with an error, not read.
TEST_P(DamagedFileTest, OpenRefusesIt) {
    const QString db = makeTemplate(schema::movimentoExport());
    appendAll(schema::movimentoExport(), db, {Invoice{.controle = 1}.row(), Invoice{.controle = 2}.row()});
    QFile file(db);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const int keep = GetParam().second;
    if (keep >= 0) {
        ASSERT_TRUE(file.resize(keep));
    } else {
        file.resize(0);
        file.write(QByteArray(4096, 'x'));
    }
    file.close();
    const QString message = openError(schema::movimentoExport(), db);
    EXPECT_FALSE(message.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFileTest,
                         ::testing::Values(std::pair{"Empty", 0}, std::pair{"HeaderOnlyPart", 100},
                                           std::pair{"CutInsideABlock", 2048 + 300},
                                           std::pair{"Garbage", -1}),
                         [](const auto& info) { return std::string(info.param.first); });

TEST_F(ParadoxTest, OpenKeepsTheRowsAlreadyInTheTable) {
    const QString db = makeTemplate(schema::movimentoExport());
    appendAll(schema::movimentoExport(), db, {Invoice{.controle = 1}.row(), Invoice{.controle = 2}.row()});
    ParadoxTable table(schema::movimentoExport());
    table.open(db);
    EXPECT_EQ(table.recordCount(), 2);
    table.close();
    EXPECT_FALSE(table.isOpen());
    EXPECT_EQ(table.recordCount(), 0);
}

TEST_F(ParadoxTest, AppendToAClosedTableIsAnError) {
    ParadoxTable table(schema::movimentoExport());
    EXPECT_THROW(table.append(Invoice{.controle = 1}.row()), EngineError);
}

}  // namespace
}  // namespace meru::paradox::test
