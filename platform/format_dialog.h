#pragma once
// The format dialog of drive A:, the stand-in for the shell's: a modal dialog
// that shows what the disk holds and formats (empties) it on the operator's
// command. SHFormatDrive runs it and returns the shell's codes.

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace meru::platform {

constexpr int SHFMT_ERROR = -1;     // the last format failed
constexpr int SHFMT_CANCEL = -2;    // closed without formatting
constexpr int SHFMT_NOFORMAT = -3;  // the drive cannot be formatted
constexpr int SHFMT_ID_DEFAULT = 0xFFFF;

class FormatDialog : public QDialog {
    Q_OBJECT
public:
    FormatDialog(const QString& driveDir, QWidget* owner);

    // The code the dialog returns as it stands: that of the last format, or
    // cancelled when none was tried, or cannot format.
    int formatResult() const { return result_; }

    QLabel* driveLabel;
    QListWidget* contents;
    QLabel* status;
    QPushButton* btnIniciar;
    QPushButton* btnFechar;

private:
    void refresh();
    void start();

    QString driveDir_;
    int result_ = SHFMT_CANCEL;
};

// Shows the format dialog for drive (0 is A:) over owner and returns when the
// operator closes it: the format id after a successful format, else one of the
// codes above.
int SHFormatDrive(QWidget* owner, unsigned drive, unsigned formatId, unsigned options);

}  // namespace meru::platform
