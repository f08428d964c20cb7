// The display rows of the model: word wrap, the mapping between lines and rows, and the
// scroll position.
#include <algorithm>
#include <limits>

#include "editor/CodeEditModel.h"

// ---------------------------------------------------------------- sizes

int TCodeEditModel::LinesInWindow() const {
    return fMetrics->LinesInWindow(fView->TextAreaSize());
}

int TCodeEditModel::CharsInWindow() const {
    return fMetrics->CharsInWindow(fView->TextAreaSize());
}

void TCodeEditModel::ForgetCellWidths() {
    fLines->FontChanged();
    fLongestUnknown = true;
    fScrollBarsPending = true;
}

// The text area's width may have changed: re-wrap when its width in characters did.
void TCodeEditModel::WidthChanged() {
    if (!fWordWrap) return;
    const int top = RowToLine(fTopLine);
    if (fWordWrap->SetCharsInWindow(CharsInWindow(), fLines->Count())) {
        SetTopRow(LineToRow(top));
        fScrollBarsPending = true;
        Invalidate();
    }
}

void TCodeEditModel::RewrapAll() {
    if (!fWordWrap) return;
    const int top = RowToLine(fTopLine);
    if (!fWordWrap->SetCharsInWindow(CharsInWindow(), fLines->Count()))
        fWordWrap->Rebuild(fLines->Count());
    SetTopRow(LineToRow(top));
    fScrollBarsPending = true;
    Invalidate();
}

// ---------------------------------------------------------------- word wrap

void TCodeEditModel::SetWordWrap(bool Value) {
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
            const TCodeEditMetrics& metrics = *fMetrics;  // read once, not per character
            qsizetype cells = 0;
            for (QChar c : expanded)
                cells += metrics.GlyphCells(c.unicode());
            if (cells == expanded.size()) return expanded;
            QString result;
            result.reserve(cells);
            for (QChar c : expanded) {
                const int n = metrics.GlyphCells(c.unicode());
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

int TCodeEditModel::DisplayLineCount() const {
    if (fWordWrap) return fWordWrap->DisplayLineCount();
    return LineCount();
}

int TCodeEditModel::LineToRow(int Line) const {
    return fWordWrap ? fWordWrap->LineToRow(Line) : Line;
}

int TCodeEditModel::RowToLine(int Row) const {
    return fWordWrap ? fWordWrap->RowToLine(Row) : Row;
}

int TCodeEditModel::RowLengthOf(int Row) const {
    if (fWordWrap) return fWordWrap->RowLength(Row);
    return static_cast<int>(fLines->GetExpandedStringLength(Row - 1));
}

bool TCodeEditModel::IsLastRowOfLine(int Row) const {
    if (!fWordWrap || Row >= fWordWrap->DisplayLineCount()) return true;
    return fWordWrap->RowToLine(Row + 1) != fWordWrap->RowToLine(Row);
}

// ---------------------------------------------------------------- coordinates

qsizetype TCodeEditModel::RowColToCharIndex(TBufferCoord P) const {
    const qsizetype count = fLines->Count();
    if (count == 0) return 0;
    const qsizetype line = std::clamp<qsizetype>(P.Line, 1, count);
    return fLines->LineCharIndex(line - 1) + 2 * (line - 1) + P.Char - 1;
}

TDisplayCoord TCodeEditModel::BufferToDisplayPos(TBufferCoord P) const {
    const int column = CharToColumn(P.Line, P.Char);
    if (fWordWrap) return fWordWrap->BufferToDisplayPos(P.Line, column);
    return {column, P.Line};
}

// With AtEndOfRow, a position at the start of a continuation row shows at the end of the row
// above instead.
TDisplayCoord TCodeEditModel::DisplayPosOf(TBufferCoord P, bool AtEndOfRow) const {
    TDisplayCoord d = BufferToDisplayPos(P);
    if (AtEndOfRow && fWordWrap && d.Column == 1 && fWordWrap->IsContinuationRow(d.Row)) {
        --d.Row;
        d.Column = fWordWrap->RowLength(d.Row) + 1;
    }
    return d;
}

TDisplayCoord TCodeEditModel::DisplayXY() const {
    return DisplayPosOf(fCaret, fCaretAtEOR);
}

TBufferCoord TCodeEditModel::DisplayToBufferPos(TDisplayCoord P) const {
    if (fWordWrap) {
        const TDisplayCoord inLine = fWordWrap->DisplayToBufferPos(P);
        return {ColumnToChar(inLine.Row, inLine.Column), inLine.Row};
    }
    return {ColumnToChar(P.Row, P.Column), P.Row};
}

// As DisplayToBufferPos; tells whether the position is the end of a row that the line goes
// on past, so the caret can show there rather than at the start of the next row.
TBufferCoord TCodeEditModel::DisplayToBufferPosEOR(TDisplayCoord P, bool& AtEndOfRow) const {
    AtEndOfRow = false;
    if (fWordWrap && P.Row >= 1 && P.Row <= fWordWrap->DisplayLineCount() &&
        !IsLastRowOfLine(P.Row) && P.Column > fWordWrap->RowLength(P.Row))
        AtEndOfRow = true;
    return DisplayToBufferPos(P);
}

// ---------------------------------------------------------------- scrolling

int TCodeEditModel::MaxTopLine() const {
    const int rows = DisplayLineCount();
    if (fOptions & eoScrollPastEof) return std::max(rows, 1);
    return std::max(rows - LinesInWindow() + 1, 1);
}

void TCodeEditModel::SetTopLine(int Value) {
    Value = std::clamp(Value, 1, MaxTopLine());
    if (Value == fTopLine) return;
    fTopLine = Value;
    fScrollBarsPending = true;
    Invalidate();
    if (fPaintLock == 0) EndUpdate();
}

void TCodeEditModel::SetTopRow(int Row) {
    Row = std::max(Row, 1);
    if (Row == fTopLine) return;
    fTopLine = Row;
    fScrollBarsPending = true;
    Invalidate();
}

void TCodeEditModel::SetLeftChar(int Value) {
    // With word wrap every row fits the window: there is nothing to the right.
    Value = fWordWrap ? 1 : std::clamp(Value, 1, 1 << 20);
    if (Value == fLeftChar) return;
    fLeftChar = Value;
    fScrollBarsPending = true;
    Invalidate();
    StatusChanged(scLeftChar);
}

void TCodeEditModel::EnsureCursorPosVisible() {
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

void TCodeEditModel::ScrolledTo(int Top, int Left) {
    if (fWordWrap) Left = 1;
    if (Top == fTopLine && Left == fLeftChar) return;
    const bool leftChanged = Left != fLeftChar;
    fTopLine = Top;
    fLeftChar = Left;
    Invalidate();
    if (leftChanged) StatusChanged(scLeftChar);
}

void TCodeEditModel::UpdateScrollBars() {
    fScrollBarsPending = false;
    fView->UpdateScrollBars();
}

qsizetype TCodeEditModel::LongestLineCells(bool& Stale) {
    if (fLongestUnknown) {
        fLongestSeen = fLines->LengthOfLongestLine();
        fLongestIndex = fLines->IndexOfLongestLine();
        fLongestUnknown = false;
        fLongestStale = false;
    }
    Stale = fLongestStale;
    return fLongestSeen;
}
