#pragma once

#include <QString>

// s without its leading run of U+0020 SPACE and U+3000 IDEOGRAPHIC SPACE; tabs stay.
QString TrimLeadingSpaces(const QString& s);
// s without its trailing run of CR and LF characters, in any mix.
QString TrimTrailingLineBreaks(const QString& s);
// The line of `text` at `index` (0-based), with CR LF, lone CR and lone LF ending lines;
// empty when the text has no such line.
QString TextLine(const QString& text, int index);
