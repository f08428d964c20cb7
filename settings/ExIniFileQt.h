#pragma once

#include <QString>

#include "settings/ExIniFile.h"
#include "settings/IniFont.h"

class QWidget;

// The ini store as the windows use it: fonts as QFont and window placement, on top of the
// QtCore store, which keeps fonts as plain values.
class TExIniFileQt : public TExIniFile {
public:
    using TExIniFile::ReadFont;
    using TExIniFile::TExIniFile;
    using TExIniFile::WriteFont;

    // The same keys and rules as the plain value's. A font sized in pixels is kept in points
    // at 96 pixels per inch.
    void ReadFont(const QString& Section, const QString& Item, TIniFont& Font,
                  QString* colorError = nullptr) const;
    void WriteFont(const QString& Section, const QString& Item, const TIniFont& Value);

    // Item".Flags", ".Show", ".MaxX", ".MaxY", ".X", ".Y", ".XSize" (right edge), ".YSize"
    // (bottom edge).
    void ReadForm(const QString& Section, const QString& Item, QWidget& Form) const;
    void WriteForm(const QString& Section, const QString& Item, const QWidget& Form);
    // Item".X", ".Y": the window's position.
    void ReadFormPos(const QString& Section, const QString& Item, QWidget& Form) const;
    void WriteFormPos(const QString& Section, const QString& Item, const QWidget& Form);
    // Item".XSize", ".YSize": the window's width and height.
    void ReadFormSize(const QString& Section, const QString& Item, QWidget& Form) const;
    void WriteFormSize(const QString& Section, const QString& Item, const QWidget& Form);
};
