#include "dataset.h"

#include "data/engine_error.h"

#include <algorithm>

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
    notify(&Dataset::stateChanged, state);
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

std::vector<Dataset::Slot> Dataset::readSlots() { return loadSlots(); }

void Dataset::replaceSlots(std::vector<Slot> rows, int current, DatasetState state) {
    notify(&Dataset::rowsAboutToBeReset);
    slots_ = std::move(rows);
    windows_.clear();
    current_ = current;
    eof_ = slots_.empty();
    buffer_.clear();
    modified_ = false;
    insertedAt_ = -1;
    const bool stateChanges = state_ != state;
    state_ = state;
    notify(&Dataset::rowsReset);
    if (stateChanges) notify(&Dataset::stateChanged, state);
    notify(&Dataset::dataChanged);
}

void Dataset::open() {
    if (active()) return;
    std::vector<Slot> rows;
    try {
        adoptFields(prepare());
        rows = readSlots();
    } catch (...) {
        released();
        throw;
    }
    const int current = rows.empty() ? -1 : 0;
    replaceSlots(std::move(rows), current, DatasetState::Browse);
}

void Dataset::close() {
    if (!active()) return;
    released();
    replaceSlots({}, -1, DatasetState::Inactive);
}

void Dataset::reloadSlots(qint64 keep) {
    std::vector<Slot> rows = readSlots();
    int current = rows.empty() ? -1 : 0;
    if (keep >= 0) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].rowid == keep) {
                current = int(i);
                break;
            }
        }
    }
    replaceSlots(std::move(rows), current, state_);
}

void Dataset::first() {
    requireActive("First");
    checkBrowseMode();
    reloadSlots();
}

void Dataset::next() {
    requireActive("Next");
    checkBrowseMode();
    if (current_ + 1 < int(slots_.size())) {
        ++current_;
        eof_ = false;
        notify(&Dataset::dataChanged);
    } else {
        eof_ = true;
    }
}

bool Dataset::eof() const { return !active() || eof_; }

bool Dataset::isEmpty() const { return !active() || slots_.empty(); }

int Dataset::recordCount() const {
    requireActive("RecordCount");
    return int(slots_.size());
}

int Dataset::rowCount() const {
    if (!active()) return 0;
    return int(slots_.size()) + (inserting() ? 1 : 0);
}

int Dataset::recNo() const {
    if (!active()) return -1;
    return inserting() ? insertedAt_ : current_;
}

void Dataset::moveTo(int row) {
    requireActive("MoveBy");
    if (row < 0 || row >= rowCount() || row == recNo()) return;
    int target = row;
    // Ending the pending row: a posted one stays where it shows, a cancelled one
    // takes the rows below it up by one.
    if (inserting() && !modified_ && row > insertedAt_) --target;
    checkBrowseMode();
    if (target < 0 || target >= int(slots_.size()) || target == current_) return;
    current_ = target;
    eof_ = false;
    notify(&Dataset::dataChanged);
}

void Dataset::disableControls() {
    if (disabled_++ == 0) stateWhenDisabled_ = state_;
}

void Dataset::enableControls() {
    if (disabled_ == 0 || --disabled_ > 0) return;
    notify(&Dataset::rowsAboutToBeReset);
    notify(&Dataset::rowsReset);
    if (state_ != stateWhenDisabled_) notify(&Dataset::stateChanged, state_);
    notify(&Dataset::dataChanged);
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
    if (current_ < 0 || current_ >= int(slots_.size())) return none;
    return *loaded(size_t(current_)).values;
}

// Keeps the windows of kept values over the same rows when a row is placed at or
// taken from `index`.
void Dataset::shiftWindows(size_t index, bool placed) {
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->from > index || (placed && it->from == index)) {
            it->from = placed ? it->from + 1 : it->from - 1;
        } else if (index < it->from + it->count) {
            it->count = placed ? it->count + 1 : it->count - 1;
            if (it->count == 0) {
                it = windows_.erase(it);
                continue;
            }
        }
        ++it;
    }
}

