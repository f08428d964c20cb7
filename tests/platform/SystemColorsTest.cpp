#include <gtest/gtest.h>

#include <QPalette>
#include <vector>

#include "platform/PaletteColors.h"
#include "platform/SystemColors.h"
#include "platform/VisualStyles.h"

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

// The exporter resolves colours through a table and the painter through the palette: both
// must show every value alike, on a light and on a dark style.
TEST(SystemColors, TheTableResolvesAsThePaletteDoes) {
    constexpr quint32 kFallback = 0x123456;
    std::vector<quint32> values = {0x000000,   0x0000FF,   0xFF8040,   0xFFFFFF,  kColorNone,
                                   0x01000000, 0xFE000005, 0xFF000105, 0xFFFFFFFF};
    for (quint32 number = 0; number <= 0xFF; ++number)
        values.push_back(0xFF000000u | number);
    for (const char* style : {"Sky", "Glossy"}) {
        const QPalette palette = VisualStyles::StylePalette(QString::fromLatin1(style));
        const TSystemColorTable table = SystemColorsOf(palette);
        for (const quint32 value : values) {
            const QColor painted = ColorToQColor(value, palette, QColor());
            const quint32 expected = painted.isValid() ? QColorToColor(painted) : kFallback;
            EXPECT_EQ(ResolveColor(value, table, kFallback), expected)
                << style << " 0x" << std::hex << value;
        }
    }
    EXPECT_NE(SystemColorsOf(VisualStyles::StylePalette(QStringLiteral("Sky")))[5],
              SystemColorsOf(VisualStyles::StylePalette(QStringLiteral("Glossy")))[5])
        << "the two styles differ where it counts";
}
