// Exporting 10 MB of C++ to HTML, against one highlighter scan of the same lines in the same
// run. The text is the C++ highlighter's sample source repeated, with the light token colours,
// so the export opens and closes spans as it would for a user's copy.
#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>
#include <cstdio>

#include "bench/support/RatioReporter.h"
#include "editor/CodeEditExportHTML.h"
#include "editor/CodeEditTextBuffer.h"
#include "highlighters/HighlighterRegistry.h"
#include "highlighters/HighlighterTokenDump.h"
#include "highlighters/TokenColorPresets.h"

namespace {

constexpr qsizetype kTargetChars = 10 * 1024 * 1024;
constexpr int kCppChoice = 5;

struct TText {
    QStringList Lines;
    qsizetype Chars = 0;
};

const TText& TenMegabytesOfCpp() {
    static const TText text = [] {
        TText t;
        const QStringList sample =
            SplitIntoLines(CreateHighlighterForChoice(kCppChoice)->GetSampleSource());
        qsizetype sampleChars = 0;
        for (const QString& line : sample)
            sampleChars += line.size();
        while (sampleChars > 0 && t.Chars < kTargetChars) {
            t.Lines += sample;
            t.Chars += sampleChars;
        }
        return t;
    }();
    return text;
}

std::unique_ptr<TCustomHighlighter> ColouredCpp() {
    const THighlighterEntry* entry = FindHighlighterEntry(kCppChoice);
    auto h = entry->Create();
    ApplyTokenColors(*entry, *h, LightTokenColors());
    return h;
}

// The baseline: what the editor does to keep its ranges, one scan of every line.
void BM_Cpp_Scan(benchmark::State& state) {
    const TText& text = TenMegabytesOfCpp();
    const auto h = ColouredCpp();
    for (auto _ : state) {
        quint64 sum = 0;
        h->ResetRange();
        for (qsizetype i = 0; i < text.Lines.size(); ++i) {
            h->SetLine(text.Lines[i], qint32(i));
            while (!h->GetEol()) {
                sum += quint64(h->GetTokenPos()) + quint64(h->GetTokenAttribute() != nullptr);
                h->Next();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * text.Chars);
}

// The whole text as the clipboard's HTML, from the line store.
void BM_Cpp_ExportHTML(benchmark::State& state) {
    const TText& text = TenMegabytesOfCpp();
    const auto h = ColouredCpp();
    TCodeEditStringList lines;
    lines.AddStrings(text.Lines);
    const qint32 count = qint32(lines.Count());
    const TBufferCoord stop{qint32(lines.Strings(count - 1).size()) + 1, count};
    qsizetype bytes = 0;
    for (auto _ : state) {
        TExporterHTML exporter;
        exporter.SetUseBackground(true);
        exporter.SetHighlighter(h.get());
        exporter.ExportRange(lines, {1, 1}, stop);
        bytes = exporter.Data().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * text.Chars);
    state.counters["html_MB"] = double(bytes) / (1024.0 * 1024.0);
}

BENCHMARK(BM_Cpp_Scan)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Cpp_ExportHTML)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const TText& text = TenMegabytesOfCpp();
    std::printf("C++: %lld lines, %.1f MB\n", static_cast<long long>(text.Lines.size()),
                double(text.Chars) / (1024.0 * 1024.0));
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatio (time of the export / time of one scan of the same lines):\n");
    reporter.PrintRatio("HTML export of 10 MB of C++", "BM_Cpp_ExportHTML", "BM_Cpp_Scan",
                        "target <= 3");
    benchmark::Shutdown();
    return 0;
}
