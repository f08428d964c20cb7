#include "highlighters/HighlighterAttributes.h"

#include "settings/ExIniFile.h"

namespace {

const QString kBackgroundKey = QStringLiteral("Background");
const QString kForegroundKey = QStringLiteral("Foreground");
const QString kStyleKey = QStringLiteral("Style");

}  // namespace

THighlighterAttributes::THighlighterAttributes(QString AName, QString AFriendlyName)
    : fFriendlyName(std::move(AFriendlyName)), fName(std::move(AName)) {}

void THighlighterAttributes::Changed() {
    if (OnChange) OnChange(this);
}

void THighlighterAttributes::SetBackground(quint32 Value) {
    if (fBackground == Value) return;
    fBackground = Value;
    Changed();
}

void THighlighterAttributes::SetForeground(quint32 Value) {
    if (fForeground == Value) return;
    fForeground = Value;
    Changed();
}

void THighlighterAttributes::SetColors(quint32 Foreground, quint32 Background) {
    if (fForeground == Foreground && fBackground == Background) return;
    fForeground = Foreground;
    fBackground = Background;
    Changed();
}

void THighlighterAttributes::SetStyle(quint8 Value) {
    Value &= kHighlighterStyleMask;
    if (fStyle == Value) return;
    fStyle = Value;
    Changed();
}

void THighlighterAttributes::InternalSaveDefaultValues() {
    fBackgroundDefault = fBackground;
    fForegroundDefault = fForeground;
    fStyleDefault = fStyle;
}

void THighlighterAttributes::SetToDefaults() {
    if (!BackgroundStored() && !ForegroundStored() && !StyleStored()) return;
    fBackground = fBackgroundDefault;
    fForeground = fForegroundDefault;
    fStyle = fStyleDefault;
    Changed();
}

void THighlighterAttributes::AssignColorAndStyle(const THighlighterAttributes& Source) {
    if (&Source == this) return;
    if (fBackground == Source.fBackground && fForeground == Source.fForeground &&
        fStyle == Source.fStyle)
        return;
    fBackground = Source.fBackground;
    fForeground = Source.fForeground;
    fStyle = Source.fStyle;
    Changed();
}

void THighlighterAttributes::Assign(const THighlighterAttributes& Source) {
    if (&Source == this) return;
    fName = Source.fName;
    AssignColorAndStyle(Source);
}

bool THighlighterAttributes::LoadFromIniFile(const TExIniFile& Ini) {
    if (!Ini.SectionExists(fName)) return false;
    // A missing or unreadable key keeps the current value.
    const quint32 background = quint32(Ini.ReadInteger(fName, kBackgroundKey, qint32(fBackground)));
    const quint32 foreground = quint32(Ini.ReadInteger(fName, kForegroundKey, qint32(fForeground)));
    const qint32 style = Ini.ReadInteger(fName, kStyleKey, IntegerStyle());
    const quint8 bits = quint8(style & kHighlighterStyleMask);
    if (background == fBackground && foreground == fForeground && bits == fStyle) return true;
    fBackground = background;
    fForeground = foreground;
    fStyle = bits;
    Changed();
    return true;
}

void THighlighterAttributes::SaveToIniFile(TExIniFile& Ini) const {
    Ini.WriteInteger(fName, kBackgroundKey, qint32(fBackground));
    Ini.WriteInteger(fName, kForegroundKey, qint32(fForeground));
    Ini.WriteInteger(fName, kStyleKey, IntegerStyle());
}
