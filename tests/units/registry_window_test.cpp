// The registry of managing units, driven through its real widgets: selection,
// editing state, the storing checks with their messages and focus, the duplicate
// rules, leaving with "Sair" or the close box, and the first start.

#include "unit_windows.h"

#include <QGroupBox>
#include <QLabel>

#include <sqlite3.h>

using namespace meru;
using test::settle;
using platform::Answer;
using platform::BoxKind;
using platform::RecordedBox;
using test::UnitRow;

namespace {

const QString kInvalidOnClose = QString::fromUtf8("CGC/CNPJ inválido!");
const QString kDuplicate = QStringLiteral("Unidade Gestora ja cadastrada");
const QString kSaveQuestion = QString::fromUtf8("Deseja salvar as operações?");

QString municipalityName(const QString& code) {
    if (code == test::kSaoPaulo) return test::kSaoPauloName;
    if (code == test::kRio) return test::kRioName;
    return {};
}

class RegistryWindow : public test::UnitWindows {
protected:
    // The ten edits in tab order with the column each one shows.
    std::vector<std::pair<controls::DBEdit*, QString UnitRow::*>> edits() const {
        return {{w->dbedt_cnpj, &UnitRow::cnpj},       {w->dbedt_unidadegestora, &UnitRow::unidade},
                {w->dbedt_endereco, &UnitRow::endereco}, {w->dbedt_bairro, &UnitRow::bairro},
                {w->dbedt_cep, &UnitRow::cep},         {w->dbedt_uf, &UnitRow::uf},
                {w->dbedt_fone, &UnitRow::fone},       {w->dbedt_fax, &UnitRow::fax},
                {w->dbedt_email, &UnitRow::email},     {w->dbedt_responsavel, &UnitRow::responsavel}};
    }

    // Types every text of a unit into the window and chooses its municipality.
    void fill(const UnitRow& u) {
        for (auto [edit, column] : edits()) type(edit, u.*column);
        if (!u.municipio.isEmpty()) choose(w->dbedt_cadastromun, municipalityName(u.municipio));
    }

    void open(const QString& heldCnpj) {
        cnpj_unidade = heldCnpj;
        w = openRegistryFromMenu();
        ASSERT_TRUE(w);
    }

    // "Nova Unidade", the unit typed in, "Gravar Alterações".
    void storeNew(const UnitRow& u) {
        QTest::mouseClick(w->btb_novaunidade, Qt::LeftButton);
        fill(u);
        QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    }

    static DatasetState state() { return dm_dados->qry_cadastro->state(); }
    static QStringList storedCnpjs() {
        QStringList out;
        for (const UnitRow& u : storedUnits()) out << u.cnpj;
        return out;
    }
    // Enabled states of "Nova Unidade", "Alterar Dados", "Gravar Alterações", "Sair".
    QList<bool> buttons() const {
        return {w->btb_novaunidade->isEnabled(), w->btb_alterarunidade->isEnabled(),
                w->btb_gravarunidade->isEnabled(), w->btb_sair->isEnabled()};
    }

    QPointer<Tfrm_unidadesgestoras> w;
};

UnitRow typedUnit(const QString& cnpj) {
    UnitRow u = test::sampleUnit(cnpj, QStringLiteral("Secretaria da Fazenda"));
    u.municipio = test::kRio;
    u.status = QStringLiteral("N");
    return u;
}

TEST_F(RegistryWindow, ShowsItsControlsInTabOrderWithTheirLabels) {
    open(QString());
    EXPECT_EQ(w->windowTitle(), "Controle de Unidades Gestoras");
    EXPECT_EQ(w->parentWidget(), frm_menu);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w->GroupBox1->title(), "Dados Unidade Gestora");
    EXPECT_EQ(w->GroupBox2->title(), "Controle ");

    QStringList chain;
    QWidget* c = w->dbedt_cnpj;
    do {
        if (c->focusPolicy() & Qt::TabFocus) chain << c->objectName();
        c = c->nextInFocusChain();
    } while (c != w->dbedt_cnpj);
    EXPECT_EQ(chain, QStringList({"dbedt_cnpj", "dbedt_unidadegestora", "dbedt_endereco", "dbedt_bairro", "dbedt_cep",
                                  "dbedt_uf", "dbedt_fone", "dbedt_fax", "dbedt_email", "dbedt_responsavel",
                                  "dbedt_cadastromun", "GroupBox2", "btb_gravarunidade"}));

