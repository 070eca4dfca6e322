// The start refuses, in Portuguese and naming what cannot be written, a program
// directory that its user cannot write: the start-up run as a child process
// (exit code, its one box) and the installed program under X (its box and its
// message), as a user who meets the permissions.

#include "installation.h"
#include "x_display.h"

#include "data/schema.h"
#include "data/store_lock.h"
#include "data/working_store.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using meru::test::setMode;

const QString kRefusal = QStringLiteral("Este usuário não pode gravar na pasta do MERU:");

// A program directory with a store that every user may write.
class ProgramDirectory : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        layOut(dir.path());
    }
    static void layOut(const QString& programDir) {
        const QString based = programDir + QStringLiteral("/based");
        if (!QFileInfo::exists(based)) meru::createWorkingStore(based, QString());
        setMode(programDir, 0777);
        setMode(based, 0777);
        for (const QString& f : QDir(based).entryList(QDir::Files)) setMode(based + QLatin1Char('/') + f, 0666);
    }
    QString path(const char* relative) const { return dir.path() + QLatin1Char('/') + QString::fromUtf8(relative); }
    void makeReadOnlyFile(const char* relative) {
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        setMode(path(relative), 0444);
    }
    void makeDirectory(const char* relative, unsigned mode) {
        ASSERT_TRUE(QDir().mkpath(path(relative)));
        setMode(path(relative), mode);
    }

    QTemporaryDir dir;
};

struct ProbeOutcome {
    int exitCode = -1;
    bool started = false;
    QStringList boxes;
};

ProbeOutcome runProbe(const QString& store) {
    QProcess p;
    p.setProgram(QStringLiteral(MERU_STARTUP_PROBE));
    p.setArguments({store, QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("0")});
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    meru::test::runAsNobodyWhenRoot(p);
    p.start();
    p.waitForFinished(60000);
    ProbeOutcome o;
    o.exitCode = p.exitCode();
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("BOX "))) o.boxes << line.mid(4);
        else if (line == QLatin1String("STARTED")) o.started = true;
        else if (!o.boxes.isEmpty() && !line.isEmpty()) o.boxes.last() += QLatin1Char('\n') + line;
    }
    return o;
}

TEST_F(ProgramDirectory, EveryPlaceTheProgramWritesBesideItsStoreIsCheckedAtStart) {
    const struct {
        const char* name;
        std::function<void(ProgramDirectory&)> lockOut;
        const char* named;  // what the box names; nullptr: the program starts
        bool byStoreClaim = false;  // the store's own refusal, which comes first
    } cases[] = {
        {"everything writable", [](ProgramDirectory&) {}, nullptr},
        {"the program directory, where copias/ would be made",
         [](ProgramDirectory& t) { setMode(t.dir.path(), 0555); }, ""},
        {"copias/", [](ProgramDirectory& t) { t.makeDirectory("copias", 0555); }, "copias"},
        {"a kept copy, removed when it is the oldest",
         [](ProgramDirectory& t) {
             t.makeDirectory("copias", 0777);
             t.makeDirectory("copias/20260101-080000-000", 0555);
         },
         "copias/20260101-080000-000"},
        {"a table's write-ahead log", [](ProgramDirectory& t) { t.makeReadOnlyFile("based/movimento.DB-wal"); },
         "based/movimento.DB-wal"},
        {"the lock file", [](ProgramDirectory& t) { t.makeReadOnlyFile("based/meru.lck"); }, "based/meru.lck"},
        {"the program directory and the store",
         [](ProgramDirectory& t) {
             setMode(t.dir.path(), 0555);
             setMode(t.path("based"), 0555);
         },
         "based", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(path("copias")).removeRecursively();
        for (const char* leftover : {"based/movimento.DB-wal", "based/meru.lck"}) QFile::remove(path(leftover));
        layOut(dir.path());
        c.lockOut(*this);

        const ProbeOutcome o = runProbe(path("based"));
        setMode(dir.path(), 0777);
        setMode(path("based"), 0777);
        if (!c.named) {
            EXPECT_TRUE(o.started) << o.boxes.join(QLatin1Char('\n')).toStdString();
            EXPECT_EQ(o.exitCode, 0);
            continue;
        }
        EXPECT_EQ(o.exitCode, 1);
        EXPECT_FALSE(o.started);
        ASSERT_EQ(o.boxes.size(), 1) << o.boxes.join(QLatin1String("\n---\n")).toStdString();
        const QString box = o.boxes[0];
        if (c.byStoreClaim) {
            EXPECT_TRUE(box.startsWith(QStringLiteral("error: Este usuário não pode gravar nos dados do MERU:\n") +
                                       path(c.named)))
                << box.toStdString();
            continue;
        }
        EXPECT_TRUE(box.startsWith(QStringLiteral("error: ") + kRefusal)) << box.toStdString();
        EXPECT_TRUE(box.split(QLatin1Char('\n')).contains(QDir::cleanPath(path(c.named)))) << box.toStdString();
        EXPECT_TRUE(box.contains(QStringLiteral("Peça ao administrador permissão de gravação para a pasta ") + dir.path()))
            << box.toStdString();
    }
}

TEST_F(ProgramDirectory, TheInstalledProgramInAReadOnlyDirectorySaysSoAndOpensNoMainWindow) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    setMode(prefix.path(), 0755);
    const meru::test::CommandResult installed = meru::test::installInto(prefix.path());
    ASSERT_EQ(installed.exitCode, 0) << installed.output.toStdString();
    const QString programDir = prefix.path() + QStringLiteral("/lib/meru");
    layOut(programDir);  // the store itself stays writable: only the directory is refused
    setMode(programDir, 0555);

    meru::test::XDisplay display;
    ASSERT_TRUE(display.running());
    QProcess meru;
    meru.setProgram(prefix.path() + QStringLiteral("/bin/meru"));
    meru.setWorkingDirectory(dir.path());
    QProcessEnvironment env = display.environmentFor(QProcessEnvironment::systemEnvironment());
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/.config"));
    meru.setProcessEnvironment(env);
    meru.setReadChannel(QProcess::StandardError);
    meru::test::runAsNobodyWhenRoot(meru);
    meru.start();
    ASSERT_TRUE(meru.waitForStarted());

    QString said;
    const QDeadlineTimer deadline(30000);
    while (!said.contains(QLatin1String("ou instale o MERU")) && !deadline.hasExpired() && meru.waitForReadyRead(1000))
        said += QString::fromLocal8Bit(meru.readAllStandardError());
    const bool boxShown = display.waitForCaption(QStringLiteral("MERU - Caldeno."), 30000);
    const QStringList captions = display.viewableCaptions();
    const bool waitsForTheOperator = meru.state() == QProcess::Running;
    meru.kill();
    meru.waitForFinished();
    setMode(programDir, 0755);

    EXPECT_TRUE(said.contains(kRefusal + QLatin1Char('\n') + programDir + QLatin1Char('\n'))) << said.toStdString();
    EXPECT_TRUE(boxShown) << captions.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(waitsForTheOperator);
    EXPECT_FALSE(captions.contains(QStringLiteral("MERU - Caldeno. ")));
    EXPECT_FALSE(QFileInfo::exists(programDir + QStringLiteral("/based/") + meru::StoreLock::lockFileName()));
}

}  // namespace
