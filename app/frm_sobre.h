#pragma once
// The about window: product name and version.

#include "shell/form.h"

#include <QDialog>
#include <QGroupBox>
#include <QPointer>
#include <QTextEdit>

namespace meru {

class Tfrm_sobre : public Form<QDialog> {
    Q_OBJECT
public:
    explicit Tfrm_sobre(QWidget* owner);

    QGroupBox* GroupBox1;
    QTextEdit* RichEdit1;
};

extern QPointer<Tfrm_sobre> frm_sobre;

}  // namespace meru
