#pragma once

#include <QFont>
#include <QtGlobal>

// A font as the settings keep it: face, point size and style in the QFont, and the colour it
// is drawn in beside it (a 0x00BBGGRR value; 0xFF000008 is the window-text system colour).
struct TIniFont {
    QFont Font;
    quint32 Color = 0xFF000008;
};

// The style set as one byte: bold 1, italic 2, underline 4, strike-out 8.
enum TFontStyleBit : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

quint8 FontStyleBits(const QFont& font);
// Sets all four styles from the bits; other bits are ignored.
void SetFontStyleBits(QFont& font, quint8 bits);
