// Painting checked on pixels: the editor is rendered offscreen on a fixed cell grid of 8 x 16
// pixels, and cells are told apart by their background colour.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <climits>
#include <memory>

#include "editor/CodeEdit.h"
#include "tests/support/QtPrinters.h"

namespace {

constexpr int kCellW = 8;
constexpr int kCellH = 16;
const QColor kWhite(255, 255, 255);
const QColor kMaroon(128, 0, 0);  // 0x000080 as 0x00BBGGRR
const QColor kSelBack(0, 0, 255);
const QColor kSelFore(255, 255, 0);

// Records the regions the viewport is asked to paint.
class TPaintSpy : public QObject {
public:
    QRegion Painted;
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            Painted += static_cast<QPaintEvent*>(e)->region();
            ++Paints;
        }
        return false;
    }
};

class PaintTest : public ::testing::Test {
protected:
    PaintTest() {
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPixelSize(12);
        Edit.setFont(font);
        Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 40));
        Edit.SetColor(0xFFFFFF);
        Edit.SetFontColor(0x000000);
        Edit.SelectedColor().SetBackground(0xFF0000);  // blue
        Edit.SelectedColor().SetForeground(0x00FFFF);  // yellow
        Edit.Gutter().SetColor(0xC0C0C0);
        Edit.SetRightEdge(0);
        Edit.resize(400, 200);
        Edit.show();
    }

    QImage Render() {
        QImage image(Edit.viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::green);  // anything left unpainted shows
        Edit.viewport()->render(&image);
        if (const QByteArray dir = qgetenv("MARROWPAD_SHOTS_DIR"); !dir.isEmpty()) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            image.save(QDir(QString::fromLocal8Bit(dir))
                           .filePath(QString::fromLatin1(info->name()) + QStringLiteral(".png")));
        }
        return image;
    }
    // The background of a text cell (0-based cell and row), read at its top left corner,
    // where no glyph reaches.
    QColor CellBack(const QImage& image, int cell, int row) const {
        return image.pixelColor(Edit.TextOffset() + cell * kCellW, row * kCellH);
    }
    // Whether any pixel of the cell has the colour.
    bool CellHas(const QImage& image, int cell, int row, const QColor& color) const {
        for (int y = row * kCellH; y < (row + 1) * kCellH; ++y)
            for (int x = Edit.TextOffset() + cell * kCellW;
                 x < Edit.TextOffset() + (cell + 1) * kCellW; ++x)
                if (image.pixelColor(x, y) == color) return true;
        return false;
    }
    // Whether any pixel of the cell differs from its background.
    bool CellHasInk(const QImage& image, int cell, int row) const {
        const QColor back = CellBack(image, cell, row);
        for (int y = row * kCellH; y < (row + 1) * kCellH; ++y)
            for (int x = Edit.TextOffset() + cell * kCellW;
                 x < Edit.TextOffset() + (cell + 1) * kCellW; ++x)
                if (image.pixelColor(x, y) != back) return true;
        return false;
    }
    void TitleColors() {
        Edit.OnSpecialLineColors = [](TCustomCodeEdit*, int line, bool& special, quint32& fg,
                                      quint32& bg) {
            if (line != 1) return;
            special = true;
            bg = 0x000080;
            fg = 0xFFFFFF;
        };
    }

    TCodeEdit Edit;
};

}  // namespace

