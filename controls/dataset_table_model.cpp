#include "controls/dataset_table_model.h"

#include <stdexcept>

namespace meru::controls {

namespace {

QString indicatorFor(DatasetState state) {
    switch (state) {
    case DatasetState::Insert: return QStringLiteral("*");
    case DatasetState::Edit: return QStringLiteral("I");
    default: return QStringLiteral("\u25B6");
    }
}

}  // namespace

DatasetTableModel::DatasetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetTableModel::setDataSource(DataSource* source) {
    for (const auto& link : links_) disconnect(link);
    links_.clear();
    beginResetModel();
    source_ = source;
    if (source_) {
        links_ = {
            connect(source_, &DataSource::rowsAboutToBeReset, this, &DatasetTableModel::aboutToReset),
            connect(source_, &DataSource::rowsReset, this, &DatasetTableModel::reset),
            connect(source_, &DataSource::rowAboutToBeInserted, this, &DatasetTableModel::aboutToInsert),
            connect(source_, &DataSource::rowInserted, this, &DatasetTableModel::inserted),
            connect(source_, &DataSource::rowAboutToBeRemoved, this, &DatasetTableModel::aboutToRemove),
            connect(source_, &DataSource::rowRemoved, this, &DatasetTableModel::removed),
            connect(source_, &DataSource::rowChanged, this, &DatasetTableModel::rowChanged),
            connect(source_, &DataSource::fieldChanged, this, &DatasetTableModel::fieldChanged),
            connect(source_, &DataSource::stateChanged, this, &DatasetTableModel::followCurrent),
            connect(source_, &DataSource::dataChanged, this, &DatasetTableModel::followCurrent),
        };
    }
    Dataset* ds = dataset();
    rows_ = ds ? ds->rowCount() : 0;
    current_ = -1;
    findFields();
    endResetModel();
    followCurrent();
}

void DatasetTableModel::addColumn(const GridColumn& column) {
    beginResetModel();
    columns_.push_back(column);
    findFields();
    endResetModel();
    followCurrent();
}

Field* DatasetTableModel::columnField(int column) const {
    Dataset* ds = dataset();
    if (!ds || !ds->active() || column < 0 || column >= int(fieldIndexes_.size())) return nullptr;
    const int index = fieldIndexes_[size_t(column)];
    return index < 0 || index >= int(ds->fields().size()) ? nullptr : ds->fields()[size_t(index)].get();
}

void DatasetTableModel::findFields() {
    fieldIndexes_.assign(columns_.size(), -1);
    Dataset* ds = dataset();
    if (!ds || !ds->active()) return;
    for (size_t c = 0; c < columns_.size(); ++c)
        if (Field* f = ds->findField(columns_[c].fieldName)) fieldIndexes_[c] = f->index();
}

void DatasetTableModel::aboutToReset() {
    if (resetting_) return;
    resetting_ = true;
    beginResetModel();
}

void DatasetTableModel::reset() {
    if (!resetting_) beginResetModel();
    Dataset* ds = dataset();
    rows_ = ds ? ds->rowCount() : 0;
    current_ = -1;
    findFields();
    resetting_ = false;
    endResetModel();
    followCurrent();
}

void DatasetTableModel::aboutToInsert(int row) { beginInsertRows(QModelIndex(), row, row); }

void DatasetTableModel::inserted(int) {
    ++rows_;
    if (current_ >= 0 && current_ >= rows_) current_ = -1;
    endInsertRows();
    followCurrent();
}

void DatasetTableModel::aboutToRemove(int row) { beginRemoveRows(QModelIndex(), row, row); }

void DatasetTableModel::removed(int) {
    --rows_;
    if (current_ >= rows_) current_ = -1;
    endRemoveRows();
    followCurrent();
}

void DatasetTableModel::rowChanged(int row) {
    if (row >= 0 && row < rows_ && !columns_.empty())
        emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1), {Qt::DisplayRole});
    followCurrent();
}

void DatasetTableModel::fieldChanged(Field*) { rowChanged(current_); }

// Moves the marker to the dataset's current row; only the rows whose marker
// changes are repainted.
void DatasetTableModel::followCurrent() {
    Dataset* ds = dataset();
    const int row = ds ? ds->recNo() : -1;
    const int previous = current_;
    current_ = row >= 0 && row < rows_ ? row : -1;
    if (indicator_) {
        if (previous >= 0 && previous < rows_ && previous != current_)
            emit headerDataChanged(Qt::Vertical, previous, previous);
        if (current_ >= 0) emit headerDataChanged(Qt::Vertical, current_, current_);
    }
    emit currentRowChanged(current_);
}

int DatasetTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DatasetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

bool DatasetTableModel::pending() const {
    Dataset* ds = dataset();
    return ds && isEditing(ds->state());
}

QString DatasetTableModel::cellText(int row, int column) const {
    const Field* f = columnField(column);
    if (!f) return {};
    const QVariant value = dataset()->valueAt(row, f->index());
    if (value.isNull() || !value.isValid()) return {};
    if (!f->editMask().isEmpty()) return f->maskedTextOf(value);
    return f->displayTextOf(value);
}

QVariant DatasetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= int(columns_.size())) return {};
    switch (role) {
    case Qt::DisplayRole:
        try {
            return cellText(index.row(), index.column());
        } catch (...) {
            return {};  // a row that cannot be read shows blank; painting goes on
        }
    case Qt::TextAlignmentRole:
        return int(columns_[size_t(index.column())].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= int(columns_.size())) return {};
        if (role == Qt::DisplayRole) return columns_[size_t(section)].title;
        if (role == Qt::TextAlignmentRole) return int(columns_[size_t(section)].titleAlignment | Qt::AlignVCenter);
        return {};
    }
    if (role == Qt::DisplayRole) {
        if (!indicator_ || section != current_) return QString();
        Dataset* ds = dataset();
        return indicatorFor(ds ? ds->state() : DatasetState::Browse);
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace meru::controls
