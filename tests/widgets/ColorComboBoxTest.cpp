#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "widgets/ColorComboBox.h"

TEST(ColorComboBoxTest, ColoursSelectTheirItemsAndOthersChangeNothing) {
    TColorComboBox box;
    EXPECT_EQ(box.count(), 16);
    EXPECT_EQ(box.SelectedColor(), 0u);  // a fresh control shows black
    EXPECT_EQ(box.currentText(), QStringLiteral("Black"));
    box.SetSelectedColor(0x808000);
    EXPECT_EQ(box.currentText(), QStringLiteral("Teal"));
    box.SetSelectedColor(0x123456);  // not in the palette
    EXPECT_EQ(box.currentText(), QStringLiteral("Teal"));
    EXPECT_EQ(box.SelectedColor(), 0x808000u);
    box.setCurrentIndex(-1);
    EXPECT_EQ(box.SelectedColor(), 0u);
    const char* names[] = {"Black", "Maroon",  "Green",  "Olive", "Navy", "Purple",
                           "Teal",  "Gray",    "Silver", "Red",   "Lime", "Yellow",
                           "Blue",  "Fuchsia", "Aqua",   "White"};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(box.itemText(i), QString::fromLatin1(names[i]));
    EXPECT_EQ(TColorComboBox::PaletteColor(12), 0xFF0000u);  // blue, as 0x00BBGGRR
}

TEST(ColorComboBoxTest, ANarrowControlStillDrawsAWideSwatch) {
    TColorComboBox box;
    box.resize(60, 24);
    EXPECT_GE(box.BoxWidth(), TColorComboBox::kMinBoxWidth);
    QImage image(60, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        box.DrawItem(painter, image.rect(), 6, false);  // Teal
    }
    int teal = 0;
    for (int x = 0; x < image.width(); ++x)
        teal += image.pixelColor(x, 10) == QColor(0, 128, 128) ? 1 : 0;
    // the fill inside the outline
    EXPECT_GE(teal, TColorComboBox::kMinBoxWidth - 2);

    // with the names hidden, the swatch takes the whole width
    box.SetShowColorNames(false);
    EXPECT_EQ(box.BoxWidth(), 59);
}
