// "Incluir Notas" in the running program: the reference month window while no
// month is open, the entry window once one is, each by the window-reuse rule.

#include "app_fixture.h"

#include "data/table.h"
#include "invoices/frm_mesref.h"
#include "invoices/frm_notas_inclusao.h"
#include "controls/mask_edit.h"
#include "shell/globals.h"

#include <QMdiSubWindow>

using namespace meru;
using test::settle;

namespace {

class IncluirNotas : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (HasFatalFailure()) return;
        Table units(QStringLiteral("seed_unit"), dm_dados->Database1);
        units.setTableName(QStringLiteral("cadastro"));
        units.open();
        units.insert();
        units.fieldByName(QStringLiteral("cad_cd_cnpj"))->setAsString(QStringLiteral("12345678000195"));
        units.post();
        cnpj_unidade = QStringLiteral("12345678000195");
        test::menu()->habilita_menus();
    }

    static void incluirNotas() {
        QTest::mouseClick(test::menu()->btb_abremes, Qt::LeftButton);
        settle();
    }
};

TEST_F(IncluirNotas, AsksForTheMonthFirstThenOpensTheEntryWindowWithIt) {
    incluirNotas();
    ASSERT_TRUE(frm_mesref);
    EXPECT_TRUE(frm_notas_inclusao.isNull());
    QPointer<Tfrm_mesref> month = frm_mesref;
    incluirNotas();  // shown again, not a second one
    EXPECT_EQ(frm_mesref.data(), month.data());
    EXPECT_EQ(test::menu()->findChildren<Tfrm_mesref*>().size(), 1);

    frm_mesref->MaskEdit1->setFocus();
    QTest::keyClicks(frm_mesref->MaskEdit1, "012001");
    QTest::mouseClick(frm_mesref->btb_confirmar, Qt::LeftButton);
    settle();
    EXPECT_TRUE(frm_mesref.isNull());
    ASSERT_TRUE(frm_notas_inclusao);
    EXPECT_EQ(frm_notas_inclusao->mdiFrame()->mdiArea(), test::menu()->mdiArea());
    EXPECT_EQ(frm_notas_inclusao->GroupBox2->title(), QString::fromUtf8("Notas Incluídas (01/2001)"));
    EXPECT_FALSE(test::menu()->btb_abremes->isEnabled());

    frm_notas_inclusao->close();
    settle();
    EXPECT_TRUE(test::menu()->btb_abremes->isEnabled());
    incluirNotas();  // a month is open now: straight to the entry window
    EXPECT_TRUE(frm_mesref.isNull());
    ASSERT_TRUE(frm_notas_inclusao);
    EXPECT_EQ(mes_referencia, "012001");
}

TEST_F(IncluirNotas, TheMainWindowChecksStateRegistrations) {
    EXPECT_TRUE(frm_menu->valida_inscricao(QStringLiteral("12345678901231")));
    EXPECT_FALSE(frm_menu->valida_inscricao(QStringLiteral("12345678901230")));
}

}  // namespace
