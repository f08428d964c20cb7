#pragma once

#include <QtGlobal>
#include <array>

#include "highlighters/HighlighterRegistry.h"

// The colour (0x00BBGGRR) and style bits of one token font.
struct TTokenColorPreset {
    quint32 Color;
    quint8 Style;
};
// One preset per token font, in TTokenFontRole order.
using TTokenColorPresets = std::array<TTokenColorPreset, kTokenFontRoles>;

// The token colours for a light window and for a dark one.
const TTokenColorPresets& LightTokenColors();
const TTokenColorPresets& DarkTokenColors();

// Gives the attributes of Highlighter (made by Entry) that take each token font that font's
// colour and style, with one change notice.
void ApplyTokenColors(const THighlighterEntry& Entry, TCustomHighlighter& Highlighter,
                      const TTokenColorPresets& Presets);
