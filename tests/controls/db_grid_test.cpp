// The data grid through its real view: rows read on demand, the selection tied to
// the current row both ways, the pending row kept, and the display texts.
#include "bound_window.h"
#include "../data/movimento_rows.h"

#include "controls/db_grid.h"
#include "data/engine_error.h"

#include "data/query.h"
#include "platform/guarded.h"

#include <QHeaderView>
#include <QLocale>
#include <QPaintEvent>
#include <QSignalSpy>

using namespace meru;
using controls::DBGrid;

namespace {

// Rows made up on request, counting every row the engine asks for.
class GeneratedRows : public Dataset {
public:
    explicit GeneratedRows(int rows) : Dataset(QStringLiteral("generated"), nullptr), rows_(rows) {}
    int fetches = 0;
    bool readOnly() const override { return true; }

protected:
    std::vector<schema::FieldDef> prepare() override {
        return {{"nome", schema::FieldType::Alpha, 20}, {"valor", schema::FieldType::Number, 0}};
    }
    std::vector<Slot> loadSlots() override {
        std::vector<Slot> all(static_cast<size_t>(rows_));
        for (int i = 0; i < rows_; ++i) all[size_t(i)].rowid = i;
        return all;
    }
    std::optional<Row> fetch(qint64 rowid) override {
        ++fetches;
        return Row{QStringLiteral("linha %1").arg(rowid), double(rowid)};
    }
    qint64 insertRow(const Row&) override { throw EngineError("read-only"); }
    void updateRow(qint64, const Row&) override { throw EngineError("read-only"); }
    void deleteRow(qint64) override { throw EngineError("read-only"); }

private:
    int rows_;
};

// Collects the regions a widget is asked to paint.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class DBGridTest : public test::BoundWindow {
protected:
    void SetUp() override {
        BoundWindow::SetUp();
        grid = add(new DBGrid);
        window.resize(700, 300);
    }
    void bindInvoices(int count) {
        view = test::openTable(db, "tab_movimento", "movimento");
        for (int i = 1; i <= count; ++i) test::addInvoice(*view, {"012001", "N", QString::number(i)});
        view->first();
        source = std::make_unique<DataSource>("ds_movimento", view.get());
        grid->addColumn("mov_cd_cnpj", "CNPJ");
        grid->addColumn("mov_nr_nf", QString::fromUtf8("Nº. Nota F."), Qt::AlignHCenter, Qt::AlignHCenter);
        grid->addColumn("mov_dt_notaf", "Data Nota F.");
        grid->addColumn("mov_vl_valor", "Valor Nota F.", Qt::AlignHCenter);
        grid->setDataSource(source.get());
        showWindow();
    }
    QString cell(int row, int column) const { return grid->model()->index(row, column).data().toString(); }
    QString nf(int row) const { return cell(row, 1); }
    QString indicator(int row) const { return grid->model()->headerData(row, Qt::Vertical).toString(); }
    void click(int row) {
        const QRect at = grid->visualRect(grid->model()->index(row, 1));
        ASSERT_TRUE(at.isValid()) << "row " << row << " is not on screen";
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at.center());
        settle();
    }
    int selectedRow() const {
        const auto rows = grid->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].row() : -1;
    }

    std::unique_ptr<Table> view;
    std::unique_ptr<DataSource> source;
    DBGrid* grid = nullptr;
};

