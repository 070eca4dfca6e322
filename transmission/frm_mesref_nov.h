#pragma once
// Writes the invoices of a chosen month onto a diskette again: the reference
// month window with its own caption and confirm action, which hands the month to
// the closing driver in regeneration mode and stays open.

#include "invoices/frm_mesref.h"

#include <QPointer>

namespace meru {

class Tfrm_mesref_nov : public Tfrm_mesref {
    Q_OBJECT
public:
    explicit Tfrm_mesref_nov(QWidget* owner);

    void btb_confirmarClick() override;
};

extern QPointer<Tfrm_mesref_nov> frm_mesref_nov;

}  // namespace meru
