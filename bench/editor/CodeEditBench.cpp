// The editor widget without painting: the cost of one keystroke deep inside a 1,000,000-line
// text, and replace-all of 100,000 hits with its undo, each beside a baseline measured in the
// same run.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/RatioReporter.h"
#include "editor/CodeEdit.h"

namespace {

constexpr int kLines = 1000000;
constexpr int kHits = 100000;

QString KeystrokeText() {
    QString t;
    t.reserve(kLines * 28);
    for (int i = 0; i < kLines; ++i) {
        if (i > 0) t += QStringLiteral("\r\n");
        t += QStringLiteral("    line %1 of the big text").arg(i + 1);
    }
    return t;
}

// One hit per line, in lines of about forty characters.
const QString& ReplaceText() {
    static const QString text = [] {
        QString t;
        for (int i = 0; i < kHits; ++i) {
            if (i > 0) t += QStringLiteral("\r\n");
            t += QStringLiteral("int value%1 = needle(%2); // call").arg(i).arg(i % 97);
        }
        return t;
    }();
    return text;
}

// The same number of hits in one long line, as in minified code.
const QString& OneLineText() {
    static const QString text = QString(QStringLiteral("f(needle); ")).repeated(kHits);
    return text;
}

// And in 1,000 lines of 100 hits: every line splits into a block of lines of its own.
const QString& LongLinesText() {
    static const QString text = [] {
        const QString line = QString(QStringLiteral("f(needle); ")).repeated(kHits / 1000);
        QStringList lines;
        for (int i = 0; i < 1000; ++i)
            lines << line;
        return lines.join(QStringLiteral("\r\n"));
    }();
    return text;
}

std::unique_ptr<TCodeEdit> NewEditor() {
    auto edit = std::make_unique<TCodeEdit>();
    edit->SetMetrics(std::make_unique<TFixedCellMetrics>(40, 120));
    edit->SetWantTabs(true);
    return edit;
}

// Times each call of Body separately and prints median and maximum in microseconds.
double ThreadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// Wall-clock and CPU time of each call of Body: on a shared machine the wall-clock maximum
// also holds the time slices other processes took.
template <class F>
void TimeKeystrokes(const char* name, int count, F&& Body, std::vector<double>& all,
                    std::vector<double>& cpu, bool print = true) {
    std::vector<double> times;
    times.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double c0 = ThreadMicros();
        const auto t0 = std::chrono::steady_clock::now();
        Body(i);
        const auto t1 = std::chrono::steady_clock::now();
        cpu.push_back(ThreadMicros() - c0);
        times.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    all.insert(all.end(), times.begin(), times.end());
    if (!print) return;
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const auto slowest = std::max_element(times.begin(), times.end()) - times.begin();
    std::printf("  %-18s median %7.2f us   p99 %7.2f us   max %8.2f us at #%d  (%d keystrokes)\n",
                name, sorted[sorted.size() / 2], sorted[sorted.size() * 99 / 100], sorted.back(),
                static_cast<int>(slowest), count);
}

void KeystrokeBenchmark() {
    auto edit = NewEditor();
    edit->SetText(KeystrokeText());
    std::printf("Keystrokes at line 500,000 of a 1,000,000-line text (no painting):\n");
    edit->SetCaretXY({12, 500000});
    const auto w0 = std::chrono::steady_clock::now();
    edit->CommandProcessor(ecLineBreak);
    const auto w1 = std::chrono::steady_clock::now();
    edit->CommandProcessor(ecUndo);
    std::printf("  first Enter after the jump (moves the gap): %.1f us\n",
                std::chrono::duration<double, std::micro>(w1 - w0).count());
    std::vector<double> chars, charsCpu;
    std::vector<double> breaks, breaksCpu;
    std::vector<double> deletes, deletesCpu;
    const int rounds = 5;
    for (int round = 0; round < rounds; ++round) {
        edit->SetCaretXY({12, 500000});
        TimeKeystrokes(
            "ecChar", 2000, [&](int i) { edit->CommandProcessor(ecChar, QChar(u'a' + i % 26)); },
            chars, charsCpu);
        TimeKeystrokes(
            "ecDeleteLastChar", 2000, [&](int) { edit->CommandProcessor(ecDeleteLastChar); },
            deletes, deletesCpu);
        for (int i = 0; i < 2000; ++i) {
            TimeKeystrokes(
                "ecLineBreak", 1, [&](int) { edit->CommandProcessor(ecLineBreak); }, breaks,
                breaksCpu, false);
            edit->CommandProcessor(ecUndo);  // back to the same text, untimed
        }
    }
    auto summary = [](const char* name, std::vector<double> v, std::vector<double> c) {
        std::sort(v.begin(), v.end());
        std::sort(c.begin(), c.end());
        std::printf(
            "  %-18s wall: median %6.2f us, max %8.2f us;  cpu: median %6.2f us, max "
            "%8.2f us  (target: median < 20, max < 1000)\n",
            name, v[v.size() / 2], v.back(), c[c.size() / 2], c.back());
    };
    summary("ecChar", chars, charsCpu);
    summary("ecLineBreak", breaks, breaksCpu);
    summary("ecDeleteLastChar", deletes, deletesCpu);
    if (edit->Text() != KeystrokeText()) std::printf("  ERROR: the text did not come back\n");
}

void BM_ReplaceAll_Baseline_QStringReplace(benchmark::State& state) {
    const QString& text = ReplaceText();
    for (auto _ : state) {
        QString t = text;
        t.replace(QStringLiteral("needle"), QStringLiteral("pin"), Qt::CaseSensitive);
        benchmark::DoNotOptimize(t.size());
    }
}

void ReplaceAll(benchmark::State& state, TSearchOptions options, bool timeUndo) {
    auto edit = NewEditor();
    TCodeEditSearch engine;
    edit->SetSearchEngine(&engine);
    int hits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        edit->SetText(ReplaceText());
        if (timeUndo) {
            hits = edit->SearchReplace(QStringLiteral("needle"), QStringLiteral("pin"), options);
            state.ResumeTiming();
            edit->Undo();
        } else {
            state.ResumeTiming();
            hits = edit->SearchReplace(QStringLiteral("needle"), QStringLiteral("pin"), options);
        }
    }
    state.counters["hits"] = hits;
    if (hits != kHits) state.SkipWithError("wrong number of hits");
    if (timeUndo && edit->Text() != ReplaceText()) state.SkipWithError("undo did not restore");
}