TEST_F(DBGridTest, AHundredThousandRowsAreReadOnlyWhereShown) {
    GeneratedRows rows(100000);
    rows.open();
    DataSource ds("ds", &rows);
    grid->addColumn("nome", "Nome");
    grid->addColumn("valor", "Valor", Qt::AlignRight);
    grid->setDataSource(&ds);
    showWindow();
    grid->viewport()->repaint();
    EXPECT_EQ(grid->model()->rowCount(), 100000);
    EXPECT_GT(rows.fetches, 0);
    EXPECT_LT(rows.fetches, 60);

    const int before = rows.fetches;
    rows.moveTo(99999);
    grid->viewport()->repaint();
    EXPECT_EQ(grid->currentIndex().row(), 99999);
    EXPECT_EQ(selectedRow(), 99999);
    EXPECT_EQ(cell(99999, 0), "linha 99999");
    EXPECT_LT(rows.fetches - before, 60);

    rows.close();
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(DBGridTest, SelectingARowMovesTheDatasetAndBack) {
    bindInvoices(3);
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(indicator(0), QString::fromUtf8("\u25B6"));
    click(2);
    EXPECT_EQ(view->recNo(), 2);
    EXPECT_EQ(view->fieldByName("mov_nr_nf")->asString(), "3");
    EXPECT_EQ(indicator(2), QString::fromUtf8("\u25B6"));
    EXPECT_EQ(indicator(0), "");

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(view->recNo(), 1);

    view->moveTo(0);
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

TEST_F(DBGridTest, APendingRowKeepsTheSelection) {
    bindInvoices(3);
    view->edit();
    view->fieldByName("mov_nr_nf")->setAsString("changed");
    EXPECT_EQ(nf(0), "changed");
    EXPECT_EQ(indicator(0), "I");
    EXPECT_TRUE(grid->selectionBlocked());

    click(2);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    grid->selectRow(1);
    settle();
    EXPECT_EQ(view->state(), DatasetState::Edit);
    EXPECT_EQ(view->recNo(), 0);
    EXPECT_EQ(selectedRow(), 0);

    view->cancel();
    EXPECT_EQ(nf(0), "1");
    click(2);
    EXPECT_EQ(view->recNo(), 2);
}

TEST_F(DBGridTest, AnInsertedRowShowsAheadOfTheCurrentOne) {
    bindInvoices(3);
    view->moveTo(1);
    view->insert();
    ASSERT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(nf(0), "1");
    EXPECT_EQ(nf(1), "");
    EXPECT_EQ(nf(2), "2");
    EXPECT_EQ(nf(3), "3");
    EXPECT_EQ(indicator(1), "*");
    EXPECT_EQ(selectedRow(), 1);
    view->fieldByName("mov_nr_nf")->setAsString("new");
    EXPECT_EQ(nf(1), "new");

    click(3);
    EXPECT_EQ(view->state(), DatasetState::Insert);
    EXPECT_EQ(selectedRow(), 1);

    view->cancel();
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(nf(1), "2");
    EXPECT_EQ(selectedRow(), 1);

    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("posted");
    view->post();
    ASSERT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(nf(1), "posted");
    EXPECT_EQ(nf(2), "2");
    EXPECT_EQ(selectedRow(), 1);
}

TEST_F(DBGridTest, AnInsertIntoAnEmptyViewShowsOneRow) {
    bindInvoices(0);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    view->insert();
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(indicator(0), "*");
    view->cancel();
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(DBGridTest, CellsShowTheFieldsDisplayTexts) {
    bindInvoices(0);
    view->fieldByName("mov_vl_valor")->setCurrency(true);
    test::addInvoice(*view, {"012001", "N", "1", "12345678000195", QDate(2004, 3, 15), 1234.5});
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("2");
    view->post();  // no CNPJ, date or value
    view->first();
    EXPECT_EQ(cell(0, 0), "12345678000195");
    view->fieldByName("mov_cd_cnpj")->setEditMask("!99.999.999/9999-99;0;_");
    EXPECT_EQ(cell(0, 0), "12.345.678/0001-95");
    EXPECT_EQ(cell(0, 2), "15/03/2004");
    EXPECT_EQ(cell(0, 3), QString::fromUtf8("R$\u00a01.234,50"));
    for (int column : {0, 2, 3}) EXPECT_EQ(cell(1, column), "") << column;

    const QAbstractItemModel* m = grid->model();
    EXPECT_EQ(m->index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(m->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("Nº. Nota F."));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(m->headerData(3, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(DBGridTest, TheRowsFollowFilterDeleteAndClose) {
    bindInvoices(3);
    test::addInvoice(*view, {"022001", "N", "4"});
    view->refresh();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    view->setFilter("mov_dt_referencia = '022001'");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(nf(0), "4");
    view->setFilter("mov_dt_referencia = '012001'");
    ASSERT_EQ(grid->model()->rowCount(), 3);
    view->moveTo(1);
    view->remove();
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(nf(1), "3");
    EXPECT_EQ(selectedRow(), 1);
    view->close();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(selectedRow(), -1);
}

TEST_F(DBGridTest, APostRepaintsTheRowWithWhatTheStoreGaveIt) {
    bindInvoices(3);
    grid->addColumn("mov_cd_controle", "Controle");
    view->moveTo(1);
    view->insert();
    view->fieldByName("mov_nr_nf")->setAsString("new");
    settle();
    EXPECT_EQ(cell(1, 4), "");
    QSignalSpy changed(grid->model(), &QAbstractItemModel::dataChanged);
    PaintRecorder paints(grid->viewport());
    view->post();
    settle();
    const QString number = view->fieldByName("mov_cd_controle")->asString();
    EXPECT_FALSE(number.isEmpty());
    EXPECT_EQ(cell(1, 4), number);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 1);
    EXPECT_EQ(changed.at(0).at(1).value<QModelIndex>().row(), 1);
    EXPECT_TRUE(paints.painted.intersects(grid->visualRect(grid->model()->index(1, 4))));
}

// A dataset that cannot be read gives the handler that asked for its rows one
// failure and one box; the grid says nothing and shows what the dataset holds.
TEST_F(DBGridTest, RowsThatCannotBeReadGiveOneBoxFromTheHandler) {
    bindInvoices(60);
    db.connection().exec(R"(ALTER TABLE "t_movimento"."movimento" RENAME TO "gone")");
    platform::guarded([&] { view->refresh(); })();
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(view->state(), DatasetState::Browse);
    EXPECT_EQ(grid->model()->rowCount(), 60);
    // Rows not read before cannot be read now: blank, and no box.
    grid->scrollToBottom();
    grid->viewport()->repaint();
    EXPECT_EQ(nf(59), "");
    EXPECT_EQ(boxes.boxes().size(), 1u);
    view->close();
    platform::guarded([&] { view->open(); })();
    grid->viewport()->repaint();
    settle();
    EXPECT_EQ(boxes.boxes().size(), 2u);
    EXPECT_FALSE(view->active());
    EXPECT_EQ(grid->model()->rowCount(), 0);

    Query missing("qry_movimento", &db);
    missing.setSql({"select * from gone_too"});
    source->setDataSet(&missing);
    platform::guarded([&] { missing.open(); })();
    settle();
    EXPECT_EQ(boxes.boxes().size(), 3u);
    EXPECT_FALSE(missing.active());
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST_F(DBGridTest, AWalkWithTheControlsDisabledTellsTheGridNothingUntilTheEnd) {
    bindInvoices(40);
    const QAbstractItemModel* m = grid->model();
    QSignalSpy changed(m, &QAbstractItemModel::dataChanged), headers(m, &QAbstractItemModel::headerDataChanged),
        current(grid->tableModel(), &controls::DatasetTableModel::currentRowChanged),
        reset(m, &QAbstractItemModel::modelReset);
    PaintRecorder paints(grid->viewport());
    view->disableControls();
    int walked = 0;
    for (view->first(); !view->eof(); view->next()) ++walked;
    settle();
    EXPECT_EQ(walked, 40);
    for (QSignalSpy* spy : {&changed, &headers, &current, &reset}) EXPECT_EQ(spy->count(), 0);
    EXPECT_TRUE(paints.painted.isEmpty());
    EXPECT_EQ(selectedRow(), 0);
    view->enableControls();
    settle();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(selectedRow(), 39);
    EXPECT_EQ(indicator(39), QString::fromUtf8("\u25B6"));
}

}  // namespace
