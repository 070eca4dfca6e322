#include "frm_sobre.h"

#include "shell/window_placement.h"

#include <QVBoxLayout>

namespace meru {

QPointer<Tfrm_sobre> frm_sobre;

Tfrm_sobre::Tfrm_sobre(QWidget* owner)
    : Form(owner, fixedDialogOnTop()) {
    setObjectName(QStringLiteral("frm_sobre"));
    setModal(false);
    setWindowTitle(QStringLiteral("Sobre"));
    setFixedSize(249, 262);

    GroupBox1 = new QGroupBox(QStringLiteral("MERU - Caldeno v1.02"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    RichEdit1 = new QTextEdit(GroupBox1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setPlainText(QStringList{
        QStringLiteral("Caldeno."),
        QString(),
        QString::fromUtf8("Versão: 1.02"),
        QString(),
        QStringLiteral("Governo do Estado"),
        QStringLiteral("Secretaria de Estado da Fazenda"),
        QString::fromUtf8("Superintendência de Tecnologia da Informação"),
        QString::fromUtf8("Coordenação de Sistemas Fazendários"),
        QString(),
        QString::fromUtf8("Programador Responsável:"),
        QStringLiteral("            Equipe de Desenvolvimento"),
    }.join(QLatin1Char('\n')));

    auto* inner = new QVBoxLayout(GroupBox1);
    inner->addWidget(RichEdit1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(GroupBox1);

    centerOnScreen(this);
}

}  // namespace meru
