// The editor's view: a full repaint, a page of scrolling, re-wrapping after a width change and
// single keystrokes with word wrap or a highlighter, each beside a baseline measured in the
// same run. Times are medians over repeated runs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "editor/CodeEdit.h"
#include "highlighters/HighlighterCpp.h"

namespace {

using TClock = std::chrono::steady_clock;

// The median time of Body in microseconds, over Runs calls after a warm-up call.
double Median(int Runs, const std::function<void(int)>& Body) {
    Body(-1);
    std::vector<double> times;
    times.reserve(Runs);
    for (int i = 0; i < Runs; ++i) {
        const auto t0 = TClock::now();
        Body(i);
        times.push_back(std::chrono::duration<double, std::micro>(TClock::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double Max(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

QFont BenchFont() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(13);
    return font;
}

// Lines of C++ of about the given width, some with tabs, some with a comment.
QString CodeLine(int i, int width) {
    static const QString pieces[] = {
        QStringLiteral("for (int i = 0; i < count; ++i) "),
        QStringLiteral("total += values[i] * 2.5; "),
        QStringLiteral("/* a comment */ "),
        QStringLiteral("if (name == \"text\") return 0x1F; "),
        QStringLiteral("\tresult = compute(a, b, c); "),
        QStringLiteral("// trailing words of a remark "),
    };
    QString s;
    for (int k = i; s.size() < width; ++k)
        s += pieces[k % 6];
    return s.left(width);
}

QString Text(int lines, int width, int varyBy = 0) {
    QString t;
    t.reserve(qsizetype(lines) * (width + 2));
    for (int i = 0; i < lines; ++i) {
        if (i > 0) t += QStringLiteral("\r\n");
        t += CodeLine(i, varyBy ? width - varyBy + (i * 37) % (2 * varyBy) : width);
    }
    return t;
}

struct TView {
    std::unique_ptr<TCodeEdit> Edit = std::make_unique<TCodeEdit>();
    QImage Image;

    TView(int rows, int columns) {
        Edit->setFont(BenchFont());
        Edit->Gutter().SetShowLineNumbers(true);
        Edit->SetRightEdge(80);
        Edit->show();
        const int width = Edit->TextOffset() + columns * Edit->CharWidth();
        const int height = rows * Edit->TextHeight();
        const QSize frame = Edit->size() - Edit->viewport()->size();
        Edit->resize(QSize(width, height) + frame);
        Image = QImage(Edit->viewport()->size(), QImage::Format_RGB32);
    }
    void Render() { Edit->viewport()->render(&Image); }
};

void RepaintBenchmarks() {
    std::printf("Full repaint of 50 rows x 160 columns:\n");
    TView view(50, 160);
    TCodeEdit& edit = *view.Edit;
    std::printf("  window: %d rows x %d columns, cell %d x %d px\n", edit.LinesInWindow(),
                edit.CharsInWindow(), edit.CharWidth(), edit.TextHeight());
    const QString text = Text(200, 160);
    edit.SetText(text);
    // The baseline: the same rows, one drawText each, on an image of the same size.
    QImage image(view.Image.size(), QImage::Format_RGB32);
    QStringList rows = text.split(QStringLiteral("\r\n"));
    for (QString& row : rows)
        row.replace(u'\t', QStringLiteral("        "));
    const int h = edit.TextHeight();
    const double baseline = Median(200, [&](int) {
        QPainter p(&image);
        p.setFont(BenchFont());
        p.fillRect(image.rect(), Qt::white);
        for (int r = 0; r < 50; ++r)
            p.drawText(edit.TextOffset(), r * h + 12, rows[r]);
    });
    const double plain = Median(200, [&](int) { view.Render(); });
    TCppHighlighter cpp;
    edit.SetHighlighter(&cpp);
    const double highlighted = Median(200, [&](int) { view.Render(); });
    edit.SetHighlighter(nullptr);
    std::printf("  baseline, drawText per row:   %8.1f us\n", baseline);
    std::printf("  editor, plain text:            %8.1f us   ratio %5.2fx (target <= 3)\n", plain,
                plain / baseline);
    std::printf("  editor, C++ highlighter:       %8.1f us   ratio %5.2fx\n", highlighted,
                highlighted / baseline);

    std::printf("Scrolling one page through a 1,000,000-line text:\n");
    edit.SetText(Text(1000000, 60, 40));
    edit.SetHighlighter(&cpp);
    int top = 400000;
    edit.SetTopLine(top);
    view.Render();
    const double full = Median(100, [&](int) { view.Render(); });
    const double page = Median(100, [&](int) {
        top += 50;
        edit.SetTopLine(top);
        view.Render();
    });
    std::printf("  full repaint:   %8.1f us\n", full);
    std::printf("  page + repaint: %8.1f us   ratio %5.2fx (target ~1)\n", page, page / full);
    edit.SetHighlighter(nullptr);
}

void WrapBenchmarks() {
    std::printf("Re-wrapping 1,000,000 lines after a width change:\n");
    TView view(50, 100);
    TCodeEdit& edit = *view.Edit;
    const QString text = Text(1000000, 80, 60);  // 20..139 characters
    edit.SetText(text);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    // The baseline: every line tab-expanded once, as the line store does it.
    const double baseline = Median(5, [&](int) {
        qsizetype total = 0;
        for (const QString& line : lines) {
            QString expanded;
            if (line.contains(u'\t')) {
                expanded.reserve(line.size() + 8);
                for (QChar c : line) {
                    if (c == u'\t')
                        expanded.append(QString(8 - expanded.size() % 8, u'\t'));
                    else
                        expanded.append(c);
                }
            } else {
                expanded = line;
            }
            total += expanded.size();
        }
        benchmark::DoNotOptimize(total);
    });
    const double on = Median(3, [&](int) {
        edit.SetWordWrap(false);
        const auto t0 = TClock::now();
        edit.SetWordWrap(true);
        benchmark::DoNotOptimize(t0);
    });
    const QSize narrow = edit.size();
    const QSize wide = narrow + QSize(7 * edit.CharWidth(), 0);
    int flip = 0;
    const double rewrap = Median(7, [&](int) { edit.resize(++flip % 2 ? wide : narrow); });
    std::printf("  rows now: %d for %d lines at %d columns\n", edit.DisplayLineCount(),
                edit.Lines().Count() > 0 ? static_cast<int>(edit.Lines().Count()) : 0,
                edit.CharsInWindow());
    std::printf("  baseline, tab-expanding every line: %8.1f ms\n", baseline / 1000);
    std::printf("  re-wrap after a width change:       %8.1f ms   ratio %5.2fx (target <= 3)\n",
                rewrap / 1000, rewrap / baseline);
    std::printf("  word wrap switched on (incl. off):  %8.1f ms\n", on / 1000);

    std::printf("One keystroke with word wrap on, at line 500,000 of 1,000,000:\n");
    edit.SetCaretXY({10, 500000});
    std::vector<double> typed;
    std::vector<double> enter;
    for (int i = 0; i < 2000; ++i) {
        auto t0 = TClock::now();
        edit.CommandProcessor(ecChar, QChar(u'a' + i % 26));
        typed.push_back(std::chrono::duration<double, std::micro>(TClock::now() - t0).count());
    }
    for (int i = 0; i < 300; ++i) {
        auto t0 = TClock::now();
        edit.CommandProcessor(ecLineBreak);
        enter.push_back(std::chrono::duration<double, std::micro>(TClock::now() - t0).count());
        edit.CommandProcessor(ecUndo);
    }
    std::vector<double> sortedTyped = typed;
    std::sort(sortedTyped.begin(), sortedTyped.end());
    std::vector<double> sortedEnter = enter;
    std::sort(sortedEnter.begin(), sortedEnter.end());
    std::printf("  ecChar:      median %7.1f us, max %8.1f us (target < 1000)\n",
                sortedTyped[sortedTyped.size() / 2], Max(typed));
    // The first Enter after the jump moves the line store's gap to the caret: once per jump.
    const std::vector<double> afterFirst(enter.begin() + 1, enter.end());
    std::printf(
        "  ecLineBreak: median %7.1f us, max %8.1f us (target < 1000); the first,"
        " which moves the line store's gap: %.1f us\n",
        sortedEnter[sortedEnter.size() / 2], Max(afterFirst), enter.front());
    const auto t0 = TClock::now();
    view.Render();
    std::printf("  repaint after them: %.1f us\n",
                std::chrono::duration<double, std::micro>(TClock::now() - t0).count());
}

void HighlighterKeystrokeBenchmark() {
    std::printf("One keystroke in a 100,000-line C++ text with the highlighter attached:\n");
    TView view(50, 120);
    TCodeEdit& edit = *view.Edit;
    TCppHighlighter cpp;
    edit.SetText(Text(100000, 60, 30));
    auto t0 = TClock::now();
    edit.SetHighlighter(&cpp);
    std::printf("  attaching (scans every line): %.1f ms\n",
                std::chrono::duration<double, std::milli>(TClock::now() - t0).count());
    edit.SetCaretXY({5, 50000});
    std::vector<double> typed;
    for (int i = 0; i < 2000; ++i) {
        t0 = TClock::now();
        edit.CommandProcessor(ecChar, QChar(u'a' + i % 26));
        typed.push_back(std::chrono::duration<double, std::micro>(TClock::now() - t0).count());
    }
    std::vector<double> sorted = typed;
    std::sort(sorted.begin(), sorted.end());
    std::printf("  ecChar, range unchanged: median %6.1f us, max %8.1f us (target < 1000)\n",
                sorted[sorted.size() / 2], Max(typed));
    t0 = TClock::now();
    view.Render();
    std::printf("  repaint after them: %.1f us\n",
                std::chrono::duration<double, std::micro>(TClock::now() - t0).count());
    edit.SetHighlighter(nullptr);
}

// A line of minified code is scanned whole for every keystroke (its end range) and for
// every paint (its tokens up to the window): the cost is that of scanning it, more or less.
void LongLineKeystrokeBenchmark() {
    std::printf("One keystroke and repaint in the middle of a 1 MB line, C++ highlighter:\n");
    TView view(50, 120);
    TCodeEdit& edit = *view.Edit;
    TCppHighlighter cpp;
    const QString line = QString(QStringLiteral("f(a,b);x=1+2;")).repeated(80000);
    edit.SetText(line);
    const double scan = Median(20, [&](int) {
        cpp.ResetRange();
        cpp.SetLine(line, 0);
        cpp.NextToEol();
    });
    edit.SetHighlighter(&cpp);
    for (const bool wrap : {false, true}) {
        edit.SetWordWrap(wrap);
        edit.SetCaretXY({static_cast<int>(line.size()) / 2, 1});
        const double typed = Median(50, [&](int) {
            edit.CommandProcessor(ecChar, QChar(u'z'));
            view.Render();
        });
        std::printf("  word wrap %-3s: %8.1f us   ratio %5.2fx of one scan of the line (%.1f us)\n",
                    wrap ? "on" : "off", typed, typed / scan, scan);
    }
    edit.SetHighlighter(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RepaintBenchmarks();
    WrapBenchmarks();
    HighlighterKeystrokeBenchmark();
    LongLineKeystrokeBenchmark();
    return 0;
}
