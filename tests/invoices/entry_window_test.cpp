// The invoice entry window, driven through its real widgets: its controls, the
// list of the open month, the save chain stop by stop with its messages and focus,
// the keep flag, the duplicate test, keys, closing, and the mends of the unit
// that was never stored and of the alphanumeric CNPJ.

#include "invoice_windows.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>

using namespace meru;
using platform::Answer;
using platform::BoxKind;
using platform::RecordedBox;
using test::Invoice;
using test::settle;

namespace {

const QString kEmpty = QStringLiteral("Todos os Campos Devem ser preenchidos!");
const QString kBadCnpj = QStringLiteral("CNPJ Invalido!");
const QString kFix = QString::fromUtf8("A Inscrição estadual digitada inválida! Deseja corrigir?");
const QString kDuplicate =
    QString::fromUtf8("Nota Fiscal Já Incluida:\rJa Existe uma Nota com este CNPJ e Numero da Nota Fiscal");
const QString kDuplicateOnLeaving = QStringLiteral("Ja Existe Uma nota com este CNPJ e Numero");
const QString kRegistrationWarning =
    QString::fromUtf8("INSCRIÇÃO ESTADUAL INVÁLIDA\r- Verifique se a Inscrição está correta");
const QString kNoUnit = QString::fromUtf8(
    "Unidade Gestora não cadastrada!\rEfetue o login com uma Unidade Gestora cadastrada antes de gravar Notas Fiscais.");

// A new invoice as the chain stores it, typed as `typed`.
Invoice asStored(Invoice typed, const QString& validade = QString()) {
    typed.gerado = QStringLiteral("N");
    typed.referencia = test::kMonth;
    typed.unidade = test::kUnit;
    typed.validade = validade;
    return typed;
}

Invoice typedInvoice(const QString& nf = QStringLiteral("1001")) {
    Invoice i = test::storedInvoice(nf);
    i.valor = QStringLiteral("1234,56");
    i.retificadora = QStringLiteral("N");
    return i;
}

class EntryWindow : public test::InvoiceWindows {
protected:
    void SetUp() override {
        InvoiceWindows::SetUp();
        if (HasFatalFailure()) return;
        test::InvoiceWindows::openMonth();
    }

    void open() {
        w = openEntry();
        ASSERT_TRUE(w);
    }

    // "&Inserir N.F.", the invoice typed in, "&Gravar N.F.".
    void insert(const Invoice& i) {
        click(w->btb_inserirnf);
        fill(w, i);
        click(w->BitBtn1);
    }

    // Enabled states of "&Inserir N.F.", "&Gravar N.F.", "&Alterar N.F.", "&Cancelar", "&Sair".
    QList<bool> buttons() const {
        return {w->btb_inserirnf->isEnabled(), w->BitBtn1->isEnabled(), w->BitBtn3->isEnabled(),
                w->BitBtn2->isEnabled(), w->BitBtn4->isEnabled()};
    }

    QPointer<Tfrm_notas_inclusao> w;
};

TEST_F(EntryWindow, ShowsItsControlsInTabOrderAsAChildOfTheFrame) {
    open();
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Inclusão de Notas Fiscais"));
    ASSERT_TRUE(w->mdiFrame());
    EXPECT_EQ(w->mdiFrame()->mdiArea(), frm_menu->mdiArea());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->GroupBox1->title(), QString::fromUtf8("Inclusão de Notas Fiscais"));
    EXPECT_EQ(w->GroupBox2->title(), QString::fromUtf8("Notas Incluídas (01/2001)"));
    EXPECT_EQ(frame->calls, QStringList({"abre_inclusao_notas", "desabilita_menus"}));

