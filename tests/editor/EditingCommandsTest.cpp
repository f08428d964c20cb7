#include "tests/editor/CodeEditFixture.h"

// ---------------------------------------------------------------- typing

TEST_F(CodeEditTest, TypingInVirtualSpacePadsAndUndoesAsOne) {
    Caret(10, 1);
    Type(QStringLiteral("x"));
    EXPECT_EQ(Text(), QString(9, u' ') + u'x');
    EXPECT_EQ(CaretXY(), BC(11, 1));
    Type(QStringLiteral("y"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QString()) << "typed characters and their padding undo together";
    EXPECT_FALSE(Edit.Modified());
    Run(ecRedo);
    EXPECT_EQ(Text(), QString(9, u' ') + QStringLiteral("xy"));
}

TEST_F(CodeEditTest, TypingIgnoresControlsAndOverwritesInOverwriteMode) {
    SetText(QStringLiteral("abcd"));
    Caret(2, 1);
    Run(ecChar, QChar(0x1B));
    Run(ecChar, QChar(0x7F));
    EXPECT_EQ(Text(), QStringLiteral("abcd"));
    Run(ecToggleMode);
    Type(QStringLiteral("XYZW"));
    EXPECT_EQ(Text(), QStringLiteral("aXYZW")) << "past the end overwriting appends";
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("abcd"));
    EXPECT_EQ(CaretXY(), BC(2, 1));
}

TEST_F(CodeEditTest, ImeTextArrivesAsOneInsertion) {
    SetText(QStringLiteral("ab"));
    Caret(2, 1);
    QString word = QStringLiteral("日本語");
    Edit.CommandProcessor(ecImeStr, QChar(), &word);
    EXPECT_EQ(Text(), QStringLiteral("a日本語b"));
    EXPECT_EQ(CaretXY(), BC(5, 1));
    EXPECT_EQ(Edit.UndoList().ItemCount(), 1);
    EXPECT_EQ(Edit.UndoList().PeekItem()->ChangeReason(), crInsert);
    Edit.SetInsertMode(false);
    Run(ecLineStart);  // a caret move: the next change is a step of its own
    QString two = QStringLiteral("漢字");
    Edit.CommandProcessor(ecImeStr, QChar(), &two);
    EXPECT_EQ(Text(), QStringLiteral("漢字本語b")) << "overwrite replaces as many characters";
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("a日本語b"));
}

// ---------------------------------------------------------------- Enter

TEST_F(CodeEditTest, EnterSplitsWithTheIndentOfTheHead) {
    SetText(QStringLiteral("    abc"));
    Caret(7, 1);
    Run(ecLineBreak);
    EXPECT_EQ(Text(), QStringLiteral("    ab\n    c"));
    EXPECT_EQ(CaretXY(), BC(5, 2));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("    abc"));

    SetOption(eoAutoIndent, false);
    Caret(7, 1);
    Run(ecLineBreak);
    EXPECT_EQ(Text(), QStringLiteral("    ab\nc"));
    EXPECT_EQ(CaretXY(), BC(1, 2));
}

TEST_F(CodeEditTest, EnterAtTheEndRetypesTheIndent) {
    SetText(QStringLiteral("    abc"));
    Caret(8, 1);
    Run(ecLineBreak);
    EXPECT_EQ(Text(), QStringLiteral("    abc\n    "));
    EXPECT_EQ(CaretXY(), BC(5, 2));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("    abc")) << "one undo for the break and the indent";

    SetText(QStringLiteral("  x\n"));
    Caret(1, 1);
    Run(ecLineBreak);
    EXPECT_EQ(Text(), QStringLiteral("\n  x")) << "at column 1 an empty line goes above";
    EXPECT_EQ(CaretXY(), BC(1, 2));
}

TEST_F(CodeEditTest, EnterOnAnEmptyLineTakesTheIndentFromAbove) {
    SetText(QStringLiteral("      deep\n\n"));
    Caret(1, 2);
    Run(ecLineBreak);
    EXPECT_EQ(Text(), QStringLiteral("      deep\n\n"));
    EXPECT_EQ(Edit.Lines().Count(), 3);
    EXPECT_EQ(CaretXY(), BC(7, 3)) << "past the end of the still empty new line";
    Type(QStringLiteral("x"));
    EXPECT_EQ(Text(), QStringLiteral("      deep\n\n      x"));
    Run(ecInsertLine);
    EXPECT_EQ(CaretXY(), BC(8, 3)) << "Ctrl+N leaves the caret";
    EXPECT_EQ(Edit.Lines().Count(), 4);
    Edit.Clear();
    Run(ecLineBreak);
    EXPECT_EQ(Edit.Lines().Count(), 2) << "an empty buffer first gets its line";
}

