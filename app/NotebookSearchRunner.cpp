#include "app/NotebookSearchRunner.h"

#include <QElapsedTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace {
// Hits found within this time go to the window together, so a search with many hits does
// not flood the event queue; the first hits go at once.
constexpr qint64 kBatchMs = 30;
}  // namespace

struct TNotebookSearchRunner::TJob {
    std::shared_ptr<const TSearchSnapshot> snapshot;
    TNotebookSearchQuery query;
    quint64 generation = 0;
    std::atomic<bool> cancelled{false};
};

TNotebookSearchRunner::TNotebookSearchRunner(QObject* parent) : QObject(parent) {
    fPool.setMaxThreadCount(1);
}

TNotebookSearchRunner::~TNotebookSearchRunner() {
    Cancel();
    fPool.waitForDone();
}

void TNotebookSearchRunner::Cancel() {
    if (fJob) fJob->cancelled.store(true, std::memory_order_relaxed);
    fJob.reset();
    ++fGeneration;
    fRunning = false;
}

void TNotebookSearchRunner::Start(std::shared_ptr<const TSearchSnapshot> snapshot,
                                  const TNotebookSearchQuery& query) {
    Cancel();
    fJob = std::make_shared<TJob>();
    fJob->snapshot = std::move(snapshot);
    fJob->query = query;
    fJob->generation = fGeneration;
    fRunning = true;
    (void)QtConcurrent::run(&fPool, &TNotebookSearchRunner::Run, fJob, this);
}

void TNotebookSearchRunner::Deliver(quint64 generation, std::vector<TSearchHit>& hits) {
    if (generation != fGeneration) return;  // from a search cancelled since
    if (OnHits) OnHits(hits);
}

void TNotebookSearchRunner::Finish(quint64 generation, bool truncated) {
    if (generation != fGeneration) return;
    fRunning = false;
    fJob.reset();
    if (OnFinished) OnFinished(truncated);
}

void TNotebookSearchRunner::Run(const std::shared_ptr<TJob>& job, TNotebookSearchRunner* runner) {
    const quint64 generation = job->generation;
    TNotebookSearcher searcher(job->query);
    std::vector<TSearchHit> batch;
    size_t total = 0;
    bool truncated = false;
    bool sentAny = false;
    QElapsedTimer sinceSent;
    sinceSent.start();
    auto send = [&] {
        if (batch.empty()) return;
        QMetaObject::invokeMethod(
            runner,
            [runner, generation, hits = std::move(batch)]() mutable {
                runner->Deliver(generation, hits);
            },
            Qt::QueuedConnection);
        batch = {};
        sentAny = true;
        sinceSent.restart();
    };
    auto stop = [&] { return truncated || job->cancelled.load(std::memory_order_relaxed); };
    SearchSnapshot(
        *job->snapshot, searcher,
        [&](std::vector<TSearchHit>& hits) {
            if (total + hits.size() > kMaxHits) {
                hits.resize(kMaxHits - total);
                truncated = true;
            }
            total += hits.size();
            batch.insert(batch.end(), hits.begin(), hits.end());
            if (!sentAny || sinceSent.elapsed() >= kBatchMs) send();
        },
        stop);
    if (job->cancelled.load(std::memory_order_relaxed)) return;
    send();
    QMetaObject::invokeMethod(
        runner, [runner, generation, truncated] { runner->Finish(generation, truncated); },
        Qt::QueuedConnection);
}