    QStringList labels;
    for (auto [edit, column] : edits()) {
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->buddy() == edit) labels << l->text();
        EXPECT_EQ(edit->dataSource(), w->dt_cadastro);
    }
    for (QLabel* l : w->findChildren<QLabel*>())
        if (l->buddy() == w->dbedt_cadastromun) labels << l->text();
    EXPECT_EQ(labels, QStringList({"Cnpj*:", QString::fromUtf8("Descrição Unidade Gestora*:"), QString::fromUtf8("Endereço*:"),
                                   "Bairro*:", "Cep*:", "UF*:", "Fone*:", "Fax:", "E-Mail:",
                                   QString::fromUtf8("Responsável*:"), QString::fromUtf8("Município*:")}));
    QList<int> lengths;
    for (auto [edit, column] : edits()) lengths << edit->maxLength();
    EXPECT_EQ(lengths, QList<int>({18, 70, 70, 70, 18, 4, 22, 22, 70, 70}));
    EXPECT_LE((w->geometry().center() - frm_menu->geometry().center()).manhattanLength(), 8);
    EXPECT_EQ(w->dt_cadastro->dataSet(), dm_dados->qry_cadastro);
    EXPECT_EQ(w->ds_municipios->dataSet(), dm_dados->qry_municipios);
    EXPECT_EQ(w->dbedt_cadastromun->listCount(), dm_dados->qry_municipios->recordCount());

    const QList<QPushButton*> order{w->btb_gravarunidade, w->btb_novaunidade, w->btb_sair, w->btb_alterarunidade};
    QStringList captions;
    QList<bool> tabStops;
    for (QPushButton* b : order) {
        captions << b->text();
        tabStops << bool(b->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(b->parentWidget(), w->GroupBox2);
    }
    EXPECT_EQ(captions, QStringList({QString::fromUtf8("Gravar Alterações"), "Nova Unidade", "Sair", "Alterar Dados"}));
    EXPECT_EQ(tabStops, QList<bool>({true, false, false, false}));
    bool note = false;
    for (QLabel* l : w->findChildren<QLabel*>()) note |= l->text() == QString::fromUtf8("*Campos Obrigatórios.");
    EXPECT_TRUE(note);
}

TEST_F(RegistryWindow, SelectsTheHeldUnitOrAllUnitsForTheNewUnitMarker) {
    seed(test::sampleUnit(test::kCnpjB, QStringLiteral("Unidade B")));
    seed(test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A")));
    const struct {
        QString held;
        int rows;
        QString shown;
    } cases[] = {
        {test::kCnpjA, 1, QStringLiteral("Unidade A")},
        {QStringLiteral("NOVA"), 2, QStringLiteral("Unidade B")},
        {QString(), 0, QString()},
        {QStringLiteral("nova"), 0, QString()},
        {test::kCnpjA + QLatin1Char(' '), 0, QString()},  // held as it is, untrimmed
        {QStringLiteral("x' or '1'='1"), 0, QString()},   // a value, not a piece of the statement
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.held.toStdString());
        open(c.held);
        EXPECT_EQ(dm_dados->qry_cadastro->recordCount(), c.rows);
        EXPECT_EQ(w->dbedt_unidadegestora->text(), c.shown);
        EXPECT_EQ(state(), DatasetState::Browse);
        delete w;
        settle();
    }
}

TEST_F(RegistryWindow, EveryActivationMasksTheCnpjFieldAndDisablesTheUnitCommands) {
    seed(test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A")));
    frm_menu->habilita_menus();
    open(test::kCnpjA);
    EXPECT_EQ(unitCommands(), allUnitCommands(false));
    EXPECT_EQ(dm_dados->qry_cadastro->fieldByName("CAD_CD_CNPJ")->editMask(), ">aa.aaa.aaa/aaaa-99;0;_");
    QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
    w->dbedt_cnpj->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w->dbedt_cnpj->displayText(), "12.345.678/0001-95");
    EXPECT_EQ(w->dbedt_cnpj->fieldText(), test::kCnpjA);

    activate(frm_menu);
    frm_menu->habilita_menus();
    activate(w);
    EXPECT_EQ(unitCommands(), allUnitCommands(false));
}

