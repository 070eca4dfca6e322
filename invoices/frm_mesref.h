#pragma once
// The reference month: asks for the month of the invoices about to be typed,
// stores it as the open month in referencias and hands over to invoice entry.
// The regeneration window derives from it and replaces the caption and the
// confirm action.

#include "shell/form.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace meru {

namespace controls { class MaskEdit; }

class Tfrm_mesref : public Form<QDialog> {
    Q_OBJECT
public:
    explicit Tfrm_mesref(QWidget* owner);

    void FormClose(CloseAction& Action) override;
    virtual void btb_confirmarClick();

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLabel* Label2;
    controls::MaskEdit* MaskEdit1;
    QPushButton* btb_confirmar;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

extern QPointer<Tfrm_mesref> frm_mesref;

}  // namespace meru
