// The tree commands on large notebooks, run through the main window as a user runs them:
// Add and Delete at the end, middle and start, moving a subtree of 10,000 snippets, and a
// title search that walks the whole tree. Each runs at two sizes, so a cost that grows
// faster than the notebook shows as a ratio well above the size ratio.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <map>
#include <memory>

#include "app/Form1.h"
#include "app/NotebookFile.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "platform/DialogService.h"
#include "platform/FindDialog.h"

namespace {

// Says yes to every question and cancels every file dialog.
class TYesDialogs : public TDialogService {
public:
    bool Confirm(QWidget*, const QString&) override { return true; }
    bool AskYesNo(QWidget*, const QString&, const QRect&) override { return true; }
    void ShowError(QWidget*, const QString& text) override {
        qFatal("error: %s", qPrintable(text));
    }
    void ShowMessage(QWidget*, const QString&) override {}
    std::optional<QString> OpenFileName(QWidget*, const TFileDialogOptions&) override {
        return std::nullopt;
    }
    std::optional<QString> SaveFileName(QWidget*, const TFileDialogOptions&) override {
        return std::nullopt;
    }
};

// A notebook of `count` snippets, nested up to eight levels; the first top-level snippet
// holds a subtree of exactly `subtree` snippets, the rest are spread as groups.
QString WriteNotebook(const QTemporaryDir& dir, int count, int subtree) {
    TNotebook notebook;
    TNotebookNode* big = notebook.AddChild(nullptr, QStringLiteral("subtree root"), 1);
    TNotebookNode* parent = big;
    for (int i = 1; i < subtree; ++i) {
        // A chain eight deep, then back to the subtree root.
        parent = (parent->Level() >= 7) ? big : parent;
        TNotebookNode* node = notebook.AddChild(parent, QStringLiteral("item %1").arg(i), 2);
        node->Data()->text = node->Title();
        if (i % 100 == 0) parent = node;
    }
    TNotebookNode* group = nullptr;
    for (int i = subtree; i < count; ++i) {
        if (i % 50 == 0 || !group) {
            group = notebook.AddChild(nullptr, QStringLiteral("group %1").arg(i), 3);
            continue;
        }
        TNotebookNode* node =
            notebook.AddChild(i % 7 == 0 && group->HasChildren() ? group->LastChild() : group,
                              QStringLiteral("snippet %1").arg(i), 4);
        node->Data()->text = node->Title() + QStringLiteral("\r\nbody");
    }
    const QString path = dir.filePath(QStringLiteral("big-%1.mrp").arg(count));
    SaveNotebook(notebook, path);
    return path;
}

struct TWindow {
    explicit TWindow(int count) : Dir(), Form(WriteNotebook(Dir, count, 10000)) {
        Form.resize(900, 600);
        Form.show();
        QApplication::processEvents();
    }
    void MakeCurrent(TNotebookNode* node) {
        Form.TreeView1->setCurrentIndex(Form.TreeModel()->IndexOf(node));
        Form.TreeView1Click();
    }
    TNotebookNode* At(const char* where) {
        TNotebook& nb = Form.Notebook();
        if (where[0] == 's') return nb.TopLevelItem(1);  // start (after the big subtree)
        if (where[0] == 'm') return nb.TopLevelItem(nb.TopLevelCount() / 2);
        return nb.TopLevelItem(nb.TopLevelCount() - 1);
    }
    QTemporaryDir Dir;
    TForm1 Form;
};

// The windows are kept between benchmarks of one size. They must go while the QApplication
// still exists, so main empties the map, not the exit handlers.
std::map<int, std::unique_ptr<TWindow>> gWindows;

TWindow& Window(int count) {
    auto& slot = gWindows[count];
    if (!slot) slot = std::make_unique<TWindow>(count);
    return *slot;
}

void AddThenDelete(benchmark::State& state, const char* where, bool timeAdd) {
    TWindow& w = Window(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w.MakeCurrent(w.At(where));
        auto start = std::chrono::steady_clock::now();
        w.Form.AddBtnClick();
        auto added = std::chrono::steady_clock::now();
        w.Form.BtnDeleteClick();
        auto deleted = std::chrono::steady_clock::now();
        const auto span = timeAdd ? added - start : deleted - added;
        state.SetIterationTime(std::chrono::duration<double>(span).count());
    }
}

void BM_Add(benchmark::State& state, const char* where) {
    AddThenDelete(state, where, true);
}
void BM_Delete(benchmark::State& state, const char* where) {
    AddThenDelete(state, where, false);
}

void BM_MoveSubtree(benchmark::State& state) {
    TWindow& w = Window(static_cast<int>(state.range(0)));
    TNotebookNode* big = w.Form.Notebook().TopLevelItem(0);
    w.MakeCurrent(big);
    bool down = true;
    for (auto _ : state) {
        if (down)
            w.Form.BtnDownClick();
        else
            w.Form.BtnUpClick();
        down = !down;
    }
}

void BM_TitleSearchWholeTree(benchmark::State& state) {
    TWindow& w = Window(static_cast<int>(state.range(0)));
    w.Form.SearchTitleCmdExecute();
    w.Form.FindDialog2->SetFindText(QStringLiteral("no such title"));
    for (auto _ : state)
        w.Form.FindDialog2Find();
}

}  // namespace

BENCHMARK_CAPTURE(BM_Add, end, "end")
    ->Arg(20000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Add, middle, "middle")
    ->Arg(20000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Add, start, "start")
    ->Arg(20000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Delete, end, "end")
    ->Arg(20000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Delete, middle, "middle")
    ->Arg(20000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Delete, start, "start")
    ->Arg(20000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveSubtree)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleSearchWholeTree)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TDialogService::Install(std::make_unique<TYesDialogs>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gWindows.clear();
    return 0;
}
