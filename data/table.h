#pragma once
// A table dataset of BANCO: every row of one working table, or those its filter
// text lets through, in the table's own order.

#include "data/dataset.h"
#include "data/filter.h"

namespace meru {

class TableAccess;
namespace sqlite { class Statement; }

class Table : public Dataset {
    Q_OBJECT
public:
    Table(const QString& name, Database* database, QObject* parent = nullptr);
    ~Table() override;

    QString tableName() const { return tableName_; }
    void setTableName(const QString& tableName);

    QString filter() const { return filter_; }
    // Ends a pending row, then shows only the matching rows with the first current.
    void setFilter(const QString& text);
    bool filtered() const { return filtered_; }
    void setFiltered(bool on);

    // Deletes every row of the table; the file stays.
    void emptyTable();

    void forEachRow(const std::function<void(const Row&)>& f) override;

protected:
    std::vector<schema::FieldDef> prepare() override;
    std::vector<Slot> loadSlots() override;
    std::optional<Row> fetch(qint64 rowid) override;
    void fetchWindow(std::vector<Slot>& window, size_t from, size_t count) override;
    qint64 insertRow(const Row& values) override;
    void updateRow(qint64 rowid, const Row& values) override;
    void deleteRow(qint64 rowid) override;
    void released() override;

private:
    CompiledFilter activeFilter() const;
    std::unique_ptr<sqlite::Statement> selectVisible(const QString& columns, const QString& range = {}) const;
    void applySelection();

    QString tableName_;
    QString filter_;
    bool filtered_ = false;
    CompiledFilter compiled_;
    std::unique_ptr<TableAccess> access_;
};

}  // namespace meru
