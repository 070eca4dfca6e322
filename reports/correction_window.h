#pragma once
// How the invoice list reaches the correction window, which the invoices
// subsystem makes: "Modificar Dados" asks for a new one here when none is open.

#include <QWidget>

#include <functional>

namespace meru {

// Makes a new correction window owned by `owner` (the invoice list), created as
// an opener creates a window (createForm: its FormCreate has run) but not shown.
// nullptr when there is none to make.
using CorrectionWindowMaker = std::function<QWidget*(QWidget* owner)>;

QWidget* makeCorrectionWindow(QWidget* owner);

// Replaces the maker; an empty one restores the program's own.
void setCorrectionWindowMaker(CorrectionWindowMaker maker);

}  // namespace meru