void BM_ReplaceAll_MatchCase(benchmark::State& state) {
    ReplaceAll(state, ssoReplaceAll | ssoEntireScope | ssoMatchCase, false);
}
void BM_ReplaceAll_IgnoreCase(benchmark::State& state) {
    ReplaceAll(state, ssoReplaceAll | ssoEntireScope, false);
}
void BM_ReplaceAll_Undo(benchmark::State& state) {
    ReplaceAll(state, ssoReplaceAll | ssoEntireScope | ssoMatchCase, true);
}

// Splitting those lines at every hit.
void SplitBaseline(benchmark::State& state, const QString& text) {
    for (auto _ : state) {
        QString t = text;
        t.replace(QStringLiteral("; "), QStringLiteral(";\r\n"), Qt::CaseSensitive);
        benchmark::DoNotOptimize(t.size());
    }
}

void Split(benchmark::State& state, const QString& text) {
    auto edit = NewEditor();
    TCodeEditSearch engine;
    edit->SetSearchEngine(&engine);
    int hits = 0;
    const qsizetype lines = text.count(u'\n') + 1;
    for (auto _ : state) {
        state.PauseTiming();
        edit->SetText(text);
        state.ResumeTiming();
        hits = edit->SearchReplace(QStringLiteral("; "), QStringLiteral(";\r\n"),
                                   ssoReplaceAll | ssoEntireScope | ssoMatchCase);
    }
    state.counters["hits"] = hits;
    if (hits != kHits || edit->Lines().Count() != kHits + lines)
        state.SkipWithError("wrong number of hits");
}

void BM_ReplaceAll_Baseline_OneLine(benchmark::State& state) {
    SplitBaseline(state, OneLineText());
}
void BM_ReplaceAll_OneLineBreaks(benchmark::State& state) {
    Split(state, OneLineText());
}
void BM_ReplaceAll_Baseline_LongLines(benchmark::State& state) {
    SplitBaseline(state, LongLinesText());
}
void BM_ReplaceAll_LongLinesBreaks(benchmark::State& state) {
    Split(state, LongLinesText());
}

BENCHMARK(BM_ReplaceAll_Baseline_QStringReplace)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReplaceAll_MatchCase)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReplaceAll_IgnoreCase)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReplaceAll_Undo)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReplaceAll_Baseline_OneLine)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReplaceAll_OneLineBreaks)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReplaceAll_Baseline_LongLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReplaceAll_LongLinesBreaks)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    KeystrokeBenchmark();
    ReplaceText();
    OneLineText();
    LongLinesText();
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (time of the editor / time of QString::replace on the same text):\n");
    reporter.PrintRatio("replace-all, match case", "BM_ReplaceAll_MatchCase",
                        "BM_ReplaceAll_Baseline_QStringReplace", "target <= 5");
    reporter.PrintRatio("replace-all, ignore case", "BM_ReplaceAll_IgnoreCase",
                        "BM_ReplaceAll_Baseline_QStringReplace", "target <= 5");
    reporter.PrintRatio("undo of replace-all", "BM_ReplaceAll_Undo",
                        "BM_ReplaceAll_Baseline_QStringReplace", "target <= 5");
    reporter.PrintRatio("replace-all splitting one long line", "BM_ReplaceAll_OneLineBreaks",
                        "BM_ReplaceAll_Baseline_OneLine", "target <= 5");
    reporter.PrintRatio("replace-all splitting 1,000 long lines", "BM_ReplaceAll_LongLinesBreaks",
                        "BM_ReplaceAll_Baseline_LongLines", "target <= 5");
    benchmark::Shutdown();
    return 0;
}
