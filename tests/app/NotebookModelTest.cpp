#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "app/NodeImageList.h"
#include "app/NotebookModel.h"
#include "resources/Resources.h"

namespace {

constexpr int kShown = TNotebookModel::kShownLevels;

// A notebook with a chain nested five levels past the deepest shown one, under the first
// top-level snippet, and a second top-level snippet. The model is checked by Qt's own model
// tester after every change.
struct TCutNotebook {
    TCutNotebook() {
        InitMarrowpadResources();
        TNotebookNode* node = nullptr;
        for (int i = 0; i < kShown + 5; ++i) {
            node = notebook.AddChild(node, QStringLiteral("level %1").arg(i), 1);
            chain.push_back(node);
        }
        other = notebook.AddChild(nullptr, QStringLiteral("other"), 1);
    }
    TNotebook notebook;
    TNodeImageList images;
    TNotebookModel model{notebook, images};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    std::vector<TNotebookNode*> chain;  // chain[i] is on level i
    TNotebookNode* other = nullptr;
};

}  // namespace

TEST(NotebookModel, ShowsTheFirstLevelsAndKeepsTheRestOfTheTree) {
    TCutNotebook t;
    EXPECT_TRUE(t.model.IndexOf(t.chain[kShown - 1]).isValid());
    EXPECT_EQ(t.model.rowCount(t.model.IndexOf(t.chain[kShown - 2])), 1);
    EXPECT_EQ(t.model.rowCount(t.model.IndexOf(t.chain[kShown - 1])), 0);
    EXPECT_FALSE(t.model.hasChildren(t.model.IndexOf(t.chain[kShown - 1])));
    EXPECT_FALSE(t.model.index(0, 0, t.model.IndexOf(t.chain[kShown - 1])).isValid());
    EXPECT_FALSE(t.model.IndexOf(t.chain[kShown]).isValid());
    EXPECT_EQ(t.model.parent(t.model.IndexOf(t.chain[kShown - 1])),
              t.model.IndexOf(t.chain[kShown - 2]));
    EXPECT_EQ(t.notebook.Count(), kShown + 6) << "the tree itself is whole";
}

TEST(NotebookModel, ChangesBelowTheShownLevelsReachNoView) {
    TCutNotebook t;
    QSignalSpy inserted(&t.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&t.model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&t.model, &QAbstractItemModel::dataChanged);
    t.notebook.AddChild(t.chain[kShown - 1], QStringLiteral("hidden"), 1);
    t.notebook.SetTitle(t.chain[kShown + 1], QStringLiteral("renamed"));
    t.notebook.Delete(t.chain[kShown + 2]);
    EXPECT_EQ(inserted.count() + removed.count() + changed.count(), 0);

    t.notebook.AddChild(t.chain[kShown - 2], QStringLiteral("shown"), 1);
    t.notebook.Delete(t.chain[kShown]);
    t.notebook.SetTitle(t.chain[kShown - 1], QStringLiteral("renamed"));
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(removed.count(), 0) << "the removed node was never shown";
    EXPECT_EQ(changed.count(), 1);
}

TEST(NotebookModel, AMoveAcrossTheCutStartsTheViewOver) {
    TCutNotebook t;
    QSignalSpy moved(&t.model, &QAbstractItemModel::rowsMoved);
    QSignalSpy reset(&t.model, &QAbstractItemModel::modelReset);
    // Within the shown levels, on the same level: an ordinary move.
    t.notebook.Move(t.other, t.chain[0], TNodeAttachMode::naInsert);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(reset.count(), 0);
    // Level 10 to the top: the levels under it rise past the cut and come into view.
    t.notebook.Move(t.chain[10], t.other, TNodeAttachMode::naAdd);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_TRUE(t.model.IndexOf(t.chain[kShown + 4]).isValid());
    EXPECT_EQ(t.chain[kShown + 4]->Level(), kShown - 6);
    // And back under the deepest shown node: out of view altogether.
    t.notebook.Move(t.chain[10], t.chain[9], TNodeAttachMode::naAddChild);
    EXPECT_EQ(reset.count(), 2);
    EXPECT_EQ(t.chain[kShown + 4]->Level(), kShown + 4);
    EXPECT_FALSE(t.model.IndexOf(t.chain[kShown]).isValid());
    // Moves entirely below the cut reach no view.
    t.notebook.Move(t.chain[kShown + 3], t.chain[kShown], TNodeAttachMode::naAdd);
    EXPECT_EQ(moved.count() + reset.count(), 3);
}

TEST(NotebookModel, ShowsAtMostABoundedPrefixOfATitle) {
    TNotebook notebook;
    TNodeImageList images;
    TNotebookModel model(notebook, images);
    const QString huge = QString(2 * 1024 * 1024, u'a');
    notebook.AddChild(nullptr, huge, 1);
    notebook.AddChild(nullptr, QStringLiteral("short"), 1);
    const QString shown = model.data(model.index(0, 0)).toString();
    EXPECT_EQ(shown, huge.left(TNotebookModel::kShownTitleLength - 1) + QChar(0x2026));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::ToolTipRole).toString(), shown);
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), QStringLiteral("short"));
    EXPECT_EQ(notebook.First()->Title(), huge);

    // The cut never splits a surrogate pair.
    notebook.SetTitle(notebook.First(), QStringLiteral("\U0001F600").repeated(2000));
    const QString pairs = model.data(model.index(0, 0)).toString();
    EXPECT_EQ(pairs, QStringLiteral("\U0001F600").repeated(511) + QChar(0x2026));
}
