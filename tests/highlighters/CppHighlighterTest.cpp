#include <gtest/gtest.h>

#include <utility>

#include "highlighters/HighlighterCpp.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

using C = TCppHighlighter;

TScannedLine Scan(C& h, const QString& line, TCodeEditRange range = C::rsUnknown) {
    return ScanLine(h, line, range);
}

}  // namespace

TEST(CppHighlighter, KeywordTableHasNoSharedSlots) {
    const THashedKeywords& keywords = C::Keywords();
    EXPECT_EQ(keywords.Count(), 130);
    EXPECT_TRUE(keywords.Collisions().empty());
    C h;
    // Every word scans as a reserved word, and only with its exact case.
    for (qint32 i = 0; i < keywords.Count(); ++i) {
        const QString word = keywords.Word(i);
        EXPECT_EQ(Scan(h, word).Tokens, TTokens{"0 tkKey ReservedWord"}) << word.toStdString();
        EXPECT_EQ(Scan(h, word + u'x').Tokens, TTokens{"0 tkIdentifier Identifier"});
    }
    EXPECT_EQ(Scan(h, "Int").Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_TRUE(h.IsKeyword(u"_Static_assert"));
    EXPECT_FALSE(h.IsKeyword(u"INT"));
}

TEST(CppHighlighter, NumberForms) {
    C h;
    const std::pair<const char*, TTokens> cases[] = {
        {"0x1F", {"0 tkHex Hexadecimal"}},
        {"017", {"0 tkOctal Octal"}},
        {"08", {"0 tkUnknown IllegalChar"}},
        {"123", {"0 tkNumber Number"}},
        {"1.5e-3", {"0 tkFloat Float"}},
        {"1.5f", {"0 tkFloat Float"}},
        {"2e10", {"0 tkFloat Float"}},
        {"10LL", {"0 tkNumber Number"}},
        {"10UL", {"0 tkNumber Number"}},
        {"10uu", {"0 tkUnknown IllegalChar", "3 tkIdentifier Identifier"}},
        {"10LLL", {"0 tkUnknown IllegalChar", "4 tkIdentifier Identifier"}},
        {"1e5e3", {"0 tkUnknown IllegalChar", "3 tkIdentifier Identifier"}},
        {"1e+", {"0 tkUnknown IllegalChar"}},
        {"0x;", {"0 tkUnknown IllegalChar", "2 tkSymbol Symbol"}},
        {"12ab", {"0 tkUnknown IllegalChar", "2 tkIdentifier Identifier"}},
        {"0x1.5", {"0 tkUnknown IllegalChar", "3 tkFloat Float"}},
        {"1..2", {"0 tkNumber Number", "1 tkSymbol Symbol", "2 tkFloat Float"}},
        {"1-2", {"0 tkNumber Number", "1 tkSymbol Symbol", "2 tkNumber Number"}},
        {".5", {"0 tkFloat Float"}},
        {"x=.5f;",
         {"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "2 tkFloat Float",
          "5 tkSymbol Symbol"}},
        {"a.b", {"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "2 tkIdentifier Identifier"}},
        {"...", {"0 tkSymbol Symbol"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, tokens) << text;
}

TEST(CppHighlighter, OperatorsCarryTheirExtendedKind) {
    C h;
    const std::pair<const char*, C::TxtkTokenKind> cases[] = {
        {"!=", C::xtkNotEqual},
        {"!", C::xtkLogComplement},
        {"%=", C::xtkModAssign},
        {"%", C::xtkMod},
        {"&&", C::xtkLogAnd},
        {"&=", C::xtkAndAssign},
        {"&", C::xtkAnd},
        {"*=", C::xtkMultiplyAssign},
        {"*", C::xtkStar},
        {"++", C::xtkIncrement},
        {"+=", C::xtkAddAssign},
        {"+", C::xtkAdd},
        {",", C::xtkComma},
        {"--", C::xtkDecrement},
        {"-=", C::xtkSubtractAssign},
        {"->", C::xtkArrow},
        {"-", C::xtkSubtract},
        {"...", C::xtkEllipse},
        {".", C::xtkPoint},
        {"/=", C::xtkDivideAssign},
        {"/", C::xtkDivide},
        {"::", C::xtkScopeResolution},
        {":", C::xtkColon},
        {";", C::xtkSemiColon},
        {"<<=", C::xtkShiftLeftAssign},
        {"<<", C::xtkShiftLeft},
        {"<=", C::xtkLessThanEqual},
        {"<", C::xtkLessThan},
        {"==", C::xtkLogEqual},
        {"=", C::xtkAssign},
        {">=", C::xtkGreaterThanEqual},
        {">>=", C::xtkShiftRightAssign},
        {">>", C::xtkShiftRight},
        {">", C::xtkGreaterThan},
        {"?", C::xtkQuestion},
        {"^=", C::xtkXorAssign},
        {"^", C::xtkXor},
        {"|=", C::xtkIncOrAssign},
        {"||", C::xtkLogOr},
        {"|", C::xtkIncOr},
        {"~", C::xtkBitComplement},
    };
    for (const auto& [text, kind] : cases) {
        h.SetLine(QString::fromLatin1(text), 0);
        EXPECT_EQ(h.GetTokenKind(), C::tkSymbol) << text;
        EXPECT_EQ(h.GetExtTokenID(), kind) << text;
        EXPECT_EQ(h.GetTokenLen(), qint32(qstrlen(text))) << text;
    }
    const std::pair<const char*, C::TxtkTokenKind> brackets[] = {
        {"(", C::xtkRoundOpen},   {")", C::xtkRoundClose}, {"[", C::xtkSquareOpen},
        {"]", C::xtkSquareClose}, {"{", C::xtkBraceOpen},  {"}", C::xtkBraceClose},
    };
    for (const auto& [text, kind] : brackets) {
        h.SetLine(QString::fromLatin1(text), 0);
        EXPECT_EQ(h.GetTokenKind(), C::tkBracket) << text;
        EXPECT_EQ(h.GetTokenAttribute(), h.fBracketAttri);
        EXPECT_EQ(h.GetExtTokenID(), kind) << text;
    }
    EXPECT_EQ(Scan(h, "a@b$\\`").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkUnknown IllegalChar",
                       "2 tkIdentifier Identifier", "3 tkUnknown IllegalChar",
                       "4 tkUnknown IllegalChar", "5 tkUnknown IllegalChar"}));
}

TEST(CppHighlighter, BlockCommentsAcrossLines) {
    C h;
    const auto lines = ScanLines(h, {"x /* a", "", "b", "c */ y /**/ // z"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkComment Comment"}));
    EXPECT_EQ(lines[0].Range, C::rsAnsiC);
    EXPECT_TRUE(lines[1].Tokens.empty());
    EXPECT_EQ(lines[1].Range, C::rsAnsiC);
    EXPECT_EQ(lines[2].Tokens, TTokens{"0 tkComment Comment"});
    EXPECT_EQ(lines[3].Tokens,
              (TTokens{"0 tkComment Comment", "4 tkSpace Space", "5 tkIdentifier Identifier",
                       "6 tkSpace Space", "7 tkComment Comment", "11 tkSpace Space",
                       "12 tkComment Comment"}));
    EXPECT_EQ(lines[3].Range, C::rsUnknown);
    // The opener's star does not close the comment.
    EXPECT_EQ(Scan(h, "/*/ x").Range, C::rsAnsiC);
}

TEST(CppHighlighter, StringsAndCharacters) {
    C h;
    EXPECT_EQ(Scan(h, R"("a\"b" 'c')").Tokens,
              (TTokens{"0 tkString String", "6 tkSpace Space", "7 tkChar Character"}));
    EXPECT_EQ(Scan(h, R"('\'' '\\' 'x)").Tokens,
              (TTokens{"0 tkChar Character", "4 tkSpace Space", "5 tkChar Character",
                       "9 tkSpace Space", "10 tkChar Character"}));
    // A backslash at the line end continues a string, not a character literal.
    const auto lines = ScanLines(h, {R"(s = "abc\)", R"(  def\)", R"(g" + 1)", R"('a\)", "x"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkSymbol Symbol",
                       "3 tkSpace Space", "4 tkString String"}));
    EXPECT_EQ(lines[0].Range, C::rsMultiLineString);
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkString String"});
    EXPECT_EQ(lines[1].Range, C::rsMultiLineString);
    EXPECT_EQ(lines[2].Tokens, (TTokens{"0 tkString String", "2 tkSpace Space", "3 tkSymbol Symbol",
                                        "4 tkSpace Space", "5 tkNumber Number"}));
    EXPECT_EQ(lines[2].Range, C::rsUnknown);
    EXPECT_EQ(lines[3].Range, C::rsUnknown);
    EXPECT_EQ(lines[4].Tokens, TTokens{"0 tkIdentifier Identifier"});
    // An escaped backslash at the line end ends nothing: the string is just unterminated.
    EXPECT_EQ(Scan(h, R"("a\\)").Range, C::rsUnknown);
}

TEST(CppHighlighter, PreprocessorLines) {
    C h;
    EXPECT_EQ(Scan(h, "#include <a> // c").Tokens,
              (TTokens{"0 tkDirective Preprocessor", "13 tkComment Comment"}));
    EXPECT_EQ(Scan(h, "  #if X").Tokens,
              (TTokens{"0 tkSpace Space", "2 tkDirective Preprocessor"}));
    EXPECT_EQ(Scan(h, "a # b").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkUnknown IllegalChar",
                       "3 tkSpace Space", "4 tkIdentifier Identifier"}));

    const auto macro = ScanLines(h, {"#define A(x) \\", "  x + 1", "y"});
    EXPECT_EQ(macro[0].Tokens, TTokens{"0 tkDirective Preprocessor"});
    EXPECT_EQ(macro[0].Range, C::rsMultiLineDirective);
    EXPECT_EQ(macro[1].Tokens, TTokens{"0 tkDirective Preprocessor"});
    EXPECT_EQ(macro[1].Range, C::rsUnknown);
    EXPECT_EQ(macro[2].Tokens, TTokens{"0 tkIdentifier Identifier"});

    // A comment on a preprocessor line, closed with text after it: the line goes on.
    const auto commented = ScanLines(h, {"#define X /* c", "d */ 1", "#define Y /*/ y */ z"});
    EXPECT_EQ(commented[0].Tokens, (TTokens{"0 tkDirective Preprocessor", "10 tkComment Comment"}));
    EXPECT_EQ(commented[0].Range, C::rsDirectiveComment);
    EXPECT_EQ(commented[1].Tokens, (TTokens{"0 tkComment Comment", "4 tkDirective Preprocessor"}));
    EXPECT_EQ(commented[1].Range, C::rsUnknown);
    EXPECT_EQ(commented[2].Tokens, (TTokens{"0 tkDirective Preprocessor", "10 tkComment Comment",
                                            "18 tkDirective Preprocessor"}));
    EXPECT_EQ(Scan(h, "#if 1 /* c */").Range, C::rsUnknown);

    // A continued line that starts with a comment gives no empty preprocessor token.
    const auto continued = ScanLines(h, {"#define A \\", "/* c */ x", "#define B \\", "// d"});
    EXPECT_EQ(continued[1].Tokens, (TTokens{"0 tkComment Comment", "7 tkDirective Preprocessor"}));
    EXPECT_EQ(continued[3].Tokens, TTokens{"0 tkComment Comment"});
    EXPECT_EQ(continued[3].Range, C::rsUnknown);
}

TEST(CppHighlighter, NewPreprocessorStyleCoversOnlyTheDirectiveWord) {
    C h;
    h.SetNewPreprocesorStyle(true);
    EXPECT_EQ(Scan(h, "# include <a>").Tokens,
              (TTokens{"0 tkDirective Preprocessor", "9 tkSpace Space", "10 tkSymbol Symbol",
                       "11 tkIdentifier Identifier", "12 tkSymbol Symbol"}));
    EXPECT_EQ(Scan(h, "#define A \\").Range, C::rsUnknown);
}

TEST(CppHighlighter, InlineAssembler) {
    C h;
    EXPECT_EQ(Scan(h, "asm { mov eax, 1 }").Tokens,
              (TTokens{"0 tkKey ReservedWord", "3 tkSpace Space", "4 tkBracket Brackets",
                       "5 tkSpace Space", "6 tkAsm Assembler", "9 tkSpace Space",
                       "10 tkAsm Assembler", "13 tkAsm Assembler", "14 tkSpace Space",
                       "15 tkAsm Assembler", "16 tkSpace Space", "17 tkBracket Brackets"}));
    EXPECT_EQ(Scan(h, "asm { mov eax, 1 }").Range, C::rsUnknown);
    EXPECT_EQ(Scan(h, "__asm mov eax, 1; x").Tokens,
              (TTokens{"0 tkKey ReservedWord", "5 tkSpace Space", "6 tkAsm Assembler",
                       "9 tkSpace Space", "10 tkAsm Assembler", "13 tkAsm Assembler",
                       "14 tkSpace Space", "15 tkAsm Assembler", "16 tkSymbol Symbol",
                       "17 tkSpace Space", "18 tkIdentifier Identifier"}));

    const auto block = ScanLines(h, {"_asm {", "mov /* c", "*/ eax", "}", "x"});
    EXPECT_EQ(block[0].Range, C::rsAsmBlock);
    EXPECT_EQ(block[1].Tokens,
              (TTokens{"0 tkAsm Assembler", "3 tkSpace Space", "4 tkComment Comment"}));
    EXPECT_EQ(block[1].Range, C::rsAnsiCAsmBlock);
    EXPECT_EQ(block[2].Tokens,
              (TTokens{"0 tkComment Comment", "2 tkSpace Space", "3 tkAsm Assembler"}));
    EXPECT_EQ(block[2].Range, C::rsAsmBlock);
    EXPECT_EQ(block[3].Tokens, TTokens{"0 tkBracket Brackets"});
    EXPECT_EQ(block[3].Range, C::rsUnknown);
    EXPECT_EQ(block[4].Tokens, TTokens{"0 tkIdentifier Identifier"});

    // An assembler statement goes on over lines until its semicolon.
    const auto statement = ScanLines(h, {"asm /* a", "*/ nop", "nop;"});
    EXPECT_EQ(statement[0].Range, C::rsAnsiCAsm);
    EXPECT_EQ(statement[1].Range, C::rsAsm);
    EXPECT_EQ(statement[2].Tokens, (TTokens{"0 tkAsm Assembler", "3 tkSymbol Symbol"}));
    EXPECT_EQ(statement[2].Range, C::rsUnknown);
}

TEST(CppHighlighter, LineBreakCharactersInsideALine) {
    // The editor never passes them, but a line may come from elsewhere with CR or LF inside.
    C h;
    EXPECT_EQ(Scan(h, "a\r\nb\rc\n").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "3 tkIdentifier Identifier",
                       "4 tkSpace Space", "5 tkIdentifier Identifier", "6 tkSpace Space"}));
    EXPECT_EQ(Scan(h, "/* a\nb */").Tokens,
              (TTokens{"0 tkComment Comment", "4 tkSpace Space", "5 tkComment Comment"}));
    EXPECT_EQ(Scan(h, QString::fromUtf16(u"x\0y", 3)).Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkNull -", "2 tkIdentifier Identifier"}));
}

TEST(CppHighlighter, AttributesAndIdentity) {
    C h;
    QStringList names;
    for (qint32 i = 0; i < h.AttrCount(); ++i)
        names << h.GetAttribute(i)->Name();
    EXPECT_EQ(names, QStringList({"Assembler", "Brackets", "Character", "Comment", "Float",
                                  "Hexadecimal", "Identifier", "IllegalChar", "Number", "Octal",
                                  "Preprocessor", "ReservedWord", "Space", "String", "Symbol"}));
    EXPECT_EQ(h.fDirecAttri->Style(), 0);
    EXPECT_EQ(h.fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(h.GetFriendlyLanguageName(), QStringLiteral("C/C++"));
    EXPECT_EQ(h.GetDefaultAttribute(0), h.fCommentAttri);
    EXPECT_EQ(Scan(h, "x", 99).Range, C::rsUnknown);
}

TEST(CppHighlighter, ALineLeftHalfScannedLeavesNoStateBehind) {
    // The painter may stop after the visible tokens; the next line must not inherit the note
    // that a comment opener is pending.
    C h;
    h.SetLine(QStringLiteral("#define X /* c"), 0);
    EXPECT_EQ(h.GetTokenKind(), C::tkDirective);
    EXPECT_EQ(Scan(h, "/*/ z", C::rsDirectiveComment).Tokens,
              (TTokens{"0 tkComment Comment", "3 tkDirective Preprocessor"}));
}
