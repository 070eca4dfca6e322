#include "controls/db_lookup_combo_box.h"

#include "controls/field_link.h"
#include "platform/guarded.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QListView>

namespace meru::controls {

DBLookupComboBox::DBLookupComboBox(QWidget* parent) : QComboBox(parent), link_(new FieldLink(this)) {
    setEditable(false);
    // Measuring thousands of names for the box's width is not worth it.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
    if (auto* listView = qobject_cast<QListView*>(view())) listView->setUniformItemSizes(true);
    connect(link_, &FieldLink::changed, this, &DBLookupComboBox::showKey);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::choose);
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
    indexOfKey_.clear();
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
    indexOfKey_.clear();
    try {
        ds->forEachRow([&](const Row& row) {
            const QString k = key->textOf(row[size_t(key->index())]);
            indexOfKey_.insert(k, int(keys_.size()));  // a repeated key shows its last name
            keys_.push_back(k);
            names.push_back(name->textOf(row[size_t(name->index())]));
        });
    } catch (...) {
        platform::reportException();
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
    return f ? f->asString() : QString();
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
        platform::reportException();
    }
    showKey();
}

}  // namespace meru::controls

namespace meru::controls {

void DBLookupComboBox::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QString text = event->text();
    const bool printable = plain && !text.isEmpty() && text.at(0).isPrint();
    const bool backspace = plain && event->key() == Qt::Key_Backspace;
    if (!printable && !backspace) {
        search_.clear();
        QComboBox::keyPressEvent(event);
        return;
    }
    if (!lastKey_.isValid() || lastKey_.elapsed() > QApplication::keyboardInputInterval()) search_.clear();
    lastKey_.start();
    if (backspace) {
        search_.chop(1);
    } else {
        // A blank with nothing typed yet opens the list, as in any combo box.
        if (search_.isEmpty() && text == QLatin1String(" ")) {
            QComboBox::keyPressEvent(event);
            return;
        }
        search_ += text;
    }
    event->accept();
    if (search_.isEmpty()) return;
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(search_, Qt::CaseInsensitive)) {
            if (i != currentIndex()) choose(i);
            return;
        }
    }
}

}  // namespace meru::controls
