#include <gtest/gtest.h>

#include <utility>

#include "highlighters/HighlighterRuby.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

using R = TRubyHighlighter;

TScannedLine Scan(R& h, const QString& line) {
    return ScanLine(h, line, R::rsUnknown);
}

}  // namespace

TEST(RubyHighlighter, AttributesAndTheirDefaults) {
    R h;
    EXPECT_EQ(h.AttrCount(), 8);
    EXPECT_EQ(h.fCommentAttri->Foreground(), 0x000080u);
    EXPECT_EQ(h.fKeyAttri->Foreground(), 0xFF0000u);
    EXPECT_EQ(h.fNumberAttri->Foreground(), 0x008000u);
    EXPECT_EQ(h.fStringAttri->Foreground(), 0x800080u);
    EXPECT_EQ(h.fSymbolAttri->Foreground(), 0xFF0000u);
    EXPECT_EQ(h.fSecondKeyAttri->Foreground(), kHighlighterNoColor);
    for (qint32 i = 0; i < h.AttrCount(); ++i)
        EXPECT_EQ(h.GetAttribute(i)->Style(), 0);
    const THighlighterAttributes* roles[] = {h.fCommentAttri, h.fIdentifierAttri, h.fKeyAttri,
                                             h.fStringAttri, h.fSpaceAttri};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(h.GetDefaultAttribute(i), roles[i]);
    EXPECT_EQ(h.GetDefaultAttribute(5), nullptr) << "no symbol role";
}

TEST(RubyHighlighter, WordsIgnoreCase) {
    R h;
    EXPECT_EQ(R::Keywords().Count(), 43);
    for (qint32 i = 0; i < R::Keywords().Count(); ++i) {
        const QString word = R::Keywords().Word(i);
        EXPECT_EQ(Scan(h, word.toUpper()).Tokens, TTokens{"0 tkKey ReservedWord"});
        EXPECT_TRUE(h.IsKeyword(word.toUpper()));
    }
    const std::pair<const char*, const char*> cases[] = {
        {"def", "0 tkKey ReservedWord"},       {"END", "0 tkKey ReservedWord"},
        {"While", "0 tkKey ReservedWord"},     {"define", "0 tkIdentifier Identifier"},
        {"_end", "0 tkIdentifier Identifier"}, {"end_", "0 tkIdentifier Identifier"},
    };
    for (const auto& [text, token] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, TTokens{token}) << text;
    // The token is the text as typed, though the scanner reads it lower-cased.
    h.SetLine(QStringLiteral("  ElsIf"), 0);
    h.Next();
    EXPECT_EQ(h.GetToken(), QStringLiteral("ElsIf"));
    EXPECT_FALSE(h.IsKeyword(u"defx"));
}

TEST(RubyHighlighter, SecondWordList) {
    R h;
    EXPECT_EQ(Scan(h, "lambda").Tokens, TTokens{"0 tkIdentifier Identifier"}) << "empty at first";
    EXPECT_FALSE(h.IsSecondKeyWord(u"lambda"));
    int changes = 0;
    h.HookAttrChangeEvent([&](TCustomHighlighter&, THighlighterAttributes*) { ++changes; });
    h.SetSecondKeyWords(
        {QStringLiteral("Lambda"), QStringLiteral("attr_reader"), QStringLiteral("puts")});
    EXPECT_EQ(changes, 1) << "the editor hears of the new list";
    h.SetSecondKeyWords(h.SecondKeyWords());
    EXPECT_EQ(changes, 1) << "the same list again changes nothing";
    EXPECT_EQ(Scan(h, "LAMBDA lambda attr_reader").Tokens,
              (TTokens{"0 tkSecondKey SecondReservedWord", "6 tkSpace Space",
                       "7 tkSecondKey SecondReservedWord", "13 tkSpace Space",
                       "14 tkSecondKey SecondReservedWord"}));
    EXPECT_TRUE(h.IsSecondKeyWord(u"LAMBDA"));
    EXPECT_EQ(Scan(h, "puts").Tokens, TTokens{"0 tkKey ReservedWord"}) << "the first list wins";
    EXPECT_EQ(Scan(h, "attr").Tokens, TTokens{"0 tkKey ReservedWord"});
    h.SetSecondKeyWords({});
    EXPECT_EQ(Scan(h, "lambda").Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_FALSE(h.IsSecondKeyWord(u"lambda"));
}

TEST(RubyHighlighter, CommentsAndStrings) {
    R h;
    const std::pair<const char*, TTokens> cases[] = {
        {"x = 1 # note",
         {"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkUnknown Symbol", "3 tkSpace Space",
          "4 tkNumber Number", "5 tkSpace Space", "6 tkComment Comment"}},
        {"a#b", {"0 tkIdentifier Identifier", "1 tkComment Comment"}},
        {"\"#{x}\" y", {"0 tkString String", "6 tkSpace Space", "7 tkIdentifier Identifier"}},
        // No escapes: the first matching quote closes.
        {"\"a\\\"b\"", {"0 tkString String", "4 tkIdentifier Identifier", "5 tkString String"}},
        {"'it\"s'", {"0 tkString String"}},
        {"''", {"0 tkString String"}},
        {"'''a''' b",
         {"0 tkString String", "5 tkString String", "7 tkSpace Space",
          "8 tkIdentifier Identifier"}},
        {"\"\"\"", {"0 tkString String"}},
        {"'open", {"0 tkString String"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, tokens) << text;
}

TEST(RubyHighlighter, NumbersSymbolsAndUnknowns) {
    R h;
    const std::pair<const char*, TTokens> cases[] = {
        {"1..10",
         {"0 tkNumber Number", "1 tkUnknown Symbol", "2 tkUnknown Symbol", "3 tkNumber Number"}},
        {"1.5e3", {"0 tkNumber Number"}},
        {"1E5", {"0 tkNumber Number"}},
        {"1.", {"0 tkNumber Number"}},
        {"1x", {"0 tkNumber Number", "1 tkIdentifier Identifier"}},
        {"=)", {"0 tkUnknown Symbol", "1 tkUnknown Symbol"}},
        {"/(;<{",
         {"0 tkSymbol Symbol", "1 tkSymbol Symbol", "2 tkSymbol Symbol", "3 tkSymbol Symbol",
          "4 tkSymbol Symbol"}},
        {"@a $b \u00e9",
         {"0 tkUnknown Symbol", "1 tkIdentifier Identifier", "2 tkSpace Space",
          "3 tkUnknown Symbol", "4 tkIdentifier Identifier", "5 tkSpace Space",
          "6 tkUnknown Symbol"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, tokens) << text;
    // Nothing carries over: a line after an open string starts afresh.
    const auto lines = ScanLines(h, {"'open", "def"});
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkKey ReservedWord"});
    h.SetRange(5);
    EXPECT_EQ(h.GetRange(), R::rsUnknown);
    // A letter made a word-break character is no word, but still takes its character.
    THighlighterCharSet breaks;
    breaks.set('q');
    h.SetAdditionalWordBreakChars(breaks);
    EXPECT_EQ(Scan(h, "aqb").Tokens, (TTokens{"0 tkIdentifier Identifier", "1 tkUnknown Symbol",
                                              "2 tkIdentifier Identifier"}));
}
