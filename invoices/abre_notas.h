#pragma once
// The openings of the entry and correction windows.
//
// The two windows work on the one shared view tab_movimento_atual, and the
// creation of either sets the view's filter afresh, which would end a row pending
// in the other without the save chain (stored when changed, dropped when not).
// So neither window is created while the other is open with a row pending: a box
// names the window that holds the row, that window comes to the front, and nothing
// is opened. Showing again a window that exists creates nothing and is never refused.

#include <QWidget>

namespace meru {

class Tfrm_notas_inclusao;
class Tfrm_notas_edicao;

// By the window-reuse rule, owned by `owner` (the main window); nullptr when refused.
Tfrm_notas_inclusao* abre_notas_inclusao(QWidget* owner);
// As the list window opens it on "Modificar Dados": by the window-reuse rule, owned
// by `owner` (the list window); nullptr when refused, and the list window then
// stays as it is.
Tfrm_notas_edicao* abre_notas_edicao(QWidget* owner);

}  // namespace meru
