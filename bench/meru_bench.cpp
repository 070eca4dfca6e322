// Figures of the engine on a store of many invoices, and of the start-up.
//   build/meru_bench                 all benchmarks
//   build/meru_bench --startup-only  only the start-up figure
//   build/meru_bench --benchmark_filter=Walk   the walks; binding 0 unbound, 1 bound to a
//                                    grid with controls disabled, 2 bound with them enabled

#include "invoice_store.h"

#include "app/frm_menu.h"
#include "app/startup.h"
#include "controls/db_grid.h"
#include "data/dm_dados.h"
#include "data/paradox/bare_pxlib_loop.h"
#include "data/paradox/create_table.h"
#include "platform/locale.h"
#include "platform/message_service.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <unistd.h>

using namespace meru;

namespace {

// One store per size, made once.
struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<Tdm_dados> dm;
};

Fixture& fixture(int n) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& f = fixtures[n];
    if (!f) {
        f = std::make_unique<Fixture>();
        bench::fillInvoiceStore(f->dir.path(), n);
        QDir().mkpath(f->dir.filePath("drive_a"));
        QDir().mkpath(f->dir.filePath("saida"));
        paradox::createTable(schema::movimentoExport(), f->dir.filePath("saida/movimento.DB"));
    }
    platform::EngineConfig::instance().setAliasPath("MERUDBPX", f->dir.filePath("based"));
    platform::EngineConfig::instance().setDriveRoot(f->dir.filePath("drive_a"));
    if (!f->dm) f->dm = std::make_unique<Tdm_dados>();
    return *f;
}

void copyTemplate(Fixture& f) {
    for (const char* name : {"movimento.DB", "movimento.PX"}) {
        const QString target = f.dir.filePath(QStringLiteral("drive_a/") + name);
        QFile::remove(target);
        QFile::copy(f.dir.filePath(QStringLiteral("saida/") + name), target);
    }
}

void BM_BatchMoveToParadox(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    f.dm->tab_movimento_nao_env->setFilter("mov_tp_gerado = 'N'");
    for (auto _ : state) {
        state.PauseTiming();
        copyTemplate(f);
        state.ResumeTiming();
        f.dm->tab_saida_mov->open();
        f.dm->BatchMove1->execute();
        f.dm->tab_saida_mov->close();
    }
    state.counters["rows"] = f.dm->BatchMove1->movedCount();
}

void BM_BarePxlibAppendLoop(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    std::vector<Row> rows;
    f.dm->tab_movimento_nao_env->setFilter("mov_tp_gerado = 'N'");
    f.dm->tab_movimento_nao_env->forEachRow([&](const Row& r) {
        Row out = r;
        for (int i : {3, 4}) out[size_t(i)] = QDateTime(r[size_t(i)].toDate(), QTime(0, 0));
        rows.push_back(std::move(out));
    });
    const QString target = f.dir.filePath("drive_a/bare.DB");
    for (auto _ : state) paradox::bareAppendLoop(schema::movimentoExport(), target, rows);
    state.counters["rows"] = double(rows.size());
}

void BM_PostOneInvoice(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    Table* t = f.dm->tab_movimento_atual;
    t->setFilter("mov_dt_referencia = '032004'");
    int n = 0;
    for (auto _ : state) {
        t->insert();
        t->fieldByName("mov_nr_nf")->setAsString(QStringLiteral("B%1").arg(++n));
        t->fieldByName("mov_cd_cnpj")->setAsString("12345678000195");
        t->fieldByName("mov_dt_referencia")->setAsString("032004");
        t->fieldByName("mov_vl_valor")->setAsString("10,50");
        t->post();
        state.PauseTiming();
        t->remove();
        state.ResumeTiming();
    }
}

void BM_FilteredRefreshOfOneMonth(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    Table* t = f.dm->tab_movimento_atual;
    int month = 0;
    int count = 0;
    for (auto _ : state) {
        t->setFilter(QStringLiteral("mov_dt_referencia = '%1'").arg(bench::monthOf((month++ % 10) * 1000)));
        t->refresh();
        count = t->recordCount();
        benchmark::DoNotOptimize(t->fieldByName("mov_nr_nf")->asString());
    }
    state.counters["rows"] = count;
}

// The duplicate test of invoice entry walks every invoice from first to end.
void BM_WalkEveryInvoice(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    Table* t = f.dm->tab_movimento_dupli;
    int seen = 0;
    for (auto _ : state) {
        seen = 0;
        Field* nf = t->fieldByName("mov_nr_nf");
        Field* cnpj = t->fieldByName("mov_cd_cnpj");
        for (t->first(); !t->eof(); t->next()) {
            benchmark::DoNotOptimize(nf->asString() == cnpj->asString());
            ++seen;
        }
    }
    state.counters["rows"] = seen;
}

