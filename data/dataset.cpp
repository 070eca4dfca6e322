#include "dataset.h"

#include "data/engine_error.h"

namespace meru {

Dataset::Dataset(const QString& name, Database* database, QObject* parent)
    : QObject(parent), database_(database) {
    setObjectName(name);
}

Dataset::~Dataset() = default;

void Dataset::requireActive(const char* operation) const {
    if (state_ == DatasetState::Inactive)
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on a closed dataset (%2)")
                              .arg(name(), QLatin1String(operation)));
}

void Dataset::setState(DatasetState state) {
    if (state_ == state) return;
    state_ = state;
    emit stateChanged(state);
}

void Dataset::adoptFields(const std::vector<schema::FieldDef>& defs) {
    std::vector<std::unique_ptr<Field>> adopted;
    adopted.reserve(defs.size());
    for (size_t i = 0; i < defs.size(); ++i) {
        std::unique_ptr<Field> kept;
        for (auto& old : fields_) {
            if (old && old->fieldName().compare(defs[i].name, Qt::CaseInsensitive) == 0 &&
                old->type() == defs[i].type && old->size() == defs[i].width) {
                kept = std::move(old);
                break;
            }
        }
        if (kept)
            kept->rebind(this, int(i));
        else
            kept = std::make_unique<Field>(this, int(i), defs[i]);
        adopted.push_back(std::move(kept));
    }
    fields_ = std::move(adopted);
}

void Dataset::open() {
    if (active()) return;
    adoptFields(prepare());
    slots_.clear();
    windows_.clear();
    stale_ = true;
    current_ = -1;
    eof_ = true;
    buffer_.clear();
    modified_ = false;
    setState(DatasetState::Browse);
    emit dataChanged();
}

void Dataset::close() {
    if (!active()) return;
    buffer_.clear();
    modified_ = false;
    slots_.clear();
    windows_.clear();
    stale_ = true;
    current_ = -1;
    eof_ = true;
    released();
    setState(DatasetState::Inactive);
    emit dataChanged();
}

void Dataset::ensureSlots() {
    if (!stale_ || !active()) return;
    slots_ = loadSlots();
    windows_.clear();
    stale_ = false;
    current_ = slots_.empty() ? -1 : 0;
    eof_ = slots_.empty();
}

void Dataset::reloadSlots() {
    stale_ = true;
    ensureSlots();
}

void Dataset::first() {
    requireActive("First");
    checkBrowseMode();
    reloadSlots();
    emit dataChanged();
}

void Dataset::next() {
    requireActive("Next");
    checkBrowseMode();
    ensureSlots();
    if (current_ + 1 < int(slots_.size())) {
        ++current_;
        eof_ = false;
        emit dataChanged();
    } else {
        eof_ = true;
    }
}

bool Dataset::eof() {
    if (!active()) return true;
    ensureSlots();
    return eof_;
}

bool Dataset::isEmpty() {
    if (!active()) return true;
    ensureSlots();
    return slots_.empty();
}

int Dataset::recordCount() {
    requireActive("RecordCount");
    ensureSlots();
    return int(slots_.size());
}

int Dataset::recNo() {
    if (!active()) return -1;
    ensureSlots();
    return current_;
}

void Dataset::moveTo(int index) {
    requireActive("MoveBy");
    ensureSlots();
    if (index < 0 || index >= int(slots_.size()) || index == current_) return;
    checkBrowseMode();
    current_ = index;
    eof_ = false;
    emit dataChanged();
}

Row Dataset::blankRow() const { return Row(fields_.size()); }

void Dataset::fetchWindow(std::vector<Slot>& window, size_t from, size_t /*count*/) {
    // Row by row, only the row asked for; back ends that read a range at once do more.
    if (!window[from].values) window[from].values = fetch(window[from].rowid);
}

Dataset::Slot& Dataset::loaded(size_t index) {
    // A walk reads windows that grow while it goes on; a jump reads a small one.
    // Values are kept for the few windows read last, so a walk through a large
    // table holds only the rows near it.
    constexpr size_t kFirstWindow = 32;
    constexpr size_t kLargestWindow = 256;
    constexpr size_t kWindowsKept = 8;
    Slot& slot = slots_[index];
    if (!slot.values) {
        const bool walking = !windows_.empty() && index == windows_.back().from + windows_.back().count;
        const size_t count = std::min(walking ? std::min(2 * windows_.back().count, kLargestWindow) : kFirstWindow,
                                      slots_.size() - index);
        if (windows_.size() == kWindowsKept) {
            const Window oldest = windows_.front();
            windows_.pop_front();
            for (size_t i = oldest.from; i < std::min(slots_.size(), oldest.from + oldest.count); ++i)
                if (i != index) slots_[i].values.reset();
        }
        windows_.push_back({index, count});
        fetchWindow(slots_, index, count);
        // A row another dataset deleted meanwhile reads as blank.
        if (!slot.values) slot.values = blankRow();
    }
    return slot;
}

