#include "frm_menu.h"

#include "app/frm_sobre.h"
#include "app/frm_splash.h"
#include "data/dm_dados.h"
#include "platform/engine_config.h"
#include "platform/guarded.h"
#include "platform/locale.h"
#include "platform/message_service.h"
#include "data/table_rebuild.h"
#include "invoices/frm_mesref.h"
#include "transmission/frm_mesref_nov.h"
#include "invoices/abre_notas.h"
#include "invoices/valida_inscricao.h"
#include "reports/frm_sele_notas.h"
#include "units/frm_login.h"
#include "units/frm_unidadesgestoras.h"
#include "units/valida_cnpj.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QMenuBar>
#include <QStatusBar>
#include <QThread>

namespace meru {

namespace {

// The system's long time format without the time zone, which Qt's long format
// carries and the status panel has no room for.
QString longTimeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

}  // namespace

using platform::guarded;
using platform::messages;

Tfrm_menu::Tfrm_menu(const Timings& timings, QWidget* parent) : MainWindow(parent), timings_(timings) {
    setObjectName(QStringLiteral("frm_menu"));
    frm_menu = this;
    setWindowTitle(QStringLiteral("MERU - Caldeno. "));
    mdi_ = new QMdiArea(this);
    mdi_->setBackground(Qt::white);
    setCentralWidget(mdi_);
    setStyleSheet(QStringLiteral("QMainWindow { background: white; }"));
    buildMenu();
    buildToolBar();
    buildStatusBar();

    timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer"));
    timer->setInterval(timings_.clockMs);
    connect(timer, &QTimer::timeout, this, guarded([this] { timerTimer(); }));
    timer->start();

    FormCreate();
}

Tfrm_menu::~Tfrm_menu() {
    if (frm_menu == this) frm_menu = nullptr;
}

void Tfrm_menu::buildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    QFont bold(QStringLiteral("Verdana"));
    bold.setBold(true);
    auto makeButton = [&](const char* name, const QString& caption, const QIcon& icon, void (Tfrm_menu::*handler)()) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setIcon(icon);
        b->setFont(bold);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
        connect(b, &QToolButton::clicked, this, guarded([this, handler] { (this->*handler)(); }));
        return b;
    };
    QIcon abremes(QStringLiteral(":/icons/abremes.png"));
    abremes.addFile(QStringLiteral(":/icons/abremes_disabled.png"), {}, QIcon::Disabled);
    btb_abremes = makeButton("btb_abremes", QStringLiteral("Incluir Notas"), abremes, &Tfrm_menu::btb_abremesClick);
    btb_fechames = makeButton("btb_fechames", QString::fromUtf8("Finalizar Mês"), QIcon(QStringLiteral(":/icons/fechames.png")),
                              &Tfrm_menu::btb_fechamesClick);
    btb_sair = makeButton("btb_sair", QStringLiteral("&Sair"), QIcon(QStringLiteral(":/icons/sair.png")),
                          &Tfrm_menu::btb_sairClick);
    btb_sair->setCursor(Qt::PointingHandCursor);
    // Alt+S belongs to the menu bar's "&Sobre", as a menu bar's mnemonics do; the
    // button's own mnemonic would make the key ambiguous and neither would answer.
    btb_sair->setShortcut(QKeySequence());
    btb_abremes->setEnabled(false);
    btb_fechames->setEnabled(false);
}

void Tfrm_menu::buildMenu() {
    mainmenu = menuBar();
    mainmenu->setObjectName(QStringLiteral("mainmenu"));
    auto action = [this](QMenu* menu, const char* name, const QString& caption, void (Tfrm_menu::*handler)()) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        if (handler) connect(a, &QAction::triggered, this, guarded([this, handler] { (this->*handler)(); }));
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* s = menu->addSeparator();
        s->setObjectName(QLatin1String(name));
        s->setEnabled(false);
        return s;
    };

    Menu011 = mainmenu->addMenu(QStringLiteral("&Unidades Gestoras"));
    Menu011->setObjectName(QStringLiteral("Menu011"));
    mn_login = action(Menu011, "mn_login", QStringLiteral("Efetuar Login"), &Tfrm_menu::mn_loginClick);
    mn_dadosunidade = action(Menu011, "mn_dadosunidade", QStringLiteral("&Dados da Unidade"), &Tfrm_menu::mn_dadosunidadeClick);
    mn_dadosunidade->setEnabled(false);
    mn_no02 = separator(Menu011, "mn_no02");
    mn_sair = action(Menu011, "mn_sair", QStringLiteral("&Sair"), &Tfrm_menu::mn_sairClick);

    mn_notasfiscais = mainmenu->addMenu(QStringLiteral("&Notas Fiscais"));
    mn_notasfiscais->setObjectName(QStringLiteral("mn_notasfiscais"));
    mn_notasfiscais->menuAction()->setEnabled(false);
    // Nothing is known for this item to do; "Incluir Notas" is the way into entry.
    mn_inclusaonotas = action(mn_notasfiscais, "mn_inclusaonotas", QString::fromUtf8("&Inclusão de Notas"), nullptr);
    ControleGeral1 = action(mn_notasfiscais, "ControleGeral1", QStringLiteral("&Controle Geral"), &Tfrm_menu::ControleGeral1Click);
    GerarNovamente1 = action(mn_notasfiscais, "GerarNovamente1", QStringLiteral("&Gerar Novamente"), &Tfrm_menu::GerarNovamente1Click);
    N1 = separator(mn_notasfiscais, "N1");
    LimparBancodeDados1 = action(mn_notasfiscais, "LimparBancodeDados1", QStringLiteral("&Limpar Banco de Dados"),
                                 &Tfrm_menu::LimparBancodeDados1Click);

    mn_sobre = mainmenu->addAction(QStringLiteral("&Sobre"));
    mn_sobre->setObjectName(QStringLiteral("mn_sobre"));
    connect(mn_sobre, &QAction::triggered, this, guarded([this] { mn_sobreClick(); }));
}

