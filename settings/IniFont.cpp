#include "settings/IniFont.h"

#include <algorithm>

#include "settings/ExIniFileQt.h"

namespace {

int PointSize(const QFont& font) {
    if (font.pointSize() > 0) return font.pointSize();
    // a font sized in pixels: points at 96 pixels per inch
    if (font.pixelSize() > 0) return std::max(1, font.pixelSize() * 72 / 96);
    return font.pointSize();
}

}  // namespace

quint8 FontStyleBits(const QFont& font) {
    quint8 bits = 0;
    if (font.bold()) bits |= fsBold;
    if (font.italic()) bits |= fsItalic;
    if (font.underline()) bits |= fsUnderline;
    if (font.strikeOut()) bits |= fsStrikeOut;
    return bits;
}

void SetFontStyleBits(QFont& font, quint8 bits) {
    font.setBold((bits & fsBold) != 0);
    font.setItalic((bits & fsItalic) != 0);
    font.setUnderline((bits & fsUnderline) != 0);
    font.setStrikeOut((bits & fsStrikeOut) != 0);
}

TIniFontValue ToFontValue(const TIniFont& Font) {
    return TIniFontValue{Font.Font.family(), PointSize(Font.Font), FontStyleBits(Font.Font),
                         Font.Color};
}

TIniFont ToIniFont(const TIniFontValue& Value) {
    // A new font, so attributes the value does not hold are the defaults.
    TIniFont font;
    font.Font.setFamily(Value.Name);
    if (Value.Size > 0) font.Font.setPointSize(Value.Size);
    SetFontStyleBits(font.Font, Value.Style);
    font.Color = Value.Color;
    return font;
}

void TExIniFileQt::ReadFont(const QString& Section, const QString& Item, TIniFont& Font,
                            QString* colorError) const {
    TIniFontValue value = ToFontValue(Font);
    TExIniFile::ReadFont(Section, Item, value, colorError);
    Font = ToIniFont(value);
}

void TExIniFileQt::WriteFont(const QString& Section, const QString& Item, const TIniFont& Value) {
    TExIniFile::WriteFont(Section, Item, ToFontValue(Value));
}
