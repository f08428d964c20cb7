// Title search: walks the snippet titles in tree order, one hit per request.
#include "app/Form1.h"
#include "app/Form1Messages.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "platform/FindDialog.h"

namespace {
// Only a to z are folded, so full-width and accented letters match only themselves.
QString AsciiUpper(const QString& s) {
    QString out = s;
    for (QChar& c : out) {
        if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return out;
}
}  // namespace

void TForm1::SearchTitleCmdExecute() {
    if (!FindDialog2) {
        FindDialog2 = new TFindDialog(this);
        FindDialog2->setObjectName(QStringLiteral("FindDialog2"));
        FindDialog2->SetOptions(frDown | frHideMatchCase | frHideWholeWord | frHideUpDown);
        FindDialog2->OnFind = [this](TFindDialog&) { RunCommand([this] { FindDialog2Find(); }); };
    }
    FindDialog2->Execute();
    SearchIndex = 0;
}

void TForm1::FindDialog2Find() {
    SearchTitle = FindDialog2->FindText();
    if (SearchTitle.isEmpty()) return;
    const QString key = AsciiUpper(SearchTitle);
    TNotebookNode* hit = nullptr;
    int i = SearchIndex;
    if (i >= 0 && i < fNotebook.Count()) {
        for (TNotebookNode* node = fNotebook.NodeAt(i); node; node = node->GetNext(), ++i) {
            // A hit must be one the tree can select and show.
            if (TNotebookModel::IsShown(node) && AsciiUpper(node->Title()).contains(key)) {
                hit = node;
                break;
            }
        }
    }
    if (!hit) {
        SetPanelText(2, Form1Messages::NotFound());
        SearchIndex = 0;
        return;
    }
    SearchIndex = i + 1;
    SelectNode(hit);
    TreeView1Click();
    SetPanelText(2, QString());
}
