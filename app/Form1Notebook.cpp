// The link between the tree and the editor: commit, switching snippets and the title
// that follows the first line of the text.
#include "app/NotebookTreeView.h"

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/NotebookModel.h"
#include "app/TextUtils.h"

void TForm1::Commit() {
    if (tn) tn->Data()->text = fMemo->Text();
}

void TForm1::TreeView1Click() {
    if (fNotebook.IsEmpty()) return;
    Commit();
    tn = TreeView1->SelectedNode();
    if (tn) fMemo->SetText(tn->Data()->text);
}

void TForm1::MemoChange() {
    UpdateEditActions();
    if (fNotebook.IsEmpty() || !tn) return;
    const QString first = TrimLeadingSpaces(fMemo->Line(0));
    if (first != TrimLeadingSpaces(tn->Title())) fNotebook.SetTitle(tn, first);
    SetPanelText(1, tn->Title());
}
