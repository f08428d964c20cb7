#include <gtest/gtest.h>

#include <QStringList>

#include "app/TextUtils.h"

TEST(TextUtils, TextLineSplitsAtCrLfLoneCrAndLoneLf) {
    const QString text = QStringLiteral("a\r\nb\rc\n\nd\r\n");
    QStringList lines;
    for (int i = 0; i < 7; ++i)
        lines << TextLine(text, i);
    EXPECT_EQ(lines, (QStringList{"a", "b", "c", "", "d", "", ""}));
    EXPECT_EQ(TextLine(QStringLiteral("x"), -1), QString());
}
