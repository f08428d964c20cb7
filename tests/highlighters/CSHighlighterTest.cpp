#include <gtest/gtest.h>

#include <utility>

#include "highlighters/HighlighterCS.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

using CS = TCSHighlighter;

TScannedLine Scan(CS& h, const QString& line, TCodeEditRange range = CS::rsUnknown) {
    return ScanLine(h, line, range);
}

}  // namespace

TEST(CSHighlighter, KeywordTableHasNoSharedSlots) {
    const THashedKeywords& keywords = CS::Keywords();
    EXPECT_EQ(keywords.Count(), 77);
    EXPECT_EQ(keywords.TableSize(), 211u);
    EXPECT_EQ(keywords.MultiplierA(), 52u);
    EXPECT_EQ(keywords.MultiplierB(), 456u);
    EXPECT_TRUE(keywords.Collisions().empty());
    CS h;
    int types = 0;
    for (qint32 i = 0; i < keywords.Count(); ++i) {
        const QString word = keywords.Word(i);
        const TTokens tokens = Scan(h, word).Tokens;
        ASSERT_EQ(tokens.size(), 1u) << word.toStdString();
        EXPECT_TRUE(tokens[0] == "0 tkKey ReservedWord" || tokens[0] == "0 tkType DataType")
            << word.toStdString();
        types += tokens[0] == "0 tkType DataType";
        EXPECT_EQ(Scan(h, word + u'_').Tokens, TTokens{"0 tkIdentifier Identifier"});
    }
    EXPECT_EQ(types, 14);
    EXPECT_EQ(Scan(h, "string int class while String").Tokens,
              (TTokens{"0 tkType DataType", "6 tkSpace Space", "7 tkType DataType",
                       "10 tkSpace Space", "11 tkKey ReservedWord", "16 tkSpace Space",
                       "17 tkKey ReservedWord", "22 tkSpace Space", "23 tkIdentifier Identifier"}));
    EXPECT_TRUE(h.IsKeyword(u"stackalloc"));
    EXPECT_TRUE(h.IsKeyword(u"ushort"));
    EXPECT_FALSE(h.IsKeyword(u"asm")) << "C# has no assembler words";
}