void Tfrm_menu::buildStatusBar() {
    statusbar = statusBar();
    statusbar->setObjectName(QStringLiteral("statusbar"));
    statusbar->setSizeGripEnabled(false);
    const int widths[] = {60, 72, 0};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(statusbar);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0) panel->setFixedWidth(widths[i]);
        statusbar->addWidget(panel, widths[i] > 0 ? 0 : 1);
        panels_[i] = panel;
    }
}

void Tfrm_menu::FormCreate() {
    reconstroi_tabelas();
    QThread::msleep(static_cast<unsigned long>(timings_.startupPauseMs));
    openByReuseRule(frm_splash, [this] { return new Tfrm_splash(this, timings_.splashMs); });
}

void Tfrm_menu::reconstroi_tabelas() {
    const QString based = platform::programDirectory() + QStringLiteral("based/");
    const struct {
        int handle;
        const char* file;
    } tables[] = {{44, "movimento.DB"}, {45, "cadastro.DB"}, {46, "municipios.DB"}, {47, "referencias.DB"}};
    for (const auto& t : tables) {
        const QByteArray path = (based + QLatin1String(t.file)).toUtf8();
        TURebuildTable(t.handle, path.constData(), "STANDART", nullptr, nullptr, nullptr, nullptr);
    }
}

void Tfrm_menu::timerTimer() {
    const QLocale locale = platform::appLocale();
    const QDateTime now = QDateTime::currentDateTime();
    panels_[1]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    panels_[0]->setText(locale.toString(now.time(), longTimeFormat(locale)));
}

bool Tfrm_menu::valida_cnpj(const QString& text) const { return meru::valida_cnpj(text); }

bool Tfrm_menu::valida_inscricao(const QString& text) const { return meru::valida_inscricao(text); }

void Tfrm_menu::abre_login() {
    openByReuseRule(frm_login, [this] { return new Tfrm_login(this); });
    setWindowTitle(QStringLiteral("MERU - Caldeno"));
    setStatusUnit(QString());
}

void Tfrm_menu::habilita_menus() {
    for (QToolButton* b : {btb_abremes, btb_fechames}) b->setEnabled(true);
    mn_dadosunidade->setEnabled(true);
    mn_notasfiscais->menuAction()->setEnabled(true);
}

void Tfrm_menu::desabilita_menus() {
    for (QToolButton* b : {btb_abremes, btb_fechames}) b->setEnabled(false);
    mn_dadosunidade->setEnabled(false);
    mn_notasfiscais->menuAction()->setEnabled(false);
}

void Tfrm_menu::abre_inclusao_notas() { abre_notas_inclusao(this); }

void Tfrm_menu::btb_abremesClick() {
    if (dm_dados->qry_referencias->recordCount() > 0)
        abre_inclusao_notas();
    else
        openByReuseRule(frm_mesref, [this] { return new Tfrm_mesref(this); });
}

void Tfrm_menu::btb_fechamesClick() { transmissao_.btb_fechamesClick(); }

void Tfrm_menu::gera_disquete(const QString& referencia, unsigned char regera) {
    transmissao_.gera_disquete(referencia, regera);
}

void Tfrm_menu::btb_sairClick() {
    if (messages().confirmYesNo(QStringLiteral("Deseja Sair do sistema?")) == platform::Answer::Yes) close();
}

void Tfrm_menu::mn_loginClick() {
    desabilita_menus();
    setWindowTitle(QStringLiteral("MERU - Caldeno"));
    setStatusUnit(QString());
    abre_login();
}

void Tfrm_menu::mn_dadosunidadeClick() {
    openByReuseRule(frm_unidadesgestoras, [this] { return new Tfrm_unidadesgestoras(this); });
}

void Tfrm_menu::mn_sairClick() { close(); }

void Tfrm_menu::ControleGeral1Click() {
    openByReuseRule(frm_sele_notas, [this] { return new Tfrm_sele_notas(this); });
}

void Tfrm_menu::GerarNovamente1Click() {
    openByReuseRule(frm_mesref_nov, [this] { return new Tfrm_mesref_nov(this); });
}

void Tfrm_menu::LimparBancodeDados1Click() { transmissao_.LimparBancodeDados1Click(); }

void Tfrm_menu::mn_sobreClick() {
    openByReuseRule(frm_sobre, [this] { return new Tfrm_sobre(this); });
}

void Tfrm_menu::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

}  // namespace meru
