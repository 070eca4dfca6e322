#include "movimento_rows.h"
#include "temp_store.h"

#include "data/engine_error.h"
#include "data/data_source.h"
#include "data/query.h"
#include "data/sql_statement.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace meru;

namespace {

class DatasetTest : public ::testing::Test {
protected:
    void SetUp() override { db.open(); }
    test::TempStore store;
    Database db;
};

TEST_F(DatasetTest, StatesFollowTheEditCycleAndAreReported) {
    auto view = test::openTable(db, "tab", "movimento");
    QSignalSpy states(view.get(), &Dataset::stateChanged);
    EXPECT_EQ(view->state(), DatasetState::Browse);
    view->edit();  // empty: inserts
    EXPECT_EQ(view->state(), DatasetState::Insert);
    view->fieldByName("mov_nr_nf")->setAsString("77");
    view->post();
    EXPECT_EQ(view->state(), DatasetState::Browse);
    view->edit();
    EXPECT_EQ(view->state(), DatasetState::Edit);
    view->cancel();
    view->close();
    EXPECT_EQ(view->state(), DatasetState::Inactive);
    view->open();
    ASSERT_EQ(states.count(), 6);
    const DatasetState expected[] = {DatasetState::Insert, DatasetState::Browse, DatasetState::Edit,
                                     DatasetState::Browse, DatasetState::Inactive, DatasetState::Browse};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(states.at(i).at(0).value<DatasetState>(), expected[i]) << i;
}

TEST_F(DatasetTest, DeleteOnAnEmptyViewIsRefusedAndWritesNeedEditState) {
    auto view = test::openTable(db, "tab", "movimento");
    EXPECT_THROW(view->remove(), EngineError);
    EXPECT_THROW(view->fieldByName("mov_nr_nf")->setAsString("1"), EngineError);
    test::addInvoice(*view, {"012001"});
    EXPECT_THROW(view->fieldByName("mov_nr_nf")->setAsString("1"), EngineError);
    view->edit();
    EXPECT_THROW(view->fieldByName("mov_cd_controle")->setValue(5), EngineError);
    view->cancel();
    view->remove();
    EXPECT_EQ(view->recordCount(), 0);
    view->refresh();
    EXPECT_EQ(view->recordCount(), 0);
}

TEST_F(DatasetTest, CancelAndCloseDiscardThePendingRow) {
    auto view = test::openTable(db, "tab", "movimento");
    test::addInvoice(*view, {"012001", "N", "first"});
    view->edit();
    view->fieldByName("mov_nr_nf")->setAsString("changed");
    view->cancel();
    EXPECT_EQ(view->fieldByName("mov_nr_nf")->asString(), "first");
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("never");
    view->close();
    view->open();
    EXPECT_EQ(view->recordCount(), 1);
    EXPECT_EQ(view->fieldByName("mov_nr_nf")->asString(), "first");
}

TEST_F(DatasetTest, AFilterChangePostsAChangedRowAndCancelsAnUnchangedOne) {
    auto view = test::openTable(db, "tab", "movimento");
    test::addInvoice(*view, {"012001", "N", "a"});
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("posted by the filter");
    view->fieldByName("mov_dt_referencia")->setAsString("012001");
    view->setFilter("mov_dt_referencia = '012001'");
    EXPECT_EQ(view->state(), DatasetState::Browse);
    EXPECT_EQ(view->recordCount(), 2);

    view->insert();  // nothing typed
    view->setFilter("mov_dt_referencia = 012001");
    EXPECT_EQ(view->recordCount(), 2);
    EXPECT_EQ(view->recNo(), 0);  // the first row is current after a filter

    view->edit();
    view->fieldByName("mov_nr_nf")->setAsString("edited");
    view->refresh();
    EXPECT_EQ(view->state(), DatasetState::Browse);
    auto other = test::openTable(db, "other", "movimento");
    other->setFilter("mov_nr_nf = 'edited'");
    EXPECT_EQ(other->recordCount(), 1);
}

TEST_F(DatasetTest, RowsPostedThroughOneDatasetAreSeenByTheOthers) {
    auto atual = test::openTable(db, "tab_movimento_atual", "movimento");
    auto dupli = test::openTable(db, "tab_movimento_dupli", "movimento");
    EXPECT_TRUE(dupli->eof());
    const qint64 id = test::addInvoice(*atual, {"012001", "N", "99"});
    EXPECT_GT(id, 0);  // the auto-increment number shows at once
    dupli->first();
    ASSERT_FALSE(dupli->eof());
    EXPECT_EQ(dupli->fieldByName("mov_nr_nf")->asString(), "99");
    EXPECT_EQ(dupli->fieldByName("mov_cd_controle")->value().toLongLong(), id);
    dupli->next();
    EXPECT_TRUE(dupli->eof());

    test::addInvoice(*atual, {"012001", "N", "100"});
    dupli->refresh();
    EXPECT_EQ(dupli->recordCount(), 2);
}

TEST_F(DatasetTest, WalksAndJumpsThroughManyRowsReadTheRightValues) {
    auto writer = test::openTable(db, "writer", "movimento");
    db.connection().exec("BEGIN");
    for (int i = 0; i < 1500; ++i)
        test::addInvoice(*writer, {i % 2 ? "022004" : "012004", "N", QString::number(i)});
    db.connection().exec("COMMIT");
    auto view = test::openTable(db, "view", "movimento");
    view->setFilter("mov_dt_referencia = '022004'");
    ASSERT_EQ(view->recordCount(), 750);

    // A row posted into the middle stands out of row-id order until the next refresh.
    view->moveTo(100);
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("posted");
    view->fieldByName("mov_dt_referencia")->setAsString("022004");
    view->post();
    QStringList walked;
    for (int i = 0; i < view->recordCount(); ++i) walked << view->valueAt(i, 11).toString();
    ASSERT_EQ(walked.size(), 751);
    EXPECT_EQ(walked[99], "199");
    EXPECT_EQ(walked[100], "posted");
    EXPECT_EQ(walked[101], "201");
    EXPECT_EQ(walked[750], "1499");

    // Jumps back and forth after the early windows were let go.
    for (int i : {0, 700, 3, 400, 750, 0})
        EXPECT_EQ(view->valueAt(i, 11).toString(), i == 0 ? "1" : i == 750 ? "1499" : walked[i]) << i;

    // A row another dataset deletes reads blank until the view is refreshed.
    view->first();
    writer->setFilter("mov_nr_nf = '3'");
    writer->remove();
    int n = 0;
    QStringList firstFew;
    for (; !view->eof() && n < 3; view->next(), ++n) firstFew << view->fieldByName("mov_nr_nf")->asString();
    EXPECT_EQ(firstFew, QStringList({"1", "", "5"}));
    view->refresh();
    EXPECT_EQ(view->recordCount(), 750);
}

QStringList visibleNf(Dataset& view) {
    QStringList out;
    for (int i = 0; i < view.rowCount(); ++i) out << view.valueAt(i, view.fieldByName("mov_nr_nf")->index()).toString();
    return out;
}

TEST_F(DatasetTest, ThePendingRowIsAmongTheVisibleRowsWhereItWasInserted) {
    auto view = test::openTable(db, "tab", "movimento");
    for (const char* nf : {"1", "2", "3"}) test::addInvoice(*view, {"012001", "N", nf});
    view->first();
    view->moveTo(1);
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("new");
    EXPECT_EQ(visibleNf(*view), QStringList({"1", "new", "2", "3"}));
    EXPECT_EQ(view->recNo(), 1);
    EXPECT_EQ(view->recordCount(), 3);  // the pending row is not stored yet
    view->cancel();
    EXPECT_EQ(visibleNf(*view), QStringList({"1", "2", "3"}));
    EXPECT_EQ(view->recNo(), 1);

    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("posted");
    view->post();
    EXPECT_EQ(visibleNf(*view), QStringList({"1", "posted", "2", "3"}));
    EXPECT_EQ(view->recNo(), 1);

    // Moving off a pending row ends it; the row moved to is the one that was asked for.
    view->insert();
    view->moveTo(3);  // unchanged: cancelled, and "3" was row 3 while it was pending
    EXPECT_EQ(view->fieldByName("mov_nr_nf")->asString(), "2");
    view->moveTo(0);
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("kept");
    view->moveTo(2);  // changed: posted, the rows stay where they showed
    EXPECT_EQ(view->fieldByName("mov_nr_nf")->asString(), "posted");
    EXPECT_EQ(visibleNf(*view), QStringList({"kept", "1", "posted", "2", "3"}));
}

// A refresh keeps the current row where it is still visible, so that after a post
// and a refresh the row just written stays current; a filter change, or a current
// row that is gone, makes the first row current.
TEST_F(DatasetTest, ARefreshKeepsTheCurrentRowAndAFilterGoesToTheFirst) {
    auto view = test::openTable(db, "tab", "movimento");
    for (const char* nf : {"1", "2", "3"}) test::addInvoice(*view, {"012001", "N", nf});
    view->first();
    view->moveTo(2);
    view->refresh();
    EXPECT_EQ(view->recNo(), 2);

    view->moveTo(0);
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("4");
    view->fieldByName("mov_dt_referencia")->setAsString("012001");
    view->post();
    EXPECT_EQ(view->recNo(), 0);
    view->refresh();  // the new row takes its place in the table's order
    EXPECT_EQ(visibleNf(*view), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(view->recNo(), 3);
    EXPECT_EQ(view->fieldByName("mov_nr_nf")->asString(), "4");

    auto other = test::openTable(db, "other", "movimento");
    other->setFilter("mov_nr_nf = '4'");
    other->remove();
    view->refresh();
    EXPECT_EQ(view->recNo(), 0);

    view->moveTo(2);
    view->setFilter("mov_dt_referencia = '012001'");
    EXPECT_EQ(view->recNo(), 0);
    view->moveTo(2);
    view->first();
    EXPECT_EQ(view->recNo(), 0);
}

TEST_F(DatasetTest, WithControlsDisabledNothingIsReportedUntilTheLastEnable) {
    auto view = test::openTable(db, "tab", "movimento");
    for (const char* nf : {"1", "2", "3"}) test::addInvoice(*view, {"012001", "N", nf});
    DataSource source("ds", view.get());
    QSignalSpy states(&source, &DataSource::stateChanged), data(&source, &DataSource::dataChanged),
        resets(&source, &DataSource::rowsReset), changed(&source, &DataSource::rowChanged),
        inserted(&source, &DataSource::rowInserted);
    view->disableControls();
    view->disableControls();
    EXPECT_TRUE(view->controlsDisabled());
    int walked = 0;
    for (view->first(); !view->eof(); view->next()) ++walked;
    EXPECT_EQ(walked, 3);
    view->enableControls();
    EXPECT_TRUE(view->controlsDisabled());
    for (QSignalSpy* spy : {&states, &data, &resets, &changed, &inserted}) EXPECT_EQ(spy->count(), 0);
    view->enableControls();
    EXPECT_FALSE(view->controlsDisabled());
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(data.count(), 1);
    EXPECT_EQ(states.count(), 0);

    // A state left changed is reported with the rows.
    view->disableControls();
    view->insert();
    view->enableControls();
    ASSERT_EQ(states.count(), 1);
    EXPECT_EQ(states.at(0).at(0).value<DatasetState>(), DatasetState::Insert);
    EXPECT_EQ(inserted.count(), 0);
    view->enableControls();  // one too many: ignored
    EXPECT_FALSE(view->controlsDisabled());
}

TEST_F(DatasetTest, RowsThatCannotBeReadAreReportedToTheCallerOnlyAndChangeNothing) {
    auto view = test::openTable(db, "tab", "movimento");
    for (const char* nf : {"1", "2"}) test::addInvoice(*view, {"012001", "N", nf});
    view->first();
    view->next();
    DataSource source("ds", view.get());
    QSignalSpy states(&source, &DataSource::stateChanged), data(&source, &DataSource::dataChanged),
        resets(&source, &DataSource::rowsAboutToBeReset);
    // The table goes away under the open database.
    db.connection().exec(R"(ALTER TABLE "t_movimento"."movimento" RENAME TO "gone")");
    EXPECT_THROW(view->refresh(), EngineError);
    EXPECT_THROW(view->first(), EngineError);
    EXPECT_EQ(view->state(), DatasetState::Browse);  // as it was
    EXPECT_EQ(view->rowCount(), 2);
    EXPECT_EQ(view->recNo(), 1);
    view->close();
    states.clear();
    data.clear();
    resets.clear();
    EXPECT_THROW(view->open(), EngineError);
    EXPECT_FALSE(view->active());
    for (QSignalSpy* spy : {&states, &data, &resets}) EXPECT_EQ(spy->count(), 0);

    Query missing("qry", &db);
    DataSource querySource("ds_qry", &missing);
    QSignalSpy queryStates(&querySource, &DataSource::stateChanged);
    missing.setSql({"select count(*) from gone_too"});
    EXPECT_THROW(missing.open(), EngineError);
    EXPECT_FALSE(missing.active());
    EXPECT_EQ(queryStates.count(), 0);
}

// One text is one statement: a second one, whatever it is, is refused before
// anything runs, by a query's open as by an executed statement.
TEST_F(DatasetTest, ASecondStatementIsRefusedAndNothingRuns) {
    auto mov = test::openTable(db, "mov", "movimento");
    test::addInvoice(*mov, {"012001", "N", "1"});
    const char* refused[] = {
        "update movimento set mov_tp_gerado = 'S'; delete from movimento",
        "update movimento set mov_tp_gerado = 'S';\ndelete from movimento;",
        "update movimento set mov_tp_gerado = 'S';;",
        "update movimento set mov_tp_gerado = 'S'; -- marked",
    };
    for (const char* text : refused) {
        SqlStatement statement("qry_mov_tornagerado", &db);
        statement.setSql({QString::fromUtf8(text)});
        try {
            statement.execSQL();
            ADD_FAILURE() << text;
        } catch (const EngineError& e) {
            EXPECT_TRUE(e.message().contains("Only one SQL statement")) << e.message().toStdString();
        }
        Query query("qry", &db);
        query.setSql({QString::fromUtf8(text).replace("update movimento set mov_tp_gerado = 'S'",
                                                      "select * from movimento")});
        EXPECT_THROW(query.open(), EngineError) << text;
        EXPECT_FALSE(query.active());
    }
    mov->refresh();
    ASSERT_EQ(mov->recordCount(), 1);
    EXPECT_EQ(mov->fieldByName("mov_tp_gerado")->asString(), "N");

    // One statement with its closing ';' and blanks runs; values stay bound.
    SqlStatement mark("qry_mov_tornagerado", &db);
    mark.setSql({"update movimento", "set mov_tp_gerado = 'S' ;  ", "  "});
    EXPECT_EQ(mark.execSQL(), 1);
    Query login("qry_login", &db);
    login.setSql({"select * from movimento where mov_nr_nf = :nf;"});
    login.setParam("nf", "1'; delete from movimento; --");
    login.open();
    EXPECT_TRUE(login.isEmpty());
    mov->refresh();
    EXPECT_EQ(mov->recordCount(), 1);
}

TEST_F(DatasetTest, FieldsConvertTextTheSystemsWay) {
    auto view = test::openTable(db, "tab_movimento_atual", "movimento");
    view->insert();
    Field* valor = view->fieldByName("MOV_VL_VALOR");
    Field* data = view->fieldByName("mov_dt_notaf");
    Field* nf = view->fieldByName("mov_nr_nf");
    EXPECT_EQ(valor->name(), "tab_movimento_atualmov_vl_valor");
    EXPECT_EQ(nf->asString(), "");
    EXPECT_TRUE(nf->isNull());
    valor->setCurrency(true);
    valor->setAsString("1234,5");
    EXPECT_DOUBLE_EQ(valor->value().toDouble(), 1234.5);
    EXPECT_EQ(valor->asString(), "1234,5");
    EXPECT_EQ(valor->displayText(), QStringLiteral("R$\u00a01.234,50"));
    data->setAsString("15/03/2004");
    EXPECT_EQ(data->value().toDate(), QDate(2004, 3, 15));
    EXPECT_EQ(data->displayText(), "15/03/2004");
    data->setAsString("  /  /    ");
    EXPECT_TRUE(data->isNull());

    const struct {
        Field* field;
        const char* text;
        const char* message;
    } refused[] = {
        {valor, "abc", "'abc' não é um valor válido para o campo mov_vl_valor. Digite o valor como em 1.234,56."},
        {data, "31/02/2004", "'31/02/2004' não é uma data válida para o campo mov_dt_notaf. Digite a data como em 15/03/2004."},
        {data, "15/1_/2004", "'15/1_/2004' não é uma data válida para o campo mov_dt_notaf. Digite a data como em 15/03/2004."},
    };
    for (const auto& r : refused) {
        try {
            r.field->setAsString(r.text);
            ADD_FAILURE() << r.text;
        } catch (const EngineError& e) {
            EXPECT_EQ(e.message(), r.message);
        }
    }
    EXPECT_THROW(nf->setAsString(QString(31, 'x')), EngineError);
    nf->setAsString(QString(30, 'x'));
    EXPECT_EQ(nf->asString().size(), 30);
}

TEST_F(DatasetTest, QueriesBindTheOperatorsTextAndWriteThroughWhenLive) {
    Query cadastro("qry_cadastro", &db);
    cadastro.setSql({"select * from CADASTRO"});
    cadastro.setRequestLive(true);
    cadastro.open();
    EXPECT_TRUE(cadastro.isEmpty());
    cadastro.insert();
    const QString odd = "Unidade d'Oeste \"; drop table CADASTRO; --";
    cadastro.fieldByName("cad_dc_unidade")->setAsString(odd);
    cadastro.fieldByName("CAD_CD_CNPJ")->setAsString("1'2");
    cadastro.fieldByName(QString::fromUtf8("cad_nm_responsável"))->setAsString("José");
    cadastro.post();
    EXPECT_FALSE(cadastro.fieldByName("Cad_controle")->isNull());

    Query login("qry_login", &db);
    login.addSql("Select * from CADASTRO");
    login.addSql("where CAD_CD_CNPJ = :cnpj");
    login.setParam("cnpj", "1'2");
    login.open();
    ASSERT_EQ(login.recordCount(), 1);
    EXPECT_EQ(login.fieldByName("cad_dc_unidade")->asString(), odd);
    EXPECT_EQ(login.fieldByName(QString::fromUtf8("CAD_NM_RESPONSÁVEL"))->asString(), "José");
    EXPECT_TRUE(login.readOnly());
    EXPECT_THROW(login.edit(), EngineError);
    login.clearSql();  // changing the text closes
    EXPECT_FALSE(login.active());
    login.addSql("Select * from CADASTRO where CAD_CD_CNPJ = :cnpj");
    login.setParam("cnpj", "");
    login.open();
    EXPECT_TRUE(login.isEmpty());
    EXPECT_TRUE(login.fieldByName("CAD_CD_CNPJ")->isNull());

    Query unknown("q", &db);
    unknown.addSql("select * from NAO_EXISTE");
    EXPECT_THROW(unknown.open(), EngineError);
    Query noText("q2", &db);
    EXPECT_THROW(noText.open(), EngineError);
}

TEST_F(DatasetTest, MarkingStatementsChangeOnlyWhatTheySay) {
    auto mov = test::openTable(db, "mov", "movimento");
    for (const char* g : {"N", "S", "G", "N"}) test::addInvoice(*mov, {"012001", g});
    Query cad("qry_cadastro", &db);
    cad.setSql({"select * from CADASTRO"});
    cad.setRequestLive(true);
    cad.open();
    for (const char* s : {"N", "A", "S", "C"}) {
        cad.insert();
        cad.fieldByName("cad_status")->setAsString(s);
        cad.post();
    }
    SqlStatement movMark("qry_mov_tornagerado", &db);
    movMark.setSql({"update movimento", "set mov_tp_gerado = 'S'", "where mov_tp_gerado = 'N'"});
    SqlStatement cadMark("qry_cad_tornagerado", &db);
    cadMark.setSql({"update cadastro", "set cad_status = 'S'", "where cad_status not like 'C' "});
    EXPECT_EQ(movMark.execSQL(), 2);
    EXPECT_EQ(cadMark.execSQL(), 3);
    QStringList gerado, status;
    for (mov->first(); !mov->eof(); mov->next()) gerado << mov->fieldByName("mov_tp_gerado")->asString();
    for (cad.first(); !cad.eof(); cad.next()) status << cad.fieldByName("cad_status")->asString();
    EXPECT_EQ(gerado, QStringList({"S", "S", "G", "S"}));
    EXPECT_EQ(status, QStringList({"S", "S", "S", "C"}));
}

TEST_F(DatasetTest, EmptyingAnOpenTableKeepsItsFile) {
    auto mov = test::openTable(db, "apaga_mov", "movimento.DB");
    test::addInvoice(*mov, {"012001"});
    test::addInvoice(*mov, {"012001"});
    mov->emptyTable();
    EXPECT_EQ(mov->recordCount(), 0);
    EXPECT_TRUE(mov->active());
    EXPECT_TRUE(QFileInfo::exists(store.basedDir() + "/movimento.DB"));
}

}  // namespace
