// The main window's highlighters and the token colour presets copied into them.
#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "editor/CodeEdit.h"
#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"

namespace {

// The attributes one highlighter takes from the token fonts; null where it has none.
struct TTokenFontTargets {
    THighlighterAttributes* Comment = nullptr;
    THighlighterAttributes* Float = nullptr;
    THighlighterAttributes* Key = nullptr;
    THighlighterAttributes* Number = nullptr;
    THighlighterAttributes* String = nullptr;
    THighlighterAttributes* Symbol = nullptr;
    THighlighterAttributes* Identifier = nullptr;
};

template <class THighlighter>
TTokenFontTargets TargetsOf(THighlighter* h, bool takesFloat) {
    if (!h) return {};
    return {h->fCommentAttri,   takesFloat ? h->fFloatAttri : nullptr,
            h->fKeyAttri,       h->fNumberAttri,
            h->fStringAttri,    h->fSymbolAttri,
            h->fIdentifierAttri};
}

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

void TForm1::CreateHighlighters() {
    PasHighlighter1 = std::make_unique<TPasHighlighter>();
    CppHighlighter1 = std::make_unique<TCppHighlighter>();
}

void TForm1::SetHighlighterChoice(int choice) {
    if (choice < 0 || choice >= kHighlighterChoices) return;
    Editor().SetHighlighter(HighlighterOfChoice(choice));
}

TCustomHighlighter* TForm1::HighlighterOfChoice(int choice) const {
    switch (choice) {
        case 1:
            return PasHighlighter1.get();
        case 5:
            return CppHighlighter1.get();
        default:  // 0 is plain text; C#, Python, Ruby, JavaScript and Java have none yet
            return nullptr;
    }
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
    // Language order Pascal, C#, Python, Ruby, C++, JavaScript, Java; of them only Pascal,
    // Python and C++ take the float colour.
    const TTokenFontTargets targets[] = {TargetsOf(PasHighlighter1.get(), true), {}, {}, {},
                                         TargetsOf(CppHighlighter1.get(), true), {}, {}};
    for (int choice = 1; choice < kHighlighterChoices; ++choice) {
        TCustomHighlighter* highlighter = HighlighterOfChoice(choice);
        if (!highlighter) continue;
        // One change notice per highlighter, so the editor re-scans once, not per attribute.
        TCustomHighlighter::TUpdateGuard batch(*highlighter);
        const TTokenFontTargets& t = targets[choice - 1];
        Apply(t.Comment, fSettings->CommentFont);
        Apply(t.Float, fSettings->FloatFont);
        Apply(t.Key, fSettings->KeyFont);
        Apply(t.Number, fSettings->NumberFont);
        Apply(t.String, fSettings->StringFont);
        Apply(t.Symbol, fSettings->SymbolFont);
        Apply(t.Identifier, fSettings->IdentFont);
    }
}
