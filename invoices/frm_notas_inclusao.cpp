#include "invoices/frm_notas_inclusao.h"

#include "controls/db_check_box.h"
#include "controls/db_edit.h"
#include "controls/db_grid.h"
#include "data/dm_dados.h"
#include "invoices/text_rules.h"
#include "platform/guarded.h"
#include "platform/message_service.h"
#include "shell/globals.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include <algorithm>

namespace meru {

using invoices::trimmed;
using platform::guarded;
using platform::messages;

QPointer<Tfrm_notas_inclusao> frm_notas_inclusao;

namespace {

// Letters or digits in the first twelve positions (upper case), digits in the
// check positions: the numeric CNPJs and the alphanumeric ones issued since July 2026.
const QString kCnpjMask = QStringLiteral("!>aa.aaa.aaa/aaaa-99;0;_");
const QString kDateMask = QStringLiteral("!99/99/9999;1;_");

Table* movimento() { return dm_dados->tab_movimento_atual; }

bool hasDigit(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

Tfrm_notas_inclusao::Tfrm_notas_inclusao(QWidget* owner) : Form(owner, FormStyle::MdiChild) {
    setObjectName(QStringLiteral("frm_notas_inclusao"));
    setWindowTitle(QString::fromUtf8("Inclusão de Notas Fiscais"));

    ds_movimento = new DataSource(QStringLiteral("ds_movimento"), nullptr, this);
    bindOnCreate(ds_movimento, dm_dados->tab_movimento_atual, [this] { ds_movimentoStateChange(); });
    qry_nota_duplicada = new Query(QStringLiteral("qry_nota_duplicada"), dm_dados->Database1, this);
    qry_unidade = new Query(QStringLiteral("qry_unidade"), dm_dados->Database1, this);

    GroupBox1 = new QGroupBox(QString::fromUtf8("Inclusão de Notas Fiscais"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* fields = new QGridLayout(GroupBox1);
    auto place = [&](QWidget* control, const QString& label, int row, int column) {
        auto* l = new QLabel(label, GroupBox1);
        l->setBuddy(control);
        fields->addWidget(l, row * 2, column);
        fields->addWidget(control, row * 2 + 1, column);
    };
    auto edit = [&](const char* name, const QString& label, const char* field, int row, int column) {
        auto* e = new controls::DBEdit(GroupBox1);
        e->setObjectName(QLatin1String(name));
        e->setDataSource(ds_movimento);
        e->setDataField(QString::fromUtf8(field));
        place(e, label, row, column);
        return e;
    };
    dbedt_cgcemitente = edit("dbedt_cgcemitente", QStringLiteral("CGC Emitente N.F."), "MOV_CD_CNPJ", 0, 0);
    dbedt_insces = edit("dbedt_insces", QString::fromUtf8("Inscrição Estadual"), "MOV_NR_INSCRICAO", 0, 1);
    dbedt_nrproc = edit("dbedt_nrproc", QString::fromUtf8("Número do Processo"), "MOV_NR_PROCESSO", 0, 2);
    dbedt_nrnf = edit("dbedt_nrnf", QString::fromUtf8("Nº. Nota Fiscal"), "mov_nr_nf", 0, 3);
    dbedt_vlnf = edit("dbedt_vlnf", QStringLiteral("Valor da N.F."), "MOV_VL_VALOR", 1, 0);
    dbedt_dtnf = edit("dbedt_dtnf", QStringLiteral("Data da N.F."), "MOV_DT_NOTAF", 1, 1);
    dbedt_dtproc = edit("dbedt_dtproc", QStringLiteral("Data do Processo"), "MOV_DT_PROCESSO", 1, 2);
    DBCheckBox1 = new controls::DBCheckBox(QString::fromUtf8("Inclusão Retificadora"), GroupBox1);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1->setDataSource(ds_movimento);
    DBCheckBox1->setDataField(QStringLiteral("mov_tp_retificadora"));
    DBCheckBox1->setValueChecked(QStringLiteral("S"));
    DBCheckBox1->setValueUnchecked(QStringLiteral("N"));
    fields->addWidget(DBCheckBox1, 3, 3);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setFocusPolicy(Qt::TabFocus);
    dbgrid_movimento_atual = new controls::DBGrid(GroupBox2);
    dbgrid_movimento_atual->setObjectName(QStringLiteral("dbgrid_movimento_atual"));
    dbgrid_movimento_atual->setFocusPolicy(Qt::ClickFocus);
    dbgrid_movimento_atual->setDataSource(ds_movimento);
    dbgrid_movimento_atual->setRowIndicator(true);
    dbgrid_movimento_atual->setShowGrid(true);
    dbgrid_movimento_atual->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_cd_cnpj"), QStringLiteral("CNPJ"));
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_nr_nf"), QString::fromUtf8("Nº. Nota F."), centred);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_dt_notaf"), QStringLiteral("Data Nota F."), centred);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_vl_valor"), QStringLiteral("Valor Nota F."), centred);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_tp_retificadora"), QStringLiteral("Retificadora?"), centred);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_nr_inscricao"), QStringLiteral("Insc. Estadual"), centred);
    dbgrid_movimento_atual->addColumn(QStringLiteral("mov_nr_processo"), QString::fromUtf8("Nº. Processo"), centred);
    auto* list = new QVBoxLayout(GroupBox2);
    list->addWidget(dbgrid_movimento_atual);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& caption, bool tabStop) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(true);  // Enter presses the focused button
        if (!tabStop) b->setFocusPolicy(Qt::ClickFocus);
        buttons->addWidget(b);
        return b;
    };
    btb_inserirnf = button("btb_inserirnf", QStringLiteral("&Inserir N.F."), false);
    BitBtn1 = button("BitBtn1", QStringLiteral("&Gravar N.F."), true);
    BitBtn3 = button("BitBtn3", QStringLiteral("&Alterar N.F."), false);
    BitBtn2 = button("BitBtn2", QStringLiteral("&Cancelar"), false);
    BitBtn4 = button("BitBtn4", QStringLiteral("&Sair"), false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);

    QWidget* order[] = {BitBtn1,    dbedt_cgcemitente, dbedt_insces, dbedt_nrproc, dbedt_nrnf,    dbedt_vlnf,
                        dbedt_dtnf, dbedt_dtproc,      DBCheckBox1,  BitBtn4,      GroupBox2,     btb_inserirnf,
                        BitBtn3,    BitBtn2};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(btb_inserirnf, &QPushButton::clicked, this, guarded([this] { btb_inserirnfClick(); }));
    connect(BitBtn1, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, guarded([this] { BitBtn2Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, guarded([this] { BitBtn3Click(); }));
    connect(BitBtn4, &QPushButton::clicked, this, guarded([this] { BitBtn4Click(); }));
    connect(dbedt_cgcemitente, &controls::DBEdit::entered, this, guarded([this] { dbedt_cgcemitenteEnter(); }));
    connect(dbedt_dtnf, &controls::DBEdit::entered, this, guarded([this] { dbedt_dtnfEnter(); }));
    connect(dbedt_dtproc, &controls::DBEdit::entered, this, guarded([this] { dbedt_dtprocEnter(); }));
    connect(dbedt_insces, &controls::DBEdit::exited, this, guarded([this] { dbedt_inscesExit(); }));
    connect(dbedt_nrnf, &controls::DBEdit::exited, this, guarded([this] { dbedt_nrnfExit(); }));

    // The window sees every key before its controls do.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    setMinimumWidth(760);
    adjustSize();
}

void Tfrm_notas_inclusao::FormCreate() {
    frm_menu->desabilita_menus();
    mes_referencia = dm_dados->qry_referencias->fieldByName(QStringLiteral("ref_mesreferencia"))->asString();
    movimento()->setFilter(QStringLiteral("mov_dt_referencia = '") + mes_referencia + QStringLiteral("'"));
    movimento()->refresh();
    GroupBox2->setTitle(QString::fromUtf8("Notas Incluídas (") + mes_referencia.mid(0, 2) + QStringLiteral("/") +
                        mes_referencia.mid(2, 6) + QStringLiteral(")"));
}

void Tfrm_notas_inclusao::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (centred_ || !mdiFrame() || !frm_menu || !frm_menu->mdiArea()) return;
    centred_ = true;
    QMdiSubWindow* frame = mdiFrame();
    frame->adjustSize();
    const QRect area = frm_menu->mdiArea()->viewport()->rect();
    frame->move(std::max(0, area.center().x() - frame->width() / 2), std::max(0, area.center().y() - frame->height() / 2));
}

