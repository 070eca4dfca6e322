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