// The walk of a view that a shown grid may be bound to (the report walks the
// list's view): unbound, bound with the controls disabled for the walk, and bound
// with them enabled, where every move reaches the grid.
enum Binding { Unbound, BoundControlsDisabled, BoundControlsEnabled };

void BM_WalkAGridBoundView(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    const int rows = int(state.range(1));
    const auto binding = Binding(state.range(2));
    Table view(QStringLiteral("tab_movimento"), f.dm->Database1);
    view.setTableName(QStringLiteral("movimento"));
    view.open();
    DataSource source(QStringLiteral("ds_movimento"), binding == Unbound ? nullptr : &view);
    QWidget window;
    auto* grid = new controls::DBGrid;
    (new QVBoxLayout(&window))->addWidget(grid);
    grid->addColumn(QStringLiteral("mov_cd_cnpj"), QStringLiteral("CNPJ"));
    grid->addColumn(QStringLiteral("mov_nr_nf"), QStringLiteral("NF"));
    grid->addColumn(QStringLiteral("mov_vl_valor"), QStringLiteral("Valor"));
    grid->setDataSource(&source);
    window.resize(700, 400);
    window.show();
    QCoreApplication::processEvents();
    Field* nf = view.fieldByName(QStringLiteral("mov_nr_nf"));
    int seen = 0;
    for (auto _ : state) {
        seen = 0;
        if (binding == BoundControlsDisabled) view.disableControls();
        for (view.first(); !view.eof() && seen < rows; view.next()) {
            benchmark::DoNotOptimize(nf->asString());
            ++seen;
        }
        if (binding == BoundControlsDisabled) view.enableControls();
        QCoreApplication::processEvents();  // the grid paints what it was told
    }
    state.counters["rows"] = seen;
}

BENCHMARK(BM_WalkAGridBoundView)
    ->ArgNames({"store", "walked", "binding"})
    ->Args({100000, 100000, Unbound})
    ->Args({100000, 100000, BoundControlsDisabled})
    ->Args({100000, 5000, Unbound})
    ->Args({100000, 5000, BoundControlsEnabled})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkEveryInvoice)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchMoveToParadox)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BarePxlibAppendLoop)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PostOneInvoice)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilteredRefreshOfOneMonth)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Milliseconds since this process started, from the kernel's record of it.
double msSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long start = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i)
        if (i == 22) start = std::stoull(field);
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0;
    uptimeFile >> uptime;
    return (uptime - double(start) / double(sysconf(_SC_CLK_TCK))) * 1000.0;
}

// In a process of its own: the program's start-up on the given store, up to the
// first paint of the main window.
int startupProbe(int argc, char** argv, const QString& based) {
    QApplication app(argc, argv);
    prepareApplication(app);
    platform::EngineConfig::instance().setAliasPath("MERUDBPX", based);
    const Timings timings;
    if (startApplication(timings) != 0) return 1;
    QTimer::singleShot(0, [&] {
        std::printf("%.1f\n", msSinceProcessStart() - timings.startupPauseMs);
        std::fflush(stdout);
        app.quit();
    });
    app.exec();
    finishApplication();
    return 0;
}

void reportStartup(const char* self) {
    QTemporaryDir dir;
    bench::fillInvoiceStore(dir.path(), 100000);
    // The probe runs from the store's directory, so that the start-up's table
    // rebuild checks these tables, as the program checks its own.
    const QString probeProgram = dir.filePath("meru_bench");
    QFile::copy(QString::fromLocal8Bit(self), probeProgram);
    QFile::setPermissions(probeProgram, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QProcess probe;
        probe.start(probeProgram, {"--startup-probe", dir.filePath("based")});
        probe.waitForFinished(60000);
        runs.push_back(QString::fromLocal8Bit(probe.readAllStandardOutput()).trimmed().toDouble());
    }
    std::sort(runs.begin(), runs.end());
    std::printf("start-up to the main window, less the %d ms pause, 100000 invoices: median %.1f ms (min %.1f, max %.1f)\n",
                Timings{}.startupPauseMs, runs[runs.size() / 2], runs.front(), runs.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--startup-probe") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return startupProbe(argc, argv, QString::fromLocal8Bit(argv[2]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(platform::appLocale());
    const bool startupOnly = argc > 1 && std::strcmp(argv[1], "--startup-only") == 0;
    if (!startupOnly) {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    reportStartup(argv[0]);
    return 0;
}
