#include "invoices/frm_mesref.h"

#include "controls/mask_edit.h"
#include "data/dm_dados.h"
#include "invoices/text_rules.h"
#include "platform/guarded.h"
#include "platform/message_service.h"
#include "shell/main_window.h"
#include "shell/window_placement.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace meru {

using platform::guarded;
using platform::messages;
using invoices::trimmed;

QPointer<Tfrm_mesref> frm_mesref;

Tfrm_mesref::Tfrm_mesref(QWidget* owner) : Form(owner, Qt::Window) {
    setObjectName(QStringLiteral("frm_mesref"));
    setModal(false);
    setWindowTitle(QString::fromUtf8("Digite o Mês de Referência"));

    GroupBox1 = new QGroupBox(QString::fromUtf8("Digite o Mês de Referência"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label1 = new QLabel(QString::fromUtf8("Mes de Referência:"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = new QLabel(QStringLiteral("*Exemplo: \"Janeiro\" = 01/2001"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    MaskEdit1 = new controls::MaskEdit(QStringLiteral("!99/9999;0;_"), GroupBox1);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    Label1->setBuddy(MaskEdit1);
    btb_confirmar = new QPushButton(QStringLiteral("Confirmar"), GroupBox1);
    btb_confirmar->setObjectName(QStringLiteral("btb_confirmar"));
    btb_confirmar->setDefault(true);

    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(MaskEdit1, 0, 1);
    grid->addWidget(btb_confirmar, 0, 2);
    grid->addWidget(Label2, 1, 0, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(MaskEdit1, btb_confirmar);

    connect(btb_confirmar, &QPushButton::clicked, this, guarded([this] { btb_confirmarClick(); }));

    adjustSize();
    centerOnScreen(this);
}

void Tfrm_mesref::btb_confirmarClick() {
    if (trimmed(MaskEdit1->fieldText()).isEmpty()) {
        messages().inform(QString::fromUtf8("Referencia Inválida!"));
        return;
    }
    Query* referencias = dm_dados->qry_referencias;
    referencias->insert();
    referencias->fieldByName(QStringLiteral("ref_mesreferencia"))->setAsString(MaskEdit1->fieldText());
    referencias->post();
    frm_menu->abre_inclusao_notas();
    close();
}

void Tfrm_mesref::keyPressEvent(QKeyEvent* event) {
    // No button here cancels, so Esc leaves the window open.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfrm_mesref::FormClose(CloseAction& Action) { Action = CloseAction::Free; }

}  // namespace meru
