#include "frm_login.h"

#include "controls/db_edit.h"
#include "controls/mask_edit.h"
#include "data/dm_dados.h"
#include "platform/guarded.h"
#include "platform/message_service.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/window_placement.h"
#include "units/frm_unidadesgestoras.h"
#include "units/text_rules.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace meru {

using platform::guarded;
using platform::messages;

QPointer<Tfrm_login> frm_login;

Tfrm_login::Tfrm_login(QWidget* owner)
    : Form(owner, fixedDialogOnTop()) {
    setObjectName(QStringLiteral("frm_login"));
    setModal(false);
    setWindowTitle(QString::fromUtf8("Confirmação de Unidade Gestora"));

    GroupBox1 = new QGroupBox(QStringLiteral("Digite o CGC/CNPJ da Unidade Gestora: "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    mskedt_cnpj = new controls::MaskEdit(QStringLiteral("!>aa.aaa.aaa/aaaa-99;0;_"), GroupBox1);
    mskedt_cnpj->setObjectName(QStringLiteral("mskedt_cnpj"));
    btb_confirmar = new QPushButton(QStringLiteral("Confirmar"), GroupBox1);
    btb_confirmar->setObjectName(QStringLiteral("btb_confirmar"));
    btb_confirmar->setDefault(true);
    btb_iniciarsistema = new QPushButton(QStringLiteral("Iniciar"), GroupBox1);
    btb_iniciarsistema->setObjectName(QStringLiteral("btb_iniciarsistema"));
    QFont bold = btb_iniciarsistema->font();
    bold.setBold(true);
    btb_iniciarsistema->setFont(bold);
    btb_iniciarsistema->setEnabled(false);
    auto* row = new QHBoxLayout(GroupBox1);
    auto* cnpjLabel = new QLabel(QStringLiteral("CGC/CNPJ:"), GroupBox1);
    cnpjLabel->setBuddy(mskedt_cnpj);
    row->addWidget(cnpjLabel);
    row->addWidget(mskedt_cnpj);
    row->addWidget(btb_confirmar);
    row->addWidget(btb_iniciarsistema);

    GroupBox2 = new QGroupBox(QStringLiteral("Dados da Unidade Gestora"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* form = new QFormLayout;
    dbedt_unidadegestora = displayField(GroupBox2, "dbedt_unidadegestora", QStringLiteral("Unidade Gestora:"), "CAD_DC_UNIDADE", false, form);
    dbedt_endereco = displayField(GroupBox2, "dbedt_endereco", QString::fromUtf8("Endereço:"), "cad_dc_endereco", false, form);
    dbedt_bairro = displayField(GroupBox2, "dbedt_bairro", QStringLiteral("Bairro:"), "CAD_DC_BAIRRO", false, form);
    dbedt_responsavel = displayField(GroupBox2, "dbedt_responsavel", QString::fromUtf8("Responsável:"), "cad_nm_responsável", false, form);
    dbedt_cadastromun = displayField(GroupBox2, "dbedt_cadastromun", QStringLiteral("Cadastro Mun."), "CAD_CD_MUNICIPIO", false, form);
    dbedt_municipio = displayField(GroupBox2, "dbedt_municipio", QStringLiteral("Municipio:"), "AR_DESCR", true, form);
    BitBtn1 = new QPushButton(QStringLiteral("Cadastrar Nova U. Gestora"), GroupBox2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFont(bold);
    auto* box2 = new QVBoxLayout(GroupBox2);
    box2->addLayout(form);
    box2->addWidget(BitBtn1, 0, Qt::AlignRight);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {mskedt_cnpj, btb_confirmar, btb_iniciarsistema, dbedt_unidadegestora, dbedt_endereco,
                        dbedt_bairro, dbedt_responsavel, dbedt_cadastromun, dbedt_municipio, BitBtn1};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(btb_confirmar, &QPushButton::clicked, this, guarded([this] { btb_confirmarClick(); }));
    connect(btb_iniciarsistema, &QPushButton::clicked, this, guarded([this] { btb_iniciarsistemaClick(); }));
    connect(BitBtn1, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));

    adjustSize();
    centerOnScreen(this);
}

controls::DBEdit* Tfrm_login::displayField(QWidget* parent, const char* name, const QString& label,
                                           const char* field, bool municipality, QFormLayout* form) {
    auto* edit = new controls::DBEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setDataSource(municipality ? dm_dados->ds_qry_login_municipios : dm_dados->ds_qry_login);
    edit->setDataField(QString::fromUtf8(field));
    edit->setReadOnlyDisplay(true);
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); color: navy; }"));
    edit->setMinimumWidth(320);
    form->addRow(label, edit);
    return edit;
}

void Tfrm_login::FormActivate() { mskedt_cnpj->setFocus(); }

void Tfrm_login::btb_confirmarClick() {
    Query* login = dm_dados->qry_login;
    Query* municipios = dm_dados->qry_login_municipios;
    login->clearSql();
    municipios->clearSql();
    const QString c = trimmed(mskedt_cnpj->fieldText());
    login->addSql(QStringLiteral("Select * from CADASTRO"));
    login->addSql(QStringLiteral("where CAD_CD_CNPJ = :cnpj"));
    login->setParam(QStringLiteral("cnpj"), c);
    login->open();
    const QString m = login->fieldByName(QStringLiteral("CAD_CD_MUNICIPIO"))->asString();
    municipios->addSql(QStringLiteral("Select * from MUNICIPIOS"));
    municipios->addSql(QStringLiteral("where AR_CODNOVO = :codigo"));
    municipios->setParam(QStringLiteral("codigo"), m);
    municipios->open();

    const QVariant stored = login->fieldByName(QStringLiteral("CAD_CD_CNPJ"))->value();
    if (stored.isNull() || stored.toString() != c) {
        login->clearSql();
        municipios->clearSql();
        messages().inform(QString::fromUtf8(
            "Não foi possivel encontrar a Unidade Gestora.\rVerifique o CGC/CNPJ e tente novamente."));
        login->close();
        municipios->close();
        return;
    }
    cnpj_unidade = mskedt_cnpj->fieldText();
    nome_unidade = dbedt_unidadegestora->text();
    frm_menu->setWindowTitle(QStringLiteral("MERU - Caldeno (Unidade: ") + nome_unidade + QStringLiteral(")."));
    frm_menu->setStatusUnit(QStringLiteral("UNIDADE GESTORA:      ") + nome_unidade);
    btb_iniciarsistema->setEnabled(true);
    btb_iniciarsistema->setFocus();
}

void Tfrm_login::btb_iniciarsistemaClick() {
    const QString question = QStringLiteral("Unidade Gestora: ") + dbedt_unidadegestora->text() + QStringLiteral("\r") +
                             QStringLiteral("Municipio: ") + dbedt_municipio->text() + QStringLiteral("\r") +
                             QString::fromUtf8("Responsável: ") + dbedt_responsavel->text() + QStringLiteral("\r") +
                             QStringLiteral("\r") + QStringLiteral("Deseja continuar?");
    if (messages().warnYesNo(question) == platform::Answer::Yes) {
        if (frm_menu->valida_cnpj(mskedt_cnpj->fieldText())) {
            confere_cnpj();
        } else {
            auto* registry = new Tfrm_unidadesgestoras(this);
            createForm(registry);
            frm_unidadesgestoras = registry;
            showWindow(registry);
            dm_dados->qry_cadastro->edit();
            registry->dbedt_cnpj->setFocus();
        }
    } else {
        frm_menu->setWindowTitle(QStringLiteral("MERU - Caldeno"));
        frm_menu->setStatusUnit(QString());
        mskedt_cnpj->setFocus();
        mskedt_cnpj->clear();
    }
    dm_dados->qry_login->close();
    dm_dados->qry_login->clearSql();
    dm_dados->qry_login_municipios->close();
    dm_dados->qry_login_municipios->clearSql();
}

void Tfrm_login::confere_cnpj() {
    frm_menu->habilita_menus();
    close();
}

void Tfrm_login::BitBtn1Click() {
    openByReuseRule(frm_unidadesgestoras, [this] { return new Tfrm_unidadesgestoras(this); });
    cnpj_unidade = QStringLiteral("NOVA");
}

void Tfrm_login::keyPressEvent(QKeyEvent* event) {
    // No button here cancels, so Esc leaves the window open.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfrm_login::FormClose(CloseAction& Action) {
    // The windows this one owns go with it, without their own close checks.
    Action = CloseAction::Free;
}

}  // namespace meru
