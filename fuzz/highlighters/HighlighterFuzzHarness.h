#pragma once

// Scans arbitrary UTF-16 lines with one highlighter, carrying the range from line to line as
// the editor does, and aborts when a scan breaks the token contract: tokens must be contiguous,
// take at least one character, cover the line and end it within (length + 1) calls of Next.
// Out-of-bounds reads are left to AddressSanitizer.
//
// Input bytes: 0xFE ends a line, 0xFF takes the next two bytes as one raw UTF-16 code unit
// (little-endian), any other byte is the code unit of the same value. The first byte is handed
// to the language's SetOptions. So text seeds stay readable, and every code
// unit, line breaks and NUL included, can still occur inside a line.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "highlighters/CodeEditHighlighter.h"

namespace fuzz {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// One line with a U+E000 filler after every character that would take two cells.
inline QString Expanded(const QString& line) {
    QString out;
    out.reserve(line.size() * 2);
    for (QChar c : line) {
        out += c;
        if (c.unicode() >= 0x1100) out += QChar(0xE000);
    }
    return out;
}

inline void ScanLine(TCustomHighlighter& h, const QString& line, bool expanded) {
    // A range the scanner gave back must be one it takes again unchanged (an unknown range
    // is read as "nothing open").
    const TCodeEditRange start = h.GetRange();
    h.SetRange(start);
    Check(h.GetRange() == start);
    QString wide;
    if (expanded) {
        wide = Expanded(line);
        h.SetLineExpandedAtWideGlyphs(line, wide, 0);
    } else {
        h.SetLine(line, 0);
    }
    const qsizetype length = line.size();
    qsizetype end = 0;
    qsizetype steps = 0;
    while (!h.GetEol()) {
        Check(h.GetTokenPos() == end);
        Check(h.GetTokenLen() >= 1);
        Check(h.GetToken().size() == h.GetTokenLen());
        Check(h.GetTokenKindName(h.GetTokenKind()) != nullptr);
        h.GetTokenAttribute();
        if (expanded) {
            Check(h.GetExpandedTokenPos() >= 0 && h.GetExpandedTokenPos() <= wide.size() + 1);
            Check(h.GetExpandedToken().size() <= wide.size());
        }
        end = h.GetTokenPos() + h.GetTokenLen();
        h.Next();
        Check(++steps <= length + 1);
    }
    Check(end == length);
    Check(h.StalledTokens() == 0);
}

// Runs one input through h. The first byte sets the language's options (SetOptions, may be
// null) and, with its top bit, scanning with an expanded line.
inline int FuzzScan(TCustomHighlighter& h, void (*setOptions)(TCustomHighlighter&, quint8),
                    const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    if (setOptions) setOptions(h, data[0]);
    const bool expanded = (data[0] & 0x80) != 0;
    h.ResetRange();
    QString line;
    for (size_t i = 1; i <= size; ++i) {
        if (i == size || data[i] == 0xFE) {
            ScanLine(h, line, expanded);
            line.clear();
        } else if (data[i] == 0xFF) {
            const char16_t lo = i + 1 < size ? data[i + 1] : 0;
            const char16_t hi = i + 2 < size ? data[i + 2] : 0;
            line += QChar(char16_t(lo | (hi << 8)));
            i += 2;
        } else {
            line += QChar(char16_t(data[i]));
        }
    }
    return 0;
}

}  // namespace fuzz
