#include "controls/db_edit.h"

#include "controls/field_link.h"
#include "platform/message_service.h"

#include <QFocusEvent>
#include <QTimer>
#include <stdexcept>

namespace meru::controls {

namespace {

constexpr int kUnlimited = 32767;  // QLineEdit's own default


}  // namespace

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent), link_(new FieldLink(this)) {
    connect(link_, &FieldLink::changed, this, &DBEdit::showField);
    connect(this, &QLineEdit::textEdited, this, [this] { modified_ = true; });
    showField();
}

DataSource* DBEdit::dataSource() const { return link_->dataSource(); }
void DBEdit::setDataSource(DataSource* source) { link_->setDataSource(source); }
QString DBEdit::dataField() const { return link_->fieldName(); }
void DBEdit::setDataField(const QString& fieldName) { link_->setFieldName(fieldName); }
Field* DBEdit::field() const { return link_->field(); }

void DBEdit::setReadOnlyDisplay(bool on) {
    displayOnly_ = on;
    syncAccess();
}

QString DBEdit::fieldText() const { return mask_.isEmpty() ? text() : mask_.fieldText(displayText()); }

bool DBEdit::syncMask() {
    Field* f = link_->active() ? link_->field() : nullptr;
    const QString source = f ? f->editMask() : QString();
    if (source == mask_.source()) return false;
    try {
        mask_ = platform::EditMask::parse(source);
    } catch (const std::invalid_argument&) {
        mask_ = platform::EditMask();
    }
    setInputMask(mask_.qtInputMask());
    return true;
}

void DBEdit::syncAccess() {
    if (mask_.isEmpty()) {
        Field* f = link_->field();
        setMaxLength(f && f->type() == schema::FieldType::Alpha && f->size() > 0 ? f->size() : kUnlimited);
    }
    setReadOnly(displayOnly_ || !link_->canModify());
}

void DBEdit::showField() {
    syncMask();
    Field* f = link_->active() ? link_->field() : nullptr;
    const QString text = f ? f->asString() : QString();
    setText(mask_.isEmpty() ? text : mask_.displayTextFor(text));
    modified_ = false;
    syncAccess();
    if (hasFocus()) placeCursor(Qt::OtherFocusReason);
}

void DBEdit::placeCursor(Qt::FocusReason reason) {
    if (!mask_.isEmpty() && displayText() == mask_.displayTextFor(QString())) {
        // Qt leaves the cursor behind the last position, where a mask takes no input.
        setCursorPosition(0);
    } else if (reason != Qt::MouseFocusReason) {
        selectAll();
    }
}

void DBEdit::updateRecord() {
    if (displayOnly_ || !modified_ || !link_->canModify()) return;
    Field* f = link_->field();
    const QString text = fieldText();
    if (text != f->asString()) f->setAsString(text);
    modified_ = false;
}

void DBEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (inside_) return;
    inside_ = true;
    emit entered();
    // Windows put masks on fields in their Enter handlers.
    if (syncMask()) showField();
    placeCursor(event->reason());
}

void DBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!inside_ || refusing_) return;
    // Another window took the focus; the edit keeps its place in its own window.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    try {
        updateRecord();
    } catch (const std::exception& e) {
        // Taking the focus back at once means the control it was going to is
        // never entered; the box comes after the focus has settled.
        refusing_ = true;
        setFocus(Qt::OtherFocusReason);
        refusing_ = false;
        if (!hasFocus()) inside_ = false;  // hidden or disabled: it cannot hold the focus
        QTimer::singleShot(0, this, [text = QString::fromUtf8(e.what())] { platform::messages().error(text); });
        return;
    }
    inside_ = false;
    emit exited();
}

}  // namespace meru::controls
