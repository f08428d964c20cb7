// The main window's highlighters and the token colour presets copied into them.
#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "editor/CodeEdit.h"
#include "highlighters/HighlighterRegistry.h"
#include "highlighters/TokenColorPresets.h"

namespace {

void Apply(THighlighterAttributes* attribute, const TIniFont& font) {
    if (!attribute) return;
    attribute->SetForeground(font.Color);
    attribute->SetStyle(FontStyleBits(font.Font));
}

void SetPreset(TIniFont& font, quint32 color, quint8 style) {
    font.Color = color;
    SetFontStyleBits(font.Font, style);
}

// The token fonts in the order the presets and the registry name them.
std::array<TIniFont*, kTokenFontRoles> TokenFonts(TAppSettings& s) {
    return {&s.CommentFont, &s.FloatFont,  &s.KeyFont,  &s.NumberFont,
            &s.StringFont,  &s.SymbolFont, &s.IdentFont};
}

void SetPresets(const std::array<TIniFont*, kTokenFontRoles>& fonts,
                const TTokenColorPresets& presets) {
    for (int role = 0; role < kTokenFontRoles; ++role)
        SetPreset(*fonts[size_t(role)], presets[size_t(role)].Color, presets[size_t(role)].Style);
}

}  // namespace

static_assert(TForm1::kHighlighterSlots == kHighlighterChoices, "one slot per highlighter choice");

void TForm1::CreateHighlighters() {
    for (const THighlighterEntry& entry : HighlighterRegistry())
        fHighlighters[entry.Choice] = entry.Create();
}

void TForm1::SetHighlighterChoice(int choice) {
    if (choice < 0 || choice >= kHighlighterSlots) return;
    Editor().SetHighlighter(HighlighterOfChoice(choice));
}

TCustomHighlighter* TForm1::HighlighterOfChoice(int choice) const {
    // 0 is plain text, and a language without a highlighter shows plain text too.
    return choice > 0 && choice < kHighlighterSlots ? fHighlighters[choice].get() : nullptr;
}

void TForm1::CreateTokenFonts() {
    const quint32 windowText = TIniFont().Color;
    SetPreset(fSettings->CommentFont, 0x008000, fsItalic);
    SetPreset(fSettings->IdentFont, 0x800000, 0);
    SetPreset(fSettings->FloatFont, windowText, 0);
    SetPreset(fSettings->KeyFont, 0x800000, fsBold);
    SetPreset(fSettings->NumberFont, 0x008000, 0);
    SetPreset(fSettings->StringFont, 0x008000, 0);
    SetPreset(fSettings->SymbolFont, windowText, 0);
}

void TForm1::SetDarkSynFonts() {
    SetPresets(TokenFonts(*fSettings), DarkTokenColors());
}

void TForm1::SetLightSynFonts() {
    SetPresets(TokenFonts(*fSettings), LightTokenColors());
}

void TForm1::ApplySynFonts() {
    const auto fonts = TokenFonts(*fSettings);
    for (const THighlighterEntry& entry : HighlighterRegistry()) {
        TCustomHighlighter* highlighter = HighlighterOfChoice(entry.Choice);
        if (!highlighter) continue;
        // One change notice per highlighter, so the editor re-scans once, not per attribute.
        TCustomHighlighter::TUpdateGuard batch(*highlighter);
        const auto targets = TokenFontTargets(entry, *highlighter);
        for (int role = 0; role < kTokenFontRoles; ++role)
            Apply(targets[size_t(role)], *fonts[size_t(role)]);
    }
}
