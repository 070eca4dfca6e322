#include "mask_edit.h"

namespace meru::controls {

MaskEdit::MaskEdit(const QString& delphiMask, QWidget* parent)
    : QLineEdit(parent), mask_(platform::EditMask::parse(delphiMask)) {
    setInputMask(mask_.qtInputMask());
}

}  // namespace meru::controls
