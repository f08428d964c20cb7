#include "app/NotebookModel.h"

#include "app/NodeImageList.h"

TNotebookModel::TNotebookModel(TNotebook& notebook, const TNodeImageList& images, QObject* parent)
    : QAbstractItemModel(parent), fNotebook(notebook), fImages(images) {
    fNotebook.SetObserver(this);
}

TNotebookModel::~TNotebookModel() {
    fNotebook.SetObserver(nullptr);
}

QModelIndex TNotebookModel::IndexOf(const TNotebookNode* node) const {
    if (!node) return QModelIndex();
    return createIndex(node->Index(), 0, const_cast<TNotebookNode*>(node));
}

TNotebookNode* TNotebookModel::NodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<TNotebookNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TNotebookModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return QModelIndex();
    const TNotebookNode* owner = NodeOf(parent);
    TNotebookNode* node = owner ? owner->Item(row) : fNotebook.TopLevelItem(row);
    return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex TNotebookModel::parent(const QModelIndex& child) const {
    const TNotebookNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int TNotebookModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const TNotebookNode* node = NodeOf(parent);
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
            return node->Title();
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
    beginInsertRows(IndexOf(parent), row, row);
}

void TNotebookModel::NodeInserted(TNotebookNode*) {
    endInsertRows();
}

void TNotebookModel::NodeAboutToBeRemoved(TNotebookNode* node) {
    beginRemoveRows(IndexOf(node->Parent()), node->Index(), node->Index());
}

void TNotebookModel::NodeRemoved(TNotebookNode*, int) {
    endRemoveRows();
}

void TNotebookModel::NodeAboutToBeMoved(TNotebookNode* node, TNotebookNode* newParent,
                                        int destRow) {
    beginMoveRows(IndexOf(node->Parent()), node->Index(), node->Index(), IndexOf(newParent),
                  destRow);
}

void TNotebookModel::NodeMoved(TNotebookNode*) {
    endMoveRows();
}

void TNotebookModel::NodeChanged(TNotebookNode* node) {
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole});
}

void TNotebookModel::AboutToReset() {
    beginResetModel();
}

void TNotebookModel::Reset() {
    endResetModel();
}
