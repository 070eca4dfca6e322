#pragma once
// The accelerators of an MDI child. Its buttons' Alt+letter shortcuts and the
// frame's menu bar mnemonics are shortcuts of the same top-level window, so a
// letter that both use is ambiguous and neither fires. The child claims the key
// before the shortcuts are looked at (the shortcut-override step) when one of its
// own enabled, visible buttons carries that mnemonic, and clicks that button when
// the key press follows: the active child's control wins over the frame's menu.

class QKeyEvent;
class QWidget;

namespace meru {

// Called with a shortcut-override event that reached `child` (an MDI child or one
// of its widgets had the focus). True when the child claimed the key.
bool claimChildAccelerator(QWidget* child, QKeyEvent* event);

}  // namespace meru
