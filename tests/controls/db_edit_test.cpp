// The bound edit through its real widget: typing, masks, leaving the edit, and
// the dataset states that decide whether it takes input at all.
#include "bound_window.h"
#include "../data/movimento_rows.h"

#include "controls/db_edit.h"
#include "data/engine_error.h"

#include <QSignalSpy>

using namespace meru;
using controls::DBEdit;
using platform::BoxKind;

namespace {

const QString kCnpjMask = QStringLiteral("!99.999.999/9999-99;0;_");
const QString kDateMask = QStringLiteral("!99/99/9999;1;_");

class DBEditTest : public test::BoundWindow {
protected:
    void SetUp() override {
        BoundWindow::SetUp();
        view = test::openTable(db, "tab_movimento", "movimento");
        source = std::make_unique<DataSource>("ds_movimento", view.get());
        edit = add(new DBEdit);
        next = add(new DBEdit);
        edit->setDataSource(source.get());
        next->setDataSource(source.get());
        next->setDataField("mov_nr_processo");
        showWindow();
        // The window gave the focus to its first control; start from the other one.
        next->setFocus(Qt::TabFocusReason);
    }
    void bind(const QString& fieldName, const QString& maskOnEnter = {}) {
        edit->setDataField(fieldName);
        if (!maskOnEnter.isEmpty())
            // As the windows do: the mask goes on the field when its edit is entered.
            QObject::connect(edit, &DBEdit::entered, edit,
                             [this, maskOnEnter] { edit->field()->setEditMask(maskOnEnter); });
    }
    void enter() {
        edit->setFocus();  // as the windows move the focus
        ASSERT_TRUE(edit->hasFocus());
    }
    void leave() {
        next->setFocus(Qt::TabFocusReason);
        settle();
    }
    Field* field(const char* name) { return view->fieldByName(name); }

