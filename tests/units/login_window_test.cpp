// The confirmation window, driven through its real widgets: the operator types a
// CNPJ, confirms it, starts the work, declines, corrects or registers a unit.

#include "unit_windows.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>

using namespace meru;
using test::settle;
using platform::Answer;
using platform::BoxKind;
using platform::RecordedBox;

namespace {

const QString kNotFound =
    QString::fromUtf8("Não foi possivel encontrar a Unidade Gestora.\rVerifique o CGC/CNPJ e tente novamente.");

class LoginWindow : public test::UnitWindows {
protected:
    void SetUp() override {
        UnitWindows::SetUp();
        if (HasFatalFailure()) return;
        seed(test::sampleUnit(test::kCnpjB, QStringLiteral("Unidade B")));
        seed(test::sampleUnit(test::kCnpjA, QStringLiteral("Prefeitura de Teste")));
        login = openLogin();
        ASSERT_TRUE(login);
    }

    QStringList display() const {
        return {login->dbedt_unidadegestora->text(), login->dbedt_endereco->text(),  login->dbedt_bairro->text(),
                login->dbedt_responsavel->text(),    login->dbedt_cadastromun->text(), login->dbedt_municipio->text()};
    }
    static QStringList blankDisplay() { return QStringList(6, QString()); }

    void confirm(const QString& keys) {
        type(login->mskedt_cnpj, keys);
        login->btb_confirmar->click();
    }

    // The caption, the unit panel, and the two globals.
    static QStringList unitNamedInTheFrame() {
        return {frm_menu->windowTitle(), frm_menu->statusUnit(), cnpj_unidade, nome_unidade};
    }
    static QStringList frameNaming(const QString& cnpj, const QString& name) {
        return {QStringLiteral("MERU - Caldeno (Unidade: ") + name + QStringLiteral(")."),
                QStringLiteral("UNIDADE GESTORA:      ") + name, cnpj, name};
    }

    static QString question(const QString& unit, const QString& town, const QString& person) {
        return QStringLiteral("Unidade Gestora: ") + unit + QStringLiteral("\rMunicipio: ") + town +
               QString::fromUtf8("\rResponsável: ") + person + QStringLiteral("\r\rDeseja continuar?");
    }

    static bool loginQueriesClosedWithoutSql() {
        return !dm_dados->qry_login->active() && dm_dados->qry_login->sql().isEmpty() &&
               !dm_dados->qry_login_municipios->active() && dm_dados->qry_login_municipios->sql().isEmpty();
    }

