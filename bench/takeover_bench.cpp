// The takeover of an earlier installation of 100,000 invoices (Paradox 7, code
// page 850): its four Paradox tables read, every row carried into a new store with
// our municipalities list, the store swapped in and the earlier files kept.
//   build/meru_bench --benchmark_filter=Takeover

#include "tests/takeover/earlier_store.h"

#include "data/earlier_installation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

static void initTakeoverResources() { Q_INIT_RESOURCE(resources); }

namespace meru {
namespace {

void BM_TakeoverOfAnEarlierInstallation(benchmark::State& state) {
    initTakeoverResources();
    const int invoices = int(state.range(0));
    const std::map<QString, QByteArray> files = {
        {"movimento.DB", test::paradoxBytes(test::movimentoTable(0x0C, 850, invoices))},
        {"cadastro.DB", test::paradoxBytes(test::cadastroTable(0x0C, 850))},
        {"municipios.DB", test::paradoxBytes(test::municipiosTable(0x0C, 850))},
        {"referencias.DB", test::paradoxBytes(test::referenciasTable(0x0C, 850))},
    };
    int taken = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        const QString based = dir.filePath("based");
        QDir().mkpath(based);
        for (const auto& [name, bytes] : files) {
            QFile f(QDir(based).filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write(bytes);
        }
        state.ResumeTiming();
        const Takeover t = takeOverEarlierInstallation(based, QStringLiteral(":/municipios.tsv"));
        taken = t.tables.front().rows;
    }
    state.counters["invoices"] = taken;
}
BENCHMARK(BM_TakeoverOfAnEarlierInstallation)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace meru
