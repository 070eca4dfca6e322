#include "invoices/abre_notas.h"

#include "data/dm_dados.h"
#include "invoices/frm_notas_edicao.h"
#include "invoices/frm_notas_inclusao.h"
#include "platform/message_service.h"
#include "shell/window_reuse.h"

namespace meru {

namespace {

// True, after telling the operator, when `other` is open with a row pending.
bool pendingIn(Tfrm_notas_inclusao* other) {
    if (!other || !isEditing(dm_dados->tab_movimento_atual->state())) return false;
    platform::messages().inform(QString::fromUtf8("Há uma Nota Fiscal em edição na janela \"") + other->windowTitle() +
                                QString::fromUtf8("\".\rGrave ou cancele essa nota antes de abrir esta janela."));
    showWindow(other);
    return true;
}

}  // namespace

Tfrm_notas_inclusao* abre_notas_inclusao(QWidget* owner) {
    if (!form_aberto(frm_notas_inclusao) && pendingIn(frm_notas_edicao)) return nullptr;
    return openByReuseRule(frm_notas_inclusao, [owner] { return new Tfrm_notas_inclusao(owner); });
}

Tfrm_notas_edicao* abre_notas_edicao(QWidget* owner) {
    if (!form_aberto(frm_notas_edicao) && pendingIn(frm_notas_inclusao)) return nullptr;
    return openByReuseRule(frm_notas_edicao, [owner] { return new Tfrm_notas_edicao(owner); });
}

}  // namespace meru
