// The bound check box: what it shows for a stored flag, and what a click writes.
#include "bound_window.h"
#include "../data/movimento_rows.h"

#include "controls/db_check_box.h"

using namespace meru;
using controls::DBCheckBox;

namespace {

class DBCheckBoxTest : public test::BoundWindow {
protected:
    void SetUp() override {
        BoundWindow::SetUp();
        view = test::openTable(db, "tab_movimento", "movimento");
        source = std::make_unique<DataSource>("ds_movimento", view.get());
        box = add(new DBCheckBox(QString::fromUtf8("Inclusão Retificadora")));
        box->setDataSource(source.get());
        box->setDataField("mov_tp_retificadora");
        box->setValueChecked("S");
        box->setValueUnchecked("N");
        showWindow();
    }
    Field* flag() { return view->fieldByName("mov_tp_retificadora"); }
    void click() { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

    std::unique_ptr<Table> view;
    std::unique_ptr<DataSource> source;
    DBCheckBox* box = nullptr;
};

struct Shown {
    const char* stored;
    bool checked;
};

class DBCheckBoxShows : public DBCheckBoxTest, public ::testing::WithParamInterface<Shown> {};

TEST_P(DBCheckBoxShows, CheckedOnlyForTheCheckedValue) {
    view->insert();
    flag()->setAsString(GetParam().stored);
    EXPECT_EQ(box->isChecked(), GetParam().checked);
    view->post();
    EXPECT_EQ(box->isChecked(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Values, DBCheckBoxShows,
                         ::testing::Values(Shown{"S", true}, Shown{"s", true}, Shown{"N", false}, Shown{"", false},
                                           Shown{"X", false}));

TEST_F(DBCheckBoxTest, ClicksWhileEditingWriteBothValues) {
    view->insert();
    flag()->setAsString("N");
    click();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(flag()->asString(), "S");
    click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(flag()->asString(), "N");
}

TEST_F(DBCheckBoxTest, AClickInBrowseStateIsRefused) {
    test::addInvoice(*view, {"012001"});  // stored with "N"
    click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(flag()->asString(), "N");
    EXPECT_EQ(view->state(), DatasetState::Browse);
    view->close();
    click();
    EXPECT_FALSE(box->isChecked());
}

TEST_F(DBCheckBoxTest, FollowsTheCurrentRow) {
    test::addInvoice(*view, {"012001"});
    view->edit();
    flag()->setAsString("S");
    view->post();
    test::addInvoice(*view, {"012001"});
    view->first();
    EXPECT_TRUE(box->isChecked());
    view->next();
    EXPECT_FALSE(box->isChecked());
}

// A value the field refuses: the click opens no box and throws nothing; the
// message comes once the click is over, and the flag keeps its value.
TEST_F(DBCheckBoxTest, ARefusedValueIsReportedOnceAfterTheClick) {
    box->setValueChecked("SIM");  // longer than the field holds
    view->insert();
    flag()->setAsString("N");
    click();
    EXPECT_TRUE(boxes.boxes().empty()) << "a box from inside the click";
    settle();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].kind, platform::BoxKind::Error);
    EXPECT_EQ(boxes.boxes()[0].text, QString::fromUtf8("O campo mov_tp_retificadora aceita no máximo 2 caracteres."));
    EXPECT_EQ(flag()->asString(), "N");
    EXPECT_FALSE(box->isChecked());
}

}  // namespace
