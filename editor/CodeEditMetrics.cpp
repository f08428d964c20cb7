#include "editor/CodeEditMetrics.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

int TCodeEditMetrics::LinesInWindow(QSize TextArea) const {
    const int height = TextHeight();
    return height > 0 ? std::max(0, TextArea.height()) / height : 0;
}

int TCodeEditMetrics::CharsInWindow(QSize TextArea) const {
    const int width = CharWidth();
    return width > 0 ? std::max(0, TextArea.width()) / width : 0;
}

TFontCodeEditMetrics::TFontCodeEditMetrics(const QFont& Font) {
    SetFont(Font);
}

TFontCodeEditMetrics::~TFontCodeEditMetrics() = default;

int TCodeEditMetrics::GutterCharWidth(const QFont& Font) const {
    const QFontMetrics metrics(Font);
    int width = 1;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        width = std::max(width, metrics.horizontalAdvance(QChar(c)));
    return width;
}

namespace {
// Text that makes Qt pick every face a row of code may be painted with: the font itself for
// Latin, and the fallback faces for Japanese and other scripts, which stand taller.
const QString kFaceProbe = QStringLiteral("Mgjpqy_|ÅÉ日本語あアｱ한가Ωж");

// The largest ascent and descent over the faces that paint the probe in `font`.
void MeasureFaces(const QFont& font, qreal& ascent, qreal& descent) {
    const QFontMetricsF metrics(font);
    ascent = std::max(ascent, metrics.ascent());
    descent = std::max(descent, metrics.descent());
    QTextLayout layout(kFaceProbe, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont face = run.rawFont();
        ascent = std::max(ascent, face.ascent());
        descent = std::max(descent, face.descent());
    }
}
}  // namespace

void TFontCodeEditMetrics::SetFont(const QFont& Font, quint8 StyleVariants) {
    fFont = Font;
    int width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    for (int variant = 0; variant < 4; ++variant) {
        if (variant != 0 && !(StyleVariants & (1u << variant))) continue;
        QFont font = Font;
        if (variant != 0) {
            font.setBold(variant & 1);
            font.setItalic(variant & 2);
        }
        const QFontMetrics metrics(font);
        // The widest of the plain ASCII glyphs, so that no Latin text overlaps its neighbour.
        for (char16_t c = 0x20; c < 0x7F; ++c)
            width = std::max(width, metrics.horizontalAdvance(QChar(c)));
        MeasureFaces(font, ascent, descent);
    }
    fCharWidth = std::max(1, width);
    // Whole pixels above and below the baseline, each rounded up: a rounded sum could leave
    // the last pixel row of a descender (an underscore, the tail of a g) to the row below,
    // which paints over it.
    fTextAscent = static_cast<int>(std::ceil(ascent));
    fTextHeight = std::max(1, fTextAscent + static_cast<int>(std::ceil(descent)));
    fCells.reset();
}

int TFontCodeEditMetrics::WideGlyphCells(char16_t Unit) const {
    if (!fCells) fCells = std::make_unique<std::array<quint8, 65536>>();
    quint8& cells = (*fCells)[Unit];
    if (cells == 0) {
        // A lone surrogate has no glyph of its own: each half takes one cell.
        int measured = 1;
        if (!QChar::isSurrogate(Unit)) {
            const int width = QFontMetrics(fFont).horizontalAdvance(QChar(Unit));
            measured = std::clamp((width + fCharWidth - 1) / fCharWidth, 1, 8);
        }
        cells = static_cast<quint8>(measured);
    }
    return cells;
}

bool TFixedCellMetrics::IsWide(char16_t Unit) {
    return (Unit >= 0x1100 && Unit <= 0x115F) || (Unit >= 0x2E80 && Unit <= 0x303E) ||
           (Unit >= 0x3041 && Unit <= 0x33FF) || (Unit >= 0x3400 && Unit <= 0x4DBF) ||
           (Unit >= 0x4E00 && Unit <= 0x9FFF) || (Unit >= 0xA000 && Unit <= 0xA4CF) ||
           (Unit >= 0xAC00 && Unit <= 0xD7A3) || (Unit >= 0xF900 && Unit <= 0xFAFF) ||
           (Unit >= 0xFE30 && Unit <= 0xFE4F) || (Unit >= 0xFF00 && Unit <= 0xFF60) ||
           (Unit >= 0xFFE0 && Unit <= 0xFFE6);
}