TEST_F(PaintTest, GutterWidthFollowsItsSettings) {
    Edit.setFont(QFont());  // the gutter's cell comes from the metrics, 7 pixels
    TGutter& gutter = Edit.Gutter();
    EXPECT_EQ(Edit.GutterWidth(), 30) << "visible, no numbers, no AutoSize";
    EXPECT_EQ(Edit.TextOffset(), 32);
    gutter.SetShowLineNumbers(true);
    EXPECT_EQ(Edit.GutterWidth(), 16 + 2 + 28 + 2);
    EXPECT_EQ(Edit.TextOffset(), 50);
    gutter.SetShowLineNumbers(false);
    gutter.SetAutoSize(true);
    EXPECT_EQ(Edit.GutterWidth(), 16 + 2 + 2) << "AutoSize without numbers: the offsets only";
    gutter.SetVisible(false);
    EXPECT_EQ(Edit.GutterWidth(), 0);
    EXPECT_EQ(Edit.TextOffset(), 2);

    // AutoSize with numbers grows the digits with the line count, never below DigitCount.
    gutter.SetVisible(true);
    gutter.SetShowLineNumbers(true);
    QStringList lines;
    for (int i = 0; i < 12345; ++i)
        lines << QStringLiteral("x");
    Edit.SetText(lines.join(QStringLiteral("\r\n")));
    EXPECT_EQ(gutter.AutoSizeDigitCount(), 5);
    EXPECT_EQ(Edit.GutterWidth(), 16 + 2 + 35 + 2);
    Edit.SetText(QStringLiteral("short"));
    EXPECT_EQ(gutter.AutoSizeDigitCount(), 4);
    EXPECT_EQ(Edit.GutterWidth(), 48);
    // Counting from 0 shows one number less; a later first number one more.
    Edit.SetText(lines.mid(0, 10000).join(QStringLiteral("\r\n")));
    EXPECT_EQ(gutter.AutoSizeDigitCount(), 5);
    gutter.SetZeroStart(true);
    EXPECT_EQ(gutter.AutoSizeDigitCount(), 4) << "numbers 0..9999";
}

TEST_F(PaintTest, LineNumberTexts) {
    TGutter& gutter = Edit.Gutter();
    gutter.SetShowLineNumbers(true);
    EXPECT_EQ(gutter.FormatLineNumber(7), QStringLiteral("   7"));
    gutter.SetLeadingZeros(true);
    EXPECT_EQ(gutter.FormatLineNumber(7), QStringLiteral("0007"));
    EXPECT_EQ(gutter.FormatLineNumber(12345), QStringLiteral("12345")) << "never cut";
    gutter.SetLeadingZeros(false);
    gutter.SetZeroStart(true);
    EXPECT_EQ(gutter.FormatLineNumber(1), QStringLiteral("   0"));
    gutter.SetZeroStart(false);
    gutter.SetLineNumberStart(100);
    EXPECT_EQ(gutter.FormatLineNumber(1), QStringLiteral(" 100"));
    int changes = 0;
    gutter.OnChange = [&](TGutter*) { ++changes; };
    gutter.SetLineNumberStart(100);
    gutter.SetColor(0x123456);
    gutter.SetColor(0x123456);
    EXPECT_EQ(changes, 1) << "only a different value raises OnChange";
}

TEST_F(PaintTest, GutterShowsNumbersOnFirstRowsAndFillsBelowTheText) {
    Edit.Gutter().SetShowLineNumbers(true);
    Edit.SetText(QStringLiteral("one\r\ntwo"));
    const QImage image = Render();
    const QColor gutter(192, 192, 192);
    // Numbers end right of x = 30 (48 - 2 - 2 = 44 is their right end); some ink lies there.
    auto inkIn = [&](int row) {
        for (int y = row * kCellH; y < (row + 1) * kCellH; ++y)
            for (int x = 16; x < 44; ++x)
                if (image.pixelColor(x, y) != gutter) return true;
        return false;
    };
    EXPECT_TRUE(inkIn(0));
    EXPECT_TRUE(inkIn(1));
    EXPECT_FALSE(inkIn(2)) << "no number below the last line";
    EXPECT_EQ(image.pixelColor(2, 5 * kCellH), gutter);
    // The middle border: a line in the border colour (the window colour) at width - 2.
    EXPECT_EQ(image.pixelColor(Edit.GutterWidth() - 2, 3), Edit.palette().color(QPalette::Base));
    EXPECT_EQ(image.pixelColor(Edit.GutterWidth() - 1, 3), gutter);
    EXPECT_EQ(CellBack(image, 10, 8), kWhite) << "below the last line: the editor colour";
}

