#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/NodeImageList.h"
#include "app/NotebookTreeView.h"
#include "platform/FindDialog.h"
#include "tests/app/Form1Fixture.h"

namespace {
const QString kNewTitle = QStringLiteral("新規項目");

// Titles in tree order, each prefixed by two spaces per level: a readable picture of the tree.
QStringList Shape(TNotebook& notebook) {
    QStringList out;
    notebook.ForEach([&](TNotebookNode* n) { out << QString(n->Level() * 2, u' ') + n->Title(); });
    return out;
}
}  // namespace

class Form1TreeTest : public Form1Test {
protected:
    void Press(const char* button) {
        Form->findChild<QToolButton*>(QString::fromLatin1(button))->click();
    }
    bool Expanded(int index) {
        return Form->TreeView1->isExpanded(
            Form->TreeModel()->IndexOf(Form->Notebook().NodeAt(index)));
    }
    // a [b, c [d]], e, f
    void StartFamily() {
        Start(MakeNotebook(QStringLiteral("family.mrp"), {{0, "a", 1, "a"},
                                                          {1, "b", 1, "b"},
                                                          {1, "c", 1, "c"},
                                                          {2, "d", 1, "d"},
                                                          {0, "e", 1, "e"},
                                                          {0, "f", 1, "f"}}));
    }
};

TEST_F(Form1TreeTest, AddOnANewNotebookCreatesAnEditableFirstSnippet) {
    Start();
    Press("AddBtn");
    ASSERT_EQ(Form->Notebook().Count(), 1);
    EXPECT_EQ(Title(0), kNewTitle);
    EXPECT_EQ(Form->Notebook().NodeAt(0)->ImageIndex(), 1);
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(0));
    EXPECT_FALSE(Form->Memo().ReadOnly());
    EXPECT_EQ(Form->PanelText(1), kNewTitle);
    EXPECT_TRUE(Form->isModify);
    EXPECT_EQ(Form->TreeView1->SelectedNode(), Form->tn);

    // The placeholder text is selected, so typing replaces it and retitles the snippet.
    QTest::keyClicks(Form->Memo().Widget(), QStringLiteral("hello"));
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("hello"));
    EXPECT_EQ(Title(0), QStringLiteral("hello"));
}

TEST_F(Form1TreeTest, AddPlacesTheNewSnippetLastAmongTheSiblings) {
    StartFamily();
    Press("AddBtn");  // nothing current after opening: the new snippet goes first
    EXPECT_EQ(Shape(Form->Notebook()).first(), kNewTitle);

    StartFamily();
    ClickSnippet(1);  // b, which has a later sibling c
    Form->Memo().SetText(QStringLiteral("b edited"));
    Press("AddBtn");
    EXPECT_EQ(Shape(Form->Notebook()),
              (QStringList{"a", "  b edited", "  c", "    d", "  " + kNewTitle, "e", "f"}));
    EXPECT_EQ(StoredText(1), QStringLiteral("b edited")) << "the previous snippet was committed";
    EXPECT_EQ(Form->PanelText(1), kNewTitle);
    EXPECT_EQ(Form->Memo().Text(), kNewTitle);
}

TEST_F(Form1TreeTest, InsertPlacesTheNewSnippetBeforeTheCurrentOne) {
    StartFamily();
    ClickSnippet(0);
    Press("BtnInsert");
    EXPECT_EQ(Shape(Form->Notebook()).mid(0, 2), (QStringList{kNewTitle, "a"}));
    EXPECT_EQ(Title(1), QStringLiteral("a")) << "the old current snippet keeps its title";

    ClickSnippet(3);  // c
    Press("BtnInsert");
    EXPECT_EQ(Shape(Form->Notebook()).mid(1, 4),
              (QStringList{"a", "  b", "  " + kNewTitle, "  c"}));
}

