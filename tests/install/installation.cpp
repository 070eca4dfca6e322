#include "installation.h"

#include <QDirIterator>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace meru::test {

CommandResult runCommand(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    CommandResult r;
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
        r.output = QStringLiteral("%1 did not finish").arg(program);
        return r;
    }
    r.output = QString::fromUtf8(p.readAll());
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

CommandResult installInto(const QString& prefix) {
    return runCommand(QStringLiteral(MERU_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(MERU_BUILD_DIR), QStringLiteral("--prefix"), prefix});
}

QMap<QString, QByteArray> filesUnder(const QString& dir) {
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) files.insert(QDir(dir).relativeFilePath(path), f.readAll());
    }
    return files;
}

bool runningAsRoot() { return ::geteuid() == 0; }

void runAsNobodyWhenRoot(QProcess& process) {
    if (!runningAsRoot()) return;
    process.setChildProcessModifier([] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    });
}

void setMode(const QString& path, unsigned mode) { ::chmod(QFile::encodeName(path).constData(), mode); }

}  // namespace meru::test
