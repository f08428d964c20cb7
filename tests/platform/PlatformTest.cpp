#include <gtest/gtest.h>

#include "platform/AppPaths.h"
#include "platform/CodePage.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"

TEST(CodePage, DecodesWindows31J) {
    // hiragana a, the circled digit one (an NEC extension) and the yen-less backslash
    EXPECT_EQ(DecodeAnsi(QByteArray("\x82\xa0\x87\x40\x5c", 5)), QStringLiteral("あ①\\"));
    EXPECT_EQ(EncodeAnsi(u"あ①\\"), QByteArray("\x82\xa0\x87\x40\x5c", 5));
}

TEST(CodePage, ALeadByteCutOffAtTheEndIsNotDropped) {
    EXPECT_EQ(DecodeAnsi(QByteArray("abc\x82", 4)), QStringLiteral("abc\uFFFD"));
    EXPECT_EQ(DecodeAnsi(QByteArray("\x82\xa0\n", 3)), QStringLiteral("あ\n"));
}

TEST(CodePage, AsciiControlCodesPassThroughUnchanged) {
    QByteArray ascii;
    for (int b = 0; b < 0x80; ++b)
        ascii.append(static_cast<char>(b));
    const QString decoded = DecodeAnsi(ascii + "\x82\xa0" + ascii);
    ASSERT_EQ(decoded.size(), 0x80 * 2 + 1);
    for (int b = 0; b < 0x80; ++b) {
        EXPECT_EQ(decoded[b].unicode(), b);
        EXPECT_EQ(decoded[0x81 + b].unicode(), b);
    }
    EXPECT_EQ(EncodeAnsi(decoded), ascii + "\x82\xa0" + ascii);
    EXPECT_EQ(EncodeAnsi(u"a€b"), QByteArray("a?b"));
}

TEST(CodePage, StrictUtf8RejectsBrokenSequences) {
    QString out;
    EXPECT_TRUE(DecodeUtf8Strict("\xe6\x96\xb0", out));
    EXPECT_EQ(out, QStringLiteral("新"));
    EXPECT_FALSE(DecodeUtf8Strict("\xe6\x96", out));
    EXPECT_FALSE(DecodeUtf8Strict("\xc0\x80", out));
}

TEST(AppPaths, FileNamePartFollowsTheLastSeparator) {
    EXPECT_EQ(ExtractFileName(QStringLiteral("/home/u/ノート.mrp")), QStringLiteral("ノート.mrp"));
    EXPECT_EQ(ExtractFileName(QStringLiteral("C:\\dir\\a.mrp")), QStringLiteral("a.mrp"));
    EXPECT_EQ(ExtractFileName(QStringLiteral("c:a.mrp")), QStringLiteral("a.mrp"));
    EXPECT_EQ(ExtractFileName(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(ExtractFileName(QStringLiteral("dir/")), QString());
    try {
        ExtractFileName(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
        FAIL() << "no error for a NUL in a path";
    } catch (const EArgumentError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("パスに無効な文字が含まれています"));
    }
}

TEST(DialogService, FiltersBecomeQtFilters) {
    EXPECT_EQ(ToQtFileFilter(QStringLiteral("Marrowpad|*.mrp")),
              QStringLiteral("Marrowpad (*.mrp)"));
    EXPECT_EQ(ToQtFileFilter(QStringLiteral("Text files (*.txt)|*.TXT|All|*.a;*.b")),
              QStringLiteral("Text files (*.txt);;All (*.a *.b)"));
    // A description that names its patterns shows them once.
    EXPECT_EQ(ToQtFileFilter(QStringLiteral("Marrowpad(*.mrp)|*.mrp")),
              QStringLiteral("Marrowpad (*.mrp)"));
    EXPECT_EQ(ToQtFileFilter(QStringLiteral("Old (*.old)|*.mrp")), QStringLiteral("Old (*.mrp)"))
        << "the patterns that filter are the ones shown";
}