    QPointer<Tfrm_login> login;
};

TEST_F(LoginWindow, OpensWaitingWithItsControlsInTabOrder) {
    EXPECT_EQ(login->windowTitle(), QString::fromUtf8("Confirmação de Unidade Gestora"));
    EXPECT_EQ(login->parentWidget(), frm_menu);
    EXPECT_FALSE(login->isModal());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        EXPECT_LE((login->geometry().center() - screen->geometry().center()).manhattanLength(), 8);
    EXPECT_TRUE(login->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(login->GroupBox1->title(), "Digite o CGC/CNPJ da Unidade Gestora: ");
    EXPECT_EQ(login->GroupBox2->title(), "Dados da Unidade Gestora");
    EXPECT_EQ(login->mskedt_cnpj->editMask().source(), "!>aa.aaa.aaa/aaaa-99;0;_");
    EXPECT_EQ(login->mskedt_cnpj->maxLength(), 18);
    EXPECT_TRUE(login->btb_confirmar->isDefault());
    EXPECT_EQ(login->btb_iniciarsistema->text(), "Iniciar");
    EXPECT_TRUE(login->btb_iniciarsistema->font().bold());
    EXPECT_FALSE(login->btb_iniciarsistema->isEnabled());
    EXPECT_EQ(login->BitBtn1->text(), "Cadastrar Nova U. Gestora");
    EXPECT_TRUE(login->BitBtn1->font().bold());
    EXPECT_EQ(display(), blankDisplay());
    for (controls::DBEdit* e : login->findChildren<controls::DBEdit*>()) EXPECT_TRUE(e->isReadOnly());
    EXPECT_TRUE(loginQueriesClosedWithoutSql());
    EXPECT_EQ(frm_menu->windowTitle(), "MERU - Caldeno");
    EXPECT_EQ(frm_menu->statusUnit(), "");
    EXPECT_EQ(focused(), login->mskedt_cnpj);

    QStringList chain;
    QWidget* w = login->mskedt_cnpj;
    do {
        if (w->focusPolicy() & Qt::TabFocus) chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != login->mskedt_cnpj);
    EXPECT_EQ(chain, QStringList({"mskedt_cnpj", "btb_confirmar", "btb_iniciarsistema", "dbedt_unidadegestora",
                                  "dbedt_endereco", "dbedt_bairro", "dbedt_responsavel", "dbedt_cadastromun",
                                  "dbedt_municipio", "BitBtn1"}));
}

TEST_F(LoginWindow, ConfirmarShowsTheFoundUnitAndNamesItInTheFrame) {
    confirm(test::kCnpjA);
    EXPECT_EQ(login->mskedt_cnpj->displayText(), "12.345.678/0001-95");
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(display(), QStringList({"Prefeitura de Teste", "Rua Direita, 100", "Centro", "Maria Souza", "3550308",
                                      test::kSaoPauloName}));
    EXPECT_EQ(unitNamedInTheFrame(), frameNaming(test::kCnpjA, "Prefeitura de Teste"));
    EXPECT_TRUE(login->btb_iniciarsistema->isEnabled());
    EXPECT_EQ(focused(), login->btb_iniciarsistema);
    EXPECT_EQ(unitCommands(), allUnitCommands(false));
}

TEST_F(LoginWindow, EnterInTheCnpjFieldRunsConfirmar) {
    type(login->mskedt_cnpj, test::kCnpjA);
    QTest::keyClick(login->mskedt_cnpj, Qt::Key_Return);
    EXPECT_EQ(login->dbedt_unidadegestora->text(), "Prefeitura de Teste");
    EXPECT_EQ(cnpj_unidade, test::kCnpjA);
    EXPECT_EQ(focused(), login->btb_iniciarsistema);
}

// An alphanumeric CNPJ typed in lower case stands in upper case in the edit and
// in the lookup; its check digits remain digits.
TEST_F(LoginWindow, AnAlphanumericCnpjIsTypedInUpperCaseAndFound) {
    seed(test::sampleUnit(QStringLiteral("12ABC34501DE35"), QStringLiteral("Unidade Nova Geração")));
    confirm(QStringLiteral("12abc34501deXY35"));
    EXPECT_EQ(login->mskedt_cnpj->displayText(), "12.ABC.345/01DE-35");
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(login->dbedt_unidadegestora->text(), QString::fromUtf8("Unidade Nova Geração"));
    EXPECT_EQ(cnpj_unidade, "12ABC34501DE35");
}

// The lookup takes the trimmed text, the global keeps the text as the field gives it.
TEST_F(LoginWindow, APartlyTypedCnpjIsLookedUpTrimmedAndHeldUntrimmed) {
    seed(test::sampleUnit(QStringLiteral("1234"), QStringLiteral("Unidade Curta")));
    confirm(QStringLiteral("1234"));
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(login->dbedt_unidadegestora->text(), "Unidade Curta");
    EXPECT_EQ(cnpj_unidade, QStringLiteral("1234") + QString(10, QLatin1Char(' ')));
    EXPECT_EQ(nome_unidade, "Unidade Curta");
}

// As everywhere in the system, Enter on a focused button presses that button.
TEST_F(LoginWindow, EnterOnAFocusedButtonPressesThatButton) {
    confirm(test::kCnpjA);
    ASSERT_EQ(focused(), login->btb_iniciarsistema);
    boxes.answer(Answer::No);
    QTest::keyClick(login->btb_iniciarsistema, Qt::Key_Return);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(frm_menu->windowTitle(), "MERU - Caldeno");

    boxes.clear();
    login->BitBtn1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(login->BitBtn1, Qt::Key_Return);
    EXPECT_TRUE(frm_unidadesgestoras);
    EXPECT_EQ(cnpj_unidade, "NOVA");
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
}

TEST_F(LoginWindow, EscDoesNotCloseIt) {
    QTest::keyClick(login->mskedt_cnpj, Qt::Key_Escape);
    settle();
    ASSERT_TRUE(login);
    EXPECT_TRUE(login->isVisible());
}

TEST_F(LoginWindow, AnUnknownCnpjIsNotFoundAndChangesNothing) {
    const struct {
        const char* what;
        QString keys;
    } cases[] = {
        {"empty field", QString()},
        {"valid but not stored", test::kCnpjC},
        {"partly typed", QStringLiteral("1234")},
        {"stored one with the last digit changed", QStringLiteral("12345678000194")},
    };
    // Both queries are cleared before the message shows.
    struct Watching : platform::ScriptedMessageService {
        std::function<void()> onInform;
        void inform(const QString& text) override {
            onInform();
            ScriptedMessageService::inform(text);
        }
    } watching;
    platform::MessageServiceOverride useWatching{watching};
    bool clearedBehind = false;
    watching.onInform = [&] { clearedBehind = loginQueriesClosedWithoutSql(); };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        watching.clear();
        confirm(c.keys);
        EXPECT_EQ(watching.boxes(), (std::vector<RecordedBox>{{BoxKind::Inform, kNotFound, Answer::None}}));
        EXPECT_TRUE(clearedBehind);
        EXPECT_EQ(display(), blankDisplay());
        EXPECT_FALSE(dm_dados->qry_login->active());
        EXPECT_FALSE(dm_dados->qry_login_municipios->active());
        EXPECT_FALSE(login->btb_iniciarsistema->isEnabled());
        EXPECT_EQ(unitNamedInTheFrame(), QStringList({"MERU - Caldeno", "", "", ""}));
    }
}

// After a failed lookup the earlier unit stays confirmed; "Iniciar" then asks
// with empty values, and a typed CNPJ that passes starts the work for it.
TEST_F(LoginWindow, AFailedConfirmarAfterAFoundOneKeepsTheEarlierUnit) {
    confirm(test::kCnpjA);
    confirm(test::kCnpjC);
    EXPECT_EQ(boxes.texts(), QStringList({kNotFound}));
    EXPECT_EQ(display(), blankDisplay());
    EXPECT_TRUE(login->btb_iniciarsistema->isEnabled());
    EXPECT_EQ(unitNamedInTheFrame(), frameNaming(test::kCnpjA, "Prefeitura de Teste"));

    boxes.clear();
    boxes.answer(Answer::Yes);
    login->btb_iniciarsistema->click();
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::WarnYesNo, question("", "", ""), Answer::Yes}}));
    EXPECT_EQ(unitCommands(), allUnitCommands(true));
    settle();
    EXPECT_FALSE(login);
    EXPECT_EQ(unitNamedInTheFrame(), frameNaming(test::kCnpjA, "Prefeitura de Teste"));
}

