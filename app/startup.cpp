#include "startup.h"

#include "app/earlier_installation.h"
#include "app/frm_menu.h"
#include "app/program_directory.h"
#include "app/store_recovery.h"
#include "data/dm_dados.h"
#include "data/store_lock.h"
#include "platform/engine_config.h"
#include "platform/locale.h"
#include "platform/message_service.h"
#include "platform/qt_message_service.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <memory>

static void initResources() { Q_INIT_RESOURCE(resources); }

namespace meru {

void prepareApplication(QApplication& app) {
    initResources();
    app.setApplicationName(QStringLiteral("MERU - Caldeno."));
    // The menu entry's icon, on every window the program opens.
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/meru.png")));
    QLocale::setDefault(platform::appLocale());
    platform::installPortugueseTranslations(app);
}

namespace {

std::unique_ptr<StoreLock> storeLock;

// Claims the store before anything touches it: a second copy of the program, or
// a user who cannot write the tables, is refused before the rebuild runs.
bool claimStore() {
    const QString dir = platform::EngineConfig::instance().aliasPath(QStringLiteral("MERUDBPX"));
    // An alias without a directory is the data module's failure to report.
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return true;
    try {
        storeLock = std::make_unique<StoreLock>(dir);
        return true;
    } catch (const std::exception& e) {
        platform::messages().error(QString::fromUtf8(e.what()));
        return false;
    }
}

}  // namespace

int startApplication(const Timings& timings) {
    initResources();
    if (!checkProgramDirectory()) return 1;
    if (!claimStore()) return 1;
    if (!takeOverEarlierInstallationAtStart()) {
        storeLock.reset();
        return 1;
    }
    for (bool copyRestored = false;;) {
        new Tfrm_menu(timings);
        try {
            dm_dados = new Tdm_dados();
            break;
        } catch (const std::exception& e) {
            // The main window, its splash and every timer go first, so that nothing
            // runs against the missing data module while the box waits and the box
            // is never hidden behind the splash.
            delete frm_menu;
            const QString failure = QString::fromUtf8(e.what());
            const StoreRecovery recovery = copyRestored ? StoreRecovery::NotOffered : offerNewestStoreCopy(failure);
            if (recovery == StoreRecovery::Restored) {
                copyRestored = true;
                continue;
            }
            if (recovery == StoreRecovery::NotOffered) platform::messages().error(failure);
            storeLock.reset();
            return 1;
        }
    }
    // Without a window manager a maximized window keeps its size: take the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) frm_menu->setGeometry(screen->availableGeometry());
    frm_menu->showMaximized();
    return 0;
}

void finishApplication() {
    delete frm_menu;
    delete dm_dados;
    storeLock.reset();
}

}  // namespace meru
