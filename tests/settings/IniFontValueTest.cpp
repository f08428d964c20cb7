#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "settings/ExIniFile.h"
#include "settings/IniFont.h"
#include "tests/settings/IniTestSupport.h"

// The store keeps fonts as plain values; the QFont side only converts.

TEST(IniFontValue, WrittenAndReadWithoutAFontObject) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    ini->WriteFont("Syn", "Key", TIniFontValue{"Mono Face", 11, fsBold | fsItalic, 0x00123456});
    EXPECT_EQ(scratch.Text(),
              "[Syn]\r\nKey.Name=Mono Face\r\nKey.Size=11\r\nKey.Style=3\r\n"
              "Key.Color=0x00123456\r\n\r\n");

    TIniFontValue font;
    ini->ReadFont("Syn", "Key", font);
    EXPECT_EQ(font.Name, "Mono Face");
    EXPECT_EQ(font.Size, 11);
    EXPECT_EQ(font.Style, fsBold | fsItalic);
    EXPECT_EQ(font.Color, 0x00123456u);

    // what the file does not hold keeps the value's own; a size below 1 means "no size"
    ini->WriteInteger("Syn", "Key.Size", -4);
    ini->WriteInteger("Syn", "Key.Style", 0x1F8);
    ini->DeleteKey("Syn", "Key.Name");
    ini->ReadFont("Syn", "Key", font);
    EXPECT_EQ(font.Name, "Mono Face");
    EXPECT_EQ(font.Size, 0);
    EXPECT_EQ(font.Style, fsStrikeOut);
}

TEST(IniFontValue, ABadColourRaisesBeforeTheFontChangesOrBecomesAMessage) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    ini->WriteString("Syn", "Key.Name", "Other");
    ini->WriteString("Syn", "Key.Color", "0xZZ");
    TIniFontValue font{"Mono", 9, 0, 0x0000FF};
    EXPECT_THROW(ini->ReadFont("Syn", "Key", font), EConvertError);
    EXPECT_EQ(font.Name, "Mono");

    QString error;
    ini->ReadFont("Syn", "Key", font, &error);
    EXPECT_EQ(error, "'$ZZ' は整数ではありません");
    EXPECT_EQ(font.Name, "Other");
    EXPECT_EQ(font.Color, 0x0000FFu);
}

TEST(IniFontValue, QFontConversionKeepsFaceSizeStyleAndColour) {
    TIniFont font;
    font.Font.setFamily("Mono Face");
    font.Font.setPixelSize(16);  // 12 points at 96 pixels per inch
    font.Font.setUnderline(true);
    font.Color = 0x00ABCDEF;
    const TIniFontValue value = ToFontValue(font);
    EXPECT_EQ(value.Name, "Mono Face");
    EXPECT_EQ(value.Size, 12);
    EXPECT_EQ(value.Style, fsUnderline);
    EXPECT_EQ(value.Color, 0x00ABCDEFu);

    const TIniFont back = ToIniFont(value);
    EXPECT_EQ(back.Font.family(), "Mono Face");
    EXPECT_EQ(back.Font.pointSize(), 12);
    EXPECT_EQ(FontStyleBits(back.Font), fsUnderline);
    EXPECT_EQ(back.Color, 0x00ABCDEFu);
    // no size: the face's default size
    EXPECT_EQ(ToIniFont(TIniFontValue{"Mono Face", 0, 0, 0}).Font.pointSize(), QFont().pointSize());
}
