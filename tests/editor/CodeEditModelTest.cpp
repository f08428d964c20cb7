// The editor model on its own: no widget, the headless view and a fixed grid.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>
#include <memory>

#include "editor/CodeEdit.h"
#include "editor/CodeEditModel.h"
#include "platform/KeyCodes.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDialogService.h"

namespace {

class CodeEditModelTest : public ::testing::Test {
protected:
    CodeEditModelTest() {
        Model.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 40));
        Model.SetSearchEngine(&Engine);
        Model.OnChange = [this](TCustomCodeEdit* Sender) {
            EXPECT_EQ(Sender, nullptr) << "a model without a widget has no sender";
            ++Changes;
        };
        Model.OnStatusChange = [this](TCustomCodeEdit*, TStatusChanges Changes) {
            Status |= Changes;
        };
    }

    QString Text() const {
        return Model.Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    void Type(const QString& Text) {
        for (QChar c : Text)
            Model.CommandProcessor(ecChar, c);
    }

    TCodeEditModel Model;
    TCodeEditSearch Engine;
    int Changes = 0;
    TStatusChanges Status;
};

TEST_F(CodeEditModelTest, TypingAndKeysEditTheTextAndReportOncePerCommand) {
    Model.SetText(QStringLiteral("  if (x)"));
    Model.CommandProcessor(ecEditorBottom);
    Changes = 0;
    Status = {};
    // Enter through the binding table: a new line indented as the one above (auto indent).
    EXPECT_EQ(Model.ProcessKey(vk::Return, {}), ecLineBreak);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Status & scCaretY);
    Type(QStringLiteral("go;"));
    EXPECT_EQ(Text(), QStringLiteral("  if (x)\n  go;"));
    EXPECT_EQ(Model.CaretXY(), TBufferCoord({6, 2}));
    EXPECT_EQ(Changes, 4);
    EXPECT_TRUE(Model.Modified());
    // A two-key sequence: Ctrl+K starts it, Ctrl+U ends it as upper case of the word.
    Model.CommandProcessor(ecWordLeft);
    EXPECT_EQ(Model.ProcessKey('K', ssCtrl), ecNone);
    EXPECT_TRUE(Model.BindsKey('U', ssCtrl));
    EXPECT_EQ(Model.ProcessKey('U', ssCtrl), ecUpperCase);
    Model.ResetKeySequence();
    EXPECT_FALSE(Model.BindsKey('U', ssCtrl)) << "Ctrl+U alone has no binding";
}

TEST_F(CodeEditModelTest, ColumnCopyAndPasteGoThroughTheHeadlessClipboard) {
    Model.SetText(QStringLiteral("abcd\nefgh\nijkl"));
    EXPECT_FALSE(Model.CanPaste()) << "nothing copied yet";
    Model.SetActiveSelectionMode(smColumn);
    Model.SetCaretAndSelection({3, 2}, {2, 1}, {3, 2});
    Model.CommandProcessor(ecCopy);
    QString copied;
    TSelectionMode mode = smNormal;
    ASSERT_TRUE(Model.HeadlessView().ClipboardText(&copied, mode));
    EXPECT_EQ(copied, QStringLiteral("b\r\nf"));
    EXPECT_EQ(mode, smColumn);

    Model.SetCaretXY({4, 2});
    Model.CommandProcessor(ecPaste);
    EXPECT_EQ(Text(), QStringLiteral("abcd\nefgbh\nijkfl")) << "a column goes in as a column";
    EXPECT_EQ(Model.CaretXY(), TBufferCoord({5, 3}));
    // The whole paste is one undo step, and redo brings it back.
    Model.Undo();
    EXPECT_EQ(Text(), QStringLiteral("abcd\nefgh\nijkl"));
    EXPECT_FALSE(Model.CanUndo());
    Model.Redo();
    EXPECT_EQ(Text(), QStringLiteral("abcd\nefgbh\nijkfl"));
}

