#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "tests/app/Form1Fixture.h"

namespace {
const QString kNew = QStringLiteral("新規ファイル.mrp");
}

TEST_F(Form1Test, StartsWithANewNotebookWithoutArgument) {
    Start();
    // The caption is "Marrowpad"; the placeholder marks an unsaved notebook.
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Marrowpad[*]"));
    EXPECT_FALSE(Form->isWindowModified());
    EXPECT_TRUE(Form->Notebook().IsEmpty());
    EXPECT_TRUE(Form->Memo().ReadOnly());
    EXPECT_TRUE(Form->Memo().Text().isEmpty());
    EXPECT_EQ(Form->PanelText(0), kNew);
    EXPECT_EQ(Form->CurrentFile, kNew);
    EXPECT_EQ(Form->tn, nullptr);
    EXPECT_FALSE(Form->isModify);
    // The icon chooser offers "1" to "50", starting at "1".
    EXPECT_EQ(Form->ComboBoxEx1->count(), 50);
    EXPECT_EQ(Form->ComboBoxEx1->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(Form->ComboBoxEx1->itemText(49), QStringLiteral("50"));
    EXPECT_EQ(Form->ComboBoxEx1->currentIndex(), 0);
}

TEST_F(Form1Test, StartsWithAnExistingNotebookCollapsedAndNothingCurrent) {
    const QString path =
        MakeNotebook(QStringLiteral("ノート.mrp"),
                     {{0, "a", 1, "a\r\nbody"}, {1, "child", 2, "child"}, {0, "b", 3, "b"}});
    Start(path);
    EXPECT_EQ(Form->Notebook().Count(), 3);
    EXPECT_EQ(Form->PanelText(0), QStringLiteral("ノート.mrp"));
    EXPECT_EQ(Form->CurrentFile, path);
    EXPECT_TRUE(Form->Memo().ReadOnly()) << "no snippet is current: typing would reach none";
    EXPECT_TRUE(Form->Memo().Text().isEmpty());
    EXPECT_EQ(Form->tn, nullptr);
    EXPECT_FALSE(
        Form->TreeView1->isExpanded(Form->TreeModel()->IndexOf(Form->Notebook().NodeAt(0))));
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

TEST_F(Form1Test, StartsANewNotebookForAMissingFile) {
    Start(Dir.Path(QStringLiteral("missing.mrp")));
    EXPECT_TRUE(Form->Notebook().IsEmpty());
    EXPECT_EQ(Form->PanelText(0), kNew);
    EXPECT_TRUE(Form->Memo().ReadOnly());
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

// A damaged notebook shows what was read before the damage, as a new modified notebook that
// Save never writes over the damaged file; Close asks, and Save As rescues the snippets.
TEST_F(Form1Test, ACorruptFileAtStartUpIsRescuedButNeverBecomesTheSaveTarget) {
    const QString path = Dir.Path(QStringLiteral("broken.mrp"));
    // One complete snippet, then the data stops inside the second one.
    const QByteArray damaged = Hex("01 02 00 06 01 61 02 01 06 01 78 02 00 06 05 61");
    WriteFileBytes(path, damaged);
    Start(path);
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_TRUE(
        Dialogs->Errors.first().startsWith(QStringLiteral("ストリームからの読み取りエラー")));
    EXPECT_TRUE(Dialogs->Errors.first().contains(QStringLiteral("1 個のスニペット")));
    ASSERT_EQ(Form->Notebook().Count(), 1);
    EXPECT_EQ(Title(0), QStringLiteral("a"));
    EXPECT_EQ(StoredText(0), QStringLiteral("x"));
    EXPECT_EQ(Form->CurrentFile, kNew);
    EXPECT_EQ(Form->PanelText(0), kNew);
    EXPECT_TRUE(Form->isModify);
    EXPECT_TRUE(Form->isWindowModified());
    EXPECT_TRUE(Form->Memo().ReadOnly());

    // Save refuses, whatever the default name would be; the window stays open on Close.
    QFile::copy(path, Dir.Path(kNew));
    Trigger("SaveOverWriteCmd");
    EXPECT_EQ(Dialogs->Errors.size(), 2);
    Dialogs->ConfirmAnswers.push_back(true);
    EXPECT_FALSE(Form->close());
    EXPECT_EQ(ReadFileBytes(path), damaged);
    EXPECT_EQ(ReadFileBytes(Dir.Path(kNew)), damaged);

    const QString rescue = Dir.Path(QStringLiteral("rescued.mrp"));
    Dialogs->FileAnswers.push_back(rescue);
    Trigger("SaveNameCmd");
    TNotebook reread;
    LoadNotebook(reread, rescue);
    EXPECT_EQ(reread.Count(), 1);
    EXPECT_FALSE(Form->isModify);
}

TEST_F(Form1Test, ANotebookDamagedAtItsStartIsReportedAsItWas) {
    const QString path = Dir.Path(QStringLiteral("broken.mrp"));
    WriteFileBytes(path, Hex("01 02 00 07"));
    Start(path);
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_EQ(Dialogs->Errors.first(), QStringLiteral("プロパティ値が無効です"));
    EXPECT_TRUE(Form->Notebook().IsEmpty());
    EXPECT_EQ(Form->CurrentFile, kNew);
    EXPECT_FALSE(Form->isModify) << "nothing to rescue, nothing to ask about";
}

TEST_F(Form1Test, ClickShowsTheTextAndCommitsTheEditedSnippet) {
    Start(MakeNotebook(QStringLiteral("n.mrp"),
                       {{0, "one", 1, "one\r\nfirst"}, {0, "two", 1, "two\r\nsecond"}}));
    ClickSnippet(0);
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(0));
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("one\r\nfirst"));
    EXPECT_EQ(Form->PanelText(1), QStringLiteral("one"));

    EXPECT_FALSE(Form->isModify) << "showing a snippet changes nothing";
    Form->Memo().SetText(QStringLiteral("one\r\nedited"));
    ClickSnippet(1);
    EXPECT_EQ(StoredText(0), QStringLiteral("one\r\nedited"));
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("two\r\nsecond"));
    EXPECT_TRUE(Form->isModify) << "a text edit is a change of the notebook";
}

