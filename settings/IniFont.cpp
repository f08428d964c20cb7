#include "settings/IniFont.h"

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
