#include <gtest/gtest.h>

#include <QWidget>

#include "settings/ExIniFile.h"
#include "tests/settings/IniTestSupport.h"

TEST(IniForm, PlacementIsWrittenAsEdgesAndAppliedBack) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    QWidget form;
    form.setGeometry(50, 60, 300, 200);
    ini->WriteForm("Form", "Main", form);
    QStringList lines;
    ini->ReadSectionValues("Form", lines);
    EXPECT_EQ(lines, QStringList({"Main.Flags=0", "Main.Show=1", "Main.MaxX=-1", "Main.MaxY=-1",
                                  "Main.X=50", "Main.Y=60", "Main.XSize=350", "Main.YSize=260"}));

    QWidget other;
    other.setGeometry(1, 2, 30, 40);
    ini->ReadForm("Form", "Main", other);
    EXPECT_EQ(other.geometry(), QRect(50, 60, 300, 200));
    EXPECT_FALSE(other.isMaximized());
    ini->WriteInteger("Form", "Main.Show", 3);
    ini->ReadForm("Form", "Main", other);
    EXPECT_TRUE(other.windowState().testFlag(Qt::WindowMaximized));

    // nothing stored: the window keeps its bounds
    QWidget untouched;
    untouched.setGeometry(5, 6, 70, 80);
    ini->ReadForm("Form", "None", untouched);
    EXPECT_EQ(untouched.geometry(), QRect(5, 6, 70, 80));
}

TEST(IniForm, DamagedPlacementNeverOverflowsOrInvertsTheWindow) {
    TIniScratch scratch;
    scratch.Write(
        "[F]\r\nInv.X=2147483647\r\nInv.Y=0\r\nInv.XSize=-2147483648\r\nInv.YSize=10\r\n"
        "Huge.X=-2147483648\r\nHuge.Y=-2147483648\r\nHuge.XSize=2147483647\r\n"
        "Huge.YSize=2147483647\r\nP.X=2147483647\r\nP.Y=-2147483648\r\n"
        "P.XSize=-7\r\nP.YSize=2147483647\r\n");
    auto ini = scratch.Open();
    QWidget form;
    form.setGeometry(10, 20, 100, 50);
    ini->ReadForm("F", "Inv", form);
    EXPECT_EQ(form.geometry(), QRect(10, 20, 100, 50));
    ini->ReadForm("F", "Huge", form);
    EXPECT_EQ(form.x(), -QWIDGETSIZE_MAX);
    EXPECT_LE(form.width(), QWIDGETSIZE_MAX);
    ini->ReadFormPos("F", "P", form);
    EXPECT_EQ(form.pos(), QPoint(QWIDGETSIZE_MAX, -QWIDGETSIZE_MAX));
    form.resize(100, 50);
    ini->ReadFormSize("F", "P", form);
    EXPECT_EQ(form.width(), 100) << "a negative width is damage: the width stays";
    EXPECT_EQ(form.height(), QWIDGETSIZE_MAX) << "the huge height is taken, clamped";
}

TEST(IniForm, PositionAndSizeAreSeparateKeys) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    QWidget form;
    form.setGeometry(11, 12, 130, 140);
    ini->WriteFormPos("W", "Dlg", form);
    ini->WriteFormSize("W", "Dlg", form);
    EXPECT_EQ(scratch.Text(),
              "[W]\r\nDlg.X=11\r\nDlg.Y=12\r\nDlg.XSize=130\r\nDlg.YSize=140\r\n\r\n");
    QWidget other;
    other.setGeometry(0, 0, 10, 10);
    ini->ReadFormPos("W", "Dlg", other);
    EXPECT_EQ(other.geometry(), QRect(11, 12, 10, 10));
    ini->ReadFormSize("W", "Dlg", other);
    EXPECT_EQ(other.geometry(), QRect(11, 12, 130, 140));
    ini->ReadFormSize("W", "Missing", other);
    EXPECT_EQ(other.size(), QSize(130, 140));
}
