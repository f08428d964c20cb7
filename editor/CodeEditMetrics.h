#pragma once

#include <QSize>
#include <QtGlobal>

// The quantities the editor takes from its font and window: the cell size, how many rows and
// columns fit, and how many cells a glyph at or above U+0100 takes. Caret, selection and
// commands read them only through here, so tests can run on a fixed grid without a screen.
class TCodeEditMetrics {
public:
    virtual ~TCodeEditMetrics() = default;

    virtual int CharWidth() const = 0;
    virtual int TextHeight() const = 0;
    // The baseline's distance from the top of a row. Ascent and descent of every face that
    // paints a row fit between the row's top and bottom, so no row paints over another.
    virtual int TextAscent() const = 0;
    virtual int LinesInWindow(QSize TextArea) const;
    virtual int CharsInWindow(QSize TextArea) const;
    // Cells of one UTF-16 unit; units below U+0100 always take one.
    int GlyphCells(char16_t Unit) const { return Unit < 0x100 ? 1 : WideGlyphCells(Unit); }
    // The width of one digit cell of the gutter's number font, given the width measured with
    // that font.
    virtual int GutterCharWidth(int Measured) const { return Measured; }

    static constexpr quint8 kPlainVariant = 1;

protected:
    virtual int WideGlyphCells(char16_t Unit) const = 0;
};

// A fixed grid for tests and headless runs: cells of 8 x 16 pixels, a window of a given size
// in rows and columns, and two cells for the East Asian wide and fullwidth ranges.
class TFixedCellMetrics : public TCodeEditMetrics {
public:
    TFixedCellMetrics(int Lines = 20, int Chars = 80) : fLines(Lines), fChars(Chars) {}

    int CharWidth() const override { return 8; }
    int TextHeight() const override { return 16; }
    int TextAscent() const override { return 13; }
    int LinesInWindow(QSize) const override { return fLines; }
    int CharsInWindow(QSize) const override { return fChars; }
    int GutterCharWidth(int) const override { return fGutterCharWidth; }
    void SetWindow(int Lines, int Chars) {
        fLines = Lines;
        fChars = Chars;
    }
    void SetGutterCharWidth(int Value) { fGutterCharWidth = Value; }
    static bool IsWide(char16_t Unit);

protected:
    int WideGlyphCells(char16_t Unit) const override { return IsWide(Unit) ? 2 : 1; }

private:
    int fLines;
    int fChars;
    int fGutterCharWidth = 7;
};