    const QList<controls::DBEdit*> edits{w->dbedt_cgcemitente, w->dbedt_insces, w->dbedt_nrproc, w->dbedt_nrnf,
                                         w->dbedt_vlnf,        w->dbedt_dtnf,   w->dbedt_dtproc};
    QStringList labels, fields;
    QList<int> lengths;
    for (controls::DBEdit* e : edits) {
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->buddy() == e) labels << l->text();
        fields << e->dataField();
        lengths << e->maxLength();
        EXPECT_EQ(e->dataSource(), w->ds_movimento);
    }
    EXPECT_EQ(labels, QStringList({"CGC Emitente N.F.", QString::fromUtf8("Inscrição Estadual"),
                                   QString::fromUtf8("Número do Processo"), QString::fromUtf8("Nº. Nota Fiscal"),
                                   "Valor da N.F.", "Data da N.F.", "Data do Processo"}));
    EXPECT_EQ(fields, QStringList({"MOV_CD_CNPJ", "MOV_NR_INSCRICAO", "MOV_NR_PROCESSO", "mov_nr_nf", "MOV_VL_VALOR",
                                   "MOV_DT_NOTAF", "MOV_DT_PROCESSO"}));
    EXPECT_EQ(lengths.mid(0, 4), QList<int>({28, 28, 24, 30}));
    EXPECT_EQ(w->DBCheckBox1->text(), QString::fromUtf8("Inclusão Retificadora"));
    EXPECT_EQ(w->DBCheckBox1->dataField(), "mov_tp_retificadora");
    EXPECT_EQ(w->DBCheckBox1->valueChecked(), "S");
    EXPECT_EQ(w->DBCheckBox1->valueUnchecked(), "N");
    EXPECT_EQ(w->ds_movimento->dataSet(), dm_dados->tab_movimento_atual);

    QStringList chain;
    QWidget* c = w->BitBtn1;
    do {
        if ((c->focusPolicy() & Qt::TabFocus) && w->isAncestorOf(c)) chain << c->objectName();
        c = c->nextInFocusChain();
    } while (c != w->BitBtn1);
    EXPECT_EQ(chain, QStringList({"BitBtn1", "dbedt_cgcemitente", "dbedt_insces", "dbedt_nrproc", "dbedt_nrnf",
                                  "dbedt_vlnf", "dbedt_dtnf", "dbedt_dtproc", "DBCheckBox1", "GroupBox2"}));

    QStringList captions;
    for (QPushButton* b : {w->btb_inserirnf, w->BitBtn1, w->BitBtn3, w->BitBtn2, w->BitBtn4}) captions << b->text();
    EXPECT_EQ(captions, QStringList({"&Inserir N.F.", "&Gravar N.F.", "&Alterar N.F.", "&Cancelar", "&Sair"}));
    // Left to right on the screen in that order.
    EXPECT_LT(w->btb_inserirnf->x(), w->BitBtn1->x());
    EXPECT_LT(w->BitBtn1->x(), w->BitBtn3->x());
    EXPECT_LT(w->BitBtn3->x(), w->BitBtn2->x());
    EXPECT_LT(w->BitBtn2->x(), w->BitBtn4->x());
    EXPECT_EQ(buttons(), QList<bool>({true, false, true, false, true}));

    controls::DBGrid* grid = w->dbgrid_movimento_atual;
    EXPECT_EQ(grid->parentWidget(), w->GroupBox2);
    EXPECT_EQ(grid->dataSource(), w->ds_movimento);
    EXPECT_FALSE(grid->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QStringList titles;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        titles << grid->model()->headerData(i, Qt::Horizontal).toString();
    EXPECT_TRUE(grid->rowIndicator());
    EXPECT_TRUE(grid->showGrid());
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    test::InvoiceWindows::seed(test::storedInvoice("1"));
    dm_dados->tab_movimento_atual->refresh();
    ASSERT_EQ(grid->model()->rowCount(), 1);
    QList<bool> centred;
    for (int i = 0; i < grid->model()->columnCount(); ++i)
        centred << bool(grid->model()->index(0, i).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter);
    EXPECT_EQ(centred, QList<bool>({false, true, true, true, true, true, true}));
    EXPECT_EQ(titles, QStringList({"CNPJ", QString::fromUtf8("Nº. Nota F."), "Data Nota F.", "Valor Nota F.",
                                   "Retificadora?", "Insc. Estadual", QString::fromUtf8("Nº. Processo")}));
}

