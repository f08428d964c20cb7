#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The text holder of one snippet: its whole text, lines separated by CR LF.
struct TStext {
    QString text;
};

// One snippet of the notebook: a title, an icon index and an owned text record, placed in
// the tree. Nodes are created and moved only through TNotebook, which keeps the links.
class TNotebookNode {
public:
    const QString& Title() const { return fTitle; }
    int32_t ImageIndex() const { return fImageIndex; }
    TStext* Data() const { return fData.get(); }

    TNotebookNode* Parent() const;        // null for top-level nodes
    int Index() const { return fIndex; }  // position among its siblings
    int Count() const { return static_cast<int>(fChildren.size()); }
    bool HasChildren() const { return !fChildren.empty(); }
    TNotebookNode* Item(int index) const;  // child at index, or null when out of range
    TNotebookNode* FirstChild() const { return Item(0); }
    TNotebookNode* LastChild() const { return Item(Count() - 1); }
    TNotebookNode* NextSibling() const;
    TNotebookNode* PrevSibling() const;
    int Level() const { return fLevel; }  // number of ancestors

    // Pre-order successor and predecessor over the whole tree, or null.
    TNotebookNode* GetNext() const;
    // The same successor, with Level (this node's) changed to the successor's, so a walk
    // over a deep tree never counts ancestors.
    TNotebookNode* GetNext(int& Level) const;
    TNotebookNode* GetPrev() const;
    // True when this node is `node` or one of its descendants.
    bool IsInSubtreeOf(const TNotebookNode* node) const;
    // Pre-order successor that stays inside the subtree of `root`, or null after its last
    // node; walks a subtree of any depth without recursion.
    TNotebookNode* GetNextWithin(const TNotebookNode* root) const;

    ~TNotebookNode();

private:
    friend class TNotebook;
    QString fTitle;
    int32_t fImageIndex = 0;
    std::unique_ptr<TStext> fData;
    TNotebookNode* fParent = nullptr;
    // The tree's hidden root holds the top-level nodes; Parent() hides it.
    bool fIsRoot = false;
    int fIndex = 0;
    // Kept up to date by TNotebook, so views can ask for it on every row they draw.
    int fLevel = 0;
    std::vector<std::unique_ptr<TNotebookNode>> fChildren;
};

// Where a moved node lands, relative to the destination node.
enum class TNodeAttachMode {
    naAdd,       // as the destination's last sibling
    naAddChild,  // as the destination's last child
    naInsert,    // just before the destination
};

// Change notifications for views of the tree. Every structural change is bracketed by an
// "about to" call before and a "done" call after, so a view model can forward them as-is.
// A null parent means the top level. Between BeginUpdate and the last EndUpdate no
// per-node calls arrive; the view gets one reset instead.
struct TNotebookObserver {
    virtual ~TNotebookObserver() = default;
    virtual void NodeAboutToBeInserted(TNotebookNode* parent, int row) = 0;
    virtual void NodeInserted(TNotebookNode* node) = 0;
    virtual void NodeAboutToBeRemoved(TNotebookNode* node) = 0;
    virtual void NodeRemoved(TNotebookNode* parent, int row) = 0;
    // destRow counts positions in the destination before the node leaves its old place.
    virtual void NodeAboutToBeMoved(TNotebookNode* node, TNotebookNode* newParent, int destRow) = 0;
    virtual void NodeMoved(TNotebookNode* node) = 0;
    virtual void NodeChanged(TNotebookNode* node) = 0;  // title or icon
    virtual void AboutToReset() = 0;
    virtual void Reset() = 0;
};

// The tree of snippets, walked in pre-order. Node indexes are 0-based pre-order positions.
class TNotebook {
public:
    TNotebook();
    ~TNotebook();
    TNotebook(const TNotebook&) = delete;
    TNotebook& operator=(const TNotebook&) = delete;

    // Placing new nodes. Each node gets a fresh record when `data` is null.
    // New node last among `sibling`'s siblings; with no sibling, last top-level node.
    TNotebookNode* AddAfter(TNotebookNode* sibling, const QString& title, int32_t imageIndex,
                            std::unique_ptr<TStext> data = nullptr);
    // New node first among `sibling`'s siblings; with no sibling, first top-level node.
    TNotebookNode* AddFirst(TNotebookNode* sibling, const QString& title, int32_t imageIndex,
                            std::unique_ptr<TStext> data = nullptr);
    // New node immediately before `sibling`, under the same parent.
    TNotebookNode* InsertBefore(TNotebookNode* sibling, const QString& title, int32_t imageIndex,
                                std::unique_ptr<TStext> data = nullptr);
    // New node as `parent`'s last child (a top-level node when parent is null).
    TNotebookNode* AddChild(TNotebookNode* parent, const QString& title, int32_t imageIndex,
                            std::unique_ptr<TStext> data = nullptr);

    // Removes the node with its whole subtree, releasing every record in it.
    void Delete(TNotebookNode* node);
    // Removes every node.
    void Clear();

    // Number of nodes in the subtree of `node`, the node included.
    static int SubtreeSize(const TNotebookNode* node);

    // Moves `node` with its subtree. Returns false when the rules make it a no-op: the node
    // is already its parent's last child and asked to go there again, the destination lies
    // inside the node's own subtree, or the node would land where it stands.
    bool Move(TNotebookNode* node, TNotebookNode* destination, TNodeAttachMode mode);

    void SetTitle(TNotebookNode* node, const QString& title);
    void SetImageIndex(TNotebookNode* node, int32_t imageIndex);

    int Count() const { return fCount; }
    bool IsEmpty() const { return fCount == 0; }
    int TopLevelCount() const { return fRoot->Count(); }
    TNotebookNode* TopLevelItem(int index) const { return fRoot->Item(index); }
    TNotebookNode* First() const { return fRoot->FirstChild(); }
    // Node at a pre-order index; raises EListError "不正なインデックス" when out of range.
    TNotebookNode* NodeAt(int index) const;
    // Pre-order index of a node.
    int AbsoluteIndex(const TNotebookNode* node) const;

    // Bulk changes (loading) notify views once, as a reset, when the outer bracket ends.
    void BeginUpdate();
    void EndUpdate();

    void SetObserver(TNotebookObserver* observer) { fObserver = observer; }

    // Calls fn for every node in pre-order.
    void ForEach(const std::function<void(TNotebookNode*)>& fn) const;

private:
    TNotebookNode* Place(TNotebookNode* parent, int row, const QString& title, int32_t imageIndex,
                         std::unique_ptr<TStext> data);
    static void Reindex(TNotebookNode* parent, int from);
    static void SetSubtreeLevel(TNotebookNode* node, int level);
    TNotebookNode* ParentOrRoot(TNotebookNode* node) const { return node ? node : fRoot.get(); }
    bool Notifying() const { return fObserver && fUpdateCount == 0; }

    std::unique_ptr<TNotebookNode> fRoot;
    int fCount = 0;
    int fUpdateCount = 0;
    TNotebookObserver* fObserver = nullptr;
};
