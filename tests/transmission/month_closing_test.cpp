#include "closing_fixture.h"

#include "transmission/gera_disquete.h"

#include <QProcess>
#include <QTimeZone>
#include <algorithm>
#include <cstdio>

using namespace meru;
using platform::Answer;

namespace {

const QString kAsk1 = QString::fromUtf8("Deseja Continuar com o processo de fechamento de mês?");
const QString kAsk2 = QString::fromUtf8("Insira um disco formatado no drive A: e presione OK\r\rTodos os arquivos do disquete serão apagados");
const QString kFormatted = QString::fromUtf8("Disco formatado com sucesso.");
const QString kCancelled = QString::fromUtf8("A formatação foi cancelada.");
const QString kSuccess = QStringLiteral("Dados Gerados com Sucesso!");
const QString kWriteFailed = QStringLiteral("Erro ao gravar no disco, Consulte o Manual do Usuario");
const QString kFailed = QStringLiteral("Erro ao gerar disquete, Selecione GERAR NOVAMENTE no menu");
const QString kNothing = QStringLiteral("Nao Existem Dados a Serem Enviados!");

class MonthClosing : public test::ClosingFixture {};

TEST_F(MonthClosing, NoOrCancelChangesNothing) {
    addUnit("11222333000181", "Unidade", "N");
    addInvoice({"1"});
    for (const auto& answers : {std::vector<Answer>{Answer::No}, {Answer::Yes, Answer::Cancel}, {Answer::None}}) {
        boxes.clear();
        for (Answer a : answers) boxes.answer(a);
        clickFinalizarMes();
        EXPECT_EQ(boxes.boxes().size(), answers.size());
        EXPECT_EQ(invoiceStatuses(), (std::map<QString, QString>{{"1", "N"}}));
        EXPECT_EQ(unitStatuses().at("11222333000181"), "N");
        EXPECT_TRUE(QDir(store.driveA()).isEmpty());
    }
}

TEST_F(MonthClosing, NothingToSendWithAPendingUnitStopsBeforeTheDisk) {
    addUnit("11222333000181", "Unidade", "A");
    addInvoice({"1", "052004", "S"});
    boxes.answer(Answer::Yes).answer(Answer::Ok);
    clickFinalizarMes();
    EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, kNothing}));
    EXPECT_EQ(unitStatuses().at("11222333000181"), "A");
    EXPECT_TRUE(QDir(store.driveA()).isEmpty());
}

// Several months and units at once, a unit excluded from sending, an invoice
// counted as sent: the disk holds exactly the unsent invoices and the units not
// excluded, as the working tables hold them.
TEST_F(MonthClosing, EveryUnsentInvoiceAndEveryUnitNotExcludedReachTheDiskAndAreMarked) {
    addUnit("11222333000181", QString::fromUtf8("Secretaria de Educação"), "N");
    addUnit("22333444000155", QString::fromUtf8("São João"), "A");
    addUnit("33444555000122", "Excluida", "C");
    addUnit("44555666000199", "Enviada", "S");
    addInvoice({"1", "052004"});
    addInvoice({"2", "062004", "N", "22333444000155", QDate(2004, 3, 15), 10.5});
    addInvoice({"3", "062004", "N", "33444555000122"});
    addInvoice({"4", "062004", "G"});
    addInvoice({"5", "042004", "S"});
    openMonth("062004");

    boxes.answer(Answer::Yes).answer(Answer::Ok);
    formatDialogClicks({"btnIniciar", "btnFechar"});
    clickFinalizarMes();
    EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, kFormatted, kSuccess}));

    QStringList sentNumbers = diskColumn("movimento.DB", "mov_nr_nf");
    sentNumbers.sort();
    EXPECT_EQ(sentNumbers, QStringList({"1", "2", "3"}));
    QStringList units = diskColumn("cadastro.DB", "cad_cd_cnpj");
    units.sort();
    EXPECT_EQ(units, QStringList({"11222333000181", "22333444000155", "44555666000199"}));
    EXPECT_TRUE(diskColumn("cadastro.DB", "cad_dc_unidade").contains(QString::fromUtf8("São João")));
    EXPECT_EQ(disk("cadastro.DB").codePage, 1252);

    // The invoice of 15 March 2004 arrives as 15 March 2004, 00:00:00.
    const paradox::ParadoxContents mov = disk("movimento.DB");
    for (const auto& row : mov.rows)
        if (row[11].toString() == "2") {
            EXPECT_EQ(row[4].toDateTime(), QDateTime(QDate(2004, 3, 15), QTime(0, 0), Qt::UTC));
            EXPECT_EQ(row[5].toDouble(), 10.5);
        }

    EXPECT_EQ(invoiceStatuses(), (std::map<QString, QString>{{"1", "S"}, {"2", "S"}, {"3", "S"}, {"4", "G"}, {"5", "S"}}));
    EXPECT_EQ(unitStatuses(), (std::map<QString, QString>{{"11222333000181", "S"}, {"22333444000155", "S"},
                                                          {"33444555000122", "C"}, {"44555666000199", "S"}}));
    EXPECT_EQ(rowsOf("referencias.DB", "referencias"), 0);

    // A second closing finds nothing to send.
    boxes.clear();
    boxes.answer(Answer::Yes).answer(Answer::Ok);
    clickFinalizarMes();
    EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, kNothing}));
}

