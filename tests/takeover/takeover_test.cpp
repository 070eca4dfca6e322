// Taking over an earlier installation's Paradox working tables into the store.

#include "earlier_store.h"

#include "data/earlier_installation.h"
#include "data/engine_error.h"
#include "data/sqlite_connection.h"
#include "data/working_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

namespace meru::test {
namespace {

const schema::TableDef* defOf(const QString& fileName) {
    for (const schema::TableDef* def : schema::workingTables())
        if (def->fileName == fileName) return def;
    return nullptr;
}

struct Combination {
    int version;
    int codePage;
};
void PrintTo(const Combination& c, std::ostream* os) { *os << "version 0x" << std::hex << c.version << " cp" << std::dec << c.codePage; }

class TakeoverOf : public ::testing::TestWithParam<Combination> {};

TEST_P(TakeoverOf, EveryRowIsTakenOverColumnByColumnAndTheEarlierFilesAreKeptUntouched) {
    EarlierStore earlier;
    earlier.writeAll(GetParam().version, GetParam().codePage, 2500);  // 2500 invoices: 228 blocks
    if (GetParam().version < 0x0A) {  // field names in capitals, the accented one too
        PxTable units = cadastroTable(GetParam().version, GetParam().codePage);
        for (PxColumn& c : units.columns) c.name = c.name.toUpper();
        earlier.write("cadastro.DB", units);
    }
    // What else the earlier installation kept beside its tables goes with them.
    for (const char* extra : {"movimento.PX", "movimento.VAL", "cadastro.X02", "PDOXUSRS.NET"}) {
        QFile f(earlier.file(QString::fromLatin1(extra)));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(extra) + QByteArray(300, '\x7f'));
    }
    QFile(earlier.file("meru.lck")).open(QIODevice::WriteOnly);
    const auto before = snapshot(earlier.based());

    const Takeover report = takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities());

    EXPECT_EQ(report.outcome, Takeover::Outcome::TookOver);
    ASSERT_EQ(report.tables.size(), 4u);
    const std::vector<std::pair<QString, int>> counts = {{"MOVIMENTO", 2500}, {"CADASTRO", 3}, {"MUNICIPIOS", 3}, {"referencias", 1}};
    for (size_t i = 0; i < counts.size(); ++i) {
        EXPECT_EQ(report.tables[i].name, counts[i].first);
        EXPECT_EQ(report.tables[i].rows, counts[i].second);
    }
    EXPECT_EQ(report.municipalitiesRead, 3);
    EXPECT_EQ(report.municipalitiesAdded, 1);

    // The earlier files, every one, byte for byte, in a directory of their own.
    EXPECT_EQ(report.keptIn, earlier.programDir() + "/based-paradox-anterior");
    auto kept = before;
    kept.erase("meru.lck");
    EXPECT_EQ(snapshot(report.keptIn), kept);
    EXPECT_FALSE(QFileInfo::exists(takeoverWorkDirectory(earlier.based())));
    EXPECT_EQ(QDir(earlier.based()).entryList(QDir::Files),
              QStringList({"cadastro.DB", "meru.lck", "movimento.DB", "municipios.DB", "referencias.DB"}));

    for (const QString name : {"movimento.DB", "cadastro.DB", "referencias.DB"}) {
        SCOPED_TRACE(name.toStdString());
        const schema::TableDef& def = *defOf(name);
        const auto stored = storedRows(earlier.file(name), def);
        const auto& written = earlier.tables[name].rows;
        ASSERT_EQ(stored.size(), written.size());
        for (size_t r = 0; r < written.size(); ++r)
            for (size_t c = 0; c < def.fields.size(); ++c)
                ASSERT_TRUE(sameValue(def.fields[c].type, stored[r][c], written[r][c]))
                    << "row " << r + 1 << " " << def.fields[c].name.toStdString() << ": stored "
                    << stored[r][c].toString().toStdString() << ", written " << written[r][c].toString().toStdString();
    }

    // New numbers go on after the earlier table's counter, past every kept number.
    sqlite::Connection store(earlier.file("movimento.DB"), sqlite::Connection::Mode::ReadWrite);
    store.exec("INSERT INTO MOVIMENTO (mov_nr_nf) VALUES ('nova')");
    EXPECT_EQ(store.lastInsertRowId(), 2500 * 3 + 500 + 1);
    sqlite::Connection units(earlier.file("cadastro.DB"), sqlite::Connection::Mode::ReadWrite);
    units.exec("INSERT INTO CADASTRO (cad_dc_unidade) VALUES ('nova')");
    EXPECT_EQ(units.lastInsertRowId(), 13);  // the counter, 12, is beyond the highest number, 9
}

