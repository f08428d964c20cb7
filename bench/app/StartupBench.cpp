// Time from process start to the main window shown with a large notebook open, and the
// process's peak memory at that moment, against the size of the notebook file; first with no
// settings file (the baseline), then with one that sets every key.
//
//   bench_StartupBench                          runs the program and prints the figures
//   bench_StartupBench --child FILE SETTINGS    starts the window on FILE with the settings
//                                               file SETTINGS and reports when it shows
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
#include "bench/support/RatioReporter.h"
#include "platform/DialogService.h"

namespace {

// The real start-up of the program, up to the first frame of the window.
int RunChild(int argc, char** argv) {
    QApplication app(argc, argv);
    TForm1 form(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
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

TRun SpawnChild(const char* self, const QString& path, const QString& settings) {
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    child.start(QString::fromLocal8Bit(self), {QStringLiteral("--child"), path, settings});
    child.waitForReadyRead(60000);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    child.waitForFinished(60000);
    return {ms, fields.value(1).toLong()};
}

QTemporaryDir& ScratchDir() {
    static QTemporaryDir dir;
    return dir;
}

// A settings file that sets every key away from its default, as a user's would after a while.
QString FullSettingsFile() {
    const QString path = ScratchDir().filePath(QStringLiteral("full.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QByteArray text =
            "[Style]\r\nName=Glossy\r\n\r\n[Form]\r\nTop=20\r\nLeft=20\r\nWidth=700\r\n"
            "Height=500\r\nScale=144\r\n\r\n[Memo]\r\nWordWrap=1\r\nGutter=1\r\n"
            "LineNumbers=1\r\nIndent=1\r\nTabWidth=4\r\nHiliter=5\r\nTree=200\r\n"
            "Font.Name=DejaVu Sans Mono\r\nFont.Size=10\r\nFont.Style=0\r\n"
            "Font.Color=0x00E8EDF5\r\nBG=0x00800000\r\nFG=0x0000FFFF\r\nDark=1\r\n\r\n[Syn]\r\n";
        for (const char* key : {"Comment", "Ident", "Float", "Key", "Number", "String", "Symbol"})
            text += QByteArray(key) + ".Name=DejaVu Sans\r\n" + key + ".Size=8\r\n" + key +
                    ".Style=0\r\n" + key + ".Color=0x00000000\r\n";
        text += "\r\n[Tree]\r\nDragMode=1\r\n\r\n";
        file.write(text);
    }
    return path;
}

void RunStartups(benchmark::State& state, const QString& settings) {
    QTemporaryDir& dir = ScratchDir();
    static const QString path = [&dir] {
        TNotebook notebook;
        bench::BuildLargeNotebook(notebook);
        const QString file = dir.filePath(QStringLiteral("large.mrp"));
        SaveNotebook(notebook, file);
        return file;
    }();
    const double fileKiB = static_cast<double>(QFileInfo(path).size()) / 1024.0;
    std::vector<TRun> runs;
    for (auto _ : state) {
        runs.push_back(SpawnChild(QCoreApplication::applicationFilePath().toLocal8Bit().constData(),
                                  path, settings));
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

// The baseline: no settings file, so every key takes its default.
void BM_StartupToWindowShown(benchmark::State& state) {
    RunStartups(state, ScratchDir().filePath(QStringLiteral("missing.ini")));
}

void BM_StartupWithFullSettings(benchmark::State& state) {
    RunStartups(state, FullSettingsFile());
}

}  // namespace

BENCHMARK(BM_StartupToWindowShown)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupWithFullSettings)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return RunChild(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("start-up, full settings file / none", "BM_StartupWithFullSettings",
                        "BM_StartupToWindowShown", "target: under 1000 ms either way");
    benchmark::Shutdown();
    return 0;
}
