// The window's preferences: the settings file it reads at start and writes at close.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "editor/CodeEdit.h"
#include "platform/PaletteColors.h"
#include "platform/SystemColors.h"
#include "platform/VisualStyles.h"
#include "settings/IniValues.h"
#include "tests/app/Form1Fixture.h"

namespace {

// A settings file as a user could write it by hand: one line per entry, CR LF added.
QByteArray IniText(std::initializer_list<const char*> lines) {
    QByteArray text;
    for (const char* line : lines)
        text += QByteArray(line) + "\r\n";
    return text;
}

// The text of a settings file with every font face masked, as the face is the platform's.
QString MaskedFaces(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    text.replace(QRegularExpression(QStringLiteral("\\.Name=[^\\r\\n]*")),
                 QStringLiteral(".Name=*"));
    return text;
}

quint32 StyleColor(const char* style, QPalette::ColorRole role) {
    return QColorToColor(VisualStyles::StylePalette(QString::fromLatin1(style)).color(role));
}

}  // namespace

class Form1SettingsTest : public Form1Test {
protected:
    void WriteSettings(const QByteArray& text) { WriteFileBytes(SettingsPath(), text); }
    QByteArray SavedSettings() const { return ReadFileBytes(SettingsPath()); }
    // Closes the window, which writes the settings file.
    void CloseForm() {
        Form->close();
        Form.reset();
    }
};

TEST_F(Form1SettingsTest, AFirstRunWritesEveryKeyWithItsDefault) {
    Start();
    CloseForm();
    const quint32 text = StyleColor("Sky", QPalette::Text);
    const QString golden = QStringLiteral(
                               "[Style]\r\nName=Sky\r\n\r\n"
                               "[Form]\r\nTop=100\r\nLeft=200\r\nWidth=600\r\nHeight=400\r\n"
                               "Scale=96\r\nSearchPanelHeight=200\r\n\r\n"
                               "[Memo]\r\nWordWrap=0\r\nGutter=1\r\nLineNumbers=0\r\nIndent=1\r\n"
                               "TabWidth=8\r\nHiliter=0\r\nTree=160\r\nFont.Name=*\r\n"
                               "Font.Size=8\r\nFont.Style=0\r\nFont.Color=%1\r\n"
                               "BG=0x00808000\r\nFG=0x00FFFFFF\r\nDark=0\r\n\r\n"
                               "[Syn]\r\n"
                               "Comment.Name=*\r\nComment.Size=8\r\nComment.Style=2\r\n"
                               "Comment.Color=0x00228B22\r\n"
                               "Ident.Name=*\r\nIdent.Size=8\r\nIdent.Style=0\r\n"
                               "Ident.Color=0x00000000\r\n"
                               "Float.Name=*\r\nFloat.Size=8\r\nFloat.Style=0\r\n"
                               "Float.Color=0x00CD0000\r\n"
                               "Key.Name=*\r\nKey.Size=8\r\nKey.Style=1\r\nKey.Color=0x009D0808\r\n"
                               "Number.Name=*\r\nNumber.Size=8\r\nNumber.Style=0\r\n"
                               "Number.Color=0x00CD0000\r\n"
                               "String.Name=*\r\nString.Size=8\r\nString.Style=0\r\n"
                               "String.Color=0x00000080\r\n"
                               "Symbol.Name=*\r\nSymbol.Size=8\r\nSymbol.Style=0\r\n"
                               "Symbol.Color=0x00000000\r\n\r\n"
                               "[Tree]\r\nDragMode=0\r\n\r\n")
                               .arg(IniHexText(text));
    EXPECT_EQ(MaskedFaces(SavedSettings()), golden);
}

