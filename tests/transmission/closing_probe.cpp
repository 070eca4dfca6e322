// A month closing in a process of its own, killed where the test says: the
// operator answers Yes and OK and formats the disk; the process kills itself
// (SIGKILL, as a power cut would stop it) as the named step starts.
//
//   closing_probe <program dir> <step to die at, or "none">
//
// Prints "DONE" when the closing ran to its end.

#include "app/frm_menu.h"
#include "app/startup.h"
#include "platform/engine_config.h"
#include "platform/format_dialog.h"
#include "platform/scripted_message_service.h"
#include "shell/globals.h"
#include "transmission/gera_disquete.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    using namespace meru;
    prepareApplication(app);
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QByteArray dieAt = argv[2];
    platform::setProgramDirectory(dir);
    platform::EngineConfig::instance().setAliasPath(QStringLiteral("MERUDBPX"), dir + QStringLiteral("/based"));
    platform::EngineConfig::instance().setDriveRoot(dir + QStringLiteral("/drive_a"));

    platform::ScriptedMessageService boxes;
    boxes.answer(platform::Answer::Yes).answer(platform::Answer::Ok);
    platform::MessageServiceOverride use(boxes);
    QTimer formatter;
    formatter.setInterval(10);
    QObject::connect(&formatter, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<platform::FormatDialog*>(QApplication::activeModalWidget())) {
            formatter.stop();
            dialog->btnIniciar->click();
            dialog->btnFechar->click();
        }
    });
    formatter.start();
    DisketteGeneration::setStepObserver([&](const char* step) {
        if (dieAt == step) std::raise(SIGKILL);
    });

    Timings timings;
    timings.startupPauseMs = 0;
    timings.splashMs = 60 * 60 * 1000;
    if (startApplication(timings) != 0) return 1;
    cnpj_unidade = QStringLiteral("11222333000181");
    frm_menu->habilita_menus();
    static_cast<Tfrm_menu*>(frm_menu)->btb_fechamesClick();
    std::printf("%s\n", boxes.texts().last() == QStringLiteral("Dados Gerados com Sucesso!") ? "DONE" : "FAILED");
    finishApplication();
    return 0;
}