// ---------------------------------------------------------------- Backspace and Delete

TEST_F(CodeEditTest, BackspaceInVirtualSpaceOnlyMovesTheCaret) {
    SetText(QStringLiteral("  ab\n    cd\n\n"));
    Caret(9, 3);
    Run(ecDeleteLastChar);
    EXPECT_EQ(CaretXY(), BC(5, 3)) << "to the indent of a line above, smaller than the caret";
    Caret(9, 1);
    Run(ecDeleteLastChar);
    EXPECT_EQ(CaretXY(), BC(5, 1)) << "to the end of the line";
    EXPECT_FALSE(Edit.CanUndo());
    SetOption(eoSmartTabDelete, false);
    Caret(9, 1);
    Run(ecDeleteLastChar);
    EXPECT_EQ(CaretXY(), BC(8, 1));
}

TEST_F(CodeEditTest, BackspaceJoinsLinesAndShrinksIndents) {
    SetText(QStringLiteral("ab\ncd"));
    Caret(1, 2);
    Run(ecDeleteLastChar);
    EXPECT_EQ(Text(), QStringLiteral("abcd"));
    EXPECT_EQ(CaretXY(), BC(3, 1));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("ab\ncd"));
    EXPECT_EQ(CaretXY(), BC(1, 2));

    SetText(QStringLiteral("  a\n      b"));
    Caret(7, 2);
    Run(ecDeleteLastChar);
    EXPECT_EQ(Text(), QStringLiteral("  a\n  b")) << "back to the indent above";
    Run(ecDeleteLastChar);
    EXPECT_EQ(Text(), QStringLiteral("  a\nb")) << "no smaller indent above: all of it";

    SetOption(eoSmartTabDelete, false);
    Edit.SetTabWidth(4);
    SetText(QStringLiteral("      b"));
    Caret(7, 1);
    Run(ecDeleteLastChar);
    EXPECT_EQ(Text(), QStringLiteral("    b")) << "back to the previous tab stop";
    SetText(QStringLiteral("  \t  b"));
    Caret(6, 1);
    Run(ecDeleteLastChar);
    EXPECT_EQ(Text(), QStringLiteral("  \tb"));
    Run(ecDeleteLastChar);
    EXPECT_EQ(Text(), QStringLiteral("  b")) << "stops after the tab";
}

