#include "controls/db_lookup_combo_box.h"

#include "controls/field_link.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <exception>

namespace meru::controls {

namespace {

// What search() answers besides a row.
constexpr int kNoRow = -2;          // the key was taken, and leads to no row
constexpr int kNotASearchKey = -3;  // the key goes on to the combo box

// A name as the search compares it: without accents, in one letter case.
QString folded(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString plain;
    plain.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) plain += c;
    return plain.toCaseFolded();
}

}  // namespace

DBLookupComboBox::DBLookupComboBox(QWidget* parent) : QComboBox(parent), link_(new FieldLink(this)) {
    setEditable(false);
    // Measuring thousands of names for the box's width is not worth it.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
    if (auto* listView = qobject_cast<QListView*>(view())) listView->setUniformItemSizes(true);
    connect(link_, &FieldLink::changed, this, &DBLookupComboBox::showKey);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::choose);
    view()->installEventFilter(this);
    showKey();
}

DataSource* DBLookupComboBox::dataSource() const { return link_->dataSource(); }
void DBLookupComboBox::setDataSource(DataSource* source) { link_->setDataSource(source); }
QString DBLookupComboBox::dataField() const { return link_->fieldName(); }
void DBLookupComboBox::setDataField(const QString& fieldName) { link_->setFieldName(fieldName); }
Field* DBLookupComboBox::field() const { return link_->field(); }

void DBLookupComboBox::setListSource(DataSource* source) {
    if (list_ == source) return;
    disconnect(listState_);
    disconnect(listData_);
    list_ = source;
    if (list_) {
        listState_ = connect(list_, &DataSource::stateChanged, this, &DBLookupComboBox::listStateChanged);
        listData_ = connect(list_, &DataSource::dataChanged, this, &DBLookupComboBox::listStateChanged);
    }
    clearList();
    listStateChanged();
}

void DBLookupComboBox::setKeyField(const QString& fieldName) {
    keyField_ = fieldName;
    clearList();
    listStateChanged();
}

void DBLookupComboBox::setListField(const QString& fieldName) {
    listField_ = fieldName;
    clearList();
    listStateChanged();
}

void DBLookupComboBox::listStateChanged() {
    Dataset* ds = list_ ? list_->dataSet() : nullptr;
    if (!ds || !ds->active()) {
        if (loaded_ || count() > 0) clearList();
        return;
    }
    if (!loaded_) loadList();
}

void DBLookupComboBox::clearList() {
    loaded_ = false;
    keys_.clear();
    folded_.clear();
    indexOfKey_.clear();
    search_.clear();
    const QSignalBlocker quiet(this);
    clear();
    showKey();
}

void DBLookupComboBox::loadList() {
    Dataset* ds = list_ ? list_->dataSet() : nullptr;
    const Field* key = ds ? ds->findField(keyField_) : nullptr;
    const Field* name = ds ? ds->findField(listField_) : nullptr;
    if (!key || !name) return;
    QStringList names;
    keys_.clear();
    folded_.clear();
    indexOfKey_.clear();
    search_.clear();
    try {
        ds->forEachRow([&](const Row& row) {
            const QString k = key->textOf(row[size_t(key->index())]);
            indexOfKey_.insert(k, int(keys_.size()));  // a repeated key shows its last name
            keys_.push_back(k);
            names.push_back(name->textOf(row[size_t(name->index())]));
            folded_.push_back(folded(names.back()));
        });
    } catch (...) {
        // Called from the list dataset's notification: no box from in there.
        link_->reportLater(exceptionMessage(std::current_exception()));
    }
    {
        const QSignalBlocker quiet(this);
        clear();
        addItems(names);
    }
    loaded_ = true;
    showKey();
}

QString DBLookupComboBox::keyValue() const {
    const Field* f = link_->active() ? link_->field() : nullptr;
    try {
        return f ? f->asString() : QString();
    } catch (...) {
        // A row that cannot be read shows no name; the operation that moved the
        // dataset there meets the failure and reports it.
        return {};
    }
}

void DBLookupComboBox::showKey() {
    const int index = link_->active() ? indexOfKey_.value(keyValue(), -1) : -1;
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

QString DBLookupComboBox::displayedText() const { return currentIndex() < 0 ? QString() : currentText(); }

void DBLookupComboBox::choose(int index) {
    if (index < 0 || index >= keys_.size() || !link_->canModify()) {
        showKey();  // not editing: the choice is refused
        return;
    }
    try {
        link_->field()->setAsString(keys_[index]);
    } catch (...) {
        link_->reportLater(exceptionMessage(std::current_exception()));
    }
    showKey();
}

int DBLookupComboBox::find(const QString& typed) const {
    const QString wanted = folded(typed);
    for (int i = 0; i < int(folded_.size()); ++i)
        if (folded_[i].startsWith(wanted)) return i;
    return -1;
}

int DBLookupComboBox::search(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QString text = event->text();
    if (plain && event->key() == Qt::Key_Backspace) {
        search_.chop(1);
        lastKey_.start();
        return search_.isEmpty() ? kNoRow : find(search_);
    }
    if (!plain || text.isEmpty() || !text.at(0).isPrint()) {
        search_.clear();
        return kNotASearchKey;
    }
    const bool paused = !lastKey_.isValid() || lastKey_.elapsed() > QApplication::keyboardInputInterval();
    lastKey_.start();
    if (const int i = find(search_ + text); i >= 0) {
        search_ += text;
        return i;
    }
    // A key that fits no name is ignored, so that a slip does not throw away
    // what was typed; after a pause it starts a new search.
    if (paused) {
        if (const int i = find(text); i >= 0) {
            search_ = text;
            return i;
        }
    }
    return kNoRow;
}

void DBLookupComboBox::keyPressEvent(QKeyEvent* event) {
    const int found = search(event);
    if (found == kNotASearchKey) {
        QComboBox::keyPressEvent(event);
        return;
    }
    event->accept();
    if (found >= 0 && found != currentIndex()) choose(found);
}

void DBLookupComboBox::focusInEvent(QFocusEvent* event) {
    search_.clear();
    QComboBox::focusInEvent(event);
}

bool DBLookupComboBox::eventFilter(QObject* watched, QEvent* event) {
    // With the list open the same search moves its highlight; Enter or a click chooses.
    if (watched == view() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int found = search(key);
        if (found == kNotASearchKey) return QComboBox::eventFilter(watched, event);
        if (found >= 0) {
            const QModelIndex index = model()->index(found, modelColumn(), rootModelIndex());
            view()->setCurrentIndex(index);
            view()->scrollTo(index, QAbstractItemView::PositionAtCenter);
        }
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

}  // namespace meru::controls
