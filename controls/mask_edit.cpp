#include "controls/mask_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace meru::controls {

namespace {

void moveToFirstUnfilledFrom(QLineEdit& edit, const platform::EditMask& mask, int from) {
    if (mask.isEmpty() || edit.hasSelectedText() || edit.cursorPosition() < from) return;
    if (const int target = mask.firstUnfilled(edit.displayText()); target >= 0) edit.setCursorPosition(target);
}

bool insertsText(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste)) return true;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace

void placeCursorForTyping(QLineEdit& edit, const platform::EditMask& mask, int from) {
    moveToFirstUnfilledFrom(edit, mask, from >= 0 ? from : mask.typedEnd(edit.displayText()));
}

void keepKeyFromBeingDropped(QLineEdit& edit, const QKeyEvent& event, const platform::EditMask& mask) {
    if (insertsText(event)) moveToFirstUnfilledFrom(edit, mask, mask.inputEnd());
}

MaskEdit::MaskEdit(const QString& delphiMask, QWidget* parent)
    : QLineEdit(parent), mask_(platform::EditMask::parse(delphiMask)) {
    setInputMask(mask_.qtInputMask());
}

void MaskEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A click places the cursor after this, in mousePressEvent. Any other way in
    // goes on typing where the text stops.
    if (event->reason() != Qt::MouseFocusReason) placeCursorForTyping(*this, mask_, 0);
}

void MaskEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier))
        placeCursorForTyping(*this, mask_);
}

void MaskEdit::keyPressEvent(QKeyEvent* event) {
    keepKeyFromBeingDropped(*this, *event, mask_);
    QLineEdit::keyPressEvent(event);
}

}  // namespace meru::controls
