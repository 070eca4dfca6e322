#include "frm_splash.h"

#include "platform/guarded.h"
#include "platform/jpeg_image.h"
#include "shell/main_window.h"
#include "shell/window_placement.h"

#include <QFile>

namespace meru {

QPointer<Tfrm_splash> frm_splash;

namespace {

QPixmap splashPicture() {
    QFile file(QStringLiteral(":/splash.jpg"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QPixmap::fromImage(platform::decodeJpeg(file.readAll()));
}

}  // namespace

Tfrm_splash::Tfrm_splash(QWidget* owner, int intervalMs)
    : Form(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frm_splash"));
    setFixedSize(364, 226);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 364, 226);
    Image1->setPixmap(splashPicture());
    centerOnScreen(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(intervalMs);
    connect(Timer1, &QTimer::timeout, this, platform::guarded([this] { Timer1Timer(); }));
    Timer1->start();
}

void Tfrm_splash::Timer1Timer() {
    Timer1->stop();
    frm_menu->abre_login();
    if (frm_splash) frm_splash->close();
}

}  // namespace meru