TEST_F(RegistryWindow, ButtonsFollowTheStateAndEachStartWritesItsStatus) {
    seed(test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A")));
    open(test::kCnpjA);
    EXPECT_EQ(buttons(), QList<bool>({true, true, false, true}));

    QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
    EXPECT_EQ(state(), DatasetState::Edit);
    EXPECT_EQ(buttons(), QList<bool>({false, false, true, true}));
    EXPECT_EQ(dm_dados->qry_cadastro->fieldByName("cad_status")->asString(), "A");
    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_EQ(buttons(), QList<bool>({true, true, false, true}));

    QTest::mouseClick(w->btb_novaunidade, Qt::LeftButton);
    EXPECT_EQ(state(), DatasetState::Insert);
    EXPECT_EQ(buttons(), QList<bool>({false, false, true, true}));
    EXPECT_EQ(dm_dados->qry_cadastro->fieldByName("cad_status")->asString(), "N");
    fill(typedUnit(test::kCnpjB));
    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    EXPECT_EQ(state(), DatasetState::Browse);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();

    UnitRow a = test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A"));
    a.status = QStringLiteral("A");
    EXPECT_EQ(storedUnits(), (std::vector<UnitRow>{a, typedUnit(test::kCnpjB)}));

    dm_dados->qry_cadastro->close();
    EXPECT_EQ(buttons(), QList<bool>({false, false, false, true}));
}

TEST_F(RegistryWindow, EnterOnTheFocusedStoreButtonStores) {
    seed(test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A")));
    open(test::kCnpjA);
    QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
    type(w->dbedt_unidadegestora, QStringLiteral("Unidade Alterada"));
    w->btb_gravarunidade->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->btb_gravarunidade, Qt::Key_Return);
    EXPECT_EQ(state(), DatasetState::Browse);
    const auto units = storedUnits();
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].unidade, "Unidade Alterada");
}

TEST_F(RegistryWindow, AlterarDadosOnAnEmptySelectionStartsANewRowMarkedA) {
    open(QString());
    QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
    EXPECT_EQ(state(), DatasetState::Insert);
    fill(typedUnit(test::kCnpjA));
    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    UnitRow expected = typedUnit(test::kCnpjA);
    expected.status = QStringLiteral("A");
    EXPECT_EQ(storedUnits(), std::vector<UnitRow>{expected});
}

// ---- the storing checks --------------------------------------------------------

