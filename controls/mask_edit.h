#pragma once
// A masked edit bound to no field: shows the mask's literals while the operator
// types, and reads back the text the mask's rules give.

#include "platform/edit_mask.h"

#include <QLineEdit>

namespace meru::controls {

class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(const QString& delphiMask, QWidget* parent = nullptr);

    const platform::EditMask& editMask() const { return mask_; }
    // The text as the mask delivers it (literals dropped or kept, blanks).
    QString fieldText() const { return mask_.fieldText(displayText()); }

private:
    platform::EditMask mask_;
};

}  // namespace meru::controls
