// Opening a notebook in the window and selecting its first snippet, for notebooks a hostile
// file can hand us, against an ordinary two-snippet notebook measured in the same run:
// a 2 MB title, a 5 MB first line, and trees nested 30,000 and 1,000,000 levels deep (these
// also expand all). Each iteration builds the window on the file, shows it, clicks the first
// snippet as the tree click does and paints the window once. And a keystroke in the 5 MB
// first line, against one in an ordinary line.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "app/Form1.h"
#include "app/NotebookFile.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "bench/support/RatioReporter.h"
#include "editor/CodeEdit.h"

namespace {

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

// Two top-level snippets; the first is the one selected.
QString TwoSnippets(const char* name, const QString& title, const QString& text) {
    TNotebook notebook;
    notebook.AddChild(nullptr, title, 1)->Data()->text = text;
    notebook.AddChild(nullptr, QStringLiteral("second"), 2)->Data()->text =
        QStringLiteral("second\r\nbody");
    const QString path = Scratch().filePath(QString::fromLatin1(name));
    SaveNotebook(notebook, path);
    return path;
}

QString Chain(const char* name, int depth) {
    TNotebook notebook;
    TNotebookNode* node = nullptr;
    for (int i = 0; i < depth; ++i)
        node = notebook.AddChild(node, QStringLiteral("level"), 1);
    const QString path = Scratch().filePath(QString::fromLatin1(name));
    SaveNotebook(notebook, path);
    return path;
}

void OpenAndSelect(benchmark::State& state, const QString& path, bool expandAll) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        {
            TForm1 form(path);
            form.resize(900, 600);
            form.show();
            QApplication::processEvents();
            if (expandAll) form.TreeExpandCmdExecute();
            form.TreeView1->setCurrentIndex(form.TreeModel()->IndexOf(form.Notebook().First()));
            form.TreeView1Click();
            benchmark::DoNotOptimize(form.grab());
            const auto shown = std::chrono::steady_clock::now();
            state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        }  // closing the window is not timed
    }
}

// One character typed into the first line of the selected snippet, with the title that
// follows it and the repaint of the window.
void TypeInFirstLine(benchmark::State& state, const QString& path) {
    TForm1 form(path);
    form.resize(900, 600);
    form.show();
    QApplication::processEvents();
    form.TreeView1->setCurrentIndex(form.TreeModel()->IndexOf(form.Notebook().First()));
    form.TreeView1Click();
    (void)form.grab();
    for (auto _ : state) {
        form.Editor().ExecuteCommand(ecChar, QChar(u'x'));
        benchmark::DoNotOptimize(form.grab());
    }
    form.isModify = false;
}

void BM_Ordinary(benchmark::State& state) {
    static const QString path =
        TwoSnippets("ordinary.mrp", QStringLiteral("first"), QStringLiteral("first\r\nbody"));
    OpenAndSelect(state, path, false);
}

void BM_TwoMegabyteTitle(benchmark::State& state) {
    static const QString path =
        TwoSnippets("title.mrp", QString(2 * 1024 * 1024, u'T'), QStringLiteral("first\r\nbody"));
    OpenAndSelect(state, path, false);
}

void BM_FiveMegabyteFirstLine(benchmark::State& state) {
    static const QString path =
        TwoSnippets("line.mrp", QStringLiteral("first"),
                    QString(5 * 1024 * 1024, u'L') + QStringLiteral("\r\nbody"));
    OpenAndSelect(state, path, false);
}

void BM_TypeInOrdinaryFirstLine(benchmark::State& state) {
    static const QString path = TwoSnippets("ordinary-typing.mrp", QStringLiteral("first"),
                                            QStringLiteral("first\r\nbody"));
    TypeInFirstLine(state, path);
}

void BM_TypeInFiveMegabyteFirstLine(benchmark::State& state) {
    static const QString path =
        TwoSnippets("line-typing.mrp", QStringLiteral("first"),
                    QString(5 * 1024 * 1024, u'L') + QStringLiteral("\r\nbody"));
    TypeInFirstLine(state, path);
}

void BM_Ordinary_ExpandAll(benchmark::State& state) {
    static const QString path = Chain("ten.mrp", 10);
    OpenAndSelect(state, path, true);
}

void BM_Deep30000_ExpandAll(benchmark::State& state) {
    static const QString path = Chain("deep30k.mrp", 30000);
    OpenAndSelect(state, path, true);
}

void BM_Deep1000000_ExpandAll(benchmark::State& state) {
    static const QString path = Chain("deep1m.mrp", 1000000);
    OpenAndSelect(state, path, true);
}

}  // namespace

BENCHMARK(BM_Ordinary)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoMegabyteTitle)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FiveMegabyteFirstLine)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInOrdinaryFirstLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeInFiveMegabyteFirstLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ordinary_ExpandAll)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deep30000_ExpandAll)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Deep1000000_ExpandAll)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nopen and select, against an ordinary notebook in this run:\n");
    reporter.PrintRatio("2 MB title", "BM_TwoMegabyteTitle", "BM_Ordinary",
                        "target: within 100 ms of ordinary");
    reporter.PrintRatio("5 MB first line", "BM_FiveMegabyteFirstLine", "BM_Ordinary",
                        "target: within 100 ms of ordinary");
    reporter.PrintRatio("a keystroke in a 5 MB first line", "BM_TypeInFiveMegabyteFirstLine",
                        "BM_TypeInOrdinaryFirstLine", "no stutter: a few ms at most");
    reporter.PrintRatio("30,000 levels, expand all", "BM_Deep30000_ExpandAll",
                        "BM_Ordinary_ExpandAll", "target: seconds, not a crash");
    reporter.PrintRatio("1,000,000 levels, expand all", "BM_Deep1000000_ExpandAll",
                        "BM_Ordinary_ExpandAll", "target: seconds, not a crash");
    // The target is a difference, so print that as well.
    for (const char* name : {"BM_TwoMegabyteTitle", "BM_FiveMegabyteFirstLine"}) {
        const auto m = reporter.Times(name);
        const auto b = reporter.Times("BM_Ordinary");
        if (m && b) std::printf("%-46s %+.1f ms against ordinary\n", name, (m->Real - b->Real));
    }
    benchmark::Shutdown();
    return 0;
}