void Tfrm_notas_inclusao::FormClose(CloseAction& Action) {
    frm_menu->habilita_menus();
    if (isEditing(ds_movimento->state())) movimento()->cancel();
    Action = CloseAction::Free;
}

bool Tfrm_notas_inclusao::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        bool taken = false;
        guarded([&] { taken = FormKeyPress(static_cast<QKeyEvent*>(event)); })();
        if (taken) return true;
    }
    return Form::eventFilter(watched, event);
}

bool Tfrm_notas_inclusao::FormKeyPress(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        if (BitBtn2->isEnabled()) BitBtn2->click();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    QWidget* focus = QApplication::focusWidget();
    // A focused button takes Enter itself: Enter on "&Gravar N.F." saves.
    if (!focus || qobject_cast<QPushButton*>(focus)) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(focus, &tab);
    return true;
}

void Tfrm_notas_inclusao::ds_movimentoStateChange() {
    const DatasetState s = ds_movimento->state();
    btb_inserirnf->setEnabled(s == DatasetState::Browse);
    BitBtn3->setEnabled(s == DatasetState::Browse);
    BitBtn1->setEnabled(isEditing(s));
    BitBtn2->setEnabled(isEditing(s));
}

void Tfrm_notas_inclusao::btb_inserirnfClick() {
    movimento()->insert();
    movimento()->fieldByName(QStringLiteral("mov_tp_gerado"))->setAsString(QStringLiteral("N"));
    movimento()->fieldByName(QStringLiteral("mov_tp_retificadora"))->setAsString(QStringLiteral("N"));
    dbedt_cgcemitente->setFocus();
}

