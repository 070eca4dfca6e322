// One month of a managing unit's work in the whole program, as its operator does
// it: the splash, the first unit registered and confirmed, the month, the invoices
// typed key by key with the refusals on the way, the list, a correction, the
// printed report, the closing onto drive A:, the sent list, a second closing and
// the regeneration of the month. The boxes are answered in order, and the stored
// rows and the disk's rows are read back column by column.

#include "../reports/list_fixture.h"
#include "../reports/pdf_reader.h"
#include "../transmission/closing_fixture.h"
#include "typing.h"

#include "app/frm_splash.h"
#include "controls/db_check_box.h"
#include "controls/db_edit.h"
#include "controls/db_grid.h"
#include "controls/db_lookup_combo_box.h"
#include "controls/mask_edit.h"
#include "data/working_store.h"
#include "invoices/frm_mesref.h"
#include "invoices/frm_notas_edicao.h"
#include "invoices/frm_notas_inclusao.h"
#include "invoices/valida_inscricao.h"
#include "transmission/frm_mesref_nov.h"
#include "units/frm_login.h"
#include "units/frm_unidadesgestoras.h"
#include "units/valida_cnpj.h"

#include <QLocale>
#include <QMenu>
#include <QMenuBar>

using namespace meru;
using platform::Answer;
using platform::BoxKind;
using platform::RecordedBox;
using test::settle;

namespace {

const QString kUnit = QStringLiteral("11222333000181");
const QString kUnitName = QString::fromUtf8("Secretaria de Educação");
const QString kIssuerA = QStringLiteral("11444777000161");
const QString kIssuerB = QStringLiteral("11222333000181");
const QString kRegistration = QStringLiteral("12345678901231");
const QString kBadRegistration = QStringLiteral("12345678901230");
const QString kMonth = QStringLiteral("062004");

// The boxes of the road, in the words the operator reads.
const QString kStartQuestion = QStringLiteral("Unidade Gestora: ") + kUnitName +
                               QString::fromUtf8("\rMunicipio: São Paulo - SP\rResponsável: Maria Souza\r\rDeseja continuar?");
const QString kRegistrationWarning =
    QString::fromUtf8("INSCRIÇÃO ESTADUAL INVÁLIDA\r- Verifique se a Inscrição está correta");
const QString kKeepOrFix = QString::fromUtf8("A Inscrição estadual digitada inválida! Deseja corrigir?");
const QString kDuplicateOnLeaving = QStringLiteral("Ja Existe Uma nota com este CNPJ e Numero");
const QString kDuplicate =
    QString::fromUtf8("Nota Fiscal Já Incluida:\rJa Existe uma Nota com este CNPJ e Numero da Nota Fiscal");
const QString kImpossibleDate = QString::fromUtf8(
    "'31/06/2004' não é uma data válida para o campo mov_dt_notaf. Digite a data como em 15/03/2004.");
const QString kAsk1 = QString::fromUtf8("Deseja Continuar com o processo de fechamento de mês?");
const QString kAsk2 =
    QString::fromUtf8("Insira um disco formatado no drive A: e presione OK\r\rTodos os arquivos do disquete serão apagados");
const QString kFormatted = QString::fromUtf8("Disco formatado com sucesso.");
const QString kCancelled = QString::fromUtf8("A formatação foi cancelada.");
const QString kSuccess = QStringLiteral("Dados Gerados com Sucesso!");
const QString kNothing = QStringLiteral("Nao Existem Dados a Serem Enviados!");

// An invoice as the operator types it.
struct Typed {
    QString issuer, inscricao, processo, nf, valor;
    QDate date, processDate;
    bool retificadora = false;
};

const Typed kNf1001{kIssuerA, kRegistration, "23000.000101/2004", "1001", "1234,56", {2004, 6, 15}, {2004, 6, 10}};
const Typed kNf1002{kIssuerB, kRegistration, "23000.000102/2004", "1002", "99,9", {2004, 6, 20}, {2004, 6, 18}, true};
const Typed kNf1003{kIssuerA, kBadRegistration, "23000.000103/2004", "1003", "0,5", {2004, 6, 1}, {2004, 6, 2}};
const Typed kNf1001Again{kIssuerA, kRegistration, "23000.000199/2004", "1001", "10", {2004, 6, 3}, {2004, 6, 4}};
const Typed kNf1004{kIssuerB, kRegistration, "23000.000104/2004", "1004", "5000", {2004, 6, 30}, {2004, 6, 29}};
const QString kCorrectedValue = QStringLiteral("199,9");

QString digits(const QDate& d) { return d.toString(QStringLiteral("ddMMyyyy")); }
QDateTime midnight(const QDate& d) { return QDateTime(d, QTime(0, 0), Qt::UTC); }
QString plain(QString s) { return s.replace(QChar(0x00A0), QLatin1Char(' ')).simplified(); }

class Road : public test::ClosingFixture {
protected:
    static constexpr int kSplashMs = 300;

