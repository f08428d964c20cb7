#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "app/NotebookSearch.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QTimer;
class TNotebookSearchRunner;
class TSearchResultModel;

// The full-text search panel below the editor: a search field with its three options and
// the hits grouped by snippet. It searches as the user types, after a short pause, on a
// pool thread; the window supplies the snapshot to search and acts on the chosen hit.
class TSearchPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTypingPauseMs = 200;

    explicit TSearchPanel(QWidget* parent = nullptr);
    ~TSearchPanel() override;

    // The notebook as it stands now, with the editor's unsaved text.
    std::function<std::shared_ptr<const TSearchSnapshot>()> OnSnapshot;
    // Enter or a double-click on a hit, or a step with F4: the window shows the hit.
    std::function<void(const TSearchSnippet&, const TSearchHit&)> OnOpenHit;
    // The text for the search-status panel.
    std::function<void(const QString&)> OnStatus;
    // Escape.
    std::function<void()> OnClose;

    TNotebookSearchQuery Query() const;
    QLineEdit* Field() const { return fField; }
    QListView* Results() const { return fList; }
    TSearchResultModel& Model() const { return *fModel; }
    QString ErrorText() const;
    bool IsSearching() const;

    // Starts the search at once, without the typing pause.
    void SearchNow();
    // The tree changed: hits may point at snippets that are gone, so they go, and the
    // search runs again after the pause.
    void NotebookChanged();
    // Selects and opens the next (or previous) hit, going round at the ends. False when there
    // is no hit.
    bool StepHit(bool forward);

private:
    void ScheduleSearch();
    void ShowStatus(bool finished, bool truncated = false);
    void OpenRow(int row);

    QLineEdit* fField;
    QCheckBox* fMatchCase;
    QCheckBox* fWholeWord;
    QCheckBox* fRegex;
    QLabel* fError;
    QListView* fList;
    TSearchResultModel* fModel;
    QTimer* fDelay;
    std::unique_ptr<TNotebookSearchRunner> fRunner;
};