TEST_F(LoginWindow, IniciarAnsweredYesWithAValidCnpjStartsTheWorkAndCloses) {
    confirm(test::kCnpjA);
    boxes.answer(Answer::Yes);
    QTest::mouseClick(login->btb_iniciarsistema, Qt::LeftButton);
    EXPECT_EQ(boxes.boxes(),
              (std::vector<RecordedBox>{
                  {BoxKind::WarnYesNo, question("Prefeitura de Teste", test::kSaoPauloName, "Maria Souza"), Answer::Yes}}));
    EXPECT_EQ(unitCommands(), allUnitCommands(true));
    EXPECT_TRUE(loginQueriesClosedWithoutSql());
    EXPECT_FALSE(frm_unidadesgestoras);
    settle();
    EXPECT_FALSE(login);
    EXPECT_FALSE(frm_login);
    EXPECT_EQ(unitNamedInTheFrame(), frameNaming(test::kCnpjA, "Prefeitura de Teste"));
}

// A unit stored with wrong check digits is confirmed, and "Iniciar" sends the
// operator to correct it; each further Yes opens one more correction window.
TEST_F(LoginWindow, IniciarWithAnInvalidStoredCnpjOpensTheCorrectionInEditState) {
    test::UnitRow wrong = test::sampleUnit(test::kCnpjWrongDigits, QStringLiteral("Unidade Errada"));
    wrong.status = QStringLiteral("S");
    seed(wrong);
    confirm(test::kCnpjWrongDigits);
    ASSERT_EQ(cnpj_unidade, test::kCnpjWrongDigits);
    frm_menu->habilita_menus();

    boxes.answer(Answer::Yes);
    login->btb_iniciarsistema->click();
    QPointer<Tfrm_unidadesgestoras> registry = frm_unidadesgestoras;
    ASSERT_TRUE(registry);
    EXPECT_EQ(registry->parentWidget(), login);
    EXPECT_TRUE(registry->isVisible());
    EXPECT_EQ(dm_dados->qry_cadastro->state(), DatasetState::Edit);
    EXPECT_EQ(dm_dados->qry_cadastro->fieldByName("cad_status")->asString(), "S");
    EXPECT_EQ(registry->dbedt_unidadegestora->text(), "Unidade Errada");
    EXPECT_TRUE(registry->btb_gravarunidade->isEnabled());
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(display(), blankDisplay());
    EXPECT_TRUE(loginQueriesClosedWithoutSql());
    EXPECT_EQ(boxes.boxes().size(), 1u);
    activate(registry);
    EXPECT_EQ(focused(), registry->dbedt_cnpj);
    EXPECT_EQ(registry->dbedt_cnpj->fieldText(), test::kCnpjWrongDigits);
    EXPECT_EQ(unitCommands(), allUnitCommands(false));
    EXPECT_EQ(storedUnits().size(), 3u);  // nothing posted yet

    // "Iniciar" stays enabled; the field still holds the wrong CNPJ. Each
    // activation puts the focus into the CNPJ field.
    activate(login);
    EXPECT_EQ(focused(), login->mskedt_cnpj);
    ASSERT_TRUE(login->btb_iniciarsistema->isEnabled());
    boxes.answer(Answer::Yes);
    login->btb_iniciarsistema->click();
    EXPECT_NE(frm_unidadesgestoras, registry);
    EXPECT_TRUE(registry);
    EXPECT_EQ(login->findChildren<Tfrm_unidadesgestoras*>().size(), 2);
}

