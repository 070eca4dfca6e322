#include "x_display.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <unistd.h>

namespace meru::test {

namespace {

QString run(const QString& program, const QStringList& args, const QString& display) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

XDisplay::XDisplay() {
    for (int n = 90 + int(::getpid() % 50); n < 400; n += 7) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
        if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) || QFileInfo::exists(socket)) continue;
        server_.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                                               QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                               QStringLiteral("tcp"), QStringLiteral("-ac")});
        if (!server_.waitForStarted(5000)) return;
        const QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(socket) && server_.state() == QProcess::Running && !deadline.hasExpired())
            QThread::msleep(50);
        if (server_.state() == QProcess::Running && QFileInfo::exists(socket)) {
            name_ = QStringLiteral(":%1").arg(n);
            return;
        }
        server_.kill();
        server_.waitForFinished();
    }
}

XDisplay::~XDisplay() {
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished();
        }
    }
}

QProcessEnvironment XDisplay::environmentFor(QProcessEnvironment base) const {
    base.insert(QStringLiteral("DISPLAY"), name_);
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return base;
}

QStringList XDisplay::viewableCaptions() const {
    static const QRegularExpression window(QStringLiteral("^\\s*(0x[0-9a-f]+) \"(.*)\": "));
    QStringList captions;
    const QString tree = run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")}, name_);
    for (const QString& line : tree.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = window.match(line);
        if (!m.hasMatch()) continue;
        const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), m.captured(1)}, name_);
        if (info.contains(QLatin1String("Map State: IsViewable"))) captions << m.captured(2);
    }
    return captions;
}

bool XDisplay::waitForCaption(const QString& caption, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (viewableCaptions().contains(caption)) return true;
        QThread::msleep(200);
    } while (!deadline.hasExpired());
    return false;
}

}  // namespace meru::test
