// The main window's editor pane on the code editor: what the window relies on.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "app/CodeEditMemo.h"
#include "editor/CodeEdit.h"
#include "tests/support/QtPrinters.h"

TEST(CodeEditMemo, ChangesAreReportedOncePerCall) {
    TCodeEditMemo memo;
    int changes = 0;
    memo.OnChange = [&] { ++changes; };
    memo.SetText(QStringLiteral("title\r\nbody\r\n"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(memo.Text(), QStringLiteral("title\r\nbody"));
    EXPECT_EQ(memo.LineCount(), 2);
    EXPECT_EQ(memo.Line(0), QStringLiteral("title"));
    EXPECT_EQ(memo.Line(5), QString());
    memo.Clear();
    EXPECT_EQ(changes, 2);
    memo.Clear();
    EXPECT_EQ(changes, 3) << "clearing an empty editor is still reported";
    EXPECT_EQ(memo.Widget()->objectName(), QStringLiteral("Memo"));
}

TEST(CodeEditMemo, EnabledStatesFollowTheEditor) {
    TCodeEditMemo memo;
    int statusChanges = 0;
    memo.OnStatusChange = [&] { ++statusChanges; };
    memo.SetText(QStringLiteral("abc"));
    EXPECT_FALSE(memo.SelAvail());
    EXPECT_FALSE(memo.CanUndo());
    memo.SelectAll();
    EXPECT_TRUE(memo.SelAvail());
    EXPECT_GT(statusChanges, 0);
    memo.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    EXPECT_TRUE(memo.CanPaste());
    memo.DeleteSelection();
    EXPECT_EQ(memo.Text(), QString());
    EXPECT_TRUE(memo.CanUndo());
    memo.SetReadOnly(true);
    EXPECT_FALSE(memo.CanUndo()) << "nothing can be undone in a read-only editor";
    EXPECT_FALSE(memo.CanPaste());
    memo.PasteFromClipboard();
    memo.Undo();
    EXPECT_EQ(memo.Text(), QString());
    memo.SetReadOnly(false);
    memo.Undo();
    EXPECT_EQ(memo.Text(), QStringLiteral("abc"));
    memo.Edit().SetCaretXY({1, 1});
    memo.DeleteSelection();
    EXPECT_EQ(memo.Text(), QStringLiteral("bc"))
        << "without a selection Delete takes one character";
}
