#pragma once
// A virtual X display (Xvfb) for starting the installed program as an operator
// would, and a look at its windows from outside through xwininfo.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace meru::test {

class XDisplay {
public:
    XDisplay();  // starts Xvfb on a free display number, open to every local user
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool running() const { return !name_.isEmpty(); }
    QString name() const { return name_; }  // ":N"
    // An environment for a program shown on this display with the real window system.
    QProcessEnvironment environmentFor(QProcessEnvironment base) const;
    // Captions of the windows that are on screen now.
    QStringList viewableCaptions() const;
    // Waits up to timeoutMs for a window with exactly this caption to be on screen.
    bool waitForCaption(const QString& caption, int timeoutMs) const;

private:
    QProcess server_;
    QString name_;
};

}  // namespace meru::test
