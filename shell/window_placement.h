#pragma once
// Where the system's windows stand and how they are framed.

#include <QWidget>

namespace meru {

// A fixed-size dialog frame with only the close button, kept on top.
inline Qt::WindowFlags fixedDialogOnTop() {
    return Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
           Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
}

// Centres a window on the screen, or on another window.
void centerOnScreen(QWidget* window);
void centerOn(QWidget* window, const QWidget* other);

}  // namespace meru
