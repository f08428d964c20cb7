// The tree editing commands of the main window: add, insert, add child, delete, the four
// moves, drag and drop, expand and collapse all, and the snippet icon.
#include <QComboBox>
#include <QItemSelectionModel>
#include <vector>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/Form1Messages.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "app/TextUtils.h"
#include "platform/DialogService.h"

namespace {
const QString kNewSnippetTitle = Form1Messages::NewSnippetTitle();
}

// Next sibling: the first pre-order successor on the same level, before the walk leaves the
// parent. The sibling link gives the same node without walking the subtree in between.
TNotebookNode* TForm1::FindNextSameLevel(TNotebookNode* node) const {
    return node ? node->NextSibling() : nullptr;
}

TNotebookNode* TForm1::FindPrevSameLevel(TNotebookNode* node) const {
    return node ? node->PrevSibling() : nullptr;
}

bool TForm1::IsParentNode(TNotebookNode* node) const {
    return node && node->HasChildren();
}

void TForm1::SelectNode(TNotebookNode* node) {
    const QModelIndex index = fTreeModel->IndexOf(node);
    // Selecting a node shows it: its collapsed ancestors open.
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        TreeView1->expand(p);
    TreeView1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    TreeView1->scrollTo(index);
}

void TForm1::AddSnippet(TNewSnippetPlace place) {
    if (fNotebook.IsEmpty()) tn = nullptr;
    Commit();
    const QString oldTitle = tn ? tn->Title() : QString();
    // Setting the text retitles the current snippet through the title follow; its own
    // title is given back below.
    ReplaceEditorText(kNewSnippetTitle);
    auto record = std::make_unique<TStext>();
    const int32_t icon = ComboBoxEx1->currentIndex() + 1;
    TNotebookNode* created;
    if (tn) {
        fNotebook.SetTitle(tn, oldTitle);
        created = place == TNewSnippetPlace::AfterCurrent
                      ? fNotebook.AddAfter(tn, kNewSnippetTitle, icon, std::move(record))
                      : fNotebook.InsertBefore(tn, kNewSnippetTitle, icon, std::move(record));
    } else {
        created = fNotebook.AddFirst(nullptr, kNewSnippetTitle, icon, std::move(record));
        fMemo->SetReadOnly(false);
        SetPanelText(1, kNewSnippetTitle);
    }
    tn = created;
    fMemo->SelectAll();
    fMemo->SetFocus();
    isModify = true;
    SelectNode(created);
}

void TForm1::AddBtnClick() {
    AddSnippet(TNewSnippetPlace::AfterCurrent);
}

void TForm1::BtnInsertClick() {
    AddSnippet(TNewSnippetPlace::BeforeCurrent);
}

void TForm1::BtnChildClick() {
    // Without a current snippet there is no parent: leave the editor alone.
    if (!tn || fNotebook.IsEmpty()) return;
    Commit();
    auto record = std::make_unique<TStext>();
    const QString oldTitle = tn->Title();
    ReplaceEditorText(kNewSnippetTitle);
    fMemo->SelectAll();
    fMemo->SetFocus();
    fNotebook.SetTitle(tn, oldTitle);
    TNotebookNode* parent = tn;
    tn = fNotebook.AddChild(parent, kNewSnippetTitle, ComboBoxEx1->currentIndex() + 1,
                            std::move(record));
    // An invalid index would expand the whole tree: a parent the tree does not show
    // stays as it is.
    if (const QModelIndex shown = fTreeModel->IndexOf(parent); shown.isValid())
        TreeView1->expandRecursively(shown);
    isModify = true;
    SelectNode(tn);
}

void TForm1::BtnDeleteClick() {
    if (!tn) return;
    // A message box lays out all it is given: a huge title is cut short.
    if (!TDialogService::Instance().Confirm(
            this, Form1Messages::DeletePrompt().arg(BoundedPrefix(PanelText(1), 256))))
        return;
    TNotebookNode* doomed = tn;
    tn = nullptr;
    fNotebook.Delete(doomed);
    isModify = true;
    TreeView1->selectionModel()->clear();
    TreeView1->viewport()->update();
    ClearEditor();
    // Nothing is current: the editor takes no typing, and the title panel names no snippet.
    fMemo->SetReadOnly(true);
    SetPanelText(1, QString());
}

