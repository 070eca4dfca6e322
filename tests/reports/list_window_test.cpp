// The invoice list through its real widgets: the two modes, deletion with its
// mend for a row sent or deleted while the list was hidden, the way to the
// correction window and back, and closing.
#include "list_fixture.h"

#include <QHeaderView>
#include <QLocale>
#include <QSignalSpy>

using namespace meru;
using namespace meru::test;
using platform::Answer;
using platform::BoxKind;
using platform::RecordedBox;

namespace {

const QString kQuestion = QString::fromUtf8("Você está prestes a Excluir uma Nota Fiscal, Continuar?");
const QString kStale = QString::fromUtf8(
    "Esta Nota Fiscal já foi enviada ou excluída e não pode ser excluída.\rA lista será atualizada.");

// Invoices of two units and two months, unsent, sent and counted as sent.
std::vector<Nota> mixedInvoices() {
    Nota a{QStringLiteral("101")};
    Nota b{QStringLiteral("102"), QStringLiteral("S")};
    Nota c{QStringLiteral("103")};
    c.referencia = QStringLiteral("042004");
    c.unidade = QStringLiteral("11444777000161");
    c.valor = 10;
    c.data = QDate(2004, 4, 1);
    c.retificadora = QStringLiteral("S");
    Nota d{QStringLiteral("104"), QStringLiteral("G")};
    return {a, b, c, d};
}

}  // namespace

TEST_F(ListWindow, OpensOnTheUnsentInvoicesOfEveryUnitAndMonthWithTheMainCommandsOff) {
    seed(mixedInvoices());
    Tfrm_sele_notas* list = openList();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->isWindow());
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Listagem de Notas Fiscais"));
    EXPECT_EQ(list->GroupBox1->title(), QString::fromUtf8("Notas Fiscais (Não Enviadas)"));
    EXPECT_EQ(list->GroupBox2->title(), QStringLiteral("Controle de Notas"));
    EXPECT_EQ(list->GroupBox3->title(), QStringLiteral("Notas:"));
    EXPECT_TRUE(list->RadioButton2->isChecked());
    EXPECT_FALSE(list->RadioButton1->isChecked());
    for (QPushButton* b : {list->BitBtn1, list->BitBtn2, list->BitBtn3, list->BitBtn4, list->BitBtn5})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    EXPECT_EQ(numbers(list), (QStringList{"101", "103"}));
    EXPECT_FALSE(frame->unitCommandsEnabled);
    EXPECT_EQ(frame->calls, QStringList{"desabilita_menus"});

    // Tab goes through the five buttons, the radio buttons (one stop, arrows move
    // between them) and the grid, where it moves from column to column.
    QApplication::setActiveWindow(list);
    list->BitBtn1->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "RadioButton1",
                                    "dbgrid_movimento_atual"}));
    const int column = list->dbgrid_movimento_atual->currentIndex().column();
    QTest::keyClick(list->dbgrid_movimento_atual, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list->dbgrid_movimento_atual);
    EXPECT_EQ(list->dbgrid_movimento_atual->currentIndex().column(), column + 1);
}

