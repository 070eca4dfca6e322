#include "invoices/frm_notas_edicao.h"

#include "data/data_source.h"

namespace meru {

QPointer<Tfrm_notas_edicao> frm_notas_edicao;

Tfrm_notas_edicao::Tfrm_notas_edicao(QWidget* owner) : Tfrm_notas_inclusao(owner) {
    setObjectName(QStringLiteral("frm_notas_edicao"));
    setWindowTitle(QString::fromUtf8("Correção de Notas Não Enviadas"));
    GroupBox1->setTitle(QString::fromUtf8("Edição de Notas Fiscais"));
    btb_inserirnf->setEnabled(false);
}

void Tfrm_notas_edicao::ds_movimentoStateChange() {
    const DatasetState s = ds_movimento->state();
    BitBtn3->setEnabled(s == DatasetState::Browse);
    BitBtn1->setEnabled(isEditing(s));
    BitBtn2->setEnabled(isEditing(s));
}

}  // namespace meru