void TForm1::CollapseSubtree(TNotebookNode* node) {
    // Only parents can be expanded, so leaves are skipped; no recursion, as trees can be deep.
    std::vector<TNotebookNode*> pending{node};
    while (!pending.empty()) {
        TNotebookNode* n = pending.back();
        pending.pop_back();
        if (!n->HasChildren()) continue;
        TreeView1->collapse(fTreeModel->IndexOf(n));
        for (int i = 0; i < n->Count(); ++i)
            pending.push_back(n->Item(i));
    }
}

void TForm1::MoveNode(TNotebookNode* node, TNotebookNode* destination, TNodeAttachMode mode) {
    TNotebookNode* oldParent = node->Parent();
    const bool onlyChild = oldParent && oldParent->Count() == 1;
    const bool selected = TreeView1->SelectedNode() == node;
    if (!fNotebook.Move(node, destination, mode)) return;
    // A move across the deepest shown level starts the view over, which drops the selection.
    if (selected && TreeView1->SelectedNode() != node) SelectNode(node);
    // A parent that lost its last child shows no expand button and stays closed.
    if (onlyChild) TreeView1->collapse(fTreeModel->IndexOf(oldParent));
    CollapseSubtree(node);
    if (TNotebookNode* parent = node->Parent()) TreeView1->expand(fTreeModel->IndexOf(parent));
    TreeView1->scrollTo(fTreeModel->IndexOf(node));
}

void TForm1::BtnUpClick() {
    if (!tn) return;
    TNotebookNode* prev = FindPrevSameLevel(tn);
    if (!prev) return;
    MoveNode(tn, prev, TNodeAttachMode::naInsert);
    isModify = true;
}

void TForm1::BtnDownClick() {
    if (!tn) return;
    TNotebookNode* next = FindNextSameLevel(tn);
    if (!next) return;
    if (TNotebookNode* afterNext = FindNextSameLevel(next))
        MoveNode(tn, afterNext, TNodeAttachMode::naInsert);
    else
        MoveNode(tn, next, TNodeAttachMode::naAdd);
    isModify = true;
}

void TForm1::BtnLeftClick() {
    if (!tn || !tn->Parent()) return;
    TNotebookNode* parent = tn->Parent();
    if (TNotebookNode* parentNext = FindNextSameLevel(parent))
        MoveNode(tn, parentNext, TNodeAttachMode::naInsert);
    else
        MoveNode(tn, parent, TNodeAttachMode::naAdd);
    isModify = true;
}

void TForm1::BtnRightClick() {
    if (!tn) return;
    TNotebookNode* prev = FindPrevSameLevel(tn);
    if (!prev) return;
    MoveNode(tn, prev, TNodeAttachMode::naAddChild);
    isModify = true;
}

void TForm1::TreeView1DragDrop(TNotebookNode* target) {
    TNotebookNode* dragged = TreeView1->SelectedNode();
    if (!dragged || !target) return;
    MoveNode(dragged, target,
             IsParentNode(target) ? TNodeAttachMode::naAddChild : TNodeAttachMode::naInsert);
    // A drop counts as a change even when the move rule leaves the tree as it was.
    isModify = true;
}

void TForm1::SetDragMode(bool allowed) {
    fSettings->isDragMode = allowed;
    TreeView1->SetDragAllowed(allowed);
}

void TForm1::TreeExpandCmdExecute() {
    TreeView1->expandAll();
}

void TForm1::TreeCollapseCmdExecute() {
    TreeView1->collapseAll();
}

void TForm1::ImageReSetCmdExecute() {
    if (!tn) return;
    fNotebook.SetImageIndex(tn, ComboBoxEx1->currentIndex() + 1);
    isModify = true;
}
