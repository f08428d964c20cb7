#pragma once

#include <QString>

// s without its leading run of U+0020 SPACE and U+3000 IDEOGRAPHIC SPACE; tabs stay.
QString TrimLeadingSpaces(const QString& s);
// s without its trailing run of CR and LF characters, in any mix.
QString TrimTrailingLineBreaks(const QString& s);
// s when it has at most maxLength UTF-16 units; else its first units, never half a
// surrogate pair, followed by an ellipsis. Widgets lay out what they are given, so a
// megabyte title is cut here before any of them measures it.
QString BoundedPrefix(const QString& s, qsizetype maxLength);
