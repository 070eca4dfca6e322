#pragma once
// The ground of the invoice list's tests: a fake main window over a temporary
// store, invoices seeded into MOVIMENTO, the list opened as "&Controle Geral"
// opens it, and a stand-in for the correction window that invoice entry makes.

#include "shell_fixture.h"

#include "controls/db_grid.h"
#include "data/table.h"
#include "data/table_access.h"
#include "reports/correction_window.h"
#include "reports/frm_sele_notas.h"
#include "reports/qr_nota.h"
#include "shell/window_reuse.h"

#include <QApplication>
#include <QDate>
#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace meru::test {

struct Nota {
    QString nf;
    QString gerado = QStringLiteral("N");
    QString referencia = QStringLiteral("032004");
    QString unidade = QStringLiteral("12345678000195");
    QString cnpj = QStringLiteral("11222333000181");
    double valor = 1234.5;
    QDate data = QDate(2004, 3, 15);
    QString retificadora = QStringLiteral("N");
    QString inscricao = QStringLiteral("110042490114");
    QString processo = QStringLiteral("23000.001234/2004");
};

// The correction window as the list sees it: an MDI child of the main window,
// owned by the list, that switches the main window's commands off while it is
// open and on again when it closes.
class StandInCorrection : public Form<QWidget> {
public:
    explicit StandInCorrection(QWidget* owner) : Form(owner, FormStyle::MdiChild) {
        setObjectName(QStringLiteral("frm_notas_edicao"));
        setWindowTitle(QString::fromUtf8("Correção de Notas Não Enviadas"));
        resize(300, 200);
    }
    void FormCreate() override { frm_menu->desabilita_menus(); }
    void FormClose(CloseAction& Action) override {
        frm_menu->habilita_menus();
        Action = CloseAction::Free;
    }
};

// Stores invoices in MOVIMENTO and returns their row numbers.
inline std::vector<qint64> seed(const std::vector<Nota>& notas) {
    TableAccess movimento(*dm_dados->Database1, dm_dados->Database1->table(QStringLiteral("movimento")));
    std::vector<qint64> numbers;
    for (const Nota& n : notas)
        numbers.push_back(movimento.insert({QVariant(), n.unidade, n.processo, n.data, n.data, n.valor, n.cnpj,
                                            n.inscricao, n.referencia, n.retificadora, n.gerado, n.nf, QVariant()}));
    return numbers;
}

// The mov_tp_gerado of a stored invoice, "" when it is no longer stored.
inline QString storedStatus(qint64 controle) {
    TableAccess movimento(*dm_dados->Database1, dm_dados->Database1->table(QStringLiteral("movimento")));
    const auto row = movimento.fetch(controle);
    return row ? (*row)[10].toString() : QString();
}

// The texts of one grid column, top to bottom, as the grid shows them.
inline QStringList column(Tfrm_sele_notas* list, int c) {
    QAbstractItemModel* m = list->dbgrid_movimento_atual->model();
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r) out << m->data(m->index(r, c)).toString();
    return out;
}
inline QStringList numbers(Tfrm_sele_notas* list) { return column(list, 1); }

// The stand-in's record, as invoice entry keeps frm_notas_edicao.
inline QPointer<StandInCorrection> frm_correcao;

// "Modificar Dados" opens the stand-in as invoice entry opens its correction
// window: by the reuse rule, owned by the list.
inline void useStandInCorrection() {
    setCorrectionWindowOpener([](QWidget* owner) -> QWidget* {
        return openByReuseRule(frm_correcao, [owner] { return new StandInCorrection(owner); });
    });
}

class ListWindow : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        if (HasFatalFailure()) return;
        useStandInCorrection();
        frame->habilita_menus();  // a unit is confirmed: "&Controle Geral" is at hand
        frame->calls.clear();
    }

    void TearDown() override {
        setCorrectionWindowOpener({});
        SummaryReport::setPrinterSource({});
        ShellFixture::TearDown();
    }

    // The list as "&Controle Geral" opens it: by the reuse rule, owned by the main window.
    Tfrm_sele_notas* openList() {
        openByReuseRule(frm_sele_notas, [] { return new Tfrm_sele_notas(frm_menu); });
        settle();
        return frm_sele_notas;
    }

    static void click(QAbstractButton* b) {
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << b->objectName().toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
        settle();
    }
};

// A PDF file as the printer that "Imprimir" finds.
inline SummaryReport::PrinterSource pdfPrinter(const QString& path) {
    return [path] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    };
}

}  // namespace meru::test
