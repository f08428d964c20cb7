#include "app/Notebook.h"

#include "app/NotebookMessages.h"
#include "platform/Errors.h"

// ---- TNotebookNode ---------------------------------------------------------------------

// Frees the subtree without recursion: a hostile file can nest nodes a million levels
// deep, and a recursive release would run out of stack.
TNotebookNode::~TNotebookNode() {
    std::vector<std::unique_ptr<TNotebookNode>> pending = std::move(fChildren);
    while (!pending.empty()) {
        std::unique_ptr<TNotebookNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->fChildren)
            pending.push_back(std::move(child));
        node->fChildren.clear();
    }
}

TNotebookNode* TNotebookNode::Parent() const {
    return (fParent && !fParent->fIsRoot) ? fParent : nullptr;
}

TNotebookNode* TNotebookNode::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return fChildren[static_cast<size_t>(index)].get();
}

TNotebookNode* TNotebookNode::NextSibling() const {
    return fParent ? fParent->Item(fIndex + 1) : nullptr;
}

TNotebookNode* TNotebookNode::PrevSibling() const {
    return fParent ? fParent->Item(fIndex - 1) : nullptr;
}

TNotebookNode* TNotebookNode::GetNext() const {
    if (HasChildren()) return FirstChild();
    for (const TNotebookNode* n = this; n && !n->fIsRoot; n = n->fParent) {
        if (TNotebookNode* next = n->NextSibling()) return next;
    }
    return nullptr;
}

TNotebookNode* TNotebookNode::GetNext(int& Level) const {
    if (HasChildren()) {
        ++Level;
        return FirstChild();
    }
    for (const TNotebookNode* n = this; n && !n->fIsRoot; n = n->fParent, --Level) {
        if (TNotebookNode* next = n->NextSibling()) return next;
    }
    return nullptr;
}

TNotebookNode* TNotebookNode::GetPrev() const {
    TNotebookNode* prev = PrevSibling();
    if (!prev) return Parent();
    while (prev->HasChildren())
        prev = prev->LastChild();
    return prev;
}

TNotebookNode* TNotebookNode::GetNextWithin(const TNotebookNode* root) const {
    if (HasChildren()) return FirstChild();
    for (const TNotebookNode* n = this; n && n != root; n = n->fParent) {
        if (TNotebookNode* next = n->NextSibling()) return next;
    }
    return nullptr;
}

bool TNotebookNode::IsInSubtreeOf(const TNotebookNode* node) const {
    for (const TNotebookNode* n = this; n; n = n->fParent) {
        if (n == node) return true;
    }
    return false;
}

// ---- TNotebook -------------------------------------------------------------------------

TNotebook::TNotebook() : fRoot(std::make_unique<TNotebookNode>()) {
    fRoot->fIsRoot = true;
    fRoot->fLevel = -1;
}

TNotebook::~TNotebook() = default;

TNotebookNode* TNotebook::Place(TNotebookNode* parent, int row, const QString& title,
                                int32_t imageIndex, std::unique_ptr<TStext> data) {
    auto node = std::make_unique<TNotebookNode>();
    node->fTitle = title;
    node->fImageIndex = imageIndex;
    node->fData = data ? std::move(data) : std::make_unique<TStext>();
    node->fParent = parent;
    node->fLevel = parent->fLevel + 1;
    TNotebookNode* raw = node.get();
    const TNotebookNode* publicParent = parent->fIsRoot ? nullptr : parent;
    if (Notifying())
        fObserver->NodeAboutToBeInserted(const_cast<TNotebookNode*>(publicParent), row);
    parent->fChildren.insert(parent->fChildren.begin() + row, std::move(node));
    Reindex(parent, row);
    ++fCount;
    if (Notifying()) fObserver->NodeInserted(raw);
    return raw;
}

void TNotebook::Reindex(TNotebookNode* parent, int from) {
    for (int i = from; i < parent->Count(); ++i)
        parent->fChildren[static_cast<size_t>(i)]->fIndex = i;
}

void TNotebook::SetSubtreeLevel(TNotebookNode* node, int level) {
    const int delta = level - node->fLevel;
    if (delta == 0) return;
    for (TNotebookNode* n = node; n; n = n->GetNextWithin(node))
        n->fLevel += delta;
}

int TNotebook::SubtreeSize(const TNotebookNode* node) {
    int size = 0;
    for (const TNotebookNode* n = node; n; n = n->GetNextWithin(node))
        ++size;
    return size;
}

TNotebookNode* TNotebook::AddAfter(TNotebookNode* sibling, const QString& title, int32_t imageIndex,
                                   std::unique_ptr<TStext> data) {
    TNotebookNode* parent = sibling ? sibling->fParent : fRoot.get();
    return Place(parent, parent->Count(), title, imageIndex, std::move(data));
}

TNotebookNode* TNotebook::AddFirst(TNotebookNode* sibling, const QString& title, int32_t imageIndex,
                                   std::unique_ptr<TStext> data) {
    TNotebookNode* parent = sibling ? sibling->fParent : fRoot.get();
    return Place(parent, 0, title, imageIndex, std::move(data));
}

