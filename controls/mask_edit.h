#pragma once
// A masked edit bound to no field: shows the mask's literals while the operator
// types, and reads back the text the mask's rules give.
//
// Typing never goes where the mask takes nothing: a click or a focus that leaves
// the cursor past the typed text moves it to the first unfilled position, and a
// key typed behind the last input position (after End, say) goes there too.
// QLineEdit would put the cursor where the click landed, and past the last input
// position every typed digit is dropped. A cursor the operator moved with the
// arrows inside the mask stays: blanks left that way are his.

#include "platform/edit_mask.h"

#include <QLineEdit>

namespace meru::controls {

// The cursor rules of a masked edit, shared with the bound edit. Nothing
// selected, no mask, or a full edit: the cursor stays. After a click: past the
// typed text (or at or past `from`, when given), it goes to the first unfilled
// position.
void placeCursorForTyping(QLineEdit& edit, const platform::EditMask& mask, int from = -1);
// Before a key that types or pastes: behind the last input position, likewise.
void keepKeyFromBeingDropped(QLineEdit& edit, const QKeyEvent& event, const platform::EditMask& mask);

class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(const QString& delphiMask, QWidget* parent = nullptr);

    const platform::EditMask& editMask() const { return mask_; }
    // The text as the mask delivers it (literals dropped or kept, blanks).
    QString fieldText() const { return mask_.fieldText(displayText()); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    platform::EditMask mask_;
};

}  // namespace meru::controls
