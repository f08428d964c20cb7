#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QSplitter>
#include <QToolButton>

#include "app/SearchPanel.h"
#include "app/SearchResultModel.h"
#include "editor/CodeEdit.h"
#include "tests/app/Form1Fixture.h"

class Form1FullTextSearchTest : public Form1Test {
protected:
    // a [b [c]], d: the word "needle" in c (line 3) and d (line 1).
    void StartNested() {
        Start(MakeNotebook(QStringLiteral("nested.mrp"),
                           {{0, "a", 1, "a\r\nnothing here"},
                            {1, "b", 1, "b"},
                            {2, "c", 1, "c\r\nsecond\r\n  a needle in c"},
                            {0, "d", 1, "d needle"}}));
    }
    TSearchPanel& Panel() { return *Form->SearchPanel1; }
    // Opens the panel and types a query, then waits for the search to end.
    void Search(const QString& text) {
        Trigger("FullTextSearchCmd");
        QLineEdit* field = Panel().Field();
        field->clear();
        QTest::keyClicks(field, text);
        Wait();
    }
    void Wait() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Panel().IsSearching(); }, 10000));
    }
    QStringList Rows() {
        QStringList rows;
        const TSearchResultModel& model = Panel().Model();
        for (int r = 0; r < model.rowCount(); ++r)
            rows << model.data(model.index(r)).toString();
        return rows;
    }
    int Index(TNotebookNode* node) { return node ? Form->Notebook().AbsoluteIndex(node) : -1; }
};