TEST_F(MonthClosing, ACancelledFormatGoesOnOverwritingTheFourFilesAndLeavingTheRest) {
    addUnit("11222333000181", "Unidade", "N");
    addInvoice({"1"});
    for (const char* file : {"movimento.DB", "movimento.PX", "cadastro.DB", "cadastro.PX", "carta.txt"}) {
        QFile f(onDisk(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("of another month");
    }
    boxes.answer(Answer::Yes).answer(Answer::Ok);
    formatDialogClicks({"btnFechar"});
    clickFinalizarMes();
    EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, kCancelled, kSuccess}));
    EXPECT_EQ(diskColumn("movimento.DB", "mov_nr_nf"), QStringList({"1"}));
    QFile other(onDisk("carta.txt"));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "of another month");
}

TEST_F(MonthClosing, AMissingTemplateGivesBothFailureMessagesAndChangesNothing) {
    addUnit("11222333000181", "Unidade", "N");
    addInvoice({"1"});
    openMonth("062004");
    for (const char* missing : {"movimento.DB", "cadastro.DB"}) {
        SCOPED_TRACE(missing);
        QDir(store.driveA()).removeRecursively();
        QDir().mkpath(store.driveA());
        QFile::rename(QDir(store.saidaDir()).filePath(missing), QDir(store.saidaDir()).filePath("aside"));
        boxes.clear();
        boxes.answer(Answer::Yes).answer(Answer::Ok);
        formatDialogClicks({"btnFechar"});
        clickFinalizarMes();
        EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, kCancelled, kWriteFailed, kFailed}));
        EXPECT_EQ(invoiceStatuses(), (std::map<QString, QString>{{"1", "N"}}));
        EXPECT_EQ(unitStatuses().at("11222333000181"), "N");
        EXPECT_EQ(rowsOf("referencias.DB", "referencias"), 1);
        QFile::rename(QDir(store.saidaDir()).filePath("aside"), QDir(store.saidaDir()).filePath(missing));
    }
}

TEST_F(MonthClosing, TheSuccessMessageComesOnlyAfterTheMarking) {
    addUnit("11222333000181", "Unidade", "N");
    addInvoice({"1"});
    QStringList events;
    DisketteGeneration::setStepObserver([&](const char* step) { events << step; });
    boxes.setShowHook([&](platform::BoxKind, const QString& text) { events << text; });
    boxes.answer(Answer::Yes).answer(Answer::Ok);
    formatDialogClicks({"btnFechar"});
    clickFinalizarMes();
    DisketteGeneration::setStepObserver({});
    EXPECT_EQ(events, QStringList({kAsk1, kAsk2, "formata_disquete", kCancelled, "grava_disquete", "BatchMove1",
                                   "BatchMove2", "read-back", "limpa_referencias", "torna_gerado", kSuccess}));
}

