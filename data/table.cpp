#include "table.h"

#include "data/database.h"
#include "data/engine_error.h"
#include "data/sqlite_connection.h"
#include "data/table_access.h"

namespace meru {

Table::Table(const QString& name, Database* database, QObject* parent) : Dataset(name, database, parent) {}

Table::~Table() = default;

void Table::setTableName(const QString& tableName) {
    if (active()) close();
    tableName_ = tableName;
}

void Table::setFilter(const QString& text) {
    const schema::TableDef* def = Database::knownTable(tableName_);
    CompiledFilter compiled = def ? compileFilter(text, *def) : CompiledFilter{};
    filter_ = text;
    compiled_ = std::move(compiled);
    if (filtered_) applySelection();
}

void Table::setFiltered(bool on) {
    if (filtered_ == on) return;
    filtered_ = on;
    applySelection();
}

void Table::applySelection() {
    if (!active()) return;
    checkBrowseMode();
    reloadSlots();
}

CompiledFilter Table::activeFilter() const { return filtered_ ? compiled_ : CompiledFilter{}; }

// A select of the visible rows in the table's order: the filter's parameters
// follow those of `range`, the extra condition placed before the filter.
std::unique_ptr<sqlite::Statement> Table::selectVisible(const QString& columns, const QString& range) const {
    const CompiledFilter f = activeFilter();
    QStringList where;
    if (!range.isEmpty()) where << range;
    if (!f.where.isEmpty()) where << f.where;
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(columns, access_->qualifiedName());
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY rowid");
    auto st = std::make_unique<sqlite::Statement>(database()->connection().handle(), sql);
    const int first = range.count(QLatin1Char('?'));
    for (size_t i = 0; i < f.params.size(); ++i) st->bind(first + int(i) + 1, f.params[i]);
    return st;
}

std::vector<schema::FieldDef> Table::prepare() {
    const schema::TableDef& def = database()->table(tableName_);
    access_ = std::make_unique<TableAccess>(*database(), def);
    if (!filter_.isEmpty()) compiled_ = compileFilter(filter_, def);
    return def.fields;
}

void Table::released() { access_.reset(); }

std::vector<Dataset::Slot> Table::loadSlots() {
    const auto st = selectVisible(QStringLiteral("rowid"));
    std::vector<Slot> out;
    while (st->step()) out.push_back(Slot{st->columnInt(0), std::nullopt});
    return out;
}

void Table::forEachRow(const std::function<void(const Row&)>& f) {
    requireActive("Batch");
    checkBrowseMode();
    const auto st = selectVisible(access_->columnList());
    while (st->step()) f(access_->read(*st, 0));
}

std::optional<Row> Table::fetch(qint64 rowid) { return access_->fetch(rowid); }

void Table::fetchWindow(std::vector<Slot>& window, size_t from, size_t count) {
    const size_t end = std::min(window.size(), from + count);
    qint64 low = window[from].rowid, high = low;
    for (size_t i = from; i < end; ++i) {
        low = std::min(low, window[i].rowid);
        high = std::max(high, window[i].rowid);
    }
    const auto st = selectVisible(QStringLiteral("rowid, ") + access_->columnList(),
                                  QStringLiteral("rowid BETWEEN ? AND ?"));
    st->bind(1, low);
    st->bind(2, high);
    // The window's row ids are mostly in order: match them as the rows come.
    size_t next = from;
    while (st->step()) {
        const qint64 rowid = st->columnInt(0);
        while (next < end && window[next].rowid < rowid) ++next;
        if (next < end && window[next].rowid == rowid) {
            if (!window[next].values) window[next].values = access_->read(*st, 1);
            ++next;
        }
    }
    // Rows out of order (posted into the middle) or no longer matching the filter.
    for (size_t i = from; i < end; ++i)
        if (!window[i].values) window[i].values = fetch(window[i].rowid);
}

qint64 Table::insertRow(const Row& values) { return access_->insert(values); }

void Table::updateRow(qint64 rowid, const Row& values) { access_->update(rowid, values); }

void Table::deleteRow(qint64 rowid) { access_->remove(rowid); }

void Table::emptyTable() {
    requireActive("EmptyTable");
    cancel();
    database()->connection().exec(QStringLiteral("DELETE FROM %1").arg(access_->qualifiedName()));
    reloadSlots();
}

}  // namespace meru
