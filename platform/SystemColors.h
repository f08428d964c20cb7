#pragma once

#include <QColor>
#include <QtGlobal>

class QPalette;

// Colour values as the settings file, the highlighters and the editor keep them: 0x00BBGGRR
// (red in the low byte), kColorNone for "the control's own colour", and 0xFF0000nn for the
// system colour number nn (5 the window background, 8 the window text, 15 the button face,
// 13 and 14 the selection, ...).
inline constexpr quint32 kColorNone = 0x1FFFFFFF;

inline constexpr bool IsSystemColor(quint32 Color) {
    return (Color & 0xFFFFFF00u) == 0xFF000000u;
}

// The one place where a colour value becomes something to paint with. System colours come
// from the palette's roles; kColorNone, and any value that is neither RGB nor a known system
// colour, give Fallback.
QColor ColorToQColor(quint32 Color, const QPalette& Palette, const QColor& Fallback = QColor());

// The 0x00BBGGRR value of an opaque colour (the alpha channel is dropped).
quint32 QColorToColor(const QColor& Color);
