// The start-up on stores that a test has damaged itself, run as a child process
// whose operator answers every box long after the splash's time is up.

#include "data/database.h"
#include "data/schema.h"
#include "data/store_backup.h"
#include "data/sqlite_connection.h"
#include "data/store_lock.h"
#include "data/working_store.h"
#include "platform/engine_config.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kSplashMs = 300;
constexpr int kLateAnswerMs = 1500;

struct Outcome {
    int exitCode = -1;
    bool crashed = false;
    QStringList boxes;  // "<kind>: <text>"
    bool started = false;
};

class Probe {
public:
    explicit Probe(const QString& store, int stayMs = 0, const QString& answers = {}) {
        process_.setProgram(QStringLiteral(MERU_STARTUP_PROBE));
        QStringList args{store, QString::number(kSplashMs), QString::number(kLateAnswerMs), QString::number(stayMs)};
        if (!answers.isEmpty()) args << answers;
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    // Runs the probe as another user, who cannot write what root's tables are.
    void runAsNobody() {
        process_.setChildProcessModifier([] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
        });
    }
    void start() { process_.start(); }
    bool waitUntilStarted() {
        while (!output_.contains("STARTED\n")) {
            if (!process_.waitForReadyRead(20000)) return false;
            output_ += process_.readAllStandardOutput();
        }
        return true;
    }
    void kill() {
        process_.kill();
        process_.waitForFinished();
    }
    Outcome finish() {
        process_.waitForFinished(60000);
        output_ += process_.readAllStandardOutput();
        Outcome o;
        o.crashed = process_.exitStatus() == QProcess::CrashExit;
        o.exitCode = process_.exitCode();
        for (const QString& line : QString::fromUtf8(output_).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("BOX "))) o.boxes << line.mid(4);
            else if (!o.boxes.isEmpty() && !line.isEmpty() && line != QLatin1String("STARTED")) o.boxes.last() += "\n" + line;
            if (line == QLatin1String("STARTED")) o.started = true;
        }
        return o;
    }

private:
    QProcess process_;
    QByteArray output_;
};

Outcome run(const QString& store) {
    Probe probe(store);
    probe.start();
    return probe.finish();
}

class StartupFailure : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        meru::createWorkingStore(based(), QString());
    }

public:
    QString based() const { return dir.path() + QStringLiteral("/based"); }
    QString table(const char* file) const { return based() + QLatin1Char('/') + QLatin1String(file); }

    QTemporaryDir dir;
};

void truncateToHalf(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.resize(f.size() / 2));
}

void fillWithRandomBytes(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray junk(16384, '\0');
    for (char& c : junk) c = char(QRandomGenerator::global()->bounded(256));
    f.write(junk);
}

// Fills movimento over several pages, then overwrites the header of the table's
// root page, as a failing disk would: no index rebuild brings the rows back.
void damageATablePage(const QString& path) {
    int root = 0;
    {
        meru::sqlite::Connection c(path, meru::sqlite::Connection::Mode::ReadWrite);
        c.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                              "INSERT INTO movimento (mov_nr_nf, mov_cd_cnpj, mov_tp_gerado) "
                              "SELECT printf('%030d', i), '11222333000181', 'N' FROM n"));
        c.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        root = c.lines(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'movimento' COLLATE NOCASE")).first().toInt();
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(qint64(root - 1) * 4096));
    f.write(QByteArray(64, char(0xff)));
}

