// The write step of a month closing on stores of 7,800 invoices (what a 1.44 MB
// diskette holds) and of 100,000: the templates copied, both batch moves, the
// tables closed and the disk read back and compared; against pxlib appending the
// same rows in a bare loop.
//   build/meru_bench --benchmark_filter=Closing

#include "invoice_store.h"

#include "data/dm_dados.h"
#include "data/paradox/bare_pxlib_loop.h"
#include "data/paradox/create_table.h"
#include "data/sqlite_connection.h"
#include "platform/engine_config.h"
#include "transmission/gera_disquete.h"

#include <QDateTime>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace meru;

namespace {

struct ClosingStore {
    QTemporaryDir dir;
    std::unique_ptr<Tdm_dados> dm;
};

ClosingStore& closingStore(int n) {
    static std::map<int, std::unique_ptr<ClosingStore>> stores;
    auto& s = stores[n];
    if (!s) {
        s = std::make_unique<ClosingStore>();
        bench::fillInvoiceStore(s->dir.path(), n);
        sqlite::Connection units(s->dir.filePath("based/cadastro.DB"), sqlite::Connection::Mode::ReadWrite);
        units.exec("INSERT INTO CADASTRO (cad_dc_unidade, cad_cd_cnpj, cad_status) VALUES ('Unidade', '11222333000181', 'N')");
        QDir().mkpath(s->dir.filePath("drive_a"));
        QDir().mkpath(s->dir.filePath("saida"));
        for (const auto* def : {&schema::cadastroExport(), &schema::movimentoExport()})
            paradox::createTable(*def, s->dir.filePath("saida/" + def->fileName));
    }
    platform::setProgramDirectory(s->dir.path());
    platform::EngineConfig::instance().setAliasPath("MERUDBPX", s->dir.filePath("based"));
    platform::EngineConfig::instance().setDriveRoot(s->dir.filePath("drive_a"));
    if (!s->dm) {
        s->dm = std::make_unique<Tdm_dados>();
        s->dm->tab_movimento_nao_env->setFilter("mov_tp_gerado = 'N'");
        s->dm->tab_cadastros_nao_env->setFilter("cad_status <> 'C'");
    }
    return *s;
}

void BM_ClosingWriteStepWithReadBack(benchmark::State& state) {
    ClosingStore& s = closingStore(int(state.range(0)));
    DisketteGeneration closing(nullptr);
    Tdm_dados* previous = dm_dados;
    dm_dados = s.dm.get();
    for (auto _ : state) closing.grava_disquete();
    dm_dados = previous;
    state.counters["rows"] = s.dm->BatchMove1->movedCount();
    platform::setProgramDirectory(QString());
}

void BM_ClosingBarePxlibAppend(benchmark::State& state) {
    ClosingStore& s = closingStore(int(state.range(0)));
    std::vector<Row> rows;
    s.dm->tab_movimento_nao_env->forEachRow([&](const Row& r) {
        Row out = r;
        for (int i : {3, 4}) out[size_t(i)] = QDateTime(r[size_t(i)].toDate(), QTime(0, 0));
        rows.push_back(std::move(out));
    });
    const QString target = s.dir.filePath("drive_a/bare.DB");
    for (auto _ : state) paradox::bareAppendLoop(schema::movimentoExport(), target, rows);
    state.counters["rows"] = double(rows.size());
    platform::setProgramDirectory(QString());
}

}  // namespace

BENCHMARK(BM_ClosingWriteStepWithReadBack)->Arg(7800)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ClosingBarePxlibAppend)->Arg(7800)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
