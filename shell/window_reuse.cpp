#include "window_reuse.h"

#include <QMdiSubWindow>

namespace meru {

void showWindow(QWidget* window) {
    QWidget* frame = window;
    for (QWidget* p = window->parentWidget(); p; p = p->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(p)) {
            frame = sub;
            break;
        }
    window->show();
    frame->show();
    frame->raise();
    frame->activateWindow();
}

}  // namespace meru
