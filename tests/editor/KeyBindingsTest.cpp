#include <QInputMethodEvent>
#include <QSet>
#include <QTest>

#include "platform/KeyCodes.h"
#include "tests/editor/CodeEditFixture.h"

// ---------------------------------------------------------------- the tables

TEST(KeyBindings, DefaultsComeInTableOrderAndAreUnique) {
    TCodeEditKeyStrokes keys;
    keys.AddKey(ecUserFirst, 'Q', ssCtrl);
    keys.ResetDefaults();
    ASSERT_EQ(keys.Count(), 99);
    EXPECT_EQ(keys.Items(0).Command, ecUp);
    EXPECT_EQ(keys.Items(1).Command, ecSelUp);
    EXPECT_EQ(keys.Items(keys.Count() - 1).Command, ecUnfoldLevel3);
    QSet<quint32> seen;
    for (int i = 0; i < keys.Count(); ++i) {
        const TCodeEditKeyStroke& k = keys.Items(i);
        const quint32 id = (quint32(k.ShortCut()) << 16) | k.ShortCut2();
        EXPECT_FALSE(seen.contains(id)) << "duplicate binding at " << i;
        seen.insert(id);
        EXPECT_FALSE(EditorCommandToIdent(k.Command).isEmpty());
    }
    EXPECT_EQ(keys.FindCommand(ecUserFirst), -1) << "ResetDefaults starts from an empty table";
}

TEST(KeyBindings, LookupsFindSingleKeysAndSequences) {
    TCodeEditKeyStrokes keys;
    keys.ResetDefaults();
    const int selWordLeft = keys.FindKeycode(vk::Left, ssCtrl | ssShift);
    ASSERT_GE(selWordLeft, 0);
    EXPECT_EQ(keys.Items(selWordLeft).Command, ecSelWordLeft);
    EXPECT_EQ(keys.FindKeycode('K', ssCtrl), -1) << "Ctrl+K only starts sequences";
    const int upper = keys.FindKeycode2('K', ssCtrl, 'U', ssCtrl);
    ASSERT_GE(upper, 0);
    EXPECT_EQ(keys.Items(upper).Command, ecUpperCase);
    EXPECT_EQ(keys.FindKeycode2('K', ssCtrl, 'U', {}), -1);
    EXPECT_EQ(keys.Items(keys.FindCommand(ecLineBreak)).Key, vk::Return);
    EXPECT_EQ(keys.Items(keys.FindShortcut(ShortCut('Z', ssCtrl | ssShift))).Command, ecRedo);
    EXPECT_EQ(keys.FindCommand(ecRedo), keys.FindShortcut(ShortCut(vk::Back, ssAlt | ssShift)))
        << "the first binding of a command";
    EXPECT_EQ(keys.FindShortcut2(ShortCut('K', ssCtrl), ShortCut('T', ssCtrl)),
              keys.FindCommand(ecTitleCase));
    quint16 key = 0;
    TShiftState shift;
    ShortCutToKey(ShortCut(vk::Delete, ssShift | ssAlt), key, shift);
    EXPECT_EQ(key, vk::Delete);
    EXPECT_EQ(shift, ssShift | ssAlt);
}

TEST(KeyBindings, CommandNamesRoundTrip) {
    for (const TEditorCommandName& n : EditorCommandNames()) {
        TCodeEditorCommand command = ecNone;
        ASSERT_TRUE(IdentToEditorCommand(QString::fromLatin1(n.Name), command)) << n.Name;
        EXPECT_EQ(command, n.Command);
        EXPECT_EQ(EditorCommandToIdent(n.Command), QString::fromLatin1(n.Name));
    }
    EXPECT_EQ(EditorCommandToIdent(ecSelGotoXY), QStringLiteral("ecSelGotoXY"));
    EXPECT_EQ(EditorCommandToIdent(ecSetMarker9), QStringLiteral("ecSetMarker9"));
    EXPECT_EQ(EditorCommandToIdent(999), QString());
    TCodeEditorCommand command = ecNone;
    EXPECT_FALSE(IdentToEditorCommand(QStringLiteral("ecNothing"), command));
}

TEST(KeyBindings, QtKeysMapToVirtualKeys) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left, {}), 37);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Backtab, Qt::ShiftModifier), 9);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Exclam, Qt::ShiftModifier), '1');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Underscore, Qt::ShiftModifier), 189);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Question, Qt::ShiftModifier), 191);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F12, {}), 123);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown, {}), 0);
}

// ---------------------------------------------------------------- the processor

