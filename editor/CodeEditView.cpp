// The view: display rows and word wrap, scrolling, the gutter's width, and which rows need
// painting again.
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

int TCustomCodeEdit::LinesInWindow() const {
    return fMetrics->LinesInWindow(TextAreaSize());
}

int TCustomCodeEdit::CharsInWindow() const {
    return fMetrics->CharsInWindow(TextAreaSize());
}

// The cell, the gutter's digits or the tab stops changed: every cached width is stale.
void TCustomCodeEdit::FontOrCellChanged() {
    TPaintLock lock(*this);
    fMetrics->SetFont(font(), HighlighterStyleVariants());
    fLines->FontChanged();
    fPaintCache->Invalidate();
    fLongestUnknown = true;
    fScrollBarsPending = true;
    GutterChanged();
    RewrapAll();
    Invalidate();
}

// The text area's width may have changed: re-wrap when its width in characters did.
void TCustomCodeEdit::WidthChanged() {
    if (!fWordWrap) return;
    const int top = RowToLine(fTopLine);
    if (fWordWrap->SetCharsInWindow(CharsInWindow(), fLines->Count())) {
        SetTopRow(LineToRow(top));
        fScrollBarsPending = true;
        Invalidate();
    }
}

void TCustomCodeEdit::RewrapAll() {
    if (!fWordWrap) return;
    const int top = RowToLine(fTopLine);
    if (!fWordWrap->SetCharsInWindow(CharsInWindow(), fLines->Count()))
        fWordWrap->Rebuild(fLines->Count());
    SetTopRow(LineToRow(top));
    fScrollBarsPending = true;
    Invalidate();
}

void TCustomCodeEdit::GutterChanged() {
    // Working out the digits may raise OnChange again; that call is this one.
    if (fInGutterChange) return;
    fInGutterChange = true;
    fGutter.AutoSizeDigitCount(fLines->Count());
    fInGutterChange = false;
    const int cell =
        fGutter.UseFontStyle() ? fMetrics->GutterCharWidth(fGutter.Font()) : fMetrics->CharWidth();
    const int width = fGutter.RealGutterWidth(cell);
    if (width != fGutterWidth) {
        fGutterWidth = width;
        fScrollBarsPending = true;
        Invalidate();
        WidthChanged();
        if (fPaintLock == 0) UpdateScrollBars();
    } else {
        viewport()->update(QRect(0, 0, fGutterWidth, viewport()->height()));
    }
}

// ---------------------------------------------------------------- word wrap

void TCustomCodeEdit::SetWordWrap(bool Value) {
    if (Value == WordWrap()) return;
    TPaintLock lock(*this);
    const int topLine = RowToLine(fTopLine);
    const int rows = std::max(LinesInWindow(), 1);
    const int caretRow = DisplayXY().Row;
    const bool caretInView = caretRow >= fTopLine && caretRow < fTopLine + rows;
    fCaretAtEOR = false;
    if (Value) {
        TWordWrapPlugin::TServices services;
        services.CellCount = [this](qsizetype Line) {
            return fLines->GetExpandedStringLength(Line);
        };
        services.CellText = [this](qsizetype Line) {
            // Fillers go in front of each wide glyph here: a row end that falls inside a glyph
            // then sees a filler before it and moves in front of the whole glyph.
            const QString expanded = fLines->GetExpandedString(Line);
            qsizetype cells = 0;
            for (QChar c : expanded)
                cells += fMetrics->GlyphCells(c.unicode());
            if (cells == expanded.size()) return expanded;
            QString result;
            result.reserve(cells);
            for (QChar c : expanded) {
                const int n = fMetrics->GlyphCells(c.unicode());
                if (n > 1) result.append(QString(n - 1, QChar(TWordWrapPlugin::kWideGlyphFiller)));
                result.append(c);
            }
            return result;
        };
        services.IsWordBreakChar = [this](QChar C) { return IsWordBreakChar(C); };
        fWordWrap = std::make_unique<TWordWrapPlugin>(std::move(services));
        fWordWrap->SetCharsInWindow(CharsInWindow(), fLines->Count());
        if (fLeftChar != 1) {
            fLeftChar = 1;
            fStatusChanges |= scLeftChar;
        }
    } else {
        fWordWrap.reset();
    }
    SetTopRow(LineToRow(topLine));
    fLastCaretX = DisplayXY().Column;
    fScrollBarsPending = true;
    Invalidate();
    if (caretInView) EnsureCursorPosVisible();
}

int TCustomCodeEdit::DisplayLineCount() const {
    if (fWordWrap) return fWordWrap->DisplayLineCount();
    return LineCount();
}

int TCustomCodeEdit::LineToRow(int Line) const {
    return fWordWrap ? fWordWrap->LineToRow(Line) : Line;
}

