#include "temp_store.h"

#include "data/dm_dados.h"
#include "data/engine_error.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace meru;

namespace {

QString creationFailure() {
    try {
        Tdm_dados dm;
    } catch (const EngineError& e) {
        return e.message();
    }
    return {};
}

TEST(DmDados, OpensItsDatasetsAtCreation) {
    test::TempStore store(true);
    Tdm_dados dm;
    EXPECT_EQ(dm.Database1->databaseName(), "BANCO");
    EXPECT_EQ(dm.Database1->aliasName(), "MERUDBPX");
    for (Dataset* d : std::initializer_list<Dataset*>{dm.qry_municipios, dm.qry_referencias, dm.tab_movimento_atual,
                                                      dm.tab_movimento_nao_env, dm.tab_cadastros_nao_env,
                                                      dm.tab_movimento_dupli, dm.apaga_mov, dm.apaga_ref})
        EXPECT_EQ(d->state(), DatasetState::Browse) << d->name().toStdString();
    for (Dataset* d : std::initializer_list<Dataset*>{dm.qry_cadastro, dm.qry_login, dm.qry_login_municipios,
                                                      dm.qry_cadastro_swap})
        EXPECT_EQ(d->state(), DatasetState::Inactive) << d->name().toStdString();
    EXPECT_FALSE(dm.tab_saida_cad->active());
    EXPECT_FALSE(dm.tab_saida_mov->active());
    EXPECT_GT(dm.qry_municipios->recordCount(), 5000);
    EXPECT_TRUE(dm.qry_municipios->readOnly());
    EXPECT_FALSE(dm.qry_referencias->readOnly());
    EXPECT_EQ(dm.tab_saida_mov->tableName(), "a:\\movimento.DB");
    EXPECT_EQ(dm.qry_cad_tornagerado->sql().last(), "where cad_status not like 'C' ");
    EXPECT_EQ(dm.BatchMove1->source(), dm.tab_movimento_nao_env);
    EXPECT_EQ(dm.BatchMove2->destination(), dm.tab_saida_cad);

    Field* gerado = dm.fieldObject("tab_movimento_atualmov_tp_gerado");
    ASSERT_NE(gerado, nullptr);
    EXPECT_EQ(gerado->dataset(), dm.tab_movimento_atual);
    EXPECT_TRUE(dm.fieldObject("tab_movimento_nao_envmov_vl_valor")->currency());
    EXPECT_NE(dm.fieldObject("qry_referenciasref_mesreferencia"), nullptr);
    EXPECT_EQ(dm.fieldObject("tab_movimento_atualnao_existe"), nullptr);
}

TEST(DmDados, AutoIncrementShowsAtOnceAfterPost) {
    test::TempStore store;
    Tdm_dados dm;
    dm.qry_referencias->insert();
    dm.qry_referencias->fieldByName("ref_mesreferencia")->setAsString("032004");
    dm.qry_referencias->post();
    EXPECT_EQ(dm.qry_referencias->fieldByName("ref_controle")->asString(), "1");
    EXPECT_EQ(dm.qry_referencias->recordCount(), 1);
    dm.qry_referencias->first();
    dm.qry_referencias->remove();
    EXPECT_TRUE(dm.qry_referencias->eof());
}

TEST(DmDados, CreationFailsWithTheEnginesMessageWhenTheStoreIsIncomplete) {
    {
        test::TempStore store;
        ASSERT_TRUE(QDir(store.basedDir()).removeRecursively());
        const QString message = creationFailure();
        EXPECT_TRUE(message.contains("Directory not found")) << message.toStdString();
        EXPECT_TRUE(message.contains("MERUDBPX"));
    }
    for (const char* file : {"movimento.DB", "cadastro.DB", "municipios.DB", "referencias.DB"}) {
        test::TempStore store;
        ASSERT_TRUE(QFile::remove(store.basedDir() + "/" + file));
        const QString message = creationFailure();
        EXPECT_TRUE(message.contains("Table does not exist")) << file << message.toStdString();
        EXPECT_TRUE(message.contains(file)) << message.toStdString();
    }
    {
        test::TempStore store;
        QFile bad(store.basedDir() + "/referencias.DB");
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bad.write("not a table at all, just some bytes to make the header unreadable.............");
        bad.close();
        EXPECT_TRUE(creationFailure().contains("referencias"));
    }
}

}  // namespace
