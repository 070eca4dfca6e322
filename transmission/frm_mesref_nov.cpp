#include "transmission/frm_mesref_nov.h"

#include "controls/mask_edit.h"
#include "platform/message_service.h"
#include "shell/main_window.h"
#include "shell/text_rules.h"

namespace meru {

QPointer<Tfrm_mesref_nov> frm_mesref_nov;

Tfrm_mesref_nov::Tfrm_mesref_nov(QWidget* owner) : Tfrm_mesref(owner) {
    setObjectName(QStringLiteral("frm_mesref_nov"));
    setWindowTitle(QStringLiteral("Gerar Disquete Novamente"));
}

void Tfrm_mesref_nov::btb_confirmarClick() {
    if (trimmed(MaskEdit1->fieldText()).isEmpty()) {
        platform::messages().inform(QStringLiteral("Referencia Invalida!"));
        return;
    }
    frm_menu->gera_disquete(trimmed(MaskEdit1->fieldText()), 1);
}

}  // namespace meru
