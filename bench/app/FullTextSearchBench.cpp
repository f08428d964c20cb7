// Full-text search over the large notebook of the file benchmark.
//
// The whole-notebook plain search (snippet by snippet, with the line and column of every
// hit) is measured against the same skip-search engine run once over all the text joined
// into one block, in the same run: a frequent word and one that is absent, each with and
// without case. Then the search panel: the time from the query to its first result, and the
// longest time the GUI thread was busy while the search ran.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/NotebookSearch.h"
#include "app/SearchPanel.h"
#include "app/SearchResultModel.h"
#include "bench/app/NotebookGenerator.h"
#include "bench/support/RatioReporter.h"
#include "editor/CodeEditSearch.h"

using namespace bench;

namespace {

const QString kFrequent = QStringLiteral("QString");  // one word in 18 of the code lines
const QString kAbsent = QStringLiteral("QSaveFile");

struct TFixture {
    TNotebook notebook;
    TSearchSnapshot snapshot;
    QString block;  // every snippet's text, one after another

    TFixture() {
        BuildLargeNotebook(notebook);
        snapshot = SnapshotNotebook(notebook);
        qsizetype size = 0;
        for (const TSearchSnippet& s : snapshot)
            size += s.Text.size();
        block.reserve(size);
        for (const TSearchSnippet& s : snapshot)
            block += s.Text;
    }
};

TFixture& Fixture() {
    static TFixture fixture;
    return fixture;
}

void NotebookSearch(benchmark::State& state, const QString& pattern, bool matchCase) {
    TFixture& f = Fixture();
    size_t hits = 0;
    for (auto _ : state) {
        TNotebookSearcher searcher({pattern, matchCase, false, false});
        hits = 0;
        SearchSnapshot(f.snapshot, searcher,
                       [&](std::vector<TSearchHit>& found) { hits += found.size(); });
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(state.iterations() * f.block.size() * 2);
}

void BlockSearch(benchmark::State& state, const QString& pattern, bool matchCase) {
    TFixture& f = Fixture();
    qsizetype hits = 0;
    for (auto _ : state) {
        TCodeEditSearch engine;
        engine.SetOptions(matchCase ? TSearchOptions(ssoMatchCase) : TSearchOptions());
        engine.SetPattern(pattern);
        hits = engine.FindAll(f.block);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(state.iterations() * f.block.size() * 2);
}

// Each block search first: it is the baseline of the notebook search after it.
BENCHMARK_CAPTURE(BlockSearch, FrequentCase, kFrequent, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NotebookSearch, FrequentCase, kFrequent, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BlockSearch, FrequentNoCase, kFrequent, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NotebookSearch, FrequentNoCase, kFrequent, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BlockSearch, AbsentCase, kAbsent, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NotebookSearch, AbsentCase, kAbsent, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BlockSearch, AbsentNoCase, kAbsent, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NotebookSearch, AbsentNoCase, kAbsent, false)->Unit(benchmark::kMillisecond);

// The panel as the window shows it, searching the large notebook for a frequent word until
// it stops at its hit limit. A timer that fires whenever the event loop is free measures
// the longest stretch the GUI thread spent on anything else: taking the snapshot, adding
// hits to the list, painting it.
struct TPanelRun {
    double firstMs = 0;
    double busyMs = 0;     // wall clock: includes waiting for a core on a loaded machine
    double busyCpuMs = 0;  // the GUI thread's own CPU time
    double totalMs = 0;
};

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

TPanelRun RunPanel(TSearchPanel& panel, const QString& query) {
    TPanelRun run;
    QElapsedTimer clock;
    bool first = true;
    panel.OnStatus = [&](const QString&) {
        if (first && panel.Model().HitCount() > 0) {
            run.firstMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            first = false;
        }
    };
    panel.Field()->blockSignals(true);
    panel.Field()->setText(query);
    panel.Field()->blockSignals(false);
    QApplication::processEvents();
    QElapsedTimer sinceTick;
    double cpuAtTick = 0;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double cpu = ThreadCpuMs();
        run.busyMs = std::max(run.busyMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        run.busyCpuMs = std::max(run.busyCpuMs, cpu - cpuAtTick);
        sinceTick.restart();
        cpuAtTick = cpu;
    });
    clock.start();
    sinceTick.start();
    cpuAtTick = ThreadCpuMs();
    tick.start();
    panel.SearchNow();  // counted in the first tick's interval
    while (panel.IsSearching())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
    run.totalMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    tick.stop();
    return run;
}

void BM_PanelSearch(benchmark::State& state) {
    TFixture& f = Fixture();
    TSearchPanel panel;
    panel.OnSnapshot = [&] {
        return std::make_shared<const TSearchSnapshot>(SnapshotNotebook(f.notebook));
    };
    panel.resize(900, 250);
    panel.show();
    RunPanel(panel, kFrequent);  // the first paint of the list loads fonts: not a search cost
    std::vector<TPanelRun> runs;
    for (auto _ : state) {
        runs.push_back(RunPanel(panel, kFrequent));
        state.SetIterationTime(runs.back().totalMs / 1000.0);
    }
    auto maxOf = [&](double TPanelRun::*field) {
        double m = 0;
        for (const TPanelRun& r : runs)
            m = std::max(m, r.*field);
        return m;
    };
    state.counters["first_ms_max"] = maxOf(&TPanelRun::firstMs);
    state.counters["gui_busy_ms_max"] = maxOf(&TPanelRun::busyMs);
    state.counters["gui_busy_cpu_ms_max"] = maxOf(&TPanelRun::busyCpuMs);
    state.counters["hits"] = panel.Model().HitCount();
    std::vector<double> firsts;
    for (const TPanelRun& r : runs)
        firsts.push_back(r.firstMs);
    std::sort(firsts.begin(), firsts.end());
    std::printf(
        "panel, %zu searches for \"%s\" (%d hits shown): first result after %.1f ms median, "
        "%.1f ms worst (target: under 50 ms); GUI thread busy at most %.1f ms at a time, "
        "%.1f ms of its own CPU time (target: under 16 ms)\n",
        runs.size(), qPrintable(kFrequent), panel.Model().HitCount(), firsts[firsts.size() / 2],
        firsts.back(), maxOf(&TPanelRun::busyMs), maxOf(&TPanelRun::busyCpuMs));
}
BENCHMARK(BM_PanelSearch)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("notebook: %d snippets, %lld UTF-16 units of text\n", kLargeNotebookSnippets,
                static_cast<long long>(Fixture().block.size()));
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nWhole notebook vs the same engine over one block (target: within 1.5x):\n");
    for (const char* run : {"FrequentCase", "FrequentNoCase", "AbsentCase", "AbsentNoCase"})
        reporter.PrintRatio(run, std::string("NotebookSearch/") + run,
                            std::string("BlockSearch/") + run, "same run");
    return 0;
}
