// The main window's highlighters and the token colour presets copied into them.
#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "editor/CodeEdit.h"
#include "highlighters/HighlighterRegistry.h"

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
    SetPreset(fSettings->CommentFont, 0x05BC60, fsItalic);
    SetPreset(fSettings->FloatFont, 0x507FFF, 0);
    SetPreset(fSettings->KeyFont, 0x45DAEA, fsBold);
    SetPreset(fSettings->NumberFont, 0x507FFF, 0);
    SetPreset(fSettings->StringFont, 0xED9564, 0);
    SetPreset(fSettings->SymbolFont, 0xFFFFFF, 0);
    SetPreset(fSettings->IdentFont, 0xFFFFFF, 0);
}

void TForm1::SetLightSynFonts() {
    SetPreset(fSettings->CommentFont, 0x228B22, fsItalic);
    SetPreset(fSettings->FloatFont, 0xCD0000, 0);
    SetPreset(fSettings->KeyFont, 0x9D0808, fsBold);
    SetPreset(fSettings->NumberFont, 0xCD0000, 0);
    SetPreset(fSettings->StringFont, 0x000080, 0);
    SetPreset(fSettings->SymbolFont, 0x000000, 0);
    SetPreset(fSettings->IdentFont, 0x000000, 0);
}

void TForm1::ApplySynFonts() {
    // The token fonts, in the order the registry names each highlighter's attributes.
    const TAppSettings& s = *fSettings;
    const TIniFont* fonts[kTokenFontRoles] = {&s.CommentFont, &s.FloatFont,  &s.KeyFont,
                                              &s.NumberFont,  &s.StringFont, &s.SymbolFont,
                                              &s.IdentFont};
    for (const THighlighterEntry& entry : HighlighterRegistry()) {
        TCustomHighlighter* highlighter = HighlighterOfChoice(entry.Choice);
        if (!highlighter) continue;
        // One change notice per highlighter, so the editor re-scans once, not per attribute.
        TCustomHighlighter::TUpdateGuard batch(*highlighter);
        const auto targets = TokenFontTargets(entry, *highlighter);
        for (int role = 0; role < kTokenFontRoles; ++role)
            Apply(targets[size_t(role)], *fonts[role]);
    }
}