TEST_F(ListWindow, GridShowsSevenColumnsWithTheirTitlesAlignmentsAndDisplayTexts) {
    seed(mixedInvoices());
    Tfrm_sele_notas* list = openList();
    QAbstractItemModel* m = list->dbgrid_movimento_atual->model();
    struct Col {
        const char* title;
        Qt::Alignment cell, title_;
        QString first;
    };
    const QLocale pt(QLocale::Portuguese, QLocale::Brazil);
    const Col cols[] = {
        {"CNPJ", Qt::AlignLeft, Qt::AlignLeft, QStringLiteral("11222333000181")},
        {"Nº. Nota F.", Qt::AlignHCenter, Qt::AlignHCenter, QStringLiteral("101")},
        {"Valor Nota F.", Qt::AlignHCenter, Qt::AlignHCenter, pt.toCurrencyString(1234.5)},
        {"Data Nota F.", Qt::AlignLeft, Qt::AlignLeft, QStringLiteral("15/03/2004")},
        {"Retificadora?", Qt::AlignHCenter, Qt::AlignHCenter, QStringLiteral("N")},
        {"Insc. Estadual", Qt::AlignHCenter, Qt::AlignLeft, QStringLiteral("110042490114")},
        {"Nº. Processo", Qt::AlignHCenter, Qt::AlignLeft, QStringLiteral("23000.001234/2004")},
    };
    ASSERT_EQ(m->columnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        SCOPED_TRACE(cols[c].title);
        EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(cols[c].title));
        EXPECT_EQ(Qt::Alignment(m->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
                  cols[c].title_);
        EXPECT_EQ(Qt::Alignment(m->data(m->index(0, c), Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
                  cols[c].cell);
        EXPECT_EQ(m->data(m->index(0, c)).toString(), cols[c].first);
    }
    EXPECT_EQ(column(list, 2)[1], pt.toCurrencyString(10.0));
    EXPECT_EQ(column(list, 3)[1], QStringLiteral("01/04/2004"));
    // Read-only, whole rows, a row indicator, resizable columns, Tab between columns.
    controls::DBGrid* grid = list->dbgrid_movimento_atual;
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(grid->verticalHeader()->isVisible());
    EXPECT_TRUE(grid->horizontalHeader()->isVisible());
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_TRUE(grid->tabKeyNavigation());
    // Every column fits in the window as it opens.
    int columns = 0;
    for (int c = 0; c < 7; ++c) columns += grid->columnWidth(c);
    EXPECT_GE(grid->viewport()->width(), columns);
}

// Each radio button switches to its own mode; the captions, the buttons and the
// rows follow, and returning to the unsent list writes "enviadas" in lower case.
TEST_F(ListWindow, RadioButtonsSwitchBetweenUnsentAndSentInvoices) {
    seed(mixedInvoices());
    Tfrm_sele_notas* list = openList();
    struct Step {
        QRadioButton* button;
        QString caption;
        QStringList rows;
        bool changeAllowed;
    };
    const Step steps[] = {
        {list->RadioButton1, QStringLiteral("Notas Fiscais (Enviadas)"), {"102", "104"}, false},
        {list->RadioButton2, QString::fromUtf8("Notas Fiscais (Não enviadas)"), {"101", "103"}, true},
        {list->RadioButton1, QStringLiteral("Notas Fiscais (Enviadas)"), {"102", "104"}, false},
        {list->RadioButton1, QStringLiteral("Notas Fiscais (Enviadas)"), {"102", "104"}, false},
        {list->RadioButton2, QString::fromUtf8("Notas Fiscais (Não enviadas)"), {"101", "103"}, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.caption.toStdString());
        click(s.button);
        EXPECT_TRUE(s.button->isChecked());
        EXPECT_EQ(list->GroupBox1->title(), s.caption);
        EXPECT_EQ(numbers(list), s.rows);
        EXPECT_EQ(list->BitBtn1->isEnabled(), s.changeAllowed);
        EXPECT_EQ(list->BitBtn2->isEnabled(), s.changeAllowed);
        EXPECT_TRUE(list->BitBtn3->isEnabled());
        EXPECT_TRUE(list->BitBtn4->isEnabled());
        EXPECT_EQ(list->tab_movimento->recNo(), 0);
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

// Yes deletes the invoice the grid shows; No, or closing the box, leaves it.
TEST_F(ListWindow, DeleteAsksAndOnlyYesDeletesTheSelectedInvoice) {
    const struct {
        Answer answer;
        bool deleted;
    } cases[] = {{Answer::Yes, true}, {Answer::No, false}, {Answer::None, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.answer));
        const auto ids = seed({Nota{"201"}, Nota{"202"}, Nota{"203"}});
        Tfrm_sele_notas* list = openList();
        QTest::mouseClick(list->dbgrid_movimento_atual->viewport(), Qt::LeftButton, {},
                          list->dbgrid_movimento_atual->visualRect(list->dbgrid_movimento_atual->model()->index(1, 1)).center());
        ASSERT_EQ(list->tab_movimento->recNo(), 1);
        boxes.answer(c.answer);
        click(list->BitBtn2);
        EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::ConfirmYesNo, kQuestion, c.answer == Answer::None ? Answer::No : c.answer}}));
        EXPECT_EQ(numbers(list), c.deleted ? QStringList({"201", "203"}) : QStringList({"201", "202", "203"}));
        EXPECT_EQ(storedStatus(ids[1]), c.deleted ? QString() : QStringLiteral("N"));
        EXPECT_EQ(storedStatus(ids[0]), QStringLiteral("N"));
        EXPECT_EQ(storedStatus(ids[2]), QStringLiteral("N"));
        list->close();
        settle();
        dm_dados->apaga_mov->emptyTable();
        boxes.clear();
    }
}