    // The program as it starts on an office's machine, with a short splash: the
    // store with its municipalities (the closing's store comes without them, and
    // the unit's registration needs them), the export templates, an empty drive A:.
    void SetUp() override {
        cnpj_unidade.clear();
        nome_unidade.clear();
        mes_referencia.clear();
        ASSERT_GT(loadMunicipalities(QDir(store.basedDir()).filePath(QStringLiteral("municipios.DB")),
                                     QStringLiteral(MERU_SOURCE_DIR "/resources/municipios.tsv")),
                  0);
        platform::setProgramDirectory(store.programDir());
        QDir().mkpath(store.saidaDir());
        for (const auto* def : {&schema::cadastroExport(), &schema::movimentoExport()})
            paradox::createTable(*def, QDir(store.saidaDir()).filePath(def->fileName));
        // The operator's choice of municipality is a keyboard search through the combo box.
        keyboardInterval_ = QApplication::keyboardInputInterval();
        QApplication::setKeyboardInputInterval(5000);
        Timings timings;
        timings.startupPauseMs = 0;
        timings.splashMs = kSplashMs;
        timings.clockMs = 50;
        ASSERT_EQ(startApplication(timings), 0);
    }

    void TearDown() override {
        SummaryReport::setPrinterSource({});
        QApplication::setKeyboardInputInterval(keyboardInterval_);
        ClosingFixture::TearDown();
    }

    // ---- the operator's hands ------------------------------------------------

    static void activate(QWidget* w) {
        w->activateWindow();
        QApplication::setActiveWindow(w->window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w->window())) << w->objectName().toStdString();
    }
    static void click(QAbstractButton* b) {
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << b->objectName().toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
        settle();
    }
    // An item of "&Notas Fiscais" chosen from the main window's menu bar by the
    // keyboard: Alt+N opens the menu, only while it is enabled, and the item's
    // underlined letter chooses it.
    static void choose(QAction* item) {
        activate(frm_menu);
        QMenu* notas = test::menu()->mn_notasfiscais;
        QTest::keyClick(test::menu()->mainmenu, Qt::Key_N, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([notas] { return notas->isVisible(); }, 2000)) << item->objectName().toStdString();
        const QString text = item->text();
        const QChar letter = text.at(text.indexOf(QLatin1Char('&')) + 1).toLower();
        QTest::keyClick(notas, letter.toLatin1());
        settle();
        EXPECT_FALSE(notas->isVisible());
    }
    static void type(QLineEdit* edit, const QString& keys) { test::typeOver(edit, keys); }
    static QWidget* focused() { return QApplication::focusWidget(); }

    // "Cadastrar Nova U. Gestora", "Nova Unidade", the unit typed in, "Gravar
    // Alterações", "Sair".
    void registerFirstUnit(Tfrm_login* login) {
        click(login->BitBtn1);
        QPointer<Tfrm_unidadesgestoras> registry = frm_unidadesgestoras;
        ASSERT_TRUE(registry);
        ASSERT_EQ(cnpj_unidade, "NOVA");
        activate(registry);
        click(registry->btb_novaunidade);
        type(registry->dbedt_cnpj, kUnit);
        type(registry->dbedt_unidadegestora, kUnitName);
        type(registry->dbedt_endereco, QStringLiteral("Rua Direita, 100"));
        type(registry->dbedt_bairro, QStringLiteral("Centro"));
        type(registry->dbedt_cep, QStringLiteral("01002-000"));
        type(registry->dbedt_uf, QStringLiteral("SP"));
        type(registry->dbedt_fone, QStringLiteral("(11) 3333-4444"));
        type(registry->dbedt_responsavel, QStringLiteral("Maria Souza"));
        registry->dbedt_cadastromun->setFocus(Qt::TabFocusReason);
        test::typeKeys(registry->dbedt_cadastromun, QString::fromUtf8("São Paulo - SP"));
        click(registry->btb_gravarunidade);
        ASSERT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
        EXPECT_EQ(cnpj_unidade, kUnit);
        click(registry->btb_sair);
        EXPECT_TRUE(registry.isNull());
    }

