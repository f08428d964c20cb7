#include <gtest/gtest.h>

#include <QApplication>
#include <QSet>
#include <QStyle>
#include <cmath>

#include "platform/VisualStyles.h"

namespace {

// Relative luminance of an sRGB colour, as contrast ratios for text are measured.
double Luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

}  // namespace

TEST(VisualStylesTest, StylesAreChosenByNameIgnoringCase) {
    const QStringList names = VisualStyles::Names();
    ASSERT_EQ(names.size(), 11);
    EXPECT_EQ(names.front(), QStringLiteral("Windows"));
    EXPECT_TRUE(names.contains(QStringLiteral("Iceberg Classico")));
    EXPECT_EQ(VisualStyles::CanonicalName(QStringLiteral("aqua light SLATE")),
              QStringLiteral("Aqua Light Slate"));
    EXPECT_TRUE(VisualStyles::CanonicalName(QStringLiteral("Aqua")).isEmpty());

    ASSERT_TRUE(VisualStyles::SetActiveStyle(QStringLiteral("carbon")));
    EXPECT_EQ(VisualStyles::ActiveStyleName(), QStringLiteral("Carbon"));
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
    EXPECT_EQ(QApplication::palette().color(QPalette::Base),
              VisualStyles::StylePalette(QStringLiteral("Carbon")).color(QPalette::Base));
    // an unknown name changes nothing
    EXPECT_FALSE(VisualStyles::SetActiveStyle(QStringLiteral("Nowhere")));
    EXPECT_EQ(VisualStyles::ActiveStyleName(), QStringLiteral("Carbon"));
    ASSERT_TRUE(VisualStyles::SetActiveStyle(QStringLiteral("Sky")));
}

TEST(VisualStylesTest, EveryBuiltInStyleIsDistinctAndReadable) {
    QSet<QRgb> windows;
    int dark = 0;
    for (const QString& name : VisualStyles::Names().mid(1)) {
        const QPalette p = VisualStyles::StylePalette(name);
        windows.insert(p.color(QPalette::Window).rgb());
        // text stands out from what it is written on
        for (auto [text, back] : {std::pair{QPalette::Text, QPalette::Base},
                                  std::pair{QPalette::WindowText, QPalette::Window},
                                  std::pair{QPalette::ButtonText, QPalette::Button},
                                  std::pair{QPalette::HighlightedText, QPalette::Highlight}}) {
            const double a = Luminance(p.color(text)), b = Luminance(p.color(back));
            const double contrast = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
            EXPECT_GE(contrast, 3.0) << name.toStdString() << " role " << text;
        }
        dark += Luminance(p.color(QPalette::Base)) < 0.2 ? 1 : 0;
    }
    EXPECT_EQ(windows.size(), 10);
    EXPECT_EQ(dark, 4);
}
