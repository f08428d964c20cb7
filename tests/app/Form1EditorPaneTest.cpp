#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "editor/CodeEdit.h"
#include "platform/Errors.h"
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

// Window shortcuts reach their actions while the editor has the focus, also after typing
// (a typed letter is remembered as the possible first key of a two-key binding).
TEST_F(Form1EditorPaneTest, CtrlFInTheEditorOpensTheFindDialog) {
    StartWithText(QStringLiteral("alpha beta"));
    QWidget* memo = Form->Memo().Widget();
    Form->activateWindow();
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End);
    QTest::keyClicks(memo, QStringLiteral(" gamma"));
    QTest::keyClick(memo, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(Form->FindDialog1->isVisible());
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("alpha beta gamma")) << "no f was typed";
    EXPECT_EQ(Form->FindDialog1->FindText(), QString()) << "the caret is past the last word";
}

TEST_F(Form1EditorPaneTest, RedoFollowsUndoInTheMenuAndTheContextMenu) {
    StartWithText(QStringLiteral("abc"));
    QAction* redo = Form->Action("EditRedo1");
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QMenu* editMenu = Form->menuBar()->actions().value(1)->menu();
    ASSERT_NE(editMenu, nullptr);
    for (QMenu* menu : {editMenu, Form->EditorPopupMenu}) {
        const QList<QAction*> items = menu->actions();
        const qsizetype undo = items.indexOf(Form->Action("EditUndo1"));
        ASSERT_GE(undo, 0);
        EXPECT_EQ(items.value(undo + 1), redo);
    }
    EXPECT_FALSE(redo->isEnabled());
    QWidget* memo = Form->Memo().Widget();
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End);
    QTest::keyClicks(memo, QStringLiteral("d"));
    Form->Action("EditUndo1")->trigger();
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("abc"));
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("abcd"));
    EXPECT_FALSE(redo->isEnabled());
}

// Delete is there whenever the text can change: without a selection it removes the
// character at the caret.
TEST_F(Form1EditorPaneTest, DeleteWithoutASelectionRemovesTheCharacterAtTheCaret) {
    StartWithText(QStringLiteral("abc"));
    Edit().SetCaretXY({2, 1});
    QAction* del = Form->Action("EditDelete1");
    EXPECT_TRUE(del->isEnabled());
    del->trigger();
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("ac"));
    Form->Memo().SetReadOnly(true);
    EXPECT_FALSE(del->isEnabled());
}

// A found hit is never left under the modeless dialog, nor under the replace question.
TEST_F(Form1EditorPaneTest, DialogsMoveOffTheHitTheyFound) {
    QStringList lines;
    for (int i = 0; i < 8; ++i)
        lines << QStringLiteral("line %1").arg(i);
    lines << QStringLiteral("the needle here");
    StartWithText(lines.join(QStringLiteral("\r\n")));
    Form->Action("SearchFindCmd")->trigger();
    TFindDialog* dialog = Form->FindDialog1;
    const QRect row = Edit().RowRect(9);
    const QPoint rowOnScreen = Edit().viewport()->mapToGlobal(row.topLeft());
    dialog->move(rowOnScreen - QPoint(0, 10));
    ASSERT_TRUE(dialog->frameGeometry().intersects(QRect(rowOnScreen, row.size())));
    dialog->SetFindText(QStringLiteral("needle"));
    Click(dialog->FindNextButton);
    ASSERT_EQ(Edit().SelText(), QStringLiteral("needle"));
    EXPECT_FALSE(dialog->frameGeometry().intersects(QRect(rowOnScreen, row.size())));

    Form->Action("SearchReplaceCmd")->trigger();
    Form->ReplaceDialog1->SetFindText(QStringLiteral("needle"));
    Form->ReplaceDialog1->SetReplaceText(QStringLiteral("pin"));
    Edit().SetCaretXY({1, 1});
    Dialogs->ConfirmAnswers = {false};
    Click(Form->ReplaceDialog1->ReplaceButton);
    ASSERT_EQ(Dialogs->YesNoAvoid.size(), 1);
    EXPECT_TRUE(Dialogs->YesNoAvoid[0].contains(rowOnScreen + QPoint(5, 2)))
        << "the question keeps clear of the hit's row";
    EXPECT_FALSE(Form->ReplaceDialog1->frameGeometry().intersects(Dialogs->YesNoAvoid[0]));
}

// A replacement that breaks the line moves the rest of it, and a hit in it, down a line:
// the next prompted replace finds that hit, and never one inside the replacement itself.
TEST_F(Form1EditorPaneTest, PromptedReplaceAfterALineBreakingReplacement) {
    StartWithText(QStringLiteral("ab cd ab"));
    Form->Action("SearchReplaceCmd")->trigger();
    Form->ReplaceDialog1->SetFindText(QStringLiteral("ab"));
    Form->ReplaceDialog1->SetReplaceText(QStringLiteral("ab\r\n"));
    Edit().SetCaretXY({1, 1});
    Dialogs->ConfirmAnswers = {true, true};
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("ab\r\n cd ab"));
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("ab\r\n cd ab\r\n"));
    Click(Form->ReplaceDialog1->ReplaceButton);
    EXPECT_EQ(Status(), kNotFound);
    EXPECT_EQ(Dialogs->YesNoAsks.size(), 2);
}

// An editor command that fails while the user types reaches the error box, as a failed
// window command does; the editor stays writable and takes the next key.
TEST_F(Form1EditorPaneTest, AFailedEditorCommandShowsTheErrorBox) {
    StartWithText(QStringLiteral("abc"));
    Edit().SetCaretXY({4, 1});
    const int id =
        Edit().RegisterCommandHandler([](TCustomCodeEdit*, bool after, bool&,
                                         TCodeEditorCommand& command, QChar& c, void*, void*) {
            if (!after && command == ecChar && c == u'!')
                throw EMarrowpadError(QStringLiteral("失敗しました"));
        });
    QTest::keyClicks(&Edit(), QStringLiteral("!"));
    ASSERT_EQ(Dialogs->Errors, QStringList{QStringLiteral("失敗しました")});
    Edit().UnregisterCommandHandler(id);
    QTest::keyClicks(&Edit(), QStringLiteral("d"));
    EXPECT_EQ(Edit().Text(), QStringLiteral("abcd"));
}