TEST_F(Form1SettingsTest, EveryKeyOfAHandEditedFileIsApplied) {
    WriteSettings(IniText({"[Style]",       "Name=carbon",   "[Form]",
                           "Top=40",        "Left=30",       "Width=500",
                           "Height=350",    "Scale=96",      "SearchPanelHeight=150",
                           "[Memo]",        "WordWrap=1",    "Gutter=0",
                           "LineNumbers=1", "Indent=0",      "TabWidth=4",
                           "Hiliter=5",     "Tree=120",      "Font.Name=DejaVu Sans Mono",
                           "Font.Size=12",  "BG=0x000000FF", "FG=0x00FFFF00",
                           "Dark=1",        "[Tree]",        "DragMode=1"}));
    Start();
    EXPECT_TRUE(Dialogs->Errors.isEmpty()) << Dialogs->Errors.join(u'\n').toStdString();
    TCodeEdit& edit = Form->Editor();
    EXPECT_EQ(VisualStyles::ActiveStyleName(), QStringLiteral("Carbon"));
    EXPECT_EQ(edit.Color(), StyleColor("Carbon", QPalette::Base));
    EXPECT_EQ(edit.FontColor(), StyleColor("Carbon", QPalette::Text));
    EXPECT_EQ(edit.Gutter().Color(), StyleColor("Carbon", QPalette::Button));
    EXPECT_EQ(edit.Gutter().FontColor(), StyleColor("Carbon", QPalette::Text));
    EXPECT_EQ(Form->pos(), QPoint(30, 40));
    EXPECT_EQ(Form->size(), QSize(500, 350));
    EXPECT_TRUE(edit.WordWrap());
    EXPECT_FALSE(edit.Gutter().Visible());
    EXPECT_TRUE(edit.Gutter().ShowLineNumbers());
    EXPECT_FALSE(edit.Options().testFlag(eoAutoIndent));
    EXPECT_EQ(edit.TabWidth(), 4);
    EXPECT_EQ(edit.Highlighter(), Form->HighlighterOfChoice(5));
    EXPECT_NE(edit.Highlighter(), nullptr);
    EXPECT_EQ(Form->Splitter1->sizes().value(0), 120);
    EXPECT_EQ(Form->SearchPanelHeight(), 150);
    EXPECT_EQ(edit.font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(edit.font().pointSizeF(), 12.0);
    EXPECT_EQ(Form->TreeView1->font().pointSizeF(), 12.0);
    EXPECT_TRUE(Form->TreeView1->DragAllowed());
    const TAppSettings& s = Form->Settings();
    EXPECT_EQ(s.BGColor, 0x0000FFu);
    EXPECT_EQ(s.FGColor, 0xFFFF00u);
    EXPECT_TRUE(s.isDark);
    EXPECT_EQ(s.KeyFont.Color, 0x45DAEAu);  // the dark preset
    // and everything read is written back the same way
    CloseForm();
    const QString saved = QString::fromUtf8(SavedSettings());
    for (const char* line :
         {"Name=Carbon", "Top=40", "Left=30", "Width=500", "Height=350", "WordWrap=1", "Gutter=0",
          "LineNumbers=1", "Indent=0", "TabWidth=4", "Hiliter=5", "Tree=120",
          "SearchPanelHeight=150", "Font.Name=DejaVu Sans Mono", "Font.Size=12", "BG=0x000000FF",
          "FG=0x00FFFF00", "Dark=1", "DragMode=1"})
        EXPECT_TRUE(saved.contains(QString::fromLatin1(line) + QStringLiteral("\r\n"))) << line;
}

TEST_F(Form1SettingsTest, AHighlighterChoiceOutsideTheListGivesNone) {
    for (const char* value : {"Hiliter=8", "Hiliter=9", "Hiliter=13", "Hiliter=-3"}) {
        WriteSettings(IniText({"[Memo]", value}));
        Start();
        EXPECT_EQ(Form->Editor().Highlighter(), nullptr) << value;
        Form.reset();
    }
}

TEST_F(Form1SettingsTest, AnUnknownStyleIsReportedAndTheRestStillLoads) {
    VisualStyles::SetActiveStyle(QStringLiteral("Luna"));
    WriteSettings(IniText({"[Style]", "Name=Nowhere", "[Memo]", "TabWidth=3"}));
    Start();
    EXPECT_EQ(Dialogs->Errors, QStringList{QStringLiteral("スタイル 'Nowhere' が見つかりません")});
    EXPECT_EQ(VisualStyles::ActiveStyleName(), QStringLiteral("Luna"));
    EXPECT_EQ(Form->Editor().TabWidth(), 3);
}

TEST_F(Form1SettingsTest, ABadColourTakesItsDefaultAndTheStartUpGoesOn) {
    WriteSettings(
        IniText({"[Form]", "Top=60", "[Memo]", "Hiliter=1", "BG=0x00GG0000", "FG=0x000000FF",
                 "Font.Color=oops", "[Syn]", "Comment.Color=0xZZ", "[Tree]", "DragMode=1"}));
    Start();
    // one box for the whole file
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_TRUE(Dialogs->Errors[0].contains(QStringLiteral("'$00GG0000' は整数ではありません")));
    EXPECT_TRUE(Dialogs->Errors[0].contains(QStringLiteral("'$ps' は整数ではありません")));
    const TAppSettings& s = Form->Settings();
    EXPECT_EQ(s.BGColor, 0x808000u);
    EXPECT_EQ(s.FGColor, 0x0000FFu);
    EXPECT_EQ(Form->y(), 60);
    EXPECT_NE(Form->Editor().Highlighter(), nullptr);
    EXPECT_TRUE(s.isDragMode);
}

TEST_F(Form1SettingsTest, SizesStayTheSameOverManyScaledRuns) {
    WriteSettings(IniText({"[Form]", "Top=10", "Left=10", "Width=610", "Height=401", "Scale=144",
                           "[Memo]", "Tree=161", "Font.Size=9"}));
    for (int run = 0; run < 10; ++run) {
        Start();
        EXPECT_EQ(Form->Scale().Ppi(), 144);
        EXPECT_EQ(Form->Editor().font().pointSizeF(), 13.5);
        EXPECT_EQ(Form->size(), QSize(915, 602));
        CloseForm();
    }
    const QString saved = QString::fromUtf8(SavedSettings());
    for (const char* line : {"Width=610", "Height=401", "Scale=144", "Tree=161", "Font.Size=9"})
        EXPECT_TRUE(saved.contains(QString::fromLatin1(line) + QStringLiteral("\r\n"))) << line;
}

TEST_F(Form1SettingsTest, BadNumbersAreKeptWithinWhatWorks) {
    WriteSettings(IniText({"[Form]", "Scale=110", "[Memo]", "TabWidth=0", "Font.Size=0"}));
    Start();
    EXPECT_EQ(Form->Scale().Ppi(), 110);  // not an item of the dialog, still a scale
    EXPECT_EQ(Form->Editor().TabWidth(), 1);
    EXPECT_EQ(Form->Settings().MemoFont.Font.pointSize(), 8);
    Form.reset();

    WriteSettings(IniText({"[Form]", "Scale=5000", "Top=-9000", "Left=-9000", "[Memo]",
                           "TabWidth=1000", "Font.Size=201"}));
    Start();
    EXPECT_EQ(Form->Scale().Ppi(), 96);
    EXPECT_EQ(Form->Editor().TabWidth(), 256);
    EXPECT_EQ(Form->Settings().MemoFont.Font.pointSize(), 8);
    // a window no screen shows comes back onto the primary screen
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().intersects(
        QRect(Form->pos(), Form->size())));
}

