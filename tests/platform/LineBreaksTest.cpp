#include <gtest/gtest.h>

#include <QStringList>

#include "platform/LineBreaks.h"

// Each break style ends one line; a CR before CR LF is a break of its own.
TEST(LineBreaksTest, EveryBreakStyleEndsOneLine) {
    const QString text = QStringLiteral("a\r\nb\rc\nd\r\r\ne");
    const QStringList expected{"a", "b", "c", "d", "", "e"};
    EXPECT_EQ(SplitLines(text, TFinalBreak::EndsText), expected);
    EXPECT_EQ(SplitLines(text, TFinalBreak::StartsEmptyLine), expected);
}

TEST(LineBreaksTest, FinalBreakRule) {
    EXPECT_EQ(SplitLines(u"a\r\n", TFinalBreak::EndsText), QStringList{"a"});
    EXPECT_EQ(SplitLines(u"a\r\n", TFinalBreak::StartsEmptyLine), (QStringList{"a", ""}));
    EXPECT_EQ(SplitLines(u"", TFinalBreak::EndsText), QStringList());
    EXPECT_EQ(SplitLines(u"", TFinalBreak::StartsEmptyLine), QStringList{""});
    EXPECT_EQ(SplitLines(u"\n\n", TFinalBreak::EndsText), (QStringList{"", ""}));
    // Characters just above and below CR are text, not breaks.
    const QString nearBreaks = QString(QChar(0x0B)) + QChar(0x0C) + QChar(0x0E) + QChar(0x2028);
    EXPECT_EQ(SplitLines(nearBreaks, TFinalBreak::EndsText), QStringList{nearBreaks});
}

TEST(LineBreaksTest, HasLineBreak) {
    EXPECT_FALSE(HasLineBreak(u"abc"));
    EXPECT_TRUE(HasLineBreak(u"a\rb"));
    EXPECT_TRUE(HasLineBreak(u"a\n"));
}