void Dataset::insert() {
    requireActive("Insert");
    if (readOnly()) throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name()));
    checkBrowseMode();
    const int at = current_ < 0 ? 0 : current_;
    notify(&Dataset::rowAboutToBeInserted, at);
    buffer_ = blankRow();
    modified_ = false;
    insertedAt_ = at;
    state_ = DatasetState::Insert;
    notify(&Dataset::rowInserted, at);
    notify(&Dataset::stateChanged, state_);
    notify(&Dataset::dataChanged);
}

void Dataset::edit() {
    requireActive("Edit");
    if (isEditing(state_)) return;
    if (readOnly()) throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name()));
    if (slots_.empty()) {
        insert();
        return;
    }
    buffer_ = currentValues();
    modified_ = false;
    setState(DatasetState::Edit);
    notify(&Dataset::dataChanged);
}

void Dataset::post() {
    requireActive("Post");
    int row;
    if (state_ == DatasetState::Insert) {
        const qint64 rowid = insertRow(buffer_);
        Slot slot{rowid, fetch(rowid)};
        const int at = std::clamp(insertedAt_, 0, int(slots_.size()));
        slots_.insert(slots_.begin() + at, std::move(slot));
        shiftWindows(size_t(at), true);
        current_ = at;
        eof_ = false;
        insertedAt_ = -1;
        row = at;
    } else if (state_ == DatasetState::Edit) {
        Slot& slot = slots_[size_t(current_)];
        updateRow(slot.rowid, buffer_);
        slot.values = fetch(slot.rowid);
        row = current_;
    } else {
        return;
    }
    // The pending row became a stored one in the same place: the visible rows
    // keep their number.
    buffer_.clear();
    modified_ = false;
    state_ = DatasetState::Browse;
    notify(&Dataset::rowChanged, row);
    notify(&Dataset::stateChanged, state_);
    notify(&Dataset::dataChanged);
}

void Dataset::cancel() {
    if (!isEditing(state_)) return;
    const bool wasInserting = inserting();
    const int row = recNo();
    if (wasInserting) notify(&Dataset::rowAboutToBeRemoved, row);
    buffer_.clear();
    modified_ = false;
    insertedAt_ = -1;
    state_ = DatasetState::Browse;
    if (wasInserting)
        notify(&Dataset::rowRemoved, row);
    else
        notify(&Dataset::rowChanged, row);
    notify(&Dataset::stateChanged, state_);
    notify(&Dataset::dataChanged);
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
    if (slots_.empty())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(name()));
    if (readOnly()) throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name()));
    checkBrowseMode();
    const int at = current_;
    deleteRow(slots_[size_t(at)].rowid);
    notify(&Dataset::rowAboutToBeRemoved, at);
    slots_.erase(slots_.begin() + at);
    shiftWindows(size_t(at), false);
    if (current_ >= int(slots_.size())) current_ = int(slots_.size()) - 1;
    eof_ = slots_.empty();
    notify(&Dataset::rowRemoved, at);
    notify(&Dataset::dataChanged);
}

void Dataset::refresh() {
    requireActive("Refresh");
    checkBrowseMode();
    reloadSlots(current_ >= 0 ? slots_[size_t(current_)].rowid : -1);
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
    notify(&Dataset::fieldChanged, field);
}

QVariant Dataset::valueAt(int row, int fieldIndex) {
    if (!active() || fieldIndex < 0 || fieldIndex >= int(fields_.size())) return {};
    if (row < 0 || row >= rowCount()) return {};
    if (isEditing(state_) && row == recNo()) return buffer_[size_t(fieldIndex)];
    const int slot = inserting() && row > insertedAt_ ? row - 1 : row;
    const Row& values = *loaded(size_t(slot)).values;
    return size_t(fieldIndex) < values.size() ? values[size_t(fieldIndex)] : QVariant();
}

void Dataset::forEachRow(const std::function<void(const Row&)>& f) {
    requireActive("Batch");
    for (Slot& slot : slots_) {
        if (!slot.values) slot.values = fetch(slot.rowid);
        if (slot.values) f(*slot.values);  // a row deleted meanwhile is not moved
    }
}

}  // namespace meru
