// Scanning throughput of every highlighter of the registry over 10 MB of its language,
// beside a loop that only classifies each character through a 128-entry table, over the same
// lines. The text is the language's sample source, repeated; it is (nearly all) ASCII, so one
// character is one byte of source and the MB/s are those of the file.
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>
#include <array>
#include <cstdio>
#include <map>
#include <string>

#include "bench/support/RatioReporter.h"
#include "highlighters/HighlighterRegistry.h"
#include "highlighters/HighlighterTokenDump.h"

namespace {

constexpr qsizetype kTargetChars = 10 * 1024 * 1024;

qsizetype CharCount(const QStringList& lines) {
    qsizetype n = 0;
    for (const QString& line : lines)
        n += line.size();
    return n;
}

// The language's sample source, copied until there are 10 MB.
QStringList TenMegabytesOf(const THighlighterEntry& entry) {
    const QStringList sample = SplitIntoLines(entry.Create()->GetSampleSource());
    const qsizetype sampleChars = CharCount(sample);
    QStringList lines;
    for (qsizetype chars = 0; sampleChars > 0 && chars < kTargetChars; chars += sampleChars)
        lines += sample;
    return lines;
}

// The baseline: one table lookup and one counter per character, nothing else.
void ClassifyLines(benchmark::State& state, const QStringList& lines) {
    static const std::array<quint8, 128> table = [] {
        std::array<quint8, 128> t{};
        for (int c = 0; c < 128; ++c) {
            if (c <= ' ')
                t[c] = 1;
            else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')
                t[c] = 2;
            else if (c >= '0' && c <= '9')
                t[c] = 3;
            else if (c == '"' || c == '\'')
                t[c] = 4;
            else
                t[c] = 5;
        }
        return t;
    }();
    for (auto _ : state) {
        std::array<quint64, 8> counts{};
        for (const QString& line : lines) {
            const QChar* p = line.constData();
            for (qsizetype i = 0, n = line.size(); i < n; ++i) {
                const char16_t c = p[i].unicode();
                ++counts[table[c < 128 ? c : 0]];
            }
        }
        benchmark::DoNotOptimize(counts);
    }
    state.SetBytesProcessed(state.iterations() * CharCount(lines));
}

// The editor's painting loop: every token's position, kind and attribute, range carried.
void ScanLines(benchmark::State& state, TCustomHighlighter& h, const QStringList& lines) {
    quint64 tokens = 0;
    for (auto _ : state) {
        tokens = 0;
        quint64 sum = 0;
        h.ResetRange();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            h.SetRange(h.GetRange());
            h.SetLine(lines[i], qint32(i));
            while (!h.GetEol()) {
                sum += quint64(h.GetTokenPos()) + quint64(h.GetTokenKind()) +
                       quint64(h.GetTokenAttribute() != nullptr);
                ++tokens;
                h.Next();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * CharCount(lines));
    state.counters["tokens"] = double(tokens);
}

struct TLanguageRun {
    const THighlighterEntry* Entry;
    QStringList Lines;
    std::string Scan;
    std::string Baseline;
};

std::vector<TLanguageRun>& Runs() {
    static std::vector<TLanguageRun> runs;
    return runs;
}

void RegisterLanguages() {
    // The benchmarks keep pointers into the runs: no reallocation.
    Runs().reserve(HighlighterRegistry().size());
    for (const THighlighterEntry& entry : HighlighterRegistry()) {
        Runs().push_back({&entry, TenMegabytesOf(entry), {}, {}});
        TLanguageRun& run = Runs().back();
        run.Baseline = std::string("BM_") + entry.ExportName + "_Baseline_Table";
        run.Scan = std::string("BM_") + entry.ExportName + "_Scan";
        const QStringList* lines = &run.Lines;
        benchmark::RegisterBenchmark(
            run.Baseline.c_str(),
            [lines](benchmark::State& state) { ClassifyLines(state, *lines); })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
        benchmark::RegisterBenchmark(run.Scan.c_str(),
                                     [lines, &entry](benchmark::State& state) {
                                         const auto h = entry.Create();
                                         ScanLines(state, *h, *lines);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
    }
}

// The scan against the table loop, with both throughputs; times are milliseconds per pass.
void PrintThroughput(const TRatioReporter& reporter, const TLanguageRun& run) {
    const auto m = reporter.Times(run.Scan);
    const auto b = reporter.Times(run.Baseline);
    if (!m || !b) return;
    const double mb = double(CharCount(run.Lines)) / (1024.0 * 1024.0);
    std::printf(
        "%-10s real %5.2fx  cpu %5.2fx  (target <= 4)   scan %7.1f MB/s, table %7.1f MB/s\n",
        run.Entry->Name, m->Real / b->Real, m->Cpu / b->Cpu, mb / (m->Cpu / 1000.0),
        mb / (b->Cpu / 1000.0));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RegisterLanguages();
    for (const TLanguageRun& run : Runs())
        std::printf("%s: %lld lines, %.1f MB\n", run.Entry->Name,
                    static_cast<long long>(run.Lines.size()),
                    double(CharCount(run.Lines)) / (1024.0 * 1024.0));
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (time of the scan / time of the table loop over the same lines):\n");
    for (const TLanguageRun& run : Runs())
        PrintThroughput(reporter, run);
    benchmark::Shutdown();
    return 0;
}
