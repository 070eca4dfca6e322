#include "controls/dataset_table_model.h"

#include "platform/guarded.h"

#include <algorithm>
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
    for (auto* c : {&state_, &data_, &field_}) disconnect(*c);
    source_ = source;
    if (source_) {
        state_ = connect(source_, &DataSource::stateChanged, this, &DatasetTableModel::sync);
        data_ = connect(source_, &DataSource::dataChanged, this, &DatasetTableModel::sync);
        field_ = connect(source_, &DataSource::fieldChanged, this, &DatasetTableModel::fieldChanged);
    }
    beginResetModel();
    shown_ = nullptr;
    active_ = false;
    rows_ = 0;
    pendingRow_ = -1;
    current_ = -1;
    seenRow_ = -1;
    endResetModel();
    sync();
}

void DatasetTableModel::addColumn(const GridColumn& column) {
    beginResetModel();
    columns_.push_back(column);
    findFields();
    endResetModel();
}

Field* DatasetTableModel::columnField(int column) const {
    Dataset* ds = dataset();
    if (!ds || !active_ || column < 0 || column >= int(fieldIndexes_.size())) return nullptr;
    const int index = fieldIndexes_[size_t(column)];
    return index < 0 ? nullptr : ds->fields()[size_t(index)].get();
}

void DatasetTableModel::findFields() {
    fieldIndexes_.assign(columns_.size(), -1);
    masks_.assign(columns_.size(), platform::EditMask());
    Dataset* ds = dataset();
    if (!ds || !active_) return;
    for (size_t c = 0; c < columns_.size(); ++c)
        if (Field* f = ds->findField(columns_[c].fieldName)) fieldIndexes_[c] = f->index();
}

std::vector<QVariant> DatasetTableModel::currentValues() const {
    std::vector<QVariant> values(columns_.size());
    Dataset* ds = dataset();
    for (size_t c = 0; c < columns_.size(); ++c) {
        const Field* f = ds->findField(columns_[c].fieldName);
        if (f) values[c] = ds->fieldValue(f->index());
    }
    return values;
}

void DatasetTableModel::sync() {
    Dataset* ds = dataset();
    bool active = false;
    DatasetState state = DatasetState::Inactive;
    int count = 0;
    int recNo = -1;
    try {
        if (ds && ds->active()) {
            active = true;
            state = ds->state();
            count = ds->recordCount();
            recNo = ds->recNo();
            if (state == DatasetState::Browse) {
                seen_ = currentValues();
                seenRow_ = recNo;
            }
        }
    } catch (...) {
        platform::reportException();
        active = false;
        count = 0;
        recNo = -1;
    }

    const int pendingRow = state == DatasetState::Insert ? std::max(recNo, 0) : -1;
    if (pendingRow >= 0 && pendingRow_ < 0)
        displaced_ = seenRow_ == recNo ? seen_ : std::vector<QVariant>(columns_.size());
    const int rows = count + (pendingRow >= 0 ? 1 : 0);
    const int current = pendingRow >= 0 ? pendingRow : (recNo >= 0 && recNo < rows ? recNo : -1);
    const int previous = current_;

    if (ds != shown_ || active != active_ || rows != rows_ || pendingRow != pendingRow_) {
        beginResetModel();
        shown_ = ds;
        active_ = active;
        rows_ = rows;
        pendingRow_ = pendingRow;
        current_ = current;
        findFields();
        endResetModel();
    } else {
        current_ = current;
        if (rows_ > 0 && !columns_.empty())
            emit dataChanged(index(0, 0), index(rows_ - 1, int(columns_.size()) - 1), {Qt::DisplayRole});
        // Only the two rows whose marker changed: a header update over every row
        // costs as much as the rows.
        if (indicator_) {
            if (previous >= 0 && previous < rows_) emit headerDataChanged(Qt::Vertical, previous, previous);
            if (current_ >= 0 && current_ != previous) emit headerDataChanged(Qt::Vertical, current_, current_);
        }
    }
    emit currentRowChanged(current_);
}

void DatasetTableModel::fieldChanged(Field*) {
    if (!active_ || current_ < 0 || columns_.empty()) return;
    emit dataChanged(index(current_, 0), index(current_, int(columns_.size()) - 1), {Qt::DisplayRole});
}

int DatasetTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DatasetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

int DatasetTableModel::datasetRow(int row) const {
    if (pendingRow_ < 0 || row < pendingRow_) return row;
    return row == pendingRow_ ? -1 : row - 1;
}

bool DatasetTableModel::pending() const {
    Dataset* ds = dataset();
    return ds && isEditing(ds->state());
}

QVariant DatasetTableModel::cellValue(int row, int column) const {
    Dataset* ds = dataset();
    const int fieldIndex = fieldIndexes_[size_t(column)];
    if (!ds || !active_ || fieldIndex < 0) return {};
    if (pendingRow_ >= 0) {
        if (row == pendingRow_) return ds->fieldValue(fieldIndex);
        if (row > pendingRow_ && --row == pendingRow_)
            return size_t(column) < displaced_.size() ? displaced_[size_t(column)] : QVariant();
    }
    return ds->valueAt(row, fieldIndex);
}

QString DatasetTableModel::cellText(int row, int column) const {
    const Field* f = columnField(column);
    if (!f) return {};
    const QVariant value = cellValue(row, column);
    if (value.isNull() || !value.isValid()) return {};
    const QString& maskText = f->editMask();
    if (!maskText.isEmpty()) {
        platform::EditMask& mask = masks_[size_t(column)];
        if (mask.source() != maskText) {
            try {
                mask = platform::EditMask::parse(maskText);
            } catch (const std::invalid_argument&) {
                mask = platform::EditMask();
            }
        }
        if (!mask.isEmpty()) return mask.displayTextFor(f->textOf(value));
    }
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
