#include "export_rows.h"

#include "data/engine_error.h"
#include "data/paradox/paradox_table.h"
#include "data/paradox/table_reader.h"

#include <QFile>
#include <QFileInfo>

namespace meru::paradox::test {
namespace {

using schema::FieldType;

// pxlib's type codes, written out here rather than taken from the code under test.
int expectedPxType(FieldType t) {
    switch (t) {
    case FieldType::Alpha: return 0x01;
    case FieldType::Date: return 0x02;
    case FieldType::Short: return 0x03;
    case FieldType::Number: return 0x06;
    case FieldType::Timestamp: return 0x15;
    case FieldType::Autoinc: return 0x16;
    }
    return -1;
}

int expectedSize(const schema::FieldDef& f) {
    switch (f.type) {
    case FieldType::Alpha: return f.width;
    case FieldType::Date: case FieldType::Autoinc: return 4;
    case FieldType::Short: return 2;
    default: return 8;
    }
}

class TemplateTest : public ParadoxTest, public ::testing::WithParamInterface<const schema::TableDef*> {};

TEST_P(TemplateTest, IsAnEmptyKeyedParadox7TableInCodePage1252) {
    const schema::TableDef& def = *GetParam();
    const QString db = makeTemplate(def);

    const ParadoxContents c = readTable(db);
    EXPECT_EQ(c.fileType, 0);
    EXPECT_EQ(c.version, 0x0C);
    EXPECT_EQ(c.codePage, 1252);
    EXPECT_EQ(c.keyFieldCount, def.keyFieldCount);
    EXPECT_EQ(c.recordCount, 0);
    EXPECT_EQ(c.recordsInBlocks, 0);
    EXPECT_TRUE(c.rows.empty());
    EXPECT_EQ(c.tableName, def.fileName);
    ASSERT_EQ(c.fields.size(), def.fields.size());
    for (size_t i = 0; i < def.fields.size(); ++i) {
        SCOPED_TRACE(def.fields[i].name.toStdString());
        EXPECT_EQ(c.fields[i].name, def.fields[i].name);
        EXPECT_EQ(c.fields[i].pxType, expectedPxType(def.fields[i].type));
        EXPECT_EQ(c.fields[i].size, expectedSize(def.fields[i]));
    }

    const PrimaryIndexContents px = readPrimaryIndex(path(QFileInfo(def.fileName).completeBaseName() + ".PX"), db);
    EXPECT_EQ(px.fileType, 1);
    EXPECT_EQ(px.entryCount, 0);
    EXPECT_EQ(px.indexedRecords, 0);
    EXPECT_EQ(px.tableName, def.fileName);
}

INSTANTIATE_TEST_SUITE_P(ExportTables, TemplateTest,
                         ::testing::Values(&schema::cadastroExport(), &schema::movimentoExport()),
                         [](const auto& info) { return info.param->name.toStdString(); });

TEST_F(ParadoxTest, AccentedFieldNameIsWrittenInWindows1252) {
    const QString db = makeTemplate(schema::cadastroExport());
    QFile file(db);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains(QByteArray("cad_nm_respons\xe1vel\0", 19)));
    EXPECT_FALSE(bytes.contains(QByteArray("respons\xc3\xa1vel")));  // not UTF-8
}

TEST_F(ParadoxTest, TemplateTakesRowsAtOnce) {
    const QString db = makeTemplate(schema::movimentoExport());
    appendAll(schema::movimentoExport(), db, {Invoice{.controle = 7}.row()});
    EXPECT_EQ(readTable(db).rows.size(), 1u);
}

TEST_F(ParadoxTest, CreateTableRefusesWhatNoParadoxTableCanHold) {
    schema::TableDef noWidth{"t", "t.DB", {{"a", FieldType::Alpha, 0}}, {}, 0};
    schema::TableDef tooManyKeys{"t", "t.DB", {{"a", FieldType::Short, 0}}, {}, 2};
    schema::TableDef nameOutsideCodePage{"t", "t.DB", {{QString::fromUtf8("Łódź"), FieldType::Short, 0}}, {}, 1};
    for (const auto* def : {&noWidth, &tooManyKeys, &nameOutsideCodePage}) {
        EXPECT_THROW(createTable(*def, path("t.DB")), EngineError);
        EXPECT_FALSE(QFileInfo::exists(path("t.DB")));
    }
}

TEST_F(ParadoxTest, CreateTableInAMissingDirectoryIsADriveNotReady) {
    try {
        createTable(schema::movimentoExport(), path("nodisk/movimento.DB"));
        FAIL() << "no error";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().startsWith("Drive not ready.")) << e.what();
    }
}

}  // namespace
}  // namespace meru::paradox::test
