// "&Controle Geral" of the program's own main window: the list by the reuse rule,
// a top-level window that switches the main window's commands off, and a hidden
// list shown again as it was.
#include "app_fixture.h"
#include "list_fixture.h"

using namespace meru;
using namespace meru::test;

namespace {

class ControleGeral : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (HasFatalFailure()) return;
        useStandInCorrection();
        menu()->habilita_menus();  // a unit is confirmed
    }
    void TearDown() override {
        setCorrectionWindowOpener({});
        AppFixture::TearDown();
    }
    static QList<bool> unitCommands() {
        return {menu()->btb_abremes->isEnabled(), menu()->btb_fechames->isEnabled(),
                menu()->mn_dadosunidade->isEnabled(), menu()->mn_notasfiscais->menuAction()->isEnabled()};
    }
    static QList<bool> all(bool on) { return {on, on, on, on}; }
};

}  // namespace

TEST_F(ControleGeral, OpensTheListAndShowsTheSameHiddenListAgainUnrefreshed) {
    seed({Nota{"701"}, Nota{"702", "S"}});
    menu()->ControleGeral1->trigger();
    settle();
    QPointer<Tfrm_sele_notas> list = frm_sele_notas;
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(list->isWindow());
    EXPECT_EQ(dynamic_cast<FormBase*>(list.data())->owner(), frm_menu);
    EXPECT_FALSE(dynamic_cast<FormBase*>(list.data())->mdiFrame());
    EXPECT_EQ(numbers(list), QStringList{"701"});
    EXPECT_EQ(unitCommands(), all(false));

    QTest::mouseClick(list->BitBtn1, Qt::LeftButton);  // "Modificar Dados"
    settle();
    ASSERT_TRUE(list->isHidden());
    frm_correcao->close();
    settle();
    EXPECT_EQ(unitCommands(), all(true));  // a hidden list leaves the commands to the correction window
    EXPECT_TRUE(list->isHidden());

    seed({Nota{"703"}});
    menu()->ControleGeral1->trigger();
    settle();
    EXPECT_EQ(frm_sele_notas, list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(numbers(list), QStringList{"701"});

    list->close();
    settle();
    EXPECT_TRUE(list.isNull());
    EXPECT_EQ(unitCommands(), all(true));
    menu()->ControleGeral1->trigger();
    settle();
    ASSERT_TRUE(frm_sele_notas);
    EXPECT_NE(frm_sele_notas, list);
    EXPECT_EQ(numbers(frm_sele_notas), (QStringList{"701", "703"}));
    EXPECT_TRUE(boxes.boxes().empty());
}
