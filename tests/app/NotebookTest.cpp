#include <gtest/gtest.h>

#include "app/Notebook.h"
#include "platform/Errors.h"

namespace {

// The tree shape as titles with children in brackets, e.g. "a(b,c),d". It also checks the
// links every node keeps: parent, index among its siblings, and the node count.
std::string Shape(const TNotebook& notebook) {
    std::function<std::string(TNotebookNode*)> subtree = [&](TNotebookNode* node) {
        std::string out = node->Title().toStdString();
        if (!node->HasChildren()) return out;
        out += '(';
        for (int i = 0; i < node->Count(); ++i) {
            TNotebookNode* child = node->Item(i);
            EXPECT_EQ(child->Parent(), node) << child->Title().toStdString();
            EXPECT_EQ(child->Index(), i) << child->Title().toStdString();
            if (i) out += ',';
            out += subtree(child);
        }
        out += ')';
        return out;
    };
    std::string out;
    for (int i = 0; i < notebook.TopLevelCount(); ++i) {
        TNotebookNode* node = notebook.TopLevelItem(i);
        EXPECT_EQ(node->Parent(), nullptr);
        EXPECT_EQ(node->Index(), i);
        if (i) out += ',';
        out += subtree(node);
    }
    int counted = 0;
    notebook.ForEach([&counted](TNotebookNode*) { ++counted; });
    EXPECT_EQ(counted, notebook.Count());
    return out;
}

// a(a1(a11),a2),b(b1),c
struct TSampleTree {
    TNotebook notebook;
    TNotebookNode* a = notebook.AddChild(nullptr, QStringLiteral("a"), 1);
    TNotebookNode* a1 = notebook.AddChild(a, QStringLiteral("a1"), 1);
    TNotebookNode* a11 = notebook.AddChild(a1, QStringLiteral("a11"), 1);
    TNotebookNode* a2 = notebook.AddChild(a, QStringLiteral("a2"), 1);
    TNotebookNode* b = notebook.AddChild(nullptr, QStringLiteral("b"), 1);
    TNotebookNode* b1 = notebook.AddChild(b, QStringLiteral("b1"), 1);
    TNotebookNode* c = notebook.AddChild(nullptr, QStringLiteral("c"), 1);
};

}  // namespace

TEST(Notebook, PlacesNewNodesRelativeToASibling) {
    TNotebook notebook;
    TNotebookNode* first = notebook.AddAfter(nullptr, QStringLiteral("x"), 3);
    notebook.AddFirst(nullptr, QStringLiteral("w"), 1);
    notebook.AddAfter(first, QStringLiteral("z"), 1);
    notebook.InsertBefore(notebook.NodeAt(2), QStringLiteral("y"), 1);
    EXPECT_EQ(Shape(notebook), "w,x,y,z");

    TNotebookNode* child = notebook.AddChild(first, QStringLiteral("x2"), 1);
    notebook.AddFirst(child, QStringLiteral("x0"), 1);
    notebook.InsertBefore(child, QStringLiteral("x1"), 1);
    notebook.AddAfter(notebook.NodeAt(2), QStringLiteral("x3"),
                      1);  // "x0": last among its siblings
    EXPECT_EQ(Shape(notebook), "w,x(x0,x1,x2,x3),y,z");
    EXPECT_EQ(notebook.Count(), 8);

    EXPECT_EQ(first->ImageIndex(), 3);
    ASSERT_NE(first->Data(), nullptr);
    EXPECT_NE(first->Data(), child->Data()) << "every node gets its own record";
    auto data = std::make_unique<TStext>();
    data->text = QStringLiteral("given");
    EXPECT_EQ(notebook.AddChild(nullptr, QString(), 0, std::move(data))->Data()->text,
              QStringLiteral("given"));
}

TEST(Notebook, WalksInPreOrderWithLevelsAndIndexes) {
    TSampleTree t;
    const std::vector<TNotebookNode*> order = {t.a, t.a1, t.a11, t.a2, t.b, t.b1, t.c};
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(t.notebook.NodeAt(static_cast<int>(i)), order[i]);
        EXPECT_EQ(t.notebook.AbsoluteIndex(order[i]), static_cast<int>(i));
        EXPECT_EQ(order[i]->GetNext(), i + 1 < order.size() ? order[i + 1] : nullptr);
        EXPECT_EQ(order[i]->GetPrev(), i > 0 ? order[i - 1] : nullptr);
    }
    EXPECT_EQ(t.a->Level(), 0);
    EXPECT_EQ(t.a11->Level(), 2);
    EXPECT_EQ(t.b1->Level(), 1);
    EXPECT_EQ(t.a11->GetNext(), t.a2) << "climbs out of the deepest node";
    EXPECT_EQ(t.b->GetPrev(), t.a2) << "steps into the last descendant";

    for (int index : {-1, 7}) {
        try {
            t.notebook.NodeAt(index);
            FAIL() << "no error for index " << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("不正なインデックス"));
        }
    }
}

TEST(Notebook, DeletesWholeSubtreesAndClears) {
    TSampleTree t;
    t.notebook.Delete(t.a1);
    EXPECT_EQ(Shape(t.notebook), "a(a2),b(b1),c");
    EXPECT_EQ(t.notebook.Count(), 5);
    t.notebook.Delete(t.a);
    EXPECT_EQ(Shape(t.notebook), "b(b1),c");
    EXPECT_EQ(t.notebook.Count(), 3);
    EXPECT_EQ(t.notebook.NodeAt(2), t.c);
    t.notebook.Clear();
    EXPECT_TRUE(t.notebook.IsEmpty());
    EXPECT_EQ(t.notebook.First(), nullptr);
    EXPECT_EQ(Shape(t.notebook), "");
}

