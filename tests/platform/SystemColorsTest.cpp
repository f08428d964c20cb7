#include <gtest/gtest.h>

#include <QPalette>

#include "platform/SystemColors.h"

TEST(SystemColors, ValuesBecomePaintableColours) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
    const QColor fallback(7, 8, 9);
    EXPECT_EQ(ColorToQColor(0x000080, palette, fallback), QColor(128, 0, 0)) << "red is low";
    EXPECT_EQ(ColorToQColor(0xFF8040, palette, fallback), QColor(0x40, 0x80, 0xFF));
    EXPECT_EQ(ColorToQColor(kColorNone, palette, fallback), fallback);
    EXPECT_EQ(ColorToQColor(0xFF00000D, palette, fallback), QColor(1, 2, 3)) << "highlight";
    EXPECT_EQ(ColorToQColor(0xFF000005, palette, fallback), QColor(4, 5, 6)) << "window";
    // Numbers without a system colour, and values that are neither, give the fallback.
    EXPECT_EQ(ColorToQColor(0xFF000019, palette, fallback), fallback);
    EXPECT_EQ(ColorToQColor(0xFF0000FF, palette, fallback), fallback);
    EXPECT_EQ(ColorToQColor(0x01000000, palette, fallback), fallback);
    EXPECT_EQ(QColorToColor(QColor(128, 0, 0)), 0x000080u);
}
