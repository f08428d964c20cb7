// Time from process start to the main window shown with a large notebook open, and the
// process's peak memory at that moment, against the size of the notebook file.
//
//   bench_StartupBench                 runs the program five times and prints the figures
//   bench_StartupBench --child FILE    starts the window on FILE and reports when it shows
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/Form1.h"
#include "app/NotebookFile.h"
#include "bench/app/NotebookGenerator.h"
#include "bench/support/ProcessStatus.h"
#include "platform/DialogService.h"

namespace {

// The real start-up of the program, up to the first frame of the window.
int RunChild(int argc, char** argv) {
    QApplication app(argc, argv);
    TForm1 form(QString::fromLocal8Bit(argv[2]));
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    std::printf("shown %ld %d\n", StatusKiB("VmHWM"), form.Notebook().Count());
    std::fflush(stdout);
    _exit(0);  // tearing the window down is not part of the start-up
}

struct TRun {
    double ms;
    long peakKiB;
};

TRun SpawnChild(const char* self, const QString& path) {
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--child"), path});
    child.waitForReadyRead(60000);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    child.waitForFinished(60000);
    return {ms, fields.value(1).toLong()};
}

void BM_StartupToWindowShown(benchmark::State& state) {
    static QTemporaryDir dir;
    static const QString path = [] {
        TNotebook notebook;
        bench::BuildLargeNotebook(notebook);
        const QString file = dir.filePath(QStringLiteral("large.mrp"));
        SaveNotebook(notebook, file);
        return file;
    }();
    const double fileKiB = static_cast<double>(QFileInfo(path).size()) / 1024.0;
    std::vector<TRun> runs;
    for (auto _ : state) {
        runs.push_back(
            SpawnChild(QCoreApplication::applicationFilePath().toLocal8Bit().constData(), path));
        state.SetIterationTime(runs.back().ms / 1000.0);
    }
    std::sort(runs.begin(), runs.end(), [](const TRun& a, const TRun& b) { return a.ms < b.ms; });
    const TRun& median = runs[runs.size() / 2];
    state.counters["median_ms"] = median.ms;
    state.counters["peak_x_file"] = static_cast<double>(median.peakKiB) / fileKiB;
    std::printf(
        "start-up to window shown, median of %zu: %.0f ms (target: under 1000 ms); "
        "peak memory %ld KiB for a %.0f KiB file: %.2fx (target: under 3x)\n",
        runs.size(), median.ms, median.peakKiB, fileKiB, median.peakKiB / fileKiB);
}

}  // namespace

BENCHMARK(BM_StartupToWindowShown)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return RunChild(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
