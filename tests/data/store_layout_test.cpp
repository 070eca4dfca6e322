#include "movimento_rows.h"

#include "data/paradox/table_reader.h"
#include "platform/engine_config.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace meru;

namespace {

int runLayout(const QString& programDir) {
    return QProcess::execute(QStringLiteral(MERU_LAYOUT_TOOL),
                             {programDir, QStringLiteral(MERU_SOURCE_DIR "/resources/municipios.tsv")});
}

TEST(StoreLayout, LaysOutANewStoreAndLeavesAnExistingOneUntouched) {
    QTemporaryDir dir;
    ASSERT_EQ(runLayout(dir.path()), 0);
    for (const char* f : {"based/movimento.DB", "based/cadastro.DB", "based/municipios.DB", "based/referencias.DB",
                          "saida/cadastro.DB", "saida/cadastro.PX", "saida/movimento.DB", "saida/movimento.PX"})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(f))) << f;

    platform::EngineConfig::instance().setAliasPath("MERUDBPX", dir.filePath("based"));
    {
        Database db;
        db.open();
        auto mov = test::openTable(db, "mov", "movimento");
        test::addInvoice(*mov, {"012001", "N", "kept"});
        auto mun = test::openTable(db, "mun", "municipios");
        mun->setFilter("AR_CODNOVO = '3550308'");
        EXPECT_EQ(mun->fieldByName("AR_DESCR")->asString(), QString::fromUtf8("São Paulo - SP"));
    }
    ASSERT_EQ(runLayout(dir.path()), 0);
    Database db;
    db.open();
    auto mov = test::openTable(db, "mov", "movimento");
    ASSERT_EQ(mov->recordCount(), 1);
    EXPECT_EQ(mov->fieldByName("mov_nr_nf")->asString(), "kept");

    const auto tpl = paradox::readTable(dir.filePath("saida/movimento.DB"));
    EXPECT_EQ(tpl.recordCount, 0);
    EXPECT_EQ(tpl.codePage, 1252);
}

}  // namespace