struct CheckCase {
    const char* name;
    std::function<void(UnitRow&)> change;
    QString message;
    const char* focus;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class StoringCheck : public RegistryWindow, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(StoringCheck, RefusesWithItsMessageAndFocus) {
    open(QString());
    UnitRow u = typedUnit(test::kCnpjA);
    GetParam().change(u);
    storeNew(u);
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::Inform, GetParam().message, Answer::None}}));
    ASSERT_TRUE(focused());
    EXPECT_EQ(focused()->objectName(), GetParam().focus);
    EXPECT_EQ(state(), DatasetState::Insert);
    EXPECT_TRUE(storedUnits().empty());
    EXPECT_EQ(cnpj_unidade, "");
    EXPECT_TRUE(w->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    EachInItsOrder, StoringCheck,
    ::testing::Values(
        CheckCase{"CnpjEmpty", [](UnitRow& u) { u.cnpj.clear(); }, QString::fromUtf8("Campo Cnpj é obrigatório!"),
                  "dbedt_cnpj"},
        CheckCase{"EverythingEmpty", [](UnitRow& u) { u = UnitRow{}; }, QString::fromUtf8("Campo Cnpj é obrigatório!"),
                  "dbedt_cnpj"},
        CheckCase{"DescriptionOnlyBlanks", [](UnitRow& u) { u.unidade = "   "; },
                  QString::fromUtf8("Campo Descrição é obrigatório!"), "dbedt_unidadegestora"},
        CheckCase{"DescriptionEmptyBeforeAnInvalidCnpj",
                  [](UnitRow& u) {
                      u.unidade.clear();
                      u.cnpj = test::kCnpjWrongDigits;
                  },
                  QString::fromUtf8("Campo Descrição é obrigatório!"), "dbedt_unidadegestora"},
        CheckCase{"NoMunicipality", [](UnitRow& u) { u.municipio.clear(); },
                  QString::fromUtf8("Campo Cadastro Municipal é obrigatório!"), "dbedt_cadastromun"},
        CheckCase{"NoMunicipalityBeforeNoAddress",
                  [](UnitRow& u) {
                      u.municipio.clear();
                      u.endereco.clear();
                  },
                  QString::fromUtf8("Campo Cadastro Municipal é obrigatório!"), "dbedt_cadastromun"},
        CheckCase{"AddressEmpty", [](UnitRow& u) { u.endereco.clear(); },
                  QString::fromUtf8("Campo Endereço é obrgatório!"), "dbedt_endereco"},
        CheckCase{"UfEmpty", [](UnitRow& u) { u.uf.clear(); }, QString::fromUtf8("Campo UF é obrigatório!"), "dbedt_uf"},
        CheckCase{"FoneEmpty", [](UnitRow& u) { u.fone = " "; }, QString::fromUtf8("Campo Fone é obrigatório!"),
                  "dbedt_fone"},
        CheckCase{"ResponsavelEmpty", [](UnitRow& u) { u.responsavel.clear(); },
                  QString::fromUtf8("Campo Responsável é obrigatório!"), "dbedt_responsavel"},
        CheckCase{"ResponsavelEmptyBeforeAnInvalidCnpj",
                  [](UnitRow& u) {
                      u.responsavel.clear();
                      u.cnpj = test::kCnpjWrongDigits;
                  },
                  QString::fromUtf8("Campo Responsável é obrigatório!"), "dbedt_responsavel"},
        CheckCase{"CnpjWithWrongCheckDigits", [](UnitRow& u) { u.cnpj = test::kCnpjWrongDigits; },
                  QString::fromUtf8("CNPJ INVÁLIDO!"), "dbedt_cnpj"},
        CheckCase{"CnpjPartlyTyped", [](UnitRow& u) { u.cnpj = "1234"; }, QString::fromUtf8("CNPJ INVÁLIDO!"),
                  "dbedt_cnpj"}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(RegistryWindow, BairroCepFaxAndEmailMayStayEmpty) {
    open(QString());
    UnitRow u = typedUnit(test::kCnpjA);
    u.bairro.clear();
    u.cep.clear();
    u.fax.clear();
    u.email.clear();
    storeNew(u);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(storedUnits(), std::vector<UnitRow>{u});
    EXPECT_EQ(cnpj_unidade, test::kCnpjA);
    EXPECT_EQ(state(), DatasetState::Browse);
}

TEST_F(RegistryWindow, AMunicipalityCodeThatTheListLacksCountsAsNone) {
    UnitRow a = test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A"));
    a.municipio = QStringLiteral("9999999");
    seed(a);
    open(test::kCnpjA);
    EXPECT_EQ(w->dbedt_cadastromun->displayedText(), "");
    QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList({QString::fromUtf8("Campo Cadastro Municipal é obrigatório!")}));
    EXPECT_EQ(focused(), w->dbedt_cadastromun);
    EXPECT_EQ(state(), DatasetState::Edit);
}

// ---- the duplicate rules -------------------------------------------------------

TEST_F(RegistryWindow, DuplicateRulesFollowTheHeldCnpj) {
    enum Start { EditCurrent, NewRow };
    const struct {
        const char* what;
        QString held;
        Start start;
        QString typed;  // empty: the row keeps its CNPJ
        bool stored;
        QString heldAfter;
        QStringList cnpjsAfter;
    } cases[] = {
        {"marker: a stored unit under its own CNPJ", "NOVA", EditCurrent, {}, false, "NOVA",
         {test::kCnpjA, test::kCnpjB}},
        {"marker: a new row with a stored CNPJ", "NOVA", NewRow, test::kCnpjB, false, "NOVA",
         {test::kCnpjA, test::kCnpjB}},
        {"marker: a new row with a new CNPJ", "NOVA", NewRow, test::kCnpjC, true, test::kCnpjC,
         {test::kCnpjA, test::kCnpjB, test::kCnpjC}},
        {"confirmed: the unit under its own CNPJ", test::kCnpjA, EditCurrent, {}, true, test::kCnpjA,
         {test::kCnpjA, test::kCnpjB}},
        {"confirmed: a new row with the unit's own CNPJ", test::kCnpjA, NewRow, test::kCnpjA, true, test::kCnpjA,
         {test::kCnpjA, test::kCnpjB, test::kCnpjA}},
        {"confirmed: the unit moved to a new CNPJ", test::kCnpjA, EditCurrent, test::kCnpjC, true, test::kCnpjC,
         {test::kCnpjC, test::kCnpjB}},
        {"confirmed: the unit moved to another unit's CNPJ", test::kCnpjA, EditCurrent, test::kCnpjB, false,
         test::kCnpjA, {test::kCnpjA, test::kCnpjB}},
        {"confirmed: a new row with another unit's CNPJ", test::kCnpjA, NewRow, test::kCnpjB, false, test::kCnpjA,
         {test::kCnpjA, test::kCnpjB}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            std::unique_ptr<Table> t(cadastroTable());
            t->emptyTable();
        }
        seed(test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A")));
        seed(test::sampleUnit(test::kCnpjB, QStringLiteral("Unidade B")));
        boxes.clear();
        open(c.held);
        if (c.start == EditCurrent) {
            QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
            type(w->dbedt_unidadegestora, QStringLiteral("Unidade Alterada"));
            if (!c.typed.isEmpty()) type(w->dbedt_cnpj, c.typed);
            QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
        } else {
            storeNew(typedUnit(c.typed));
        }
        EXPECT_EQ(storedCnpjs(), c.cnpjsAfter);
        EXPECT_EQ(cnpj_unidade, c.heldAfter);
        if (c.stored) {
            EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
            EXPECT_EQ(state(), DatasetState::Browse);
        } else {
            EXPECT_EQ(boxes.texts(), QStringList({kDuplicate}));
            EXPECT_EQ(focused(), w->dbedt_cnpj);
            EXPECT_NE(state(), DatasetState::Browse);
            EXPECT_EQ(storedUnits().front().unidade, "Unidade A");
        }
        delete w;  // no close check between the cases
        settle();
    }
}

// ---- leaving the window --------------------------------------------------------

TEST_F(RegistryWindow, SairInBrowseStateEnablesTheCommandsAndCloses) {
    seed(test::sampleUnit(test::kCnpjA, QStringLiteral("Unidade A")));
    open(test::kCnpjA);
    ASSERT_EQ(unitCommands(), allUnitCommands(false));
    QTest::mouseClick(w->btb_sair, Qt::LeftButton);
    EXPECT_EQ(unitCommands(), allUnitCommands(true));
    settle();
    EXPECT_FALSE(w);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(RegistryWindow, SairWithAPendingRowAsksAndChecksEvenWithoutStoring) {
    const struct {
        const char* what;
        Answer answer;
        bool complete;  // the typed row passes every check
        bool stored;
        bool closes;
    } cases[] = {
        {"Yes, complete", Answer::Yes, true, true, true},
        {"No, complete", Answer::No, true, false, true},
        {"closed unanswered, complete", Answer::None, true, false, true},
        {"Yes, incomplete", Answer::Yes, false, false, false},
        {"No, incomplete", Answer::No, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        {
            std::unique_ptr<Table> t(cadastroTable());
            t->emptyTable();
        }
        boxes.clear();
        open(QString());
        EXPECT_EQ(state(), DatasetState::Browse);  // a row left pending before is dropped
        QTest::mouseClick(w->btb_novaunidade, Qt::LeftButton);
        UnitRow u = typedUnit(test::kCnpjA);
        if (!c.complete) u.fone.clear();
        fill(u);
        boxes.answer(c.answer);
        QTest::mouseClick(w->btb_sair, Qt::LeftButton);
        std::vector<RecordedBox> expected{{BoxKind::ConfirmYesNo, kSaveQuestion,
                                           c.answer == Answer::Yes ? Answer::Yes : Answer::No}};
        if (!c.complete) expected.push_back({BoxKind::Inform, QString::fromUtf8("Campo Fone é obrigatório!"), Answer::None});
        EXPECT_EQ(boxes.boxes(), expected);
        EXPECT_EQ(storedUnits().size(), c.stored ? 1u : 0u);
        EXPECT_EQ(unitCommands(), allUnitCommands(c.closes));
        EXPECT_EQ(cnpj_unidade, c.complete ? test::kCnpjA : QString());
        settle();
        EXPECT_EQ(bool(w), !c.closes);
        if (!c.stored) EXPECT_EQ(state(), DatasetState::Insert);  // neither posted nor cancelled
        if (w) {
            EXPECT_EQ(focused(), w->dbedt_fone);
            EXPECT_EQ(state(), DatasetState::Insert);
            delete w;
        }
        frm_menu->desabilita_menus();
    }
}

TEST_F(RegistryWindow, SairEnablesTheCommandsBeforeTheCloseCheckKeepsTheWindowOpen) {
    open(QString());
    QTest::mouseClick(w->btb_sair, Qt::LeftButton);
    EXPECT_EQ(unitCommands(), allUnitCommands(true));
    settle();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::Inform, kInvalidOnClose, Answer::None}}));
    EXPECT_EQ(focused(), w->dbedt_cnpj);
}

