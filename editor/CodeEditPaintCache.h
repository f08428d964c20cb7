#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// One run of cells of a line painted alike: a token, or several adjacent tokens of one look.
// Colours are invalid where the attribute has none (the line's colour is used then).
struct TCodeEditTokenRun {
    int Start = 0;  // cells, 0-based, end exclusive
    int End = 0;
    QColor Foreground;
    QColor Background;
    quint8 Style = 0;  // bold 1, italic 2, underline 4, strike-out 8
};

// What painting keeps between rows and between paints: the fonts of each style, spaced so
// that every character advances exactly one cell, and the buffers of the line being painted,
// which are reused so that painting a row allocates nothing.
class TCodeEditPaintCache {
public:
    struct TStyleFont {
        QFont Font;
        bool Grid = true;  // characters below U+0100 keep the cell grid when drawn as a run
    };

    // Fonts depend on the editor font and the cell width; a change of either drops them.
    void Invalidate() {
        for (auto& font : fFonts)
            font.reset();
    }
    const TStyleFont& FontFor(quint8 Style, const QFont& Base, int CharWidth);

    // The line whose cells and runs are held, 0 for none.
    int Line = 0;
    QString Cells;  // one character per display cell, a placeholder in the fillers
    // Which cells are the fillers after a wide glyph; empty when the line has none. Kept
    // apart from the characters, so that no character of a text is ever taken for a filler.
    std::vector<bool> Fillers;
    bool IsFiller(qsizetype Cell) const {
        return Cell >= 0 && static_cast<size_t>(Cell) < Fillers.size() &&
               Fillers[static_cast<size_t>(Cell)];
    }
    std::vector<TCodeEditTokenRun> Runs;
    QString Text;  // characters of one drawn run

private:
    std::array<std::optional<TStyleFont>, 16> fFonts;
    QFont fBase;
    int fCharWidth = 0;
};
