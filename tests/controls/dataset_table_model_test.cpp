// The grid's model under Qt's model tester: every change of the dataset's visible
// rows (the pending row among them) reaches the view as the item model's own
// insert, remove, change or reset, and the model shows exactly the dataset's rows.
#include "bound_window.h"
#include "../data/movimento_rows.h"

#include "controls/db_grid.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <functional>

using namespace meru;
using controls::DBGrid;

namespace {

// The tester reports what it finds as warnings; they are collected here.
QStringList testerFailures;

void collectTesterFailures(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && (qstrcmp(context.category, "qt.modeltest") == 0 || message.startsWith("FAIL!")))
        testerFailures << message;
}

class DatasetTableModelTest : public test::BoundWindow {
protected:
    void SetUp() override {
        BoundWindow::SetUp();
        testerFailures.clear();
        previousHandler = qInstallMessageHandler(collectTesterFailures);
        view = test::openTable(db, "tab_movimento", "movimento");
        for (int i = 1; i <= 3; ++i) test::addInvoice(*view, {"012001", "N", QString::number(i)});
        test::addInvoice(*view, {"022001", "N", "4"});
        view->first();
        grid = add(new DBGrid);
        grid->addColumn("mov_nr_nf", "NF");
        grid->addColumn("mov_cd_controle", "Controle");
        tester = std::make_unique<QAbstractItemModelTester>(grid->model(),
                                                            QAbstractItemModelTester::FailureReportingMode::Warning);
        source = std::make_unique<DataSource>("ds_movimento", view.get());
        grid->setDataSource(source.get());
        showWindow();
    }
    void TearDown() override {
        qInstallMessageHandler(previousHandler);
        BoundWindow::TearDown();
    }
    Field* nf() const { return view->fieldByName("mov_nr_nf"); }
    // The model shows the dataset's visible rows and marks its current row.
    void expectSameRowsAsTheDataset(const std::string& step) const {
        const QAbstractItemModel* m = grid->model();
        ASSERT_EQ(m->rowCount(), view->rowCount()) << step;
        for (int row = 0; row < m->rowCount(); ++row)
            EXPECT_EQ(m->index(row, 0).data().toString(), view->valueAt(row, nf()->index()).toString())
                << step << ", row " << row;
        EXPECT_EQ(grid->tableModel()->currentRow(), view->recNo()) << step;
        EXPECT_EQ(grid->currentIndex().row(), view->recNo()) << step;
    }

    QtMessageHandler previousHandler = nullptr;
    std::unique_ptr<Table> view;
    std::unique_ptr<DataSource> source;
    DBGrid* grid = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(DatasetTableModelTest, EveryChangeOfTheRowsReachesTheViewAsTheModelsOwn) {
    enum Kind { Inserted, Removed, Changed, Reset, Moved };
    const struct {
        const char* step;
        std::function<void()> act;
        Kind kind;
        int row;  // the row inserted, removed or changed
    } steps[] = {
        {"insert at row 1", [&] { view->moveTo(1); view->insert(); }, Inserted, 1},
        {"type into the pending row", [&] { nf()->setAsString("new"); }, Changed, 1},
        {"post", [&] { view->post(); }, Changed, 1},
        {"insert", [&] { view->insert(); }, Inserted, 1},
        {"cancel the insert", [&] { view->cancel(); }, Removed, 1},
        {"edit and post", [&] { view->edit(); nf()->setAsString("changed"); view->post(); }, Changed, 1},
        {"edit and cancel", [&] { view->edit(); nf()->setAsString("lost"); view->cancel(); }, Changed, 1},
        {"move", [&] { view->moveTo(3); }, Moved, -1},
        {"delete", [&] { view->remove(); }, Removed, 3},
        {"filter to no row", [&] { view->setFilter("mov_dt_referencia = '999999'"); }, Reset, -1},
        {"insert into an empty view", [&] { view->insert(); }, Inserted, 0},
        {"cancel it", [&] { view->cancel(); }, Removed, 0},
        {"filter", [&] { view->setFilter("mov_dt_referencia = '022001'"); }, Reset, -1},
        {"filtering off", [&] { view->setFiltered(false); }, Reset, -1},
        {"refresh", [&] { view->refresh(); }, Reset, -1},
        {"walk with the controls disabled",
         [&] {
             view->disableControls();
             for (view->first(); !view->eof(); view->next()) {
             }
             view->enableControls();
         },
         Reset, -1},
        {"close", [&] { view->close(); }, Reset, -1},
        {"open", [&] { view->open(); }, Reset, -1},
    };
    const QAbstractItemModel* m = grid->model();
    QSignalSpy inserted(m, &QAbstractItemModel::rowsInserted), removed(m, &QAbstractItemModel::rowsRemoved),
        changed(m, &QAbstractItemModel::dataChanged), reset(m, &QAbstractItemModel::modelReset);
    expectSameRowsAsTheDataset("bound");
    for (const auto& s : steps) {
        for (QSignalSpy* spy : {&inserted, &removed, &changed, &reset}) spy->clear();
        s.act();
        settle();
        expectSameRowsAsTheDataset(s.step);
        EXPECT_EQ(inserted.count(), s.kind == Inserted ? 1 : 0) << s.step;
        EXPECT_EQ(removed.count(), s.kind == Removed ? 1 : 0) << s.step;
        EXPECT_EQ(reset.count(), s.kind == Reset ? 1 : 0) << s.step;
        if (s.kind == Inserted || s.kind == Removed) {
            QSignalSpy& spy = s.kind == Inserted ? inserted : removed;
            EXPECT_EQ(spy.at(0).at(1).toInt(), s.row) << s.step;
        }
        if (s.kind == Changed) {
            ASSERT_GE(changed.count(), 1) << s.step;
            EXPECT_EQ(changed.last().at(0).value<QModelIndex>().row(), s.row) << s.step;
        }
        if (s.kind == Moved) EXPECT_EQ(changed.count(), 0) << s.step;  // a move repaints no cells
    }
    EXPECT_EQ(testerFailures, QStringList());
}

}  // namespace
