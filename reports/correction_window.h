#pragma once
// How the invoice list reaches the correction window, which invoice entry makes.

#include <QWidget>

#include <functional>

namespace meru {

// Opens the correction window by the window-reuse rule, owned by `owner` (the
// invoice list): the living one again, otherwise a new one. nullptr when the
// opening is refused; the list then stays as it is.
using CorrectionWindowOpener = std::function<QWidget*(QWidget* owner)>;

QWidget* abre_correcao(QWidget* owner);

// Replaces the opener; an empty one restores the program's own.
void setCorrectionWindowOpener(CorrectionWindowOpener opener);

}  // namespace meru
