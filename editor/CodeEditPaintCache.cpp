#include "editor/CodeEditPaintCache.h"

#include <QFontInfo>
#include <QFontMetricsF>

const TCodeEditPaintCache::TStyleFont& TCodeEditPaintCache::FontFor(quint8 Style, const QFont& Base,
                                                                    int CharWidth) {
    if (Base != fBase || CharWidth != fCharWidth) {
        Invalidate();
        fBase = Base;
        fCharWidth = CharWidth;
    }
    std::optional<TStyleFont>& slot = fFonts[Style & 0x0F];
    if (slot) return *slot;
    TStyleFont result;
    QFont font = Base;
    font.setBold(Style & 1);
    font.setItalic(Style & 2);
    font.setUnderline(Style & 4);
    font.setStrikeOut(Style & 8);
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    // Advances are kept in 1/64 pixel, so the difference to the cell is exact and a run of
    // characters lands on the grid however long it is.
    const qreal advance = metrics.horizontalAdvance(QChar(u'M'));
    result.Grid = QFontInfo(font).fixedPitch() && advance > 0;
    if (result.Grid) font.setLetterSpacing(QFont::AbsoluteSpacing, CharWidth - advance);
    result.Font = font;
    slot = result;
    return *slot;
}