void Tfrm_notas_inclusao::BitBtn3Click() {
    // An edit on an empty view would start a row without the defaults of
    // "&Inserir N.F.", never listed or sent once stored.
    if (movimento()->isEmpty()) return;
    movimento()->edit();
}

void Tfrm_notas_inclusao::BitBtn2Click() { movimento()->cancel(); }

void Tfrm_notas_inclusao::BitBtn4Click() { close(); }

void Tfrm_notas_inclusao::dbedt_cgcemitenteEnter() {
    movimento()->fieldByName(QStringLiteral("mov_cd_cnpj"))->setEditMask(kCnpjMask);
}

void Tfrm_notas_inclusao::dbedt_dtnfEnter() {
    movimento()->fieldByName(QStringLiteral("mov_dt_notaf"))->setEditMask(kDateMask);
}

void Tfrm_notas_inclusao::dbedt_dtprocEnter() {
    movimento()->fieldByName(QStringLiteral("mov_dt_processo"))->setEditMask(kDateMask);
}

void Tfrm_notas_inclusao::dbedt_inscesExit() {
    if (!frm_menu->valida_inscricao(trimmed(dbedt_insces->fieldText())))
        messages().inform(QString::fromUtf8("INSCRIÇÃO ESTADUAL INVÁLIDA\r- Verifique se a Inscrição está correta"));
}

void Tfrm_notas_inclusao::dbedt_nrnfExit() {
    if (nota_duplicada()) refuse(QStringLiteral("Ja Existe Uma nota com este CNPJ e Numero"), dbedt_nrproc);
}