    // The fields of an invoice typed in their tab order, Enter moving on to the
    // next; where a warning has moved the focus elsewhere the operator clicks back
    // into the field. An impossible invoice date is typed first, and Enter cannot
    // carry it out of its edit.
    static void typeFields(Tfrm_notas_inclusao* w, const Typed& t, const QString& impossibleDate = {}) {
        auto field = [](controls::DBEdit* edit, const QString& keys) {
            if (focused() == edit)
                test::typeKeys(edit, keys);
            else
                type(edit, keys);
            QTest::keyClick(edit, Qt::Key_Return);
            settle();
        };
        field(w->dbedt_cgcemitente, t.issuer);
        field(w->dbedt_insces, t.inscricao);
        field(w->dbedt_nrproc, t.processo);
        field(w->dbedt_nrnf, t.nf);
        field(w->dbedt_vlnf, t.valor);
        if (!impossibleDate.isEmpty()) {
            field(w->dbedt_dtnf, impossibleDate);
            EXPECT_EQ(focused(), w->dbedt_dtnf);
            type(w->dbedt_dtnf, digits(t.date));
            QTest::keyClick(w->dbedt_dtnf, Qt::Key_Return);
            settle();
        } else {
            field(w->dbedt_dtnf, digits(t.date));
        }
        field(w->dbedt_dtproc, digits(t.processDate));
        EXPECT_EQ(focused(), w->DBCheckBox1);
        if (t.retificadora) QTest::keyClick(w->DBCheckBox1, Qt::Key_Space);
    }

    // "&Inserir N.F.", the invoice typed in, "&Gravar N.F.".
    void enterInvoice(Tfrm_notas_inclusao* w, const Typed& t, const QString& impossibleDate = {}) {
        click(w->btb_inserirnf);
        typeFields(w, t, impossibleDate);
        click(w->BitBtn1);
    }

    void finalizarMes() {
        boxes.answer(Answer::Yes).answer(Answer::Ok);
        click(test::menu()->btb_fechames);
    }

    // ---- reading back ---------------------------------------------------------

