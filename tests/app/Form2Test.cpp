// The settings dialog, driven through its controls while the window's settings command shows
// it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QToolBar>

#include "editor/CodeEdit.h"
#include "platform/VisualStyles.h"
#include "settings/Form2.h"
#include "tests/app/Form1Fixture.h"
#include "widgets/ColorComboBox.h"

namespace {

// Types a box's text as a user would: the old text selected, the new one typed over it.
void TypeInto(QComboBox* box, const QString& text) {
    QLineEdit* edit = box->lineEdit();
    edit->selectAll();
    for (QChar c : text) {
        // QTest spells out ASCII keys only; other letters come as the text of a key press
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
    }
}

// Clicks near the left end: a check box takes clicks on its box and caption only, and a
// layout may make it wider than those.
void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

}  // namespace

class Form2Test : public Form1Test {
protected:
    // Opens the settings dialog from the toolbar button and runs `script` on it; the script
    // closes the dialog.
    void WithDialog(const std::function<void(TForm2&)>& script) {
        Dialogs->ModalScripts.push_back(
            [script](QDialog& dialog) { script(static_cast<TForm2&>(dialog)); });
        Click(Form->ToolBar1->findChild<QWidget*>(QStringLiteral("SetUpBtn")));
        EXPECT_TRUE(Dialogs->ModalScripts.empty()) << "the dialog was not shown";
    }
};

TEST_F(Form2Test, ShowingTheDialogLoadsEveryControl) {
    Start();
    TAppSettings& s = Form->Settings();
    s.MemoFont.Font.setPointSize(11);
    s.TabWidth = 4;
    s.isWordWrap = true;
    s.isGutter = false;
    s.isShowLineNumber = true;
    s.isIndent = false;
    s.isDark = true;
    s.BGColor = 0x800000;  // Navy
    s.FGColor = 0x00FFFF;  // Yellow
    s.isDragMode = true;
    s.ScaleValue = 168;
    s.SelectSynNumber = 0;
    WithDialog([](TForm2& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("設定"));
        EXPECT_EQ(f.FontSizeSpin->value(), 11);
        EXPECT_EQ(f.TabWidthSpin->value(), 4);
        EXPECT_TRUE(f.WordWrapChk->isChecked());
        EXPECT_FALSE(f.GutterChk->isChecked());
        EXPECT_TRUE(f.ShowLineNumberChk->isChecked());
        EXPECT_FALSE(f.IndentChk->isChecked());
        EXPECT_EQ(f.BGColorBox->currentText(), QStringLiteral("Navy"));
        EXPECT_EQ(f.FGColorBox->currentText(), QStringLiteral("Yellow"));
        EXPECT_TRUE(f.DragChk->isChecked());
        EXPECT_EQ(f.ScaleComboBox->currentText(), QStringLiteral("175%"));
        EXPECT_EQ(f.SelectSyn->currentText(), QStringLiteral("テキスト"));
        // dark, but with no highlighter there is nothing to colour
        EXPECT_TRUE(f.DarkCheck->isChecked());
        EXPECT_FALSE(f.DarkCheck->isEnabled());
        EXPECT_EQ(f.ComboBox1->currentText(), QStringLiteral("Sky"));
        f.close();
    });
    // A scale that is none of the items leaves the box as it was, and closing keeps it.
    s.ScaleValue = 110;
    s.SelectSynNumber = 1;
    WithDialog([](TForm2& f) {
        EXPECT_EQ(f.ScaleComboBox->currentText(), QStringLiteral("175%"));
        EXPECT_EQ(f.SelectSyn->currentText(), QStringLiteral("Pascal"));
        EXPECT_TRUE(f.DarkCheck->isEnabled());
        f.close();
    });
    EXPECT_EQ(s.ScaleValue, 110);
}

TEST_F(Form2Test, TheDarkCheckBoxFollowsTheHighlighterChoice) {
    Start();
    Form->Settings().SelectSynNumber = 5;
    WithDialog([this](TForm2& f) {
        EXPECT_TRUE(f.DarkCheck->isEnabled());
        TypeInto(f.SelectSyn, QStringLiteral("テキスト"));
        EXPECT_FALSE(f.DarkCheck->isEnabled());
        EXPECT_EQ(Form->Settings().SelectSynNumber, 0);
        TypeInto(f.SelectSyn, QStringLiteral("Java"));
        EXPECT_TRUE(f.DarkCheck->isEnabled());
        Click(f.DarkCheck);
        EXPECT_TRUE(Form->Settings().isDark);  // at once, not at close
        Click(f.ExitBtn);
    });
    EXPECT_EQ(Form->Settings().SelectSynNumber, 7);
    EXPECT_EQ(Form->Settings().KeyFont.Color, 0x45DAEAu);  // the dark preset applied
}

