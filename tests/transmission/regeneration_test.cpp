#include "closing_fixture.h"

using namespace meru;
using platform::Answer;

namespace {

class Regeneration : public test::ClosingFixture {};

// The month's invoices go out again whatever their status, with the confirmed
// unit alone; what is marked as sent is what was written.
TEST_F(Regeneration, WritesTheMonthAndTheConfirmedUnitAndMarksOnlyWhatItWrote) {
    addUnit("11222333000181", "Unidade", "A");
    addUnit("22333444000155", "Outra", "N");
    addInvoice({"1", "062004", "S"});
    addInvoice({"2", "062004", "N", "22333444000155"});
    addInvoice({"3", "062004", "G"});
    addInvoice({"4", "072004", "N"});
    openMonth("072004");
    formatDialogClicks({"btnFechar"});
    frm_menu->gera_disquete("062004", 1);
    EXPECT_EQ(boxes.texts(), QStringList({QString::fromUtf8("A formatação foi cancelada."), "Dados Gerados com Sucesso!"}));
    QStringList written = diskColumn("movimento.DB", "mov_nr_nf");
    written.sort();
    EXPECT_EQ(written, QStringList({"1", "2", "3"}));
    EXPECT_EQ(diskColumn("cadastro.DB", "cad_cd_cnpj"), QStringList({"11222333000181"}));
    EXPECT_EQ(invoiceStatuses(), (std::map<QString, QString>{{"1", "S"}, {"2", "S"}, {"3", "G"}, {"4", "N"}}));
    EXPECT_EQ(unitStatuses(), (std::map<QString, QString>{{"11222333000181", "S"}, {"22333444000155", "N"}}));
    EXPECT_EQ(rowsOf("referencias.DB", "referencias"), 0);
}

TEST_F(Regeneration, AMonthWithoutInvoicesFormatsNothing) {
    addUnit("11222333000181", "Unidade", "A");
    addInvoice({"1", "062004"});
    frm_menu->gera_disquete("0620", 1);
    EXPECT_EQ(boxes.texts(), QStringList({"Nao Existem Dados a Serem Enviados!"}));
    EXPECT_TRUE(QDir(store.driveA()).isEmpty());
}

}  // namespace

#include "controls/mask_edit.h"
#include "transmission/frm_mesref_nov.h"

namespace {

class RegenerationWindow : public test::ClosingFixture {
protected:
    Tfrm_mesref_nov* open() {
        test::menu()->GerarNovamente1->trigger();
        test::settle();
        return frm_mesref_nov;
    }
    void type(Tfrm_mesref_nov* w, const char* keys) {
        w->MaskEdit1->setFocus();
        QTest::keyClick(w->MaskEdit1, Qt::Key_Home);
        QTest::keyClicks(w->MaskEdit1, keys);
    }
};

TEST_F(RegenerationWindow, TheTypedMonthIsWrittenAgainAndTheWindowStaysForAnotherRun) {
    addUnit("11222333000181", "Unidade", "S");
    addInvoice({"1", "062004", "S"});
    addInvoice({"2", "052004", "N"});
    Tfrm_mesref_nov* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Gerar Disquete Novamente");
    EXPECT_EQ(w->GroupBox1->title(), QString::fromUtf8("Digite o Mês de Referência"));
    type(w, "062004");
    for (int run = 0; run < 2; ++run) {
        boxes.clear();
        formatDialogClicks({"btnFechar"});
        QTest::keyClick(w->MaskEdit1, Qt::Key_Return);  // the default button
        EXPECT_EQ(boxes.texts(), QStringList({QString::fromUtf8("A formatação foi cancelada."), "Dados Gerados com Sucesso!"}));
        EXPECT_EQ(diskColumn("movimento.DB", "mov_nr_nf"), QStringList({"1"}));
        ASSERT_TRUE(frm_mesref_nov);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->MaskEdit1->fieldText(), "062004");
    }
    EXPECT_EQ(invoiceStatuses(), (std::map<QString, QString>{{"1", "S"}, {"2", "N"}}));
    test::menu()->GerarNovamente1->trigger();
    EXPECT_EQ(frm_mesref_nov, w);  // shown again, not a second one
}

TEST_F(RegenerationWindow, AShortOrBlankMonthStopsBeforeTheDisk) {
    addUnit("11222333000181", "Unidade", "S");
    addInvoice({"1", "062004"});
    const struct {
        const char* keys;
        QString box;
    } cases[] = {{"0620", "Nao Existem Dados a Serem Enviados!"}, {"", "Referencia Invalida!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Tfrm_mesref_nov* w = open();
        ASSERT_TRUE(w);
        type(w, c.keys);
        boxes.clear();
        QTest::mouseClick(w->btb_confirmar, Qt::LeftButton);
        EXPECT_EQ(boxes.texts(), QStringList({c.box}));
        EXPECT_TRUE(QDir(store.driveA()).isEmpty());
        w->close();
        test::settle();
    }
}

}  // namespace