    // Every row of a working table in its own order, each value as text ("" for null).
    std::vector<QStringList> stored(const char* file, const QString& select) {
        auto c = table(file);
        sqlite::Statement st(c.handle(), select);
        std::vector<QStringList> rows;
        while (st.step()) {
            QStringList row;
            for (int i = 0; i < st.columnCount(); ++i) row << (st.columnIsNull(i) ? QString() : st.column(i).toString());
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<QStringList> storedInvoices() {
        return stored("movimento.DB", QStringLiteral("SELECT * FROM movimento ORDER BY mov_cd_controle"));
    }
    std::vector<QStringList> storedUnits() { return stored("cadastro.DB", QStringLiteral("SELECT * FROM CADASTRO")); }

    // Compares a table read from the disk with the rows it must hold, column by column.
    void expectDisk(const QString& file, const std::vector<std::vector<QVariant>>& expected) {
        SCOPED_TRACE(file.toStdString());
        const paradox::ParadoxContents t = disk(file);
        ASSERT_EQ(t.rows.size(), expected.size());
        for (size_t r = 0; r < expected.size(); ++r) {
            ASSERT_EQ(t.rows[r].size(), expected[r].size()) << "row " << r;
            for (size_t c = 0; c < expected[r].size(); ++c)
                EXPECT_EQ(t.rows[r][c], expected[r][c]) << "row " << r << ", " << t.fields[c].name.toStdString() << ": "
                                                        << t.rows[r][c].toString().toStdString() << " instead of "
                                                        << expected[r][c].toString().toStdString();
        }
    }

    int keyboardInterval_ = 0;
};

// The store's invoice row: mov_cd_controle, cad_cd_cnpj, mov_nr_processo,
// mov_dt_processo, mov_dt_notaf, mov_vl_valor, mov_cd_cnpj, mov_nr_inscricao,
// mov_dt_referencia, mov_tp_retificadora, mov_tp_gerado, mov_nr_nf, Mov_cd_validade.
QStringList storedRow(int controle, const Typed& t, double valor, const QString& gerado, const QString& validade) {
    return {QString::number(controle), kUnit, t.processo, t.processDate.toString(Qt::ISODate),
            t.date.toString(Qt::ISODate), QString::number(valor), t.issuer, t.inscricao, kMonth,
            t.retificadora ? "S" : "N", gerado, t.nf, validade};
}

// The same invoice in the export table, its dates as timestamps at midnight.
std::vector<QVariant> diskRow(int controle, const Typed& t, double valor, const QString& gerado, const QString& validade) {
    return {controle, kUnit, t.processo, midnight(t.processDate), midnight(t.date), valor, t.issuer, t.inscricao,
            kMonth, QString(t.retificadora ? "S" : "N"), gerado, t.nf, validade.isEmpty() ? QVariant() : QVariant(validade)};
}

// The unit row, in the column order of CADASTRO, cad_dc_municipio never written.
QStringList storedUnit(const QString& status) {
    return {kUnitName, "Rua Direita, 100", "Centro", "01002-000", "SP", "Maria Souza", "(11) 3333-4444", "", "", "",
            "3550308", kUnit, status, "1"};
}
std::vector<QVariant> diskUnit(const QString& status) {
    std::vector<QVariant> row;
    for (const QString& v : storedUnit(status)) row.push_back(v.isEmpty() ? QVariant() : QVariant(v));
    row.back() = 1;
    return row;
}

TEST_F(Road, OneMonthFromTheSplashToTheDisketteAndItsRegeneration) {
    for (const QString& cnpj : {kUnit, kIssuerA, kIssuerB}) ASSERT_TRUE(valida_cnpj(cnpj)) << cnpj.toStdString();
    ASSERT_TRUE(valida_inscricao(kRegistration));
    ASSERT_FALSE(valida_inscricao(kBadRegistration));

    // ---- start-up: the splash, then the confirmation window by itself ----------
    ASSERT_TRUE(frm_splash);
    EXPECT_TRUE(frm_splash->isVisible());
    EXPECT_FALSE(frm_login);
    ASSERT_TRUE(QTest::qWaitFor([] { return frm_login && frm_login->isVisible(); }, 20 * kSplashMs));
    settle();
    EXPECT_FALSE(frm_splash);
    EXPECT_EQ(frm_menu->windowTitle(), "MERU - Caldeno");
    EXPECT_FALSE(test::menu()->btb_abremes->isEnabled());
    QPointer<Tfrm_login> login = frm_login;
    activate(login);

    // ---- the first unit, registered, confirmed, started -------------------------
    registerFirstUnit(login);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(storedUnits(), std::vector<QStringList>{storedUnit("N")});
    activate(login);
    type(login->mskedt_cnpj, kUnit);
    click(login->btb_confirmar);
    EXPECT_EQ(login->dbedt_municipio->text(), QString::fromUtf8("São Paulo - SP"));
    EXPECT_EQ(frm_menu->windowTitle(), QStringLiteral("MERU - Caldeno (Unidade: ") + kUnitName + ").");
    boxes.answer(Answer::Yes);
    click(login->btb_iniciarsistema);
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::WarnYesNo, kStartQuestion, Answer::Yes}}));
    EXPECT_TRUE(login.isNull());
    EXPECT_TRUE(test::menu()->btb_abremes->isEnabled());
    EXPECT_EQ(frm_menu->statusUnit(), QStringLiteral("UNIDADE GESTORA:      ") + kUnitName);
    boxes.clear();

    // ---- "Incluir Notas": the month, then the entry window ------------------------
    click(test::menu()->btb_abremes);
    ASSERT_TRUE(frm_mesref);
    activate(frm_mesref);
    type(frm_mesref->MaskEdit1, kMonth);
    click(frm_mesref->btb_confirmar);
    EXPECT_FALSE(frm_mesref);
    EXPECT_EQ(stored("referencias.DB", "SELECT ref_mesreferencia FROM referencias"), std::vector<QStringList>{{kMonth}});
    QPointer<Tfrm_notas_inclusao> entry = frm_notas_inclusao;
    ASSERT_TRUE(entry);
    activate(frm_menu);
    EXPECT_EQ(entry->GroupBox2->title(), QString::fromUtf8("Notas Incluídas (06/2004)"));

    // ---- the invoices ------------------------------------------------------------
    enterInvoice(entry, kNf1001);
    enterInvoice(entry, kNf1002);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();

    boxes.answer(Answer::No);  // the registration is kept as typed
    enterInvoice(entry, kNf1003);
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::Inform, kRegistrationWarning, Answer::None},
                                                        {BoxKind::ConfirmYesNo, kKeepOrFix, Answer::No}}));
    EXPECT_EQ(focused(), entry->btb_inserirnf);

    boxes.clear();
    enterInvoice(entry, kNf1001Again);
    EXPECT_EQ(boxes.texts(), QStringList({kDuplicateOnLeaving, kDuplicate}));
    EXPECT_EQ(focused(), entry->dbedt_cgcemitente);
    click(entry->BitBtn2);  // "&Cancelar"

    boxes.clear();
    enterInvoice(entry, kNf1004, QStringLiteral("31062004"));
    ASSERT_EQ(boxes.boxes().size(), 1u) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(boxes.boxes()[0], (RecordedBox{BoxKind::Error, kImpossibleDate, Answer::None}));
    EXPECT_EQ(dm_dados->tab_movimento_atual->state(), DatasetState::Browse);
    EXPECT_EQ(entry->dbgrid_movimento_atual->model()->rowCount(), 4);

    const std::vector<QStringList> typedRows = {
        storedRow(1, kNf1001, 1234.56, "N", ""), storedRow(2, kNf1002, 99.9, "N", ""),
        storedRow(3, kNf1003, 0.5, "N", "S"), storedRow(4, kNf1004, 5000, "N", "")};
    EXPECT_EQ(storedInvoices(), typedRows);
    click(entry->BitBtn4);  // "&Sair"
    EXPECT_TRUE(entry.isNull());
    boxes.clear();

    // ---- "&Controle Geral", and a correction through "Modificar Dados" ------------
    choose(test::menu()->ControleGeral1);
    QPointer<Tfrm_sele_notas> list = frm_sele_notas;
    ASSERT_TRUE(list);
    activate(list);
    EXPECT_EQ(test::numbers(list), QStringList({"1001", "1002", "1003", "1004"}));
    click(list->BitBtn1);
    EXPECT_TRUE(list->isHidden());
    QPointer<Tfrm_notas_edicao> correction = frm_notas_edicao;
    ASSERT_TRUE(correction);
    activate(frm_menu);
    EXPECT_EQ(correction->dbedt_nrnf->text(), "1001");  // the month's first invoice, not the list's row
    controls::DBGrid* grid = correction->dbgrid_movimento_atual;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    EXPECT_EQ(correction->dbedt_nrnf->text(), "1002");
    click(correction->BitBtn3);  // "&Alterar N.F."
    type(correction->dbedt_vlnf, kCorrectedValue);
    click(correction->BitBtn1);  // "&Gravar N.F."
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(dm_dados->tab_movimento_atual->state(), DatasetState::Browse);
    click(correction->BitBtn4);
    EXPECT_TRUE(correction.isNull());

    std::vector<QStringList> correctedRows = typedRows;
    correctedRows[1] = storedRow(2, kNf1002, 199.9, "N", "");
    EXPECT_EQ(storedInvoices(), correctedRows);

    // The hidden list comes back as it was; the operator closes it and opens a fresh one.
    choose(test::menu()->ControleGeral1);
    EXPECT_EQ(frm_sele_notas, list);
    ASSERT_TRUE(list->isVisible());
    click(list->BitBtn5);
    EXPECT_TRUE(list.isNull());
    choose(test::menu()->ControleGeral1);
    list = frm_sele_notas;
    ASSERT_TRUE(list);
    activate(list);
    const QLocale locale;
    EXPECT_EQ(test::column(list, 2), QStringList({locale.toCurrencyString(1234.56), locale.toCurrencyString(199.9),
                                                  locale.toCurrencyString(0.5), locale.toCurrencyString(5000.0)}));

    // ---- the report, printed into a PDF and read back ---------------------------
    const QString pdf = store.programDir() + QStringLiteral("relatorio.pdf");
    SummaryReport::setPrinterSource(test::pdfPrinter(pdf));
    click(list->BitBtn4);  // "Imprimir"
    const test::PdfDocument doc = test::readPdf(pdf);
    QStringList printed;
    for (const test::PdfLine& line : doc.lines)
        if (!line.words.empty() && (line.words[0].text == kIssuerA || line.words[0].text == kIssuerB))
            printed << plain(line.text());
    auto reportLine = [&](const Typed& t, double valor, const QString& inscricao) {
        return plain(QStringList({t.issuer, t.nf, locale.toString(t.date, QLocale::ShortFormat),
                                  locale.toCurrencyString(valor), t.retificadora ? "S" : "N", inscricao})
                         .join(' '));
    };
    EXPECT_EQ(printed, QStringList({reportLine(kNf1001, 1234.56, kRegistration), reportLine(kNf1002, 199.9, kRegistration),
                                    reportLine(kNf1003, 0.5, kBadRegistration), reportLine(kNf1004, 5000, kRegistration)}));
    click(list->BitBtn5);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();

    // ---- "Finalizar Mês" with the format dialog -----------------------------------
    formatDialogClicks({"btnIniciar", "btnFechar"});
    finalizarMes();
    EXPECT_EQ(boxes.boxes(), (std::vector<RecordedBox>{{BoxKind::ConfirmYesNo, kAsk1, Answer::Yes},
                                                        {BoxKind::ConfirmOkCancel, kAsk2, Answer::Ok},
                                                        {BoxKind::Inform, kFormatted, Answer::None},
                                                        {BoxKind::Inform, kSuccess, Answer::None}}));
    const std::vector<std::vector<QVariant>> sentInvoices = {
        diskRow(1, kNf1001, 1234.56, "N", ""), diskRow(2, kNf1002, 199.9, "N", ""), diskRow(3, kNf1003, 0.5, "N", "S"),
        diskRow(4, kNf1004, 5000, "N", "")};
    expectDisk("movimento.DB", sentInvoices);
    expectDisk("cadastro.DB", {diskUnit("N")});
    EXPECT_EQ(disk("movimento.DB").codePage, 1252);

    std::vector<QStringList> sentRows = correctedRows;
    for (QStringList& row : sentRows) row[10] = "S";
    EXPECT_EQ(storedInvoices(), sentRows);
    EXPECT_EQ(storedUnits(), std::vector<QStringList>{storedUnit("S")});
    EXPECT_TRUE(stored("referencias.DB", "SELECT * FROM referencias").empty());
    // The month is closed: "Incluir Notas" asks for the next one.
    click(test::menu()->btb_abremes);
    ASSERT_TRUE(frm_mesref);
    EXPECT_FALSE(frm_notas_inclusao);
    frm_mesref->close();
    settle();

    // ---- the list's sent mode ------------------------------------------------------
    choose(test::menu()->ControleGeral1);
    list = frm_sele_notas;
    ASSERT_TRUE(list);
    activate(list);
    EXPECT_TRUE(test::numbers(list).isEmpty());
    click(list->RadioButton1);  // "Enviadas"
    EXPECT_EQ(list->GroupBox1->title(), "Notas Fiscais (Enviadas)");
    EXPECT_EQ(test::numbers(list), QStringList({"1001", "1002", "1003", "1004"}));
    EXPECT_FALSE(list->BitBtn1->isEnabled());
    EXPECT_FALSE(list->BitBtn2->isEnabled());
    click(list->BitBtn5);

    // ---- a second closing finds nothing to send ------------------------------------
    boxes.clear();
    formatDialogClicks({"btnFechar"});  // should the dialog wrongly come, the operator closes it
    finalizarMes();
    EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, kNothing}));
    expectDisk("movimento.DB", sentInvoices);
    EXPECT_EQ(storedInvoices(), sentRows);

    // ---- "&Gerar Novamente" writes the month onto a fresh diskette -----------------
    ASSERT_TRUE(QDir(store.driveA()).removeRecursively() && QDir().mkpath(store.driveA()));
    boxes.clear();
    choose(test::menu()->GerarNovamente1);
    QPointer<Tfrm_mesref_nov> regenerate = frm_mesref_nov;
    ASSERT_TRUE(regenerate);
    activate(regenerate);
    type(regenerate->MaskEdit1, QStringLiteral("062004"));
    formatDialogClicks({"btnFechar"});
    click(regenerate->btb_confirmar);
    EXPECT_EQ(boxes.texts(), QStringList({kCancelled, kSuccess}));
    std::vector<std::vector<QVariant>> rewritten = sentInvoices;
    for (auto& row : rewritten) row[10] = QStringLiteral("S");
    expectDisk("movimento.DB", rewritten);
    expectDisk("cadastro.DB", {diskUnit("S")});
    EXPECT_EQ(storedInvoices(), sentRows);
    EXPECT_EQ(storedUnits(), std::vector<QStringList>{storedUnit("S")});
    ASSERT_TRUE(regenerate);
    regenerate->close();
    settle();
}

}  // namespace