TEST_F(EntryWindow, ListsOnlyTheOpenMonthAndNamesItInTheListCaption) {
    test::InvoiceWindows::seed(test::storedInvoice("1"));
    Invoice other = test::storedInvoice("2");
    other.referencia = QStringLiteral("022001");
    test::InvoiceWindows::seed(other);
    test::InvoiceWindows::seed(test::storedInvoice("3"));
    open();
    EXPECT_EQ(mes_referencia, test::kMonth);
    EXPECT_EQ(dm_dados->tab_movimento_atual->recordCount(), 2);
    EXPECT_EQ(w->dbgrid_movimento_atual->model()->rowCount(), 2);
    EXPECT_EQ(w->dbedt_nrnf->text(), "1");  // the first row of the month is current
    EXPECT_EQ(w->GroupBox2->title(), QString::fromUtf8("Notas Incluídas (01/2001)"));
}

TEST_F(EntryWindow, InsertStartsARowWithItsDefaultsAndTheFocusInTheCnpj) {
    open();
    click(w->btb_inserirnf);
    EXPECT_EQ(state(), DatasetState::Insert);
    EXPECT_EQ(buttons(), QList<bool>({false, true, false, true, true}));
    EXPECT_EQ(dm_dados->tab_movimento_atual->fieldByName("mov_tp_gerado")->asString(), "N");
    EXPECT_EQ(dm_dados->tab_movimento_atual->fieldByName("mov_tp_retificadora")->asString(), "N");
    EXPECT_FALSE(w->DBCheckBox1->isChecked());
    EXPECT_EQ(focused(), w->dbedt_cgcemitente);
    EXPECT_EQ(dm_dados->tab_movimento_atual->fieldByName("mov_cd_cnpj")->editMask(), "!>aa.aaa.aaa/aaaa-99;0;_");
    EXPECT_EQ(w->dbedt_cgcemitente->displayText(), "__.___.___/____-__");
    w->dbedt_dtnf->setFocus(Qt::TabFocusReason);
    w->dbedt_dtproc->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(dm_dados->tab_movimento_atual->fieldByName("mov_dt_notaf")->editMask(), "!99/99/9999;1;_");
    EXPECT_EQ(dm_dados->tab_movimento_atual->fieldByName("mov_dt_processo")->editMask(), "!99/99/9999;1;_");
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
}

TEST_F(EntryWindow, ACompleteInvoiceIsStoredWithTheMonthAndTheUnitAndTheFocusGoesToInserir) {
    open();
    Invoice typed = typedInvoice();
    typed.retificadora = QStringLiteral("S");
    insert(typed);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(storedInvoices(), std::vector<Invoice>({asStored(typed)}));
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_EQ(buttons(), QList<bool>({true, false, true, false, true}));
    EXPECT_EQ(focused(), w->btb_inserirnf);
    EXPECT_EQ(w->dbgrid_movimento_atual->model()->rowCount(), 1);
    EXPECT_EQ(w->dbgrid_movimento_atual->model()->index(0, 0).data().toString(), "11.222.333/0001-81");
}

