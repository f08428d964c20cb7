#include <gtest/gtest.h>

#include <utility>

#include "highlighters/HighlighterPython.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

using P = TPythonHighlighter;

TScannedLine Scan(P& h, const QString& line, TCodeEditRange range = P::rsUnKnown) {
    return ScanLine(h, line, range);
}

// The range of a single-quoted string continued by a backslash, closed by Quote.
TCodeEditRange Continued(char16_t Quote) {
    return P::rsMultilineString3 | (TCodeEditRange(Quote) << P::kStarterShift);
}

}  // namespace

TEST(PythonHighlighter, AttributesAndTheirDefaults) {
    P h;
    EXPECT_EQ(h.AttrCount(), 14);
    EXPECT_EQ(h.fCommentAttri->Foreground(), 0x808080u);
    EXPECT_EQ(h.fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(h.fKeyAttri->Style(), hsBold);
    EXPECT_EQ(h.fNonKeyAttri->Foreground(), 0x800000u);
    EXPECT_EQ(h.fDocStringAttri->Foreground(), 0x808000u);
    EXPECT_EQ(h.fErrorAttri->Foreground(), 0x0000FFu);
    EXPECT_EQ(h.fIdentifierAttri->Foreground(), kHighlighterNoColor);
    EXPECT_EQ(h.AttributeByName(u"SystemFunctionsAndVariables"), h.fSystemAttri);
    // Identifier and string have no generic role in this language.
    EXPECT_EQ(h.GetDefaultAttribute(0), h.fCommentAttri);
    EXPECT_EQ(h.GetDefaultAttribute(1), nullptr);
    EXPECT_EQ(h.GetDefaultAttribute(2), h.fKeyAttri);
    EXPECT_EQ(h.GetDefaultAttribute(3), nullptr);
    EXPECT_EQ(h.GetDefaultAttribute(4), h.fSpaceAttri);
    EXPECT_EQ(h.GetDefaultAttribute(5), h.fSymbolAttri);
}

TEST(PythonHighlighter, WordsByTheirList) {
    const THashedKeywords& words = P::Keywords();
    EXPECT_EQ(words.Count(), 29 + 66);
    P h;
    for (qint32 i = 0; i < words.Count(); ++i) {
        const QString word = words.Word(i);
        const std::string kind = words.Kind(i) == P::tkKey ? "0 tkKey ReservedWord"
                                                           : "0 tkNonKeyword NonreservedKeyword";
        EXPECT_EQ(Scan(h, word).Tokens, TTokens{kind}) << word.toStdString();
        EXPECT_EQ(Scan(h, word + u'_').Tokens, TTokens{"0 tkIdentifier Identifier"});
    }
    const std::pair<const char*, const char*> cases[] = {
        {"print", "0 tkKey ReservedWord"},
        {"None", "0 tkNonKeyword NonreservedKeyword"},
        {"none", "0 tkIdentifier Identifier"},
        {"Print", "0 tkIdentifier Identifier"},
        {"with", "0 tkIdentifier Identifier"},
        {"async", "0 tkIdentifier Identifier"},
        {"__init__", "0 tkSystemDefined SystemFunctionsAndVariables"},
        {"__a__", "0 tkSystemDefined SystemFunctionsAndVariables"},
        {"__x", "0 tkIdentifier Identifier"},
        {"____", "0 tkIdentifier Identifier"},
        {"___x__", "0 tkIdentifier Identifier"},
        {"__x___", "0 tkIdentifier Identifier"},
        {"x__y__", "0 tkIdentifier Identifier"},
    };
    for (const auto& [text, token] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, TTokens{token}) << text;
}

TEST(PythonHighlighter, NumberForms) {
    P h;
    const std::pair<const char*, TTokens> cases[] = {
        {"0x1F", {"0 tkHex Hexadecimal"}},
        {"0x1FL", {"0 tkHex Hexadecimal"}},
        {"0x1G", {"0 tkUnknown SyntaxError"}},
        {"017", {"0 tkOct Octal"}},
        {"017L", {"0 tkOct Octal"}},
        {"019", {"0 tkUnknown SyntaxError"}},
        {"019 ", {"0 tkUnknown SyntaxError", "3 tkSpace Space"}},
        {"019.5", {"0 tkFloat Float"}},
        {"09e1", {"0 tkFloat Float"}},
        {"0", {"0 tkNumber Number"}},
        {"123", {"0 tkNumber Number"}},
        {"1.5e-3", {"0 tkFloat Float"}},
        {"1E+10", {"0 tkFloat Float"}},
        {"2e5j", {"0 tkFloat Float"}},
        {"3j", {"0 tkFloat Float"}},
        {"0.5", {"0 tkFloat Float"}},
        {".5", {"0 tkFloat Float"}},
        {"1e", {"0 tkUnknown SyntaxError"}},
        {"1e ", {"0 tkUnknown SyntaxError", "2 tkSpace Space"}},
        {"1e+", {"0 tkUnknown SyntaxError"}},
        {"1e+x", {"0 tkUnknown SyntaxError"}},
        {"12abc", {"0 tkUnknown SyntaxError"}},
        {"10L", {"0 tkUnknown SyntaxError"}},
        {"1.2.3", {"0 tkUnknown SyntaxError"}},
        {"1...", {"0 tkNumber Number", "1 tkSymbol Symbol"}},
        {"1.5...", {"0 tkFloat Float", "3 tkSymbol Symbol"}},
        {"...", {"0 tkSymbol Symbol"}},
        {"..", {"0 tkSymbol Symbol", "1 tkSymbol Symbol"}},
        {"a.b", {"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "2 tkIdentifier Identifier"}},
        {"1-2", {"0 tkNumber Number", "1 tkSymbol Symbol", "2 tkNumber Number"}},
        {"x=1,",
         {"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "2 tkNumber Number",
          "3 tkSymbol Symbol"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, tokens) << text;
}

TEST(PythonHighlighter, SymbolsCommentsAndUnknowns) {
    P h;
    EXPECT_EQ(
        Scan(h, "a<>b<=c>=d").Tokens,
        (TTokens{"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "3 tkIdentifier Identifier",
                 "4 tkSymbol Symbol", "6 tkIdentifier Identifier", "7 tkSymbol Symbol",
                 "9 tkIdentifier Identifier"}));
    EXPECT_EQ(Scan(h, "x # it's 'here'").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkComment Comment"}));
    // $, ?, @ and characters beyond ASCII are errors outside strings and comments.
    EXPECT_EQ(
        Scan(h, "$?@\u00e9\u3042").Tokens,
        (TTokens{"0 tkUnknown SyntaxError", "1 tkUnknown SyntaxError", "2 tkUnknown SyntaxError",
                 "3 tkUnknown SyntaxError", "4 tkUnknown SyntaxError"}));
    EXPECT_EQ(Scan(h, "'\u3042' # \u3042").Tokens,
              (TTokens{"0 tkString String", "3 tkSpace Space", "4 tkComment Comment"}));
    // A letter made a word-break character is no identifier, but still takes a character.
    THighlighterCharSet breaks;
    breaks.set('q');
    h.SetAdditionalWordBreakChars(breaks);
    EXPECT_EQ(Scan(h, "aqb").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkUnknown SyntaxError",
                       "2 tkIdentifier Identifier"}));
}

TEST(PythonHighlighter, StringsAndTheirPrefixes) {
    P h;
    const std::pair<const char*, TTokens> cases[] = {
        {"r'a\\b'", {"0 tkString String"}},
        {"R\"x\"", {"0 tkString String"}},
        {"ur'x'", {"0 tkString String"}},
        {"UR\"x\"", {"0 tkString String"}},
        {"u'x'", {"0 tkIdentifier Identifier", "1 tkString String"}},
        {"ux'x'", {"0 tkIdentifier Identifier", "2 tkString String"}},
        {"r", {"0 tkIdentifier Identifier"}},
        {"ur", {"0 tkIdentifier Identifier"}},
        {"rx", {"0 tkIdentifier Identifier"}},
        {"'it\\'s' x", {"0 tkString String", "7 tkSpace Space", "8 tkIdentifier Identifier"}},
        // An escaped backslash leaves the quote after it to close the string.
        {"'a\\\\' x", {"0 tkString String", "5 tkSpace Space", "6 tkIdentifier Identifier"}},
        {"\"it's\"", {"0 tkString String"}},
        {"''", {"0 tkString String"}},
        {"'' ''", {"0 tkString String", "2 tkSpace Space", "3 tkString String"}},
        {"'open", {"0 tkString String"}},
        {"r'''doc'''", {"0 tkTrippleQuotedString Documentation"}},
        {"''''''x", {"0 tkTrippleQuotedString Documentation", "6 tkIdentifier Identifier"}},
        {"\"\"\"a\\\"\"\"\"", {"0 tkTrippleQuotedString Documentation"}},
    };
    for (const auto& [text, tokens] : cases) {
        const TScannedLine line = Scan(h, text);
        EXPECT_EQ(line.Tokens, tokens) << text;
        EXPECT_EQ(line.Range, P::rsUnKnown) << text;
    }
}

TEST(PythonHighlighter, TripleQuotedStringsAcrossLines) {
    P h;
    for (const char16_t quote : {u'\'', u'"'}) {
        const QString q3(3, QChar(quote));
        const TCodeEditRange open = quote == u'\'' ? P::rsMultilineString : P::rsMultilineString2;
        const QString other = quote == u'\'' ? QStringLiteral("\"\"\"") : QStringLiteral("'''");
        const auto lines = ScanLines(
            h,
            {"x = " + q3 + "doc", "", "  " + other + " \\" + q3 + " # not", "end" + q3 + " # c"});
        EXPECT_EQ(lines[0].Tokens,
                  (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkSymbol Symbol",
                           "3 tkSpace Space", "4 tkTrippleQuotedString Documentation"}));
        EXPECT_EQ(lines[0].Range, open);
        EXPECT_TRUE(lines[1].Tokens.empty());
        EXPECT_EQ(lines[1].Range, open) << "an empty line stays inside";
        // The other quote style and an escaped triple do not close it.
        EXPECT_EQ(lines[2].Tokens, TTokens{"0 tkTrippleQuotedString Documentation"});
        EXPECT_EQ(lines[2].Range, open);
        EXPECT_EQ(lines[3].Tokens, (TTokens{"0 tkTrippleQuotedString Documentation",
                                            "6 tkSpace Space", "7 tkComment Comment"}));
        EXPECT_EQ(lines[3].Range, P::rsUnKnown);
    }
    // Closed on its own line, and two on one line.
    EXPECT_EQ(
        Scan(h, "'''a''' + \"\"\"b").Tokens,
        (TTokens{"0 tkTrippleQuotedString Documentation", "7 tkSpace Space", "8 tkSymbol Symbol",
                 "9 tkSpace Space", "10 tkTrippleQuotedString Documentation"}));
    EXPECT_EQ(Scan(h, "'''a''' + \"\"\"b").Range, P::rsMultilineString2);
    // The closing triple may end in more quotes: the first three close.
    EXPECT_EQ(Scan(h, "a''''", P::rsMultilineString).Tokens,
              (TTokens{"0 tkTrippleQuotedString Documentation", "4 tkString String"}));
}

TEST(PythonHighlighter, BackslashContinuedStrings) {
    P h;
    auto lines = ScanLines(h, {"s = 'one \\", "two \" \\", "three' + x", "y"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkSymbol Symbol",
                       "3 tkSpace Space", "4 tkString String"}));
    EXPECT_EQ(lines[0].Range, Continued(u'\''));
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkString String"}) << "the other quote stays inside";
    EXPECT_EQ(lines[1].Range, Continued(u'\''));
    EXPECT_EQ(lines[2].Tokens, (TTokens{"0 tkString String", "6 tkSpace Space", "7 tkSymbol Symbol",
                                        "8 tkSpace Space", "9 tkIdentifier Identifier"}));
    EXPECT_EQ(lines[2].Range, P::rsUnKnown);
    // A line that does not end in a backslash ends the string, and so does an empty line.
    lines = ScanLines(h, {"\"a\\", "b", "c\""});
    EXPECT_EQ(lines[0].Range, Continued(u'"'));
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkString String"});
    EXPECT_EQ(lines[1].Range, P::rsUnKnown);
    EXPECT_EQ(lines[2].Tokens, (TTokens{"0 tkIdentifier Identifier", "1 tkString String"}));
    lines = ScanLines(h, {"'a\\", "", "b'"});
    EXPECT_EQ(lines[1].Range, P::rsUnKnown);
    EXPECT_EQ(lines[2].Tokens, (TTokens{"0 tkIdentifier Identifier", "1 tkString String"}));
    // An escaped quote at the line end closes nothing and continues nothing.
    EXPECT_EQ(Scan(h, "x\\'", Continued(u'\'')).Range, P::rsUnKnown);
    EXPECT_EQ(Scan(h, "\\\\", Continued(u'"')).Range, Continued(u'"'));
    // The quote travels with the range: scanning a double-quoted continuation in between
    // does not change what closes an apostrophe one.
    Scan(h, "\"x\\");
    EXPECT_EQ(Scan(h, "a\" b' c", Continued(u'\'')).Tokens,
              (TTokens{"0 tkString String", "5 tkSpace Space", "6 tkIdentifier Identifier"}));
    // Backslashes at the start of a continued line count from the line start.
    EXPECT_EQ(Scan(h, "\\'x'", Continued(u'\'')).Tokens, TTokens{"0 tkString String"});
}

TEST(PythonHighlighter, RangesTheScannerNeverGaveStartAfresh) {
    P h;
    for (const TCodeEditRange range :
         {TCodeEditRange(P::rsANil), TCodeEditRange(P::rsComment),
          TCodeEditRange(P::rsMultilineString3), Continued(u'x'), Continued(u'\'') + 1,
          TCodeEditRange(P::rsMultilineString) | 0x2700}) {
        h.SetRange(range);
        EXPECT_EQ(h.GetRange(), P::rsUnKnown) << range;
    }
    for (const TCodeEditRange range :
         {TCodeEditRange(P::rsMultilineString), TCodeEditRange(P::rsMultilineString2),
          Continued(u'\''), Continued(u'"')}) {
        h.SetRange(range);
        EXPECT_EQ(h.GetRange(), range);
    }
}
