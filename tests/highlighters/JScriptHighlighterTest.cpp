#include <gtest/gtest.h>

#include <utility>

#include "highlighters/HighlighterJScript.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

using J = TJScriptHighlighter;

TScannedLine Scan(J& h, const QString& line, TCodeEditRange range = J::rsUnknown) {
    return ScanLine(h, line, range);
}

}  // namespace

TEST(JScriptHighlighter, AttributesAndTheirDefaults) {
    J h;
    EXPECT_EQ(h.AttrCount(), 11);
    EXPECT_EQ(h.fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(h.fKeyAttri->Style(), hsBold);
    for (qint32 i = 0; i < h.AttrCount(); ++i) {
        EXPECT_EQ(h.GetAttribute(i)->Foreground(), kHighlighterNoColor);
        EXPECT_EQ(h.GetAttribute(i)->Background(), kHighlighterNoColor);
    }
    const THighlighterAttributes* roles[] = {h.fCommentAttri, h.fIdentifierAttri, h.fKeyAttri,
                                             h.fStringAttri,  h.fSpaceAttri,      h.fSymbolAttri};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(h.GetDefaultAttribute(i), roles[i]);
    EXPECT_EQ(h.GetDefaultAttribute(6), nullptr);
}

TEST(JScriptHighlighter, ThreeWordLists) {
    const THashedKeywords& words = J::Keywords();
    EXPECT_EQ(words.Count(), 62 + 20 + 318) << "the lists share no word";
    J h;
    int perList[J::kTokenKindCount] = {};
    for (qint32 i = 0; i < words.Count(); ++i) {
        const QString word = words.Word(i);
        const TScannedLine line = Scan(h, word);
        ASSERT_EQ(line.Tokens.size(), 1u) << word.toStdString();
        h.SetLine(word, 0);
        EXPECT_EQ(h.GetTokenKind(), words.Kind(i)) << word.toStdString();
        ++perList[words.Kind(i)];
        EXPECT_EQ(h.IsKeyword(word), words.Kind(i) == J::tkKey);
        EXPECT_EQ(h.IsEvent(word), words.Kind(i) == J::tkEvent);
        EXPECT_EQ(h.IsNonReserwedKeyWord(word), words.Kind(i) == J::tkNonReservedKey);
    }
    EXPECT_EQ(perList[J::tkKey], 62);
    EXPECT_EQ(perList[J::tkEvent], 20);
    EXPECT_EQ(perList[J::tkNonReservedKey], 318);
    const std::pair<const char*, const char*> cases[] = {
        {"onClick", "0 tkEvent Event"},
        {"onclick", "0 tkIdentifier Identifier"},
        {"function", "0 tkKey ReservedWord"},
        {"NaN", "0 tkKey ReservedWord"},
        {"document", "0 tkNonReservedKey NonreservedKeyword"},
        {"Document", "0 tkIdentifier Identifier"},
        {"documents", "0 tkIdentifier Identifier"},
        {"let", "0 tkNonReservedKey NonreservedKeyword"},
        {"SQRT1_2", "0 tkNonReservedKey NonreservedKeyword"},
    };
    for (const auto& [text, token] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, TTokens{token}) << text;
}

TEST(JScriptHighlighter, UnderscoreNames) {
    J h;
    EXPECT_EQ(Scan(h, "_private").Tokens, TTokens{"0 tkSpecVar SpecialVariable"});
    EXPECT_EQ(Scan(h, "a_b").Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_EQ(Scan(h, "x=_y").Tokens, (TTokens{"0 tkIdentifier Identifier", "1 tkSymbol Symbol",
                                               "2 tkSpecVar SpecialVariable"}));
    // After a number the underscore continues the word before it.
    EXPECT_EQ(Scan(h, "1_000").Tokens, (TTokens{"0 tkNumber Number", "1 tkIdentifier Identifier"}));
    EXPECT_EQ(Scan(h, "__").Tokens, TTokens{"0 tkSpecVar SpecialVariable"});
}

TEST(JScriptHighlighter, SymbolsAndUnknowns) {
    J h;
    // Each entry scans as the one symbol token it is.
    for (const char* symbol :
         {"!",  "(", ")",  ",",  ":",  ";", "<",  "=",  ">",  "?",   "[", "]",
          "{",  "}", "~",  "%",  "%=", "*", "*=", "&",  "&&", "&=",  "+", "++",
          "+=", "-", "--", "-=", "->", "|", "||", "|=", ".",  "...", "/", "/="})
        EXPECT_EQ(Scan(h, symbol).Tokens, TTokens{"0 tkSymbol Symbol"}) << symbol;
    EXPECT_EQ(Scan(h, "==").Tokens, (TTokens{"0 tkSymbol Symbol", "1 tkSymbol Symbol"}));
    EXPECT_EQ(Scan(h, "..").Tokens, (TTokens{"0 tkSymbol Symbol", "1 tkSymbol Symbol"}));
    EXPECT_EQ(Scan(h, "+-").Tokens, (TTokens{"0 tkSymbol Symbol", "1 tkSymbol Symbol"}));
    // $, #, @, \, ^ and characters beyond ASCII are unknown, painted as identifiers.
    EXPECT_EQ(Scan(h, "$#@\\^\u00e9\u3042").Tokens,
              (TTokens{"0 tkUnknown Identifier", "1 tkUnknown Identifier", "2 tkUnknown Identifier",
                       "3 tkUnknown Identifier", "4 tkUnknown Identifier", "5 tkUnknown Identifier",
                       "6 tkUnknown Identifier"}));
    // A letter made a word-break character is no word, but still takes its character.
    J other;
    THighlighterCharSet breaks;
    breaks.set('q');
    other.SetAdditionalWordBreakChars(breaks);
    EXPECT_EQ(Scan(other, "aqb").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkUnknown Identifier",
                       "2 tkIdentifier Identifier"}));
    // A slash after a backslash ends at once and keeps the backslash's kind.
    EXPECT_EQ(Scan(h, "\\/x").Tokens, (TTokens{"0 tkUnknown Identifier", "1 tkUnknown Identifier",
                                               "2 tkIdentifier Identifier"}));
}