int TCustomCodeEdit::RowToLine(int Row) const {
    return fWordWrap ? fWordWrap->RowToLine(Row) : Row;
}

int TCustomCodeEdit::RowLengthOf(int Row) const {
    if (fWordWrap) return fWordWrap->RowLength(Row);
    return static_cast<int>(fLines->GetExpandedStringLength(Row - 1));
}

bool TCustomCodeEdit::IsLastRowOfLine(int Row) const {
    if (!fWordWrap || Row >= fWordWrap->DisplayLineCount()) return true;
    return fWordWrap->RowToLine(Row + 1) != fWordWrap->RowToLine(Row);
}

// ---------------------------------------------------------------- coordinates

qsizetype TCustomCodeEdit::RowColToCharIndex(TBufferCoord P) const {
    const qsizetype count = fLines->Count();
    if (count == 0) return 0;
    const qsizetype line = std::clamp<qsizetype>(P.Line, 1, count);
    return fLines->LineCharIndex(line - 1) + 2 * (line - 1) + P.Char - 1;
}

TDisplayCoord TCustomCodeEdit::BufferToDisplayPos(TBufferCoord P) const {
    const int column = CharToColumn(P.Line, P.Char);
    if (fWordWrap) return fWordWrap->BufferToDisplayPos(P.Line, column);
    return {column, P.Line};
}

// With AtEndOfRow, a position at the start of a continuation row shows at the end of the row
// above instead.
TDisplayCoord TCustomCodeEdit::DisplayPosOf(TBufferCoord P, bool AtEndOfRow) const {
    TDisplayCoord d = BufferToDisplayPos(P);
    if (AtEndOfRow && fWordWrap && d.Column == 1 && fWordWrap->IsContinuationRow(d.Row)) {
        --d.Row;
        d.Column = fWordWrap->RowLength(d.Row) + 1;
    }
    return d;
}

TDisplayCoord TCustomCodeEdit::DisplayXY() const {
    return DisplayPosOf(fCaret, fCaretAtEOR);
}

TBufferCoord TCustomCodeEdit::DisplayToBufferPos(TDisplayCoord P) const {
    if (fWordWrap) {
        const TDisplayCoord inLine = fWordWrap->DisplayToBufferPos(P);
        return {ColumnToChar(inLine.Row, inLine.Column), inLine.Row};
    }
    return {ColumnToChar(P.Row, P.Column), P.Row};
}

// As DisplayToBufferPos; tells whether the position is the end of a row that the line goes
// on past, so the caret can show there rather than at the start of the next row.
TBufferCoord TCustomCodeEdit::DisplayToBufferPosEOR(TDisplayCoord P, bool& AtEndOfRow) const {
    AtEndOfRow = false;
    if (fWordWrap && P.Row >= 1 && P.Row <= fWordWrap->DisplayLineCount() &&
        !IsLastRowOfLine(P.Row) && P.Column > fWordWrap->RowLength(P.Row))
        AtEndOfRow = true;
    return DisplayToBufferPos(P);
}

// ---------------------------------------------------------------- scrolling

int TCustomCodeEdit::MaxTopLine() const {
    const int rows = DisplayLineCount();
    if (fOptions & eoScrollPastEof) return std::max(rows, 1);
    return std::max(rows - LinesInWindow() + 1, 1);
}

void TCustomCodeEdit::SetTopLine(int Value) {
    Value = std::clamp(Value, 1, MaxTopLine());
    if (Value == fTopLine) return;
    fTopLine = Value;
    fScrollBarsPending = true;
    Invalidate();
    if (fPaintLock == 0) EndUpdate();
}

void TCustomCodeEdit::SetTopRow(int Row) {
    Row = std::max(Row, 1);
    if (Row == fTopLine) return;
    fTopLine = Row;
    fScrollBarsPending = true;
    Invalidate();
}

void TCustomCodeEdit::SetLeftChar(int Value) {
    // With word wrap every row fits the window: there is nothing to the right.
    Value = fWordWrap ? 1 : std::clamp(Value, 1, 1 << 20);
    if (Value == fLeftChar) return;
    fLeftChar = Value;
    fScrollBarsPending = true;
    Invalidate();
    StatusChanged(scLeftChar);
}

