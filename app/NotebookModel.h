#pragma once

#include <QAbstractItemModel>

#include "app/Notebook.h"

class TNodeImageList;

// Shows a TNotebook in a QTreeView. It holds no copy of the tree: every index points at a
// node, and the notebook's change notifications are passed on to the view as they happen.
//
// Only the first kShownLevels levels are shown: deeper snippets stay in the notebook (they
// are saved and exported with it) but have no index, and a node on the last shown level
// shows no children. QTreeView lays out expanded rows by recursion, one call per level, so
// a hostile file nested tens of thousands of levels deep would otherwise overflow the stack
// on "expand all"; no one nests snippets a thousand levels deep by hand.
class TNotebookModel : public QAbstractItemModel, private TNotebookObserver {
    Q_OBJECT
public:
    static constexpr int kShownLevels = 1000;

    TNotebookModel(TNotebook& notebook, const TNodeImageList& images, QObject* parent = nullptr);
    ~TNotebookModel() override;

    // The node's index, or an invalid one for null and for nodes below the shown levels.
    QModelIndex IndexOf(const TNotebookNode* node) const;
    static bool IsShown(const TNotebookNode* node) { return node->Level() < kShownLevels; }
    // The longest title the view is given; a longer one is cut there and marked, so no row
    // ever lays out megabytes of text.
    static constexpr qsizetype kShownTitleLength = 1024;
    static TNotebookNode* NodeOf(const QModelIndex& index);

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;

private:
    void NodeAboutToBeInserted(TNotebookNode* parent, int row) override;
    void NodeInserted(TNotebookNode* node) override;
    void NodeAboutToBeRemoved(TNotebookNode* node) override;
    void NodeRemoved(TNotebookNode* parent, int row) override;
    void NodeAboutToBeMoved(TNotebookNode* node, TNotebookNode* newParent, int destRow) override;
    void NodeMoved(TNotebookNode* node) override;
    void NodeChanged(TNotebookNode* node) override;
    void AboutToReset() override;
    void Reset() override;
    static bool ShowsChildrenOf(const TNotebookNode* node) {
        return !node || node->Level() + 1 < kShownLevels;
    }

    // Which notification the last "about to" call began, so the "done" call ends the same.
    enum class TPending { None, Rows, Move, Reset };
    TPending fPending = TPending::None;
    TNotebook& fNotebook;
    const TNodeImageList& fImages;
};