TEST(CSHighlighter, NumbersAreOneSimpleKind) {
    CS h;
    const std::pair<const char*, TTokens> cases[] = {
        {"0x1FUL", {"0 tkNumber Number"}},
        {"1.5e10", {"0 tkNumber Number"}},
        {"1e-5", {"0 tkNumber Number", "2 tkSymbol Symbol", "3 tkNumber Number"}},
        {"1..2",
         {"0 tkNumber Number", "1 tkSymbol Symbol", "2 tkSymbol Symbol", "3 tkNumber Number"}},
        // A point never starts a number; three points are one symbol.
        {".5", {"0 tkSymbol Symbol", "1 tkNumber Number"}},
        {"a...b", {"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "4 tkIdentifier Identifier"}},
        {"12ab", {"0 tkNumber Number"}},
        {"12g", {"0 tkNumber Number", "2 tkIdentifier Identifier"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, tokens) << text;
    h.SetLine(QStringLiteral("a...b"), 0);
    h.Next();
    EXPECT_EQ(h.GetExtTokenID(), CS::xtkEllipse);
}

TEST(CSHighlighter, BracketsAreSymbolsWithTheirExtendedKind) {
    CS h;
    const std::pair<const char*, CS::TxtkTokenKind> cases[] = {
        {"(", CS::xtkRoundOpen},          {")", CS::xtkRoundClose}, {"[", CS::xtkSquareOpen},
        {"]", CS::xtkSquareClose},        {"{", CS::xtkBraceOpen},  {"}", CS::xtkBraceClose},
        {">>=", CS::xtkShiftRightAssign}, {"->", CS::xtkArrow},     {"::", CS::xtkScopeResolution},
    };
    for (const auto& [text, kind] : cases) {
        h.SetLine(QString::fromLatin1(text), 0);
        EXPECT_EQ(h.GetTokenKind(), CS::tkSymbol) << text;
        EXPECT_EQ(h.GetTokenAttribute(), h.fSymbolAttri) << text;
        EXPECT_EQ(h.GetExtTokenID(), kind) << text;
        EXPECT_EQ(h.GetTokenLen(), qint32(qstrlen(text))) << text;
    }
    // The commercial at of a verbatim string is its own token; the string follows.
    EXPECT_EQ(
        Scan(h, R"(@"a" $`\)").Tokens,
        (TTokens{"0 tkUnknown IllegalChar", "1 tkString String", "4 tkSpace Space",
                 "5 tkUnknown IllegalChar", "6 tkUnknown IllegalChar", "7 tkUnknown IllegalChar"}));
}

TEST(CSHighlighter, StringsAndCharactersArePaintedAsStrings) {
    CS h;
    EXPECT_EQ(Scan(h, R"('\'' "a\"b")").Tokens,
              (TTokens{"0 tkString String", "4 tkSpace Space", "5 tkString String"}));
    const auto lines = ScanLines(h, {R"(s = "abc\)", R"(def\)", R"(g"; x)", R"('a\)", "y"});
    EXPECT_EQ(lines[0].Range, CS::rsMultiLineString);
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkString String"});
    EXPECT_EQ(lines[1].Range, CS::rsMultiLineString);
    EXPECT_EQ(lines[2].Tokens, (TTokens{"0 tkString String", "2 tkSymbol Symbol", "3 tkSpace Space",
                                        "4 tkIdentifier Identifier"}));
    EXPECT_EQ(lines[2].Range, CS::rsUnknown);
    EXPECT_EQ(lines[3].Range, CS::rsUnknown) << "a character literal never goes on";
    // An empty line inside a continued string keeps it going.
    const auto empty = ScanLines(h, {R"("a\)", "", R"(b")"});
    EXPECT_EQ(empty[1].Range, CS::rsMultiLineString);
    EXPECT_EQ(empty[2].Tokens, TTokens{"0 tkString String"});
}

TEST(CSHighlighter, PreprocessorTokensStartAtAnyHash) {
    CS h;
    EXPECT_EQ(Scan(h, "#region Name").Tokens, TTokens{"0 tkDirective Preprocessor"});
    EXPECT_EQ(Scan(h, "#if DEBUG // note").Tokens,
              (TTokens{"0 tkDirective Preprocessor", "10 tkComment Comment"}));
    EXPECT_EQ(Scan(h, "x = 1 # y").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkSymbol Symbol",
                       "3 tkSpace Space", "4 tkNumber Number", "5 tkSpace Space",
                       "6 tkDirective Preprocessor"}));
    EXPECT_EQ(Scan(h, "#").Tokens, TTokens{"0 tkDirective Preprocessor"});
}

TEST(CSHighlighter, ContinuedPreprocessorLines) {
    CS h;
    const auto lines = ScanLines(h, {"#define A \\", "  b \\", "c", "d"});
    EXPECT_EQ(lines[0].Range, CS::rsDirective);
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkDirective Preprocessor"});
    EXPECT_EQ(lines[1].Range, CS::rsDirective);
    EXPECT_EQ(lines[2].Tokens, TTokens{"0 tkDirective Preprocessor"});
    EXPECT_EQ(lines[2].Range, CS::rsUnknown);
    EXPECT_EQ(lines[3].Tokens, TTokens{"0 tkIdentifier Identifier"});

    // An empty line ends the continued line: there is no backslash before its line end
    // (and no character at all before position 0 to look at).
    const auto ended = ScanLines(h, {"#define B \\", "", "x"});
    EXPECT_EQ(ended[1].Range, CS::rsUnknown);
    EXPECT_EQ(ended[2].Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_EQ(Scan(h, "", CS::rsDirective).Range, CS::rsUnknown);

    // A comment on a preprocessor line returns to the line at its end.
    const auto commented = ScanLines(h, {"#if X /* a", "b */ && Y", "#if Z /* c */", "q"});
    EXPECT_EQ(commented[0].Tokens, (TTokens{"0 tkDirective Preprocessor", "6 tkComment Comment"}));
    EXPECT_EQ(commented[0].Range, CS::rsDirectiveComment);
    EXPECT_EQ(commented[1].Tokens, (TTokens{"0 tkComment Comment", "4 tkDirective Preprocessor"}));
    EXPECT_EQ(commented[1].Range, CS::rsUnknown);
    EXPECT_EQ(commented[2].Range, CS::rsUnknown) << "nothing after the comment ends the line";
    EXPECT_EQ(commented[3].Tokens, TTokens{"0 tkIdentifier Identifier"});

    // A continued line that starts with a comment gives no empty preprocessor token.
    const auto continued = ScanLines(h, {"#define C \\", "// d", "e"});
    EXPECT_EQ(continued[1].Tokens, TTokens{"0 tkComment Comment"});
    EXPECT_EQ(continued[2].Tokens, TTokens{"0 tkIdentifier Identifier"});
}

TEST(CSHighlighter, BlockCommentsAcrossLines) {
    CS h;
    const auto lines = ScanLines(h, {"a /* b", "", "c */ d"});
    EXPECT_EQ(lines[0].Range, CS::rsAnsiC);
    EXPECT_EQ(lines[1].Range, CS::rsAnsiC);
    EXPECT_EQ(lines[2].Tokens,
              (TTokens{"0 tkComment Comment", "4 tkSpace Space", "5 tkIdentifier Identifier"}));
    EXPECT_EQ(lines[2].Range, CS::rsUnknown);
}

TEST(CSHighlighter, RangesAreStoredInTheirOwnNumbers) {
    CS h;
    // Ranges C# never gives start afresh; those it gives come back unchanged.
    for (TCodeEditRange range : {CS::rsAnsiCAsm, CS::rsAsm, CS::rsAsmBlock, CS::rsString34})
        EXPECT_EQ(Scan(h, "x", range).Range, CS::rsUnknown) << range;
    for (TCodeEditRange range : {CS::rsUnknown, CS::rsAnsiC, CS::rsDirective,
                                 CS::rsDirectiveComment, CS::rsMultiLineString}) {
        h.SetRange(range);
        EXPECT_EQ(h.GetRange(), range);
    }
    EXPECT_EQ(Scan(h, "#define X \\").Range, 6);
}

TEST(CSHighlighter, AttributesAndIdentity) {
    CS h;
    QStringList names;
    for (qint32 i = 0; i < h.AttrCount(); ++i)
        names << h.GetAttribute(i)->Name();
    EXPECT_EQ(names,
              QStringList({"Assembler", "Comment", "DataType", "Identifier", "IllegalChar",
                           "Number", "Preprocessor", "ReservedWord", "Space", "String", "Symbol"}));
    EXPECT_EQ(h.fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(h.fKeyAttri->Style(), hsBold);
    EXPECT_EQ(h.fTypeAttri->FriendlyName(), QStringLiteral("Data Type"));
    EXPECT_EQ(h.GetDefaultAttribute(4), h.fSpaceAttri);
    EXPECT_EQ(h.GetDefaultAttribute(5), nullptr);
    EXPECT_EQ(h.GetLanguageName(), QStringLiteral("CSharp"));
    EXPECT_EQ(h.GetFriendlyLanguageName(), QStringLiteral("C#"));
    EXPECT_EQ(h.DefaultFilter(), QStringLiteral("C# Files (*.cs)|*.cs"));
}
