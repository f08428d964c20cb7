// Load and save of a large notebook, each against plainly reading or writing the same number
// of bytes with QFile in the same run, plus a load and a plain read each in a fresh process,
// with the peak memory of the load.
//
//   bench_NotebookFileBench                        runs the benchmarks and prints the ratios
//   bench_NotebookFileBench --once load|read FILE  one timed load or plain read (used by the
//                                                  above, each in a new process)
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "app/Notebook.h"
#include "app/NotebookFile.h"
#include "bench/app/NotebookGenerator.h"
#include "bench/support/ProcessStatus.h"
#include "bench/support/RatioReporter.h"

using namespace bench;

namespace {

struct TFixture {
    QTemporaryDir dir;
    QString notebookPath;
    QString savePath;
    QString plainPath;
    QByteArray fileBytes;
    std::unique_ptr<TNotebook> notebook = std::make_unique<TNotebook>();

    TFixture() {
        notebookPath = dir.filePath(QStringLiteral("bench.mrp"));
        savePath = dir.filePath(QStringLiteral("saved.mrp"));
        plainPath = dir.filePath(QStringLiteral("plain.bin"));
        BuildLargeNotebook(*notebook);
        SaveNotebook(*notebook, notebookPath);
        QFile file(notebookPath);
        file.open(QIODevice::ReadOnly);
        fileBytes = file.readAll();
    }
};

TFixture& Fixture() {
    static TFixture fixture;
    return fixture;
}

void BM_LoadNotebook(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state) {
        auto notebook = std::make_unique<TNotebook>();
        LoadNotebook(*notebook, f.notebookPath);
        benchmark::DoNotOptimize(notebook->Count());
        state.PauseTiming();
        notebook.reset();  // freeing the tree is not part of the load
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * f.fileBytes.size());
}

// The strictest baseline: the bytes land in memory that is already there.
void BM_QFileRead(benchmark::State& state) {
    TFixture& f = Fixture();
    QByteArray bytes(f.fileBytes.size(), '\0');
    for (auto _ : state) {
        QFile file(f.notebookPath);
        file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        benchmark::DoNotOptimize(file.read(bytes.data(), bytes.size()));
    }
    state.SetBytesProcessed(state.iterations() * f.fileBytes.size());
}

// The plain way to read a file: readAll into a new buffer, whose pages are faulted in anew.
void BM_QFileReadAll(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state) {
        QFile file(f.notebookPath);
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.constData());
        state.PauseTiming();
        bytes = QByteArray();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * f.fileBytes.size());
}

void BM_SaveNotebook(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state)
        SaveNotebook(*f.notebook, f.savePath);
    state.SetBytesProcessed(state.iterations() * f.fileBytes.size());
}

// The encoding alone, into memory: what the save costs beyond the file system.
void BM_WriteNotebookToMemory(benchmark::State& state) {
    TFixture& f = Fixture();
    QByteArray bytes;
    bytes.reserve(f.fileBytes.size());
    for (auto _ : state) {
        bytes.resize(0);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        WriteNotebook(*f.notebook, buffer);
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(state.iterations() * f.fileBytes.size());
}

void BM_QFileWrite(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state) {
        QFile file(f.plainPath);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(f.fileBytes);
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * f.fileBytes.size());
}

// The same write made durable, as a safe save must be: QSaveFile syncs the data to the disk
// before it replaces the old file.
void BM_QFileWriteSynced(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state) {
        QFile file(f.plainPath);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(f.fileBytes);
        file.flush();
        ::fdatasync(file.handle());
        file.close();
    }
    state.SetBytesProcessed(state.iterations() * f.fileBytes.size());
}

BENCHMARK(BM_QFileRead)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_QFileReadAll)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_LoadNotebook)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_WriteNotebookToMemory)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_QFileWrite)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_QFileWriteSynced)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_SaveNotebook)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// One operation in a process of its own, as when a notebook is opened at start-up: the
// heap is new, so the load pays for every page of its tree just as the plain read pays for
// its buffer. Prints the time in microseconds, the peak and the resident size before.
int RunOnce(const char* what, const QString& path) {
    const long before = StatusKiB("VmRSS");
    QElapsedTimer timer;
    timer.start();
    qint64 size;
    if (std::strcmp(what, "load") == 0) {
        TNotebook notebook;
        LoadNotebook(notebook, path);
        size = notebook.Count();
    } else {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        size = file.readAll().size();
    }
    const qint64 us = timer.nsecsElapsed() / 1000;
    std::printf("%lld %ld %ld %lld\n", static_cast<long long>(us), StatusKiB("VmHWM"), before,
                static_cast<long long>(size));
    return 0;
}

struct TOnce {
    double ms = 0;
    long peakKiB = 0;
    long beforeKiB = 0;
};

TOnce SpawnOnce(const char* self, const char* what, const QString& path) {
    QProcess child;
    child.start(QString::fromLocal8Bit(self),
                {QStringLiteral("--once"), QString::fromLatin1(what), path});
    child.waitForFinished(-1);
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    TOnce once;
    if (fields.size() >= 3) {
        once.ms = fields[0].toDouble() / 1000.0;
        once.peakKiB = fields[1].toLong();
        once.beforeKiB = fields[2].toLong();
    }
    return once;
}

void ReportFreshProcessLoads(const char* self) {
    TFixture& f = Fixture();
    constexpr int kRuns = 7;
    std::vector<TOnce> loads, reads;
    for (int i = 0; i < kRuns; ++i) {
        reads.push_back(SpawnOnce(self, "read", f.notebookPath));
        loads.push_back(SpawnOnce(self, "load", f.notebookPath));
    }
    auto median = [](std::vector<TOnce> runs) {
        std::sort(runs.begin(), runs.end(),
                  [](const TOnce& a, const TOnce& b) { return a.ms < b.ms; });
        return runs[runs.size() / 2];
    };
    const TOnce load = median(loads), read = median(reads);
    const double fileKiB = static_cast<double>(f.fileBytes.size()) / 1024.0;
    std::printf(
        "fresh process, median of %d: LoadNotebook %.1f ms, QFile::readAll %.1f ms: "
        "%.2fx (target: within 3x)\n",
        kRuns, load.ms, read.ms, load.ms / read.ms);
    std::printf(
        "load peak memory: %ld KiB for a %.0f KiB file: %.2fx the file, %.2fx counting "
        "only what the load added (target: under 3x)\n",
        load.peakKiB, fileKiB, static_cast<double>(load.peakKiB) / fileKiB,
        static_cast<double>(load.peakKiB - load.beforeKiB) / fileKiB);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--once") == 0)
        return RunOnce(argv[2], QString::fromLocal8Bit(argv[3]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("notebook: %d snippets, %lld bytes\n", kLargeNotebookSnippets,
                static_cast<long long>(Fixture().fileBytes.size()));
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nRatios (target: within 3x):\n");
    reporter.PrintRatio("load vs reading into memory already there", "BM_LoadNotebook",
                        "BM_QFileRead", "the strictest baseline");
    reporter.PrintRatio("load vs QFile::readAll into a new buffer", "BM_LoadNotebook",
                        "BM_QFileReadAll", "same process");
    reporter.PrintRatio("save vs a plain QFile write", "BM_SaveNotebook", "BM_QFileWrite",
                        "not synced");
    reporter.PrintRatio("save vs a QFile write synced to disk", "BM_SaveNotebook",
                        "BM_QFileWriteSynced", "like for like: saves are synced");
    ReportFreshProcessLoads(argv[0]);
    return 0;
}