TEST_F(Form1FullTextSearchTest, TheCommandSitsAfterTitleSearchAndOpensThePanel) {
    Start();
    QAction* action = Form->Action(QStringLiteral("FullTextSearchCmd"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("全文検索"));
    EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    QMenu* search = nullptr;
    for (QAction* m : Form->menuBar()->actions())
        if (m->text() == QStringLiteral("検索")) search = m->menu();
    ASSERT_NE(search, nullptr);
    const QList<QAction*> items = search->actions();
    const qsizetype title = items.indexOf(Form->Action(QStringLiteral("SearchTitleCmd")));
    ASSERT_GE(title, 0);
    EXPECT_EQ(items.value(title + 1), action);

    EXPECT_TRUE(Panel().isHidden());
    QTest::keyClick(Form->Memo().Widget(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(Panel().isVisible());
    EXPECT_TRUE(Panel().Field()->hasFocus());
    // Escape closes it and gives the editor the focus back.
    QTest::keyClick(Panel().Field(), Qt::Key_Escape);
    EXPECT_TRUE(Panel().isHidden());
}

TEST_F(Form1FullTextSearchTest, HitsAreGroupedBySnippetInTreeOrder) {
    StartNested();
    Search(QStringLiteral("needle"));
    EXPECT_EQ(Rows(),
              QStringList({"a › b › c  (1)", "3:   a needle in c", "d  (1)", "1: d needle"}));
    EXPECT_EQ(Form->PanelText(2), QStringLiteral("2 件 / 2 スニペット"));
    const TSearchResultModel& model = Panel().Model();
    EXPECT_EQ(model.data(model.index(1), TSearchResultModel::MarkStartRole).toInt(), 7);
    EXPECT_EQ(model.data(model.index(1), TSearchResultModel::MarkLengthRole).toInt(), 6);

    Search(QStringLiteral("haystack"));
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(Form->PanelText(2), QStringLiteral("見つかりませんでした"));
}

TEST_F(Form1FullTextSearchTest, FindsTheCurrentSnippetsUnsavedText) {
    StartNested();
    ClickSnippet(3);
    Form->Editor().SetCaretXY({9, 1});
    QTest::keyClicks(Form->Memo().Widget(), QStringLiteral(" haystack"));
    ASSERT_EQ(StoredText(3), QStringLiteral("d needle"));  // not committed yet
    Search(QStringLiteral("haystack"));
    EXPECT_EQ(Rows(), QStringList({"d needle haystack  (1)", "1: d needle haystack"}));
}

TEST_F(Form1FullTextSearchTest, OpeningAHitInACollapsedBranchShowsAndSelectsIt) {
    StartNested();
    Trigger("TreeCollapseCmd");
    ClickSnippet(3);
    Search(QStringLiteral("NEEDLE"));
    // Enter on the first hit, as the user would in the list.
    QListView* list = Panel().Results();
    list->setFocus();
    list->setCurrentIndex(Panel().Model().index(1));
    QTest::keyClick(list, Qt::Key_Return);
    TNotebookNode* c = Form->Notebook().NodeAt(2);
    EXPECT_EQ(Form->tn, c);
    EXPECT_EQ(Form->TreeView1->SelectedNode(), c);
    EXPECT_TRUE(Form->TreeView1->isExpanded(Form->TreeModel()->IndexOf(c->Parent())));
    EXPECT_TRUE(Form->TreeView1->isExpanded(Form->TreeModel()->IndexOf(c->Parent()->Parent())));
    EXPECT_EQ(Form->PanelText(1), QStringLiteral("c"));
    EXPECT_EQ(Form->Memo().Text(), StoredText(2));
    EXPECT_EQ(Form->Editor().BlockBegin(), (TBufferCoord{5, 3}));
    EXPECT_EQ(Form->Editor().BlockEnd(), (TBufferCoord{11, 3}));
    EXPECT_EQ(Form->Editor().SelText(), QStringLiteral("needle"));
    // What was on show before was committed, as a click in the tree commits it.
    EXPECT_FALSE(Form->isModify);
}

TEST_F(Form1FullTextSearchTest, F4StepsThroughTheHitsAcrossSnippets) {
    StartNested();
    Search(QStringLiteral("e"));  // a: 2, c: 4 + 1, d: 3 hits
    QWidget* editor = Form->Memo().Widget();
    editor->setFocus();
    QStringList visited;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(editor, Qt::Key_F4);
        visited << QStringLiteral("%1@%2,%3")
                       .arg(Form->tn->Title())
                       .arg(Form->Editor().BlockBegin().Line)
                       .arg(Form->Editor().BlockBegin().Char);
    }
    EXPECT_EQ(visited, QStringList({"a@2,10", "a@2,12", "c@2,2"}));
    QTest::keyClick(editor, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(Form->tn->Title(), QStringLiteral("a"));
    EXPECT_EQ(Form->Editor().BlockBegin(), (TBufferCoord{12, 2}));
    // Backwards from the first hit goes round to the last one.
    QTest::keyClick(editor, Qt::Key_F4, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(Form->tn->Title(), QStringLiteral("d needle"));
    EXPECT_EQ(Form->Editor().BlockBegin(), (TBufferCoord{8, 1}));
}

TEST_F(Form1FullTextSearchTest, ABadRegularExpressionShowsQtsErrorAndSearchesNothing) {
    StartNested();
    Search(QStringLiteral("needle"));
    ASSERT_FALSE(Rows().isEmpty());
    Panel().findChild<QCheckBox*>(QStringLiteral("RegexBox"))->setChecked(true);
    Search(QStringLiteral("need(le"));
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(Panel().ErrorText(), QRegularExpression(QStringLiteral("need(le")).errorString());
    Search(QStringLiteral("ne+dle"));
    EXPECT_TRUE(Panel().ErrorText().isEmpty());
    EXPECT_EQ(Rows().size(), 4);
}

TEST_F(Form1FullTextSearchTest, ChangingTheTreeDropsHitsOfDeletedSnippets) {
    StartNested();
    Search(QStringLiteral("needle"));
    ClickSnippet(3);
    Dialogs->ConfirmAnswers.push_back(true);
    Form->findChild<QToolButton*>(QStringLiteral("BtnDelete"))->click();
    // The hits go at once; the search runs again after the pause.
    EXPECT_TRUE(Rows().isEmpty());
    Wait();
    EXPECT_EQ(Rows(), QStringList({"a › b › c  (1)", "3:   a needle in c"}));
}

TEST_F(Form1FullTextSearchTest, ThePanelHeightIsKeptWhileClosed) {
    Start();
    Form->SetSearchPanelHeight(150);
    EXPECT_EQ(Form->SearchPanelHeight(), 150);
    Trigger("FullTextSearchCmd");
    EXPECT_EQ(Form->Splitter2->sizes().value(1), 150);
    Form->Splitter2->setSizes({Form->Splitter2->height() - 120, 120});
    QTest::keyClick(Panel().Field(), Qt::Key_Escape);
    EXPECT_EQ(Form->SearchPanelHeight(), 120);
    Trigger("FullTextSearchCmd");
    EXPECT_EQ(Form->Splitter2->sizes().value(1), 120);
}