TEST_F(LoginWindow, IniciarDeclinedResetsTheFrameAndEmptiesTheField) {
    for (Answer declined : {Answer::No, Answer::None}) {
        SCOPED_TRACE(declined == Answer::No ? "No" : "closed without an answer");
        confirm(test::kCnpjA);
        boxes.clear();
        boxes.answer(declined);
        login->btb_iniciarsistema->click();
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::WarnYesNo);
        EXPECT_EQ(frm_menu->windowTitle(), "MERU - Caldeno");
        EXPECT_EQ(frm_menu->statusUnit(), "");
        EXPECT_EQ(login->mskedt_cnpj->fieldText(), "");
        EXPECT_EQ(focused(), login->mskedt_cnpj);
        EXPECT_TRUE(login->btb_iniciarsistema->isEnabled());
        EXPECT_EQ(cnpj_unidade, test::kCnpjA);
        EXPECT_EQ(nome_unidade, "Prefeitura de Teste");
        EXPECT_EQ(display(), blankDisplay());
        EXPECT_TRUE(loginQueriesClosedWithoutSql());
        EXPECT_EQ(unitCommands(), allUnitCommands(false));
        EXPECT_TRUE(login->isVisible());
        EXPECT_FALSE(frm_unidadesgestoras);
    }

    // Pressed again, "Iniciar" tests the emptied field, which fails: the unit held
    // in cnpj_unidade goes to correction.
    boxes.clear();
    boxes.answer(Answer::Yes);
    login->btb_iniciarsistema->click();
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::WarnYesNo, question("", "", ""), Answer::Yes}}));
    ASSERT_TRUE(frm_unidadesgestoras);
    EXPECT_EQ(frm_unidadesgestoras->dbedt_unidadegestora->text(), "Prefeitura de Teste");
    EXPECT_EQ(dm_dados->qry_cadastro->state(), DatasetState::Edit);
}