TEST_F(PaintTest, SpecialLineAndItsSelectionInSwappedColours) {
    TitleColors();
    Edit.SetText(QStringLiteral("MMMMMM\r\nMMMMMM"));
    QImage image = Render();
    EXPECT_EQ(CellBack(image, 0, 0), kMaroon);
    EXPECT_EQ(CellBack(image, 30, 0), kMaroon) << "the band runs past the end of the line";
    EXPECT_TRUE(CellHas(image, 2, 0, kWhite)) << "text in the handler's foreground";
    EXPECT_EQ(CellBack(image, 0, 1), kWhite) << "other lines keep the editor colours";
    EXPECT_EQ(CellBack(image, 30, 1), kWhite);

    // Characters 2..4 of the title selected: white background, maroon text.
    Edit.SetCaretAndSelection({5, 1}, {2, 1}, {5, 1});
    image = Render();
    EXPECT_EQ(CellBack(image, 0, 0), kMaroon);
    for (int cell = 1; cell <= 3; ++cell) {
        EXPECT_EQ(CellBack(image, cell, 0), kWhite) << "cell " << cell;
        EXPECT_TRUE(CellHas(image, cell, 0, kMaroon)) << "cell " << cell;
    }
    EXPECT_EQ(CellBack(image, 4, 0), kMaroon);
    // The same selection on an ordinary line takes the selection colours.
    Edit.SetCaretAndSelection({5, 2}, {2, 2}, {5, 2});
    image = Render();
    EXPECT_EQ(CellBack(image, 1, 1), kSelBack);
    EXPECT_TRUE(CellHas(image, 1, 1, kSelFore));
    EXPECT_EQ(CellBack(image, 4, 1), kWhite);
}

TEST_F(PaintTest, SpecialLineDefaultForegroundKeepsTheTextColour) {
    TitleColors();
    Edit.SetOptions(Edit.Options() | eoSpecialLineDefaultFg);
    Edit.SetFontColor(0x00FF00);  // green text
    Edit.SetText(QStringLiteral("MMMM"));
    const QImage image = Render();
    EXPECT_EQ(CellBack(image, 0, 0), kMaroon);
    EXPECT_TRUE(CellHas(image, 1, 0, QColor(0, 255, 0)));
    EXPECT_FALSE(CellHas(image, 1, 0, kWhite));
}

TEST_F(PaintTest, SelectionModes) {
    Edit.SetText(QStringLiteral("abcdefgh\r\nab\r\n\r\nabcdefgh\r\nabcdefgh"));
    // Column mode: cells 2..4 of lines 1..4, also where the lines are shorter.
    Edit.SetSelectionMode(smColumn);
    Edit.SetCaretAndSelection({6, 4}, {3, 1}, {6, 4});
    QImage image = Render();
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(CellBack(image, 1, row), kWhite) << "row " << row;
        for (int cell = 2; cell <= 4; ++cell)
            EXPECT_EQ(CellBack(image, cell, row), kSelBack) << "row " << row << " cell " << cell;
        EXPECT_EQ(CellBack(image, 5, row), kWhite) << "row " << row;
    }
    EXPECT_EQ(CellBack(image, 3, 4), kWhite) << "line 5 is not selected";

    // Normal mode: from the start column to the end of the window on the first line, whole
    // rows between, up to the end column on the last.
    Edit.SetSelectionMode(smNormal);
    Edit.SetCaretAndSelection({3, 4}, {6, 1}, {3, 4});
    image = Render();
    EXPECT_EQ(CellBack(image, 4, 0), kWhite);
    EXPECT_EQ(CellBack(image, 5, 0), kSelBack);
    EXPECT_EQ(CellBack(image, 30, 0), kSelBack);
    EXPECT_EQ(CellBack(image, 30, 2), kSelBack) << "the empty line between";
    EXPECT_EQ(CellBack(image, 1, 3), kSelBack);
    EXPECT_EQ(CellBack(image, 2, 3), kWhite);

    // Line mode: whole rows.
    Edit.SetSelectionMode(smLine);
    Edit.SetCaretAndSelection({3, 2}, {6, 2}, {3, 2});
    Edit.SetCaretAndSelection({3, 2}, {1, 2}, {3, 2});
    image = Render();
    EXPECT_EQ(CellBack(image, 0, 1), kSelBack);
    EXPECT_EQ(CellBack(image, 30, 1), kSelBack);
    EXPECT_EQ(CellBack(image, 0, 0), kWhite);
}