TEST_F(Form1TreeTest, AddChildAppendsAndExpandsTheWholeParent) {
    StartFamily();
    Press("BtnChild");  // nothing current: nothing happens, the editor stays as it was
    EXPECT_EQ(Form->Notebook().Count(), 6);
    EXPECT_TRUE(Form->Memo().Text().isEmpty());
    EXPECT_FALSE(Form->isModify);

    ClickSnippet(0);
    EXPECT_FALSE(Expanded(0));
    Form->ComboBoxEx1->setCurrentIndex(6);
    Press("BtnChild");
    EXPECT_EQ(Shape(Form->Notebook()).mid(0, 5),
              (QStringList{"a", "  b", "  c", "    d", "  " + kNewTitle}));
    EXPECT_TRUE(Expanded(0));
    EXPECT_TRUE(Expanded(2)) << "descendants open too";
    EXPECT_EQ(Form->tn->ImageIndex(), 7);
    EXPECT_EQ(Title(0), QStringLiteral("a"));
    EXPECT_TRUE(Form->isModify);
}

TEST_F(Form1TreeTest, UpAndDownMoveAmongSiblingsOnly) {
    StartFamily();
    ClickSnippet(1);  // b: first child
    Press("BtnUp");
    EXPECT_FALSE(Form->isModify) << "Up on a first child does nothing";
    ClickSnippet(2);  // c: last child
    Press("BtnDown");
    EXPECT_FALSE(Form->isModify) << "Down on a last child does nothing";

    Press("BtnUp");
    EXPECT_EQ(Shape(Form->Notebook()).mid(0, 4), (QStringList{"a", "  c", "    d", "  b"}));
    EXPECT_TRUE(Form->isModify);
    EXPECT_EQ(Form->TreeView1->SelectedNode(), Form->tn) << "the moved snippet stays selected";
    EXPECT_EQ(Form->tn->Title(), QStringLiteral("c"));

    ClickSnippet(4);  // e
    Press("BtnDown");
    EXPECT_EQ(Shape(Form->Notebook()).mid(4), (QStringList{"f", "e"}));
    Press("BtnUp");
    Press("BtnUp");
    EXPECT_EQ(Shape(Form->Notebook()).first(), QStringLiteral("e"));
}

TEST_F(Form1TreeTest, LeftLandsRightAfterTheFormerParent) {
    StartFamily();
    ClickSnippet(0);
    Press("BtnLeft");
    EXPECT_FALSE(Form->isModify) << "Left on a top-level snippet does nothing";

    ClickSnippet(2);  // c, last child of a, which has the next sibling e
    Press("BtnLeft");
    EXPECT_EQ(Shape(Form->Notebook()), (QStringList{"a", "  b", "c", "  d", "e", "f"}));
    EXPECT_TRUE(Form->isModify);
    EXPECT_FALSE(Expanded(2)) << "the moved snippet arrives collapsed";

    ClickSnippet(3);  // d, only child of c, whose parent has no next sibling... c is top level
    Press("BtnLeft");
    EXPECT_EQ(Shape(Form->Notebook()), (QStringList{"a", "  b", "c", "d", "e", "f"}));
}

TEST_F(Form1TreeTest, RightAppendsAfterThePreviousSiblingsChildren) {
    StartFamily();
    ClickSnippet(4);  // e, whose previous sibling a has children
    Press("BtnRight");
    EXPECT_EQ(Shape(Form->Notebook()), (QStringList{"a", "  b", "  c", "    d", "  e", "f"}));
    EXPECT_TRUE(Expanded(0)) << "the new parent opens so the moved snippet stays visible";
    ClickSnippet(1);  // b has no previous sibling
    Form->isModify = false;
    Press("BtnRight");
    EXPECT_FALSE(Form->isModify);
}

