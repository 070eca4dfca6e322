#pragma once
// The whole program on a store of its own, with export templates, a drive A:
// and the rows a closing test needs, written straight into the working tables.

#include "app_fixture.h"

#include "data/paradox/create_table.h"
#include "data/paradox/table_reader.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "platform/engine_config.h"
#include "platform/format_dialog.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <map>
#include <memory>

namespace meru::test {

struct Invoice {
    QString nf;
    QString month = QStringLiteral("062004");
    QString status = QStringLiteral("N");
    QString unit = QStringLiteral("11222333000181");
    QDate date = QDate(2004, 6, 15);
    double value = 1234.56;
};

class ClosingFixture : public AppFixture {
protected:
    ClosingFixture() : AppFixture(false) {}

    void SetUp() override {
        platform::setProgramDirectory(store.programDir());
        QDir().mkpath(store.saidaDir());
        for (const auto* def : {&schema::cadastroExport(), &schema::movimentoExport()})
            paradox::createTable(*def, QDir(store.saidaDir()).filePath(def->fileName));
        AppFixture::SetUp();
        cnpj_unidade = QStringLiteral("11222333000181");
        frm_menu->habilita_menus();
    }
    void TearDown() override {
        formatPoll_.reset();
        AppFixture::TearDown();
        platform::setProgramDirectory(QString());
    }

    sqlite::Connection table(const char* file) const {
        return sqlite::Connection(QDir(store.basedDir()).filePath(QLatin1String(file)),
                                  sqlite::Connection::Mode::ReadWrite);
    }
    void addUnit(const QString& cnpj, const QString& name, const QString& status) {
        table("cadastro.DB").execBound(QStringLiteral("INSERT INTO CADASTRO (cad_dc_unidade, cad_dc_bairro, cad_cd_cnpj, "
                                                      "cad_status) VALUES (?, 'Centro', ?, ?)"),
                                       {name, cnpj, status});
    }
    void addInvoice(const Invoice& i) {
        table("movimento.DB")
            .execBound(QStringLiteral("INSERT INTO movimento (cad_cd_cnpj, mov_nr_processo, mov_dt_processo, mov_dt_notaf, "
                                      "mov_vl_valor, mov_cd_cnpj, mov_nr_inscricao, mov_dt_referencia, "
                                      "mov_tp_retificadora, mov_tp_gerado, mov_nr_nf) "
                                      "VALUES (?, 'P-1', ?, ?, ?, '11444777000161', '12345678901231', ?, 'N', ?, ?)"),
                       {i.unit, i.date.addDays(-1).toString(Qt::ISODate), i.date.toString(Qt::ISODate), i.value, i.month,
                        i.status, i.nf});
    }
    void openMonth(const QString& month) {
        table("referencias.DB").execBound(QStringLiteral("INSERT INTO referencias (ref_mesreferencia) VALUES (?)"), {month});
    }
    // invoice number -> status
    std::map<QString, QString> invoiceStatuses() {
        std::map<QString, QString> m;
        auto c = table("movimento.DB");
        sqlite::Statement st(c.handle(), QStringLiteral("SELECT mov_nr_nf, mov_tp_gerado FROM movimento"));
        while (st.step()) m[st.column(0).toString()] = st.column(1).toString();
        return m;
    }
    std::map<QString, QString> unitStatuses() {
        std::map<QString, QString> m;
        auto c = table("cadastro.DB");
        sqlite::Statement st(c.handle(), QStringLiteral("SELECT cad_cd_cnpj, cad_status FROM CADASTRO"));
        while (st.step()) m[st.column(0).toString()] = st.column(1).toString();
        return m;
    }
    int rowsOf(const char* file, const char* name) {
        return table(file).lines(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(name)).first().toInt();
    }
    QString onDisk(const QString& file) const { return QDir(store.driveA()).filePath(file); }
    paradox::ParadoxContents disk(const QString& file) const { return paradox::readTable(onDisk(file)); }
    // The value of a column of every row of an export table, by the column's name.
    QStringList diskColumn(const QString& file, const QString& column) const {
        const paradox::ParadoxContents t = disk(file);
        int c = -1;
        for (size_t i = 0; i < t.fields.size(); ++i)
            if (t.fields[i].name.compare(column, Qt::CaseInsensitive) == 0) c = int(i);
        QStringList values;
        for (const auto& row : t.rows) values << row[size_t(c)].toString();
        return values;
    }

    // The operator's clicks in the format dialog, once it opens.
    void formatDialogClicks(QStringList buttons) {
        formatPoll_ = std::make_unique<QTimer>();
        QTimer* poll = formatPoll_.get();
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, buttons] {
            auto* dialog = qobject_cast<platform::FormatDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll->stop();
            for (const QString& name : buttons) QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton);
        });
        poll->start();
    }
    void clickFinalizarMes() { QTest::mouseClick(menu()->btb_fechames, Qt::LeftButton); }

private:
    std::unique_ptr<QTimer> formatPoll_;
};

}  // namespace meru::test