TEST_F(Form1Test, TitleFollowsTheFirstLine) {
    Start(MakeNotebook(QStringLiteral("n.mrp"),
                       {{0, "stored title", 1, "first line\r\nx"}, {0, "b", 1, "b"}}));
    EXPECT_EQ(Title(0), QStringLiteral("stored title"))
        << "a stored title stands until it is shown";
    ClickSnippet(0);
    EXPECT_EQ(Title(0), QStringLiteral("first line"));
    EXPECT_FALSE(Form->isModify) << "a title that follows a shown text is no edit";

    Form->Memo().SetText(QStringLiteral("\u3000\u3000word\r\nrest"));
    EXPECT_EQ(Title(0), QStringLiteral("word"));
    Form->Memo().SetText(QStringLiteral(" \ttabbed"));
    EXPECT_EQ(Title(0), QStringLiteral("\ttabbed")) << "a leading tab is part of the title";
    Form->Memo().Clear();
    EXPECT_EQ(Title(0), QString());
    EXPECT_EQ(Form->PanelText(1), QString());

    // Typing, as a user does, retitles as well.
    Form->Memo().Widget()->setFocus();
    QTest::keyClicks(Form->Memo().Widget(), QStringLiteral("typed"));
    EXPECT_EQ(Title(0), QStringLiteral("typed"));
    EXPECT_EQ(Form->PanelText(1), QStringLiteral("typed"));
    EXPECT_EQ(Title(1), QStringLiteral("b"));
}

