// The attached highlighter: its change notifications, and the range of every line kept in
// step with the text, so that painting any line needs only the range of the line above it.
#include <algorithm>

#include "editor/CodeEditModel.h"
#include "highlighters/CodeEditHighlighter.h"

void TCodeEditModel::SetHighlighter(TCustomHighlighter* Value) {
    if (Value == fHighlighter) return;
    if (fHighlighter) fHighlighter->UnhookAttrChangeEvent(fHighlighterHook);
    fHighlighter = Value;
    fHighlighterHook = 0;
    if (fHighlighter)
        fHighlighterHook = fHighlighter->HookAttrChangeEvent(
            [this](TCustomHighlighter&, THighlighterAttributes*) { HighlighterChanged(); });
    HighlighterChanged();
}

// Colours, styles, Enabled or the highlighter itself changed: every range, the cell (bold and
// italic glyphs may be larger) and the rows (the word-break rule is the highlighter's) follow.
void TCodeEditModel::HighlighterChanged() {
    TPaintLock lock(*this);
    ScanAllRanges();
    const int width = CharWidth();
    const int height = TextHeight();
    fView->HighlighterStylesChanged(HighlighterStyleVariants());
    if (CharWidth() != width || TextHeight() != height) {
        fView->FontOrCellChanged();
        return;
    }
    // The cell stayed: the line lengths did too, only the break rule may differ.
    RewrapAll();
    Invalidate();
}

void TCodeEditModel::ScanAllRanges() {
    if (!fHighlighter) return;
    const qsizetype count = fLines->Count();
    fHighlighter->ResetRange();
    for (qsizetype i = 0; i < count; ++i) {
        fHighlighter->SetLine(fLines->Strings(i), static_cast<qint32>(i));
        fHighlighter->NextToEol();
        fLines->PutRange(i, fHighlighter->GetRange());
    }
}

// Scans line Index and the lines after it until one ends in the range it had before; returns
// the last line scanned.
qsizetype TCodeEditModel::ScanFrom(qsizetype Index) {
    const qsizetype count = fLines->Count();
    if (Index >= count) return Index;
    Index = std::max<qsizetype>(Index, 0);
    if (Index > 0)
        fHighlighter->SetRange(fLines->Ranges(Index - 1));
    else
        fHighlighter->ResetRange();
    for (;;) {
        fHighlighter->SetLine(fLines->Strings(Index), static_cast<qint32>(Index));
        fHighlighter->NextToEol();
        const TCodeEditRange range = fHighlighter->GetRange();
        if (range == fLines->Ranges(Index)) return Index;
        fLines->PutRange(Index, range);
        if (++Index == count) return Index - 1;
    }
}

// New lines have no range yet, so the scan goes on at least to the last of them, even where
// the ranges settle earlier.
qsizetype TCodeEditModel::ScanRangesAfterInsert(qsizetype Index, qsizetype Count) {
    const qsizetype last = Index + Count - 1;
    qsizetype scanned = ScanFrom(Index);
    while (scanned < last && scanned + 1 < fLines->Count())
        scanned = ScanFrom(scanned + 1);
    return scanned;
}

// The bold and italic variants the attributes paint with, as TCodeEditMetrics::SetFont takes
// them. Tokens without an attribute use the font's own style.
quint8 TCodeEditModel::HighlighterStyleVariants() const {
    quint8 variants = TCodeEditMetrics::kPlainVariant;
    if (!fHighlighter) return variants;
    for (qint32 i = 0; i < fHighlighter->AttrCount(); ++i) {
        const quint8 style = fHighlighter->GetAttribute(i)->Style();
        const int variant = ((style & hsBold) ? 1 : 0) | ((style & hsItalic) ? 2 : 0);
        variants |= quint8(1u << variant);
    }
    return variants;
}
