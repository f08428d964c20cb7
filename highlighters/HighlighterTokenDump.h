#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "highlighters/CodeEditHighlighter.h"

// Cuts text into lines as the editor does: CR LF, a lone CR and a lone LF each end a line,
// and a final line break starts no further line.
QStringList SplitIntoLines(const QString& Text);

// Scans the lines in order, carrying the range from line to line as the editor does, and
// gives one compact JSON object per line, each followed by LF:
//     {"line":1,"range":10,"tokens":[[0,5,"tkKey","ReservedWord"],...]}
// line is 1-based, range what GetRange gives at the end of the line, and each token is its
// 0-based position, its length, its kind's name and its attribute's stored name (or null).
// The token at the line end is not listed.
QByteArray DumpTokens(TCustomHighlighter& Highlighter, const QStringList& Lines);

// Reads a UTF-8 text file (a byte-order mark is skipped). Raises EMarrowpadError with the
// message for the user when the file cannot be read or is not UTF-8.
QString ReadUtf8TextFile(const QString& Path);

// Reads a UTF-8 text file as ReadUtf8TextFile does and dumps its tokens.
QByteArray DumpFileTokens(TCustomHighlighter& Highlighter, const QString& Path);
