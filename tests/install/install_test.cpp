// cmake --install of this build into a temporary prefix: the program directory
// around an operator's store that it leaves as it was, the launcher, the menu
// entry and icon, and the installed program started as the menu starts it.

#include "installation.h"
#include "x_display.h"

#include "data/paradox/table_reader.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "data/store_lock.h"
#include "data/working_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using meru::test::filesUnder;
using meru::test::installInto;

const QString kMainWindowCaption = QStringLiteral("MERU - Caldeno. ");

class Installation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefix.isValid());
        meru::test::setMode(prefix.path(), 0755);
    }
    QString programDir() const { return prefix.path() + QStringLiteral("/lib/meru"); }
    QString based() const { return programDir() + QStringLiteral("/based"); }
    void install() {
        const meru::test::CommandResult r = installInto(prefix.path());
        ASSERT_EQ(r.exitCode, 0) << r.output.toStdString();
    }
    QStringList rows(const char* file, const char* sql) {
        meru::sqlite::Connection c(based() + QLatin1Char('/') + QLatin1String(file),
                                   meru::sqlite::Connection::Mode::ReadWrite);
        return c.lines(QString::fromUtf8(sql));
    }

    QTemporaryDir prefix;
};

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(Installation, LaysOutTheProgramDirectoryAroundAnExistingStoreThatItLeavesAsItWas) {
    meru::createWorkingStore(based(), QString());
    {
        meru::sqlite::Connection c(based() + QStringLiteral("/movimento.DB"), meru::sqlite::Connection::Mode::ReadWrite);
        c.exec(QStringLiteral("INSERT INTO movimento (mov_nr_nf, mov_cd_cnpj, mov_tp_gerado) "
                              "VALUES ('000123', '11222333000181', 'N')"));
    }
    // A saida/ from an earlier version: a stale file and a damaged template.
    const QString saida = programDir() + QStringLiteral("/saida");
    QDir().mkpath(saida);
    QFile(saida + QStringLiteral("/velho.DB")).open(QIODevice::WriteOnly);
    {
        QFile damaged(saida + QStringLiteral("/movimento.DB"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a table");
    }
    const QMap<QString, QByteArray> store = filesUnder(based());

    install();

    EXPECT_EQ(filesUnder(based()), store);
    EXPECT_EQ(rows("movimento.DB", "SELECT mov_nr_nf FROM movimento"), QStringList{QStringLiteral("000123")});

    const QFileInfo program(programDir() + QStringLiteral("/meru"));
    EXPECT_TRUE(program.isFile() && program.isExecutable());
    const QFileInfo launcher(prefix.path() + QStringLiteral("/bin/meru"));
    EXPECT_TRUE(launcher.isSymLink());
    EXPECT_EQ(launcher.canonicalFilePath(), program.canonicalFilePath());

    EXPECT_EQ(QDir(saida).entryList(QDir::Files, QDir::Name),
              (QStringList{"cadastro.DB", "cadastro.PX", "movimento.DB", "movimento.PX"}));
    for (const meru::schema::TableDef* def : {&meru::schema::cadastroExport(), &meru::schema::movimentoExport()}) {
        SCOPED_TRACE(def->fileName.toStdString());
        const QString db = QDir(saida).filePath(def->fileName);
        const meru::paradox::ParadoxContents t = meru::paradox::readTable(db);
        EXPECT_EQ(t.recordCount, 0);
        EXPECT_EQ(t.keyFieldCount, def->keyFieldCount);
        ASSERT_EQ(t.fields.size(), def->fields.size());
        for (size_t i = 0; i < def->fields.size(); ++i) EXPECT_EQ(t.fields[i].name, def->fields[i].name);
        QString px = db;
        px.replace(QLatin1String(".DB"), QLatin1String(".PX"));
        EXPECT_TRUE(meru::paradox::readPrimaryIndex(px, db).attachesToTable);
    }
}

TEST_F(Installation, PutsAValidMenuEntryAndTheIconOnTheDesktop) {
    install();
    const QString entry = prefix.path() + QStringLiteral("/share/applications/meru.desktop");
    const QStringList lines = QString::fromUtf8(read(entry)).split(QLatin1Char('\n'));
    for (const QString& expected : {QStringLiteral("Type=Application"), QStringLiteral("Name=MERU"),
                                    QStringLiteral("Exec=") + programDir() + QStringLiteral("/meru"),
                                    QStringLiteral("Icon=meru"), QStringLiteral("Categories=Office;")})
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^Comment=.*notas fiscais.*mês"))).size(), 1)
        << "a comment in Portuguese";

    const meru::test::CommandResult valid = meru::test::runCommand(QStringLiteral("desktop-file-validate"), {entry});
    EXPECT_EQ(valid.exitCode, 0);
    EXPECT_EQ(valid.output, QString());

    const QString icons = prefix.path() + QStringLiteral("/share/icons/hicolor/");
    EXPECT_TRUE(read(icons + QStringLiteral("scalable/apps/meru.svg")).contains("<svg"));
    EXPECT_TRUE(read(icons + QStringLiteral("48x48/apps/meru.png")).startsWith("\x89PNG"));
}

TEST_F(Installation, AFreshInstallLaysOutAnEmptyStoreWithTheMunicipalities) {
    install();
    for (const meru::schema::TableDef* def : meru::schema::workingTables())
        EXPECT_TRUE(QFileInfo::exists(based() + QLatin1Char('/') + def->fileName)) << def->fileName.toStdString();
    EXPECT_EQ(rows("movimento.DB", "SELECT count(*) FROM movimento"), QStringList{QStringLiteral("0")});
    EXPECT_EQ(rows("cadastro.DB", "SELECT count(*) FROM cadastro"), QStringList{QStringLiteral("0")});
    EXPECT_GT(rows("municipios.DB", "SELECT count(*) FROM municipios").value(0).toInt(), 5000);
}

TEST_F(Installation, TheInstalledProgramStartsFromAnotherDirectoryToItsMainWindowOverTheOperatorsStore) {
    meru::createWorkingStore(based(), QString());
    {
        meru::sqlite::Connection c(based() + QStringLiteral("/movimento.DB"), meru::sqlite::Connection::Mode::ReadWrite);
        c.exec(QStringLiteral("INSERT INTO movimento (mov_nr_nf, mov_cd_cnpj, mov_tp_gerado) "
                              "VALUES ('000123', '11222333000181', 'N')"));
    }
    install();
    meru::test::XDisplay display;
    ASSERT_TRUE(display.running());
    QTemporaryDir elsewhere;  // the working directory, home and configuration of the operator
    ASSERT_TRUE(elsewhere.isValid());

    QProcess meru;
    meru.setProgram(prefix.path() + QStringLiteral("/bin/meru"));
    meru.setWorkingDirectory(elsewhere.path());
    QProcessEnvironment env = display.environmentFor(QProcessEnvironment::systemEnvironment());
    env.insert(QStringLiteral("HOME"), elsewhere.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), elsewhere.path() + QStringLiteral("/.config"));
    meru.setProcessEnvironment(env);
    meru.setProcessChannelMode(QProcess::ForwardedChannels);
    meru.start();
    ASSERT_TRUE(meru.waitForStarted());

    const bool shown = display.waitForCaption(kMainWindowCaption, 60000);
    const bool stillRunning = meru.state() == QProcess::Running;
    meru.kill();
    meru.waitForFinished();
    EXPECT_TRUE(shown) << display.viewableCaptions().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(stillRunning);
    // It claimed the installed store, found through the launcher's link.
    EXPECT_TRUE(QFileInfo::exists(based() + QLatin1Char('/') + meru::StoreLock::lockFileName()));
    EXPECT_FALSE(QFileInfo::exists(elsewhere.path() + QStringLiteral("/based")));
    EXPECT_EQ(rows("movimento.DB", "SELECT mov_nr_nf FROM movimento"), QStringList{QStringLiteral("000123")});
}

}  // namespace
