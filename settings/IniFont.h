#pragma once

#include <QFont>
#include <QtGlobal>

#include "settings/IniFontValue.h"

// A font as the window uses it: face, point size and style in the QFont, and the colour it is
// drawn in beside it (a 0x00BBGGRR value; 0xFF000008 is the window-text system colour).
struct TIniFont {
    QFont Font;
    quint32 Color = kFontColorWindowText;
};

quint8 FontStyleBits(const QFont& font);
// Sets all four styles from the bits; other bits are ignored.
void SetFontStyleBits(QFont& font, quint8 bits);

// Between the QFont and the value the ini store keeps. A font sized in pixels is kept in points
// at 96 pixels per inch; a value without a size gives the face's default size.
TIniFontValue ToFontValue(const TIniFont& Font);
TIniFont ToIniFont(const TIniFontValue& Value);