void TCustomCodeEdit::UpdateScrollBars() {
    fScrollBarsPending = false;
    fUpdatingScrollBars = true;
    const int lines = std::max(LinesInWindow(), 1);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(MaxTopLine(), fTopLine) - 1);
    vertical->setPageStep(lines);
    vertical->setValue(fTopLine - 1);
    const int chars = std::max(CharsInWindow(), 1);
    QScrollBar* horizontal = horizontalScrollBar();
    if (fWordWrap) {
        horizontal->setRange(0, 0);
        fUpdatingScrollBars = false;
        return;
    }
    if (fLongestUnknown) {
        fLongestSeen = fLines->LengthOfLongestLine();
        fLongestIndex = fLines->IndexOfLongestLine();
        fLongestUnknown = false;
        fLongestStale = false;
    } else if (fLongestStale && isVisible() && !fLongestQueued) {
        // Worked out once the keystrokes pause, not inside one.
        fLongestQueued = true;
        QTimer::singleShot(0, this, [this] {
            fLongestQueued = false;
            if (!fLongestStale) return;
            fLongestUnknown = true;
            UpdateScrollBars();
        });
    }
    const int longest =
        static_cast<int>(std::min<qsizetype>(fLongestSeen, std::numeric_limits<int>::max() / 2));
    horizontal->setRange(0, std::max({longest + 2 - chars, fLeftChar, 1}) - 1);
    horizontal->setPageStep(chars);
    horizontal->setValue(fLeftChar - 1);
    fUpdatingScrollBars = false;
}

void TCustomCodeEdit::scrollContentsBy(int, int) {
    if (fUpdatingScrollBars) return;
    const int top = verticalScrollBar()->value() + 1;
    const int left = fWordWrap ? 1 : horizontalScrollBar()->value() + 1;
    if (top == fTopLine && left == fLeftChar) return;
    const bool leftChanged = left != fLeftChar;
    fTopLine = top;
    fLeftChar = left;
    Invalidate();
    if (leftChanged) StatusChanged(scLeftChar);
}

void TCustomCodeEdit::EnsureCursorPosVisible() {
    const int lines = std::max(LinesInWindow(), 1);
    const int chars = std::max(CharsInWindow(), 1);
    const TDisplayCoord caret = DisplayXY();
    int top = fTopLine;
    if (caret.Row < top)
        top = caret.Row;
    else if (caret.Row >= top + lines)
        top = caret.Row - lines + 1;
    if (top != fTopLine) {
        fTopLine = std::max(1, top);
        fScrollBarsPending = true;
        Invalidate();
    }
    if (fWordWrap) return;
    int left = fLeftChar;
    if (caret.Column < left)
        left = caret.Column;
    else if (caret.Column >= left + chars)
        left = caret.Column - chars + 1;
    if (left != fLeftChar) {
        fLeftChar = std::max(1, left);
        fScrollBarsPending = true;
        Invalidate();
        fStatusChanges |= scLeftChar;
    }
}

void TCustomCodeEdit::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    WidthChanged();
    UpdateScrollBars();
}

void TCustomCodeEdit::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange && fMetrics) FontOrCellChanged();
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange) Invalidate();
}

// ---------------------------------------------------------------- repainting

void TCustomCodeEdit::Invalidate() {
    viewport()->update();
}

QRect TCustomCodeEdit::RowRect(int Row) const {
    const int height = std::max(TextHeight(), 1);
    return QRect(0, (Row - fTopLine) * height, viewport()->width(), height);
}

void TCustomCodeEdit::InvalidateRows(int FirstRow, int LastRow) {
    const int height = std::max(TextHeight(), 1);
    const int visibleLast = fTopLine + viewport()->height() / height;
    FirstRow = std::max(FirstRow, fTopLine);
    LastRow = std::min(LastRow, visibleLast);
    if (LastRow < FirstRow) return;
    const int y = (FirstRow - fTopLine) * height;
    viewport()->update(QRect(0, y, viewport()->width(), (LastRow - FirstRow + 1) * height));
}

void TCustomCodeEdit::InvalidateLines(int First, int Last) {
    if (Last < First) return;
    const int height = std::max(TextHeight(), 1);
    const int visibleLast = fTopLine + viewport()->height() / height;
    // Rows below the text are painted as empty; a shrinking text leaves them to repaint too.
    const int firstRow = LineToRow(std::max(First, 1));
    const int lastRow =
        Last >= LineCount() ? visibleLast : std::min(LineToRow(Last + 1) - 1, visibleLast);
    InvalidateRows(firstRow, std::max(firstRow, lastRow));
}

// Compares caret and selection with what the last paint showed and repaints the rows that
// differ: the old and new caret lines, and the old and new selected lines.
void TCustomCodeEdit::InvalidateCaretAndSelection() {
    TShownState now;
    now.Caret = fCaret;
    now.BlockBegin = BlockBegin();
    now.BlockEnd = BlockEnd();
    now.Mode = fActiveSelectionMode;
    now.SelAvail = SelAvail();
    now.EOR = fCaretAtEOR;
    now.InsertMode = fInsertMode;
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
