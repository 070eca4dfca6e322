#pragma once
// The visible rows of a data source's dataset as a read-only table model for a
// grid. The dataset owns the rows, the row being inserted among them; the model
// only passes the dataset's reports of its rows on in the item model's terms and
// reads each cell through Dataset::valueAt when the view asks for it, so only the
// rows on screen are fetched. It keeps nothing but the row count the view has
// been told and the row it marks as current.
//
// The model never throws and never shows a box: a row that cannot be read shows
// blank.

#include "controls/grid_column.h"
#include "data/data_source.h"

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
    bool pending() const;  // the dataset is in edit or insert state

signals:
    void currentRowChanged(int row);

private:
    Dataset* dataset() const { return source_ ? source_->dataSet() : nullptr; }
    void aboutToReset();
    void reset();
    void aboutToInsert(int row);
    void inserted(int row);
    void aboutToRemove(int row);
    void removed(int row);
    void rowChanged(int row);
    void fieldChanged(Field* field);
    void followCurrent();
    void findFields();
    QString cellText(int row, int column) const;

    QPointer<DataSource> source_;
    std::vector<QMetaObject::Connection> links_;
    std::vector<GridColumn> columns_;
    std::vector<int> fieldIndexes_;                    // per column; -1 when absent
    bool indicator_ = true;

    // What the view has been told.
    bool resetting_ = false;
    int rows_ = 0;
    int current_ = -1;
};

}  // namespace meru::controls
