#pragma once
// Correction of invoices not yet sent: the entry window with the insertion of new
// invoices switched off, under its own captions.

#include "invoices/frm_notas_inclusao.h"

namespace meru {

class Tfrm_notas_edicao : public Tfrm_notas_inclusao {
    Q_OBJECT
public:
    explicit Tfrm_notas_edicao(QWidget* owner);

    void ds_movimentoStateChange() override;
};

extern QPointer<Tfrm_notas_edicao> frm_notas_edicao;

}  // namespace meru
