#pragma once

#include <QString>
#include <QStringList>

#include "settings/IniFont.h"

class TExIniFileQt;

// The main window's preferences: what the settings file holds and the settings dialog edits.
// Lengths and font sizes are kept as laid out for 96 pixels per inch; the window scales them
// when it applies them, so saving never stores a scaled value.
struct TAppSettings {
    TAppSettings();

    QString StyleName;  // as read from the file; the active style is the platform's to know
    int FTop = 100, FLeft = 200, FWidth = 600, FHeight = 400;
    int ScaleValue = 96;  // pixels per inch; 96 is 100 %
    bool isWordWrap = false;
    bool isGutter = true;
    bool isShowLineNumber = false;
    bool isIndent = true;
    int TabWidth = 8;
    int TreeWidth = 160;
    int SearchPanelHeight = 200;  // the full-text search panel, when it is open
    TIniFont MemoFont;            // only its face and size are used
    quint32 BGColor = 0x000080;   // title line background (0x00BBGGRR)
    quint32 FGColor = 0xFFFFFF;   // title line text
    bool isDark = false;
    int SelectSynNumber = 0;  // the highlighter choice: 0 plain text, 1..7 the languages
    bool isDragMode = false;
    bool isDPIChange = false;  // set by the dialog when its scale box was touched
    TIniFont CommentFont, IdentFont, FloatFont, KeyFont, NumberFont, StringFont, SymbolFont;

    static constexpr int kDefaultFontSize = 8;
    static constexpr int kMaxFontSize = 200;
    // A size the editor can show: 1..200 points, anything else the default size.
    static int ValidFontSize(int points);
    // A font as a new one comes: the face given, 8 points, no style.
    static TIniFont NewFont(const QString& face);

    // Reads every key; a missing key or a number that does not read gives the default. A colour
    // that is not hexadecimal keeps its default and adds its conversion message to errors, so
    // one typo in a hand-edited file costs that one colour only.
    void Read(const TExIniFileQt& ini, QStringList& errors);
    // Writes every key in the file's order and the file once.
    void Write(TExIniFileQt& ini, const QString& styleName) const;
};
