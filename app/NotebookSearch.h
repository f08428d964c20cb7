#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <vector>

#include "app/Notebook.h"

class TCodeEditSearch;

// What to look for in every snippet's text.
struct TNotebookSearchQuery {
    QString Pattern;
    bool MatchCase = false;
    bool WholeWord = false;          // the editor's word rule: hits bounded by delimiters
    bool RegularExpression = false;  // Pattern is a QRegularExpression
};

// One snippet as a search sees it. The strings share the tree's data, so taking a snapshot
// copies no text, and a search on another thread never reads the live tree.
struct TSearchSnippet {
    const TNotebookNode* Node = nullptr;
    int Parent = -1;  // slot of the parent snippet, -1 at the top level
    QString Title;
    QString Text;
};

// The snippets in tree order.
using TSearchSnapshot = std::vector<TSearchSnippet>;

// Snapshot of the notebook; `current` reads as `currentText` (the editor's unsaved text).
TSearchSnapshot SnapshotNotebook(const TNotebook& notebook, const TNotebookNode* current = nullptr,
                                 const QString& currentText = QString());

// The titles from the top level down to the snippet in `slot`, joined with " › ".
QString TitlePath(const TSearchSnapshot& snapshot, int slot);

// One occurrence. Lines are cut as the editor cuts them (CR LF, lone CR, lone LF); line and
// column are 1-based and count UTF-16 code units, as the editor's caret does.
struct TSearchHit {
    int Snippet = 0;  // slot in the snapshot
    int Line = 1;
    qsizetype Column = 1;
    qsizetype Length = 0;
    qsizetype LineStart = 0;  // offset of the hit's line in the snippet's text
};

// The line of `text` that starts at `lineStart`, without its line break.
QStringView LineAt(const QString& text, qsizetype lineStart);

// Finds every hit of one query in one text at a time. A hit never spans a line break: a
// plain pattern holding one finds nothing, and a regular expression is matched line by line,
// as the editor searches. Empty regular-expression matches are not hits.
class TNotebookSearcher {
public:
    explicit TNotebookSearcher(const TNotebookSearchQuery& query);
    ~TNotebookSearcher();
    TNotebookSearcher(const TNotebookSearcher&) = delete;
    TNotebookSearcher& operator=(const TNotebookSearcher&) = delete;

    // False for an empty pattern or a regular expression that does not compile.
    bool IsValid() const { return fValid; }
    // Qt's message for a bad regular expression, empty otherwise.
    QString ErrorString() const { return fError; }

    // Appends the hits of `text` in order. Returns false when `cancelled` said so midway.
    bool Search(const QString& text, int snippet, std::vector<TSearchHit>& hits,
                const std::function<bool()>& cancelled = {});

private:
    void SearchPlain(const QString& text, int snippet, std::vector<TSearchHit>& hits);
    bool SearchRegex(const QString& text, int snippet, std::vector<TSearchHit>& hits,
                     const std::function<bool()>& cancelled);

    TNotebookSearchQuery fQuery;
    bool fValid = false;
    QString fError;
    std::unique_ptr<TCodeEditSearch> fEngine;
    QRegularExpression fRegex;
};

// Searches every snippet in tree order. `found` gets each snippet's hits, in order, for the
// snippets that have some; `cancelled` is asked between snippets (and between lines of a
// regular-expression search). Returns false when the search was cancelled.
bool SearchSnapshot(const TSearchSnapshot& snapshot, TNotebookSearcher& searcher,
                    const std::function<void(std::vector<TSearchHit>&)>& found,
                    const std::function<bool()>& cancelled = {});
