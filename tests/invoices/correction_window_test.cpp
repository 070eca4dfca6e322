// The invoice correction window: the entry window with insertion switched off,
// under its own captions; and the guard between the two windows, which share
// the one view of the open month.

#include "invoice_windows.h"

#include <QMdiSubWindow>

using namespace meru;
using test::Invoice;
using test::settle;

namespace {

const QString kEntryHolds = QString::fromUtf8(
    "Há uma Nota Fiscal em edição na janela \"Inclusão de Notas Fiscais\".\rGrave ou cancele essa nota antes de abrir "
    "esta janela.");
const QString kCorrectionHolds = QString::fromUtf8(
    "Há uma Nota Fiscal em edição na janela \"Correção de Notas Não Enviadas\".\rGrave ou cancele essa nota antes de "
    "abrir esta janela.");

class CorrectionWindow : public test::InvoiceWindows {
protected:
    void SetUp() override {
        InvoiceWindows::SetUp();
        if (HasFatalFailure()) return;
        openMonth();
        seed(test::storedInvoice("1"));
        seed(test::storedInvoice("2"));
    }

    // Enabled states of "&Inserir N.F.", "&Gravar N.F.", "&Alterar N.F.", "&Cancelar", "&Sair".
    static QList<bool> buttons(Tfrm_notas_inclusao* w) {
        return {w->btb_inserirnf->isEnabled(), w->BitBtn1->isEnabled(), w->BitBtn3->isEnabled(),
                w->BitBtn2->isEnabled(), w->BitBtn4->isEnabled()};
    }
};

TEST_F(CorrectionWindow, HasItsCaptionsAndListsTheOpenMonthWithTheFirstRowCurrent) {
    dm_dados->tab_movimento_atual->moveTo(1);
    QPointer<Tfrm_notas_edicao> w = openCorrection();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Correção de Notas Não Enviadas"));
    EXPECT_EQ(w->GroupBox1->title(), QString::fromUtf8("Edição de Notas Fiscais"));
    EXPECT_EQ(w->GroupBox2->title(), QString::fromUtf8("Notas Incluídas (01/2001)"));
    ASSERT_TRUE(w->mdiFrame());
    EXPECT_EQ(frame->calls, QStringList({"desabilita_menus"}));
    EXPECT_EQ(dm_dados->tab_movimento_atual->recordCount(), 2);
    EXPECT_EQ(w->dbedt_nrnf->text(), "1");
    EXPECT_EQ(buttons(w), QList<bool>({false, false, true, false, true}));
    w->close();
    settle();
    EXPECT_EQ(frame->calls, QStringList({"desabilita_menus", "habilita_menus"}));
}

// As after month closing: the month text is empty, and nothing the chain stored is listed.
TEST_F(CorrectionWindow, WithNoOpenMonthItListsNothing) {
    dm_dados->qry_referencias->remove();
    QPointer<Tfrm_notas_edicao> w = openCorrection();
    ASSERT_TRUE(w);
    EXPECT_EQ(mes_referencia, "");
    EXPECT_EQ(w->GroupBox2->title(), QString::fromUtf8("Notas Incluídas (/)"));
    EXPECT_EQ(dm_dados->tab_movimento_atual->recordCount(), 0);
}

TEST_F(CorrectionWindow, InserirStaysDisabledInEveryStateAndAltIDoesNothing) {
    QPointer<Tfrm_notas_edicao> w = openCorrection();
    ASSERT_TRUE(w);
    w->dbedt_nrproc->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->dbedt_nrproc, Qt::Key_I, Qt::AltModifier);
    QTest::qWait(300);  // longer than an accelerator's animated click
    EXPECT_EQ(state(), DatasetState::Browse);
    click(w->BitBtn3);
    EXPECT_EQ(state(), DatasetState::Edit);
    EXPECT_EQ(buttons(w), QList<bool>({false, true, false, true, true}));
    click(w->BitBtn2);
    EXPECT_EQ(buttons(w), QList<bool>({false, false, true, false, true}));
    EXPECT_EQ(storedInvoices().size(), 2u);
}

TEST_F(CorrectionWindow, ASaveWithTheNumberUnchangedLeavesTheFocusWhereItWas) {
    QPointer<Tfrm_notas_edicao> w = openCorrection();
    ASSERT_TRUE(w);
    click(w->BitBtn3);
    type(w->dbedt_vlnf, QStringLiteral("99,9"));
    // "&Gravar N.F." by its accelerator, the focus in the edit; the button's click is animated.
    QTest::keyClick(w->dbedt_vlnf, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return state() == DatasetState::Browse; }, 2000));
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_EQ(focused(), w->dbedt_vlnf);
    Invoice expected = test::storedInvoice("1");
    expected.valor = QStringLiteral("99,9");
    EXPECT_EQ(storedInvoices()[0], expected);
}

// Neither window is created while the other holds a pending row; showing again an
// existing one is never refused; with no row pending both may be open.
TEST_F(CorrectionWindow, NeitherWindowIsCreatedWhileTheOtherHoldsAPendingRow) {
    QPointer<Tfrm_notas_inclusao> entry = openEntry();
    ASSERT_TRUE(entry);
    click(entry->btb_inserirnf);
    type(entry->dbedt_nrproc, QStringLiteral("PROC-PENDENTE"));
    EXPECT_EQ(openCorrection(), nullptr);
    EXPECT_EQ(boxes.texts(), QStringList({kEntryHolds}));
    EXPECT_TRUE(frm_notas_edicao.isNull());
    EXPECT_EQ(state(), DatasetState::Insert);
    EXPECT_EQ(frm_menu->mdiArea()->activeSubWindow(), entry->mdiFrame());
    click(entry->BitBtn2);

    boxes.clear();
    QPointer<Tfrm_notas_edicao> correction = openCorrection();
    ASSERT_TRUE(correction);
    EXPECT_TRUE(boxes.boxes().empty());
    click(correction->BitBtn3);
    EXPECT_EQ(openEntry(), entry.data());  // shown again: nothing is created
    EXPECT_TRUE(boxes.boxes().empty());
    entry->close();
    settle();
    ASSERT_TRUE(entry.isNull());
    // The pending correction goes with the closed entry window: closing discards.
    click(correction->BitBtn3);
    type(correction->dbedt_nrproc, QStringLiteral("PROC-PENDENTE"));
    EXPECT_EQ(openEntry(), nullptr);
    EXPECT_EQ(boxes.texts(), QStringList({kCorrectionHolds}));
    EXPECT_EQ(state(), DatasetState::Edit);
    EXPECT_EQ(storedInvoices()[0].processo, "PROC-1");
}

}  // namespace
