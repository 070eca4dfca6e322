// The program's start-up as a child process for the start-up failure tests: the
// store it is given, the splash time it is given, and an operator who answers
// every box late. Each box is printed as "BOX <kind>: <text>" when it opens.
//
//   startup_probe <store dir> <splash ms> <answer after ms> <stay ms> [answers]
//
// answers: the operator's answers to the questions in order, "yes" or "no",
// separated by commas; a question beyond them is closed without an answer.
//
// Exits with the start-up's code; a started program stays up for <stay ms>,
// printing "STARTED" first.

#include "app/startup.h"
#include "platform/engine_config.h"
#include "platform/scripted_message_service.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: startup_probe <store dir> <splash ms> <answer after ms> <stay ms> [answers]\n");
        return 2;
    }
    meru::prepareApplication(app);
    meru::platform::EngineConfig::instance().setAliasPath(QStringLiteral("MERUDBPX"), QString::fromLocal8Bit(argv[1]));

    meru::platform::ScriptedMessageService boxes;
    boxes.setAnswerDelay(QByteArray(argv[3]).toInt());
    boxes.setShowHook([](meru::platform::BoxKind kind, const QString& text) {
        std::printf("BOX %s: %s\n", qPrintable(meru::platform::boxKindName(kind)), text.toUtf8().constData());
        std::fflush(stdout);
    });
    if (argc == 6)
        for (const QByteArray& a : QByteArray(argv[5]).split(','))
            boxes.answer(a == "yes" ? meru::platform::Answer::Yes : meru::platform::Answer::No);
    meru::platform::MessageServiceOverride use(boxes);

    meru::Timings timings;
    timings.startupPauseMs = 0;
    timings.splashMs = QByteArray(argv[2]).toInt();
    if (const int failed = meru::startApplication(timings)) return failed;
    std::printf("STARTED\n");
    std::fflush(stdout);
    QTimer::singleShot(QByteArray(argv[4]).toInt(), &app, &QCoreApplication::quit);
    const int code = app.exec();
    meru::finishApplication();
    return code;
}
