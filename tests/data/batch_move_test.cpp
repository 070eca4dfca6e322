#include "movimento_rows.h"
#include "temp_store.h"

#include "data/dm_dados.h"
#include "data/engine_error.h"
#include "data/paradox/table_reader.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace meru;

namespace {

class BatchMoveTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"cadastro.DB", "cadastro.PX", "movimento.DB", "movimento.PX"})
            ASSERT_TRUE(QFile::copy(store.saidaDir() + "/" + f, store.driveA() + "/" + f));
    }

    void addUnit(const QString& name, const QString& status) {
        dm.qry_cadastro->open();
        dm.qry_cadastro->insert();
        dm.qry_cadastro->fieldByName("cad_dc_unidade")->setAsString(name);
        dm.qry_cadastro->fieldByName("cad_cd_cnpj")->setAsString("12345678000195");
        dm.qry_cadastro->fieldByName("cad_status")->setAsString(status);
        dm.qry_cadastro->post();
    }

    void moveAll() {
        dm.tab_movimento_nao_env->setFilter("mov_tp_gerado = 'N'");
        dm.tab_cadastros_nao_env->setFilter("cad_status <> 'C'");
        dm.tab_saida_mov->open();
        dm.tab_saida_cad->open();
        dm.BatchMove1->execute();
        dm.BatchMove2->execute();
        dm.tab_saida_mov->close();
        dm.tab_saida_cad->close();
    }

    test::TempStore store{false, true};
    Tdm_dados dm;
};

TEST_F(BatchMoveTest, WritesTheSelectedRowsAsTheyStand) {
    const qint64 first = test::addInvoice(*dm.tab_movimento_atual, {"032004", "N", "1"});
    test::addInvoice(*dm.tab_movimento_atual, {"032004", "S", "sent before"});
    test::Invoice accented{"042004", "N", QString::fromUtf8("Nº ação-É")};
    accented.notaf = QDate(2004, 4, 30);
    const qint64 third = test::addInvoice(*dm.tab_movimento_atual, accented);
    addUnit(QString::fromUtf8("Secretaria de Educação - São João"), "A");
    addUnit("Excluida", "C");

    moveAll();
    EXPECT_EQ(dm.BatchMove1->movedCount(), 2);
    EXPECT_EQ(dm.BatchMove2->movedCount(), 1);

    const auto mov = paradox::readTable(store.driveA() + "/movimento.DB");
    ASSERT_EQ(mov.rows.size(), 2u);
    EXPECT_EQ(mov.rows[0][0].toLongLong(), first);
    EXPECT_EQ(mov.rows[1][0].toLongLong(), third);
    EXPECT_EQ(mov.rows[0][4].toDateTime(), QDateTime(QDate(2004, 3, 15), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(mov.rows[1][3].toDateTime(), QDateTime(QDate(2004, 4, 30), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(mov.rows[1][11].toString(), QString::fromUtf8("Nº ação-É"));
    EXPECT_DOUBLE_EQ(mov.rows[0][5].toDouble(), 10.5);
    EXPECT_TRUE(mov.rows[0][12].isNull());  // Mov_cd_validade left empty

    const auto cad = paradox::readTable(store.driveA() + "/cadastro.DB");
    ASSERT_EQ(cad.rows.size(), 1u);
    EXPECT_EQ(cad.rows[0][0].toString(), QString::fromUtf8("Secretaria de Educação - São João"));
    EXPECT_TRUE(cad.rows[0][9].isNull());  // cad_dc_municipio is never written
    EXPECT_EQ(cad.rows[0][12].toString(), "A");
    EXPECT_EQ(cad.codePage, 1252);
}

TEST_F(BatchMoveTest, ReportsEveryRowTheDiskCannotHold) {
    test::addInvoice(*dm.tab_movimento_atual, {"032004", "N", "good"});
    const qint64 bad = test::addInvoice(*dm.tab_movimento_atual, {"032004", "N", QString::fromUtf8("nota 日本")});
    const qint64 bad2 = test::addInvoice(*dm.tab_movimento_atual, {"032004", "N", QString::fromUtf8("Łódź")});
    dm.tab_movimento_nao_env->setFilter("mov_tp_gerado = 'N'");
    dm.tab_saida_mov->open();
    try {
        dm.BatchMove1->execute();
        FAIL() << "a refused row must fail the move";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("mov_cd_controle = %1").arg(bad))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("mov_cd_controle = %1").arg(bad2)));
    }
    EXPECT_EQ(dm.BatchMove1->problems().size(), 2);
    EXPECT_EQ(dm.BatchMove1->movedCount(), 1);
}

TEST_F(BatchMoveTest, AFailedMoveLeavesNothingBehindForTheNextRun) {
    test::addInvoice(*dm.tab_movimento_atual, {"032004", "N", "good"});
    test::addInvoice(*dm.tab_movimento_atual, {"032004", "N", QString::fromUtf8("日本")});
    dm.tab_movimento_nao_env->setFilter("mov_tp_gerado = 'N'");
    dm.tab_saida_mov->open();
    EXPECT_THROW(dm.BatchMove1->execute(), EngineError);
    // The next run copies a fresh template and opens the table again.
    dm.tab_movimento_atual->first();
    dm.tab_movimento_atual->next();
    dm.tab_movimento_atual->edit();
    dm.tab_movimento_atual->fieldByName("mov_nr_nf")->setAsString("fixed");
    dm.tab_movimento_atual->post();
    dm.tab_saida_mov->open();
    dm.BatchMove1->execute();
    dm.tab_saida_mov->close();
    const auto mov = paradox::readTable(store.driveA() + "/movimento.DB");
    ASSERT_EQ(mov.rows.size(), 2u);
    EXPECT_EQ(mov.rows[1][11].toString(), "fixed");
}

TEST_F(BatchMoveTest, OpeningFailsWhenTheFileOrTheDriveIsMissing) {
    ASSERT_TRUE(QFile::remove(store.driveA() + "/movimento.DB"));
    EXPECT_THROW(dm.tab_saida_mov->open(), EngineError);
    EXPECT_FALSE(dm.tab_saida_mov->active());
    ASSERT_TRUE(QDir(store.driveA()).removeRecursively());
    EXPECT_THROW(dm.tab_saida_cad->open(), EngineError);
}

}  // namespace
