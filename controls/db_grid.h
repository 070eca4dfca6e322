#pragma once
// A read-only grid over a data source's dataset: one row per record, whole-row
// selection, column titles, a row indicator. The selected row is the dataset's
// current row, both ways. While the dataset is in edit or insert state the
// selection stays on the pending row: selecting another row would post or lose it.

#include "controls/dataset_table_model.h"

#include <QTableView>

namespace meru::controls {

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    DataSource* dataSource() const { return model_->dataSource(); }
    void setDataSource(DataSource* source);
    void addColumn(const QString& fieldName, const QString& title, Qt::Alignment alignment = Qt::AlignLeft,
                   Qt::Alignment titleAlignment = Qt::AlignLeft);
    DatasetTableModel* tableModel() const { return model_; }

    bool rowIndicator() const { return indicator_; }
    void setRowIndicator(bool on);

    // The dataset holds a pending row, so the selection does not move.
    bool selectionBlocked() const { return model_->pending(); }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void followDataset();
    void sizeNewColumns();
    int widthFor(const GridColumn& column, const Field* field) const;

    DatasetTableModel* model_;
    std::vector<bool> sized_;  // per column: given its width from its field
    bool following_ = false;
    bool indicator_ = true;
};

}  // namespace meru::controls
