#include "closing_fixture.h"

#include "data/store_backup.h"

#include <QElapsedTimer>
#include <sys/wait.h>
#include <unistd.h>

using namespace meru;
using platform::Answer;

namespace {

const QString kQuestion = QString::fromUtf8("Todos os dados que foram digitados serão apagados. Continuar?");

class Clearing : public test::ClosingFixture {
protected:
    void SetUp() override {
        ClosingFixture::SetUp();
        addUnit("11222333000181", "Unidade", "A");
        addInvoice({"1"});
        addInvoice({"2", "052004", "S"});
        openMonth("062004");
    }
    void chooseLimpar() { test::menu()->LimparBancodeDados1->trigger(); }
    int copiesKept() const {
        return QDir(copiesDirectory(store.basedDir())).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    }
};

TEST_F(Clearing, NoKeepsEverything) {
    boxes.answer(Answer::No);
    chooseLimpar();
    EXPECT_EQ(boxes.texts(), QStringList({kQuestion}));
    EXPECT_EQ(rowsOf("movimento.DB", "movimento"), 2);
    EXPECT_EQ(rowsOf("referencias.DB", "referencias"), 1);
    EXPECT_EQ(copiesKept(), 0);
}

TEST_F(Clearing, YesEmptiesInvoicesAndMonthKeepsUnitsAndACopyOfWhatWasThere) {
    boxes.answer(Answer::Yes);
    chooseLimpar();
    EXPECT_EQ(boxes.texts(), QStringList({kQuestion}));
    EXPECT_EQ(rowsOf("movimento.DB", "movimento"), 0);
    EXPECT_EQ(rowsOf("referencias.DB", "referencias"), 0);
    EXPECT_EQ(unitStatuses(), (std::map<QString, QString>{{"11222333000181", "A"}}));
    EXPECT_TRUE(QFileInfo::exists(store.basedDir() + "/movimento.DB"));
    ASSERT_EQ(copiesKept(), 1);

    // Nothing left to send.
    boxes.answer(Answer::Yes).answer(Answer::Ok);
    clickFinalizarMes();
    EXPECT_EQ(boxes.texts().last(), "Nao Existem Dados a Serem Enviados!");
}

// Another process holds referencias past the engine's wait: the invoices are
// gone, the month stays open, and the program ends.
TEST_F(Clearing, ASecondTableThatCannotBeEmptiedEndsTheProgram) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::close(ready[0]);
        sqlite::Connection c(store.basedDir() + "/referencias.DB", sqlite::Connection::Mode::ReadWrite);
        c.exec("BEGIN IMMEDIATE");
        (void)!::write(ready[1], "x", 1);
        ::usleep((sqlite::kBusyWaitMs + 3000) * 1000);
        ::_exit(0);
    }
    ::close(ready[1]);
    char byte;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);

    boxes.answer(Answer::Yes);
    QTimer::singleShot(0, [this] { chooseLimpar(); });
    QTimer::singleShot(3 * sqlite::kBusyWaitMs, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);  // the clearing asked the application to end
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(boxes.texts(), QStringList({kQuestion, QString::fromUtf8("O sistema será fechado.")}));
    EXPECT_EQ(rowsOf("movimento.DB", "movimento"), 0);
    EXPECT_EQ(rowsOf("referencias.DB", "referencias"), 1);
}

}  // namespace
