// The reference month window, driven through its real widgets: what it stores for
// each entry, the one refusal, Enter, the close box, and the hand-over to entry.

#include "invoice_windows.h"

#include "controls/mask_edit.h"
#include "invoices/frm_mesref.h"
#include "shell/window_reuse.h"

#include <QGuiApplication>
#include <QScreen>

using namespace meru;
using platform::BoxKind;
using platform::RecordedBox;
using test::settle;

namespace {

const QString kInvalid = QString::fromUtf8("Referencia Inválida!");

class MesrefWindow : public test::InvoiceWindows {
protected:
    void SetUp() override {
        InvoiceWindows::SetUp();
        if (HasFatalFailure()) return;
        frame->openInvoiceEntry = nullptr;  // the hand-over is only recorded here
        open();
    }

    void open() {
        openByReuseRule(frm_mesref, [] { return new Tfrm_mesref(frm_menu); });
        settle();
        w = frm_mesref;
        ASSERT_TRUE(w);
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }

    static QStringList storedMonths() {
        Query q(QStringLiteral("check"), dm_dados->Database1);
        q.setSql({QStringLiteral("select * from referencias")});
        q.open();
        QStringList months;
        for (; !q.eof(); q.next()) months << q.fieldByName(QStringLiteral("ref_mesreferencia"))->asString();
        return months;
    }

    QPointer<Tfrm_mesref> w;
};

TEST_F(MesrefWindow, ShowsItsControls) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Digite o Mês de Referência"));
    EXPECT_TRUE(w->isWindow());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->parentWidget(), frm_menu);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        EXPECT_LE((w->geometry().center() - screen->geometry().center()).manhattanLength(), 8);
    EXPECT_EQ(w->GroupBox1->title(), QString::fromUtf8("Digite o Mês de Referência"));
    EXPECT_EQ(w->Label1->text(), QString::fromUtf8("Mes de Referência:"));
    EXPECT_TRUE(w->Label1->font().bold());
    EXPECT_EQ(w->Label2->text(), "*Exemplo: \"Janeiro\" = 01/2001");
    EXPECT_EQ(w->MaskEdit1->editMask().source(), "!99/9999;0;_");
    EXPECT_EQ(w->MaskEdit1->maxLength(), 7);
    EXPECT_EQ(w->MaskEdit1->text(), "/");
    EXPECT_EQ(w->btb_confirmar->text(), "Confirmar");
    EXPECT_TRUE(w->btb_confirmar->isDefault());
    EXPECT_EQ(w->MaskEdit1->nextInFocusChain(), w->btb_confirmar);
}

// Each entry: the digits typed, what is stored, and the boxes shown.
TEST_F(MesrefWindow, ConfirmStoresTheTextAsTheMaskDeliversItAndRefusesOnlyABlankEntry) {
    const struct {
        const char* typed;
        QStringList stored;
        QStringList boxes;
    } cases[] = {
        {"", {}, {kInvalid}},
        {"012001", {"012001"}, {}},
        {"132001", {"132001"}, {}},  // no range test
        {"000000", {"000000"}, {}},
        {"0120", {"0120  "}, {}},    // the unfilled year positions as blanks
        {"1", {"1     "}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        frame->calls.clear();
        boxes.clear();
        type(w->MaskEdit1, QString::fromLatin1(c.typed));
        click(w->btb_confirmar);
        settle();
        EXPECT_EQ(storedMonths(), c.stored);
        EXPECT_EQ(boxes.texts(), c.boxes);
        const bool confirmed = !c.stored.isEmpty();
        EXPECT_EQ(frame->calls.contains("abre_inclusao_notas"), confirmed);
        EXPECT_EQ(w.isNull(), confirmed) << "the window closes (and frees itself) once the month is stored";
        if (confirmed) {
            EXPECT_EQ(dm_dados->qry_referencias->fieldByName("ref_mesreferencia")->asString(), c.stored[0]);
            dm_dados->qry_referencias->remove();
            open();
        }
    }
    EXPECT_EQ(boxes.boxes().size(), 0u);
}

TEST_F(MesrefWindow, TheBlankEntryIsAPlainBoxAndTheWindowStays) {
    click(w->btb_confirmar);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::Inform);
    EXPECT_TRUE(w && w->isVisible());
    EXPECT_TRUE(frame->calls.isEmpty());
}

TEST_F(MesrefWindow, EnterInTheEditConfirms) {
    type(w->MaskEdit1, QStringLiteral("012001"));
    QTest::keyClick(w->MaskEdit1, Qt::Key_Return);
    settle();
    EXPECT_EQ(storedMonths(), QStringList({"012001"}));
    EXPECT_TRUE(w.isNull());
}

TEST_F(MesrefWindow, TheCloseBoxStoresNothingAndFreesTheWindow) {
    type(w->MaskEdit1, QStringLiteral("012001"));
    QTest::keyClick(w->MaskEdit1, Qt::Key_Escape);  // no cancel button: Esc changes nothing
    EXPECT_TRUE(w && w->isVisible());
    w->close();
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(storedMonths().isEmpty());
    EXPECT_TRUE(frame->calls.isEmpty());
    open();  // a new one
    EXPECT_EQ(w->MaskEdit1->fieldText(), "");
}

// The month stored is the one the entry window, opened by the hand-over, reads.
TEST_F(MesrefWindow, HandsOverToTheEntryWindowWhichReadsTheMonthJustStored) {
    frame->openInvoiceEntry = [] { abre_notas_inclusao(frm_menu); };
    type(w->MaskEdit1, QStringLiteral("012001"));
    click(w->btb_confirmar);
    settle();
    ASSERT_TRUE(frm_notas_inclusao);
    EXPECT_EQ(mes_referencia, "012001");
    EXPECT_EQ(frm_notas_inclusao->GroupBox2->title(), QString::fromUtf8("Notas Incluídas (01/2001)"));
}

// The regeneration window derives from this one and replaces the confirm action:
// the button then runs the replacement, and none of the steps above.
TEST_F(MesrefWindow, ADerivedWindowReplacesTheConfirmAction) {
    struct Replacing : Tfrm_mesref {
        using Tfrm_mesref::Tfrm_mesref;
        void btb_confirmarClick() override { confirmed << MaskEdit1->fieldText(); }
        QStringList confirmed;
    };
    w->close();
    auto* derived = new Replacing(frm_menu);
    QPointer<Replacing> alive = derived;
    openForm(derived);
    type(derived->MaskEdit1, QString());
    QTest::keyClick(derived->MaskEdit1, Qt::Key_Return);
    click(derived->btb_confirmar);
    EXPECT_EQ(derived->confirmed, QStringList({"", ""}));
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(storedMonths().isEmpty());
    EXPECT_TRUE(frame->calls.isEmpty());
    derived->close();
    settle();
    EXPECT_TRUE(alive.isNull());
}

}  // namespace