TEST_F(PaintTest, WideGlyphTakesTwoCells) {
    Edit.SetText(QStringLiteral("a漢b\r\nabcd"));
    // Select the wide glyph alone: its two cells, and no more.
    Edit.SetCaretAndSelection({3, 1}, {2, 1}, {3, 1});
    const QImage image = Render();
    EXPECT_EQ(CellBack(image, 0, 0), kWhite);
    EXPECT_EQ(CellBack(image, 1, 0), kSelBack);
    EXPECT_EQ(CellBack(image, 2, 0), kSelBack);
    EXPECT_EQ(CellBack(image, 3, 0), kWhite);
    // The glyph's ink reaches into its second cell; b stands in the cell after it.
    EXPECT_TRUE(CellHasInk(image, 1, 0));
    EXPECT_TRUE(CellHasInk(image, 2, 0));
    EXPECT_TRUE(CellHasInk(image, 3, 0));
    EXPECT_FALSE(CellHasInk(image, 4, 0));
    EXPECT_EQ(Edit.BufferToDisplayPos({3, 1}).Column, 4);
}

TEST_F(PaintTest, TextKeepsTheGridOverALongLine) {
    // With a real font the cell is the font's own: the 100th character of a run drawn in one
    // call stands exactly where a lone character in that column does.
    Edit.SetMetrics(std::make_unique<TFontCodeEditMetrics>(Edit.font()));
    Edit.Gutter().SetVisible(false);
    Edit.resize(1000, 60);
    Edit.SetText(QString(99, u'.') + QStringLiteral("M\r\n") + QString(99, u' ') +
                 QStringLiteral("M"));
    const QImage image = Render();
    const int cw = Edit.CharWidth();
    const int h = Edit.TextHeight();
    for (int x = Edit.TextOffset() + 99 * cw - 2; x < Edit.TextOffset() + 100 * cw + 2; ++x)
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(image.pixelColor(x, y), image.pixelColor(x, y + h))
                << "x " << x << " y " << y;
}

TEST_F(PaintTest, SpecialCharacterMarksAndTabs) {
    Edit.SetTabWidth(4);
    Edit.SetText(QStringLiteral("\tx y"));
    QImage image = Render();
    EXPECT_FALSE(CellHas(image, 3, 0, QColor(0, 0, 0))) << "a tab is blank";
    EXPECT_TRUE(CellHas(image, 4, 0, QColor(0, 0, 0))) << "x after the tab stop";
    EXPECT_FALSE(CellHas(image, 5, 0, QColor(0, 0, 0)));
    Edit.SetOptions(Edit.Options() | eoShowSpecialChars);
    image = Render();
    EXPECT_TRUE(CellHas(image, 3, 0, QColor(0, 0, 0))) << "the tab's arrow";
    EXPECT_TRUE(CellHas(image, 5, 0, QColor(0, 0, 0))) << "the space's dot";
}

TEST_F(PaintTest, ActiveLineAndRightEdge) {
    Edit.SetText(QStringLiteral("one\r\ntwo\r\nthree"));
    Edit.SetActiveLineColor(0xE0E0FF);  // a light pink
    Edit.SetCaretXY({1, 2});
    Edit.SetRightEdge(20);
    const QImage image = Render();
    EXPECT_EQ(CellBack(image, 10, 1), QColor(0xFF, 0xE0, 0xE0));
    EXPECT_EQ(CellBack(image, 10, 0), kWhite);
    EXPECT_EQ(image.pixelColor(Edit.TextOffset() + 20 * kCellW, 2), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixelColor(Edit.TextOffset() + 20 * kCellW, 6 * kCellH),
              QColor(0xC0, 0xC0, 0xC0))
        << "the edge goes on below the text";
}

TEST_F(PaintTest, AKeystrokeRepaintsItsOwnRowOnly) {
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("line %1").arg(i);
    Edit.SetText(lines.join(QStringLiteral("\r\n")));
    Edit.SetCaretXY({3, 4});
    QApplication::processEvents();
    TPaintSpy spy;
    Edit.viewport()->installEventFilter(&spy);
    Edit.CommandProcessor(ecChar, QChar(u'x'));
    QApplication::processEvents();
    Edit.viewport()->removeEventFilter(&spy);
    ASSERT_GT(spy.Paints, 0);
    const QRect bounds = spy.Painted.boundingRect();
    EXPECT_EQ(bounds.top(), 3 * kCellH);
    EXPECT_EQ(bounds.bottom(), 4 * kCellH - 1);

    // Moving the caret down one line repaints the two caret lines.
    spy.Painted = QRegion();
    Edit.viewport()->installEventFilter(&spy);
    Edit.CommandProcessor(ecDown);
    QApplication::processEvents();
    Edit.viewport()->removeEventFilter(&spy);
    EXPECT_EQ(spy.Painted.boundingRect().top(), 3 * kCellH);
    EXPECT_EQ(spy.Painted.boundingRect().bottom(), 5 * kCellH - 1);
}