// Each stop of the chain: what is typed, the boxes in order, where the focus goes;
// the row stays pending and nothing is stored.
TEST_F(EntryWindow, EachStopOfTheSaveChainShowsItsMessageAndKeepsTheRowPending) {
    Invoice sameNumberOtherMonth = test::storedInvoice("500");
    sameNumberOtherMonth.referencia = QStringLiteral("122000");
    sameNumberOtherMonth.gerado = QStringLiteral("S");
    Invoice sameNumberOtherUnit = test::storedInvoice("600");
    sameNumberOtherUnit.unidade = test::kOtherUnit;
    sameNumberOtherUnit.referencia = QStringLiteral("052003");
    test::InvoiceWindows::seed(sameNumberOtherMonth);
    test::InvoiceWindows::seed(sameNumberOtherUnit);
    const std::vector<Invoice> before = storedInvoices();

    auto with = [](auto change) {
        Invoice i = typedInvoice();
        change(i);
        return i;
    };
    const struct {
        const char* name;
        Invoice typed;
        std::vector<Answer> answers;
        QStringList boxes;
        const char* focus;  // "" for the button clicked
    } cases[] = {
        {"every field empty", Invoice{}, {}, {kRegistrationWarning, kEmpty}, ""},
        {"cnpj empty", with([](Invoice& i) { i.cnpj.clear(); }), {}, {kEmpty}, ""},
        {"registration empty", with([](Invoice& i) { i.inscricao.clear(); }), {}, {kRegistrationWarning, kEmpty}, ""},
        {"process empty", with([](Invoice& i) { i.processo.clear(); }), {}, {kEmpty}, ""},
        {"process date only slashes", with([](Invoice& i) { i.dtproc.clear(); }), {}, {kEmpty}, ""},
        {"number empty", with([](Invoice& i) { i.nf.clear(); }), {}, {kEmpty}, ""},
        {"value empty", with([](Invoice& i) { i.valor.clear(); }), {}, {kEmpty}, ""},
        {"invoice date only slashes", with([](Invoice& i) { i.dtnf.clear(); }), {}, {kEmpty}, ""},
        {"cnpj check digits", with([](Invoice& i) { i.cnpj = QStringLiteral("11222333000182"); }), {}, {kBadCnpj},
         "dbedt_cgcemitente"},
        {"registration corrected", with([](Invoice& i) { i.inscricao = test::kBadRegistration; }), {Answer::Yes},
         {kRegistrationWarning, kFix}, "dbedt_insces"},
        {"duplicate of another month", with([](Invoice& i) { i.nf = QStringLiteral("500"); }), {},
         {kDuplicateOnLeaving, kDuplicate}, "dbedt_cgcemitente"},
        {"duplicate of another unit", with([](Invoice& i) { i.nf = QStringLiteral("600"); }), {},
         {kDuplicateOnLeaving, kDuplicate}, "dbedt_cgcemitente"},
    };
    open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        for (Answer a : c.answers) boxes.answer(a);
        insert(c.typed);
        EXPECT_EQ(boxes.texts(), c.boxes);
        EXPECT_EQ(boxes.boxes().back().kind, c.answers.empty() ? BoxKind::Inform : BoxKind::ConfirmYesNo);
        EXPECT_EQ(state(), DatasetState::Insert);
        EXPECT_EQ(storedInvoices(), before);
        const QString expectedFocus = *c.focus ? QString::fromLatin1(c.focus) : QStringLiteral("BitBtn1");
        EXPECT_EQ(focused() ? focused()->objectName() : QString(), expectedFocus);
        click(w->BitBtn2);
    }
}

TEST_F(EntryWindow, AFailingRegistrationKeptByAnsweringNoIsStoredFlagged) {
    open();
    Invoice typed = typedInvoice();
    typed.inscricao = QStringLiteral(" ") + test::kRegistration;  // passes trimmed on leaving, fails untrimmed
    for (Answer a : {Answer::No, Answer::None}) {
        boxes.clear();
        boxes.answer(a);
        insert(typed);
        EXPECT_EQ(boxes.texts(), QStringList({kFix}));
        EXPECT_EQ(focused(), w->btb_inserirnf);
        typed.nf += QStringLiteral("0");
    }
    const std::vector<Invoice> stored = storedInvoices();
    ASSERT_EQ(stored.size(), 2u);
    Invoice first = typed;
    first.nf = QStringLiteral("1001");
    EXPECT_EQ(stored[0], asStored(first, QStringLiteral("S")));
    EXPECT_EQ(stored[1].validade, "S");
}

