#pragma once
// The common ground of the tests of the invoice windows: a fake main window over a
// temporary store with one confirmed unit, invoices seeded into MOVIMENTO, the
// windows opened as the program opens them, and typing into their real edits.

#include "typing.h"
#include "shell_fixture.h"

#include "controls/db_check_box.h"
#include "controls/db_edit.h"
#include "controls/db_grid.h"
#include "data/query.h"
#include "data/table.h"
#include "invoices/abre_notas.h"
#include "invoices/frm_notas_edicao.h"
#include "invoices/frm_notas_inclusao.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace meru::test {

inline const QString kUnit = QStringLiteral("12345678000195");         // the confirmed unit
inline const QString kOtherUnit = QStringLiteral("11444777000161");    // another stored unit
inline const QString kIssuer = QStringLiteral("11222333000181");       // a supplier
inline const QString kIssuerAlpha = QStringLiteral("12ABC34501DE35");  // the Receita's alphanumeric example
inline const QString kRegistration = QStringLiteral("12345678901231");  // passes its check
inline const QString kBadRegistration = QStringLiteral("12345678901230");
inline const QString kMonth = QStringLiteral("012001");

// One row of MOVIMENTO as the tests write and read it (dates and value as the
// fields give them as text).
struct Invoice {
    QString cnpj, inscricao, processo, nf, valor, dtnf, dtproc, retificadora, gerado, referencia, unidade, validade;
    friend bool operator==(const Invoice&, const Invoice&) = default;
    friend void PrintTo(const Invoice& i, std::ostream* os) {
        *os << '{';
        for (const QString* v : {&i.cnpj, &i.inscricao, &i.processo, &i.nf, &i.valor, &i.dtnf, &i.dtproc,
                                 &i.retificadora, &i.gerado, &i.referencia, &i.unidade, &i.validade})
            *os << v->toStdString() << '|';
        *os << '}';
    }
};

inline const std::vector<QString>& invoiceColumns() {
    static const std::vector<QString> names{
        QStringLiteral("mov_cd_cnpj"),       QStringLiteral("mov_nr_inscricao"),    QStringLiteral("mov_nr_processo"),
        QStringLiteral("mov_nr_nf"),         QStringLiteral("mov_vl_valor"),        QStringLiteral("mov_dt_notaf"),
        QStringLiteral("mov_dt_processo"),   QStringLiteral("mov_tp_retificadora"), QStringLiteral("mov_tp_gerado"),
        QStringLiteral("mov_dt_referencia"), QStringLiteral("cad_cd_cnpj"),         QStringLiteral("Mov_cd_validade")};
    return names;
}

// A stored invoice of the open month and the confirmed unit.
inline Invoice storedInvoice(const QString& nf, const QString& cnpj = kIssuer) {
    return {cnpj,  kRegistration, QStringLiteral("PROC-") + nf, nf, QStringLiteral("150,5"), QStringLiteral("15/03/2004"),
            QStringLiteral("10/03/2004"), QStringLiteral("N"), QStringLiteral("N"), kMonth, kUnit, QString()};
}

class InvoiceWindows : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        if (HasFatalFailure()) return;
        seedUnit(kUnit);
        seedUnit(kOtherUnit);
        cnpj_unidade = kUnit;
        frame->openInvoiceEntry = [] { abre_notas_inclusao(frm_menu); };
    }

    static void seedUnit(const QString& cnpj) {
        Table t(QStringLiteral("seed_unit"), dm_dados->Database1);
        t.setTableName(QStringLiteral("cadastro"));
        t.open();
        t.insert();
        t.fieldByName(QStringLiteral("cad_cd_cnpj"))->setAsString(cnpj);
        t.fieldByName(QStringLiteral("cad_dc_unidade"))->setAsString(QStringLiteral("Unidade ") + cnpj);
        t.post();
    }

    // The open month, as the reference month window stores it.
    static void openMonth(const QString& month = kMonth) {
        Query* q = dm_dados->qry_referencias;
        q->insert();
        q->fieldByName(QStringLiteral("ref_mesreferencia"))->setAsString(month);
        q->post();
    }

    static void seed(const Invoice& invoice) {
        Table t(QStringLiteral("seed_invoice"), dm_dados->Database1);
        t.setTableName(QStringLiteral("movimento"));
        t.open();
        t.insert();
        const QString* values[] = {&invoice.cnpj,   &invoice.inscricao,    &invoice.processo, &invoice.nf,
                                   &invoice.valor,  &invoice.dtnf,         &invoice.dtproc,   &invoice.retificadora,
                                   &invoice.gerado, &invoice.referencia,   &invoice.unidade,  &invoice.validade};
        for (size_t i = 0; i < std::size(values); ++i)
            if (!values[i]->isEmpty()) t.fieldByName(invoiceColumns()[i])->setAsString(*values[i]);
        t.post();
    }

    // Every stored invoice in the table's order, read through a query of its own.
    static std::vector<Invoice> storedInvoices() {
        Query q(QStringLiteral("check"), dm_dados->Database1);
        q.setSql({QStringLiteral("select * from movimento")});
        q.open();
        std::vector<Invoice> rows;
        for (; !q.eof(); q.next()) {
            QString v[12];
            for (size_t i = 0; i < 12; ++i) v[i] = q.fieldByName(invoiceColumns()[i])->asString();
            rows.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]});
        }
        return rows;
    }

    static void activate(QWidget* window) {
        window->activateWindow();
        QApplication::setActiveWindow(window->window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window->window()));
    }

    // The entry window as "Incluir Notas" opens it with a month open.
    Tfrm_notas_inclusao* openEntry() {
        frm_menu->abre_inclusao_notas();
        settle();
        Tfrm_notas_inclusao* w = frm_notas_inclusao;
        if (w) activate(frm_menu);
        return w;
    }

    // The correction window as the list window opens it.
    Tfrm_notas_edicao* openCorrection() {
        Tfrm_notas_edicao* w = abre_notas_edicao(frm_menu);
        settle();
        if (w) activate(frm_menu);
        return w;
    }

    static void type(QLineEdit* edit, const QString& keys) { test::typeOver(edit, keys); }
    static void typeKeys(QWidget* widget, const QString& keys) { test::typeKeys(widget, keys); }

    // Types an invoice into the entry fields in tab order; dates as their digits.
    static void fill(Tfrm_notas_inclusao* w, const Invoice& i) {
        type(w->dbedt_cgcemitente, i.cnpj);
        type(w->dbedt_insces, i.inscricao);
        type(w->dbedt_nrproc, i.processo);
        type(w->dbedt_nrnf, i.nf);
        type(w->dbedt_vlnf, i.valor);
        type(w->dbedt_dtnf, QString(i.dtnf).remove(QLatin1Char('/')));
        type(w->dbedt_dtproc, QString(i.dtproc).remove(QLatin1Char('/')));
        if (w->DBCheckBox1->isChecked() != (i.retificadora == QLatin1String("S"))) {
            w->DBCheckBox1->setFocus(Qt::TabFocusReason);
            QTest::keyClick(w->DBCheckBox1, Qt::Key_Space);
        }
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
    static DatasetState state() { return dm_dados->tab_movimento_atual->state(); }
    static void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};

}  // namespace meru::test
