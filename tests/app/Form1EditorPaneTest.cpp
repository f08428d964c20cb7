#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/CodeEdit.h"
#include "platform/FindDialog.h"
#include "tests/app/Form1Fixture.h"

namespace {
const QString kNotFound = QStringLiteral("見つかりませんでした");
}

class Form1EditorPaneTest : public Form1Test {
protected:
    void StartWithText(const QString& text) {
        Start();
        Form->Memo().SetReadOnly(false);
        Form->Memo().SetText(text);
    }
    TCodeEdit& Edit() { return Form->Editor(); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QString Status() { return Form->PanelText(2); }
};

TEST_F(Form1EditorPaneTest, FindStartsWithTheWordAtTheCaret) {
    StartWithText(QStringLiteral("alpha beta gamma"));
    Edit().SetCaretXY({8, 1});
    Form->Action("SearchFindCmd")->trigger();
    EXPECT_TRUE(Form->FindDialog1->isVisible());
    EXPECT_EQ(Form->FindDialog1->FindText(), QStringLiteral("beta"));
    Edit().SetCaretXY({6, 1});  // on the space between two words
    Form->Action("SearchFindCmd")->trigger();
    EXPECT_EQ(Form->FindDialog1->FindText(), QString()) << "no word under the caret";
}

TEST_F(Form1EditorPaneTest, BackwardFindThenFindNextContinuesBackwards) {
    StartWithText(QStringLiteral("abc x abc y abc"));
    EXPECT_FALSE(Form->Action("SearchFindNextCmd")->isEnabled());
    Edit().SetCaretXY({16, 1});
    Form->Action("SearchFindCmd")->trigger();
    Form->FindDialog1->SetFindText(QStringLiteral("abc"));
    Form->FindDialog1->UpButton->setChecked(true);
    Click(Form->FindDialog1->FindNextButton);
    EXPECT_EQ(Edit().BlockBegin(), (TBufferCoord{13, 1}));
    EXPECT_EQ(Edit().CaretXY(), (TBufferCoord{13, 1}))
        << "searching backwards leaves the caret at the start";
    EXPECT_TRUE(Form->Action("SearchFindNextCmd")->isEnabled());

    QTest::keyClick(Form.get(), Qt::Key_F3);
    EXPECT_EQ(Edit().BlockBegin(), (TBufferCoord{7, 1}));
    Form->Action("SearchFindNextCmd")->trigger();
    EXPECT_EQ(Edit().BlockBegin(), (TBufferCoord{1, 1}));
    Form->Action("SearchFindNextCmd")->trigger();
    EXPECT_EQ(Status(), kNotFound);
    EXPECT_EQ(Edit().BlockBegin(), (TBufferCoord{1, 1})) << "a miss leaves the selection alone";
}

TEST_F(Form1EditorPaneTest, ReplaceAllThenFindNextOnlySearches) {
    StartWithText(QStringLiteral("one abc two ABC three abc"));
    Form->Action("SearchFindCmd")->trigger();
    Form->FindDialog1->SetFindText(QStringLiteral("two"));
    Click(Form->FindDialog1->FindNextButton);

    Form->Action("SearchReplaceCmd")->trigger();
    Form->ReplaceDialog1->SetFindText(QStringLiteral("abc"));
    Form->ReplaceDialog1->SetReplaceText(QStringLiteral("X"));
    Form->ReplaceDialog1->MatchCaseBox->setChecked(true);
    Click(Form->ReplaceDialog1->ReplaceAllButton);
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("one X two ABC three X"));
    EXPECT_TRUE(Dialogs->YesNoAsks.isEmpty()) << "replace-all asks nothing";

    Edit().SetCaretXY({1, 1});
    Form->Action("SearchFindNextCmd")->trigger();
    EXPECT_EQ(Edit().SelText(), QStringLiteral("two"))
        << "F3 looks for the last find text, replacing nothing";
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("one X two ABC three X"));
    Edit().Undo();
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("one abc two ABC three abc")) << "one undo step";
}