TEST_F(EntryWindow, AnInvoiceOfAnAlphanumericIssuerIsTypedInUpperCaseAndStored) {
    open();
    Invoice typed = typedInvoice();
    typed.cnpj = QStringLiteral("12abc34501de35");
    insert(typed);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    typed.cnpj = test::kIssuerAlpha;
    EXPECT_EQ(storedInvoices(), std::vector<Invoice>({asStored(typed)}));
    EXPECT_EQ(w->dbedt_cgcemitente->displayText(), "12.ABC.345/01DE-35");
}

// After "Cadastrar Nova U. Gestora" and "Sair" without storing, the unit commands
// are on while no stored unit is held.
TEST_F(EntryWindow, AnInvoiceForAUnitNeverStoredIsRefusedBeforeStoring) {
    open();
    for (const QString held : {QStringLiteral("NOVA"), QStringLiteral("99888777000100"), QString()}) {
        SCOPED_TRACE(held.toStdString());
        boxes.clear();
        cnpj_unidade = held;
        insert(typedInvoice());
        EXPECT_EQ(boxes.texts(), QStringList({kNoUnit}));
        EXPECT_EQ(state(), DatasetState::Insert);
        EXPECT_TRUE(storedInvoices().empty());
        click(w->BitBtn2);
    }
    boxes.clear();
    cnpj_unidade = test::kOtherUnit;
    insert(typedInvoice());
    EXPECT_TRUE(boxes.boxes().empty());
    ASSERT_EQ(storedInvoices().size(), 1u);
    EXPECT_EQ(storedInvoices()[0].unidade, test::kOtherUnit);
}

// The duplicate test skips the invoice on display or under edit.
TEST_F(EntryWindow, ACorrectedInvoiceIsSavedWithItsNumberUnchanged) {
    test::InvoiceWindows::seed(test::storedInvoice("1"));
    test::InvoiceWindows::seed(test::storedInvoice("2"));
    open();
    // Leaving the number edit of the invoice on display finds no other row.
    w->dbedt_nrnf->setFocus(Qt::TabFocusReason);
    w->dbedt_vlnf->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();

    click(w->BitBtn3);
    EXPECT_EQ(state(), DatasetState::Edit);
    type(w->dbedt_nrproc, QStringLiteral("PROC-NOVO"));
    click(w->BitBtn1);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_EQ(storedInvoices()[0].processo, "PROC-NOVO");

    // Changed to the number of the other invoice: refused on leaving and on saving.
    click(w->BitBtn3);
    type(w->dbedt_nrnf, QStringLiteral("2"));
    w->dbedt_vlnf->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(focused(), w->dbedt_nrproc);
    click(w->BitBtn1);
    EXPECT_EQ(boxes.texts(), QStringList({kDuplicateOnLeaving, kDuplicate}));
    EXPECT_EQ(storedInvoices()[0].nf, "1");
}

TEST_F(EntryWindow, AlterarOnAnEmptyListDoesNothing) {
    open();
    click(w->BitBtn3);
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_EQ(buttons(), QList<bool>({true, false, true, false, true}));
    EXPECT_TRUE(storedInvoices().empty());
}