TEST_F(RegistryWindow, TheCloseBoxChecksTheCnpjButNeitherAsksNorEnablesTheCommands) {
    seed(test::sampleUnit(test::kCnpjWrongDigits, QStringLiteral("Unidade Errada")));
    open(test::kCnpjWrongDigits);
    QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
    w->close();
    settle();
    ASSERT_TRUE(w);
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::Inform, kInvalidOnClose, Answer::None}}));
    EXPECT_EQ(focused(), w->dbedt_cnpj);
    EXPECT_EQ(state(), DatasetState::Edit);

    type(w->dbedt_cnpj, test::kCnpjA);  // corrected on screen, not stored
    boxes.clear();
    w->close();
    settle();
    EXPECT_FALSE(w);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(unitCommands(), allUnitCommands(false));
    EXPECT_EQ(storedCnpjs(), QStringList({test::kCnpjWrongDigits}));
}

// A blank inside the CNPJ cannot be read as a digit: the store and the closing
// both end in the error box, and the window stays.
TEST_F(RegistryWindow, ABlankInsideTheCnpjEndsTheStoreAndTheClosing) {
    open(QString());
    QTest::mouseClick(w->btb_novaunidade, Qt::LeftButton);
    fill(typedUnit(QString()));
    w->dbedt_cnpj->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(w->dbedt_cnpj, "12");
    QTest::keyClick(w->dbedt_cnpj, Qt::Key_Right);  // leaves the third position blank
    QTest::keyClicks(w->dbedt_cnpj, "45678000195");
    ASSERT_EQ(w->dbedt_cnpj->fieldText(), "12 45678000195");
    const RecordedBox conversion{BoxKind::Error, "' ' is not a valid integer value", Answer::None};

    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{conversion});
    EXPECT_EQ(state(), DatasetState::Insert);
    EXPECT_TRUE(storedUnits().empty());
    EXPECT_EQ(cnpj_unidade, "");

    boxes.clear();
    w->close();
    settle();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(boxes.boxes(), std::vector<RecordedBox>{conversion});

    // A blank in front: storing trims it away, closing tests the text as it is.
    w->dbedt_cnpj->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->dbedt_cnpj, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w->dbedt_cnpj, Qt::Key_Backspace);
    QTest::keyClick(w->dbedt_cnpj, Qt::Key_Right);
    QTest::keyClicks(w->dbedt_cnpj, "2345678000195");
    ASSERT_EQ(w->dbedt_cnpj->fieldText(), " 2345678000195");
    boxes.clear();
    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    w->close();
    settle();
    ASSERT_TRUE(w);
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::Inform, QString::fromUtf8("CNPJ INVÁLIDO!"), Answer::None},
                                                       conversion}));
}

