#pragma once
// The report form of the invoice list: never shown itself, it holds the summary
// report of the list's rows. The list creates it on its first preview or print
// and owns it.

#include "reports/summary_report.h"

#include <QObject>
#include <QPointer>

namespace meru {

class Tqr_nota : public QObject {
    Q_OBJECT
public:
    // The report reads the rows of the list window frm_sele_notas.
    explicit Tqr_nota(QObject* owner);

    SummaryReport* QuickRep1;
};

extern QPointer<Tqr_nota> qr_nota;

}  // namespace meru