TEST_F(Form1TreeTest, DeleteAsksFirstAndRemovesTheWholeSubtree) {
    StartFamily();
    ClickSnippet(0);
    Dialogs->ConfirmAnswers = {false, true};
    Press("BtnDelete");
    EXPECT_EQ(Dialogs->Confirms.first(), QStringLiteral("aを削除しますか？"));
    EXPECT_EQ(Form->Notebook().Count(), 6);
    EXPECT_FALSE(Form->isModify);

    Press("BtnDelete");
    EXPECT_EQ(Shape(Form->Notebook()), (QStringList{"e", "f"}));
    EXPECT_EQ(Form->tn, nullptr);
    EXPECT_TRUE(Form->isModify);
    EXPECT_EQ(Form->TreeView1->SelectedNode(), nullptr);
    EXPECT_TRUE(Form->Memo().Text().isEmpty());
    EXPECT_EQ(Form->PanelText(1), QString()) << "the title panel names no deleted snippet";

    // Nothing is current: the editor takes no typing until a snippet is chosen.
    EXPECT_TRUE(Form->Memo().ReadOnly());
    Form->Memo().Widget()->setFocus();
    QTest::keyClicks(Form->Memo().Widget(), QStringLiteral("orphan"));
    EXPECT_TRUE(Form->Memo().Text().isEmpty());
    ClickSnippet(0);
    EXPECT_EQ(StoredText(0), QStringLiteral("e"));
    EXPECT_EQ(Title(0), QStringLiteral("e"));
    EXPECT_FALSE(Form->Memo().ReadOnly());
}

// The arrow keys in the tree switch the snippet as a click does, so Delete asks about the
// snippet the user is looking at.
TEST_F(Form1TreeTest, ArrowKeysInTheTreeSwitchTheCurrentSnippet) {
    StartFamily();
    ClickSnippet(4);  // e
    Form->Memo().Widget()->setFocus();
    QTest::keyClicks(Form->Memo().Widget(), QStringLiteral("E "));
    Form->TreeView1->setFocus();
    QTest::keyClick(Form->TreeView1, Qt::Key_Down);
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(5));
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("f"));
    EXPECT_EQ(StoredText(4), QStringLiteral("E e")) << "the snippet left was committed";
    EXPECT_EQ(Form->PanelText(1), QStringLiteral("f"));
    QTest::keyClick(Form->TreeView1, Qt::Key_Up);
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(4));
    Dialogs->ConfirmAnswers.push_back(false);
    Press("BtnDelete");
    EXPECT_EQ(Dialogs->Confirms.value(0), QStringLiteral("E eを削除しますか？"));
}

TEST_F(Form1TreeTest, NewClearsTheTitlePanel) {
    StartFamily();
    ClickSnippet(0);
    ASSERT_EQ(Form->PanelText(1), QStringLiteral("a"));
    Trigger("NewCmd");
    EXPECT_EQ(Form->PanelText(1), QString());
}

TEST_F(Form1TreeTest, SetIconAndExpandCollapseAll) {
    StartFamily();
    Form->Action("ImageReSetCmd")->trigger();
    EXPECT_FALSE(Form->isModify) << "no current snippet, no icon change";
    ClickSnippet(5);
    Form->ComboBoxEx1->setCurrentIndex(6);  // item "7"
    Form->ReSetImageBtn->click();
    EXPECT_EQ(Form->Notebook().NodeAt(5)->ImageIndex(), 7);
    EXPECT_TRUE(Form->isModify);

    Form->isModify = false;
    Form->Action("TreeExpandCmd")->trigger();
    EXPECT_TRUE(Expanded(0));
    EXPECT_TRUE(Expanded(2));
    Form->Action("TreeCollapseCmd")->trigger();
    EXPECT_FALSE(Expanded(0));
    EXPECT_FALSE(Form->isModify);
}

TEST_F(Form1TreeTest, DropRules) {
    StartFamily();
    TNotebook& nb = Form->Notebook();
    ClickSnippet(0);                        // a
    Form->TreeView1DragDrop(nb.NodeAt(1));  // onto its own child b
    EXPECT_EQ(Shape(nb), (QStringList{"a", "  b", "  c", "    d", "e", "f"}));
    EXPECT_TRUE(Form->isModify) << "a drop always counts as a change";

    ClickSnippet(4);                        // e
    Form->TreeView1DragDrop(nb.NodeAt(5));  // onto the leaf right after it: nothing moves
    EXPECT_EQ(Shape(nb), (QStringList{"a", "  b", "  c", "    d", "e", "f"}));

    ClickSnippet(5);  // f onto a, which has children: last child of a
    Form->TreeView1DragDrop(nb.NodeAt(0));
    EXPECT_EQ(Shape(nb), (QStringList{"a", "  b", "  c", "    d", "  f", "e"}));
    EXPECT_EQ(Form->tn->Title(), QStringLiteral("f"))
        << "a drop does not change the current snippet";
}

