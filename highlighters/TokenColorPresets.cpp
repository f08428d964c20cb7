#include "highlighters/TokenColorPresets.h"

const TTokenColorPresets& LightTokenColors() {
    static const TTokenColorPresets kLight = {{
        {0x228B22, hsItalic},  // comment
        {0xCD0000, 0},         // float
        {0x9D0808, hsBold},    // reserved word
        {0xCD0000, 0},         // number
        {0x000080, 0},         // string
        {0x000000, 0},         // symbol
        {0x000000, 0},         // identifier
    }};
    return kLight;
}

const TTokenColorPresets& DarkTokenColors() {
    static const TTokenColorPresets kDark = {{
        {0x05BC60, hsItalic},
        {0x507FFF, 0},
        {0x45DAEA, hsBold},
        {0x507FFF, 0},
        {0xED9564, 0},
        {0xFFFFFF, 0},
        {0xFFFFFF, 0},
    }};
    return kDark;
}

void ApplyTokenColors(const THighlighterEntry& Entry, TCustomHighlighter& Highlighter,
                      const TTokenColorPresets& Presets) {
    TCustomHighlighter::TUpdateGuard batch(Highlighter);
    const auto targets = TokenFontTargets(Entry, Highlighter);
    for (int role = 0; role < kTokenFontRoles; ++role) {
        if (THighlighterAttributes* attribute = targets[size_t(role)]) {
            attribute->SetForeground(Presets[size_t(role)].Color);
            attribute->SetStyle(Presets[size_t(role)].Style);
        }
    }
}
