#include "startup.h"

#include "app/frm_menu.h"
#include "data/dm_dados.h"
#include "platform/locale.h"
#include "platform/message_service.h"
#include "platform/qt_message_service.h"

#include <QApplication>
#include <QScreen>

static void initResources() { Q_INIT_RESOURCE(resources); }

namespace meru {

void prepareApplication(QApplication& app) {
    initResources();
    app.setApplicationName(QStringLiteral("MERU - Caldeno."));
    QLocale::setDefault(platform::appLocale());
    platform::installPortugueseTranslations(app);
}

int startApplication(const Timings& timings) {
    initResources();
    new Tfrm_menu(timings);
    try {
        dm_dados = new Tdm_dados();
    } catch (const std::exception& e) {
        platform::messages().error(QString::fromUtf8(e.what()));
        delete frm_menu;
        return 1;
    }
    // Without a window manager a maximized window keeps its size: take the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) frm_menu->setGeometry(screen->availableGeometry());
    frm_menu->showMaximized();
    return 0;
}

void finishApplication() {
    delete frm_menu;
    delete dm_dados;
}

}  // namespace meru
