#include "app/NotebookModel.h"

#include <algorithm>
#include <utility>

#include "app/NodeImageList.h"
#include "app/TextUtils.h"

namespace {
// True when some node of `node`'s subtree lies `depth` or more levels below it.
bool ReachesDepth(const TNotebookNode* node, int depth) {
    for (const TNotebookNode* n = node; n; n = n->GetNextWithin(node)) {
        if (n->Level() - node->Level() >= depth) return true;
    }
    return false;
}
}  // namespace

TNotebookModel::TNotebookModel(TNotebook& notebook, const TNodeImageList& images, QObject* parent)
    : QAbstractItemModel(parent), fNotebook(notebook), fImages(images) {
    fNotebook.SetObserver(this);
}

TNotebookModel::~TNotebookModel() {
    fNotebook.SetObserver(nullptr);
}

QModelIndex TNotebookModel::IndexOf(const TNotebookNode* node) const {
    if (!node || !IsShown(node)) return QModelIndex();
    return createIndex(node->Index(), 0, const_cast<TNotebookNode*>(node));
}

TNotebookNode* TNotebookModel::NodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<TNotebookNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TNotebookModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return QModelIndex();
    const TNotebookNode* owner = NodeOf(parent);
    if (!ShowsChildrenOf(owner)) return QModelIndex();
    TNotebookNode* node = owner ? owner->Item(row) : fNotebook.TopLevelItem(row);
    return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex TNotebookModel::parent(const QModelIndex& child) const {
    // The parent of a shown node is shown.
    const TNotebookNode* node = NodeOf(child);
    TNotebookNode* up = node ? node->Parent() : nullptr;
    return up ? createIndex(up->Index(), 0, up) : QModelIndex();
}

int TNotebookModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const TNotebookNode* node = NodeOf(parent);
    if (!ShowsChildrenOf(node)) return 0;
    return node ? node->Count() : fNotebook.TopLevelCount();
}

int TNotebookModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool TNotebookModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant TNotebookModel::data(const QModelIndex& index, int role) const {
    const TNotebookNode* node = NodeOf(index);
    if (!node) return QVariant();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return BoundedPrefix(node->Title(), kShownTitleLength);
        case Qt::DecorationRole:
            return fImages.Icon(node->ImageIndex());
        default:
            return QVariant();
    }
}

Qt::ItemFlags TNotebookModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

void TNotebookModel::NodeAboutToBeInserted(TNotebookNode* parent, int row) {
    fPending = ShowsChildrenOf(parent) ? TPending::Rows : TPending::None;
    if (fPending == TPending::Rows) beginInsertRows(IndexOf(parent), row, row);
}

void TNotebookModel::NodeInserted(TNotebookNode*) {
    if (std::exchange(fPending, TPending::None) == TPending::Rows) endInsertRows();
}

void TNotebookModel::NodeAboutToBeRemoved(TNotebookNode* node) {
    fPending = IsShown(node) ? TPending::Rows : TPending::None;
    if (fPending == TPending::Rows)
        beginRemoveRows(IndexOf(node->Parent()), node->Index(), node->Index());
}

void TNotebookModel::NodeRemoved(TNotebookNode*, int) {
    if (std::exchange(fPending, TPending::None) == TPending::Rows) endRemoveRows();
}

void TNotebookModel::NodeAboutToBeMoved(TNotebookNode* node, TNotebookNode* newParent,
                                        int destRow) {
    const int oldLevel = node->Level();
    const int newLevel = newParent ? newParent->Level() + 1 : 0;
    if (oldLevel >= kShownLevels && newLevel >= kShownLevels) {
        fPending = TPending::None;
    } else if (oldLevel == newLevel ||
               !ReachesDepth(node, kShownLevels - std::max(oldLevel, newLevel))) {
        // The subtree is shown whole before and after.
        fPending = TPending::Move;
        beginMoveRows(IndexOf(node->Parent()), node->Index(), node->Index(), IndexOf(newParent),
                      destRow);
    } else {
        // Some levels of the subtree cross the cut: rows appear or vanish under the moved
        // node. Only a hostile file gets here, so the view simply starts over.
        fPending = TPending::Reset;
        beginResetModel();
    }
}

void TNotebookModel::NodeMoved(TNotebookNode*) {
    switch (std::exchange(fPending, TPending::None)) {
        case TPending::Move:
            endMoveRows();
            break;
        case TPending::Reset:
            endResetModel();
            break;
        default:
            break;
    }
}

void TNotebookModel::NodeChanged(TNotebookNode* node) {
    if (!IsShown(node)) return;
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole});
}

void TNotebookModel::AboutToReset() {
    beginResetModel();
}

void TNotebookModel::Reset() {
    endResetModel();
}
