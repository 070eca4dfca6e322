// Saving while another process holds a write lock on the table.

#include "temp_store.h"

#include "data/dm_dados.h"
#include "data/engine_error.h"
#include "data/sqlite_connection.h"

#include <QDir>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace meru;

namespace {

// Another process that takes the write lock of a table file, writes a row it
// never commits, and lets go after holdMs.
class LockHolder {
public:
    LockHolder(const QString& file, int holdMs) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            try {
                sqlite::Connection c(file, sqlite::Connection::Mode::ReadWrite);
                c.exec(QStringLiteral("BEGIN IMMEDIATE"));
                c.exec(QStringLiteral("INSERT INTO referencias (ref_mesreferencia) VALUES ('999999')"));
                (void)!::write(ready[1], "x", 1);
                ::usleep(useconds_t(holdMs) * 1000);
                c.exec(QStringLiteral("ROLLBACK"));
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte = 0;
        locked_ = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
    }
    ~LockHolder() { join(); }
    bool locked() const { return locked_; }
    void join() {
        if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool locked_ = false;
};

void startMonth(Tdm_dados& dm) {
    dm.qry_referencias->insert();
    dm.qry_referencias->fieldByName("ref_mesreferencia")->setAsString("032004");
    dm.qry_referencias->post();
}

TEST(StoreLockWait, ASaveWaitsForALockReleasedWithinTheWait) {
    test::TempStore store;
    LockHolder other(QDir(store.basedDir()).filePath("referencias.DB"), 1000);
    ASSERT_TRUE(other.locked());
    Tdm_dados dm;
    QElapsedTimer waited;
    waited.start();
    ASSERT_NO_THROW(startMonth(dm));
    EXPECT_GE(waited.elapsed(), 500);
    dm.qry_referencias->close();
    dm.qry_referencias->open();
    ASSERT_EQ(dm.qry_referencias->recordCount(), 1);
    EXPECT_EQ(dm.qry_referencias->fieldByName("ref_mesreferencia")->asString(), "032004");
}

TEST(StoreLockWait, ALockHeldPastTheWaitFailsClearlyAndStoresNothing) {
    test::TempStore store;
    LockHolder other(QDir(store.basedDir()).filePath("referencias.DB"), sqlite::kBusyWaitMs + 2000);
    ASSERT_TRUE(other.locked());
    Tdm_dados dm;
    try {
        startMonth(dm);
        ADD_FAILURE() << "the save went through a lock held by another process";
    } catch (const EngineError& e) {
        EXPECT_TRUE(e.message().startsWith("database is locked\nA tabela está em uso por outro programa e a operação "
                                           "não foi feita."))
            << e.message().toStdString();
    }
    // The row stays pending in the window, to be saved again.
    EXPECT_EQ(dm.qry_referencias->state(), DatasetState::Insert);
    other.join();
    dm.qry_referencias->cancel();
    dm.qry_referencias->close();
    dm.qry_referencias->open();
    EXPECT_EQ(dm.qry_referencias->recordCount(), 0);
}

}  // namespace