// The table refuses the write while another program holds it: the engine's
// message reaches the error box, and the global has already taken the new CNPJ.
TEST_F(RegistryWindow, AFailedPostReachesTheErrorBoxAndKeepsTheRowPending) {
    open(QString());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((store.basedDir() + QStringLiteral("/cadastro.DB")).toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    storeNew(typedUnit(test::kCnpjA));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::Error);
    EXPECT_TRUE(boxes.boxes()[0].text.startsWith("database is locked")) << boxes.boxes()[0].text.toStdString();
    EXPECT_EQ(state(), DatasetState::Insert);
    EXPECT_EQ(cnpj_unidade, test::kCnpjA);
    EXPECT_TRUE(storedUnits().empty());
    EXPECT_TRUE(w->isVisible());

    boxes.clear();
    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);  // free again: step 9 now, the CNPJ being held
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(storedCnpjs(), QStringList({test::kCnpjA}));
}

// ---- first start ---------------------------------------------------------------

TEST_F(RegistryWindow, TheFirstUnitIsRegisteredFromTheConfirmationWindow) {
    Tfrm_login* login = openLogin();
    ASSERT_TRUE(login);
    login->BitBtn1->click();
    w = frm_unidadesgestoras;
    ASSERT_TRUE(w);
    EXPECT_EQ(w->parentWidget(), login);
    EXPECT_EQ(cnpj_unidade, "NOVA");
    EXPECT_EQ(dm_dados->qry_cadastro->recordCount(), 0);  // selected while the CNPJ was still empty
    EXPECT_EQ(buttons(), QList<bool>({true, true, false, true}));
    activate(w);

    w->close();
    settle();
    ASSERT_TRUE(w);
    EXPECT_EQ(boxes.texts(), QStringList({kInvalidOnClose}));
    EXPECT_EQ(focused(), w->dbedt_cnpj);

    boxes.clear();
    storeNew(typedUnit(test::kCnpjA));
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(storedUnits(), std::vector<UnitRow>{typedUnit(test::kCnpjA)});
    EXPECT_EQ(cnpj_unidade, test::kCnpjA);
    EXPECT_EQ(frm_menu->windowTitle(), "MERU - Caldeno");  // the frame still names no unit

    QTest::mouseClick(w->btb_sair, Qt::LeftButton);
    settle();
    EXPECT_FALSE(w);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(unitCommands(), allUnitCommands(true));

    // The new unit is found by the confirmation window.
    activate(login);
    type(login->mskedt_cnpj, test::kCnpjA);
    login->btb_confirmar->click();
    EXPECT_EQ(nome_unidade, "Secretaria da Fazenda");
    EXPECT_EQ(login->dbedt_municipio->text(), test::kRioName);
}