// A blank left in front of the last two positions cannot be read as a digit; the
// failure ends the handler before the queries are closed.
TEST_F(LoginWindow, APartlyTypedCnpjAtIniciarReachesTheErrorBox) {
    confirm(test::kCnpjA);
    type(login->mskedt_cnpj, QStringLiteral("123"));
    ASSERT_EQ(login->mskedt_cnpj->fieldText(), "123           ");
    boxes.answer(Answer::Yes);
    QTest::mouseClick(login->btb_iniciarsistema, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::WarnYesNo);
    EXPECT_EQ(boxes.boxes()[1], (RecordedBox{BoxKind::Error, "' ' is not a valid integer value", Answer::None}));
    EXPECT_TRUE(dm_dados->qry_login->active());
    EXPECT_TRUE(dm_dados->qry_login_municipios->active());
    EXPECT_EQ(login->dbedt_unidadegestora->text(), "Prefeitura de Teste");
    EXPECT_EQ(unitCommands(), allUnitCommands(false));
    EXPECT_FALSE(frm_unidadesgestoras);
    EXPECT_TRUE(login->isVisible());
}

// The registry window selects its rows when it is created, with the CNPJ held
// before the button sets the marker.
TEST_F(LoginWindow, CadastrarNovaOpensTheRegistryOwnedHereAndThenMarksNova) {
    confirm(test::kCnpjA);
    login->BitBtn1->click();
    QPointer<Tfrm_unidadesgestoras> registry = frm_unidadesgestoras;
    ASSERT_TRUE(registry);
    EXPECT_EQ(registry->parentWidget(), login);
    EXPECT_TRUE(registry->isVisible());
    EXPECT_EQ(cnpj_unidade, "NOVA");
    EXPECT_EQ(dm_dados->qry_cadastro->recordCount(), 1);
    EXPECT_EQ(registry->dbedt_unidadegestora->text(), "Prefeitura de Teste");
    EXPECT_TRUE(login->isVisible());

    activate(login);
    login->BitBtn1->click();  // shown again, not created anew
    EXPECT_EQ(frm_unidadesgestoras, registry);
    EXPECT_EQ(login->findChildren<Tfrm_unidadesgestoras*>().size(), 1);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LoginWindow, ClosingItDestroysTheRegistryItOwnsWithoutPrompts) {
    // One registry window from the main window, one from here for correction.
    QPointer<Tfrm_unidadesgestoras> fromMenu = openRegistryFromMenu();
    ASSERT_TRUE(fromMenu);
    seed(test::sampleUnit(test::kCnpjWrongDigits, QStringLiteral("Unidade Errada")));
    activate(login);
    confirm(test::kCnpjWrongDigits);
    boxes.answer(Answer::Yes);
    login->btb_iniciarsistema->click();
    QPointer<Tfrm_unidadesgestoras> owned = frm_unidadesgestoras;
    ASSERT_TRUE(owned);
    ASSERT_NE(owned, fromMenu);
    activate(owned);
    type(owned->dbedt_unidadegestora, QStringLiteral("Pendente"));  // a pending change, an invalid CNPJ
    boxes.clear();

    login->close();
    settle();
    EXPECT_FALSE(login);
    EXPECT_FALSE(owned);
    EXPECT_TRUE(fromMenu);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    const auto units = storedUnits();
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[2].unidade, "Unidade Errada");  // the pending change went with the window
}

TEST_F(LoginWindow, ClosingItAfterConfirmarLeavesTheUnitNamedButTheCommandsOff) {
    confirm(test::kCnpjA);
    login->close();
    settle();
    EXPECT_FALSE(login);
    EXPECT_EQ(unitNamedInTheFrame(), frameNaming(test::kCnpjA, "Prefeitura de Teste"));
    EXPECT_EQ(unitCommands(), allUnitCommands(false));
    EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