    std::unique_ptr<Table> view;
    std::unique_ptr<DataSource> source;
    DBEdit* edit = nullptr;
    DBEdit* next = nullptr;
};

struct Typing {
    const char* field;
    QString maskOnEnter;
    const char* keys;
    const char* shown;   // what the edit shows after typing, and again after leaving
    const char* stored;  // the field's text after leaving
};

std::ostream& operator<<(std::ostream& os, const Typing& t) {
    return os << t.field << " [" << t.keys << "]";
}

class DBEditTyping : public DBEditTest, public ::testing::WithParamInterface<Typing> {};

TEST_P(DBEditTyping, WhatIsTypedReachesTheFieldOnLeaving) {
    const Typing& t = GetParam();
    bind(t.field, t.maskOnEnter);
    view->insert();
    enter();
    QTest::keyClicks(edit, t.keys);
    EXPECT_EQ(edit->displayText(), t.shown);
    EXPECT_EQ(edit->fieldText(), t.stored);
    EXPECT_TRUE(field(t.field)->isNull()) << "written before the edit was left";
    leave();
    EXPECT_EQ(field(t.field)->asString(), t.stored);
    EXPECT_EQ(edit->displayText(), t.shown);
    EXPECT_TRUE(boxes.boxes().empty());
    view->post();
    view->refresh();
    EXPECT_EQ(field(t.field)->asString(), t.stored);
}

INSTANTIATE_TEST_SUITE_P(
    MasksAndPlainFields, DBEditTyping,
    ::testing::Values(
        Typing{"mov_cd_cnpj", kCnpjMask, "12345678000195", "12.345.678/0001-95", "12345678000195"},
        Typing{"mov_cd_cnpj", kCnpjMask, "123", "12.3__.___/____-__", "123           "},
        Typing{"mov_cd_cnpj", {}, "12.345", "12.345", "12.345"},
        Typing{"mov_dt_notaf", kDateMask, "15032004", "15/03/2004", "15/03/2004"},
        Typing{"mov_vl_valor", {}, "10,5", "10,5", "10,5"}));

struct Retyping {
    const char* field;
    QString mask;
    const char* keys;
    const char* stored;
};

std::ostream& operator<<(std::ostream& os, const Retyping& r) { return os << r.field << " [" << r.keys << "]"; }

class DBEditRetyping : public DBEditTest, public ::testing::WithParamInterface<Retyping> {};

TEST_P(DBEditRetyping, EnteringSelectsTheTextSoTypingReplacesIt) {
    const Retyping& r = GetParam();
    test::addInvoice(*view, {"012001", "N", "7", "11222333000181"});
    field(r.field)->setEditMask(r.mask);
    bind(r.field);
    view->edit();
    enter();
    QTest::keyClicks(edit, r.keys);
    leave();
    EXPECT_EQ(field(r.field)->asString(), r.stored);
}

INSTANTIATE_TEST_SUITE_P(PlainAndMasked, DBEditRetyping,
                         ::testing::Values(Retyping{"mov_nr_nf", {}, "8", "8"},
                                           Retyping{"mov_cd_cnpj", kCnpjMask, "12345678000195", "12345678000195"}));

TEST_F(DBEditTest, AStoredValueShowsThroughTheFieldsMask) {
    test::addInvoice(*view, {"012001"});
    field("mov_cd_cnpj")->setEditMask(kCnpjMask);
    bind("mov_cd_cnpj");
    EXPECT_EQ(edit->editMask(), kCnpjMask);
    EXPECT_EQ(edit->inputMask(), QStringLiteral("00.000.000/0000-00;_"));
    EXPECT_EQ(edit->displayText(), "12.345.678/0001-95");
    EXPECT_EQ(edit->fieldText(), "12345678000195");
    EXPECT_TRUE(edit->isReadOnly());
}

TEST_F(DBEditTest, ACurrencyValueReadsAsAnAmountOutOfTheEditAndAsTypedInIt) {
    test::addInvoice(*view, {"012001"});
    view->edit();
    field("mov_vl_valor")->setAsString("1250,5");
    view->post();
    field("mov_vl_valor")->setCurrency(true);
    bind("mov_vl_valor");
    EXPECT_EQ(edit->displayText(), QLocale().toCurrencyString(1250.5));

    view->edit();
    enter();
    EXPECT_EQ(edit->displayText(), "1250,5");
    QTest::keyClicks(edit, "2000");
    leave();
    EXPECT_EQ(field("mov_vl_valor")->asString(), "2000");
    EXPECT_EQ(edit->displayText(), QLocale().toCurrencyString(2000.0));
    view->post();
    EXPECT_EQ(edit->displayText(), QLocale().toCurrencyString(2000.0));
}

TEST_F(DBEditTest, AMaskPutOnTheFieldLaterIsTakenWithTheNextDataChange) {
    test::addInvoice(*view, {"012001"});
    bind("mov_cd_cnpj");
    EXPECT_EQ(edit->displayText(), "12345678000195");
    field("mov_cd_cnpj")->setEditMask(kCnpjMask);
    view->refresh();
    EXPECT_EQ(edit->displayText(), "12.345.678/0001-95");
}

// A mask is parsed where it is set: a bad one is refused there, and the field
// and its edit keep the mask they had.
TEST_F(DBEditTest, ABadMaskIsRefusedWhereItIsSet) {
    test::addInvoice(*view, {"012001"});
    field("mov_cd_cnpj")->setEditMask(kCnpjMask);
    bind("mov_cd_cnpj");
    EXPECT_THROW(field("mov_cd_cnpj")->setEditMask("99\\;99;0;_"), EngineError);
    EXPECT_EQ(field("mov_cd_cnpj")->editMask(), kCnpjMask);
    EXPECT_EQ(field("mov_cd_cnpj")->mask().qtInputMask(), QStringLiteral("00.000.000/0000-00;_"));
    view->refresh();
    EXPECT_EQ(edit->editMask(), kCnpjMask);
    EXPECT_EQ(edit->displayText(), "12.345.678/0001-95");
    EXPECT_EQ(field("mov_cd_cnpj")->maskedTextOf(field("mov_cd_cnpj")->value()), "12.345.678/0001-95");
}

struct Limit {
    const char* field;
    QString mask;
    int maxLength;
};

std::ostream& operator<<(std::ostream& os, const Limit& l) { return os << l.field; }

class DBEditLimit : public DBEditTest, public ::testing::WithParamInterface<Limit> {};

TEST_P(DBEditLimit, AcceptsAtMostTheFieldsSize) {
    const Limit& l = GetParam();
    field(l.field)->setEditMask(l.mask);
    bind(l.field);
    EXPECT_EQ(edit->maxLength(), l.maxLength);
}

INSTANTIATE_TEST_SUITE_P(Fields, DBEditLimit,
                         ::testing::Values(Limit{"mov_nr_nf", {}, 30}, Limit{"mov_dt_referencia", {}, 12},
                                           Limit{"mov_tp_gerado", {}, 2}, Limit{"mov_vl_valor", {}, 32767},
                                           Limit{"mov_cd_cnpj", kCnpjMask, 18}));

TEST_F(DBEditTest, TypingStopsAtTheFieldsSize) {
    bind("mov_tp_retificadora");
    view->insert();
    enter();
    QTest::keyClicks(edit, "SIM");
    leave();
    EXPECT_EQ(field("mov_tp_retificadora")->asString(), "SI");
}

struct Refusal {
    const char* field;
    QString maskOnEnter;
    const char* keys;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const Refusal& r) { return os << r.field << " [" << r.keys << "]"; }

class DBEditRefusal : public DBEditTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(DBEditRefusal, ARefusedValueKeepsTheFocusAndShowsTheFieldsMessage) {
    const Refusal& r = GetParam();
    bind(r.field, r.maskOnEnter);
    QSignalSpy exited(edit, &DBEdit::exited);
    QSignalSpy nextEntered(next, &DBEdit::entered);
    view->insert();
    enter();
    QTest::keyClicks(edit, r.keys);
    leave();
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(nextEntered.count(), 0) << "the control the focus was going to was entered";
    EXPECT_EQ(exited.count(), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::Error);
    EXPECT_EQ(boxes.boxes()[0].text, r.message);
    EXPECT_TRUE(field(r.field)->isNull());
    EXPECT_EQ(view->state(), DatasetState::Insert);

