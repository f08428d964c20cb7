#pragma once

#include <QString>
#include <QtGlobal>

// The colour a font is drawn in unless the settings say otherwise: the window-text system colour.
inline constexpr quint32 kFontColorWindowText = 0xFF000008;

// The style set as one byte: bold 1, italic 2, underline 4, strike-out 8.
enum TFontStyleBit : quint8 { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
inline constexpr quint8 kFontStyleMask = fsBold | fsItalic | fsUnderline | fsStrikeOut;

// A font as the settings file keeps it: face, point size, style bits, and the colour it is
// drawn in (a 0x00BBGGRR value or a system colour).
struct TIniFontValue {
    QString Name;
    qint32 Size = 0;   // points; 0 leaves the size to the face's default
    quint8 Style = 0;  // TFontStyleBit values
    quint32 Color = kFontColorWindowText;
};