TEST(JScriptHighlighter, Numbers) {
    J h;
    const std::pair<const char*, TTokens> cases[] = {
        {"0xFF", {"0 tkNumber Number"}},
        {"0XfF", {"0 tkNumber Number"}},
        {"0xZZ", {"0 tkNumber Number", "1 tkIdentifier Identifier"}},
        {"0x", {"0 tkNumber Number", "1 tkIdentifier Identifier"}},
        {"1e5", {"0 tkNumber Number", "1 tkIdentifier Identifier"}},
        {"12ab", {"0 tkNumber Number", "2 tkIdentifier Identifier"}},
        {"1x1", {"0 tkNumber Number", "1 tkIdentifier Identifier"}},
        {"00x1", {"0 tkNumber Number", "2 tkIdentifier Identifier"}},
        {"1.5", {"0 tkNumber Number"}},
        {"1.2.3", {"0 tkNumber Number"}},
        {"1..2",
         {"0 tkNumber Number", "1 tkSymbol Symbol", "2 tkSymbol Symbol", "3 tkNumber Number"}},
        {".5", {"0 tkSymbol Symbol", "1 tkNumber Number"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, tokens) << text;
}

TEST(JScriptHighlighter, StringsStayOnTheirLine) {
    J h;
    const std::pair<const char*, TTokens> cases[] = {
        {"'it\\'s' x", {"0 tkString String", "7 tkSpace Space", "8 tkIdentifier Identifier"}},
        {"\"a\\\"b\"", {"0 tkString String"}},
        // An escaped backslash does not escape the quote after it.
        {"'C:\\\\' + x",
         {"0 tkString String", "6 tkSpace Space", "7 tkSymbol Symbol", "8 tkSpace Space",
          "9 tkIdentifier Identifier"}},
        {"\"it's\"", {"0 tkString String"}},
        {"''", {"0 tkString String"}},
        {"'''a' b", {"0 tkString String", "5 tkSpace Space", "6 tkIdentifier Identifier"}},
        {"'open \\", {"0 tkString String"}},
        {"\"/* no comment */\"", {"0 tkString String"}},
    };
    for (const auto& [text, tokens] : cases) {
        const TScannedLine line = Scan(h, text);
        EXPECT_EQ(line.Tokens, tokens) << text;
        EXPECT_EQ(line.Range, J::rsUnknown) << text;
    }
}

TEST(JScriptHighlighter, BlockCommentsAcrossLines) {
    J h;
    const auto lines = ScanLines(h, {"x /* a", "", "b", "c */ y /**/ // z"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkComment Comment"}));
    EXPECT_EQ(lines[0].Range, J::rsANSI);
    EXPECT_TRUE(lines[1].Tokens.empty());
    EXPECT_EQ(lines[1].Range, J::rsANSI);
    EXPECT_EQ(lines[2].Tokens, TTokens{"0 tkComment Comment"});
    EXPECT_EQ(lines[3].Tokens,
              (TTokens{"0 tkComment Comment", "4 tkSpace Space", "5 tkIdentifier Identifier",
                       "6 tkSpace Space", "7 tkComment Comment", "11 tkSpace Space",
                       "12 tkComment Comment"}));
    EXPECT_EQ(lines[3].Range, J::rsUnknown);
    EXPECT_EQ(Scan(h, "/*/ x").Range, J::rsANSI) << "the opener's star does not close it";
    // A line break character inside the comment is scanned as a line end, not as an empty
    // comment token.
    EXPECT_EQ(Scan(h, QStringLiteral("a\rb"), J::rsANSI).Tokens,
              (TTokens{"0 tkComment Comment", "1 tkSpace Space", "2 tkComment Comment"}));
}

TEST(JScriptHighlighter, TemplateLiteralsAcrossLines) {
    J h;
    EXPECT_EQ(Scan(h, "`a ${name} b` + c").Tokens,
              (TTokens{"0 tkString String", "3 tkTemplate Template", "10 tkString String",
                       "13 tkSpace Space", "14 tkSymbol Symbol", "15 tkSpace Space",
                       "16 tkIdentifier Identifier"}));
    // Left open, with expressions that span lines, nested ones cut at the first }.
    const auto lines = ScanLines(h, {"x = `one", "${a +", "b}two ${f({", "k: 1})}`;", "`"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkSymbol Symbol",
                       "3 tkSpace Space", "4 tkString String"}));
    EXPECT_EQ(lines[0].Range, J::rsLiteral);
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkTemplate Template"}) << "an expression at the start";
    EXPECT_EQ(lines[1].Range, J::rsLiteralTemplate);
    EXPECT_EQ(lines[2].Tokens,
              (TTokens{"0 tkTemplate Template", "2 tkString String", "6 tkTemplate Template"}));
    EXPECT_EQ(lines[2].Range, J::rsLiteralTemplate);
    EXPECT_EQ(lines[3].Tokens,
              (TTokens{"0 tkTemplate Template", "5 tkString String", "8 tkSymbol Symbol"}));
    EXPECT_EQ(lines[3].Range, J::rsUnknown);
    EXPECT_EQ(lines[4].Range, J::rsLiteral) << "a lone backquote opens";
    // Escaped backquotes and ${ are text; a backquote at the line start closes.
    EXPECT_EQ(Scan(h, "a\\`b\\${c} d", J::rsLiteral).Tokens, TTokens{"0 tkString String"});
    EXPECT_EQ(Scan(h, "`x", J::rsLiteral).Tokens,
              (TTokens{"0 tkString String", "1 tkIdentifier Identifier"}));
    EXPECT_EQ(Scan(h, "`x", J::rsLiteral).Range, J::rsUnknown);
    // The open count follows the expressions, also on a line that starts inside one, and
    // whatever line was scanned before.
    EXPECT_EQ(Scan(h, "`${a").Range, J::rsLiteralTemplate);
    h.SetRange(J::rsLiteral);
    h.SetLine(QStringLiteral("${a"), 0);
    EXPECT_EQ(h.LiteralLevel(), 1);
    h.NextToEol();
    h.SetRange(h.GetRange());
    h.SetLine(QStringLiteral("}"), 1);
    h.NextToEol();
    EXPECT_EQ(h.LiteralLevel(), 0);
    EXPECT_EQ(h.GetRange(), J::rsLiteral);
}
