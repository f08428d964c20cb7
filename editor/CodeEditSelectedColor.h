#pragma once

#include <functional>

#include "platform/SystemColors.h"

// The colours of selected text. A change raises OnChange, on which the editor repaints the
// selection.
class TSelectedColor {
public:
    using TChangeEvent = std::function<void(TSelectedColor* Sender)>;

    quint32 Background() const { return fBackground; }
    void SetBackground(quint32 Value) { Change(fBackground, Value); }
    quint32 Foreground() const { return fForeground; }
    void SetForeground(quint32 Value) { Change(fForeground, Value); }

    TChangeEvent OnChange;

private:
    void Change(quint32& Field, quint32 Value) {
        if (Field == Value) return;
        Field = Value;
        if (OnChange) OnChange(this);
    }

    quint32 fBackground = 0xFF00000D;  // highlight
    quint32 fForeground = 0xFF00000E;  // highlight text
};
