// The save chain of invoice entry, duplicate test included, on a store of 1,000
// invoices and on one of 100,000: the duplicate test looks the pair (issuer CNPJ,
// invoice number) up in the table's index, so the second figure stays near the
// first. The 100,000 row reports its ratio to the 1,000 one.

#include "invoice_store.h"

#include "data/dm_dados.h"
#include "invoices/abre_notas.h"
#include "invoices/frm_notas_inclusao.h"
#include "invoices/valida_inscricao.h"
#include "platform/message_service.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "units/valida_cnpj.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace meru;

namespace {

// The main window as the entry window sees it, without the program's start-up.
class BenchMainWindow : public MainWindow {
public:
    BenchMainWindow() : mdi_(new QMdiArea(this)) {
        setCentralWidget(mdi_);
        frm_menu = this;
    }
    ~BenchMainWindow() override {
        if (frm_menu == this) frm_menu = nullptr;
    }
    bool valida_cnpj(const QString& text) const override { return meru::valida_cnpj(text); }
    bool valida_inscricao(const QString& text) const override { return meru::valida_inscricao(text); }
    void abre_login() override {}
    void abre_inclusao_notas() override {}
    void gera_disquete(const QString&, unsigned char) override {}
    void habilita_menus() override {}
    void desabilita_menus() override {}
    QString statusUnit() const override { return {}; }
    void setStatusUnit(const QString&) override {}
    QMdiArea* mdiArea() const override { return mdi_; }

private:
    QMdiArea* mdi_;
};

// Every box is counted: a chain that stops would measure nothing.
class CountingBoxes : public platform::MessageService {
public:
    void inform(const QString& text) override { seen << text; }
    platform::Answer confirmYesNo(const QString& text) override { return ask(text); }
    platform::Answer confirmOkCancel(const QString& text) override { return ask(text); }
    platform::Answer warnYesNo(const QString& text) override { return ask(text); }
    void error(const QString& text) override { seen << text; }
    QStringList seen;

private:
    platform::Answer ask(const QString& text) {
        seen << text;
        return platform::Answer::No;
    }
};

std::map<int, double> meanChainNs;

void BM_SaveChainOfOneInvoice(benchmark::State& state) {
    const int n = int(state.range(0));
    QTemporaryDir dir;
    bench::fillInvoiceStore(dir.path(), n);
    CountingBoxes boxes;
    platform::MessageServiceOverride useBoxes(boxes);
    auto dm = std::make_unique<Tdm_dados>();
    dm_dados = dm.get();
    auto frame = std::make_unique<BenchMainWindow>();
    {
        Table units(QStringLiteral("units"), dm->Database1);
        units.setTableName(QStringLiteral("cadastro"));
        units.open();
        units.insert();
        units.fieldByName(QStringLiteral("cad_cd_cnpj"))->setAsString(QStringLiteral("11222333000181"));
        units.post();
    }
    cnpj_unidade = QStringLiteral("11222333000181");
    dm->qry_referencias->insert();
    dm->qry_referencias->fieldByName(QStringLiteral("ref_mesreferencia"))->setAsString(bench::monthOf(0));
    dm->qry_referencias->post();
    Tfrm_notas_inclusao* w = abre_notas_inclusao(frame.get());
    Table* t = dm->tab_movimento_atual;

    QElapsedTimer clock;
    qint64 total = 0;
    int k = 0;
    for (auto _ : state) {
        w->btb_inserirnfClick();
        const QString values[][2] = {
            {QStringLiteral("mov_cd_cnpj"), QStringLiteral("12345678000195")},
            {QStringLiteral("mov_nr_inscricao"), QStringLiteral("12345678901231")},
            {QStringLiteral("mov_nr_processo"), QStringLiteral("P-%1").arg(k)},
            {QStringLiteral("mov_dt_processo"), QStringLiteral("10/03/2004")},
            {QStringLiteral("mov_nr_nf"), QStringLiteral("B%1").arg(k++)},
            {QStringLiteral("mov_vl_valor"), QStringLiteral("10,50")},
            {QStringLiteral("mov_dt_notaf"), QStringLiteral("15/03/2004")},
        };
        for (const auto& v : values) t->fieldByName(v[0])->setAsString(v[1]);
        clock.start();
        w->BitBtn1Click();
        total += clock.nsecsElapsed();
        if (t->state() != DatasetState::Browse || !boxes.seen.isEmpty()) {
            state.SkipWithError(("the chain stopped: " + boxes.seen.join('|')).toStdString().c_str());
            break;
        }
    }
    const double mean = double(total) / double(std::max<qint64>(1, state.iterations()));
    meanChainNs[n] = mean;
    state.counters["chain_us"] = mean / 1000.0;
    state.counters["rows"] = t->recordCount();
    if (n != 1000 && meanChainNs.count(1000)) state.counters["ratio_to_1000"] = mean / meanChainNs[1000];

    delete w;
    frame.reset();
    dm_dados = nullptr;
    dm.reset();
    cnpj_unidade.clear();
    mes_referencia.clear();
}

}  // namespace

// Fixed iterations, so that both months grow by the same rows.
BENCHMARK(BM_SaveChainOfOneInvoice)->Arg(1000)->Arg(100000)->Iterations(300)->Unit(benchmark::kMicrosecond);