const Row& Dataset::currentValues() {
    static const Row none;
    ensureSlots();
    if (current_ < 0 || current_ >= int(slots_.size())) return none;
    return *loaded(size_t(current_)).values;
}

void Dataset::insert() {
    requireActive("Insert");
    if (readOnly()) throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name()));
    checkBrowseMode();
    ensureSlots();
    buffer_ = blankRow();
    modified_ = false;
    insertedAt_ = current_ < 0 ? 0 : current_;
    setState(DatasetState::Insert);
    emit dataChanged();
}

void Dataset::edit() {
    requireActive("Edit");
    if (isEditing(state_)) return;
    if (readOnly()) throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name()));
    ensureSlots();
    if (slots_.empty()) {
        insert();
        return;
    }
    buffer_ = currentValues();
    modified_ = false;
    setState(DatasetState::Edit);
    emit dataChanged();
}

void Dataset::post() {
    requireActive("Post");
    if (state_ == DatasetState::Insert) {
        const qint64 rowid = insertRow(buffer_);
        Slot slot{rowid, fetch(rowid)};
        const int at = std::clamp(insertedAt_, 0, int(slots_.size()));
        slots_.insert(slots_.begin() + at, std::move(slot));
        current_ = at;
        eof_ = false;
    } else if (state_ == DatasetState::Edit) {
        Slot& slot = slots_[size_t(current_)];
        updateRow(slot.rowid, buffer_);
        slot.values = fetch(slot.rowid);
    } else {
        return;
    }
    buffer_.clear();
    modified_ = false;
    setState(DatasetState::Browse);
    emit dataChanged();
}

void Dataset::cancel() {
    if (!isEditing(state_)) return;
    buffer_.clear();
    modified_ = false;
    setState(DatasetState::Browse);
    emit dataChanged();
}

void Dataset::checkBrowseMode() {
    if (!isEditing(state_)) return;
    if (modified_)
        post();
    else
        cancel();
}

void Dataset::remove() {
    requireActive("Delete");
    if (state_ == DatasetState::Insert) {
        cancel();
        return;
    }
    ensureSlots();
    if (slots_.empty())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(name()));
    if (readOnly()) throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name()));
    checkBrowseMode();
    deleteRow(slots_[size_t(current_)].rowid);
    slots_.erase(slots_.begin() + current_);
    if (current_ >= int(slots_.size())) current_ = int(slots_.size()) - 1;
    eof_ = slots_.empty();
    emit dataChanged();
}

void Dataset::refresh() {
    requireActive("Refresh");
    checkBrowseMode();
    qint64 keep = -1;
    if (!stale_ && current_ >= 0) keep = slots_[size_t(current_)].rowid;
    reloadSlots();
    if (keep >= 0) {
        for (size_t i = 0; i < slots_.size(); ++i) {
            if (slots_[i].rowid == keep) {
                current_ = int(i);
                break;
            }
        }
    }
    emit dataChanged();
}

Field* Dataset::findField(const QString& fieldName) const {
    for (const auto& f : fields_)
        if (f->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0) return f.get();
    return nullptr;
}

Field* Dataset::fieldByName(const QString& fieldName) const {
    Field* f = findField(fieldName);
    if (!f) throw EngineError(QStringLiteral("%1: Field '%2' not found").arg(name(), fieldName));
    return f;
}

Field* Dataset::findFieldObject(const QString& objectName) const {
    for (const auto& f : fields_)
        if (f->name().compare(objectName, Qt::CaseInsensitive) == 0) return f.get();
    return nullptr;
}

QVariant Dataset::fieldValue(int index) {
    if (!active() || index < 0 || index >= int(fields_.size())) return {};
    if (isEditing(state_)) return buffer_[size_t(index)];
    const Row& row = currentValues();
    return size_t(index) < row.size() ? row[size_t(index)] : QVariant();
}

void Dataset::setFieldValue(int index, const QVariant& value) {
    if (!isEditing(state_))
        throw EngineError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(name()));
    Field* field = fields_.at(size_t(index)).get();
    if (field->readOnly())
        throw EngineError(QStringLiteral("Field '%1' cannot be modified").arg(field->fieldName()));
    buffer_[size_t(index)] = field->normalized(value);
    modified_ = true;
    emit fieldChanged(field);
}

QVariant Dataset::valueAt(int row, int fieldIndex) {
    if (!active()) return {};
    ensureSlots();
    if (row == current_ && isEditing(state_)) return fieldValue(fieldIndex);
    if (row < 0 || row >= int(slots_.size())) return {};
    const Row& values = *loaded(size_t(row)).values;
    return size_t(fieldIndex) < values.size() ? values[size_t(fieldIndex)] : QVariant();
}

void Dataset::forEachRow(const std::function<void(const Row&)>& f) {
    requireActive("Batch");
    ensureSlots();
    for (Slot& slot : slots_) {
        if (!slot.values) slot.values = fetch(slot.rowid);
        if (slot.values) f(*slot.values);  // a row deleted meanwhile is not moved
    }
}

}  // namespace meru