TEST(Notebook, MovesNodesWithTheirSubtreesInEachMode) {
    {
        TSampleTree t;
        EXPECT_TRUE(t.notebook.Move(t.a1, t.c, TNodeAttachMode::naAdd));
        EXPECT_EQ(Shape(t.notebook), "a(a2),b(b1),c,a1(a11)");
    }
    {
        TSampleTree t;
        EXPECT_TRUE(t.notebook.Move(t.a, t.b1, TNodeAttachMode::naAddChild));
        EXPECT_EQ(Shape(t.notebook), "b(b1(a(a1(a11),a2))),c");
        EXPECT_EQ(t.a11->Level(), 4);
    }
    {
        TSampleTree t;
        // Before a first child: first under its parent.
        EXPECT_TRUE(t.notebook.Move(t.c, t.a1, TNodeAttachMode::naInsert));
        EXPECT_EQ(Shape(t.notebook), "a(c,a1(a11),a2),b(b1)");
    }
    {
        TSampleTree t;
        // Before a later node: right after that node's previous sibling.
        EXPECT_TRUE(t.notebook.Move(t.b1, t.a2, TNodeAttachMode::naInsert));
        EXPECT_EQ(Shape(t.notebook), "a(a1(a11),b1,a2),b,c");
    }
    {
        TSampleTree t;
        // Within one parent, downwards and upwards.
        EXPECT_TRUE(t.notebook.Move(t.a, t.c, TNodeAttachMode::naAdd));
        EXPECT_EQ(Shape(t.notebook), "b(b1),c,a(a1(a11),a2)");
        EXPECT_TRUE(t.notebook.Move(t.a, t.b, TNodeAttachMode::naInsert));
        EXPECT_EQ(Shape(t.notebook), "a(a1(a11),a2),b(b1),c");
        EXPECT_TRUE(t.notebook.Move(t.a, t.c, TNodeAttachMode::naInsert));
        EXPECT_EQ(Shape(t.notebook), "b(b1),a(a1(a11),a2),c");
    }
}

TEST(Notebook, MovesThatChangeNothingAreRefused) {
    TSampleTree t;
    const std::string before = Shape(t.notebook);
    // Already its parent's last child.
    EXPECT_FALSE(t.notebook.Move(t.a2, t.a, TNodeAttachMode::naAddChild));
    // Onto itself or into its own subtree.
    EXPECT_FALSE(t.notebook.Move(t.a, t.a, TNodeAttachMode::naAddChild));
    EXPECT_FALSE(t.notebook.Move(t.a, t.a1, TNodeAttachMode::naAdd));
    EXPECT_FALSE(t.notebook.Move(t.a, t.a11, TNodeAttachMode::naAddChild));
    EXPECT_FALSE(t.notebook.Move(t.a, t.a11, TNodeAttachMode::naInsert));
    // Before its own next sibling, or last among siblings where it already is last.
    EXPECT_FALSE(t.notebook.Move(t.a1, t.a2, TNodeAttachMode::naInsert));
    EXPECT_FALSE(t.notebook.Move(t.c, t.a, TNodeAttachMode::naAdd));
    EXPECT_FALSE(t.notebook.Move(nullptr, t.a, TNodeAttachMode::naAdd));
    EXPECT_FALSE(t.notebook.Move(t.a, nullptr, TNodeAttachMode::naAdd));
    EXPECT_EQ(Shape(t.notebook), before);
}

TEST(Notebook, AnnouncesMovesWithTheRowBeforeTheNodeLeaves) {
    struct TMoves : TNotebookObserver {
        std::vector<std::pair<TNotebookNode*, int>> about;
        int done = 0;
        void NodeAboutToBeInserted(TNotebookNode*, int) override {}
        void NodeInserted(TNotebookNode*) override {}
        void NodeAboutToBeRemoved(TNotebookNode*) override {}
        void NodeRemoved(TNotebookNode*, int) override {}
        void NodeAboutToBeMoved(TNotebookNode*, TNotebookNode* parent, int row) override {
            about.emplace_back(parent, row);
        }
        void NodeMoved(TNotebookNode*) override { ++done; }
        void NodeChanged(TNotebookNode*) override {}
        void AboutToReset() override {}
        void Reset() override {}
    } moves;
    TSampleTree t;
    t.notebook.SetObserver(&moves);
    t.notebook.Move(t.a, t.c, TNodeAttachMode::naAdd);        // top level, row 0 to the end
    t.notebook.Move(t.b1, t.a1, TNodeAttachMode::naInsert);   // into a, before a1
    t.notebook.Move(t.a2, t.a, TNodeAttachMode::naAddChild);  // already last: no call
    t.notebook.SetObserver(nullptr);
    ASSERT_EQ(moves.about.size(), 2u);
    EXPECT_EQ(moves.about[0], std::make_pair(static_cast<TNotebookNode*>(nullptr), 3));
    EXPECT_EQ(moves.about[1], std::make_pair(t.a, 0));
    EXPECT_EQ(moves.done, 2);
    EXPECT_EQ(Shape(t.notebook), "b,c,a(b1,a1(a11),a2)");
}

TEST(Notebook, ReleasesVeryDeepTreesWithoutRecursion) {
    // A hostile file can nest snippets a level deeper each; freeing must not use the stack.
    auto notebook = std::make_unique<TNotebook>();
    TNotebookNode* node = nullptr;
    for (int i = 0; i < 300000; ++i)
        node = notebook->AddChild(node, QString(), 1);
    EXPECT_EQ(notebook->Count(), 300000);
    TNotebookNode* middle = notebook->First();
    for (int i = 0; i < 1000; ++i)
        middle = middle->FirstChild();
    notebook->Delete(middle);
    EXPECT_EQ(notebook->Count(), 1000);
    notebook.reset();
}
