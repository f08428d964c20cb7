#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "editor/CodeEditTypes.h"

// Word wrap: turns each buffer line into one or more display rows no wider than the text
// area. It keeps, per buffer line, the number of rows up to and including that line, and per
// row its length in display cells; both are updated line by line as the text changes, and
// rebuilt only when the width of the text area changes.
//
// Lines are 0-based in the maintenance calls (as the line store reports them) and 1-based in
// the coordinate mappings (as the editor counts them). Columns are display columns.
class TWordWrapPlugin {
public:
    struct TServices {
        // The line as display cells: tabs expanded, wide glyphs preceded by their fillers.
        std::function<QString(qsizetype Line)> CellText;
        // Where a row may end: just after such a character.
        std::function<bool(QChar C)> IsWordBreakChar;
        // The number of those cells, when it is known more cheaply (optional). A line that
        // fits one row is then never built.
        std::function<qsizetype(qsizetype Line)> CellCount = nullptr;
    };

    static constexpr char16_t kWideGlyphFiller = 0xE000;

    explicit TWordWrapPlugin(TServices Services);

    // The text area's width in characters. A change re-wraps every line; returns true then.
    bool SetCharsInWindow(int CharsInWindow, qsizetype LineCount);
    int MaxRowLength() const { return fMaxRowLength; }
    int MinRowLength() const { return fMinRowLength; }

    // Maintenance, called from the line store's events. Each returns the change in the
    // number of rows; for put lines a non-zero result means everything below moved.
    int LinesInserted(qsizetype Index, qsizetype Count);
    int LinesDeleted(qsizetype Index, qsizetype Count);
    int LinesPutted(qsizetype Index, qsizetype Count);
    void Reset();                       // the buffer was cleared
    void Rebuild(qsizetype LineCount);  // wrap every line again

    // Coordinate mappings.
    TDisplayCoord BufferToDisplayPos(qint32 Line, qint32 Column) const;
    // The buffer line and display column shown at a display position.
    TDisplayCoord DisplayToBufferPos(
        TDisplayCoord Pos) const;  // Column = display column, Row = line
    qint32 LineToRow(qint32 Line) const;
    qint32 RowToLine(qint32 Row) const;
    qint32 DisplayLineCount() const { return static_cast<qint32>(fRowLengths.size()); }
    qint32 LineCount() const { return static_cast<qint32>(fLineOffsets.size()); }
    int RowLength(qint32 Row) const;    // 1-based row; 0 outside
    int RowsOfLine(qint32 Line) const;  // 1-based line
    // Whether a display row continues the line of the row above (gets the wrap glyph).
    bool IsContinuationRow(qint32 Row) const;

    // Wraps one line of cells: the lengths of its rows. An empty line has one row of length 0.
    void WrapCells(const QString& Cells, std::vector<uint16_t>& Rows) const;

private:
    // The rows of buffer line Line (0-based) into fScratch.
    void WrapLine(qsizetype Line);
    qsizetype FirstRowOf(qsizetype Line) const { return Line > 0 ? fLineOffsets[Line - 1] : 0; }
    void ShiftOffsets(qsizetype FromLine, int Delta);

    TServices fServices;
    std::vector<int32_t> fLineOffsets;  // rows up to and including each line
    std::vector<uint16_t> fRowLengths;  // cells per row
    int fCharsInWindow = -1;
    int fMaxRowLength = 1;
    int fMinRowLength = 1;
    std::vector<uint16_t> fScratch;
};