// Yes on an empty list: the engine refuses, and its message reaches the default
// error handler; nothing changes and the window stays.
TEST_F(ListWindow, DeleteOnAnEmptyListIsRefusedByTheEngine) {
    seed({Nota{"301", "S"}});
    Tfrm_sele_notas* list = openList();
    ASSERT_EQ(list->tab_movimento->rowCount(), 0);
    boxes.answer(Answer::Yes);
    click(list->BitBtn2);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].kind, BoxKind::Error);
    EXPECT_EQ(boxes.boxes()[1].text, QStringLiteral("tab_movimento: Cannot perform this operation on an empty dataset"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(storedStatus(1), QStringLiteral("S"));
}

// The list stays unrefreshed while hidden behind the correction window, whose
// closing gives the main window its commands back: a month can be closed, or the
// invoice deleted, before the list is shown again. Deleting the row it still
// shows deletes nothing, says why and refreshes the list.
TEST_F(ListWindow, AnInvoiceSentOrDeletedWhileTheListWasHiddenIsNotDeleted) {
    enum Meanwhile { Sent, Deleted };
    for (Meanwhile meanwhile : {Sent, Deleted}) {
        SCOPED_TRACE(meanwhile == Sent ? "sent" : "deleted");
        const auto ids = seed({Nota{"401"}, Nota{"402"}, Nota{"403"}});
        Tfrm_sele_notas* list = openList();
        list->tab_movimento->moveTo(1);
        click(list->BitBtn1);
        ASSERT_TRUE(list->isHidden());
        frm_correcao->close();
        settle();
        ASSERT_TRUE(frame->unitCommandsEnabled);

        if (meanwhile == Sent) {
            dm_dados->qry_mov_tornagerado->execSQL();  // the month closing's marking
        } else {
            TableAccess(*dm_dados->Database1, dm_dados->Database1->table("movimento")).remove(ids[1]);
            seed({Nota{"404"}});
        }

        EXPECT_EQ(openList(), list);
        EXPECT_EQ(numbers(list), (QStringList{"401", "402", "403"}));  // as it was hidden
        EXPECT_EQ(list->tab_movimento->recNo(), 1);
        boxes.answer(Answer::Yes);
        click(list->BitBtn2);
        EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::ConfirmYesNo, kQuestion, Answer::Yes},
                                                           {BoxKind::Inform, kStale, Answer::None}}));
        if (meanwhile == Sent) {
            for (qint64 id : ids) EXPECT_EQ(storedStatus(id), QStringLiteral("S"));
            EXPECT_EQ(numbers(list), QStringList());
        } else {
            EXPECT_EQ(storedStatus(ids[0]), QStringLiteral("N"));
            EXPECT_EQ(storedStatus(ids[2]), QStringLiteral("N"));
            EXPECT_EQ(numbers(list), (QStringList{"401", "403", "404"}));
            EXPECT_EQ(list->tab_movimento->recNo(), 1);
        }
        list->close();
        settle();
        dm_dados->apaga_mov->emptyTable();
        boxes.clear();
    }
}

