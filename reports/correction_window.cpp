#include "correction_window.h"

#include "invoices/abre_notas.h"
#include "invoices/frm_notas_edicao.h"

namespace meru {

namespace {

// The program's correction window, Tfrm_notas_edicao of invoice entry.
QWidget* abre_notas_edicao_da_lista(QWidget* owner) { return abre_notas_edicao(owner); }

CorrectionWindowOpener& opener() {
    static CorrectionWindowOpener current;
    return current;
}

}  // namespace

QWidget* abre_correcao(QWidget* owner) { return opener() ? opener()(owner) : abre_notas_edicao_da_lista(owner); }

void setCorrectionWindowOpener(CorrectionWindowOpener o) { opener() = std::move(o); }

}  // namespace meru
