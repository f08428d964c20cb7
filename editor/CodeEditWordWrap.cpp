#include "editor/CodeEditWordWrap.h"

#include <algorithm>

TWordWrapPlugin::TWordWrapPlugin(TServices Services) : fServices(std::move(Services)) {}

bool TWordWrapPlugin::SetCharsInWindow(int CharsInWindow, qsizetype LineCount) {
    if (CharsInWindow == fCharsInWindow && static_cast<qsizetype>(fLineOffsets.size()) == LineCount)
        return false;
    fCharsInWindow = CharsInWindow;
    // A text area narrower than one character still wraps at one cell: a row of length 0
    // would never get past the first character.
    fMaxRowLength = std::clamp(CharsInWindow, 1, 0xFFFF);
    fMinRowLength = CharsInWindow > 0 ? fMaxRowLength - fMaxRowLength / 3 : 1;
    Rebuild(LineCount);
    return true;
}

void TWordWrapPlugin::WrapCells(const QString& Cells, std::vector<uint16_t>& Rows) const {
    Rows.clear();
    const qsizetype end = Cells.size();
    qsizetype b = 0;
    while (b + fMaxRowLength < end) {
        qsizetype rowEnd = b + fMaxRowLength;
        for (qsizetype i = b + fMaxRowLength - 1; i >= b + fMinRowLength; --i) {
            if (fServices.IsWordBreakChar(Cells.at(i))) {
                rowEnd = i + 1;
                break;
            }
        }
        // A wide glyph never splits from its fillers: the whole group moves down a row.
        while (rowEnd - 1 > b && Cells.at(rowEnd - 1).unicode() == kWideGlyphFiller)
            --rowEnd;
        rowEnd = std::max(rowEnd, b + 1);
        Rows.push_back(static_cast<uint16_t>(rowEnd - b));
        b = rowEnd;
    }
    Rows.push_back(static_cast<uint16_t>(end - b));
}

void TWordWrapPlugin::WrapLine(qsizetype Line) {
    if (fServices.CellCount) {
        const qsizetype cells = fServices.CellCount(Line);
        if (cells <= fMaxRowLength) {
            fScratch.assign(1, static_cast<uint16_t>(cells));
            return;
        }
    }
    WrapCells(fServices.CellText(Line), fScratch);
}

void TWordWrapPlugin::Rebuild(qsizetype LineCount) {
    fLineOffsets.clear();
    fRowLengths.clear();
    fLineOffsets.reserve(static_cast<size_t>(LineCount));
    fRowLengths.reserve(static_cast<size_t>(LineCount));
    for (qsizetype line = 0; line < LineCount; ++line) {
        WrapLine(line);
        fRowLengths.insert(fRowLengths.end(), fScratch.begin(), fScratch.end());
        fLineOffsets.push_back(static_cast<int32_t>(fRowLengths.size()));
    }
}

void TWordWrapPlugin::Reset() {
    fLineOffsets.clear();
    fRowLengths.clear();
}

void TWordWrapPlugin::ShiftOffsets(qsizetype FromLine, int Delta) {
    if (Delta == 0) return;
    for (auto it = fLineOffsets.begin() + FromLine; it != fLineOffsets.end(); ++it)
        *it += Delta;
}

int TWordWrapPlugin::LinesInserted(qsizetype Index, qsizetype Count) {
    Index = std::clamp<qsizetype>(Index, 0, LineCount());
    std::vector<uint16_t> rows;
    std::vector<int32_t> offsets;
    offsets.reserve(static_cast<size_t>(Count));
    const qsizetype firstRow = FirstRowOf(Index);
    for (qsizetype i = 0; i < Count; ++i) {
        WrapLine(Index + i);
        rows.insert(rows.end(), fScratch.begin(), fScratch.end());
        offsets.push_back(static_cast<int32_t>(firstRow + static_cast<qsizetype>(rows.size())));
    }
    fRowLengths.insert(fRowLengths.begin() + firstRow, rows.begin(), rows.end());
    fLineOffsets.insert(fLineOffsets.begin() + Index, offsets.begin(), offsets.end());
    const int added = static_cast<int>(rows.size());
    ShiftOffsets(Index + Count, added);
    return added;
}

