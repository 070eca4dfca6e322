// The list over 100,000 unsent invoices reads only the rows it shows.
#include "list_fixture.h"

#include "data/sqlite_connection.h"

#include <sqlite3.h>

using namespace meru;
using namespace meru::test;

namespace {

// Counts the result rows of every statement that reads invoices' values, leaving
// out the scans of row ids that find which rows are visible.
class RowCounter {
public:
    explicit RowCounter(sqlite3* db) : db_(db) { sqlite3_trace_v2(db_, SQLITE_TRACE_ROW, &RowCounter::onRow, this); }
    ~RowCounter() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }
    int valueRows = 0;
    int idRows = 0;

private:
    static int onRow(unsigned, void* self, void* statement, void*) {
        const char* sql = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        auto* me = static_cast<RowCounter*>(self);
        if (sql && QByteArray(sql).startsWith("SELECT rowid FROM"))
            ++me->idRows;
        else
            ++me->valueRows;
        return 0;
    }
    sqlite3* db_;
};

}  // namespace

TEST_F(ListWindow, OpeningOverAHundredThousandUnsentInvoicesReadsOnlyTheRowsOnScreen) {
    constexpr int kInvoices = 100000;
    sqlite::Connection& connection = dm_dados->Database1->connection();
    {
        TableAccess movimento(*dm_dados->Database1, dm_dados->Database1->table(QStringLiteral("movimento")));
        connection.exec(QStringLiteral("BEGIN"));
        for (int i = 1; i <= kInvoices; ++i)
            movimento.insert({QVariant(), QStringLiteral("12345678000195"), QStringLiteral("P"), QDate(2004, 3, 15),
                              QDate(2004, 3, 15), 10.5, QStringLiteral("11222333000181"), QStringLiteral("1"),
                              QStringLiteral("032004"), QStringLiteral("N"), QStringLiteral("N"), QString::number(i),
                              QVariant()});
        connection.exec(QStringLiteral("COMMIT"));
    }
    RowCounter counter(connection.handle());
    Tfrm_sele_notas* list = openList();
    list->dbgrid_movimento_atual->viewport()->repaint();
    EXPECT_EQ(list->tab_movimento->recordCount(), kInvoices);
    EXPECT_EQ(list->dbgrid_movimento_atual->model()->rowCount(), kInvoices);  // the grid knows them all ...
    const int shown = counter.valueRows;
    EXPECT_GT(shown, 0);
    EXPECT_LE(shown, 300);  // ... and has read the values of those on screen only
    EXPECT_EQ(counter.idRows, kInvoices);
}
