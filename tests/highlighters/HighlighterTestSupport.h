#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "highlighters/CodeEditHighlighter.h"
#include "highlighters/HighlighterRegistry.h"
#include "tests/support/QtPrinters.h"

// The tokens of one line as "pos kind attribute" strings ("-" for no attribute), and the range
// at the end of the line.
struct TScannedLine {
    std::vector<std::string> Tokens;
    TCodeEditRange Range = 0;
};

// Scans a line the way the editor does, starting from Range, and checks on the way that the
// tokens are contiguous, each takes at least one character, and that they cover the line.
inline TScannedLine ScanLine(TCustomHighlighter& h, const QString& line, TCodeEditRange range) {
    TScannedLine result;
    h.SetRange(range);
    h.SetLine(line, 0);
    qint32 expectedPos = 0;
    int steps = 0;
    while (!h.GetEol()) {
        EXPECT_EQ(h.GetTokenPos(), expectedPos) << line.toStdString();
        EXPECT_GT(h.GetTokenLen(), 0) << line.toStdString();
        expectedPos = h.GetTokenPos() + h.GetTokenLen();
        const THighlighterAttributes* attribute = h.GetTokenAttribute();
        const char* kind = h.GetTokenKindName(h.GetTokenKind());
        result.Tokens.push_back(std::to_string(h.GetTokenPos()) + ' ' + (kind ? kind : "?") + ' ' +
                                (attribute ? attribute->Name().toStdString() : "-"));
        h.Next();
        if (++steps > line.size() + 1) {
            ADD_FAILURE() << "the scan did not reach the line end: " << line.toStdString();
            break;
        }
    }
    EXPECT_EQ(expectedPos, line.size()) << line.toStdString();
    EXPECT_EQ(h.StalledTokens(), 0u);
    result.Range = h.GetRange();
    return result;
}

// Scans lines in order with the range carried over, from the reset range.
inline std::vector<TScannedLine> ScanLines(TCustomHighlighter& h, const QStringList& lines) {
    std::vector<TScannedLine> result;
    h.ResetRange();
    TCodeEditRange range = h.GetRange();
    for (const QString& line : lines) {
        result.push_back(ScanLine(h, line, range));
        range = result.back().Range;
    }
    return result;
}

using TTokens = std::vector<std::string>;

// The languages of the registry, for tests that run once per language, named by export name.
inline std::vector<const THighlighterEntry*> RegistryEntries() {
    std::vector<const THighlighterEntry*> entries;
    for (const THighlighterEntry& entry : HighlighterRegistry())
        entries.push_back(&entry);
    return entries;
}

inline std::string RegistryEntryName(const testing::TestParamInfo<const THighlighterEntry*>& info) {
    return info.param->ExportName;
}

// So that test lists name the language rather than an address.
inline void PrintTo(const THighlighterEntry* entry, std::ostream* os) {
    *os << entry->Name;
}
