#include "platform/qt_message_service.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace meru::platform {

namespace {

QString buttonText(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes: return QStringLiteral("&Sim");
    case QMessageBox::No: return QStringLiteral("&Não");
    case QMessageBox::Cancel: return QStringLiteral("Cancelar");
    default: return QStringLiteral("OK");
    }
}

Answer answerFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::None;
    }
}

// Runs one modal box. The first button is the default; Escape and the close box
// stand for the second (No, Cancel), or for OK in a box with one button.
QMessageBox::StandardButton runBox(const QString& title, QMessageBox::Icon icon,
                                   const QString& text,
                                   QMessageBox::StandardButton first,
                                   QMessageBox::StandardButton second = QMessageBox::NoButton) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(owner);
    // A box with no window of the program behind it (a refused start) would
    // otherwise open under whatever the desktop shows, another copy's included.
    if (!owner) box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(title);
    box.setIcon(icon);
    box.setTextFormat(Qt::PlainText);
    box.setText(withLineBreaks(text));
    box.setStandardButtons(second == QMessageBox::NoButton ? QMessageBox::StandardButtons(first)
                                                           : (first | second));
    box.button(first)->setText(buttonText(first));
    if (second != QMessageBox::NoButton) box.button(second)->setText(buttonText(second));
    box.setDefaultButton(first);
    const QMessageBox::StandardButton closeAnswer =
        second == QMessageBox::NoButton ? first : second;
    box.setEscapeButton(closeAnswer);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return closeAnswer;
    const QMessageBox::StandardButton chosen = box.standardButton(clicked);
    return chosen == QMessageBox::NoButton ? closeAnswer : chosen;
}

}  // namespace

QString QtMessageService::title() const {
    return title_.isEmpty() ? QGuiApplication::applicationDisplayName() : title_;
}

void QtMessageService::inform(const QString& text) {
    runBox(title(), QMessageBox::NoIcon, text, QMessageBox::Ok);
}

Answer QtMessageService::confirmYesNo(const QString& text) {
    return answerFor(runBox(title(), QMessageBox::Question, text, QMessageBox::Yes, QMessageBox::No));
}

Answer QtMessageService::confirmOkCancel(const QString& text) {
    return answerFor(runBox(title(), QMessageBox::Question, text, QMessageBox::Ok, QMessageBox::Cancel));
}

Answer QtMessageService::warnYesNo(const QString& text) {
    return answerFor(runBox(title(), QMessageBox::Warning, text, QMessageBox::Yes, QMessageBox::No));
}

void QtMessageService::error(const QString& text) {
    runBox(title(), QMessageBox::Critical, text, QMessageBox::Ok);
}

bool installPortugueseTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return app.installTranslator(translator);
}

}  // namespace meru::platform
