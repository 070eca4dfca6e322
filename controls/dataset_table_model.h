#pragma once
// The rows of a data source's dataset as a read-only table model for a grid.
//
// Nothing is loaded up front: the row count is the dataset's record count and a
// cell is read through Dataset::valueAt when the view asks for it, so only the
// rows on screen are fetched. While a row is being inserted it shows as an extra
// row at the current position, ahead of the row that was current.
//
// The dataset's notifications do not say whether the rows or only the current row
// changed. A change of the row count, of the open state or of the insertion resets
// the model; otherwise the visible cells are simply repainted.

#include "controls/grid_column.h"
#include "data/data_source.h"
#include "platform/edit_mask.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace meru::controls {

class DatasetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetTableModel(QObject* parent = nullptr);

    DataSource* dataSource() const { return source_; }
    void setDataSource(DataSource* source);
    void addColumn(const GridColumn& column);
    const std::vector<GridColumn>& columns() const { return columns_; }
    // The field of a column, nullptr when the dataset is closed or has no such field.
    Field* columnField(int column) const;

    // Marks the current row in the row indicator.
    void setRowIndicator(bool on) { indicator_ = on; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The row showing the dataset's current row (the pending row while inserting), -1 when none.
    int currentRow() const { return current_; }
    // The row of the dataset a model row shows; -1 for the pending row.
    int datasetRow(int row) const;
    bool pending() const;  // the dataset is in edit or insert state

signals:
    void currentRowChanged(int row);

private:
    Dataset* dataset() const { return source_ ? source_->dataSet() : nullptr; }
    void sync();
    void fieldChanged(Field* field);
    void findFields();
    QVariant cellValue(int row, int column) const;
    QString cellText(int row, int column) const;
    std::vector<QVariant> currentValues() const;

    QPointer<DataSource> source_;
    QMetaObject::Connection state_, data_, field_;
    std::vector<GridColumn> columns_;
    std::vector<int> fieldIndexes_;                    // per column; -1 when absent
    mutable std::vector<platform::EditMask> masks_;  // per column, parsed once per mask text
    bool indicator_ = true;

    // What the view has been told.
    const Dataset* shown_ = nullptr;
    bool active_ = false;
    int rows_ = 0;
    int pendingRow_ = -1;  // the inserted row while inserting
    int current_ = -1;
    // The current row's cells as last seen in browse state; while inserting they
    // stand for the row that the pending row pushed down.
    int seenRow_ = -1;
    std::vector<QVariant> seen_;
    std::vector<QVariant> displaced_;
};

}  // namespace meru::controls