// Is there a stored invoice, other than the one the entry fields show or edit, with
// the issuer CNPJ and the invoice number of the edits? The same answer as a walk
// over every row of MOVIMENTO comparing the two texts exactly, found through the
// table's index on (mov_cd_cnpj, mov_nr_nf). An empty text is stored as null.
bool Tfrm_notas_inclusao::nota_duplicada() {
    const QString cnpj = trimmed(dbedt_cgcemitente->fieldText());
    const QString nf = trimmed(dbedt_nrnf->fieldText());
    const QVariant own = movimento()->fieldByName(QStringLiteral("mov_cd_controle"))->value();
    Query* q = qry_nota_duplicada;
    q->clearSql();
    q->addSql(QStringLiteral("select * from movimento"));
    q->addSql(cnpj.isEmpty() ? QStringLiteral("where mov_cd_cnpj is null") : QStringLiteral("where mov_cd_cnpj = :cnpj"));
    q->addSql(nf.isEmpty() ? QStringLiteral("and mov_nr_nf is null") : QStringLiteral("and mov_nr_nf = :nf"));
    if (!own.isNull()) q->addSql(QStringLiteral("and mov_cd_controle <> :controle"));
    q->addSql(QStringLiteral("limit 1"));
    q->setParam(QStringLiteral("cnpj"), cnpj);
    q->setParam(QStringLiteral("nf"), nf);
    q->setParam(QStringLiteral("controle"), own);
    q->open();
    const bool found = !q->isEmpty();
    q->close();
    return found;
}

bool Tfrm_notas_inclusao::unidade_cadastrada() {
    Query* q = qry_unidade;
    q->clearSql();
    q->addSql(QStringLiteral("select * from CADASTRO"));
    q->addSql(QStringLiteral("where cad_cd_cnpj = :cnpj"));
    q->addSql(QStringLiteral("limit 1"));
    q->setParam(QStringLiteral("cnpj"), cnpj_unidade);
    q->open();
    const bool found = !q->isEmpty();
    q->close();
    return found;
}

void Tfrm_notas_inclusao::refuse(const QString& message, QWidget* control) {
    messages().inform(message);
    if (control) control->setFocus();
}

bool Tfrm_notas_inclusao::campos_preenchidos() const {
    const controls::DBEdit* required[] = {dbedt_cgcemitente, dbedt_insces, dbedt_nrproc, dbedt_dtproc,
                                          dbedt_nrnf,        dbedt_vlnf,   dbedt_dtnf};
    for (const controls::DBEdit* e : required) {
        const QString text = trimmed(e->fieldText());
        // A date edit's mask keeps its slashes: without a digit it holds nothing.
        const bool date = e == dbedt_dtproc || e == dbedt_dtnf;
        if (text.isEmpty() || (date && !hasDigit(text))) return false;
    }
    return true;
}

void Tfrm_notas_inclusao::BitBtn1Click() {
    if (!campos_preenchidos()) return refuse(QStringLiteral("Todos os Campos Devem ser preenchidos!"));
    if (!frm_menu->valida_cnpj(trimmed(dbedt_cgcemitente->fieldText())))
        return refuse(QStringLiteral("CNPJ Invalido!"), dbedt_cgcemitente);
    bool keep = false;
    if (!frm_menu->valida_inscricao(dbedt_insces->fieldText())) {
        const auto answer =
            messages().confirmYesNo(QString::fromUtf8("A Inscrição estadual digitada inválida! Deseja corrigir?"));
        if (answer == platform::Answer::Yes) {
            dbedt_insces->setFocus();
            return;
        }
        keep = true;
    }
    if (nota_duplicada())
        return refuse(
            QString::fromUtf8("Nota Fiscal Já Incluida:\rJa Existe uma Nota com este CNPJ e Numero da Nota Fiscal"),
            dbedt_cgcemitente);
    // The unit must exist: after "Cadastrar Nova U. Gestora" left without storing
    // a unit, cnpj_unidade holds "NOVA" or a CNPJ never stored.
    if (!unidade_cadastrada())
        return refuse(QString::fromUtf8("Unidade Gestora não cadastrada!\rEfetue o login com uma Unidade Gestora "
                                        "cadastrada antes de gravar Notas Fiscais."));

    for (controls::DBEdit* e : findChildren<controls::DBEdit*>()) e->updateRecord();
    if (keep) movimento()->fieldByName(QStringLiteral("Mov_cd_validade"))->setAsString(QStringLiteral("S"));
    movimento()->fieldByName(QStringLiteral("mov_dt_referencia"))->setAsString(mes_referencia);
    movimento()->fieldByName(QStringLiteral("cad_cd_cnpj"))->setAsString(cnpj_unidade);
    movimento()->post();
    movimento()->refresh();
    // The correction window keeps "&Inserir N.F." disabled: there the focus stays.
    if (btb_inserirnf->isEnabled()) btb_inserirnf->setFocus();
}

}  // namespace meru