    // A window's save meets the same refusal as an exception.
    EXPECT_THROW(edit->updateRecord(), EngineError);

    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    leave();
    EXPECT_FALSE(edit->hasFocus());
    EXPECT_EQ(exited.count(), 1);
    EXPECT_EQ(nextEntered.count(), 1);
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, DBEditRefusal,
    ::testing::Values(Refusal{"mov_vl_valor", {}, "abc",
                              "'abc' não é um valor válido para o campo mov_vl_valor. Digite o valor como em 1.234,56."},
                      Refusal{"mov_dt_notaf", kDateMask, "31029999",
                              "'31/02/9999' não é uma data válida para o campo mov_dt_notaf. Digite a data como em "
                              "15/03/2004."}));

TEST_F(DBEditTest, BrowseStateTakesNoInputAndWritesNothing) {
    test::addInvoice(*view, {"012001", "N", "7"});
    bind("mov_nr_nf");
    EXPECT_TRUE(edit->isReadOnly());
    enter();
    QTest::keyClicks(edit, "99");
    leave();
    EXPECT_EQ(edit->text(), "7");
    EXPECT_EQ(field("mov_nr_nf")->asString(), "7");

    view->edit();
    EXPECT_FALSE(edit->isReadOnly());
    enter();
    edit->selectAll();
    QTest::keyClicks(edit, "8");
    view->cancel();  // before leaving: the typed text goes with the pending row
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->text(), "7");
    leave();
    EXPECT_EQ(field("mov_nr_nf")->asString(), "7");
}

TEST_F(DBEditTest, LeavingWithoutTypingWritesNothing) {
    // Stored with its punctuation, which the mask would not give back.
    const QString stored = QStringLiteral("12.345.678/0001-95");
    test::addInvoice(*view, {"012001", "N", "1", stored});
    bind("mov_cd_cnpj", kCnpjMask);
    view->edit();
    enter();
    ASSERT_NE(edit->fieldText(), stored);
    leave();
    EXPECT_FALSE(view->modified());
    EXPECT_EQ(field("mov_cd_cnpj")->asString(), stored);
}

TEST_F(DBEditTest, UpdateRecordWritesWhileTheFocusStays) {
    bind("mov_nr_nf");
    view->insert();
    enter();
    QTest::keyClicks(edit, "42");
    edit->updateRecord();
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(field("mov_nr_nf")->asString(), "42");
}

TEST_F(DBEditTest, ADisplayFieldNeverTakesInput) {
    test::addInvoice(*view, {"012001", "N", "7"});
    bind("mov_nr_nf");
    edit->setReadOnlyDisplay(true);
    view->edit();
    EXPECT_TRUE(edit->isReadOnly());
    enter();
    QTest::keyClicks(edit, "99");
    edit->updateRecord();
    leave();
    EXPECT_FALSE(view->modified());
    EXPECT_EQ(edit->text(), "7");
}

TEST_F(DBEditTest, FollowsTheCurrentRowAndTheField) {
    test::addInvoice(*view, {"012001", "N", "1"});
    test::addInvoice(*view, {"012001", "N", "2"});
    bind("MOV_NR_NF");  // names match without regard to case
    view->first();
    EXPECT_EQ(edit->text(), "1");
    view->next();
    EXPECT_EQ(edit->text(), "2");
    view->edit();
    field("mov_nr_nf")->setAsString("22");
    EXPECT_EQ(edit->text(), "22");
    view->close();
    EXPECT_EQ(edit->text(), "");
    EXPECT_TRUE(edit->isReadOnly());
    view->open();
    EXPECT_EQ(edit->text(), "1");
}

TEST_F(DBEditTest, EnteringAndLeavingAreSignalled) {
    bind("mov_nr_nf");
    QSignalSpy entered(edit, &DBEdit::entered);
    QSignalSpy exited(edit, &DBEdit::exited);
    QString textOnExit;
    QObject::connect(edit, &DBEdit::exited, edit, [&] { textOnExit = field("mov_nr_nf")->asString(); });
    view->insert();
    enter();
    QTest::keyClicks(edit, "5");
    leave();
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(exited.count(), 1);
    EXPECT_EQ(textOnExit, "5") << "exited() before the field was written";
    // Leaving in browse state is signalled too: the windows' exit checks run regardless.
    view->post();
    enter();
    leave();
    EXPECT_EQ(entered.count(), 2);
    EXPECT_EQ(exited.count(), 2);
}

}  // namespace