TEST_F(CodeEditModelTest, ReplaceAllAsksPerHitAndUndoesHitByHit) {
    Model.SetText(QStringLiteral("cat hat\ncat"));
    QStringList asked;
    Model.OnReplaceText = [&](TCustomCodeEdit*, const QString&, const QString&, int Line,
                              int Column, TReplaceAction& Action) {
        asked << QStringLiteral("%1,%2").arg(Line).arg(Column);
        Action = Line == 1 && Column == 6 ? raSkip : raReplace;
    };
    const int count = Model.SearchReplace(
        QStringLiteral("at"), QStringLiteral("og"),
        TSearchOptions(ssoReplace | ssoReplaceAll | ssoPrompt | ssoEntireScope));
    EXPECT_EQ(asked, QStringList({"1,2", "1,6", "2,2"}));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Text(), QStringLiteral("cog hat\ncog"));
    // Each answered hit is a step of its own.
    Model.Undo();
    EXPECT_EQ(Text(), QStringLiteral("cog hat\ncat"));
    Model.Undo();
    EXPECT_EQ(Text(), QStringLiteral("cat hat\ncat"));
}

TEST_F(CodeEditModelTest, WordWrapRowsFollowTheWindowWidth) {
    Model.SetText(QStringLiteral("aaaa bbbb cccc"));
    Model.SetWordWrap(true);
    Model.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 6));
    EXPECT_EQ(Model.DisplayLineCount(), 3);
    Model.CommandProcessor(ecEditorBottom);
    EXPECT_EQ(Model.DisplayXY().Row, 3);
    Model.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 40));
    EXPECT_EQ(Model.DisplayLineCount(), 1) << "a wider window joins the rows again";
}

// ---------------------------------------------------------------- the widget's catch points

class CodeEditErrorTest : public ::testing::Test {
protected:
    // Ctrl+Q runs a command of the window's that replaces "a" by "b", asking per hit; the
    // question fails at the second hit, with the first one replaced, inside the replacement's
    // paint lock.
    CodeEditErrorTest() {
        Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 40));
        Edit.SetSearchEngine(&Engine);
        Edit.SetText(QStringLiteral("a a a"));
        Edit.Keystrokes().AddKey(kReplaceCommand, 'Q', ssCtrl);
        Edit.RegisterCommandHandler([this](TCustomCodeEdit*, bool After, bool& Handled,
                                           TCodeEditorCommand& Command, QChar&, void*, void*) {
            if (After || Command != kReplaceCommand) return;
            Handled = true;
            Edit.SearchReplace(
                QStringLiteral("a"), QStringLiteral("b"),
                TSearchOptions(ssoReplace | ssoReplaceAll | ssoPrompt | ssoEntireScope));
        });
        Edit.OnReplaceText = [this](TCustomCodeEdit*, const QString&, const QString&, int, int,
                                    TReplaceAction& Action) {
            if (++Asked == 2) throw ECodeEditError(QStringLiteral("失敗"));
            Action = raReplace;
        };
        Edit.OnChange = [this](TCustomCodeEdit*) { ++Changes; };
    }

    static constexpr TCodeEditorCommand kReplaceCommand = TCodeEditorCommand(ecUserFirst + 1);
    TCodeEdit Edit;
    TCodeEditSearch Engine;
    int Asked = 0;
    int Changes = 0;
};

TEST_F(CodeEditErrorTest, AFailingKeyPressIsReportedAndTheEditorStaysUsable) {
    QStringList errors;
    Edit.OnError = [&](TCustomCodeEdit* Sender, const QString& Message) {
        EXPECT_EQ(Sender, &Edit);
        errors << Message;
    };
    QTest::keyClick(&Edit, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(errors, QStringList({"失敗"}));
    EXPECT_EQ(Edit.Text(), QStringLiteral("b a a"));

    // The paint lock was let go: the next change is reported at once, and undo takes the
    // typed character (over the hit left selected) and the replacement back one by one.
    Changes = 0;
    QTest::keyClick(&Edit, Qt::Key_X);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Edit.Text(), QStringLiteral("b x a"));
    Edit.Undo();
    EXPECT_EQ(Edit.Text(), QStringLiteral("b a a"));
    Edit.Undo();
    EXPECT_EQ(Edit.Text(), QStringLiteral("a a a"));
}

TEST_F(CodeEditErrorTest, WithoutAHandlerTheErrorShowsInTheErrorBox) {
    TScriptedDialogs dialogs;
    QTest::keyClick(&Edit, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(dialogs->Errors, QStringList({"失敗"}));
}

}  // namespace
