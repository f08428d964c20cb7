// Notebooks a damaged or hostile file can hand the window: nested hundreds of thousands of
// levels deep, with megabyte titles and lines, or a path that is no regular file. None may
// crash or freeze the window, and none may lose what the file holds.
#include <sys/stat.h>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "app/NotebookModel.h"
#include "platform/Errors.h"
#include "platform/FindDialog.h"
#include "tests/app/Form1Fixture.h"

namespace {

// The node `levels` levels down the first child chain from the first snippet.
TNotebookNode* DownFirstChildren(TNotebook& notebook, int levels) {
    TNotebookNode* node = notebook.First();
    for (int i = 0; i < levels && node; ++i)
        node = node->FirstChild();
    return node;
}

bool IsFifo(const QString& path) {
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

}  // namespace

class HostileNotebookTest : public Form1Test {
protected:
    void Press(const char* button) {
        Form->findChild<QToolButton*>(QString::fromLatin1(button))->click();
    }
};

class DeepNotebookTest : public HostileNotebookTest, public ::testing::WithParamInterface<int> {};

TEST_P(DeepNotebookTest, OpensExpandsDeletesAndSaves) {
    const int depth = GetParam();
    const QString path = Dir.Path(QStringLiteral("deep.mrp"));
    QByteArray written;
    {
        TNotebook notebook;
        TNotebookNode* node = nullptr;
        for (int i = 0; i < depth; ++i)
            node = notebook.AddChild(node, QStringLiteral("d"), 1);
        notebook.AddChild(nullptr, QStringLiteral("after"), 2)->Data()->text =
            QStringLiteral("after");
        SaveNotebook(notebook, path);
        written = ReadFileBytes(path);
    }
    Start(path);
    ASSERT_EQ(Form->Notebook().Count(), depth + 1);

    Trigger("TreeExpandCmd");
    Form->TreeView1->scrollToBottom();
    Form->grab();
    // The view opens the levels it shows and no deeper; the tree below stays whole.
    const int last = TNotebookModel::kShownLevels - 1;
    TNotebookModel& model = *Form->TreeModel();
    EXPECT_TRUE(Form->TreeView1->isExpanded(model.IndexOf(DownFirstChildren(Form->Notebook(), 0))));
    EXPECT_TRUE(
        Form->TreeView1->isExpanded(model.IndexOf(DownFirstChildren(Form->Notebook(), last - 1))));
    EXPECT_EQ(model.rowCount(model.IndexOf(DownFirstChildren(Form->Notebook(), last))), 0);
    EXPECT_FALSE(model.IndexOf(DownFirstChildren(Form->Notebook(), last + 1)).isValid());
    EXPECT_EQ(DownFirstChildren(Form->Notebook(), depth - 1)->Level(), depth - 1);

    Dialogs->FileAnswers.push_back(Dir.Path(QStringLiteral("copy.mrp")));
    Trigger("SaveNameCmd");
    EXPECT_TRUE(ReadFileBytes(Dir.Path(QStringLiteral("copy.mrp"))) == written)
        << "the copy holds every level";

    ClickSnippet(0);
    Dialogs->ConfirmAnswers.push_back(true);
    Press("BtnDelete");
    ASSERT_EQ(Form->Notebook().Count(), 1);
    Trigger("SaveOverWriteCmd");
    TNotebook saved;
    LoadNotebook(saved, Dir.Path(QStringLiteral("copy.mrp")));
    ASSERT_EQ(saved.Count(), 1);
    EXPECT_EQ(saved.First()->Title(), QStringLiteral("after"));
    EXPECT_TRUE(Dialogs->Errors.isEmpty()) << Dialogs->Errors.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Levels, DeepNotebookTest, ::testing::Values(30000, 1000000));

// A panel is elided again when its width changes: text set before the window is laid out
// must not stay cut to the width the panel had then.
TEST_F(HostileNotebookTest, PanelsShowWhatFitsAtTheirLaidOutWidth) {
    Start(MakeNotebook(QStringLiteral("sample.mrp"), {{0, QStringLiteral("a"), 1, QString()}}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    const QList<QLabel*> panels = Form->StatusBar1->findChildren<QLabel*>();
    ASSERT_FALSE(panels.isEmpty());
    EXPECT_EQ(panels[0]->text(), QStringLiteral("sample.mrp"));
}

TEST_F(HostileNotebookTest, MegabyteTitlesAndLinesAreShownShortAndKeptWhole) {
    const QString title(2 * 1024 * 1024, u'T');
    const QString line = QString(5 * 1024 * 1024, u'L');
    const QString path =
        MakeNotebook(QStringLiteral("long.mrp"),
                     {{0, title, 1, QStringLiteral("short\r\n")},
                      {0, QStringLiteral("x"), 1, line + QStringLiteral("\r\nend")}});
    Start(path);
    TNotebookModel& model = *Form->TreeModel();
    const QString shown = model.data(model.IndexOf(Form->Notebook().NodeAt(0))).toString();
    EXPECT_EQ(shown.size(), TNotebookModel::kShownTitleLength);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));

    ClickSnippet(1);
    EXPECT_EQ(Title(1), line) << "the title follows the whole first line";
    EXPECT_EQ(Form->PanelText(1), line);
    for (const QLabel* panel : Form->StatusBar1->findChildren<QLabel*>())
        EXPECT_LT(panel->text().size(), 600) << "a panel shows only what fits";
    Form->grab();

    // The prompt names the snippet by the start of its title.
    Dialogs->ConfirmAnswers.push_back(false);
    Press("BtnDelete");
    ASSERT_EQ(Dialogs->Confirms.size(), 1);
    EXPECT_TRUE(Dialogs->Confirms[0].startsWith(QStringLiteral("LLLL")));
    EXPECT_TRUE(Dialogs->Confirms[0].endsWith(QStringLiteral("…を削除しますか？")));
    EXPECT_LT(Dialogs->Confirms[0].size(), 300);

    Trigger("SaveOverWriteCmd");
    TNotebook saved;
    LoadNotebook(saved, path);
    EXPECT_EQ(saved.NodeAt(0)->Title(), title);
    EXPECT_EQ(saved.NodeAt(1)->Title(), line);
    EXPECT_EQ(saved.NodeAt(1)->Data()->text, line + QStringLiteral("\r\nend"));
}

TEST_F(HostileNotebookTest, APipeIsNeitherOpenedNorReplaced) {
    const QString pipe = Dir.Path(QStringLiteral("pipe.mrp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    Start();
    Press("AddBtn");

    Dialogs->FileAnswers.push_back(pipe);
    Trigger("SaveNameCmd");
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_EQ(Dialogs->Errors[0],
              QStringLiteral("ファイル \"%1\" を作成できません。通常のファイルではありません。")
                  .arg(pipe));
    EXPECT_TRUE(Form->isModify);
    EXPECT_EQ(Form->CurrentFile, QString::fromUtf8(TForm1::kNewFileName));
    EXPECT_TRUE(IsFifo(pipe));

    // Opening it would wait for a writer with the window frozen.
    Dialogs->ConfirmAnswers.push_back(false);
    Dialogs->FileAnswers.push_back(pipe);
    Trigger("OpenFileCmd");
    ASSERT_EQ(Dialogs->Errors.size(), 2);
    EXPECT_EQ(
        Dialogs->Errors[1],
        QStringLiteral("ファイル %1 は開けません。 通常のファイルではありません。 ").arg(pipe));
    EXPECT_TRUE(IsFifo(pipe));
}

TEST_F(HostileNotebookTest, TitleSearchPassesBySnippetsBelowTheShownLevels) {
    std::vector<TSnippetDef> chain;
    for (int level = 0; level <= TNotebookModel::kShownLevels; ++level)
        chain.push_back({level, QStringLiteral("d"), 1, QStringLiteral("d")});
    chain.back().title = QStringLiteral("hit below");
    chain.push_back({0, QStringLiteral("hit shown"), 1, QStringLiteral("hit shown")});
    Start(MakeNotebook(QStringLiteral("deep.mrp"), chain));
    Trigger("SearchTitleCmd");
    Form->FindDialog2->SetFindText(QStringLiteral("hit"));
    QTest::mouseClick(Form->FindDialog2->FindNextButton, Qt::LeftButton);
    TNotebookNode* shown = Form->Notebook().TopLevelItem(1);
    EXPECT_EQ(Form->tn, shown);
    EXPECT_EQ(Form->TreeView1->SelectedNode(), shown);
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("hit shown"));
    QTest::mouseClick(Form->FindDialog2->FindNextButton, Qt::LeftButton);
    EXPECT_EQ(Form->PanelText(2), QStringLiteral("見つかりませんでした"));
    EXPECT_EQ(Form->tn, shown);
}