TEST_F(CodeEditTest, DeleteJoinsFromVirtualSpaceKeepingTheGap) {
    SetText(QStringLiteral("ab\ncd"));
    Caret(5, 1);
    Run(ecDeleteChar);
    EXPECT_EQ(Text(), QStringLiteral("ab  cd"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("ab\ncd"));
    Caret(9, 2);
    Run(ecDeleteChar);
    EXPECT_EQ(Text(), QStringLiteral("ab\ncd")) << "nothing past the end of the last line";
    Caret(1, 1);
    Run(ecDeleteChar);
    Run(ecDeleteChar);
    EXPECT_EQ(Text(), QStringLiteral("\ncd"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("ab\ncd")) << "consecutive deletes undo together";
}

// ---------------------------------------------------------------- Tab and Shift+Tab

TEST_F(CodeEditTest, TabGoesToTheNextWordStartAboveOrTheNextTabStop) {
    Edit.SetTabWidth(4);
    SetText(QStringLiteral("foo bar\n\n"));
    Caret(1, 2);
    Run(ecTab);
    EXPECT_EQ(Text(), QStringLiteral("foo bar\n    "));
    EXPECT_EQ(CaretXY(), BC(5, 2));
    Caret(2, 1);
    Run(ecTab);
    EXPECT_EQ(Text(), QStringLiteral("f   oo bar\n    ")) << "no line above: the next tab stop";

    SetOption(eoTabsToSpaces, false);
    SetOption(eoSmartTabs, false);
    SetText(QStringLiteral("ab"));
    Caret(2, 1);
    Run(ecTab);
    EXPECT_EQ(Text(), QStringLiteral("a\tb"));
}

TEST_F(CodeEditTest, ShiftTabRemovesBlanksBackToATabStop) {
    Edit.SetTabWidth(4);
    SetText(QString(8, u' ') + QStringLiteral("x"));
    Caret(9, 1);
    Run(ecShiftTab);
    EXPECT_EQ(Text(), QString(4, u' ') + QStringLiteral("x"));
    EXPECT_EQ(CaretXY(), BC(5, 1));
    SetText(QStringLiteral("ab\tx"));
    Caret(4, 1);
    Run(ecShiftTab);
    EXPECT_EQ(Text(), QStringLiteral("abx")) << "a tab before the caret goes alone";

    SetText(QStringLiteral("foo bar\n        x"));
    Caret(9, 2);
    Run(ecShiftTab);
    EXPECT_EQ(Text(), QStringLiteral("foo bar\n    x")) << "back to the word start above";
}

// ---------------------------------------------------------------- block indent

TEST_F(CodeEditTest, BlockIndentTakesTheLinesOfTheSelection) {
    Edit.SetTabWidth(4);
    SetText(QStringLiteral("a\nb\nc\nd"));
    Select(1, 2, 1, 4);
    Edit.ExecuteCommand(ecBlockIndent);
    EXPECT_EQ(Text(), QStringLiteral("a\n    b\n    c\nd")) << "not the line the selection ends at";
    EXPECT_EQ(Edit.BlockBegin(), BC(5, 2));
    EXPECT_EQ(Edit.BlockEnd(), BC(1, 4));
    EXPECT_EQ(CaretXY(), BC(1, 4));
    Edit.ExecuteCommand(ecBlockIndent);
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("a\n    b\n    c\nd")) << "each indent undoes alone";
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("a\nb\nc\nd"));
    Caret(1, 1);
    Edit.ExecuteCommand(ecBlockIndent);
    EXPECT_EQ(Text(), QStringLiteral("a\nb\nc\nd")) << "nothing without a selection";
}

TEST_F(CodeEditTest, BlockUnindentRemovesOneUnitPerLine) {
    Edit.SetTabWidth(4);
    SetText(QStringLiteral("  \tx\n      y\nz\n\t\tw"));
    Select(3, 1, 3, 4);
    Edit.ExecuteCommand(ecBlockUnindent);
    EXPECT_EQ(Text(), QStringLiteral("x\n  y\nz\n\tw"));
    EXPECT_EQ(Edit.BlockBegin(), BC(1, 1));
    EXPECT_EQ(Edit.BlockEnd(), BC(2, 4));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("  \tx\n      y\nz\n\t\tw"));

    Edit.SetSelectionMode(smColumn);
    SetText(QStringLiteral("ab    c\nab  d"));
    Select(3, 1, 4, 2);
    Edit.ExecuteCommand(ecBlockIndent);
    EXPECT_EQ(Text(), QStringLiteral("ab        c\nab      d"))
        << "column blocks indent at their column";
    EXPECT_EQ(Edit.BlockBegin(), BC(7, 1));
    Run(ecUndo);
    Select(3, 1, 4, 2);
    Edit.ExecuteCommand(ecBlockUnindent);
    EXPECT_EQ(Text(), QStringLiteral("abc\nabd"));
}

// ---------------------------------------------------------------- other deletions and lines

TEST_F(CodeEditTest, WordAndLineDeletions) {
    SetText(QStringLiteral("alpha beta gamma\nnext"));
    Caret(7, 1);
    Run(ecDeleteWord);
    EXPECT_EQ(Text(), QStringLiteral("alpha gamma\nnext"));
    Run(ecDeleteLastWord);
    EXPECT_EQ(Text(), QStringLiteral("gamma\nnext"));
    EXPECT_EQ(CaretXY(), BC(1, 1));
    Caret(3, 1);
    Run(ecDeleteEOL);
    EXPECT_EQ(Text(), QStringLiteral("ga\nnext"));
    Run(ecDeleteBOL);
    EXPECT_EQ(Text(), QStringLiteral("\nnext"));
    Caret(2, 2);
    Run(ecDeleteLine);
    EXPECT_EQ(Text(), QString());
    EXPECT_EQ(Edit.Lines().Count(), 1);
    UndoAll();
    EXPECT_EQ(Text(), QStringLiteral("alpha beta gamma\nnext"));
    Run(ecClearAll);
    EXPECT_EQ(Edit.Lines().Count(), 0);
    EXPECT_FALSE(Edit.CanUndo()) << "clear all cannot be undone";
}

