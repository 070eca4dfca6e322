#include "controls/db_edit.h"

#include "controls/field_link.h"
#include "controls/mask_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <exception>

namespace meru::controls {

namespace {

constexpr int kUnlimited = 32767;  // QLineEdit's own default

bool breaksTheLine(QChar c) {
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

}  // namespace

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent), link_(new FieldLink(this)) {
    connect(link_, &FieldLink::changed, this, &DBEdit::showField);
    connect(this, &QLineEdit::textEdited, this, [this] {
        modified_ = true;
        keepOnOneLine();
    });
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
    if (f ? f->mask() == mask_ : mask_.isEmpty()) return false;
    mask_ = f ? f->mask() : platform::EditMask();
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

QString DBEdit::shownText() const {
    Field* f = link_->active() ? link_->field() : nullptr;
    try {
        if (!f) return {};
        if (!mask_.isEmpty()) return mask_.displayTextFor(f->asString());
        // Out of the edit a value reads as the field displays it (a currency
        // amount); in it, as the operator types it.
        return inside_ ? f->asString() : f->displayText();
    } catch (...) {
        // A row that cannot be read shows blank; the operation that moved the
        // dataset there meets the failure and reports it.
        return {};
    }
}

void DBEdit::showField() {
    syncMask();
    setText(shownText());
    modified_ = false;
    syncAccess();
    if (hasFocus()) placeCursor(Qt::OtherFocusReason);
}

void DBEdit::placeCursor(Qt::FocusReason reason) {
    if (!mask_.isEmpty() && mask_.typedEnd(displayText()) == 0) {
        // Nothing typed: Qt leaves the cursor behind the last position, where a
        // mask takes no input.
        setCursorPosition(std::max(0, mask_.firstUnfilled(displayText())));
    } else if (reason != Qt::MouseFocusReason) {
        selectAll();
    }
}

void DBEdit::keepOnOneLine() {
    const QString typed = text();
    if (std::none_of(typed.begin(), typed.end(), breaksTheLine)) return;
    // A pasted line break or tab becomes a blank (a CR LF pair one blank).
    QString line;
    int cursor = cursorPosition();
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (typed[i] == QLatin1Char('\r') && i + 1 < typed.size() && typed[i + 1] == QLatin1Char('\n')) {
            if (i < cursor) --cursor;
            continue;
        }
        line += breaksTheLine(typed[i]) ? QLatin1Char(' ') : typed[i];
    }
    setText(line);
    setCursorPosition(cursor);
}

void DBEdit::updateRecord() {
    if (displayOnly_ || !modified_ || !link_->canModify()) return;
    try {
        Field* f = link_->field();
        const QString text = fieldText();
        if (text != f->asString()) f->setAsString(text);
    } catch (...) {
        // The caller reports this failure; a box this edit still owed for it goes.
        link_->withdrawReport();
        throw;
    }
    modified_ = false;
}

void DBEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (inside_) return;
    inside_ = true;
    emit entered();
    // Windows put masks on fields in their Enter handlers.
    if (syncMask() || (!modified_ && text() != shownText())) showField();
    placeCursor(event->reason());
}

void DBEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier))
        placeCursorForTyping(*this, mask_);
}

void DBEdit::keyPressEvent(QKeyEvent* event) {
    if (!isReadOnly()) keepKeyFromBeingDropped(*this, *event, mask_);
    QLineEdit::keyPressEvent(event);
}

void DBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!inside_ || refusing_) return;
    // Another window took the focus; the edit keeps its place in its own window.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    try {
        updateRecord();
    } catch (...) {
        // Taking the focus back at once means the control it was going to is
        // never entered; the box comes after the focus has settled.
        const QString message = exceptionMessage(std::current_exception());
        refusing_ = true;
        setFocus(Qt::OtherFocusReason);
        refusing_ = false;
        if (!hasFocus()) {
            // Hidden or disabled, as when its window closes: nothing to keep the
            // operator in, and the pending row goes with the window.
            inside_ = false;
            return;
        }
        link_->reportLater(message);
        return;
    }
    inside_ = false;
    if (!modified_ && text() != shownText()) showField();
    emit exited();
}

}  // namespace meru::controls
