// "Modificar Dados" opens invoice entry's own correction window, owned by the list.
#include "app_fixture.h"
#include "list_fixture.h"

#include "invoices/frm_notas_edicao.h"

using namespace meru;
using namespace meru::test;

namespace {
class CorrectionFromTheList : public AppFixture {};
}  // namespace

TEST_F(CorrectionFromTheList, OpensTheProgramsCorrectionWindowOwnedByTheList) {
    menu()->habilita_menus();
    seed({Nota{"801"}});
    menu()->ControleGeral1->trigger();
    settle();
    QPointer<Tfrm_sele_notas> list = frm_sele_notas;
    ASSERT_TRUE(list);
    QTest::mouseClick(list->BitBtn1, Qt::LeftButton);
    settle();
    QPointer<Tfrm_notas_edicao> correction = frm_notas_edicao;
    ASSERT_TRUE(correction);
    EXPECT_EQ(correction->owner(), list.data());
    EXPECT_TRUE(correction->isVisible());
    EXPECT_TRUE(list->isHidden());
    EXPECT_FALSE(menu()->btb_fechames->isEnabled());
    correction->close();
    settle();
    EXPECT_TRUE(correction.isNull());
    EXPECT_TRUE(menu()->btb_fechames->isEnabled());
    EXPECT_TRUE(list->isHidden());
    // Reopened and freed with the list.
    menu()->ControleGeral1->trigger();
    settle();
    QTest::mouseClick(list->BitBtn1, Qt::LeftButton);
    settle();
    correction = frm_notas_edicao;
    ASSERT_TRUE(correction);
    list->close();
    settle();
    EXPECT_TRUE(correction.isNull());
}
