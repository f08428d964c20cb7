#include <gtest/gtest.h>

#include "highlighters/HighlighterPas.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

using P = TPasHighlighter;

TScannedLine Scan(P& h, const QString& line, TCodeEditRange range = P::rsUnKnown) {
    return ScanLine(h, line, range);
}

}  // namespace

TEST(PasHighlighter, KeywordTableHasNoSharedSlots) {
    const THashedKeywords& keywords = P::Keywords();
    EXPECT_EQ(keywords.Count(), 131);
    EXPECT_TRUE(keywords.Collisions().empty());
    EXPECT_EQ(keywords.TableSize(), 641u);
}

TEST(PasHighlighter, EveryKeywordIsFoundInSomeContext) {
    // Each word of the table is reserved (or a type) in at least one of the ranges it can
    // meet, so a slot that points at the wrong word or function shows up here.
    P h;
    for (qint32 i = 0; i < P::Keywords().Count(); ++i) {
        const QString word = P::Keywords().Word(i);
        bool found = false;
        for (TCodeEditRange range : {P::rsUnKnown, P::rsProperty, P::rsExports}) {
            const TScannedLine line = Scan(h, word.toUpper(), range);
            ASSERT_EQ(line.Tokens.size(), 1u) << word.toStdString();
            found = found || line.Tokens[0] == "0 tkKey ReservedWord" ||
                    line.Tokens[0] == "0 tkType DataType";
        }
        EXPECT_TRUE(found) << word.toStdString();
    }
}

