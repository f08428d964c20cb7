#include "editor/CodeEditFontMetrics.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

int DigitCellWidth(const QFont& Font) {
    const QFontMetrics metrics(Font);
    int width = 1;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        width = std::max(width, metrics.horizontalAdvance(QChar(c)));
    return width;
}

TFontCodeEditMetrics::TFontCodeEditMetrics(const QFont& Font) {
    SetFont(Font);
}

TFontCodeEditMetrics::~TFontCodeEditMetrics() = default;

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
