// The view: the scroll bars, the gutter's width, and which rows need painting again. Display
// rows and the scroll position are the model's.
#include <QEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "editor/CodeEdit.h"
#include "editor/CodeEditPaintCache.h"

// ---------------------------------------------------------------- sizes

QSize TCustomCodeEdit::TextAreaSize() const {
    const QSize size = viewport()->size();
    return {std::max(0, size.width() - TextOffset()), size.height()};
}

// The cell, the gutter's digits or the tab stops changed: every cached width is stale.
void TCustomCodeEdit::FontOrCellChanged() {
    TPaintLock lock(fModel);
    if (fFontMetrics) fFontMetrics->SetFont(font(), fModel.HighlighterStyleVariants());
    fModel.ForgetCellWidths();
    fPaintCache->Invalidate();
    GutterChanged();
    fModel.RewrapAll();
    Invalidate();
}

void TCustomCodeEdit::HighlighterStylesChanged(quint8 StyleVariants) {
    if (fFontMetrics) fFontMetrics->SetFont(font(), StyleVariants);
    fPaintCache->Invalidate();
}

void TCustomCodeEdit::LineCountChanged(int Count) {
    if (fGutter.ShowLineNumbers() && fGutter.AutoSize()) fGutter.AutoSizeDigitCount(Count);
}

void TCustomCodeEdit::GutterChanged() {
    // Working out the digits may raise OnChange again; that call is this one.
    if (fInGutterChange) return;
    fInGutterChange = true;
    fGutter.AutoSizeDigitCount(fModel.LineCount());
    fInGutterChange = false;
    const int cell = fGutter.UseFontStyle()
                         ? fModel.Metrics().GutterCharWidth(DigitCellWidth(fGutter.Font()))
                         : CharWidth();
    const int width = fGutter.RealGutterWidth(cell);
    if (width != fGutterWidth) {
        fGutterWidth = width;
        fModel.RequestScrollBarsUpdate();
        Invalidate();
        fModel.WidthChanged();
        if (!fModel.PaintLocked()) fModel.UpdateScrollBars();
    } else {
        viewport()->update(QRect(0, 0, fGutterWidth, viewport()->height()));
    }
}

// ---------------------------------------------------------------- scrolling

void TCustomCodeEdit::UpdateScrollBars() {
    fUpdatingScrollBars = true;
    const int lines = std::max(LinesInWindow(), 1);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(fModel.MaxTopLine(), TopLine()) - 1);
    vertical->setPageStep(lines);
    vertical->setValue(TopLine() - 1);
    const int chars = std::max(CharsInWindow(), 1);
    QScrollBar* horizontal = horizontalScrollBar();
    if (WordWrap()) {
        horizontal->setRange(0, 0);
        fUpdatingScrollBars = false;
        return;
    }
    bool stale = false;
    const qsizetype longestCells = fModel.LongestLineCells(stale);
    if (stale && isVisible() && !fLongestQueued) {
        // Worked out once the keystrokes pause, not inside one.
        fLongestQueued = true;
        QTimer::singleShot(0, this, [this] {
            fLongestQueued = false;
            if (!fModel.LongestLineStale()) return;
            fModel.RecountLongestLine();
            fModel.UpdateScrollBars();
        });
    }
    const int longest =
        static_cast<int>(std::min<qsizetype>(longestCells, std::numeric_limits<int>::max() / 2));
    horizontal->setRange(0, std::max({longest + 2 - chars, LeftChar(), 1}) - 1);
    horizontal->setPageStep(chars);
    horizontal->setValue(LeftChar() - 1);
    fUpdatingScrollBars = false;
}

void TCustomCodeEdit::scrollContentsBy(int, int) {
    if (fUpdatingScrollBars) return;
    fModel.ScrolledTo(verticalScrollBar()->value() + 1, horizontalScrollBar()->value() + 1);
}

void TCustomCodeEdit::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    fModel.WidthChanged();
    fModel.UpdateScrollBars();
}

void TCustomCodeEdit::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange && fViewAttached) FontOrCellChanged();
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) Invalidate();
}

// ---------------------------------------------------------------- repainting

void TCustomCodeEdit::Invalidate() {
    viewport()->update();
}

QRect TCustomCodeEdit::RowRect(int Row) const {
    const int height = std::max(TextHeight(), 1);
    return QRect(0, (Row - TopLine()) * height, viewport()->width(), height);
}

void TCustomCodeEdit::InvalidateRows(int FirstRow, int LastRow) {
    const int height = std::max(TextHeight(), 1);
    const int visibleLast = TopLine() + viewport()->height() / height;
    FirstRow = std::max(FirstRow, TopLine());
    LastRow = std::min(LastRow, visibleLast);
    if (LastRow < FirstRow) return;
    const int y = (FirstRow - TopLine()) * height;
    viewport()->update(QRect(0, y, viewport()->width(), (LastRow - FirstRow + 1) * height));
}

void TCustomCodeEdit::InvalidateLines(int First, int Last) {
    if (Last < First) return;
    const int height = std::max(TextHeight(), 1);
    const int visibleLast = TopLine() + viewport()->height() / height;
    // Rows below the text are painted as empty; a shrinking text leaves them to repaint too.
    const int firstRow = LineToRow(std::max(First, 1));
    const int lastRow =
        Last >= fModel.LineCount() ? visibleLast : std::min(LineToRow(Last + 1) - 1, visibleLast);
    InvalidateRows(firstRow, std::max(firstRow, lastRow));
}

// Compares caret and selection with what the last paint showed and repaints the rows that
// differ: the old and new caret lines, and the old and new selected lines.
void TCustomCodeEdit::InvalidateCaretAndSelection() {
    TShownState now;
    now.Caret = CaretXY();
    now.BlockBegin = BlockBegin();
    now.BlockEnd = BlockEnd();
    now.Mode = ActiveSelectionMode();
    now.SelAvail = SelAvail();
    now.EOR = CaretAtEndOfRow();
    now.InsertMode = InsertMode();
    const TShownState& was = fShown;
    const bool selectionSame =
        now.SelAvail == was.SelAvail &&
        (!now.SelAvail || (now.BlockBegin == was.BlockBegin && now.BlockEnd == was.BlockEnd &&
                           now.Mode == was.Mode));
    const bool caretSame =
        now.Caret == was.Caret && now.EOR == was.EOR && now.InsertMode == was.InsertMode;
    if (selectionSame && caretSame) return;
    InvalidateLines(was.Caret.Line, was.Caret.Line);
    InvalidateLines(now.Caret.Line, now.Caret.Line);
    if (!selectionSame) {
        if (was.SelAvail) InvalidateLines(was.BlockBegin.Line, was.BlockEnd.Line);
        if (now.SelAvail) InvalidateLines(now.BlockBegin.Line, now.BlockEnd.Line);
    }
    fShown = now;
}
