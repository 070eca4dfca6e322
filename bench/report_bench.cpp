// The invoice list and its summary report on stores of many unsent invoices:
// opening the list up to the first paint of its grid, and the report to PDF.
//   build/meru_bench --benchmark_filter='InvoiceList|SummaryReport'

#include "invoice_store.h"

#include "app/frm_menu.h"
#include "controls/db_grid.h"
#include "data/dm_dados.h"
#include "platform/engine_config.h"
#include "reports/frm_sele_notas.h"
#include "reports/qr_nota.h"
#include "shell/window_reuse.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace meru;

namespace {

struct ListStore {
    QTemporaryDir dir;
    std::unique_ptr<Tdm_dados> dm;
};

// One store per size, made once, with the main window the list reports to.
ListStore& listStore(int n) {
    static std::map<int, std::unique_ptr<ListStore>> stores;
    auto& s = stores[n];
    if (!s) {
        s = std::make_unique<ListStore>();
        bench::fillInvoiceStore(s->dir.path(), n);
    }
    platform::setProgramDirectory(s->dir.path());
    platform::EngineConfig::instance().setAliasPath("MERUDBPX", s->dir.filePath("based"));
    if (!s->dm) s->dm = std::make_unique<Tdm_dados>();
    dm_dados = s->dm.get();
    if (!frm_menu) {
        Timings quick;
        quick.startupPauseMs = 0;
        quick.splashMs = 24 * 60 * 60 * 1000;
        new Tfrm_menu(quick);
    }
    return *s;
}

// Notes the first paint of a widget.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* w) { w->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted = true;
        return false;
    }
};

void closeList() {
    if (frm_sele_notas) frm_sele_notas->close();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// "&Controle Geral" up to the grid's first painted rows.
void BM_OpenInvoiceListToFirstPaint(benchmark::State& state) {
    listStore(int(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        auto* list = new Tfrm_sele_notas(frm_menu);
        FirstPaint paint(list->dbgrid_movimento_atual->viewport());
        createForm(list);
        frm_sele_notas = list;
        showWindow(list);
        while (!paint.painted) QCoreApplication::processEvents();
        state.PauseTiming();
        rows = list->tab_movimento->recordCount();
        closeList();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

// "Vizualizar Nota F." and "Imprimir" build the same pages; here they go to a PDF file.
void BM_SummaryReportToPdf(benchmark::State& state) {
    ListStore& s = listStore(int(state.range(0)));
    auto* list = new Tfrm_sele_notas(frm_menu);
    createForm(list);
    frm_sele_notas = list;
    auto* report = new Tqr_nota(list);
    const QString path = s.dir.filePath("relatorio.pdf");
    for (auto _ : state) report->QuickRep1->savePdf(path);
    state.counters["rows"] = list->tab_movimento->recordCount();
    state.counters["kB"] = double(QFile(path).size()) / 1024.0;
    closeList();
}

}  // namespace

BENCHMARK(BM_OpenInvoiceListToFirstPaint)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SummaryReportToPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