// A disk that reads back other than what was selected is a failed write: the
// rows stay unsent.
TEST_F(MonthClosing, ADiskThatDoesNotReadBackAsWrittenMarksNothing) {
    addUnit("11222333000181", "Unidade", "N");
    addInvoice({"1"});
    addInvoice({"2"});
    DisketteGeneration::setStepObserver([&](const char* step) {
        if (QByteArray(step) == "read-back") QFile::copy(QDir(store.saidaDir()).filePath("movimento.DB"), onDisk("x"));
        if (QByteArray(step) == "read-back") {
            QFile::remove(onDisk("movimento.DB"));
            QFile::rename(onDisk("x"), onDisk("movimento.DB"));
        }
    });
    boxes.answer(Answer::Yes).answer(Answer::Ok);
    formatDialogClicks({"btnFechar"});
    clickFinalizarMes();
    DisketteGeneration::setStepObserver({});
    EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, kCancelled, kWriteFailed, kFailed}));
    EXPECT_EQ(invoiceStatuses(), (std::map<QString, QString>{{"1", "N"}, {"2", "N"}}));
}

// Without a copy of the store nothing is written or changed.
TEST_F(MonthClosing, AStoreThatCannotBeCopiedFirstStopsTheClosing) {
    addUnit("11222333000181", "Unidade", "N");
    addInvoice({"1"});
    QFile blocker(store.programDir() + "copias");  // a file where the copies' directory goes
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    boxes.answer(Answer::Yes).answer(Answer::Ok);
    formatDialogClicks({"btnFechar"});  // never needed unless the closing goes on
    clickFinalizarMes();
    ASSERT_EQ(boxes.texts().size(), 3);
    EXPECT_EQ(boxes.boxes()[2].kind, platform::BoxKind::Error);
    EXPECT_TRUE(boxes.texts()[2].startsWith(QString::fromUtf8("Não foi possível guardar a cópia de segurança dos dados")));
    EXPECT_TRUE(QDir(store.driveA()).isEmpty());
    EXPECT_EQ(invoiceStatuses(), (std::map<QString, QString>{{"1", "N"}}));
}

// A small file system of the test's own over drive A:, unmounted at the end.
class MountedDrive {
public:
    MountedDrive(const QString& dir, const QString& options) : dir_(dir) {
        mounted_ = QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", dir}) == 0;
    }
    ~MountedDrive() {
        if (mounted_) QProcess::execute("umount", {dir_});
    }
    bool mounted() const { return mounted_; }

private:
    QString dir_;
    bool mounted_ = false;
};

TEST_F(MonthClosing, AMissingReadOnlyOrFullDriveFailsTheClosingAndMarksNothing) {
    addUnit("11222333000181", "Unidade", "N");
    for (int i = 1; i <= 300; ++i) addInvoice({QString::number(i)});
    openMonth("062004");
    const struct {
        const char* name;
        const char* mountOptions;  // none: the drive's directory is missing
        QString formatMessage;
    } cases[] = {
        {"missing", nullptr, QString::fromUtf8("Não foi possível formatar.")},
        {"read-only", "ro,size=256k", kCancelled},
        {"full", "size=16k", kCancelled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<MountedDrive> drive;
        if (c.mountOptions) {
            drive = std::make_unique<MountedDrive>(store.driveA(), c.mountOptions);
            if (!drive->mounted()) {
                std::printf("[  SKIPPED ] the %s drive: this user cannot mount a file system\n", c.name);
                continue;
            }
        } else {
            QDir(store.driveA()).removeRecursively();
        }
        boxes.clear();
        boxes.answer(Answer::Yes).answer(Answer::Ok);
        formatDialogClicks({"btnFechar"});
        clickFinalizarMes();
        EXPECT_EQ(boxes.texts(), QStringList({kAsk1, kAsk2, c.formatMessage, kWriteFailed, kFailed}));
        const auto statuses = invoiceStatuses();
        EXPECT_EQ(std::count_if(statuses.begin(), statuses.end(), [](const auto& s) { return s.second != "N"; }), 0);
        EXPECT_EQ(unitStatuses().at("11222333000181"), "N");
        EXPECT_EQ(rowsOf("referencias.DB", "referencias"), 1);
        drive.reset();
        QDir().mkpath(store.driveA());
    }
}

}  // namespace
