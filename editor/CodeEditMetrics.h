#pragma once

#include <QFont>
#include <QSize>
#include <array>
#include <memory>

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
    // StyleVariants says which bold/italic variants of the font are painted: bit (bold + 2 *
    // italic) for each. The cell is the largest over them.
    virtual void SetFont(const QFont& Font, quint8 StyleVariants = kPlainVariant) {
        (void)Font;
        (void)StyleVariants;
    }
    // The width of one digit cell of the gutter's number font.
    virtual int GutterCharWidth(const QFont& Font) const;

    static constexpr quint8 kPlainVariant = 1;

protected:
    virtual int WideGlyphCells(char16_t Unit) const = 0;
};

// Cells measured with the editor font: ceil(advance / cell width), at least one. Results are
// cached per code unit, since painting and caret moves ask for the same glyphs again and again.
class TFontCodeEditMetrics : public TCodeEditMetrics {
public:
    explicit TFontCodeEditMetrics(const QFont& Font);
    ~TFontCodeEditMetrics() override;

    int CharWidth() const override { return fCharWidth; }
    int TextHeight() const override { return fTextHeight; }
    int TextAscent() const override { return fTextAscent; }
    void SetFont(const QFont& Font, quint8 StyleVariants = kPlainVariant) override;

protected:
    int WideGlyphCells(char16_t Unit) const override;

private:
    QFont fFont;
    int fCharWidth = 8;
    int fTextHeight = 16;
    int fTextAscent = 12;
    mutable std::unique_ptr<std::array<quint8, 65536>> fCells;  // 0: not measured yet
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
    int GutterCharWidth(const QFont&) const override { return fGutterCharWidth; }
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
