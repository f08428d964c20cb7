#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "app/NotebookSearch.h"

// Runs one full-text search at a time on a pool thread and hands its hits back on the
// thread that started it, in tree order, a batch at a time. Starting a new search cancels
// the running one; batches of a cancelled search are dropped, never delivered late.
class TNotebookSearchRunner : public QObject {
    Q_OBJECT
public:
    // A search stops collecting after this many hits, so that a one-letter pattern over a
    // large notebook cannot fill the memory.
    static constexpr size_t kMaxHits = 200000;

    explicit TNotebookSearchRunner(QObject* parent = nullptr);
    ~TNotebookSearchRunner() override;

    // The query must be valid (TNotebookSearcher::IsValid).
    void Start(std::shared_ptr<const TSearchSnapshot> snapshot, const TNotebookSearchQuery& query);
    void Cancel();
    bool IsRunning() const { return fRunning; }

    // On the starting thread: the next hits of the latest search, each snippet's hits whole.
    std::function<void(std::vector<TSearchHit>&)> OnHits;
    // On the starting thread when the latest search ended; `truncated` when it stopped at
    // kMaxHits.
    std::function<void(bool truncated)> OnFinished;

private:
    struct TJob;
    void Deliver(quint64 generation, std::vector<TSearchHit>& hits);
    void Finish(quint64 generation, bool truncated);
    static void Run(const std::shared_ptr<TJob>& job, TNotebookSearchRunner* runner);

    quint64 fGeneration = 0;
    bool fRunning = false;
    std::shared_ptr<TJob> fJob;
    // One thread: a cancelled search ends before the next begins, and the destructor can wait
    // for every job that might still post to this object.
    QThreadPool fPool;
};
