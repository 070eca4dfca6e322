#include "frm_unidadesgestoras.h"

#include "controls/db_edit.h"
#include "controls/db_lookup_combo_box.h"
#include "data/dm_dados.h"
#include "platform/guarded.h"
#include "platform/message_service.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/window_placement.h"
#include "units/text_rules.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace meru {

using platform::guarded;
using platform::messages;

QPointer<Tfrm_unidadesgestoras> frm_unidadesgestoras;

namespace {
const QString kNova = QStringLiteral("NOVA");
}

Tfrm_unidadesgestoras::Tfrm_unidadesgestoras(QWidget* owner)
    : Form(owner, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frm_unidadesgestoras"));
    setWindowTitle(QStringLiteral("Controle de Unidades Gestoras"));

    dt_cadastro = new DataSource(QStringLiteral("dt_cadastro"), nullptr, this);
    ds_municipios = new DataSource(QStringLiteral("ds_municipios"), nullptr, this);
    bindOnCreate(dt_cadastro, dm_dados->qry_cadastro, [this] { dt_cadastroStateChange(); });
    bindOnCreate(ds_municipios, dm_dados->qry_municipios);

    GroupBox1 = new QGroupBox(QStringLiteral("Dados Unidade Gestora"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(GroupBox1);
    int row = 0;
    auto edit = [&](const char* name, const QString& label, const char* field) {
        auto* e = new controls::DBEdit(GroupBox1);
        e->setObjectName(QLatin1String(name));
        e->setDataSource(dt_cadastro);
        e->setDataField(QString::fromUtf8(field));
        auto* l = new QLabel(label, GroupBox1);
        l->setBuddy(e);
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row, 1);
        ++row;
        return e;
    };
    dbedt_cnpj = edit("dbedt_cnpj", QStringLiteral("Cnpj*:"), "cad_cd_cnpj");
    dbedt_unidadegestora = edit("dbedt_unidadegestora", QString::fromUtf8("Descrição Unidade Gestora*:"), "cad_dc_unidade");
    dbedt_endereco = edit("dbedt_endereco", QString::fromUtf8("Endereço*:"), "cad_dc_endereco");
    dbedt_bairro = edit("dbedt_bairro", QStringLiteral("Bairro*:"), "cad_dc_bairro");
    dbedt_cep = edit("dbedt_cep", QStringLiteral("Cep*:"), "cad_nr_cep");
    dbedt_uf = edit("dbedt_uf", QStringLiteral("UF*:"), "cad_sg_uf");
    dbedt_fone = edit("dbedt_fone", QStringLiteral("Fone*:"), "cad_nr_fone");
    dbedt_fax = edit("dbedt_fax", QStringLiteral("Fax:"), "cad_nr_fax");
    dbedt_email = edit("dbedt_email", QStringLiteral("E-Mail:"), "cad_dc_email");
    dbedt_responsavel = edit("dbedt_responsavel", QString::fromUtf8("Responsável*:"), "cad_nm_responsável");

    dbedt_cadastromun = new controls::DBLookupComboBox(GroupBox1);
    dbedt_cadastromun->setObjectName(QStringLiteral("dbedt_cadastromun"));
    dbedt_cadastromun->setDataSource(dt_cadastro);
    dbedt_cadastromun->setDataField(QStringLiteral("cad_cd_municipio"));
    dbedt_cadastromun->setListSource(ds_municipios);
    dbedt_cadastromun->setKeyField(QStringLiteral("AR_CODNOVO"));
    dbedt_cadastromun->setListField(QStringLiteral("AR_DESCR"));
    auto* municipioLabel = new QLabel(QString::fromUtf8("Município*:"), GroupBox1);
    municipioLabel->setBuddy(dbedt_cadastromun);
    grid->addWidget(municipioLabel, row, 0);
    grid->addWidget(dbedt_cadastromun, row, 1);
    ++row;

    GroupBox2 = new QGroupBox(QStringLiteral("Controle "), GroupBox1);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setFocusPolicy(Qt::TabFocus);
    auto* buttons = new QHBoxLayout(GroupBox2);
    auto button = [&](const char* name, const QString& caption, bool tabStop) {
        auto* b = new QPushButton(caption, GroupBox2);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(true);  // Enter presses the focused button
        if (!tabStop) b->setFocusPolicy(Qt::ClickFocus);
        buttons->addWidget(b);
        return b;
    };
    btb_gravarunidade = button("btb_gravarunidade", QString::fromUtf8("Gravar Alterações"), true);
    btb_novaunidade = button("btb_novaunidade", QStringLiteral("Nova Unidade"), false);
    btb_sair = button("btb_sair", QStringLiteral("Sair"), false);
    btb_alterarunidade = button("btb_alterarunidade", QStringLiteral("Alterar Dados"), false);
    grid->addWidget(GroupBox2, row++, 0, 1, 2);
    Label_obrigatorios = new QLabel(QString::fromUtf8("*Campos Obrigatórios."), GroupBox1);
    grid->addWidget(Label_obrigatorios, row++, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {dbedt_cnpj,  dbedt_unidadegestora, dbedt_endereco,    dbedt_bairro,
                        dbedt_cep,   dbedt_uf,             dbedt_fone,        dbedt_fax,
                        dbedt_email, dbedt_responsavel,    dbedt_cadastromun, GroupBox2,
                        btb_gravarunidade};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(btb_novaunidade, &QPushButton::clicked, this, guarded([this] { btb_novaunidadeClick(); }));
    connect(btb_alterarunidade, &QPushButton::clicked, this, guarded([this] { btb_alterarunidadeClick(); }));
    connect(btb_gravarunidade, &QPushButton::clicked, this, guarded([this] { btb_gravarunidadeClick(); }));
    connect(btb_sair, &QPushButton::clicked, this, guarded([this] { btb_sairClick(); }));

    adjustSize();
    centerOn(this, frm_menu);
}

void Tfrm_unidadesgestoras::FormCreate() {
    Query* q = dm_dados->qry_cadastro;
    q->close();
    q->clearSql();
    if (cnpj_unidade != kNova) {
        q->addSql(QStringLiteral(" Select * from CADASTRO "));
        q->addSql(QStringLiteral(" Where CAD_CD_CNPJ = :cnpj "));
        q->setParam(QStringLiteral("cnpj"), cnpj_unidade);
    } else {
        q->addSql(QStringLiteral(" Select * from CADASTRO "));
    }
    q->open();
}

void Tfrm_unidadesgestoras::FormActivate() {
    if (Field* cnpj = dm_dados->qry_cadastro->findField(QStringLiteral("CAD_CD_CNPJ")))
        cnpj->setEditMask(QStringLiteral(">aa.aaa.aaa/aaaa-99;0;_"));
    frm_menu->desabilita_menus();
}

void Tfrm_unidadesgestoras::dt_cadastroStateChange() {
    const DatasetState s = dt_cadastro->state();
    btb_novaunidade->setEnabled(s == DatasetState::Browse);
    btb_alterarunidade->setEnabled(s == DatasetState::Browse);
    btb_gravarunidade->setEnabled(isEditing(s));
}

void Tfrm_unidadesgestoras::btb_novaunidadeClick() {
    Query* q = dm_dados->qry_cadastro;
    q->insert();
    q->fieldByName(QStringLiteral("cad_status"))->setAsString(QStringLiteral("N"));
}

void Tfrm_unidadesgestoras::btb_alterarunidadeClick() {
    Query* q = dm_dados->qry_cadastro;
    q->edit();
    q->fieldByName(QStringLiteral("cad_status"))->setAsString(QStringLiteral("A"));
}

void Tfrm_unidadesgestoras::btb_gravarunidadeClick() { grava_unidade(true); }

bool Tfrm_unidadesgestoras::refuse(const QString& message, QWidget* control) {
    messages().inform(message);
    control->setFocus();
    return false;
}

bool Tfrm_unidadesgestoras::grava_unidade(bool store) {
    const QString cnpj = trimmed(dbedt_cnpj->fieldText());
    if (cnpj.isEmpty()) return refuse(QString::fromUtf8("Campo Cnpj é obrigatório!"), dbedt_cnpj);
    if (trimmed(dbedt_unidadegestora->text()).isEmpty())
        return refuse(QString::fromUtf8("Campo Descrição é obrigatório!"), dbedt_unidadegestora);
    if (trimmed(dbedt_cadastromun->displayedText()).isEmpty())
        return refuse(QString::fromUtf8("Campo Cadastro Municipal é obrigatório!"), dbedt_cadastromun);
    if (trimmed(dbedt_endereco->text()).isEmpty())
        return refuse(QString::fromUtf8("Campo Endereço é obrgatório!"), dbedt_endereco);
    if (trimmed(dbedt_uf->text()).isEmpty()) return refuse(QString::fromUtf8("Campo UF é obrigatório!"), dbedt_uf);
    if (trimmed(dbedt_fone->text()).isEmpty())
        return refuse(QString::fromUtf8("Campo Fone é obrigatório!"), dbedt_fone);
    if (trimmed(dbedt_responsavel->text()).isEmpty())
        return refuse(QString::fromUtf8("Campo Responsável é obrigatório!"), dbedt_responsavel);
    if (!frm_menu->valida_cnpj(cnpj)) return refuse(QString::fromUtf8("CNPJ INVÁLIDO!"), dbedt_cnpj);

    auto postIfStoring = [&] {
        if (!store) return;
        for (controls::DBEdit* e : findChildren<controls::DBEdit*>()) e->updateRecord();
        dm_dados->qry_cadastro->post();
    };
    const bool stored = localiza_unidade(cnpj);
    if (stored && cnpj == trimmed(cnpj_unidade)) {
        postIfStoring();
        return true;
    }
    if (stored) return refuse(QStringLiteral("Unidade Gestora ja cadastrada"), dbedt_cnpj);
    cnpj_unidade = cnpj;
    postIfStoring();
    return true;
}

bool Tfrm_unidadesgestoras::localiza_unidade(const QString& cnpj) {
    Query* swap = dm_dados->qry_cadastro_swap;
    swap->close();
    swap->clearSql();
    swap->addSql(QStringLiteral("SELECT * FROM CADASTRO"));
    swap->addSql(QStringLiteral("WHERE CAD_CD_CNPJ =:cnpj"));
    swap->setParam(QStringLiteral("cnpj"), cnpj);
    swap->open();
    const bool found = swap->fieldByName(QStringLiteral("CAD_CD_CNPJ"))->asString() == cnpj;
    swap->close();
    swap->clearSql();
    return found;
}

void Tfrm_unidadesgestoras::btb_sairClick() {
    if (!isEditing(dm_dados->qry_cadastro->state())) {
        frm_menu->habilita_menus();
        close();
        return;
    }
    const bool yes = messages().confirmYesNo(QString::fromUtf8("Deseja salvar as operações?")) == platform::Answer::Yes;
    if (grava_unidade(yes)) {
        frm_menu->habilita_menus();
        close();
    }
}

void Tfrm_unidadesgestoras::FormClose(CloseAction& Action) {
    if (!frm_menu->valida_cnpj(dbedt_cnpj->fieldText())) {
        messages().inform(QString::fromUtf8("CGC/CNPJ inválido!"));
        dbedt_cnpj->setFocus();
        Action = CloseAction::None;
        return;
    }
    Action = CloseAction::Free;
}

}  // namespace meru
