#pragma once

#include <QFont>
#include <array>
#include <memory>

#include "editor/CodeEditMetrics.h"

// Cells measured with the editor font: ceil(advance / cell width), at least one. Results are
// cached per code unit, since painting and caret moves ask for the same glyphs again and again.
class TFontCodeEditMetrics : public TCodeEditMetrics {
public:
    explicit TFontCodeEditMetrics(const QFont& Font);
    ~TFontCodeEditMetrics() override;

    int CharWidth() const override { return fCharWidth; }
    int TextHeight() const override { return fTextHeight; }
    int TextAscent() const override { return fTextAscent; }
    // StyleVariants says which bold/italic variants of the font are painted: bit (bold + 2 *
    // italic) for each. The cell is the largest over them.
    void SetFont(const QFont& Font, quint8 StyleVariants = kPlainVariant);

protected:
    int WideGlyphCells(char16_t Unit) const override;

private:
    QFont fFont;
    int fCharWidth = 8;
    int fTextHeight = 16;
    int fTextAscent = 12;
    mutable std::unique_ptr<std::array<quint8, 65536>> fCells;  // 0: not measured yet
};

// The width of the widest digit of Font.
int DigitCellWidth(const QFont& Font);
