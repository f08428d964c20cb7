#pragma once

#include <QFlags>
#include <QtGlobal>
#include <cstdint>

#include "platform/Errors.h"

// Small value types shared by the line store, the undo lists, the search engine and the
// editor widget built on them.

// Errors raised by the editor control itself (for example a search without an engine).
MARROWPAD_DECLARE_ERROR(ECodeEditError, EMarrowpadError)

// A position in the text: 1-based character index within the line (a tab is one character)
// and 1-based buffer line. A position may lie past the end of its line.
struct TBufferCoord {
    qint32 Char = 1;
    qint32 Line = 1;

    friend constexpr bool operator==(const TBufferCoord&, const TBufferCoord&) = default;
    friend constexpr bool operator<(const TBufferCoord& a, const TBufferCoord& b) {
        return a.Line != b.Line ? a.Line < b.Line : a.Char < b.Char;
    }
    friend constexpr bool operator>(const TBufferCoord& a, const TBufferCoord& b) { return b < a; }
    friend constexpr bool operator<=(const TBufferCoord& a, const TBufferCoord& b) {
        return !(b < a);
    }
    friend constexpr bool operator>=(const TBufferCoord& a, const TBufferCoord& b) {
        return !(a < b);
    }
};

// A position on screen: 1-based display cell (tabs and wide glyphs expanded) and display row.
struct TDisplayCoord {
    qint32 Column = 1;
    qint32 Row = 1;

    friend constexpr bool operator==(const TDisplayCoord&, const TDisplayCoord&) = default;
};

enum TSelectionMode : quint8 { smNormal = 0, smLine = 1, smColumn = 2 };

// Bit n of the set is the option with ordinal n.
enum TSearchOption : quint32 {
    ssoMatchCase = 1u << 0,
    ssoWholeWord = 1u << 1,
    ssoBackwards = 1u << 2,
    ssoEntireScope = 1u << 3,
    ssoSelectedOnly = 1u << 4,
    ssoReplace = 1u << 5,
    ssoReplaceAll = 1u << 6,
    ssoPrompt = 1u << 7,
};
Q_DECLARE_FLAGS(TSearchOptions, TSearchOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSearchOptions)

enum TReplaceAction : quint8 { raCancel, raSkip, raReplace, raReplaceAll };

// The highlighter's scanner state at the end of a line. Opaque to the editor: it is only
// stored, handed back and compared. Every highlighter keeps a small enumeration in it.
using TCodeEditRange = std::intptr_t;
inline constexpr TCodeEditRange kNoRange = -1;  // a line that was never scanned