TEST_F(Form1Test, EditingWithAnEmptyTreeChangesNoTitle) {
    Start();
    Form->Memo().SetReadOnly(false);
    Form->Memo().SetText(QStringLiteral("text"));
    EXPECT_TRUE(Form->Notebook().IsEmpty());
    EXPECT_EQ(Form->PanelText(1), QString());
}

TEST_F(Form1Test, SaveOfANeverSavedNotebookWritesIntoTheCurrentFolder) {
    Start(MakeNotebook(QStringLiteral("src.mrp"), {{0, "a", 1, "a"}}));
    Trigger("NewCmd");
    EXPECT_TRUE(Dialogs->Confirms.isEmpty());
    // New leaves an empty tree, which Save skips.
    Trigger("SaveOverWriteCmd");
    EXPECT_FALSE(QFile::exists(Dir.Path(kNew)));

    Start(Dir.Path(QStringLiteral("src.mrp")));
    Form->CurrentFile = kNew;
    Form->isModify = true;
    Trigger("SaveOverWriteCmd");
    EXPECT_TRUE(QFile::exists(Dir.Path(kNew)));
    EXPECT_FALSE(Form->isModify);
    EXPECT_TRUE(Dialogs->SaveDialogs.empty());
}

TEST_F(Form1Test, SaveAsThenSave) {
    const QString old = MakeNotebook(QStringLiteral("old.mrp"),
                                     {{0, "a", 1, "a\r\n\r\n\r\n"}, {0, "b", 1, "b\r\n\r\n"}});
    Start(old);
    ClickSnippet(0);
    Form->Memo().SetText(QStringLiteral("a\r\nmore\r\n\r\n"));
    const QString renamed = Dir.Path(QStringLiteral("new.mrp"));
    Dialogs->FileAnswers.push_back(renamed);
    Trigger("SaveNameCmd");
    ASSERT_EQ(Dialogs->SaveDialogs.size(), 1u);
    EXPECT_EQ(Dialogs->SaveDialogs[0].FileName, QStringLiteral("old.mrp"));
    EXPECT_EQ(Dialogs->SaveDialogs[0].DefaultExt, QStringLiteral("mrp"));
    EXPECT_EQ(Dialogs->SaveDialogs[0].Filter, QStringLiteral("Marrowpad(*.mrp)|*.mrp"));
    EXPECT_EQ(Form->CurrentFile, renamed);
    EXPECT_EQ(Form->PanelText(0), QStringLiteral("old.mrp")) << "Save As leaves the panel alone";
    // The current snippet ends with exactly one line break; the others are stored as they were.
    EXPECT_EQ(StoredText(0), QStringLiteral("a\r\nmore\r\n"));
    EXPECT_EQ(StoredText(1), QStringLiteral("b\r\n\r\n"));

    TNotebook reread;
    LoadNotebook(reread, renamed);
    EXPECT_EQ(reread.NodeAt(0)->Data()->text, QStringLiteral("a\r\nmore\r\n"));

    Form->Memo().SetText(QStringLiteral("a\r\nagain"));
    Trigger("SaveOverWriteCmd");
    LoadNotebook(reread, renamed);
    EXPECT_EQ(reread.NodeAt(0)->Data()->text, QStringLiteral("a\r\nagain"));
    LoadNotebook(reread, old);
    EXPECT_EQ(reread.NodeAt(0)->Data()->text, QStringLiteral("a\r\n\r\n\r\n"))
        << "the old file is untouched";
}

TEST_F(Form1Test, SaveAsOfAnEmptyNotebookWritesTheEmptyList) {
    Start();
    const QString target = Dir.Path(QStringLiteral("empty.mrp"));
    Dialogs->FileAnswers.push_back(target);
    Trigger("SaveNameCmd");
    EXPECT_EQ(ReadFileBytes(target), Hex("01 00"));
    EXPECT_EQ(Form->CurrentFile, target);
}

