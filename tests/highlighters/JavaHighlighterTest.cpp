#include <gtest/gtest.h>

#include <utility>

#include "highlighters/HighlighterJava.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

using J = TJavaHighlighter;

TScannedLine Scan(J& h, const QString& line, TCodeEditRange range = J::rsUnknown) {
    return ScanLine(h, line, range);
}

}  // namespace

TEST(JavaHighlighter, KeywordTableHasNoSharedSlots) {
    const THashedKeywords& keywords = J::Keywords();
    EXPECT_EQ(keywords.Count(), 52);
    EXPECT_EQ(keywords.TableSize(), 113u);
    EXPECT_EQ(keywords.MultiplierA(), 598u);
    EXPECT_EQ(keywords.MultiplierB(), 349u);
    EXPECT_TRUE(keywords.Collisions().empty());
    J h;
    for (qint32 i = 0; i < keywords.Count(); ++i) {
        const QString word = keywords.Word(i);
        EXPECT_EQ(Scan(h, word).Tokens, TTokens{"0 tkKey ReservedWord"}) << word.toStdString();
        // A letter of another script or a $ goes on with the word.
        EXPECT_EQ(Scan(h, word + QChar(0x00E9)).Tokens, TTokens{"0 tkIdentifier Identifier"});
        EXPECT_EQ(Scan(h, word + u'$').Tokens, TTokens{"0 tkIdentifier Identifier"});
    }
    EXPECT_EQ(Scan(h, "Class").Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_TRUE(h.IsKeyword(u"strictfp"));
    EXPECT_FALSE(h.IsKeyword(u"var"));
}

TEST(JavaHighlighter, IdentifiersOfEveryScript) {
    J h;
    EXPECT_EQ(Scan(h, QString::fromUtf16(u"\u00e9t\u00e9 \u3042\u3044 _x a$b")).Tokens,
              (TTokens{"0 tkIdentifier Identifier", "3 tkSpace Space", "4 tkIdentifier Identifier",
                       "6 tkSpace Space", "7 tkIdentifier Identifier", "9 tkSpace Space",
                       "10 tkIdentifier Identifier"}));
    // $ alone is nothing Java knows; a word may not start with it.
    EXPECT_EQ(Scan(h, "$ $a").Tokens,
              (TTokens{"0 tkUnknown InvalidSymbol", "1 tkSpace Space", "2 tkUnknown InvalidSymbol",
                       "3 tkIdentifier Identifier"}));
    // Characters that are no letter or digit in any script: one token each.
    EXPECT_EQ(Scan(h, QString::fromUtf16(u"\u00a7\u2192\\`")).Tokens,
              (TTokens{"0 tkUnknown InvalidSymbol", "1 tkUnknown InvalidSymbol",
                       "2 tkUnknown InvalidSymbol", "3 tkUnknown InvalidSymbol"}));
    EXPECT_EQ(Scan(h, "#@").Tokens,
              (TTokens{"0 tkInvalid InvalidSymbol", "1 tkInvalid InvalidSymbol"}));
    EXPECT_TRUE(h.IsIdentChar(QChar(0x3042)));
    EXPECT_TRUE(h.IsIdentChar(u'$'));
    EXPECT_FALSE(h.IsIdentChar(u'-'));
}

TEST(JavaHighlighter, Numbers) {
    J h;
    const std::pair<const char*, TTokens> cases[] = {
        {"0x1FL", {"0 tkNumber Number"}},
        {"1.5", {"0 tkNumber Number"}},
        {".5f", {"0 tkNumber Number"}},
        {".5g", {"0 tkNumber Number", "2 tkIdentifier Identifier"}},
        {"1..2", {"0 tkNumber Number", "1 tkSymbol Symbol", "2 tkNumber Number"}},
        {"1e-5", {"0 tkNumber Number", "2 tkSymbol Symbol", "3 tkNumber Number"}},
        {"a.b", {"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "2 tkIdentifier Identifier"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Scan(h, text).Tokens, tokens) << text;
}

TEST(JavaHighlighter, OperatorsCarryTheirExtendedKind) {
    J h;
    const std::pair<const char*, J::TxtkTokenKind> cases[] = {
        {"!=", J::xtkNotEqual},
        {"!", J::xtkLogComplement},
        {"%=", J::xtkRemainderAssign},
        {"%", J::xtkRemainder},
        {"&&", J::xtkCondAnd},
        {"&=", J::xtkAndAssign},
        {"&", J::xtkAnd},
        {"(", J::xtkRoundOpen},
        {")", J::xtkRoundClose},
        {"*=", J::xtkMultiplyAssign},
        {"*", J::xtkMultiply},
        {"++", J::xtkIncrement},
        {"+=", J::xtkAddAssign},
        {"+", J::xtkAdd},
        {",", J::xtkComma},
        {"--", J::xtkDecrement},
        {"-=", J::xtkSubtractAssign},
        {"-", J::xtkSubtract},
        {".", J::xtkPoint},
        {"/=", J::xtkDivideAssign},
        {"/", J::xtkDivide},
        {":", J::xtkColon},
        {";", J::xtkSemiColon},
        {"<<=", J::xtkShiftLeftAssign},
        {"<<", J::xtkShiftLeft},
        {"<=", J::xtkLessThanEqual},
        {"<", J::xtkLessThan},
        {"==", J::xtkLogEqual},
        {"=", J::xtkAssign},
        {">=", J::xtkGreaterThanEqual},
        {">>=", J::xtkShiftRightAssign},
        {">>>=", J::xtkUnsignShiftRightAssign},
        {">>>", J::xtkUnsignShiftRight},
        {">>", J::xtkShiftRight},
        {">", J::xtkGreaterThan},
        {"?", J::xtkQuestion},
        {"[", J::xtkSquareOpen},
        {"]", J::xtkSquareClose},
        {"^=", J::xtkXorAssign},
        {"^", J::xtkXor},
        {"{", J::xtkBraceOpen},
        {"}", J::xtkBraceClose},
        {"|=", J::xtkIncOrAssign},
        {"||", J::xtkCondOr},
        {"|", J::xtkIncOr},
        {"~", J::xtkBitComplement},
    };
    for (const auto& [text, kind] : cases) {
        h.SetLine(QString::fromLatin1(text), 0);
        EXPECT_EQ(h.GetTokenKind(), J::tkSymbol) << text;
        EXPECT_EQ(h.GetExtTokenID(), kind) << text;
        EXPECT_EQ(h.GetTokenLen(), qint32(qstrlen(text))) << text;
    }
    // Brackets are counted over lines, open minus closed.
    J counter;
    ScanLines(counter, {"f((a[1]), [", "])("});
    EXPECT_EQ(counter.RoundCount(), 1);
    EXPECT_EQ(counter.SquareCount(), 0);
}

TEST(JavaHighlighter, DocumentationAndBlockComments) {
    J h;
    EXPECT_EQ(Scan(h, "/** doc */ /**/ /***/ x").Tokens,
              (TTokens{"0 tkDocument Documentation", "10 tkSpace Space", "11 tkComment Comment",
                       "15 tkSpace Space", "16 tkDocument Documentation", "21 tkSpace Space",
                       "22 tkIdentifier Identifier"}));
    const auto doc = ScanLines(h, {"int a; /** open", "", " * still", " */ b // c"});
    EXPECT_EQ(doc[0].Range, J::rsDocument);
    EXPECT_EQ(doc[1].Range, J::rsDocument);
    EXPECT_EQ(doc[2].Tokens, TTokens{"0 tkDocument Documentation"});
    EXPECT_EQ(doc[3].Tokens,
              (TTokens{"0 tkDocument Documentation", "3 tkSpace Space", "4 tkIdentifier Identifier",
                       "5 tkSpace Space", "6 tkComment Comment"}));
    EXPECT_EQ(doc[3].Range, J::rsUnknown);
    const auto block = ScanLines(h, {"/* a", "b */ c", "/**"});
    EXPECT_EQ(block[0].Range, J::rsComment);
    EXPECT_EQ(block[1].Tokens,
              (TTokens{"0 tkComment Comment", "4 tkSpace Space", "5 tkIdentifier Identifier"}));
    EXPECT_EQ(block[2].Range, J::rsDocument) << "/** at the line end opens documentation";
    // The opener's star does not close the comment.
    EXPECT_EQ(Scan(h, "/*/ x").Range, J::rsComment);
}

TEST(JavaHighlighter, StringsAndCharacterLiterals) {
    J h;
    EXPECT_EQ(
        Scan(h, R"("a\"b" '\'' '' "")").Tokens,
        (TTokens{"0 tkString String", "6 tkSpace Space", "7 tkString String", "11 tkSpace Space",
                 "12 tkString String", "14 tkSpace Space", "15 tkString String"}));
    // Three quotes: the first two after the opening one are stepped over.
    EXPECT_EQ(Scan(h, R"("""a" b)").Tokens,
              (TTokens{"0 tkString String", "5 tkSpace Space", "6 tkIdentifier Identifier"}));
    // Unterminated, and ending in a backslash: the string stops at the line end, and the next
    // line starts with nothing open.
    const auto lines = ScanLines(h, {R"(s = "abc\)", "x", R"(c = 'a)", "\"", "'\\"});
    EXPECT_EQ(lines[0].Tokens.back(), "4 tkString String");
    EXPECT_EQ(lines[0].Range, J::rsUnknown);
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_EQ(lines[2].Tokens.back(), "4 tkString String");
    EXPECT_EQ(lines[3].Tokens, TTokens{"0 tkString String"});
    EXPECT_EQ(lines[4].Tokens, TTokens{"0 tkString String"});
}

TEST(JavaHighlighter, AttributesAndIdentity) {
    J h;
    QStringList names;
    for (qint32 i = 0; i < h.AttrCount(); ++i)
        names << h.GetAttribute(i)->Name();
    EXPECT_EQ(names, QStringList({"Comment", "Documentation", "Identifier", "InvalidSymbol",
                                  "Number", "ReservedWord", "Space", "String", "Symbol"}));
    EXPECT_EQ(h.fDocumentAttri->Style(), hsItalic);
    EXPECT_EQ(h.fSpaceAttri->Foreground(), 0xFF000005u);
    EXPECT_EQ(h.fSpaceAttri->ForegroundDefault(), 0xFF000005u);
    EXPECT_EQ(h.fInvalidAttri->FriendlyName(), QStringLiteral("Invalid Symbol"));
    EXPECT_EQ(h.GetDefaultAttribute(5), h.fSymbolAttri);
    EXPECT_EQ(h.GetLanguageName(), QStringLiteral("Java"));
    EXPECT_EQ(h.DefaultFilter(), QStringLiteral("Java Files (*.java)|*.java"));
    EXPECT_EQ(Scan(h, "x", J::rsANil).Range, J::rsUnknown);
}
