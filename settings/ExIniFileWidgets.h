#pragma once

#include <QString>

class QWidget;
class TExIniFile;

// Window placement in the ini store, for the windows that keep theirs there.

// Item".Flags", ".Show", ".MaxX", ".MaxY", ".X", ".Y", ".XSize" (right edge), ".YSize" (bottom
// edge).
void ReadForm(const TExIniFile& Ini, const QString& Section, const QString& Item, QWidget& Form);
void WriteForm(TExIniFile& Ini, const QString& Section, const QString& Item, const QWidget& Form);
// Item".X", ".Y": the window's position.
void ReadFormPos(const TExIniFile& Ini, const QString& Section, const QString& Item, QWidget& Form);
void WriteFormPos(TExIniFile& Ini, const QString& Section, const QString& Item,
                  const QWidget& Form);
// Item".XSize", ".YSize": the window's width and height.
void ReadFormSize(const TExIniFile& Ini, const QString& Section, const QString& Item,
                  QWidget& Form);
void WriteFormSize(TExIniFile& Ini, const QString& Section, const QString& Item,
                   const QWidget& Form);