TEST_F(Form1Test, CancelledDialogsChangeNothing) {
    const QString path = MakeNotebook(QStringLiteral("n.mrp"), {{0, "a", 1, "a"}});
    Start(path);
    Dialogs->FileAnswers = {std::nullopt, std::nullopt, std::nullopt};
    Trigger("SaveNameCmd");
    Trigger("ExportTextCmd");
    Trigger("OpenFileCmd");
    EXPECT_EQ(Form->CurrentFile, path);
    EXPECT_EQ(Form->Notebook().Count(), 1);
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

TEST_F(Form1Test, ExportWritesEachTextFollowedByAnEmptyLineAsOfTheLastCommit) {
    Start(MakeNotebook(QStringLiteral("n.mrp"),
                       {{0, "a", 1, "a"}, {1, "b", 1, "b"}, {0, "日本", 1, "日本語"}}));
    ClickSnippet(0);
    Form->Memo().SetText(QStringLiteral("edited but not committed"));
    const QString target = Dir.Path(QStringLiteral("out.txt"));
    Dialogs->FileAnswers.push_back(target);
    Trigger("ExportTextCmd");
    EXPECT_EQ(Dialogs->SaveDialogs.at(0).DefaultExt, QStringLiteral("txt"));
    EXPECT_EQ(Dialogs->SaveDialogs.at(0).Filter, QStringLiteral("Text files (*.txt)|*.TXT"));
    EXPECT_EQ(ReadFileBytes(target), QStringLiteral("a\r\n\r\nb\r\n\r\n日本語\r\n\r\n").toUtf8());
}

// Typed text is a change: Close, New and Open ask before it could be lost.
TEST_F(Form1Test, TypedTextIsAChangeThatEveryCommandAsksAbout) {
    const QString path = MakeNotebook(QStringLiteral("n.mrp"), {{0, "a", 1, "a"}});
    auto typeInto = [&](const QString& text) {
        ClickSnippet(0);
        Form->Memo().Widget()->setFocus();
        QTest::keyClick(Form->Memo().Widget(), Qt::Key_End);
        QTest::keyClicks(Form->Memo().Widget(), text);
    };
    Start(path);
    typeInto(QStringLiteral("1"));
    EXPECT_TRUE(Form->isModify);
    EXPECT_TRUE(Form->isWindowModified());
    Dialogs->ConfirmAnswers.push_back(false);
    Trigger("NewCmd");
    EXPECT_EQ(Dialogs->Confirms.size(), 1);
    EXPECT_FALSE(Form->isWindowModified());

    Start(path);
    typeInto(QStringLiteral("2"));
    Dialogs->ConfirmAnswers.push_back(false);
    Dialogs->FileAnswers.push_back(std::nullopt);
    Trigger("OpenFileCmd");
    EXPECT_EQ(Dialogs->Confirms.size(), 2);

    // "終了", answered yes, keeps what was typed.
    Start(path);
    typeInto(QStringLiteral("3"));
    Dialogs->ConfirmAnswers.push_back(true);
    Trigger("CloseCmd");
    EXPECT_EQ(Dialogs->Confirms.size(), 3);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(TextOnDisk(path, 0), QStringLiteral("a3"));
}

// Ctrl+S saves, also while the editor has the focus.
TEST_F(Form1Test, CtrlSSaves) {
    const QString path = MakeNotebook(QStringLiteral("n.mrp"), {{0, "a", 1, "a"}});
    Start(path);
    ClickSnippet(0);
    QWidget* memo = Form->Memo().Widget();
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("typed "));
    QTest::keyClick(memo, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Form->isModify);
    EXPECT_EQ(TextOnDisk(path, 0), QStringLiteral("typed a"));
}