TEST_F(CodeEditTest, CaseCommandsChangeTheSelectionOrTheWord) {
    SetText(QStringLiteral("hello World foo"));
    Caret(3, 1);
    Run(ecUpperCase);
    EXPECT_EQ(Text(), QStringLiteral("HELLO World foo"));
    EXPECT_FALSE(Edit.SelAvail());
    Select(7, 1, 16, 1);
    Run(ecToggleCase);
    EXPECT_EQ(Text(), QStringLiteral("HELLO wORLD FOO"));
    Run(ecTitleCase);
    EXPECT_EQ(Text(), QStringLiteral("HELLO World Foo"));
    EXPECT_EQ(Edit.SelText(), QStringLiteral("World Foo"));
    Run(ecRight);  // a caret move ends the group of case changes
    Select(1, 1, 6, 1);
    Run(ecLowerCase);
    EXPECT_EQ(Text(), QStringLiteral("hello World Foo"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("HELLO World Foo"));
}

TEST_F(CodeEditTest, CopyAndMoveLinesCarryTheCaret) {
    SetText(QStringLiteral("one\ntwo\nthree"));
    Caret(2, 2);
    Run(ecCopyLineDown);
    EXPECT_EQ(Text(), QStringLiteral("one\ntwo\ntwo\nthree"));
    EXPECT_EQ(CaretXY(), BC(2, 3));
    Run(ecMoveLineDown);
    EXPECT_EQ(Text(), QStringLiteral("one\ntwo\nthree\ntwo"));
    EXPECT_EQ(CaretXY(), BC(2, 4));
    Run(ecMoveLineDown);
    EXPECT_EQ(Text(), QStringLiteral("one\ntwo\nthree\ntwo")) << "the last line stays";
    Caret(1, 1);
    Run(ecMoveLineUp);
    EXPECT_EQ(Text(), QStringLiteral("one\ntwo\nthree\ntwo"));
    Select(1, 2, 2, 3);
    Run(ecMoveLineUp);
    EXPECT_EQ(Text(), QStringLiteral("two\nthree\none\ntwo"));
    EXPECT_EQ(Edit.SelText(), QStringLiteral("two\r\nt"));
    Run(ecCopyLineUp);
    EXPECT_EQ(Text(), QStringLiteral("two\nthree\ntwo\nthree\none\ntwo"));
    UndoAll();
    EXPECT_EQ(Text(), QStringLiteral("one\ntwo\nthree"));
}

TEST_F(CodeEditTest, ReadOnlyEditorChangesNothing) {
    SetText(QStringLiteral("  ab\ncd"));
    Edit.SetReadOnly(true);
    Select(1, 1, 2, 2);
    PutOnClipboard(QStringLiteral("pasted"), nullptr);
    for (TCodeEditorCommand c : {ecChar,       ecLineBreak,   ecInsertLine,     ecDeleteLastChar,
                                 ecDeleteChar, ecDeleteWord,  ecDeleteLastWord, ecDeleteBOL,
                                 ecDeleteEOL,  ecDeleteLine,  ecClearAll,       ecTab,
                                 ecShiftTab,   ecBlockIndent, ecBlockUnindent,  ecCut,
                                 ecPaste,      ecUpperCase,   ecCopyLineDown,   ecMoveLineUp,
                                 ecUndo}) {
        Edit.CommandProcessor(c, u'x');
        EXPECT_EQ(Text(), QStringLiteral("  ab\ncd")) << EditorCommandToIdent(c).toStdString();
    }
    QString ime = QStringLiteral("x");
    Edit.CommandProcessor(ecImeStr, QChar(), &ime);
    EXPECT_EQ(Text(), QStringLiteral("  ab\ncd"));
    Run(ecDown);
    EXPECT_EQ(CaretXY().Line, 2) << "moving still works";
}