// ---- odd characters ------------------------------------------------------------

TEST_F(RegistryWindow, OddCharactersAreStoredAsTypedAndChangeNoStatement) {
    seed(test::sampleUnit(test::kCnpjB, QStringLiteral("Unidade B")));
    open(QString());
    UnitRow u = typedUnit(test::kCnpjA);
    u.unidade = QStringLiteral("O'Brien \"Ltda\"; DROP TABLE cadastro; --");
    u.endereco = QStringLiteral("Rua D'Ajuda, 5 -- fundos \\ 'x'='x'");
    u.bairro = QStringLiteral("'; DELETE FROM cadastro; --");
    u.cep = QStringLiteral("01'002--000\\");
    u.uf = QStringLiteral("'\";\\");
    u.fone = QStringLiteral("(11) 3333'4444 --");
    u.fax = QStringLiteral("\\' OR 1=1 --");
    u.email = QStringLiteral("a'b\"c;d--e\\f@x.br");
    u.responsavel = QString::fromUtf8("Joana D'Arc \"Jô\" \\ ;--");
    storeNew(u);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(storedUnits(), (std::vector<UnitRow>{test::sampleUnit(test::kCnpjB, QStringLiteral("Unidade B")), u}));

    // Edited again, the row is written back unchanged in every other field.
    QTest::mouseClick(w->btb_alterarunidade, Qt::LeftButton);
    type(w->dbedt_unidadegestora, u.unidade + QStringLiteral(" '"));
    QTest::mouseClick(w->btb_gravarunidade, Qt::LeftButton);
    u.unidade += QStringLiteral(" '");
    u.status = QStringLiteral("A");
    EXPECT_EQ(storedUnits(), (std::vector<UnitRow>{test::sampleUnit(test::kCnpjB, QStringLiteral("Unidade B")), u}));
}

}  // namespace
