#include "correction_window.h"

namespace meru {

namespace {

// The program's correction window, Tfrm_notas_edicao, comes with invoice entry
// (abre_notas_edicao); until then there is none to open.
QWidget* abre_notas_edicao_da_lista(QWidget* /*owner*/) { return nullptr; }

CorrectionWindowOpener& opener() {
    static CorrectionWindowOpener current;
    return current;
}

}  // namespace

QWidget* abre_correcao(QWidget* owner) { return opener() ? opener()(owner) : abre_notas_edicao_da_lista(owner); }

void setCorrectionWindowOpener(CorrectionWindowOpener o) { opener() = std::move(o); }

}  // namespace meru
