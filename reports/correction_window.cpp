#include "correction_window.h"

namespace meru {

namespace {

// The program's correction window: Tfrm_notas_edicao of invoice entry, owned by
// the list and recorded in frm_notas_edicao. Until invoice entry brings it there
// is none to make.
QWidget* makeTfrm_notas_edicao(QWidget* /*owner*/) { return nullptr; }

CorrectionWindowMaker& maker() {
    static CorrectionWindowMaker current;
    return current;
}

}  // namespace

QWidget* makeCorrectionWindow(QWidget* owner) {
    return maker() ? maker()(owner) : makeTfrm_notas_edicao(owner);
}

void setCorrectionWindowMaker(CorrectionWindowMaker m) { maker() = std::move(m); }

}  // namespace meru
