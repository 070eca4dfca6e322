#include "controls/db_check_box.h"

#include "controls/field_link.h"

#include <exception>

namespace meru::controls {

namespace {

bool matches(const QString& values, const QString& text) {
    for (const QString& v : values.split(QLatin1Char(';')))
        if (v.compare(text, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString firstOf(const QString& values) { return values.section(QLatin1Char(';'), 0, 0); }

}  // namespace

DBCheckBox::DBCheckBox(QWidget* parent) : DBCheckBox(QString(), parent) {}

DBCheckBox::DBCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent), link_(new FieldLink(this)) {
    connect(link_, &FieldLink::changed, this, &DBCheckBox::showField);
    showField();
}

DataSource* DBCheckBox::dataSource() const { return link_->dataSource(); }
void DBCheckBox::setDataSource(DataSource* source) { link_->setDataSource(source); }
QString DBCheckBox::dataField() const { return link_->fieldName(); }
void DBCheckBox::setDataField(const QString& fieldName) { link_->setFieldName(fieldName); }
Field* DBCheckBox::field() const { return link_->field(); }

void DBCheckBox::setValueChecked(const QString& value) {
    valueChecked_ = value;
    showField();
}

void DBCheckBox::setValueUnchecked(const QString& value) {
    valueUnchecked_ = value;
    showField();
}

void DBCheckBox::showField() {
    const Field* f = link_->active() ? link_->field() : nullptr;
    bool on = false;
    try {
        on = f && !f->isNull() && matches(valueChecked_, f->asString());
    } catch (...) {
        // A row that cannot be read shows unchecked; the operation that moved the
        // dataset there meets the failure and reports it.
    }
    setChecked(on);
}

void DBCheckBox::nextCheckState() {
    if (!link_->canModify()) return;
    const bool on = !isChecked();
    try {
        link_->field()->setAsString(firstOf(on ? valueChecked_ : valueUnchecked_));
    } catch (const std::exception& e) {
        link_->reportLater(QString::fromUtf8(e.what()));
    } catch (...) {
        link_->reportLater(QString());
    }
    showField();
}

}  // namespace meru::controls
