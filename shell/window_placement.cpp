#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace meru {

void centerOnScreen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->geometry().center() - window->rect().center());
}

void centerOn(QWidget* window, const QWidget* other) {
    if (!other) return centerOnScreen(window);
    window->move(other->geometry().center() - window->rect().center());
}

}  // namespace meru