TNotebookNode* TNotebook::InsertBefore(TNotebookNode* sibling, const QString& title,
                                       int32_t imageIndex, std::unique_ptr<TStext> data) {
    if (!sibling) return AddFirst(nullptr, title, imageIndex, std::move(data));
    return Place(sibling->fParent, sibling->fIndex, title, imageIndex, std::move(data));
}

TNotebookNode* TNotebook::AddChild(TNotebookNode* parent, const QString& title, int32_t imageIndex,
                                   std::unique_ptr<TStext> data) {
    TNotebookNode* owner = ParentOrRoot(parent);
    return Place(owner, owner->Count(), title, imageIndex, std::move(data));
}

void TNotebook::Delete(TNotebookNode* node) {
    if (!node || node->fIsRoot) return;
    TNotebookNode* parent = node->fParent;
    const int row = node->fIndex;
    if (Notifying()) fObserver->NodeAboutToBeRemoved(node);
    fCount -= SubtreeSize(node);
    // Releasing the unique_ptr frees the node, its subtree and every record in it.
    parent->fChildren.erase(parent->fChildren.begin() + row);
    Reindex(parent, row);
    if (Notifying()) fObserver->NodeRemoved(parent->fIsRoot ? nullptr : parent, row);
}

void TNotebook::Clear() {
    const bool notify = Notifying();
    if (notify) fObserver->AboutToReset();
    fRoot->fChildren.clear();
    fCount = 0;
    if (notify) fObserver->Reset();
}

bool TNotebook::Move(TNotebookNode* node, TNotebookNode* destination, TNodeAttachMode mode) {
    if (!node || !destination || node == destination) return false;
    if (mode == TNodeAttachMode::naAddChild && destination == node->Parent() &&
        node->NextSibling() == nullptr)
        return false;
    if (destination->IsInSubtreeOf(node)) return false;

    TNotebookNode* newParent =
        mode == TNodeAttachMode::naAddChild ? destination : destination->fParent;
    // Row in the new parent, counted before the node leaves its old place.
    int destRow;
    if (mode == TNodeAttachMode::naInsert) {
        TNotebookNode* prev = destination->PrevSibling();
        if (prev == node) return false;
        destRow = prev ? prev->fIndex + 1 : 0;
    } else {
        destRow = newParent->Count();
    }
    TNotebookNode* oldParent = node->fParent;
    const int oldRow = node->fIndex;
    if (oldParent == newParent && (destRow == oldRow || destRow == oldRow + 1)) return false;

    if (Notifying())
        fObserver->NodeAboutToBeMoved(node, newParent->fIsRoot ? nullptr : newParent, destRow);
    std::unique_ptr<TNotebookNode> owned =
        std::move(oldParent->fChildren[static_cast<size_t>(oldRow)]);
    oldParent->fChildren.erase(oldParent->fChildren.begin() + oldRow);
    int insertRow = destRow;
    if (oldParent == newParent && destRow > oldRow) --insertRow;
    owned->fParent = newParent;
    SetSubtreeLevel(owned.get(), newParent->fLevel + 1);
    newParent->fChildren.insert(newParent->fChildren.begin() + insertRow, std::move(owned));
    if (oldParent == newParent) {
        Reindex(newParent, std::min(oldRow, insertRow));
    } else {
        Reindex(oldParent, oldRow);
        Reindex(newParent, insertRow);
    }
    if (Notifying()) fObserver->NodeMoved(node);
    return true;
}

void TNotebook::SetTitle(TNotebookNode* node, const QString& title) {
    if (!node || node->fTitle == title) return;
    node->fTitle = title;
    if (Notifying()) fObserver->NodeChanged(node);
}

void TNotebook::SetImageIndex(TNotebookNode* node, int32_t imageIndex) {
    if (!node || node->fImageIndex == imageIndex) return;
    node->fImageIndex = imageIndex;
    if (Notifying()) fObserver->NodeChanged(node);
}

TNotebookNode* TNotebook::NodeAt(int index) const {
    if (index < 0 || index >= fCount) throw EListError(NotebookMessages::InvalidIndex());
    TNotebookNode* node = First();
    for (int i = 0; i < index && node; ++i)
        node = node->GetNext();
    return node;
}

int TNotebook::AbsoluteIndex(const TNotebookNode* node) const {
    int index = 0;
    for (TNotebookNode* n = First(); n; n = n->GetNext(), ++index) {
        if (n == node) return index;
    }
    return -1;
}

void TNotebook::BeginUpdate() {
    if (fUpdateCount++ == 0 && fObserver) fObserver->AboutToReset();
}

void TNotebook::EndUpdate() {
    if (fUpdateCount == 0) return;
    if (--fUpdateCount == 0 && fObserver) fObserver->Reset();
}

void TNotebook::ForEach(const std::function<void(TNotebookNode*)>& fn) const {
    for (TNotebookNode* n = First(); n; n = n->GetNext())
        fn(n);
}
