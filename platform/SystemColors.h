#pragma once

#include <QtGlobal>
#include <array>

// Colour values as the settings file, the highlighters and the editor keep them: 0x00BBGGRR
// (red in the low byte), kColorNone for "the control's own colour", and 0xFF0000nn for the
// system colour number nn (5 the window background, 8 the window text, 15 the button face,
// 13 and 14 the selection, ...).
inline constexpr quint32 kColorNone = 0x1FFFFFFF;

inline constexpr bool IsSystemColor(quint32 Color) {
    return (Color & 0xFFFFFF00u) == 0xFF000000u;
}

// System colours are numbered 0..30; number 25 has no colour of its own.
inline constexpr int kSystemColorCount = 31;

// The 0x00BBGGRR value each system colour number stands for on one desktop. The entry of a
// number without a colour is kColorNone.
using TSystemColorTable = std::array<quint32, kSystemColorCount>;

// The number nn of a system colour value 0xFF0000nn that has a colour, or -1 for any other
// value. Every conversion of system colours asks this, so they agree on which values name one.
int SystemColorNumber(quint32 Color);

// The 0x00BBGGRR value a colour value shows as: RGB values as they are, system colours from
// Table. kColorNone, and any value that is neither RGB nor a system colour with a colour in
// Table, give Fallback.
quint32 ResolveColor(quint32 Color, const TSystemColorTable& Table, quint32 Fallback);