TEST_F(StartupFailure, EveryDamagedStoreEndsWithItsBoxAndExitCodeOneHoweverLateTheBoxIsAnswered) {
    const struct {
        const char* name;
        std::function<void(StartupFailure&)> damage;
        const char* expected;
    } cases[] = {
        {"table truncated to half", [](StartupFailure& t) { truncateToHalf(t.table("movimento.DB")); }, "movimento"},
        {"random bytes for a table", [](StartupFailure& t) { fillWithRandomBytes(t.table("cadastro.DB")); }, "CADASTRO"},
        {"table missing", [](StartupFailure& t) { QFile::remove(t.table("referencias.DB")); }, "Table does not exist"},
        {"based missing", [](StartupFailure& t) { QDir(t.based()).removeRecursively(); }, "Directory not found"},
        {"a table page beyond repair", [](StartupFailure& t) { damageATablePage(t.table("movimento.DB")); },
         "A tabela movimento está danificada e não pôde ser reparada."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(based()).removeRecursively();
        meru::createWorkingStore(based(), QString());
        c.damage(*this);
        const Outcome o = run(based());
        EXPECT_FALSE(o.crashed);
        EXPECT_EQ(o.exitCode, 1);
        EXPECT_FALSE(o.started);
        ASSERT_EQ(o.boxes.size(), 1) << o.boxes.join("\n---\n").toStdString();
        EXPECT_TRUE(o.boxes[0].startsWith("error: ")) << o.boxes[0].toStdString();
        EXPECT_TRUE(o.boxes[0].contains(QString::fromUtf8(c.expected), Qt::CaseInsensitive)) << o.boxes[0].toStdString();
    }
}

QStringList unitNames(const QString& cadastroFile) {
    meru::sqlite::Connection c(cadastroFile, meru::sqlite::Connection::Mode::ReadWrite);
    return c.lines(QStringLiteral("SELECT cad_dc_unidade FROM cadastro ORDER BY Cad_controle"));
}

void addUnit(const QString& cadastroFile, const QString& name) {
    meru::sqlite::Connection c(cadastroFile, meru::sqlite::Connection::Mode::ReadWrite);
    c.execBound(QStringLiteral("INSERT INTO cadastro (cad_dc_unidade, cad_cd_cnpj, cad_status) VALUES (?, '11222333000181', 'N')"),
                {name});
}

void keepCopyOf(const QString& based) {
    meru::platform::EngineConfig::instance().setAliasPath(QStringLiteral("MERUDBPX"), based);
    meru::Database db;
    db.open();
    meru::keepStoreCopy(db);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(StartupFailure, ADamagedStoreOffersTheNewestKeptCopyAndKeepsTheDamagedFilesAside) {
    addUnit(table("cadastro.DB"), QStringLiteral("PRIMEIRA"));
    keepCopyOf(based());
    addUnit(table("cadastro.DB"), QStringLiteral("SEGUNDA"));
    keepCopyOf(based());
    addUnit(table("cadastro.DB"), QStringLiteral("DIGITADA DEPOIS DA COPIA"));
    damageATablePage(table("movimento.DB"));
    const QByteArray damaged = contents(table("movimento.DB"));

    {
        SCOPED_TRACE("the operator says No: nothing is touched");
        Probe probe(based(), 0, QStringLiteral("no"));
        probe.start();
        const Outcome o = probe.finish();
        EXPECT_EQ(o.exitCode, 1);
        EXPECT_FALSE(o.started);
        ASSERT_EQ(o.boxes.size(), 1) << o.boxes.join("\n---\n").toStdString();
        EXPECT_TRUE(o.boxes[0].startsWith("warnYesNo: A tabela MOVIMENTO está danificada e não pôde ser reparada.")) << o.boxes[0].toStdString();
        EXPECT_TRUE(o.boxes[0].contains("Há uma cópia dos dados feita em ")) << o.boxes[0].toStdString();
        EXPECT_EQ(contents(table("movimento.DB")), damaged);
        EXPECT_EQ(QDir(dir.path()).entryList({"based-danificada-*"}, QDir::Dirs).size(), 0);
    }
    {
        SCOPED_TRACE("the operator says Yes: the newest copy is back and the program starts");
        Probe probe(based(), 0, QStringLiteral("yes"));
        probe.start();
        const Outcome o = probe.finish();
        EXPECT_EQ(o.exitCode, 0);
        EXPECT_TRUE(o.started);
        ASSERT_EQ(o.boxes.size(), 2) << o.boxes.join("\n---\n").toStdString();
        EXPECT_TRUE(o.boxes[0].startsWith("warnYesNo: A tabela MOVIMENTO está danificada")) << o.boxes[0].toStdString();
        EXPECT_TRUE(o.boxes[1].startsWith("inform: A cópia dos dados de ")) << o.boxes[1].toStdString();
        EXPECT_EQ(unitNames(table("cadastro.DB")), (QStringList{"PRIMEIRA", "SEGUNDA"}));
        const QStringList aside = QDir(dir.path()).entryList({"based-danificada-*"}, QDir::Dirs);
        ASSERT_EQ(aside.size(), 1);
        const QString kept = dir.path() + "/" + aside[0];
        EXPECT_EQ(contents(kept + "/movimento.DB"), damaged);
        EXPECT_EQ(unitNames(kept + "/cadastro.DB"), (QStringList{"PRIMEIRA", "SEGUNDA", "DIGITADA DEPOIS DA COPIA"}));
    }
}

TEST_F(StartupFailure, ASecondCopyIsRefusedAndAKilledCopyDoesNotBlockTheNext) {
    Probe first(based(), 60000);
    first.start();
    ASSERT_TRUE(first.waitUntilStarted());

    const Outcome second = run(based());
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_FALSE(second.started);
    ASSERT_EQ(second.boxes.size(), 1);
    EXPECT_TRUE(second.boxes[0].startsWith("error: O MERU já está aberto sobre os dados em ")) << second.boxes[0].toStdString();

    first.kill();  // as a crash or a power cut leaves it: the lock file stays behind
    ASSERT_TRUE(QFile::exists(based() + "/" + meru::StoreLock::lockFileName()));
    Probe third(based(), 0);
    third.start();
    const Outcome o = third.finish();
    EXPECT_TRUE(o.started) << o.boxes.join("\n").toStdString();
    EXPECT_EQ(o.exitCode, 0);
}

TEST_F(StartupFailure, AStoreThisUserCannotWriteIsRefused) {
    // Root writes whatever the permissions say: the probe then runs as nobody.
    const bool asRoot = ::geteuid() == 0;
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    for (const meru::schema::TableDef* def : meru::schema::workingTables())
        ::chmod(QFile::encodeName(table(def->fileName.toUtf8().constData())).constData(), 0444);
    ::chmod(QFile::encodeName(based()).constData(), 0555);

    Probe probe(based());
    if (asRoot) probe.runAsNobody();
    probe.start();
    const Outcome o = probe.finish();
    ::chmod(QFile::encodeName(based()).constData(), 0755);
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_FALSE(o.started);
    ASSERT_EQ(o.boxes.size(), 1);
    EXPECT_TRUE(o.boxes[0].startsWith("error: Este usuário não pode gravar nos dados do MERU:")) << o.boxes[0].toStdString();
}

}  // namespace
