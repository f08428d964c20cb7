#include "tests/editor/CodeEditFixture.h"

TEST_F(CodeEditTest, TypingGroupsAndLineBreaksSeparate) {
    Type(QStringLiteral("abc"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QString()) << "three typed characters undo together";
    Type(QStringLiteral("ab"));
    Run(ecLineBreak);
    Type(QStringLiteral("c"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("ab\n"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("ab"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QString());
    EXPECT_FALSE(Edit.CanUndo());
    Repeat(ecRedo, 3);
    EXPECT_EQ(Text(), QStringLiteral("ab\nc"));
}

TEST_F(CodeEditTest, CaretMovesBreakGroupsOnlyWithGroupUndo) {
    Type(QStringLiteral("ab"));
    Run(ecLeft);
    Type(QStringLiteral("x"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("ab"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QString());

    SetOption(eoGroupUndo, false);
    Type(QStringLiteral("ab"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("a")) << "without grouping each character is a step";
}

TEST_F(CodeEditTest, ModifiedFollowsTheRememberedState) {
    SetText(QStringLiteral("base"));
    EXPECT_FALSE(Edit.Modified());
    Caret(5, 1);
    Type(QStringLiteral("12"));
    EXPECT_TRUE(Edit.Modified());
    Edit.SetModified(false);
    Type(QStringLiteral("34"));
    EXPECT_TRUE(Edit.Modified());
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("base12")) << "the group break of the reset separates";
    EXPECT_FALSE(Edit.Modified());
    Run(ecUndo);
    EXPECT_TRUE(Edit.Modified());
    Run(ecRedo);
    EXPECT_FALSE(Edit.Modified()) << "redo returns to the unmodified state";
    Edit.SetModified(true);
    EXPECT_TRUE(Edit.Modified());
}

TEST_F(CodeEditTest, TheUndoLimitDropsTheOldestChange) {
    SetOption(eoGroupUndo, false);
    Type(QString(1025, u'a'));
    EXPECT_EQ(Edit.UndoList().ItemCount(), 1024);
    UndoAll();
    EXPECT_EQ(Text(), QStringLiteral("a"));
    EXPECT_TRUE(Edit.Modified()) << "the empty state is out of reach";
    Edit.SetMaxUndo(-5);
    EXPECT_EQ(Edit.MaxUndo(), 1024);
    Edit.SetMaxUndo(3);
    EXPECT_EQ(Edit.RedoList().MaxUndoActions(), 3);
}

TEST_F(CodeEditTest, NewEditsClearRedoAndReadOnlyBlocksUndo) {
    Type(QStringLiteral("ab"));
    Run(ecUndo);
    EXPECT_TRUE(Edit.CanRedo());
    Type(QStringLiteral("c"));
    EXPECT_FALSE(Edit.CanRedo());
    Edit.SetReadOnly(true);
    EXPECT_FALSE(Edit.CanUndo());
    Edit.Undo();
    EXPECT_EQ(Text(), QStringLiteral("c"));
    Edit.SetReadOnly(false);
    EXPECT_TRUE(Edit.CanUndo());
}

TEST_F(CodeEditTest, PasteUndoesAsOneStepInEveryMode) {
    SetText(QStringLiteral("ab\ncd\nef"));
    const QByteArray modes[] = {QByteArray(1, '\0'), QByteArray(1, '\1'), QByteArray(1, '\2')};
    for (const QByteArray& mode : modes) {
        Caret(5, 2);
        PutOnClipboard(QStringLiteral("X\r\nYY\r\n"), &mode);
        Run(ecPaste);
        EXPECT_NE(Text(), QStringLiteral("ab\ncd\nef"));
        Run(ecUndo);
        EXPECT_EQ(Text(), QStringLiteral("ab\ncd\nef")) << int(mode[0]);
        Run(ecRedo);
        Run(ecUndo);
        EXPECT_EQ(Text(), QStringLiteral("ab\ncd\nef")) << int(mode[0]);
    }
}

TEST_F(CodeEditTest, SetTextAndClearEmptyTheUndoLists) {
    Type(QStringLiteral("abc"));
    Run(ecUndo);
    SetText(QStringLiteral("new"));
    EXPECT_FALSE(Edit.CanUndo());
    EXPECT_FALSE(Edit.CanRedo());
    EXPECT_EQ(CaretXY(), BC(1, 1));
    Type(QStringLiteral("x"));
    Edit.Clear();
    EXPECT_FALSE(Edit.CanUndo());
    EXPECT_FALSE(Edit.Modified());
}

// The limit counts steps, so the newest step stays undoable however many items it holds:
// a replace-all with 5,000 hits, then a caret move and typing, still undoes exactly.
TEST_F(CodeEditTest, AStepLargerThanTheLimitUndoesWhole) {
    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines << QStringLiteral("x%1 needle").arg(i);
    const QString text = lines.join(QStringLiteral("\r\n"));
    SetText(text);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("needle"), QStringLiteral("pin"),
                                 ssoReplaceAll | ssoEntireScope),
              5000);
    const QString replaced = Edit.Text();
    Run(ecDown);  // a caret move adds a group break
    ASSERT_TRUE(Edit.CanUndo());
    Run(ecUndo);
    EXPECT_EQ(Edit.Text(), text);
    Run(ecRedo);
    EXPECT_EQ(Edit.Text(), replaced);
    Run(ecLineEnd);
    Type(QStringLiteral("!"));
    Run(ecUndo);
    EXPECT_EQ(Edit.Text(), replaced);
    Run(ecUndo);
    EXPECT_EQ(Edit.Text(), text) << "an older step within the limit is still there";

    // Beyond the limit the oldest steps go, each as a whole.
    Edit.SetMaxUndo(2);
    Run(ecRedo);
    Type(QStringLiteral("a"));
    Run(ecLeft);
    Type(QStringLiteral("b"));
    EXPECT_EQ(Edit.UndoList().StepCount(), 2);
    UndoAll();
    EXPECT_EQ(Edit.Text(), replaced) << "the replace-all went as a whole, never in part";
}