TEST_F(Form1SettingsTest, AScaleResizesEverythingTheWindowLaysOutInPixels) {
    WriteSettings(IniText(
        {"[Form]", "Scale=192", "Width=500", "Height=300", "[Memo]", "Font.Size=9", "Tree=100"}));
    const qreal windowPoints = QApplication::font().pointSizeF();
    Start();
    EXPECT_EQ(Form->size(), QSize(1000, 600));
    // the bar takes the height its icons need, up to its own
    EXPECT_EQ(Form->ToolBar1->maximumHeight(), 76);
    EXPECT_GT(Form->ToolBar1->height(), 42);
    EXPECT_EQ(Form->ToolBar1->iconSize(), QSize(42, 42));
    EXPECT_EQ(Form->ComboBoxEx1->width(), 146);
    EXPECT_EQ(Form->TreeView1->iconSize(), QSize(32, 32));
    EXPECT_EQ(Form->TreeView1->indentation(), 38);
    EXPECT_EQ(Form->Splitter1->sizes().value(0), 200);
    EXPECT_EQ(Form->font().pointSizeF(), windowPoints * 2);
    EXPECT_EQ(Form->TreeView1->font().pointSizeF(), 18.0);
    EXPECT_EQ(Form->Editor().font().pointSizeF(), 18.0);
    EXPECT_EQ(Form->Editor().Gutter().Width(), 60);
    int panels = 0;
    for (QLabel* panel : Form->StatusBar1->findChildren<QLabel*>()) {
        if (panel->maximumWidth() == QWIDGETSIZE_MAX) continue;  // not a panel
        EXPECT_EQ(panel->maximumWidth(), 400);
        ++panels;
    }
    EXPECT_EQ(panels, 3);
}