TEST_F(Form1TreeTest, RealMouseDragMovesTheNode) {
    StartFamily();
    Form->SetDragMode(true);
    Form->TreeView1->expandAll();
    ClickSnippet(4);  // e is the current snippet; the drag does not change that
    TNotebook& nb = Form->Notebook();
    QWidget* viewport = Form->TreeView1->viewport();
    auto centre = [&](int index) {
        return Form->TreeView1->visualRect(Form->TreeModel()->IndexOf(nb.NodeAt(index))).center();
    };
    const QPoint from = centre(5);  // f
    const QPoint to = centre(1);    // the leaf b: f goes before it
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 8; ++step)
        QTest::mouseMove(viewport, from + (to - from) * step / 8);
    EXPECT_TRUE(Form->TreeView1->Dragging());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);

    EXPECT_EQ(Shape(nb), (QStringList{"a", "  f", "  b", "  c", "    d", "e"}));
    EXPECT_TRUE(Form->isModify);
    TNotebookNode* moved = nb.NodeAt(1);
    EXPECT_EQ(moved->Parent(), nb.NodeAt(0));
    EXPECT_EQ(moved->Index(), 0);
    EXPECT_EQ(Form->TreeView1->SelectedNode(), moved);
    EXPECT_TRUE(Expanded(0));
    EXPECT_EQ(Form->tn, nb.NodeAt(5)) << "the current snippet is still e";
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("e"));
    // The view shows the model as it is now.
    const QModelIndex parent = Form->TreeModel()->IndexOf(nb.NodeAt(0));
    EXPECT_EQ(Form->TreeModel()->rowCount(parent), 3);
    EXPECT_EQ(Form->TreeModel()->index(0, 0, parent).data().toString(), QStringLiteral("f"));
    EXPECT_EQ(Form->TreeView1->indexAt(centre(1)).data().toString(), QStringLiteral("f"));

    // Dropping c (with a child) onto a, a node with children, makes it a's last child.
    const QPoint c = centre(3);
    QTest::mousePress(viewport, Qt::LeftButton, {}, c);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(viewport, c + (centre(0) - c) * step / 4);
    Form->isModify = false;
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(0));
    EXPECT_EQ(Shape(nb), (QStringList{"a", "  f", "  b", "  c", "    d", "e"}))
        << "c was already a's last child";
    EXPECT_TRUE(Form->isModify) << "the drop onto the parent happened";

    // Escape cancels; a release over the dragged node itself drops nothing.
    Form->isModify = false;
    const QPoint b = centre(2);
    QTest::mousePress(viewport, Qt::LeftButton, {}, b);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(viewport, b + (centre(5) - b) * step / 4);
    QTest::keyClick(Form->TreeView1, Qt::Key_Escape);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(5));
    EXPECT_FALSE(Form->isModify);
    EXPECT_EQ(Shape(nb), (QStringList{"a", "  f", "  b", "  c", "    d", "e"}));
}

TEST_F(Form1TreeTest, NoDragWhileDraggingIsOff) {
    StartFamily();
    Form->TreeView1->expandAll();
    QWidget* viewport = Form->TreeView1->viewport();
    TNotebook& nb = Form->Notebook();
    const QPoint from =
        Form->TreeView1->visualRect(Form->TreeModel()->IndexOf(nb.NodeAt(5))).center();
    const QPoint to =
        Form->TreeView1->visualRect(Form->TreeModel()->IndexOf(nb.NodeAt(1))).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 8; ++step)
        QTest::mouseMove(viewport, from + (to - from) * step / 8);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    EXPECT_FALSE(Form->isModify);
    EXPECT_EQ(Shape(nb), (QStringList{"a", "  b", "  c", "    d", "e", "f"}));
}

class Form1TitleSearchTest : public Form1TreeTest {
protected:
    void Request(const QString& text) {
        Form->FindDialog2->SetFindText(text);
        QTest::mouseClick(Form->FindDialog2->FindNextButton, Qt::LeftButton);
    }
    QString Status() { return Form->PanelText(2); }
};