TEST_F(Form1Test, NewAsksAndSavesOnYesOrDiscardsOnNo) {
    const QString path = MakeNotebook(QStringLiteral("n.mrp"), {{0, "a", 1, "a"}});
    Start(path);
    ClickSnippet(0);
    Form->Memo().SetText(QStringLiteral("saved on yes"));
    Form->isModify = true;
    Dialogs->ConfirmAnswers.push_back(true);
    Trigger("NewCmd");
    ASSERT_EQ(Dialogs->Confirms.size(), 1);
    EXPECT_EQ(Dialogs->Confirms.first(), QStringLiteral("変更があります保存しますか？"));
    TNotebook reread;
    LoadNotebook(reread, path);
    EXPECT_EQ(reread.NodeAt(0)->Data()->text, QStringLiteral("saved on yes"));
    EXPECT_TRUE(Form->Notebook().IsEmpty());
    EXPECT_TRUE(Form->Memo().ReadOnly());
    EXPECT_EQ(Form->PanelText(0), kNew);

    Start(path);
    ClickSnippet(0);
    Form->Memo().SetText(QStringLiteral("discarded"));
    Form->isModify = true;
    Dialogs->ConfirmAnswers.push_back(false);
    Trigger("NewCmd");
    LoadNotebook(reread, path);
    EXPECT_EQ(reread.NodeAt(0)->Data()->text, QStringLiteral("saved on yes"));
}

TEST_F(Form1Test, OpenReplacesTheNotebook) {
    const QString first = MakeNotebook(QStringLiteral("first.mrp"), {{0, "a", 1, "a"}});
    const QString second =
        MakeNotebook(QStringLiteral("second.mrp"), {{0, "x", 1, "x"}, {0, "y", 1, "y"}});
    Start(first);
    ClickSnippet(0);
    Dialogs->FileAnswers.push_back(second);
    Trigger("OpenFileCmd");
    EXPECT_EQ(Dialogs->OpenDialogs.at(0).Filter, QStringLiteral("Marrowpad|*.mrp"));
    EXPECT_EQ(Form->Notebook().Count(), 2);
    EXPECT_EQ(Form->CurrentFile, second);
    EXPECT_EQ(Form->PanelText(0), QStringLiteral("second.mrp"));
    EXPECT_EQ(Form->tn, nullptr);
    EXPECT_TRUE(Form->Memo().Text().isEmpty());
    EXPECT_TRUE(Form->Memo().ReadOnly()) << "no snippet is current";
    QTest::keyClicks(Form->Memo().Widget(), QStringLiteral("lost"));
    EXPECT_TRUE(Form->Memo().Text().isEmpty()) << "typing goes nowhere";
}

TEST_F(Form1Test, AFailedOpenLeavesANewEmptyNotebook) {
    const QString good = MakeNotebook(QStringLiteral("good.mrp"), {{0, "a", 1, "a"}});
    OpenDamagedOver(good, Hex("01 02 00 07"));
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_EQ(Dialogs->Errors.first(), QStringLiteral("プロパティ値が無効です"));
    EXPECT_TRUE(Form->Notebook().IsEmpty());
    EXPECT_EQ(Form->tn, nullptr);
    EXPECT_EQ(Form->CurrentFile, kNew);
    // Nothing the user does next can overwrite the notebook that was open before.
    Form->isModify = true;
    Dialogs->ConfirmAnswers.push_back(true);
    Trigger("NewCmd");
    EXPECT_EQ(ReadFileBytes(good).size(), QFile(good).size());
    TNotebook reread;
    LoadNotebook(reread, good);
    EXPECT_EQ(reread.Count(), 1);
}