int TWordWrapPlugin::LinesDeleted(qsizetype Index, qsizetype Count) {
    if (Index < 0 || Index >= LineCount() || Count <= 0) return 0;
    Count = std::min(Count, LineCount() - Index);
    const qsizetype firstRow = FirstRowOf(Index);
    const qsizetype endRow = fLineOffsets[Index + Count - 1];
    fRowLengths.erase(fRowLengths.begin() + firstRow, fRowLengths.begin() + endRow);
    fLineOffsets.erase(fLineOffsets.begin() + Index, fLineOffsets.begin() + Index + Count);
    const int removed = static_cast<int>(endRow - firstRow);
    ShiftOffsets(Index, -removed);
    return -removed;
}

int TWordWrapPlugin::LinesPutted(qsizetype Index, qsizetype Count) {
    int delta = 0;
    for (qsizetype line = Index; line < Index + Count && line < LineCount(); ++line) {
        WrapLine(line);
        const qsizetype firstRow = FirstRowOf(line);
        const qsizetype oldRows = fLineOffsets[line] - firstRow;
        const qsizetype newRows = static_cast<qsizetype>(fScratch.size());
        // Most keystrokes keep the row count: then only this line's rows are rewritten.
        if (newRows > oldRows)
            fRowLengths.insert(fRowLengths.begin() + firstRow + oldRows, newRows - oldRows, 0);
        else if (newRows < oldRows)
            fRowLengths.erase(fRowLengths.begin() + firstRow + newRows,
                              fRowLengths.begin() + firstRow + oldRows);
        std::copy(fScratch.begin(), fScratch.end(), fRowLengths.begin() + firstRow);
        const int change = static_cast<int>(newRows - oldRows);
        ShiftOffsets(line, change);
        delta += change;
    }
    return delta;
}

int TWordWrapPlugin::RowLength(qint32 Row) const {
    if (Row < 1 || Row > DisplayLineCount()) return 0;
    return fRowLengths[static_cast<size_t>(Row - 1)];
}

int TWordWrapPlugin::RowsOfLine(qint32 Line) const {
    if (Line < 1 || Line > LineCount()) return 1;
    return static_cast<int>(fLineOffsets[Line - 1] - FirstRowOf(Line - 1));
}

qint32 TWordWrapPlugin::LineToRow(qint32 Line) const {
    if (Line < 1) return Line;
    if (Line > LineCount()) return DisplayLineCount() + Line - LineCount();
    return static_cast<qint32>(FirstRowOf(Line - 1)) + 1;
}

qint32 TWordWrapPlugin::RowToLine(qint32 Row) const {
    return DisplayToBufferPos({1, Row}).Row;
}

bool TWordWrapPlugin::IsContinuationRow(qint32 Row) const {
    if (Row < 1 || Row > DisplayLineCount()) return false;
    return LineToRow(RowToLine(Row)) != Row;
}

TDisplayCoord TWordWrapPlugin::BufferToDisplayPos(qint32 Line, qint32 Column) const {
    if (Line < 1 || Line > LineCount())
        return {Column, Line < 1 ? Line : DisplayLineCount() + Line - LineCount()};
    const qsizetype firstRow = FirstRowOf(Line - 1);
    const qsizetype lastRow = fLineOffsets[Line - 1] - 1;
    qint32 before = 0;
    for (qsizetype row = firstRow; row < lastRow; ++row) {
        const int length = fRowLengths[static_cast<size_t>(row)];
        if (before + length >= Column) return {Column - before, static_cast<qint32>(row) + 1};
        before += length;
    }
    // The last row takes every column from here on, also those past the line's end.
    return {Column - before, static_cast<qint32>(lastRow) + 1};
}

TDisplayCoord TWordWrapPlugin::DisplayToBufferPos(TDisplayCoord Pos) const {
    if (Pos.Row < 1) return {Pos.Column, Pos.Row};
    if (Pos.Row > DisplayLineCount())
        return {Pos.Column, LineCount() + Pos.Row - DisplayLineCount()};
    // The line whose rows contain the row: the first one counting more rows than Row - 1.
    const auto it = std::upper_bound(fLineOffsets.begin(), fLineOffsets.end(), Pos.Row - 1);
    const qsizetype line = it - fLineOffsets.begin();
    const qsizetype firstRow = FirstRowOf(line);
    const qsizetype row = Pos.Row - 1;
    const bool lastRow = row == fLineOffsets[line] - 1;
    const int limit = lastRow ? fMaxRowLength + 1 : fRowLengths[static_cast<size_t>(row)] + 1;
    qint32 column = std::min(Pos.Column, limit);
    for (qsizetype r = firstRow; r < row; ++r)
        column += fRowLengths[static_cast<size_t>(r)];
    return {column, static_cast<qint32>(line) + 1};
}