TEST_F(Form1TitleSearchTest, WalksTheMatchesInTreeOrderThenStartsOver) {
    Start(MakeNotebook(QStringLiteral("t.mrp"), {{0, "Alpha abc", 1, "Alpha abc"},
                                                 {1, "nothing", 1, "nothing"},
                                                 {1, "xABCx", 1, "xABCx\r\nbody"},
                                                 {0, "other", 1, "other"},
                                                 {0, "aBc", 1, "aBc"}}));
    Form->Action("SearchTitleCmd")->trigger();
    ASSERT_NE(Form->FindDialog2, nullptr);
    EXPECT_FALSE(Form->FindDialog2->MatchCaseBox->isVisible());

    Request(QStringLiteral("abc"));
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(0));
    Request(QStringLiteral("abc"));
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(2));
    EXPECT_TRUE(Expanded(0)) << "a hit inside a collapsed parent opens it";
    EXPECT_EQ(Form->Memo().Text(), QStringLiteral("xABCx\r\nbody"));
    EXPECT_EQ(Status(), QString());
    Request(QStringLiteral("abc"));
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(4));
    Request(QStringLiteral("abc"));
    EXPECT_EQ(Status(), QStringLiteral("見つかりませんでした"));
    EXPECT_EQ(Form->SearchIndex, 0);
    Request(QStringLiteral("abc"));
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(0));
    EXPECT_EQ(Status(), QString());

    // An empty request does nothing at all.
    Form->SetPanelText(2, QStringLiteral("kept"));
    Request(QString());
    EXPECT_EQ(Status(), QStringLiteral("kept"));
}

TEST_F(Form1TitleSearchTest, OnlyAsciiLettersFoldCase) {
    Start(MakeNotebook(QStringLiteral("t.mrp"),
                       {{0, "abc", 1, "abc"}, {0, "ＡＢＣ", 1, "ＡＢＣ"}, {0, "Élan", 1, "Élan"}}));
    Form->Action("SearchTitleCmd")->trigger();
    Request(QStringLiteral("ＡＢＣ"));
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(1));
    Request(QStringLiteral("ＡＢＣ"));
    EXPECT_EQ(Status(), QStringLiteral("見つかりませんでした"));
    Request(QStringLiteral("ａｂｃ"));
    EXPECT_EQ(Status(), QStringLiteral("見つかりませんでした"))
        << "full-width letters match only themselves";
    Request(QStringLiteral("élan"));
    EXPECT_EQ(Status(), QStringLiteral("見つかりませんでした"));
    Request(QStringLiteral("ÉLAN"));
    EXPECT_EQ(Form->tn, Form->Notebook().NodeAt(2));
}

TEST_F(Form1TitleSearchTest, AnEmptyNotebookReportsAMiss) {
    Start();
    Form->Action("SearchTitleCmd")->trigger();
    Request(QStringLiteral("x"));
    EXPECT_EQ(Status(), QStringLiteral("見つかりませんでした"));
}

// Icon indexes are stored without a range check; one outside the list draws no icon at all,
// neither a stray one nor a crash.
TEST_F(Form1TreeTest, AnIconIndexOutOfRangeDrawsNothing) {
    // Empty titles: whatever a row shows is its icon.
    Start(
        MakeNotebook(QStringLiteral("icons.mrp"),
                     {{0, "", 1, ""}, {0, "", 51, ""}, {0, "", -1, ""}, {0, "", 2147483647, ""}}));
    EXPECT_TRUE(Form->NodeImageList1().Icon(51).isNull());
    EXPECT_TRUE(Form->NodeImageList1().Icon(-1).isNull());
    const QImage image = Form->TreeView1->viewport()->grab().toImage();
    // Whether the row holds more than one colour.
    auto iconDrawn = [&](int index) {
        const QModelIndex model = Form->TreeModel()->IndexOf(Form->Notebook().NodeAt(index));
        const QRect row = Form->TreeView1->visualRect(model);
        const QColor back = image.pixelColor(row.left(), row.top());
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                if (image.pixelColor(x, y) != back) return true;
        return false;
    };
    EXPECT_TRUE(iconDrawn(0));
    EXPECT_FALSE(iconDrawn(1));
    EXPECT_FALSE(iconDrawn(2));
    EXPECT_FALSE(iconDrawn(3));
}