TEST_F(Form1Test, OpenOfADamagedNotebookRescuesWhatWasReadAndProtectsBothFiles) {
    const QString good = MakeNotebook(QStringLiteral("good.mrp"), {{0, "a", 1, "a"}});
    const QByteArray goodBytes = ReadFileBytes(good);
    const QString bad =
        OpenDamagedOver(good, Hex("01 02 00 06 01 62 02 01 06 01 79 02 00 06 05 61"));
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    ASSERT_EQ(Form->Notebook().Count(), 1);
    EXPECT_EQ(Title(0), QStringLiteral("b"));
    EXPECT_EQ(Form->tn, nullptr);
    EXPECT_EQ(Form->PanelText(1), QString());
    EXPECT_TRUE(Form->isModify);
    ClickSnippet(0);
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("y"));
    Form->CurrentFile = good;  // even a name pointing back at the old file is refused
    Trigger("SaveOverWriteCmd");
    EXPECT_EQ(Dialogs->Errors.size(), 2);
    EXPECT_EQ(ReadFileBytes(good), goodBytes);
    EXPECT_EQ(ReadFileBytes(bad), Hex("01 02 00 06 01 62 02 01 06 01 79 02 00 06 05 61"));
}

TEST_F(Form1Test, AFailedSaveKeepsTheNotebookModifiedAndTheWindowOpen) {
    const QString path = MakeNotebook(QStringLiteral("n.mrp"), {{0, "a", 1, "a"}});
    Start(path);
    Form->CurrentFile = Dir.Path(QStringLiteral("no such folder/n.mrp"));
    Form->isModify = true;
    Trigger("SaveOverWriteCmd");
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_TRUE(Dialogs->Errors.first().startsWith(QStringLiteral("ファイル \"")));
    EXPECT_TRUE(Form->isModify);

    Dialogs->ConfirmAnswers.push_back(true);
    EXPECT_FALSE(Form->close()) << "a failing save from the Close prompt keeps the window open";
    EXPECT_TRUE(Form->isVisible());
    EXPECT_EQ(Dialogs->Errors.size(), 2);

    Dialogs->ConfirmAnswers.push_back(false);
    EXPECT_TRUE(Form->close());
}

TEST_F(Form1Test, CloseSavesOnYes) {
    const QString path = MakeNotebook(QStringLiteral("n.mrp"), {{0, "a", 1, "a"}});
    Start(path);
    ClickSnippet(0);
    Form->Memo().SetText(QStringLiteral("kept"));
    Form->isModify = true;
    Dialogs->ConfirmAnswers.push_back(true);
    EXPECT_TRUE(Form->close());
    TNotebook reread;
    LoadNotebook(reread, path);
    EXPECT_EQ(reread.NodeAt(0)->Data()->text, QStringLiteral("kept"));
}

TEST_F(Form1Test, WindowHasItsMenusToolbarAndPanels) {
    Start();
    QStringList menus;
    for (QAction* a : Form->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"File", "編集", "ノード", "検索"}));
    QStringList buttons;
    for (QToolButton* b :
         Form->ToolBar1->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (!b->objectName().startsWith(QStringLiteral("qt_"))) buttons << b->objectName();
    EXPECT_EQ(buttons, (QStringList{"NewBtn", "OpenBtn", "OverWriteBtn", "SaveBtn", "AddBtn",
                                    "BtnInsert", "BtnChild", "BtnDelete", "BtnUp", "BtnDown",
                                    "BtnLeft", "BtnRight", "SetUpBtn", "ReSetImageBtn"}));
    EXPECT_EQ(Form->Action("SearchFindCmd")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_FALSE(Form->Action("SearchFindNextCmd")->isEnabled());
    EXPECT_EQ(Form->Action("EditUndo1")->toolTip(), QStringLiteral("元に戻す"));
    EXPECT_TRUE(Form->Action("NormalMode")->isChecked());
    EXPECT_EQ(Form->StatusBar1->findChildren<QLabel*>().size(), 3);
    // The toolbar button runs the same command as the menu.
    Start(MakeNotebook(QStringLiteral("n.mrp"), {{0, "a", 1, "a"}}));
    ASSERT_EQ(Form->PanelText(0), QStringLiteral("n.mrp"));
    Form->findChild<QToolButton*>(QStringLiteral("NewBtn"))->click();
    EXPECT_EQ(Form->PanelText(0), kNew);
    EXPECT_TRUE(Form->Notebook().IsEmpty());
}
