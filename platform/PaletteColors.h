#pragma once

#include <QColor>

#include "platform/SystemColors.h"

class QPalette;

// The one place where a colour value becomes something to paint with. System colours come
// from the palette's roles; kColorNone, and any value that is neither RGB nor a known system
// colour, give Fallback.
QColor ColorToQColor(quint32 Color, const QPalette& Palette, const QColor& Fallback = QColor());

// The 0x00BBGGRR value of an opaque colour (the alpha channel is dropped).
quint32 QColorToColor(const QColor& Color);

// The system colours as the palette shows them, for code that resolves colour values without
// QtGui.
TSystemColorTable SystemColorsOf(const QPalette& Palette);
