#include "qr_nota.h"

#include "data/table.h"
#include "reports/frm_sele_notas.h"

namespace meru {

QPointer<Tqr_nota> qr_nota;

Tqr_nota::Tqr_nota(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("qr_nota"));
    QuickRep1 = new SummaryReport(this);
    if (frm_sele_notas) QuickRep1->setDataSet(frm_sele_notas->tab_movimento);
}

}  // namespace meru