INSTANTIATE_TEST_SUITE_P(VersionsAndCodePages, TakeoverOf,
                         ::testing::Values(Combination{0x05, 850}, Combination{0x09, 1252}, Combination{0x0C, 1252},
                                           Combination{0x0C, 850}));

TEST(Takeover, MunicipalitiesReplaceNothingOfOursAndAddOnlyTheCodesWeLack) {
    EarlierStore earlier;
    earlier.write("MUNICIPIOS.DB", municipiosTable(0x0C, 1252));  // as DOS named its files
    const Takeover report = takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities());
    EXPECT_EQ(report.municipalitiesRead, 3);
    EXPECT_EQ(report.municipalitiesAdded, 1);
    const auto rows = storedRows(earlier.file("municipios.DB"), schema::municipios());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][1].toString(), QString::fromUtf8("Abadia de Goiás - GO"));  // ours, not "nome antigo"
    EXPECT_FALSE(rows[0][0].isValid());
    const std::vector<QVariant> added = {qint64(-7), QString::fromUtf8("Município Extinto"), "9999990", QVariant(), QVariant(), -3.75};
    for (size_t c = 0; c < added.size(); ++c)
        EXPECT_TRUE(sameValue(schema::municipios().fields[c].type, rows[3][c], added[c])) << c;
    // The tables the earlier installation lacked are there, empty.
    EXPECT_TRUE(storedRows(earlier.file("movimento.DB"), schema::movimento()).empty());
    EXPECT_TRUE(storedRows(earlier.file("cadastro.DB"), schema::cadastro()).empty());
}

struct Refusal {
    const char* name;
    std::function<void(EarlierStore&)> damage;
    std::vector<const char*> says;
};
void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

void truncateTo(const QString& path, qint64 size) {
    QFile f(path);
    f.resize(size);
}

PxTable movimentoWith(const std::function<void(PxTable&)>& change) {
    PxTable t = movimentoTable(0x0C, 1252, 400);
    change(t);
    return t;
}

class RefusedTakeover : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedTakeover, NamesTheFileAndTheRowOrFieldAndLeavesBasedAsItWas) {
    EarlierStore earlier;
    earlier.writeAll(0x0C, 1252, 400);
    GetParam().damage(earlier);
    QFile(earlier.file("meru.lck")).open(QIODevice::WriteOnly);
    const auto before = snapshot(earlier.based());
    try {
        takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities());
        FAIL() << "taken over";
    } catch (const EngineError& e) {
        for (const char* part : GetParam().says)
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(part))) << part << " not in: " << e.what();
        EXPECT_TRUE(e.message().contains("Nada foi tomado")) << e.what();
    }
    EXPECT_EQ(snapshot(earlier.based()), before);
    EXPECT_EQ(QDir(earlier.programDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"based", "municipios.tsv"}));
}

INSTANTIATE_TEST_SUITE_P(
    Damages, RefusedTakeover,
    ::testing::Values(
        // 11 invoices to a 2 KB block: the file ends in the 4th record of the 6th block.
        Refusal{"TruncatedFile", [](EarlierStore& s) { truncateTo(s.file("movimento.DB"), 0x800 + 5 * 2048 + 6 + 3 * 175 + 80); },
                {"movimento.DB", "truncado", "registro 59"}},
        Refusal{"FieldOfAnotherName",
                [](EarlierStore& s) {
                    s.write("movimento.DB", movimentoWith([](PxTable& t) { t.columns[11].name = "mov_nr_nota"; }));
                },
                {"movimento.DB", "falta o campo mov_nr_nf"}},
        Refusal{"FieldOfAnotherType",
                [](EarlierStore& s) {
                    PxTable t = municipiosTable(0x0C, 1252);
                    t.columns[0] = {"AR_AGRE", 0x01, 2};
                    for (auto& r : t.rows) r[0] = QVariant();
                    s.write("municipios.DB", t);
                },
                {"municipios.DB", "AR_AGRE é Alpha", "Short"}},
        Refusal{"FieldTheStoreLacks",
                [](EarlierStore& s) {
                    PxTable t = referenciasTable(0x0C, 1252);
                    t.columns.push_back({"ref_obs", 0x01, 10});
                    t.rows[0].push_back(QVariant());
                    s.write("referencias.DB", t);
                },
                {"referencias.DB", "ref_obs não existe"}},
        Refusal{"TextLongerThanOurColumn",
                [](EarlierStore& s) {
                    s.write("movimento.DB", movimentoWith([](PxTable& t) {
                                t.columns[11].size = 40;
                                t.rows[122][11] = QString(35, 'N');
                            }));
                },
                {"movimento.DB", "registro 123", "mov_nr_nf", "35 caracteres", "máximo 30"}},
        Refusal{"UnknownCodePage",
                [](EarlierStore& s) {
                    PxTable t = cadastroTable(0x0C, 1252);
                    t.codePage = 437;
                    s.write("cadastro.DB", t);
                },
                {"cadastro.DB", "página de código 437"}},
        Refusal{"ParadoxThree",
                [](EarlierStore& s) {
                    PxTable t = referenciasTable(0x0C, 1252);
                    t.version = 0x04;
                    s.write("referencias.DB", t);
                },
                {"referencias.DB", "versões 4 a 7"}},
        Refusal{"AutoincWithoutNumber",
                [](EarlierStore& s) { s.write("movimento.DB", movimentoWith([](PxTable& t) { t.rows[4][0] = QVariant(); })); },
                {"movimento.DB", "registro 5", "mov_cd_controle", "não tem número"}},
        Refusal{"NumberTwice",
                [](EarlierStore& s) { s.write("movimento.DB", movimentoWith([](PxTable& t) { t.rows[8][0] = 3; })); },
                {"movimento.DB", "registro 9", "não pode ser gravado"}}));