// "Modificar Dados" makes the correction window, owned by the list, hides the
// list and shows it; closing it gives the commands back and leaves the list
// hidden; "&Controle Geral" shows the same list, unrefreshed.
TEST_F(ListWindow, ModifyHidesTheListUntilControleGeralShowsItUnrefreshed) {
    seed({Nota{"501"}, Nota{"502"}});
    Tfrm_sele_notas* list = openList();
    click(list->BitBtn1);
    QWidget* correction = frm_correcao.data();
    ASSERT_TRUE(correction);
    EXPECT_TRUE(list->isHidden());
    EXPECT_TRUE(correction->isVisible());
    EXPECT_EQ(dynamic_cast<FormBase*>(correction)->owner(), list);
    ASSERT_TRUE(dynamic_cast<FormBase*>(correction)->mdiFrame());
    EXPECT_EQ(dynamic_cast<FormBase*>(correction)->mdiFrame()->mdiArea(), frame->mdiArea());
    EXPECT_FALSE(frame->unitCommandsEnabled);

    seed({Nota{"503"}});  // stored meanwhile: the hidden list does not see it
    QPointer<QWidget> first = correction;
    correction->close();
    settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(frame->unitCommandsEnabled);
    EXPECT_TRUE(list->isHidden());
    EXPECT_TRUE(frm_menu->form_aberto(frm_sele_notas));

    EXPECT_EQ(openList(), list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(numbers(list), (QStringList{"501", "502"}));
    EXPECT_EQ(frame->calls, (QStringList{"desabilita_menus", "desabilita_menus", "habilita_menus"}));

    // A living correction window is shown again, not made anew; it goes with the list.
    click(list->BitBtn1);
    QPointer<QWidget> second = frm_correcao.data();
    list->show();
    click(list->BitBtn1);
    EXPECT_EQ(frm_correcao.data(), second.data());
    delete list;
    settle();
    EXPECT_TRUE(second.isNull());
}

// Invoice entry refuses the correction window while the entry window holds a
// pending row: the list then stays as it is.
TEST_F(ListWindow, ARefusedCorrectionWindowLeavesTheListShown) {
    seed({Nota{"551"}});
    Tfrm_sele_notas* list = openList();
    int asked = 0;
    setCorrectionWindowOpener([&asked](QWidget* owner) -> QWidget* {
        EXPECT_EQ(owner, frm_sele_notas.data());
        ++asked;
        return nullptr;
    });
    click(list->BitBtn1);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(frame->unitCommandsEnabled);
}

TEST_F(ListWindow, ClosingByItsButtonOrItsCloseBoxGivesTheCommandsBackAndFreesTheList) {
    seed({Nota{"601"}});
    for (bool byButton : {true, false}) {
        SCOPED_TRACE(byButton ? "Sair" : "close box");
        Tfrm_sele_notas* list = openList();
        SummaryReport::setPrinterSource(pdfPrinter(store.programDir() + QStringLiteral("printed.pdf")));
        click(list->BitBtn4);  // the report form now exists
        QPointer<Tqr_nota> report = qr_nota;
        ASSERT_TRUE(report);
        EXPECT_EQ(report->parent(), list);
        frame->calls.clear();
        if (byButton)
            click(list->BitBtn5);
        else
            list->close();
        settle();
        EXPECT_TRUE(frm_sele_notas.isNull());
        EXPECT_TRUE(report.isNull());
        EXPECT_EQ(frame->calls, QStringList{"habilita_menus"});
        EXPECT_TRUE(frame->unitCommandsEnabled);
    }
}
