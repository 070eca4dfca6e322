#pragma once
// The window-reuse rule: a window of a kind is shown again while its record still
// designates a living window (visible or hidden); otherwise a new one is created,
// recorded and shown.

#include "shell/form.h"

#include <QPointer>
#include <QWidget>

#include <type_traits>

namespace meru {

template <class W>
bool form_aberto(const QPointer<W>& record) {
    return !record.isNull();
}

// Makes a window visible and brings it (or the MDI sub-window that frames it)
// to the front.
void showWindow(QWidget* window);

// Creates a window just constructed (createForm) and shows it, without the reuse
// test: for the openings that always make a new window.
template <class W>
W* openForm(W* window) {
    createForm(window);
    showWindow(window);
    return window;
}

template <class W, class Create>
W* openByReuseRule(QPointer<W>& record, Create create) {
    static_assert(std::is_base_of_v<FormBase, W>, "windows are opened through their base");
    if (form_aberto(record)) {
        showWindow(record);
        return record;
    }
    W* window = create();
    createForm(window);
    record = window;
    showWindow(window);
    return window;
}

}  // namespace meru
