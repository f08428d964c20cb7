#pragma once

#include <Qt>
#include <QtGlobal>

// The editor's key bindings name keys by the Windows virtual-key numbers (Left 37, Enter 13,
// letters and digits by their upper-case character codes, ...). This maps a Qt key event to
// that number; 0 for a key that has none. Shifted punctuation of the US layout goes back to
// its key (Shift+1 arrives as Qt::Key_Exclam and is the key '1'), and Shift+Tab arrives as
// Qt::Key_Backtab and is the Tab key.
quint16 VirtualKeyFromQt(int QtKey, Qt::KeyboardModifiers Modifiers);
