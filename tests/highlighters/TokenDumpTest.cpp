#include <gtest/gtest.h>

#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"
#include "highlighters/HighlighterTokenDump.h"
#include "tests/support/TestFiles.h"

TEST(TokenDump, OneJsonObjectPerLineWithTheRangeCarried) {
    TCppHighlighter h;
    const QByteArray dump = DumpTokens(h, {"int a; /* x", "", "y */ \"s\""});
    EXPECT_EQ(dump,
              "{\"line\":1,\"range\":1,\"tokens\":[[0,3,\"tkKey\",\"ReservedWord\"],"
              "[3,1,\"tkSpace\",\"Space\"],[4,1,\"tkIdentifier\",\"Identifier\"],"
              "[5,1,\"tkSymbol\",\"Symbol\"],[6,1,\"tkSpace\",\"Space\"],"
              "[7,4,\"tkComment\",\"Comment\"]]}\n"
              "{\"line\":2,\"range\":1,\"tokens\":[]}\n"
              "{\"line\":3,\"range\":0,\"tokens\":[[0,4,\"tkComment\",\"Comment\"],"
              "[4,1,\"tkSpace\",\"Space\"],[5,3,\"tkString\",\"String\"]]}\n");
    // A NUL inside a line is a token without an attribute.
    EXPECT_EQ(DumpTokens(h, {QString::fromUtf16(u"\0", 1)}),
              "{\"line\":1,\"range\":0,\"tokens\":[[0,1,\"tkNull\",null]]}\n");
}

TEST(TokenDump, LinesAreCutAsTheEditorCutsThem) {
    EXPECT_EQ(SplitIntoLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitIntoLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(SplitIntoLines("\n\r"), QStringList({"", ""}));
    EXPECT_EQ(SplitIntoLines(""), QStringList());
}

TEST(TokenDump, ReadsUtf8FilesAndRefusesOthers) {
    TTestDir dir;
    WriteFileBytes(dir.Path("a.pas"), Hex("EF BB BF 62 65 67 69 6E 0D 0A 27 E3 81 82 27"));
    TPasHighlighter h;
    EXPECT_EQ(DumpFileTokens(h, dir.Path("a.pas")),
              "{\"line\":1,\"range\":10,\"tokens\":[[0,5,\"tkKey\",\"ReservedWord\"]]}\n"
              "{\"line\":2,\"range\":10,\"tokens\":[[0,3,\"tkString\",\"String\"]]}\n");

    WriteFileBytes(dir.Path("b.pas"), Hex("62 82 A0"));
    try {
        DumpFileTokens(h, dir.Path("b.pas"));
        FAIL() << "a file that is not UTF-8 was read";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("UTF-8"))) << e.what();
    }
    EXPECT_THROW(DumpFileTokens(h, dir.Path("missing.pas")), EFOpenError);
}
