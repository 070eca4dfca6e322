#pragma once
// The window-reuse rule: a window of a kind is shown again while its record still
// designates a living window (visible or hidden); otherwise a new one is created,
// recorded and shown.

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

namespace meru {

template <class W>
bool form_aberto(const QPointer<W>& record) {
    return !record.isNull();
}

// Brings a window (or the MDI sub-window that holds it) to the front.
void showWindow(QWidget* window);

template <class W, class Create>
W* openByReuseRule(QPointer<W>& record, Create create) {
    if (form_aberto(record)) {
        showWindow(record);
        return record;
    }
    W* window = create();
    record = window;
    showWindow(window);
    return window;
}

}  // namespace meru