TEST_F(Form1EditorPaneTest, ReplaceAsksAndNoMovesOn) {
    StartWithText(QStringLiteral("abc abc\nabc"));
    Edit().SetCaretXY({2, 1});
    Form->Action("SearchReplaceCmd")->trigger();
    Form->ReplaceDialog1->SetFindText(QStringLiteral("abc"));
    Form->ReplaceDialog1->SetReplaceText(QStringLiteral("xyz"));
    Dialogs->ConfirmAnswers = {false, true};
    Form->SetPanelText(2, kNotFound);
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Dialogs->YesNoAsks.value(0), QStringLiteral("xyzに置換しますか？"));
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("abc abc\r\nabc")) << "No replaces nothing";
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(Edit().BlockBegin(), (TBufferCoord{5, 1})) << "the occurrence stays selected";

    // Yes replaces exactly the confirmed occurrence, not another one on the line.
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("abc abc\r\nxyz"));

    Edit().SetCaretXY({5, 1});
    Dialogs->ConfirmAnswers = {true};
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("abc xyz\r\nxyz"));
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Status(), kNotFound);
}

TEST_F(Form1EditorPaneTest, AnEmptyReplaceTextDeletesTheOccurrence) {
    StartWithText(QStringLiteral("keep cut keep"));
    Form->Action("SearchReplaceCmd")->trigger();
    Form->ReplaceDialog1->SetFindText(QStringLiteral("cut "));
    Form->ReplaceDialog1->SetReplaceText(QString());
    Dialogs->ConfirmAnswers = {true};
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Dialogs->YesNoAsks.value(0), QStringLiteral("に置換しますか？"));
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("keep keep"));
}

TEST_F(Form1EditorPaneTest, AMissAndAnEmptyFindTextReportNotFound) {
    StartWithText(QStringLiteral("text"));
    Form->Action("SearchFindCmd")->trigger();
    Form->FindDialog1->SetFindText(QStringLiteral("absent"));
    Click(Form->FindDialog1->FindNextButton);
    EXPECT_EQ(Status(), kNotFound);
    Form->FindDialog1->SetFindText(QString());
    Form->SetPanelText(2, QString());
    Click(Form->FindDialog1->FindNextButton);
    EXPECT_EQ(Status(), kNotFound);
}

TEST_F(Form1EditorPaneTest, SelectionModeActionsSetTheEditorModeOnly) {
    StartWithText(QStringLiteral("abc"));
    Form->Action("ColumnMode")->trigger();
    EXPECT_EQ(Edit().SelectionMode(), smColumn);
    EXPECT_TRUE(Form->Action("ColumnMode")->isChecked());
    EXPECT_FALSE(Form->Action("NormalMode")->isChecked());
    Form->Action("LineMode")->trigger();
    EXPECT_EQ(Edit().SelectionMode(), smLine);
    // The editor's own mode command does not move the check mark.
    Edit().CommandProcessor(ecNormalSelect);
    EXPECT_EQ(Edit().SelectionMode(), smNormal);
    EXPECT_TRUE(Form->Action("LineMode")->isChecked());
}

TEST_F(Form1EditorPaneTest, IndentNeedsASelection) {
    StartWithText(QStringLiteral("a\nb"));
    Form->Action("IndentCmd")->trigger();
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("a\r\nb"));
    Edit().SelectAll();
    Form->Action("IndentCmd")->trigger();
    EXPECT_NE(Form->Memo().Text(), QStringLiteral("a\r\nb"));
    Form->Action("UnIndentCmd")->trigger();
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("a\r\nb"));
}

TEST_F(Form1EditorPaneTest, InsertDateGoesAtTheCaretAndKeepsTheSelection) {
    StartWithText(QStringLiteral("ab"));
    Edit().SetCaretAndSelection({2, 1}, {1, 1}, {2, 1});
    Form->Action("InsertDate")->trigger();
    const QString first = Form->Memo().Text();
    ASSERT_GT(first.size(), 2);
    EXPECT_TRUE(first.startsWith(u'a')) << "the selected text is still there";
    EXPECT_TRUE(first.endsWith(u'b'));
    const int afterFirst = Edit().CaretX();
    Form->Action("InsertDate")->trigger();
    const QString second = Form->Memo().Text();
    const QString stamp = first.mid(1, first.size() - 2);
    EXPECT_TRUE(second.startsWith(u'a' + stamp)) << "the second date follows the first";
    EXPECT_GT(Edit().CaretX(), afterFirst);
}
