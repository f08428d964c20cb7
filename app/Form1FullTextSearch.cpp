// Full-text search: the panel below the editor that searches every snippet's text, and the
// jump from a hit to its place in the editor.
#include <QLineEdit>
#include <QSplitter>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/NotebookModel.h"
#include "app/NotebookSearch.h"
#include "app/NotebookTreeView.h"
#include "app/SearchPanel.h"
#include "editor/CodeEdit.h"

namespace {
constexpr int kMinSearchPanelHeight = 60;
}

void TForm1::CreateSearchPanel() {
    QWidget* memo = fMemo->Widget();
    Splitter2 = new QSplitter(Qt::Vertical);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    const int at = Splitter1->indexOf(memo);
    Splitter1->replaceWidget(at, Splitter2);
    Splitter1->setStretchFactor(at, 1);
    Splitter2->addWidget(memo);
    memo->show();  // the splitter hid it when it gave up its place
    SearchPanel1 = new TSearchPanel(Splitter2);
    Splitter2->addWidget(SearchPanel1);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    SearchPanel1->hide();

    SearchPanel1->OnSnapshot = [this] {
        return std::make_shared<const TSearchSnapshot>(
            SnapshotNotebook(fNotebook, tn, tn ? fMemo->Text() : QString()));
    };
    SearchPanel1->OnOpenHit = [this](const TSearchSnippet& snippet, const TSearchHit& hit) {
        RunCommand([&] { OpenSearchHit(snippet, hit); });
    };
    SearchPanel1->OnStatus = [this](const QString& text) { SetPanelText(2, text); };
    SearchPanel1->OnClose = [this] { CloseSearchPanel(); };
    // Hits hold snippets: a change of the tree's shape sends them, and searches again.
    auto changed = [this] { SearchPanel1->NotebookChanged(); };
    connect(fTreeModel, &QAbstractItemModel::rowsInserted, SearchPanel1, changed);
    connect(fTreeModel, &QAbstractItemModel::rowsRemoved, SearchPanel1, changed);
    connect(fTreeModel, &QAbstractItemModel::rowsMoved, SearchPanel1, changed);
    connect(fTreeModel, &QAbstractItemModel::modelReset, SearchPanel1, changed);
}

void TForm1::FullTextSearchCmdExecute() {
    if (SearchPanel1->isHidden()) {
        SearchPanel1->show();
        SetSearchPanelHeight(fSearchPanelHeight);
    }
    QLineEdit* field = SearchPanel1->Field();
    field->setFocus();
    field->selectAll();
    // The notebook may have changed while the panel was closed.
    if (!field->text().isEmpty()) SearchPanel1->SearchNow();
}

void TForm1::CloseSearchPanel() {
    fSearchPanelHeight = SearchPanelHeight();
    SearchPanel1->hide();
    fMemo->SetFocus();
}

int TForm1::SearchPanelHeight() const {
    if (SearchPanel1->isHidden()) return fSearchPanelHeight;
    return Splitter2->sizes().value(1, fSearchPanelHeight);
}

void TForm1::SetSearchPanelHeight(int height) {
    fSearchPanelHeight = qMax(height, kMinSearchPanelHeight);
    if (SearchPanel1->isHidden()) return;
    const int total = Splitter2->height();
    const int panel = qMin(fSearchPanelHeight, qMax(total - kMinSearchPanelHeight, 0));
    Splitter2->setSizes({total - panel, panel});
}

void TForm1::FullTextNextCmdExecute() {
    SearchPanel1->StepHit(true);
}

void TForm1::FullTextPrevCmdExecute() {
    SearchPanel1->StepHit(false);
}

void TForm1::OpenSearchHit(const TSearchSnippet& snippet, const TSearchHit& hit) {
    TNotebookNode* node = nullptr;
    fNotebook.ForEach([&](TNotebookNode* n) {
        if (n == snippet.Node) node = n;
    });
    if (!node) return;  // deleted since the search
    SelectNode(node);
    // A hit in the snippet on show keeps its editor as it is: its text is what was searched,
    // and reloading it would throw away the undo history.
    if (node != tn) TreeView1Click();
    const auto column = static_cast<qint32>(qMin<qsizetype>(hit.Column, 0x7FFFFFFF - hit.Length));
    const TBufferCoord begin{column, hit.Line};
    const TBufferCoord end{static_cast<qint32>(column + hit.Length), hit.Line};
    // The caret goes to the start first, so a long hit shows from its beginning.
    Editor().SetCaretXY(begin);
    Editor().SetCaretAndSelection(end, begin, end);
}
