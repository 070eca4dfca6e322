#pragma once
// The picture shown while the application starts; when its time is up it opens
// the unit confirmation through the main window and closes itself.

#include "shell/form.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace meru {

class Tfrm_splash : public Form<QWidget> {
    Q_OBJECT
public:
    Tfrm_splash(QWidget* owner, int intervalMs = 6000);

    void Timer1Timer();

    QLabel* Image1;
    QTimer* Timer1;
};

extern QPointer<Tfrm_splash> frm_splash;

}  // namespace meru
