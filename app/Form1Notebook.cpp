// The link between the tree and the editor: commit, switching snippets and the title
// that follows the first line of the text.
#include "app/NotebookTreeView.h"

#include <QScopedValueRollback>

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
    if (tn) ReplaceEditorText(tn->Data()->text);
    // Typing with no current snippet would reach no record.
    fMemo->SetReadOnly(!tn);
}

void TForm1::ReplaceEditorText(const QString& text) {
    const QScopedValueRollback replacing(fReplacingEditorText, true);
    fMemo->SetText(text);
}

void TForm1::ClearEditor() {
    const QScopedValueRollback replacing(fReplacingEditorText, true);
    fMemo->Clear();
}

void TForm1::MemoChange() {
    UpdateEditActions();
    if (fNotebook.IsEmpty() || !tn) return;
    // Every edit of the text is a change of the notebook; showing a record is not.
    if (!fReplacingEditorText && !isModify) {
        isModify = true;
        setWindowModified(true);
    }
    const QString first = TrimLeadingSpaces(fMemo->Line(0));
    if (first != TrimLeadingSpaces(tn->Title())) fNotebook.SetTitle(tn, first);
    SetPanelText(1, tn->Title());
}
