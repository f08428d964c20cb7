#pragma once

#include <QString>
#include <array>
#include <memory>
#include <span>

#include "highlighters/CodeEditHighlighter.h"

// The main window's token fonts, in the order their colour and style are copied into each
// highlighter.
enum TTokenFontRole : quint8 {
    tfComment,
    tfFloat,
    tfKey,
    tfNumber,
    tfString,
    tfSymbol,
    tfIdentifier,
};
inline constexpr int kTokenFontRoles = tfIdentifier + 1;

// One language of the highlighter choice. Adding a language is one entry in the registry
// and the language's own files: the window, mrp, the fuzzer, the benchmark and the tests
// that cover every language all read this table.
struct THighlighterEntry {
    int Choice;                 // 1..7, as stored in the settings
    const char* Name;           // as the highlighter list shows it: "C#"
    const char* ComponentName;  // the window's name for its instance: "CSHighlighter1"
    const char* ExportName;     // the class name without T and Highlighter: "CS"
    std::unique_ptr<TCustomHighlighter> (*Create)();
    // Stored names of the attributes that take each token font, or nullptr where the
    // language takes none.
    std::array<const char*, kTokenFontRoles> TokenFontAttributes;
    // Sets the language's own options from the bits of a byte, so the fuzzer and tests reach
    // every variant; nullptr for a language without options.
    void (*SetOptions)(TCustomHighlighter& Highlighter, quint8 Bits) = nullptr;
};

// Highlighter choices run 0 (plain text) to 7.
inline constexpr int kHighlighterChoices = 8;

// The languages that have a highlighter, by choice.
std::span<const THighlighterEntry> HighlighterRegistry();
// The entry of a choice, or nullptr: for 0, for a number outside 1..7 and for a language that
// has no highlighter yet.
const THighlighterEntry* FindHighlighterEntry(int Choice);

// The highlighter for a choice, or none where FindHighlighterEntry gives none.
std::unique_ptr<TCustomHighlighter> CreateHighlighterForChoice(int Choice);
// The name the highlighter list shows for a choice ("テキスト", "Pascal", "C#", ...), or an
// empty string where FindHighlighterEntry gives none.
QString HighlighterChoiceName(int Choice);

// The attributes of Highlighter (made by Entry) that take each token font; null where it
// takes none.
std::array<THighlighterAttributes*, kTokenFontRoles> TokenFontTargets(
    const THighlighterEntry& Entry, const TCustomHighlighter& Highlighter);
