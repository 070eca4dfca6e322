// The program killed at every step of a month closing: the store stays sound
// and no invoice is marked as sent that is not on the disk.

#include "data/paradox/create_table.h"
#include "data/paradox/table_reader.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "data/working_store.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace meru;

namespace {

QString integrity(const QString& file) {
    sqlite::Connection c(file, sqlite::Connection::Mode::ReadWrite);
    return c.lines(QStringLiteral("PRAGMA integrity_check")).join('\n');
}

QSet<QString> sentInStore(const QString& based) {
    sqlite::Connection c(based + "/movimento.DB", sqlite::Connection::Mode::ReadWrite);
    const QStringList sent = c.lines(QStringLiteral("SELECT mov_nr_nf FROM movimento WHERE mov_tp_gerado = 'S'"));
    return QSet<QString>(sent.begin(), sent.end());
}

QSet<QString> onDisk(const QString& file) {
    QSet<QString> numbers;
    try {
        for (const auto& row : paradox::readTable(file).rows) numbers << row[11].toString();
    } catch (const std::exception&) {
        // no readable table: nothing is on the disk
    }
    return numbers;
}

TEST(ClosingKilled, AtEveryStepLeavesASoundStoreAndNothingMarkedThatIsNotOnTheDisk) {
    for (const char* step : {"formata_disquete", "grava_disquete", "BatchMove1", "BatchMove2", "read-back",
                             "limpa_referencias", "torna_gerado", "none"}) {
        SCOPED_TRACE(step);
        QTemporaryDir dir;
        const QString based = dir.path() + "/based";
        createWorkingStore(based, QString());
        QDir().mkpath(dir.path() + "/saida");
        QDir().mkpath(dir.path() + "/drive_a");
        for (const auto* def : {&schema::cadastroExport(), &schema::movimentoExport()})
            paradox::createTable(*def, dir.path() + "/saida/" + def->fileName);
        {
            sqlite::Connection c(based + "/movimento.DB", sqlite::Connection::Mode::ReadWrite);
            c.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                   "INSERT INTO movimento (cad_cd_cnpj, mov_dt_referencia, mov_tp_gerado, mov_nr_nf, mov_vl_valor) "
                   "SELECT '11222333000181', '062004', 'N', i, i * 1.5 FROM n");
            sqlite::Connection u(based + "/cadastro.DB", sqlite::Connection::Mode::ReadWrite);
            u.exec("INSERT INTO CADASTRO (cad_dc_unidade, cad_cd_cnpj, cad_status) VALUES ('U', '11222333000181', 'N')");
            sqlite::Connection r(based + "/referencias.DB", sqlite::Connection::Mode::ReadWrite);
            r.exec("INSERT INTO referencias (ref_mesreferencia) VALUES ('062004')");
        }

        QProcess probe;
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QStringLiteral(MERU_CLOSING_PROBE), {dir.path(), step});
        ASSERT_TRUE(probe.waitForFinished(120000));
        const bool killed = probe.exitStatus() == QProcess::CrashExit;
        EXPECT_EQ(killed, QByteArray(step) != "none");
        if (!killed) EXPECT_EQ(probe.readAllStandardOutput().trimmed(), "DONE");

        for (const char* file : {"movimento.DB", "cadastro.DB", "municipios.DB", "referencias.DB"})
            EXPECT_EQ(integrity(based + "/" + file), "ok") << file;
        const QSet<QString> sent = sentInStore(based);
        const QSet<QString> disk = onDisk(dir.path() + "/drive_a/movimento.DB");
        EXPECT_TRUE(sent.isEmpty() || sent.size() == 2000) << sent.size();
        for (const QString& nf : sent) {
            ASSERT_TRUE(disk.contains(nf)) << "invoice " << nf.toStdString() << " marked as sent, not on the disk";
        }
        if (QByteArray(step) == "none") EXPECT_EQ(sent.size(), 2000);
    }
}

}  // namespace