TEST(Takeover, AMixOfOurTablesAndParadoxTablesIsRefused) {
    EarlierStore earlier;
    QDir(earlier.based()).removeRecursively();
    createWorkingStore(earlier.based(), QString());
    earlier.write("cadastro.DB", cadastroTable(0x0C, 1252));
    const auto before = snapshot(earlier.based());
    try {
        takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities());
        FAIL() << "taken over";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().contains("tabelas do MERU (movimento.DB, municipios.DB, referencias.DB)")) << e.what();
        EXPECT_TRUE(e.message().contains("tabelas Paradox de uma instalação anterior (cadastro.DB)")) << e.what();
    }
    EXPECT_EQ(snapshot(earlier.based()), before);
}

TEST(Takeover, OurStoreIsLeftAlone) {
    EarlierStore earlier;
    QDir(earlier.based()).removeRecursively();
    createWorkingStore(earlier.based(), QString());
    const auto before = snapshot(earlier.based());
    EXPECT_EQ(takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities()).outcome, Takeover::Outcome::Nothing);
    EXPECT_EQ(snapshot(earlier.based()), before);
}

TEST(Takeover, AnEarlierKeptDirectoryIsNeverOverwritten) {
    EarlierStore earlier;
    earlier.write("referencias.DB", referenciasTable(0x0C, 1252));
    const QString first = earlier.programDir() + "/based-paradox-anterior";
    QDir().mkpath(first);
    QFile(first + "/referencias.DB").open(QIODevice::WriteOnly);
    const Takeover report = takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities());
    EXPECT_EQ(report.keptIn, first + "-2");
    EXPECT_EQ(QFileInfo(first + "/referencias.DB").size(), 0);
    const std::map<QString, QByteArray> kept = {{"referencias.DB", paradoxBytes(earlier.tables["referencias.DB"])}};
    EXPECT_EQ(snapshot(first + "-2"), kept);
}

// A start killed while it took over leaves one of these; the next start must lose
// nothing and finish.
TEST(Takeover, AStartKilledInTheMiddleIsFinishedByTheNext) {
    const struct {
        const char* name;
        std::function<void(EarlierStore&, const QString& work)> kill;
        Takeover::Outcome outcome;
    } cases[] = {
        {"while building",
         [](EarlierStore&, const QString& work) {
             createWorkingStore(work, QString());
             QFile::remove(work + "/referencias.DB");
         },
         Takeover::Outcome::TookOver},
        {"after the swap",
         [](EarlierStore& s, const QString& work) {
             QDir().rename(s.based(), work);
             createWorkingStore(s.based(), QString());
         },
         Takeover::Outcome::Finished},
        {"between the two moves",
         [](EarlierStore& s, const QString& work) {
             QDir().rename(s.based(), s.programDir() + "/based-paradox-anterior");
             createWorkingStore(work, QString());
         },
         Takeover::Outcome::Finished},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EarlierStore earlier;
        earlier.writeAll(0x0C, 850, 50);
        const auto earlierFiles = snapshot(earlier.based());
        const QString work = takeoverWorkDirectory(earlier.based());
        c.kill(earlier, work);
        const Takeover report = takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities());
        EXPECT_EQ(report.outcome, c.outcome);
        EXPECT_FALSE(QFileInfo::exists(work));
        EXPECT_EQ(snapshot(earlier.programDir() + "/based-paradox-anterior"), earlierFiles);
        EXPECT_EQ(QDir(earlier.based()).entryList(QDir::Files),
                  QStringList({"cadastro.DB", "movimento.DB", "municipios.DB", "referencias.DB"}));
        // A second look finds nothing left to do.
        EXPECT_EQ(takeOverEarlierInstallation(earlier.based(), earlier.ourMunicipalities()).outcome,
                  Takeover::Outcome::Nothing);
    }
}

}  // namespace
}  // namespace meru::test