namespace {
// The rows of an image that hold a pixel other than white, from x on: first and last.
std::pair<int, int> InkRows(const QImage& image, int fromX) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = fromX; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kWhite) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return {first, last};
}
}  // namespace

// Each row holds the whole ascent and descent of every face that paints it: an underscore,
// the tails of g and y and a Japanese glyph from the fallback face keep every pixel they
// have when drawn on their own, and stay inside their row.
TEST_F(PaintTest, RowsHoldTheFullHeightOfEveryGlyph) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(13);
    Edit.setFont(font);
    Edit.SetMetrics(std::make_unique<TFontCodeEditMetrics>(Edit.font()));
    Edit.Gutter().SetVisible(false);
    for (const QString& text : {QStringLiteral("_M_state"), QStringLiteral("gjpqy"),
                                QStringLiteral("日本語"), QStringLiteral("g日_")}) {
        Edit.SetText(text);
        const std::pair<int, int> shown = InkRows(Render(), Edit.TextOffset());

        QImage alone(400, 100, QImage::Format_RGB32);
        alone.fill(kWhite);
        QPainter painter(&alone);
        QFont plain = Edit.font();
        plain.setKerning(false);
        painter.setFont(plain);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(10, 50), text);
        painter.end();
        const std::pair<int, int> whole = InkRows(alone, 0);

        ASSERT_GE(shown.first, 0) << qPrintable(text) << ": nothing drawn";
        EXPECT_EQ(shown.second - shown.first, whole.second - whole.first)
            << qPrintable(text) << ": glyphs cut off";
        EXPECT_LT(shown.second, Edit.TextHeight()) << qPrintable(text) << ": ink below the row";
    }
}

// Wide glyphs are followed by filler cells; a character of the text that happens to be the
// one the painter puts into fillers is still drawn.
TEST_F(PaintTest, APrivateUseCharacterIsDrawnNextToAWideGlyph) {
    Edit.SetText(QStringLiteral("漢\uE000x\r\n漢 x"));
    const QImage image = Render();
    EXPECT_TRUE(CellHasInk(image, 2, 0)) << "U+E000 after a wide glyph";
    EXPECT_FALSE(CellHasInk(image, 2, 1)) << "a space in the same place stays blank";
}

// The gutter keeps its sizes in range whatever a damaged setting hands it: no negative
// width or offset, one to twenty digits, two to 256 gradient steps, and no line number
// start below 0; a huge first number still fits its digits.
TEST_F(PaintTest, GutterLimits) {
    Edit.setFont(QFont());
    TGutter& gutter = Edit.Gutter();
    gutter.SetWidth(-5);
    gutter.SetLeftOffset(-1);
    gutter.SetRightOffset(-1);
    gutter.SetRightMargin(-1);
    gutter.SetLineNumberStart(-3);
    EXPECT_EQ(gutter.Width(), 0);
    EXPECT_EQ(gutter.LeftOffset(), 0);
    EXPECT_EQ(gutter.RightOffset(), 0);
    EXPECT_EQ(gutter.RightMargin(), 0);
    EXPECT_EQ(gutter.LineNumberStart(), 0);
    gutter.SetDigitCount(0);
    EXPECT_EQ(gutter.DigitCount(), 1);
    gutter.SetDigitCount(1000);
    EXPECT_EQ(gutter.DigitCount(), 20);
    gutter.SetGradientSteps(1);
    EXPECT_EQ(gutter.GradientSteps(), 2);
    gutter.SetGradientSteps(100000);
    EXPECT_EQ(gutter.GradientSteps(), 256);

    gutter.SetDigitCount(4);
    gutter.SetAutoSize(true);
    gutter.SetShowLineNumbers(true);
    gutter.SetLineNumberStart(INT_MAX);
    Edit.SetText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(gutter.AutoSizeDigitCount(), 10) << "2147483648 has ten digits";
    EXPECT_EQ(gutter.FormatLineNumber(2), QStringLiteral("2147483648"));
    EXPECT_EQ(Edit.GutterWidth(), 10 * 7) << "offsets and margin are 0 now";
    const QImage image = Render();  // paints without overflow
    EXPECT_EQ(image.pixelColor(0, 0), QColor(192, 192, 192));
}
