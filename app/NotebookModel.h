#pragma once

#include <QAbstractItemModel>

#include "app/Notebook.h"

class TNodeImageList;

// Shows a TNotebook in a QTreeView. It holds no copy of the tree: every index points at a
// node, and the notebook's change notifications are passed on to the view as they happen.
class TNotebookModel : public QAbstractItemModel, private TNotebookObserver {
    Q_OBJECT
public:
    TNotebookModel(TNotebook& notebook, const TNodeImageList& images, QObject* parent = nullptr);
    ~TNotebookModel() override;

    QModelIndex IndexOf(const TNotebookNode* node) const;
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

    TNotebook& fNotebook;
    const TNodeImageList& fImages;
};
