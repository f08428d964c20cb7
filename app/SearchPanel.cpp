#include "app/SearchPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include "app/Form1Messages.h"
#include "app/NotebookSearchRunner.h"
#include "app/SearchResultDelegate.h"
#include "app/SearchResultModel.h"

TSearchPanel::TSearchPanel(QWidget* parent)
    : QWidget(parent),
      fField(new QLineEdit(this)),
      fMatchCase(new QCheckBox(QStringLiteral("大文字と小文字を区別"), this)),
      fWholeWord(new QCheckBox(QStringLiteral("単語単位"), this)),
      fRegex(new QCheckBox(QStringLiteral("正規表現"), this)),
      fError(new QLabel(this)),
      fList(new QListView(this)),
      fModel(new TSearchResultModel(this)),
      fDelay(new QTimer(this)),
      fRunner(std::make_unique<TNotebookSearchRunner>()) {
    setObjectName(QStringLiteral("SearchPanel"));
    fField->setObjectName(QStringLiteral("SearchField"));
    fField->setPlaceholderText(QStringLiteral("全文検索"));
    fField->setClearButtonEnabled(true);
    fMatchCase->setObjectName(QStringLiteral("MatchCaseBox"));
    fWholeWord->setObjectName(QStringLiteral("WholeWordBox"));
    fRegex->setObjectName(QStringLiteral("RegexBox"));
    fError->setObjectName(QStringLiteral("SearchError"));
    fError->setStyleSheet(QStringLiteral("color: #c00000"));
    fList->setObjectName(QStringLiteral("SearchResults"));
    fList->setModel(fModel);
    fList->setItemDelegate(new TSearchResultDelegate(fList));
    // Every row has the same height, so the view never measures a long result row by row.
    fList->setUniformItemSizes(true);
    fList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fList->setSelectionMode(QAbstractItemView::SingleSelection);
    fList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(fField, 1);
    bar->addWidget(fMatchCase);
    bar->addWidget(fWholeWord);
    bar->addWidget(fRegex);
    bar->addWidget(fError, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(fList, 1);

    fDelay->setSingleShot(true);
    fDelay->setInterval(kTypingPauseMs);
    connect(fDelay, &QTimer::timeout, this, &TSearchPanel::SearchNow);
    connect(fField, &QLineEdit::textChanged, this, &TSearchPanel::ScheduleSearch);
    for (QCheckBox* box : {fMatchCase, fWholeWord, fRegex})
        connect(box, &QCheckBox::toggled, this, &TSearchPanel::SearchNow);
    // Enter in the field goes to the next hit; Enter or a double-click in the list opens one.
    connect(fField, &QLineEdit::returnPressed, this, [this] {
        if (fDelay->isActive()) SearchNow();
        StepHit(true);
    });
    connect(fList, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { OpenRow(index.row()); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        if (OnClose) OnClose();
    });

    fRunner->OnHits = [this](std::vector<TSearchHit>& hits) {
        fModel->Append(hits);
        ShowStatus(false);
    };
    fRunner->OnFinished = [this](bool truncated) { ShowStatus(true, truncated); };
}

TSearchPanel::~TSearchPanel() = default;

TNotebookSearchQuery TSearchPanel::Query() const {
    return {fField->text(), fMatchCase->isChecked(), fWholeWord->isChecked(), fRegex->isChecked()};
}

QString TSearchPanel::ErrorText() const {
    return fError->text();
}

bool TSearchPanel::IsSearching() const {
    return fDelay->isActive() || fRunner->IsRunning();
}

void TSearchPanel::ScheduleSearch() {
    // A newer query makes the older one's hits worthless: stop it now, not after the pause.
    fRunner->Cancel();
    fDelay->start();
}

void TSearchPanel::SearchNow() {
    fDelay->stop();
    fRunner->Cancel();
    fError->clear();
    const TNotebookSearchQuery query = Query();
    const TNotebookSearcher check(query);
    if (!check.IsValid()) {
        fModel->Reset();
        fError->setText(check.ErrorString());
        if (OnStatus) OnStatus(QString());
        return;
    }
    std::shared_ptr<const TSearchSnapshot> snapshot =
        OnSnapshot ? OnSnapshot() : std::make_shared<TSearchSnapshot>();
    fModel->Reset(snapshot);
    fRunner->Start(std::move(snapshot), query);
}

void TSearchPanel::NotebookChanged() {
    if (fModel->rowCount() == 0 && !IsSearching()) return;
    fRunner->Cancel();
    fModel->Reset();
    fDelay->start();
}

void TSearchPanel::ShowStatus(bool finished, bool truncated) {
    if (truncated) fError->setText(Form1Messages::HitsTruncated().arg(fModel->HitCount()));
    if (!OnStatus) return;
    if (finished && fModel->HitCount() == 0)
        OnStatus(Form1Messages::NotFound());
    else
        OnStatus(Form1Messages::HitCount().arg(fModel->HitCount()).arg(fModel->SnippetCount()));
}

bool TSearchPanel::StepHit(bool forward) {
    const int row = fModel->StepHitRow(fList->currentIndex().row(), forward);
    if (row < 0) return false;
    fList->setCurrentIndex(fModel->index(row));
    OpenRow(row);
    return true;
}

void TSearchPanel::OpenRow(int row) {
    const TSearchHit* hit = fModel->HitAt(row);
    if (!hit || !fModel->Snapshot() || !OnOpenHit) return;
    // The hit is copied: opening it may change the tree, which empties the list.
    const TSearchHit copy = *hit;
    const TSearchSnippet snippet = (*fModel->Snapshot())[static_cast<size_t>(copy.Snippet)];
    OnOpenHit(snippet, copy);
}