TEST_F(EntryWindow, ThePendingRowKeepsTheListSelection) {
    test::InvoiceWindows::seed(test::storedInvoice("1"));
    test::InvoiceWindows::seed(test::storedInvoice("2"));
    open();
    controls::DBGrid* grid = w->dbgrid_movimento_atual;
    click(w->BitBtn3);
    type(w->dbedt_nrproc, QStringLiteral("PROC-X"));
    const QRect second = grid->visualRect(grid->model()->index(1, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(state(), DatasetState::Edit);
    EXPECT_EQ(dm_dados->tab_movimento_atual->recNo(), 0);
    EXPECT_EQ(storedInvoices()[0].processo, "PROC-1");  // nothing stored by the selection
    click(w->BitBtn2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(dm_dados->tab_movimento_atual->recNo(), 1);  // in browse the list selects
    EXPECT_EQ(w->dbedt_nrnf->text(), "2");
}

TEST_F(EntryWindow, EnterWalksTheTabOrderAndSavesOnGravar) {
    test::InvoiceWindows::seed(test::storedInvoice("1"));
    open();
    auto walk = [&](int steps) {
        QStringList path;
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(focused(), Qt::Key_Return);
            path << (focused() ? focused()->objectName() : QString());
        }
        return path;
    };
    // Browse state: "&Gravar N.F." is disabled, so the walk goes round past it.
    w->dbedt_cgcemitente->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(walk(10), QStringList({"dbedt_insces", "dbedt_nrproc", "dbedt_nrnf", "dbedt_vlnf", "dbedt_dtnf",
                                     "dbedt_dtproc", "DBCheckBox1", "GroupBox2", "dbedt_cgcemitente", "dbedt_insces"}));
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();

    click(w->btb_inserirnf);
    fill(w, typedInvoice("2"));
    w->DBCheckBox1->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(walk(2), QStringList({"GroupBox2", "BitBtn1"}));
    QTest::keyClick(w->BitBtn1, Qt::Key_Return);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(storedInvoices().size(), 2u);
    EXPECT_EQ(focused(), w->btb_inserirnf);
}

TEST_F(EntryWindow, EscCancelsAPendingRowAndDoesNothingInBrowse) {
    test::InvoiceWindows::seed(test::storedInvoice("1"));
    open();
    w->dbedt_nrproc->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->dbedt_nrproc, Qt::Key_Escape);
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_TRUE(w->isVisible());

    click(w->BitBtn3);
    type(w->dbedt_nrproc, QStringLiteral("PROC-X"));
    QTest::keyClick(w->dbedt_nrproc, Qt::Key_Escape);
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_EQ(w->dbedt_nrproc->text(), "PROC-1");
    click(w->btb_inserirnf);
    QTest::keyClick(w->dbedt_cgcemitente, Qt::Key_Escape);
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_EQ(storedInvoices().size(), 1u);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
}

TEST_F(EntryWindow, ClosingWithARowPendingDiscardsItWithoutAQuestion) {
    open();
    click(w->btb_inserirnf);
    fill(w, typedInvoice());
    frame->calls.clear();
    click(w->BitBtn4);
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_TRUE(storedInvoices().empty());
    EXPECT_EQ(frame->calls, QStringList({"habilita_menus"}));
    EXPECT_TRUE(frame->mdiArea()->subWindowList().isEmpty());
}

// A value, a date and a text that their fields cannot take are refused when the
// edit is left: a box, the focus kept, nothing stored.
TEST_F(EntryWindow, ValuesTheFieldsCannotTakeAreRefusedAtTheEdit) {
    open();
    const struct {
        const char* name;
        controls::DBEdit* Tfrm_notas_inclusao::*edit;
        QString typed;
    } cases[] = {
        {"value", &Tfrm_notas_inclusao::dbedt_vlnf, QStringLiteral("12abc")},
        {"date", &Tfrm_notas_inclusao::dbedt_dtnf, QStringLiteral("31022004")},
        {"value of another locale", &Tfrm_notas_inclusao::dbedt_vlnf, QStringLiteral("1,234.56")},
        {"text outside code page 1252", &Tfrm_notas_inclusao::dbedt_nrproc, QString::fromUtf8("PROC-\u4e00")},
    };
    click(w->btb_inserirnf);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        controls::DBEdit* edit = w.data()->*c.edit;
        type(edit, c.typed);
        w->DBCheckBox1->setFocus(Qt::TabFocusReason);
        settle();
        EXPECT_EQ(focused(), edit);
        ASSERT_EQ(boxes.boxes().size(), 1u) << boxes.texts().join('|').toStdString();
        EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::Error);
        type(edit, QString());
    }
    click(w->BitBtn2);
    EXPECT_TRUE(storedInvoices().empty());
}

}  // namespace