TEST(PasHighlighter, DirectivesAndBraceComments) {
    P h;
    EXPECT_EQ(Scan(h, "{$IFDEF X}").Tokens, TTokens{"0 tkDirec Preprocessor"});
    const auto lines = ScanLines(h, {"x {$R+", "more} y", "{ open", "", "still } z"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkDirec Preprocessor"}));
    EXPECT_EQ(lines[0].Range, P::rsDirective);
    EXPECT_EQ(lines[1].Tokens,
              (TTokens{"0 tkDirec Preprocessor", "5 tkSpace Space", "6 tkIdentifier Identifier"}));
    EXPECT_EQ(lines[1].Range, P::rsUnKnown);
    EXPECT_EQ(lines[2].Tokens, TTokens{"0 tkComment Comment"});
    EXPECT_EQ(lines[2].Range, P::rsBor);
    EXPECT_TRUE(lines[3].Tokens.empty());
    EXPECT_EQ(lines[3].Range, P::rsBor);
    EXPECT_EQ(lines[4].Tokens,
              (TTokens{"0 tkComment Comment", "7 tkSpace Space", "8 tkIdentifier Identifier"}));
    EXPECT_EQ(lines[4].Range, P::rsUnKnown);
}

TEST(PasHighlighter, ParenStarAndSlashComments) {
    P h;
    EXPECT_EQ(Scan(h, "(* a *) b").Tokens,
              (TTokens{"0 tkComment Comment", "7 tkSpace Space", "8 tkIdentifier Identifier"}));
    // (*) opens a comment and does not close it.
    const TScannedLine open = Scan(h, "(*) x");
    EXPECT_EQ(open.Tokens, TTokens{"0 tkComment Comment"});
    EXPECT_EQ(open.Range, P::rsAnsi);
    EXPECT_EQ(Scan(h, "(*").Range, P::rsAnsi);

    const auto lines = ScanLines(h, {"a (* b", "c } d", "*) e"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkComment Comment"}));
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkComment Comment"});
    EXPECT_EQ(lines[1].Range, P::rsAnsi);
    EXPECT_EQ(lines[2].Tokens,
              (TTokens{"0 tkComment Comment", "2 tkSpace Space", "3 tkIdentifier Identifier"}));
    EXPECT_EQ(lines[2].Range, P::rsUnKnown);

    EXPECT_EQ(Scan(h, "x // y { z").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkComment Comment"}));
    EXPECT_EQ(Scan(h, "x // y { z").Range, P::rsUnKnown);
    // (. and .) are symbols, not comments.
    EXPECT_EQ(Scan(h, "(.i.)").Tokens, (TTokens{"0 tkSymbol Symbol", "2 tkIdentifier Identifier",
                                                "3 tkSymbol Symbol", "4 tkSymbol Symbol"}));
}

TEST(PasHighlighter, Strings) {
    P h;
    EXPECT_EQ(Scan(h, "'it''s'").Tokens, TTokens{"0 tkString String"});
    EXPECT_EQ(Scan(h, "''''+''").Tokens,
              (TTokens{"0 tkString String", "4 tkSymbol Symbol", "5 tkString String"}));
    // An unterminated string runs to the line end and does not carry over.
    const auto lines = ScanLines(h, {"s := 'abc", "x"});
    EXPECT_EQ(lines[0].Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkSymbol Symbol",
                       "4 tkSpace Space", "5 tkString String"}));
    EXPECT_EQ(lines[0].Range, P::rsUnKnown);
    EXPECT_EQ(lines[1].Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_EQ(Scan(h, "'a''").Tokens, TTokens{"0 tkString String"});
    EXPECT_EQ(Scan(h, "'{not a comment}' x").Range, P::rsUnKnown);
}

TEST(PasHighlighter, NumbersHexAndCharacters) {
    P h;
    EXPECT_EQ(Scan(h, "1.5e-3").Tokens, TTokens{"0 tkFloat Float"});
    EXPECT_EQ(Scan(h, "1..5").Tokens,
              (TTokens{"0 tkNumber Number", "1 tkSymbol Symbol", "3 tkNumber Number"}));
    EXPECT_EQ(Scan(h, "1-2").Tokens,
              (TTokens{"0 tkNumber Number", "1 tkSymbol Symbol", "2 tkNumber Number"}));
    EXPECT_EQ(Scan(h, "2E+10").Tokens, TTokens{"0 tkFloat Float"});
    EXPECT_EQ(Scan(h, "1.5+2").Tokens,
              (TTokens{"0 tkFloat Float", "3 tkSymbol Symbol", "4 tkNumber Number"}));
    // Hexadecimal letters are not part of a decimal number.
    EXPECT_EQ(Scan(h, "12ab").Tokens, (TTokens{"0 tkNumber Number", "2 tkIdentifier Identifier"}));
    EXPECT_EQ(Scan(h, "$FFa0 $").Tokens,
              (TTokens{"0 tkHex Hexadecimal", "5 tkSpace Space", "6 tkHex Hexadecimal"}));
    EXPECT_EQ(Scan(h, "#13#10").Tokens, (TTokens{"0 tkChar Character", "3 tkChar Character"}));
    EXPECT_EQ(Scan(h, "#$0D").Tokens, TTokens{"0 tkChar Character"});
}

TEST(PasHighlighter, PropertySpecifiersAreReservedOnlyInsideProperty) {
    P h;
    EXPECT_EQ(Scan(h, "property Name: string read FName write SetName;").Tokens,
              (TTokens{"0 tkKey ReservedWord", "8 tkSpace Space", "9 tkIdentifier Identifier",
                       "13 tkSymbol Symbol", "14 tkSpace Space", "15 tkType DataType",
                       "21 tkSpace Space", "22 tkKey ReservedWord", "26 tkSpace Space",
                       "27 tkIdentifier Identifier", "32 tkSpace Space", "33 tkKey ReservedWord",
                       "38 tkSpace Space", "39 tkIdentifier Identifier", "46 tkSymbol Symbol"}));
    EXPECT_EQ(Scan(h, "x := read;").Tokens,
              (TTokens{"0 tkIdentifier Identifier", "1 tkSpace Space", "2 tkSymbol Symbol",
                       "4 tkSpace Space", "5 tkIdentifier Identifier", "9 tkSymbol Symbol"}));

    // The property range carries over lines until the semicolon.
    const auto lines = ScanLines(h, {"property X: Integer", "  index 2 read GetX;", "read"});
    EXPECT_EQ(lines[0].Range, P::rsProperty);
    EXPECT_EQ(lines[1].Tokens,
              (TTokens{"0 tkSpace Space", "2 tkKey ReservedWord", "7 tkSpace Space",
                       "8 tkNumber Number", "9 tkSpace Space", "10 tkKey ReservedWord",
                       "14 tkSpace Space", "15 tkIdentifier Identifier", "19 tkSymbol Symbol"}));
    EXPECT_EQ(lines[1].Range, P::rsUnKnown);
    EXPECT_EQ(lines[2].Tokens, TTokens{"0 tkIdentifier Identifier"});

    // name and index belong to export clauses.
    const TScannedLine exports = Scan(h, "exports F name 'G' index 3;");
    EXPECT_EQ(exports.Tokens[0], "0 tkKey ReservedWord");
    EXPECT_EQ(exports.Tokens[4], "10 tkKey ReservedWord");
    EXPECT_EQ(exports.Tokens[8], "19 tkKey ReservedWord");
    EXPECT_EQ(exports.Range, P::rsUnKnown);
    EXPECT_EQ(Scan(h, "name").Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_EQ(Scan(h, "name", P::rsProperty).Tokens, TTokens{"0 tkIdentifier Identifier"});
}

TEST(PasHighlighter, AsmBlocks) {
    P h;
    EXPECT_EQ(
        Scan(h, "asm mov eax, 1 end").Tokens,
        (TTokens{"0 tkKey ReservedWord", "3 tkSpace Space", "4 tkAsm Assembler", "7 tkSpace Space",
                 "8 tkAsm Assembler", "11 tkAsm Assembler", "12 tkSpace Space",
                 "13 tkAsm Assembler", "14 tkSpace Space", "15 tkKey ReservedWord"}));
    EXPECT_EQ(Scan(h, "asm mov eax, 1 end").Range, P::rsUnKnown);

    const auto lines = ScanLines(h, {"asm", "  push {$IFDEF X}1{ c", "} (* d *)", "end;"});
    EXPECT_EQ(lines[0].Tokens, TTokens{"0 tkKey ReservedWord"});
    EXPECT_EQ(lines[0].Range, P::rsAsm);
    EXPECT_EQ(lines[1].Tokens,
              (TTokens{"0 tkSpace Space", "2 tkAsm Assembler", "6 tkSpace Space",
                       "7 tkDirec Preprocessor", "17 tkAsm Assembler", "18 tkComment Comment"}));
    EXPECT_EQ(lines[1].Range, P::rsBorAsm);
    EXPECT_EQ(lines[2].Tokens,
              (TTokens{"0 tkComment Comment", "1 tkSpace Space", "2 tkComment Comment"}));
    EXPECT_EQ(lines[2].Range, P::rsAsm);
    EXPECT_EQ(lines[3].Tokens, (TTokens{"0 tkKey ReservedWord", "3 tkSymbol Symbol"}));
    EXPECT_EQ(lines[3].Range, P::rsUnKnown);

    const auto ansi = ScanLines(h, {"asm (* open", "*) nop"});
    EXPECT_EQ(ansi[0].Range, P::rsAnsiAsm);
    EXPECT_EQ(ansi[1].Tokens,
              (TTokens{"0 tkComment Comment", "2 tkSpace Space", "3 tkAsm Assembler"}));
    EXPECT_EQ(ansi[1].Range, P::rsAsm);
    EXPECT_EQ(Scan(h, "{$I x", P::rsAsm).Range, P::rsDirectiveAsm);
    EXPECT_EQ(Scan(h, "y}", P::rsDirectiveAsm).Range, P::rsAsm);
}

TEST(PasHighlighter, MixedCaseKeywordsKeepTheTextAsTyped) {
    P h;
    h.SetLine(QStringLiteral("BeGiN End"), 0);
    EXPECT_EQ(h.GetTokenKind(), P::tkKey);
    EXPECT_EQ(h.GetToken(), QStringLiteral("BeGiN"));
    EXPECT_EQ(Scan(h, "INTEGER Begin_").Tokens,
              (TTokens{"0 tkType DataType", "7 tkSpace Space", "8 tkIdentifier Identifier"}));
    // U+0130 lower-cases to two code units under full case mapping; the scanned line keeps
    // one unit for one, so every position still matches the text as typed.
    const QString turkish = QString::fromUtf16(u"\u0130 BEGIN \u00C9nd");
    h.SetLine(turkish, 0);
    h.Next();
    h.Next();
    EXPECT_EQ(h.GetTokenPos(), 2);
    EXPECT_EQ(h.GetTokenKind(), P::tkKey);
    EXPECT_EQ(h.GetToken(), QStringLiteral("BEGIN"));
    EXPECT_EQ(Scan(h, turkish).Tokens,
              (TTokens{"0 tkUnknown Symbol", "1 tkSpace Space", "2 tkKey ReservedWord",
                       "7 tkSpace Space", "8 tkUnknown Symbol", "9 tkIdentifier Identifier"}));
}

TEST(PasHighlighter, SymbolsAndUnknownCharacters) {
    P h;
    EXPECT_EQ(
        Scan(h, "a:=b<>c<=d>=e@@f|").Tokens,
        (TTokens{"0 tkIdentifier Identifier", "1 tkSymbol Symbol", "3 tkIdentifier Identifier",
                 "4 tkSymbol Symbol", "6 tkIdentifier Identifier", "7 tkSymbol Symbol",
                 "9 tkIdentifier Identifier", "10 tkSymbol Symbol", "12 tkIdentifier Identifier",
                 "13 tkSymbol Symbol", "15 tkIdentifier Identifier", "16 tkUnknown Symbol"}));
    EXPECT_EQ(Scan(h, "\t \x01x\x7f").Tokens,
              (TTokens{"0 tkSpace Space", "3 tkIdentifier Identifier", "4 tkUnknown Symbol"}));
}

TEST(PasHighlighter, LanguageLevelAndPackageSource) {
    P h;
    int notices = 0;
    h.HookAttrChangeEvent([&](TCustomHighlighter&, THighlighterAttributes*) { ++notices; });
    EXPECT_EQ(Scan(h, "cdecl sealed package").Tokens,
              (TTokens{"0 tkKey ReservedWord", "5 tkSpace Space", "6 tkKey ReservedWord",
                       "12 tkSpace Space", "13 tkKey ReservedWord"}));
    h.SetLanguageLevel(1);
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(h.PackageSource());
    EXPECT_EQ(Scan(h, "cdecl sealed package").Tokens,
              (TTokens{"0 tkKey ReservedWord", "5 tkSpace Space", "6 tkIdentifier Identifier",
                       "12 tkSpace Space", "13 tkIdentifier Identifier"}));
    h.SetLanguageLevel(0);
    // Without line comments // is two symbols.
    EXPECT_EQ(Scan(h, "cdecl //").Tokens, (TTokens{"0 tkIdentifier Identifier", "5 tkSpace Space",
                                                   "6 tkSymbol Symbol", "7 tkSymbol Symbol"}));
    h.SetPackageSource(true);
    EXPECT_EQ(h.LanguageLevel(), 2);
    EXPECT_EQ(notices, 3);
    h.SetPackageSource(true);
    h.SetLanguageLevel(200);
    EXPECT_EQ(h.LanguageLevel(), P::kMaxLanguageLevel);
    EXPECT_EQ(notices, 4);
}

TEST(PasHighlighter, ForeignRangesStartAfresh) {
    P h;
    // A line that was never scanned has range -1 in the line store.
    EXPECT_EQ(Scan(h, "begin", -1).Tokens, TTokens{"0 tkKey ReservedWord"});
    EXPECT_EQ(Scan(h, "begin", 1000).Range, P::rsUnKnown);
}

TEST(PasHighlighter, AttributesAndIdentity) {
    P h;
    QStringList names;
    for (qint32 i = 0; i < h.AttrCount(); ++i)
        names << h.GetAttribute(i)->Name();
    EXPECT_EQ(names, QStringList({"Assembler", "Character", "Comment", "DataType", "Float",
                                  "Hexadecimal", "Identifier", "Number", "Preprocessor",
                                  "ReservedWord", "Space", "String", "Symbol"}));
    EXPECT_EQ(h.fKeyAttri->Style(), hsBold);
    EXPECT_EQ(h.fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(h.fDirecAttri->Style(), hsItalic);
    EXPECT_EQ(h.fTypeAttri->FriendlyName(), QStringLiteral("Data Type"));
    EXPECT_EQ(h.fStringAttri->Foreground(), kHighlighterNoColor);
    EXPECT_EQ(h.GetDefaultAttribute(4), h.fSpaceAttri);
    EXPECT_EQ(h.GetDefaultAttribute(6), nullptr);
    EXPECT_EQ(h.GetLanguageName(), QStringLiteral("ObjectPascal"));
    EXPECT_EQ(h.DefaultFilter(),
              "Pascal Files (*.pas;*.pp;*.dpr;*.dpk;*.inc)|*.pas;*.pp;*.dpr;*.dpk;*.inc");
    EXPECT_TRUE(h.IsKeyword(u"Begin"));
    EXPECT_FALSE(h.IsKeyword(u"beginx"));
}
