#pragma once
// What the installation tests do from outside: run cmake --install of this build
// into a prefix, read a directory's files, run a child as another user.

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>

namespace meru::test {

struct CommandResult {
    int exitCode = -1;
    QString output;  // standard output and error together
};

// cmake --install <this build> --prefix <prefix>
CommandResult installInto(const QString& prefix);
// Runs a program to its end.
CommandResult runCommand(const QString& program, const QStringList& args);

// Every file under dir, by its path relative to dir, with its bytes.
QMap<QString, QByteArray> filesUnder(const QString& dir);

// Root writes whatever the permissions say: a child that must meet them runs as
// nobody when the tests run as root.
bool runningAsRoot();
void runAsNobodyWhenRoot(QProcess& process);

// chmod, for the tests' own files.
void setMode(const QString& path, unsigned mode);

}  // namespace meru::test
