#include "app_fixture.h"

#include "app/frm_sobre.h"
#include "app/frm_splash.h"
#include "units/frm_login.h"

#include <QMenuBar>
#include <QSignalSpy>

using namespace meru;

namespace {

class MainWindow : public test::AppFixture {
protected:
    QList<bool> unitCommands() const {
        return {test::menu()->btb_abremes->isEnabled(), test::menu()->btb_fechames->isEnabled(),
                test::menu()->mn_dadosunidade->isEnabled(), test::menu()->mn_notasfiscais->menuAction()->isEnabled()};
    }
};

TEST_F(MainWindow, StartsWithTheMenuToolbarAndStatusBarOfTheSystem) {
    const QList<QAction*> top = test::menu()->mainmenu->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), "&Unidades Gestoras");
    EXPECT_EQ(top[1]->text(), "&Notas Fiscais");
    EXPECT_EQ(top[2]->text(), "&Sobre");
    const struct {
        QMenu* menu;
        QStringList names, captions;
        QList<bool> enabled;
    } menus[] = {
        {test::menu()->Menu011,
         {"mn_login", "mn_dadosunidade", "mn_no02", "mn_sair"},
         {"Efetuar Login", "&Dados da Unidade", "", "&Sair"},
         {true, false, false, true}},
        {test::menu()->mn_notasfiscais,
         {"mn_inclusaonotas", "ControleGeral1", "GerarNovamente1", "N1", "LimparBancodeDados1"},
         {QString::fromUtf8("&Inclusão de Notas"), "&Controle Geral", "&Gerar Novamente", "", "&Limpar Banco de Dados"},
         {true, true, true, false, true}},
    };
    for (const auto& m : menus) {
        const QList<QAction*> items = m.menu->actions();
        ASSERT_EQ(items.size(), m.names.size());
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i]->objectName(), m.names[i]);
            EXPECT_EQ(items[i]->text(), m.captions[i]);
            EXPECT_EQ(items[i]->isEnabled(), m.enabled[i]) << m.names[i].toStdString();
            EXPECT_EQ(items[i]->isSeparator(), m.captions[i].isEmpty());
        }
    }
    EXPECT_EQ(test::menu()->btb_abremes->text(), "Incluir Notas");
    EXPECT_EQ(test::menu()->btb_fechames->text(), QString::fromUtf8("Finalizar Mês"));
    EXPECT_EQ(test::menu()->btb_sair->text(), "&Sair");
    EXPECT_TRUE(test::menu()->btb_sair->isEnabled());
    EXPECT_EQ(test::menu()->btb_sair->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(test::menu()->btb_abremes->font().bold());
    EXPECT_EQ(test::menu()->statusPanel(0)->width(), 60);
    EXPECT_EQ(test::menu()->statusPanel(1)->width(), 72);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(test::menu()->statusPanel(i)->alignment(), Qt::AlignCenter);
    EXPECT_EQ(unitCommands(), QList<bool>({false, false, false, false}));
}

TEST_F(MainWindow, UnitCommandsFollowTheSwitches) {
    test::menu()->habilita_menus();
    EXPECT_EQ(unitCommands(), QList<bool>({true, true, true, true}));
    test::menu()->mn_login->trigger();  // "Efetuar Login" disables them at once
    EXPECT_EQ(unitCommands(), QList<bool>({false, false, false, false}));
    EXPECT_EQ(test::menu()->windowTitle(), "MERU - Caldeno");
    EXPECT_TRUE(frm_login);
    test::menu()->habilita_menus();
    test::menu()->desabilita_menus();
    EXPECT_EQ(unitCommands(), QList<bool>({false, false, false, false}));
}

TEST(MainWindowClock, PanelsAreEmptyUntilTheFirstTick) {
    test::TempStore store;
    Timings timings = test::shortTimings();
    timings.clockMs = 300;
    ASSERT_EQ(startApplication(timings), 0);
    EXPECT_EQ(test::menu()->statusPanel(0)->text(), "");
    EXPECT_EQ(test::menu()->statusPanel(1)->text(), "");
    QTest::qWait(450);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(test::menu()->statusPanel(1)->text(), today.toString("dd/MM/yyyy"));
    EXPECT_TRUE(QTime::fromString(test::menu()->statusPanel(0)->text(), "HH:mm:ss").isValid())
        << test::menu()->statusPanel(0)->text().toStdString();
    finishApplication();
    test::settle();
}

TEST_F(MainWindow, ToolbarExitAsksAndOnlyYesCloses) {
    boxes.answer(platform::Answer::No);
    test::menu()->btb_sair->click();
    EXPECT_TRUE(test::menu()->isVisible());
    boxes.answer(platform::Answer::None);  // closed without an answer
    test::menu()->btb_sair->click();
    EXPECT_TRUE(test::menu()->isVisible());
    boxes.answer(platform::Answer::Yes);
    test::menu()->btb_sair->click();
    EXPECT_FALSE(test::menu()->isVisible());
    EXPECT_EQ(boxes.texts(), QStringList({"Deseja Sair do sistema?", "Deseja Sair do sistema?",
                                          "Deseja Sair do sistema?"}));
    EXPECT_EQ(boxes.boxes()[0].kind, platform::BoxKind::ConfirmYesNo);
}

TEST_F(MainWindow, MenuExitClosesWithoutAsking) {
    test::menu()->mn_sair->trigger();
    EXPECT_FALSE(test::menu()->isVisible());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MainWindow, AWindowIsShownAgainWhileItLivesAndCreatedAnewOnceClosed) {
    test::menu()->mn_sobre->trigger();
    QPointer<Tfrm_sobre> first = frm_sobre;
    ASSERT_TRUE(first);
    EXPECT_EQ(first->parentWidget(), frm_menu);
    first->hide();  // hidden still counts as open
    test::menu()->mn_sobre->trigger();
    EXPECT_EQ(frm_sobre, first);
    EXPECT_TRUE(first->isVisible());
    first->close();
    test::settle();
    EXPECT_FALSE(first);
    EXPECT_FALSE(form_aberto(frm_sobre));
    test::menu()->mn_sobre->trigger();
    ASSERT_TRUE(frm_sobre);
    EXPECT_TRUE(frm_sobre->isVisible());
}

TEST_F(MainWindow, TheSplashOpensTheConfirmationWindowOnceAndNoSecondOne) {
    ASSERT_TRUE(frm_splash);
    test::menu()->mn_login->trigger();  // the operator was quicker than the splash
    QPointer<Tfrm_login> opened = frm_login;
    ASSERT_TRUE(opened);
    frm_splash->Timer1->setInterval(10);
    QTest::qWait(60);
    test::settle();
    EXPECT_FALSE(frm_splash);
    EXPECT_EQ(frm_login, opened);
    EXPECT_EQ(test::menu()->findChildren<Tfrm_login*>().size(), 1);
    EXPECT_EQ(test::menu()->windowTitle(), "MERU - Caldeno");
}

}  // namespace