TEST_F(Form2Test, TheCloseButtonAndTheCloseBoxApplyTheSameValues) {
    const auto edit = [](TForm2& f) {
        Click(f.WordWrapChk);
        Click(f.ShowLineNumberChk);
        Click(f.IndentChk);
        Click(f.DragChk);
        f.TabWidthSpin->selectAll();
        QTest::keyClicks(f.TabWidthSpin, QStringLiteral("3"));
        f.FontSizeSpin->selectAll();
        QTest::keyClicks(f.FontSizeSpin, QStringLiteral("14"));
        f.BGColorBox->setCurrentIndex(9);  // Red
        TypeInto(f.ComboBox1, QStringLiteral("glow"));
    };
    TAppSettings byButton, byBox;
    Start();
    WithDialog([&](TForm2& f) {
        edit(f);
        Click(f.ExitBtn);
    });
    byButton = Form->Settings();
    const QString styleByButton = VisualStyles::ActiveStyleName();
    Form.reset();
    VisualStyles::SetActiveStyle(QStringLiteral("Sky"));
    Start();
    WithDialog([&](TForm2& f) {
        edit(f);
        f.close();  // the frame's close box
    });
    byBox = Form->Settings();
    EXPECT_EQ(VisualStyles::ActiveStyleName(), styleByButton);
    EXPECT_EQ(styleByButton, QStringLiteral("Glow"));
    for (const TAppSettings* s : {&byButton, &byBox}) {
        EXPECT_TRUE(s->isWordWrap);
        EXPECT_TRUE(s->isShowLineNumber);
        EXPECT_FALSE(s->isIndent);
        EXPECT_TRUE(s->isDragMode);
        EXPECT_EQ(s->TabWidth, 3);
        EXPECT_EQ(s->MemoFont.Font.pointSize(), 14);
        EXPECT_EQ(s->BGColor, 0x0000FFu);
    }
    TCodeEdit& e = Form->Editor();
    EXPECT_TRUE(e.WordWrap());
    EXPECT_TRUE(e.Gutter().ShowLineNumbers());
    EXPECT_FALSE(e.Options().testFlag(eoAutoIndent));
    EXPECT_EQ(e.TabWidth(), 3);
    EXPECT_EQ(e.font().pointSize(), 14);
    EXPECT_TRUE(Form->TreeView1->DragAllowed());
}

TEST_F(Form2Test, ChoosingAScaleScalesTheWindowAndIsShownAgain) {
    Start();
    const int treeBefore = Form->Splitter1->sizes().value(0);
    WithDialog([](TForm2& f) {
        TypeInto(f.ScaleComboBox, QStringLiteral("125%"));
        Click(f.ExitBtn);
    });
    EXPECT_EQ(Form->Settings().ScaleValue, 125);
    EXPECT_EQ(Form->Scale().Ppi(), 125);
    EXPECT_EQ(Form->Editor().font().pointSizeF(), 8.0 * 125 / 96);
    EXPECT_EQ(Form->Splitter1->sizes().value(0), TWindowScale(125).Px(treeBefore));
    WithDialog([](TForm2& f) {
        EXPECT_EQ(f.ScaleComboBox->currentText(), QStringLiteral("125%"));
        f.close();
    });
    // untouched, the box changes nothing at close
    EXPECT_EQ(Form->Scale().Ppi(), 125);
}

TEST_F(Form2Test, ATitleColourOutsideThePaletteSurvivesAClose) {
    Start();
    Form->Settings().BGColor = 0x123456;
    WithDialog([](TForm2& f) {
        EXPECT_EQ(f.BGColorBox->currentText(), QStringLiteral("Custom"));
        EXPECT_EQ(f.BGColorBox->SelectedColor(), 0x123456u);
        f.close();
    });
    EXPECT_EQ(Form->Settings().BGColor, 0x123456u);
    // a palette colour chosen later takes the custom entry away
    Form->Settings().BGColor = 0x008000;
    WithDialog([](TForm2& f) {
        EXPECT_EQ(f.BGColorBox->count(), TColorComboBox::kPaletteCount);
        EXPECT_EQ(f.BGColorBox->currentText(), QStringLiteral("Green"));
        f.close();
    });
}

TEST_F(Form2Test, TypedNamesThatMatchNothingKeepTheStyleAndTheHighlighter) {
    Start();
    Form->SetHighlighterChoice(1);
    Form->Settings().SelectSynNumber = 1;
    WithDialog([](TForm2& f) {
        TypeInto(f.ComboBox1, QStringLiteral("Nowhere"));
        TypeInto(f.SelectSyn, QStringLiteral("Cobol"));
        Click(f.ExitBtn);
    });
    EXPECT_EQ(Dialogs->Errors, QStringList{QStringLiteral("スタイル 'Nowhere' が見つかりません")});
    EXPECT_EQ(VisualStyles::ActiveStyleName(), QStringLiteral("Sky"));
    EXPECT_EQ(Form->Settings().SelectSynNumber, 1);
    EXPECT_EQ(Form->Editor().Highlighter(), Form->HighlighterOfChoice(1));
}

TEST_F(Form2Test, TabGoesThroughTheControlsInTheirOrder) {
    Start();
    WithDialog([](TForm2& f) {
        const QStringList expected{
            "ExitBtn",   "FGColorBox",    "BGColorBox",   "IndentChk",    "ShowLineNumberChk",
            "GutterChk", "WordWrapChk",   "TabWidthSpin", "FontSizeSpin", "SelectSyn",
            "ComboBox1", "ScaleComboBox", "DragChk",      "DarkCheck"};
        QStringList order;
        QWidget* w = f.ExitBtn;
        for (int step = 0; step < 200 && order.size() < expected.size(); ++step) {
            if (expected.contains(w->objectName()) && !order.contains(w->objectName()))
                order << w->objectName();
            w = w->nextInFocusChain();
        }
        EXPECT_EQ(order, expected);
        f.close();
    });
}
