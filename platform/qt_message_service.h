#pragma once
// Message boxes as QMessageBox, buttons in Portuguese whether or not Qt's
// translations are installed. The title is the one given, or else the
// application's display name (which is its name unless a display name was set;
// set the name: a display name set explicitly is also appended by Qt to the
// title bar of every window).

#include "platform/message_service.h"

class QApplication;

namespace meru::platform {

class QtMessageService : public MessageService {
public:
    explicit QtMessageService(QString title = {}) : title_(std::move(title)) {}

    void inform(const QString& text) override;
    Answer confirmYesNo(const QString& text) override;
    Answer confirmOkCancel(const QString& text) override;
    Answer warnYesNo(const QString& text) override;
    void error(const QString& text) override;

private:
    QString title() const;
    QString title_;
};

// Loads Qt's own pt_BR texts (qtbase_pt_BR.qm) into the application, so that the
// standard dialogs speak Portuguese too. False when the file is not installed.
bool installPortugueseTranslations(QApplication& app);

}  // namespace meru::platform
