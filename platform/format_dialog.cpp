#include "platform/format_dialog.h"

#include "platform/diskette.h"
#include "platform/engine_config.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace meru::platform {

FormatDialog::FormatDialog(const QString& driveDir, QWidget* owner) : QDialog(owner), driveDir_(driveDir) {
    setObjectName(QStringLiteral("FormatDialog"));
    setWindowTitle(QStringLiteral("Formatar Disquete (A:)"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    driveLabel = new QLabel(this);
    driveLabel->setText(QStringLiteral("Unidade A:  %1").arg(QDir::toNativeSeparators(driveDir)));
    auto* heading = new QLabel(QStringLiteral("Arquivos no disco:"), this);
    contents = new QListWidget(this);
    contents->setObjectName(QStringLiteral("contents"));
    contents->setSelectionMode(QAbstractItemView::NoSelection);
    contents->setFocusPolicy(Qt::NoFocus);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("status"));
    status->setWordWrap(true);
    btnIniciar = new QPushButton(QStringLiteral("&Iniciar"), this);
    btnIniciar->setObjectName(QStringLiteral("btnIniciar"));
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnIniciar);
    buttons->addWidget(btnFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(driveLabel);
    layout->addWidget(heading);
    layout->addWidget(contents);
    layout->addWidget(status);
    layout->addLayout(buttons);
    resize(380, 300);

    connect(btnIniciar, &QPushButton::clicked, this, &FormatDialog::start);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
    btnFechar->setDefault(true);
}

void FormatDialog::refresh() {
    const QString refused = whyNotFormattable(driveDir_);
    contents->clear();
    if (refused.isEmpty()) {
        const QStringList names = diskContents(driveDir_);
        contents->addItems(names.isEmpty() ? QStringList{QStringLiteral("(disco vazio)")} : names);
    } else {
        result_ = SHFMT_NOFORMAT;
        status->setText(refused);
    }
    btnIniciar->setEnabled(refused.isEmpty());
}

void FormatDialog::start() {
    status->setText(QStringLiteral("Formatando..."));
    const QString failed = emptyDisk(driveDir_);
    if (failed.isEmpty()) {
        result_ = SHFMT_ID_DEFAULT;
        status->setText(QStringLiteral("Formatação concluída."));
    } else {
        result_ = SHFMT_ERROR;
        status->setText(QStringLiteral("Erro na formatação: %1 não pôde ser apagado.").arg(QDir::toNativeSeparators(failed)));
    }
    refresh();
}

int SHFormatDrive(QWidget* owner, unsigned drive, unsigned /*formatId*/, unsigned /*options*/) {
    if (drive != 0) return SHFMT_NOFORMAT;  // only drive A: is mapped
    FormatDialog dialog(EngineConfig::instance().driveRoot(), owner);
    dialog.exec();
    return dialog.formatResult();
}

}  // namespace meru::platform
