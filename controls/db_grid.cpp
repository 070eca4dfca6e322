#include "controls/db_grid.h"

#include "platform/guarded.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace meru::controls {

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), model_(new DatasetTableModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->setHighlightSections(false);
    rows->setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) + 8);
    connect(model_, &DatasetTableModel::currentRowChanged, this, &DBGrid::followDataset);
    connect(model_, &QAbstractItemModel::modelReset, this, &DBGrid::sizeNewColumns);
}

void DBGrid::setDataSource(DataSource* source) { model_->setDataSource(source); }

void DBGrid::addColumn(const QString& fieldName, const QString& title, Qt::Alignment alignment,
                       Qt::Alignment titleAlignment) {
    model_->addColumn(GridColumn{fieldName, title, alignment, titleAlignment});
    sized_.push_back(false);
    const int column = int(sized_.size()) - 1;
    setColumnWidth(column, widthFor(model_->columns().back(), nullptr));
    sizeNewColumns();
    followDataset();
}

void DBGrid::setRowIndicator(bool on) {
    indicator_ = on;
    model_->setRowIndicator(on);
    verticalHeader()->setVisible(on);
}

int DBGrid::widthFor(const GridColumn& column, const Field* field) const {
    const QFontMetrics fm = fontMetrics();
    int content = 0;
    if (field) {
        using schema::FieldType;
        QString sample;
        switch (field->type()) {
        case FieldType::Alpha: sample = QString(qBound(2, field->size(), 20), QLatin1Char('0')); break;
        case FieldType::Date: sample = QStringLiteral("00/00/0000"); break;
        case FieldType::Timestamp: sample = QStringLiteral("00/00/0000 00:00"); break;
        case FieldType::Number: sample = QStringLiteral("R$ 000.000,00"); break;
        case FieldType::Short:
        case FieldType::Autoinc: sample = QStringLiteral("000000"); break;
        }
        if (!field->editMask().isEmpty()) sample = QString(field->editMask().section(QLatin1Char(';'), 0, 0).size(), QLatin1Char('0'));
        content = fm.horizontalAdvance(sample);
    }
    return std::max(content, fm.horizontalAdvance(column.title)) + 16;
}

void DBGrid::sizeNewColumns() {
    for (size_t c = 0; c < sized_.size(); ++c) {
        if (sized_[c]) continue;
        const Field* f = model_->columnField(int(c));
        if (!f) continue;
        setColumnWidth(int(c), widthFor(model_->columns()[c], f));
        sized_[c] = true;
    }
}

void DBGrid::followDataset() {
    if (following_ || !selectionModel()) return;
    following_ = true;
    const int row = model_->currentRow();
    if (row >= 0) {
        const QModelIndex at = model_->index(row, std::max(currentIndex().column(), 0));
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(at);
    } else {
        selectionModel()->clear();
    }
    following_ = false;
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (following_ || !current.isValid() || current.row() == model_->currentRow()) return;
    Dataset* ds = dataSource() ? dataSource()->dataSet() : nullptr;
    if (!ds || !ds->active() || selectionBlocked()) {
        // Put the selection back once the view has finished its own change.
        QTimer::singleShot(0, this, &DBGrid::followDataset);
        return;
    }
    const int row = current.row();
    platform::guarded([ds, row] { ds->moveTo(row); })();
    if (model_->currentRow() != current.row()) QTimer::singleShot(0, this, &DBGrid::followDataset);
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
    if (selectionBlocked()) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            event->accept();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::mousePressEvent(QMouseEvent* event) {
    if (selectionBlocked()) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void DBGrid::mouseMoveEvent(QMouseEvent* event) {
    if (selectionBlocked()) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void DBGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (selectionBlocked()) {
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (selectionBlocked()) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

}  // namespace meru::controls
