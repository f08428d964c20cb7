// Line store, search engine and undo list on a text of 1,000,000 lines (about 60 MB as
// UTF-16). Every figure is printed beside a baseline measured in the same run.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "bench/support/RatioReporter.h"
#include "editor/CodeEditSearch.h"
#include "editor/CodeEditTextBuffer.h"
#include "editor/CodeEditUndo.h"

namespace {

constexpr int kLines = 1000000;
const QString kPattern = QStringLiteral("needle_12chr");  // 12 characters

const QString& BigText() {
    static const QString text = [] {
        static const char* const words[] = {"int",   "return", "value", "for",  "(i = 0;", "x",
                                            "{",     "}",      "//",    "auto", "Needle",  "= 42;",
                                            "const", "\t",     "std::", "if"};
        QRandomGenerator random(7);
        QString t;
        t.reserve(kLines * 32);
        for (int i = 0; i < kLines; ++i) {
            if (i > 0) t += QStringLiteral("\r\n");
            const int n = random.bounded(9);
            for (int w = 0; w < n; ++w) {
                if (w > 0) t += u' ';
                t += QLatin1String(words[random.bounded(16)]);
            }
            if (random.bounded(50) == 0) t += QStringLiteral(" NEEDLE_12chr needle_12chr");
        }
        return t;
    }();
    return text;
}

const QStringList& BigLines() {
    static const QStringList lines = BigText().split(QStringLiteral("\r\n"));
    return lines;
}

TCodeEditStringList& BigList() {
    static TCodeEditStringList* list = [] {
        auto* l = new TCodeEditStringList;
        l->SetText(BigText());
        return l;
    }();
    return *list;
}

const char16_t* Units(const QString& s) {
    return reinterpret_cast<const char16_t*>(s.constData());
}

void BM_SetText_Baseline_QStringSplit(benchmark::State& state) {
    const QString& text = BigText();
    for (auto _ : state) {
        QStringList lines = text.split(QStringLiteral("\r\n"));
        benchmark::DoNotOptimize(lines.size());
    }
}

void BM_SetText(benchmark::State& state) {
    const QString& text = BigText();
    TCodeEditStringList list;
    for (auto _ : state) {
        list.SetText(text);
        benchmark::DoNotOptimize(list.Count());
    }
    if (list.Count() != kLines) state.SkipWithError("wrong line count");
}

void BM_GetText_Baseline_QStringListJoin(benchmark::State& state) {
    const QStringList& lines = BigLines();
    for (auto _ : state) {
        QString text = lines.join(QStringLiteral("\r\n"));
        benchmark::DoNotOptimize(text.size());
    }
}

void BM_GetText(benchmark::State& state) {
    TCodeEditStringList& list = BigList();
    for (auto _ : state) {
        QString text = list.Text();
        benchmark::DoNotOptimize(text.size());
    }
    if (list.Text() != BigText()) state.SkipWithError("text differs");
}

void BM_FindAll_Baseline_BoyerMooreHorspool(benchmark::State& state) {
    const QStringList& lines = BigLines();
    const char16_t* pat = Units(kPattern);
    const std::boyer_moore_horspool_searcher searcher(pat, pat + kPattern.size());
    qsizetype hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const QString& line : lines) {
            const char16_t* first = Units(line);
            const char16_t* last = first + line.size();
            for (;;) {
                first = std::search(first, last, searcher);
                if (first == last) break;
                ++hits;
                first += kPattern.size();
            }
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void FindAllLines(benchmark::State& state, TSearchOptions options) {
    TCodeEditStringList& list = BigList();
    TCodeEditSearch engine;
    engine.SetOptions(options);
    engine.SetPattern(kPattern);
    qsizetype hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (qsizetype i = 0; i < list.Count(); ++i)
            hits += engine.FindAll(list.Strings(i));
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void BM_FindAll_MatchCase(benchmark::State& state) {
    FindAllLines(state, ssoMatchCase);
}
void BM_FindAll_IgnoreCase(benchmark::State& state) {
    FindAllLines(state, {});
}

void BM_AddChange(benchmark::State& state) {
    const bool keepAll = state.range(0) != 0;
    const QString typed = QStringLiteral("x");
    double bytesPerItem = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto* list = new TCodeEditUndoList;
        if (keepAll) list->SetMaxUndoActions(2000000);
        const size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int i = 0; i < 1000000; ++i)
            list->AddChange(crInsert, {i % 80 + 1, i / 80 + 1}, {i % 80 + 2, i / 80 + 1}, typed,
                            smNormal);
        state.PauseTiming();
        bytesPerItem = double(mallinfo2().uordblks - before) / double(list->ItemCount());
        delete list;
        state.ResumeTiming();
    }
    state.counters["bytes_per_item"] = bytesPerItem;
}

BENCHMARK(BM_SetText_Baseline_QStringSplit)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SetText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GetText_Baseline_QStringListJoin)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GetText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FindAll_Baseline_BoyerMooreHorspool)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FindAll_MatchCase)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FindAll_IgnoreCase)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_AddChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    BigText();
    BigLines();
    BigList();
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (time of the line store / time of the baseline):\n");
    reporter.PrintRatio("SetText vs QString::split", "BM_SetText",
                        "BM_SetText_Baseline_QStringSplit", "target <= 2");
    reporter.PrintRatio("Text vs QStringList::join", "BM_GetText",
                        "BM_GetText_Baseline_QStringListJoin", "target <= 2");
    reporter.PrintRatio("FindAll, match case vs boyer_moore_horspool", "BM_FindAll_MatchCase",
                        "BM_FindAll_Baseline_BoyerMooreHorspool", "target <= 1");
    reporter.PrintRatio("FindAll, ignore case vs match case", "BM_FindAll_IgnoreCase",
                        "BM_FindAll_MatchCase", "target <= 2");
    benchmark::Shutdown();
    return 0;
}
