#include "movimento_rows.h"
#include "temp_store.h"

#include "data/engine_error.h"

#include <gtest/gtest.h>

using namespace meru;

namespace {

class FilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.open();
        view = test::openTable(db, "tab_movimento_atual", "movimento");
        test::addInvoice(*view, {"062004", "N", "1"});
        test::addInvoice(*view, {"62004", "S", "2"});
        test::addInvoice(*view, {"072004", "G", "D'Ávila"});
        test::addInvoice(*view, {"", "N", "4"});
    }

    QStringList selected(const QString& filter) {
        view->setFilter(filter);
        QStringList nfs;
        for (view->first(); !view->eof(); view->next()) nfs << view->fieldByName("mov_nr_nf")->asString();
        EXPECT_EQ(view->recordCount(), nfs.size());
        return nfs;
    }

    test::TempStore store;
    Database db;
    std::unique_ptr<Table> view;
};

TEST_F(FilterTest, SelectsWhatEachFilterTextSays) {
    const struct {
        const char* filter;
        QStringList expected;
    } cases[] = {
        {"", {"1", "2", "D'Ávila", "4"}},
        {"   ", {"1", "2", "D'Ávila", "4"}},
        {"mov_tp_gerado = 'N'", {"1", "4"}},
        {"MOV_TP_GERADO = 'N'", {"1", "4"}},
        {"mov_tp_gerado = 'n'", {}},
        {"mov_tp_gerado <> 'N'", {"2", "D'Ávila"}},
        {"(mov_tp_gerado = 'S')or(mov_tp_gerado = 'G')", {"2", "D'Ávila"}},
        {"( mov_tp_gerado = 'S' ) OR ( mov_tp_gerado = 'G' )", {"2", "D'Ávila"}},
        {"mov_dt_referencia = 062004", {"1"}},
        {"mov_dt_referencia = 62004", {"2"}},
        {"mov_dt_referencia = '062004'", {"1"}},
        {"mov_dt_referencia = ''", {"4"}},
        {"mov_dt_referencia <> ''", {"1", "2", "D'Ávila"}},
        {"mov_nr_nf = 'D''Ávila'", {"D'Ávila"}},
        {"mov_nr_nf = 'x'' or ''1''=''1'", {}},
        {"mov_cd_controle = 2", {"2"}},
    };
    for (const auto& c : cases) EXPECT_EQ(selected(QString::fromUtf8(c.filter)), c.expected) << c.filter;
}

TEST_F(FilterTest, RefusesTextsTheGrammarDoesNotKnow) {
    view->setFilter("mov_tp_gerado = 'S'");
    const char* bad[] = {
        "mov_tp_gerado = N",           "mov_tp_gerado > 'N'",
        "nao_existe = 'x'",            "mov_dt_referencia = 06 2004",
        "mov_tp_gerado = 'N",          "mov_tp_gerado = 'N' and mov_nr_nf = '1'",
        "mov_dt_referencia = ",        "(mov_tp_gerado = 'S'",
        "mov_tp_gerado = 'S'; drop table movimento", "mov_dt_notaf = '15/03/2004'",
    };
    for (const char* f : bad) {
        EXPECT_THROW(view->setFilter(QString::fromUtf8(f)), EngineError) << f;
        // A refused text leaves the selection as it was.
        EXPECT_EQ(view->filter(), "mov_tp_gerado = 'S'") << f;
        EXPECT_EQ(view->recordCount(), 1) << f;
    }
}

TEST_F(FilterTest, OnlyAppliesWhileFilteringIsOn) {
    view->setFiltered(false);
    view->setFilter("mov_tp_gerado = 'N'");
    EXPECT_EQ(view->recordCount(), 4);
    view->setFiltered(true);
    EXPECT_EQ(view->recordCount(), 2);
}

}  // namespace