TEST_F(CodeEditTest, ProcessorRunsEventsAndHooksAroundTheCommand) {
    SetText(QStringLiteral("abc"));
    QStringList trace;
    Edit.OnProcessCommand = [&](TCustomCodeEdit*, TCodeEditorCommand& c, QChar& ch, void*) {
        trace << QStringLiteral("process %1").arg(c);
        if (c == ecChar && ch == u'a') ch = u'A';
        if (c == ecDeleteLine) c = ecNone;
    };
    int seven = 7;  // the hook's data stays the caller's
    const int hook = Edit.RegisterCommandHandler(
        [&](TCustomCodeEdit*, bool after, bool& handled, TCodeEditorCommand& c, QChar&, void*,
            void* data) {
            trace << QStringLiteral("%1 %2 %3")
                         .arg(after ? "after" : "before")
                         .arg(c)
                         .arg(*static_cast<int*>(data));
            if (c == ecUpperCase) handled = true;
        },
        &seven);
    Edit.OnCommandProcessed = [&](TCustomCodeEdit*, TCodeEditorCommand& c, QChar&, void*) {
        trace << QStringLiteral("processed %1").arg(c);
    };
    Run(ecChar, u'a');
    EXPECT_EQ(Text(), QStringLiteral("Aabc"));
    EXPECT_EQ(trace, QStringList({"process 511", "before 511 7", "after 511 7", "processed 511"}));
    trace.clear();
    Run(ecDeleteLine);
    EXPECT_EQ(Text(), QStringLiteral("Aabc")) << "cancelled by OnProcessCommand";
    EXPECT_EQ(trace, QStringList({"process 507", "processed 0"}));
    trace.clear();
    Run(ecUpperCase);
    EXPECT_EQ(Text(), QStringLiteral("Aabc")) << "handled by the hook";
    trace.clear();
    Edit.CommandProcessor(ecUserFirst + 5);
    EXPECT_EQ(Text(), QStringLiteral("Aabc"));
    EXPECT_EQ(trace,
              QStringList({"process 1006", "before 1006 7", "after 1006 7", "processed 1006"}));
    Edit.UnregisterCommandHandler(hook);
    trace.clear();
    Run(ecLeft);
    EXPECT_EQ(trace, QStringList({"process 1", "processed 1"}));
}

TEST_F(CodeEditTest, TwoKeySequencesAndTheirBreaking) {
    SetText(QStringLiteral("word"));
    EXPECT_EQ(Edit.ProcessKey('K', ssCtrl), ecNone);
    EXPECT_EQ(Edit.ProcessKey('U', ssCtrl), ecUpperCase);
    EXPECT_EQ(Text(), QStringLiteral("WORD"));
    EXPECT_EQ(Edit.ProcessKey('K', ssCtrl), ecNone);
    EXPECT_EQ(Edit.ProcessKey('A', ssCtrl), ecSelectAll) << "the second key on its own";
    EXPECT_EQ(Edit.ProcessKey('U', ssCtrl), ecNone) << "and the sequence is gone";
    EXPECT_EQ(Edit.ProcessKey('K', ssCtrl), ecNone);
    EXPECT_EQ(Edit.ProcessKey(27, {}), ecNone);  // Escape
    EXPECT_EQ(Edit.ProcessKey('L', ssCtrl), ecNone) << "keys outside 30..145 end a sequence";
}

// ---------------------------------------------------------------- real key events

class CodeEditKeysTest : public CodeEditTest {
protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&Edit, key, modifiers);
    }
};

TEST_F(CodeEditKeysTest, TypedCharactersComeFromTheEventText) {
    QTest::keyClicks(&Edit, QStringLiteral("Hello, World"));
    EXPECT_EQ(Text(), QStringLiteral("Hello, World"));
    Key(Qt::Key_Home);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("He"));
    QTest::keyClicks(&Edit, QStringLiteral("J"));
    EXPECT_EQ(Text(), QStringLiteral("Jllo, World"));
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(Edit.SelAvail()) << "Ctrl+A selects and types nothing";
    EXPECT_EQ(Text(), QStringLiteral("Jllo, World"));
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("Jllo, World")) << "an unbound Ctrl key types nothing";
}

TEST_F(CodeEditKeysTest, EnterShiftEnterAndCtrlMBreakLinesAlike) {
    SetText(QStringLiteral("abcd"));
    Caret(2, 1);
    Key(Qt::Key_Return);
    Key(Qt::Key_Return, Qt::ShiftModifier);
    Key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("a\n\n\nbcd"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("abcd")) << "consecutive line breaks are one step";
    Key(Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(Text(), QStringLiteral("a\n\n\nbcd"));
    Key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Text(), QStringLiteral("abcd"));
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Text(), QStringLiteral("a\n\n\nbcd"));
    Edit.SetWantReturns(false);
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(), QStringLiteral("a\n\n\nbcd"));
}

TEST_F(CodeEditKeysTest, TabIsTakenOnlyWhenWanted) {
    SetText(QStringLiteral("x"));
    Caret(1, 1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Text(), QStringLiteral("        x"));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Text(), QStringLiteral("x"));
    Edit.SetWantTabs(false);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Text(), QStringLiteral("x"));
}

TEST_F(CodeEditKeysTest, SequenceSurvivesAReleasedAndRepressedCtrl) {
    SetText(QStringLiteral("Title case"));
    Run(ecSelectAll);
    Key(Qt::Key_K, Qt::ControlModifier);
    Key(Qt::Key_Control, Qt::ControlModifier);
    Key(Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("title case"));
    Key(Qt::Key_K, Qt::ControlModifier);
    Key(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("Title Case"));
}

TEST_F(CodeEditKeysTest, CommittedInputMethodTextIsInsertedOnce) {
    SetText(QStringLiteral("[]"));
    Caret(2, 1);
    QInputMethodEvent preedit(QStringLiteral("にほん"), {});
    QCoreApplication::sendEvent(&Edit, &preedit);
    EXPECT_EQ(Text(), QStringLiteral("[]")) << "the composition is only shown";
    EXPECT_EQ(Edit.PreeditText(), QStringLiteral("にほん"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QCoreApplication::sendEvent(&Edit, &commit);
    EXPECT_EQ(Text(), QStringLiteral("[日本]"));
    EXPECT_EQ(Edit.PreeditText(), QString());
    EXPECT_EQ(Edit.UndoList().ItemCount(), 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("[]"));
}
