// Painting: the gutter, the text rows with their tokens, selection and special colours, the
// caret and the composition in progress. The painter reads the editor through a const
// reference and changes nothing of it but the paint cache.
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <limits>

#include "editor/CodeEdit.h"
#include "editor/CodeEditPaintCache.h"
#include "editor/CodeEditTokenRuns.h"
#include "highlighters/CodeEditHighlighter.h"
#include "platform/PaletteColors.h"

namespace {

constexpr char16_t kFiller = 0xE000;  // what a filler cell holds; never drawn
constexpr int kOpenEnd = std::numeric_limits<int>::max() / 2;

quint8 StyleOfFont(const QFont& Font) {
    return quint8((Font.bold() ? hsBold : 0) | (Font.italic() ? hsItalic : 0) |
                  (Font.underline() ? hsUnderline : 0) | (Font.strikeOut() ? hsStrikeOut : 0));
}

// A stretch of a row drawn in one look.
struct TPart {
    int Start;
    int End;
    QColor Foreground;
    QColor Background;
    quint8 Style;
};

}  // namespace

class TCodeEditPainter {
public:
    TCodeEditPainter(const TCustomCodeEdit& Edit, TCodeEditPaintCache& Cache, QPainter& Painter)
        : fEdit(Edit),
          fModel(Edit.Model()),
          fPainter(Painter),
          fCache(Cache),
          fPalette(Edit.palette()),
          fCharWidth(std::max(Edit.CharWidth(), 1)),
          fRowHeight(std::max(Edit.TextHeight(), 1)),
          fAscent(std::clamp(Edit.TextAscent(), 0, fRowHeight)),
          fTextOffset(Edit.TextOffset()),
          fWidth(Edit.viewport()->width()),
          fHighlighter(Edit.Highlighter()) {
        fFontColor = Resolve(Edit.FontColor(), fPalette.color(QPalette::Text));
        fBackground = Resolve(Edit.Color(), fPalette.color(QPalette::Base));
        if (fHighlighter) {
            // The whitespace attribute's background, when it has one, is the text background.
            if (const THighlighterAttributes* space = fHighlighter->GetDefaultAttribute(4))
                fBackground = Resolve(space->Background(), fBackground);
        }
        fBaseStyle = StyleOfFont(Edit.font());
        fVisibleCells = std::max(0, fWidth - fTextOffset) / fCharWidth + 2;
        fCache.Line = 0;
    }

    void Paint(const QRegion& Region) {
        for (const QRect& rect : Region) {
            const int firstRow = fModel.TopLine() + std::max(rect.top(), 0) / fRowHeight;
            const int lastRow = fModel.TopLine() + std::max(rect.bottom(), 0) / fRowHeight;
            if (rect.left() < fEdit.GutterWidth()) PaintGutter(rect, firstRow, lastRow);
            if (rect.right() >= fEdit.GutterWidth()) PaintText(rect, firstRow, lastRow);
        }
        PaintCaret();
        PaintDropCaret();
    }

private:
    QColor Resolve(quint32 Color, const QColor& Fallback) const {
        return ColorToQColor(Color, fPalette, Fallback);
    }
    int Y(int Row) const { return (Row - fModel.TopLine()) * fRowHeight; }

    // ------------------------------------------------------------ gutter

    void PaintGutter(const QRect& Rect, int FirstRow, int LastRow) {
        const TGutter& gutter = fEdit.Gutter();
        const int width = fEdit.GutterWidth();
        const QColor color = Resolve(gutter.Color(), fPalette.color(QPalette::Button));
        const QRect area(0, Y(FirstRow), width, (LastRow - FirstRow + 1) * fRowHeight);
        fPainter.save();
        fPainter.setClipRect(QRect(0, Rect.top(), width, Rect.height()));
        if (gutter.Gradient())
            PaintGradient(area);
        else
            fPainter.fillRect(area, color);
        const int rows = fEdit.DisplayLineCount();
        const int lines = fModel.LineCount();
        if (gutter.ShowLineNumbers()) {
            const QFont font = gutter.UseFontStyle() ? gutter.Font() : fEdit.font();
            const QColor textColor =
                gutter.UseFontStyle() ? Resolve(gutter.FontColor(), fPalette.color(QPalette::Text))
                                      : fFontColor;
            fPainter.setFont(font);
            fPainter.setPen(textColor);
            const QFontMetrics metrics(font);
            const int right = width - gutter.RightOffset() - gutter.RightMargin();
            for (int row = FirstRow; row <= LastRow && row <= rows; ++row) {
                const int line = fEdit.RowToLine(row);
                if (line < 1 || line > lines || fEdit.LineToRow(line) != row) continue;
                QString text = gutter.FormatLineNumber(line);
                if (fEdit.OnGutterGetText)
                    fEdit.OnGutterGetText(const_cast<TCustomCodeEdit*>(&fEdit), line, text);
                const int y = Y(row) + (fRowHeight - metrics.height()) / 2 + metrics.ascent();
                fPainter.drawText(right - metrics.horizontalAdvance(text), y, text);
            }
        }
        if (fModel.WordWrap() && gutter.WordWrapGlyphVisible()) {
            const QColor glyphColor = Resolve(gutter.FontColor(), fPalette.color(QPalette::Text));
            for (int row = FirstRow; row <= LastRow && row <= rows; ++row)
                if (fModel.WordWrapPlugin()->IsContinuationRow(row))
                    PaintWrapGlyph(row, glyphColor);
        }
        const QColor border = Resolve(gutter.BorderColor(), fPalette.color(QPalette::Base));
        switch (gutter.BorderStyle()) {
            case gbsMiddle:
                fPainter.fillRect(QRect(width - 2, area.top(), 1, area.height()), border);
                fPainter.fillRect(QRect(width - 1, area.top(), 1, area.height()), color);
                break;
            case gbsRight:
                fPainter.fillRect(QRect(width - 1, area.top(), 1, area.height()), border);
                break;
            case gbsNone:
                break;
        }
        fPainter.restore();
    }

    // Bands from the start colour at the top of the window to the end colour at its bottom.
    void PaintGradient(const QRect& Area) {
        const TGutter& gutter = fEdit.Gutter();
        const QColor from = Resolve(gutter.GradientStartColor(), fPalette.color(QPalette::Base));
        const QColor to = Resolve(gutter.GradientEndColor(), fPalette.color(QPalette::Button));
        const int steps = std::max(gutter.GradientSteps(), 1);
        const int height = std::max(fEdit.viewport()->height(), 1);
        for (int i = 0; i < steps; ++i) {
            const int top = height * i / steps;
            const int bottom = height * (i + 1) / steps;
            if (bottom <= Area.top() || top > Area.bottom()) continue;
            const int last = std::max(steps - 1, 1);
            auto mix = [&](int a, int b) { return a + (b - a) * i / last; };
            const QColor band(mix(from.red(), to.red()), mix(from.green(), to.green()),
                              mix(from.blue(), to.blue()));
            fPainter.fillRect(QRect(Area.left(), top, Area.width(), bottom - top), band);
        }
    }

    // A small arrow bent down and back to the left: the line goes on in this row.
    void PaintWrapGlyph(int Row, const QColor& Color) {
        const int size = std::clamp(fRowHeight - 6, 5, 9);
        const int x = fEdit.GutterWidth() - fEdit.Gutter().RightOffset() - size - 2;
        const int top = Y(Row) + (fRowHeight - size) / 2;
        QPainterPath path;
        path.moveTo(x + size - 1, top);
        path.lineTo(x + size - 1, top + size - 3);
        path.lineTo(x + 1, top + size - 3);
        fPainter.save();
        fPainter.setRenderHint(QPainter::Antialiasing, false);
        fPainter.setPen(QPen(Color, 1));
        fPainter.setBrush(Qt::NoBrush);
        fPainter.drawPath(path);
        QPolygon head;
        head << QPoint(x, top + size - 3) << QPoint(x + 3, top + size - 6)
             << QPoint(x + 3, top + size);
        fPainter.setBrush(Color);
        fPainter.drawPolygon(head);
        fPainter.restore();
    }

    // ------------------------------------------------------------ text

    void PaintText(const QRect& Rect, int FirstRow, int LastRow) {
        fPainter.save();
        const int gutter = fEdit.GutterWidth();
        fPainter.setClipRect(QRect(gutter, Rect.top(), fWidth - gutter, Rect.height()));
        // The strip between gutter and text.
        fPainter.fillRect(
            QRect(gutter, Y(FirstRow), fTextOffset - gutter, (LastRow - FirstRow + 1) * fRowHeight),
            fBackground);
        fPainter.setClipRect(
            QRect(fTextOffset, Rect.top(), std::max(fWidth - fTextOffset, 0), Rect.height()));
        const int rows = fEdit.DisplayLineCount();
        for (int row = FirstRow; row <= LastRow; ++row) {
            if (row > rows) {
                fPainter.fillRect(QRect(fTextOffset, Y(row), fWidth - fTextOffset, fRowHeight),
                                  fBackground);
                continue;
            }
            PaintRow(row);
        }
        const int edge = fEdit.RightEdge();
        if (edge > 0) {
            const int x =
                fTextOffset + (edge - (fModel.WordWrap() ? 0 : fModel.LeftChar() - 1)) * fCharWidth;
            if (x >= fTextOffset && x < fWidth) {
                fPainter.setPen(Resolve(fEdit.RightEdgeColor(), QColor(Qt::lightGray)));
                fPainter.drawLine(x, Y(FirstRow), x, Y(LastRow + 1) - 1);
            }
        }
        fPainter.restore();
    }

    // Foreground and background of a line, and whether it is a special line.
    void LineColors(int Line, QColor& Fg, QColor& Bg, bool& Special) const {
        quint32 fg = fEdit.FontColor();
        quint32 bg = fEdit.Color();
        const bool active = fEdit.ActiveLineColor() != kColorNone && Line == fModel.CaretXY().Line;
        if (active) bg = fEdit.ActiveLineColor();
        Special = false;
        if (fModel.OnSpecialLineColors)
            fModel.OnSpecialLineColors(const_cast<TCustomCodeEdit*>(&fEdit), Line, Special, fg, bg);
        Fg = Special ? Resolve(fg, fFontColor) : fFontColor;
        if (Special)
            Bg = Resolve(bg, fBackground);
        else
            Bg = active ? Resolve(bg, fBackground) : fBackground;
    }

    // The selected cells [From, To) of a line (0-based); To is kOpenEnd when the selection
    // goes on past the end of the line.
    bool SelectedCells(int Line, int& From, int& To) const {
        if (!fEdit.SelAvail()) return false;
        const TBufferCoord bb = fEdit.BlockBegin();
        const TBufferCoord be = fEdit.BlockEnd();
        if (Line < bb.Line || Line > be.Line) return false;
        switch (fModel.ActiveSelectionMode()) {
            case smNormal:
                From = Line == bb.Line ? fModel.CharToColumn(Line, bb.Char) - 1 : 0;
                To = Line == be.Line ? fModel.CharToColumn(Line, be.Char) - 1 : kOpenEnd;
                return From < To;
            case smLine:
                From = 0;
                To = kOpenEnd;
                return true;
            case smColumn:
                From = fModel.CharToColumn(bb.Line, bb.Char) - 1;
                To = fModel.CharToColumn(be.Line, be.Char) - 1;
                if (From > To) std::swap(From, To);
                return From < To;
        }
        return false;
    }

    // The cells of the line, and its runs of tokens up to cell Limit.
    void PrepareLine(int Line, int Limit) {
        fCache.Line = Line;
        const QString expanded = fModel.Lines().GetExpandedString(Line - 1);
        const TCodeEditMetrics& metrics = fModel.Metrics();
        bool wide = false;
        for (QChar c : expanded)
            if (c.unicode() >= 0x100 && metrics.GlyphCells(c.unicode()) > 1) {
                wide = true;
                break;
            }
        fCache.Fillers.clear();
        if (wide) {
            fCache.Cells.clear();
            for (QChar c : expanded) {
                fCache.Cells.append(c);
                fCache.Fillers.push_back(false);
                const int cells = metrics.GlyphCells(c.unicode());
                for (int i = 1; i < cells; ++i) {
                    fCache.Cells.append(QChar(kFiller));
                    fCache.Fillers.push_back(true);
                }
            }
        } else {
            fCache.Cells = expanded;
        }
        std::vector<TCodeEditTokenRun>& runs = fCache.Runs;
        runs.clear();
        const int cellCount = static_cast<int>(fCache.Cells.size());
        // Tokens of one look are one run. Looks are compared as stored, and each attribute's
        // colours are worked out once per line: a long line has many tokens, few attributes.
        struct TResolved {
            const THighlighterAttributes* Attr;
            QColor Foreground;
            QColor Background;
        };
        std::vector<TResolved> resolved;
        auto lookOf = [this](const THighlighterAttributes* attr) {
            return attr ? TTokenLook{attr->Foreground(), attr->Background(), attr->Style()}
                        : TTokenLook{kColorNone, kColorNone, fBaseStyle};
        };
        const bool highlighted = fModel.WalkLineTokens(
            Line, expanded, wide ? &fCache.Cells : nullptr, cellCount, Limit, lookOf,
            [&](const TTokenRun& token) {
                TCodeEditTokenRun run{token.Start, token.End, QColor(), QColor(), token.Look.Style};
                if (const THighlighterAttributes* attr = token.Attribute) {
                    auto r = std::find_if(resolved.begin(), resolved.end(),
                                          [attr](const TResolved& x) { return x.Attr == attr; });
                    if (r == resolved.end())
                        r = resolved.insert(resolved.end(),
                                            {attr, Resolve(token.Look.Foreground, QColor()),
                                             Resolve(token.Look.Background, QColor())});
                    run.Foreground = r->Foreground;
                    run.Background = r->Background;
                }
                runs.push_back(run);
            });
        if (!highlighted) {
            runs.push_back({0, cellCount, QColor(), QColor(), fBaseStyle});
            return;
        }
        if (runs.empty()) {
            runs.push_back({0, cellCount, QColor(), QColor(), fBaseStyle});
            return;
        }
        runs.front().Start = 0;
        // The scanner counts the fillers of a wide glyph into the token after it; they are
        // painted as part of the glyph.
        for (size_t i = 1; i < runs.size(); ++i) {
            TCodeEditTokenRun& run = runs[i];
            while (run.Start < run.End && fCache.IsFiller(run.Start)) {
                ++run.Start;
                ++runs[i - 1].End;
            }
        }
    }

    void PaintRow(int Row) {
        const int y = Y(Row);
        const int line = fEdit.RowToLine(Row);
        int rowStart = 0;
        if (fModel.WordWrap()) {
            for (int r = fEdit.LineToRow(line); r < Row; ++r)
                rowStart += fModel.WordWrapPlugin()->RowLength(r);
        }
        const int leftCell = fModel.WordWrap() ? rowStart : fModel.LeftChar() - 1;
        const int visibleEnd = leftCell + fVisibleCells;
        if (fCache.Line != line) PrepareLine(line, fModel.WordWrap() ? kOpenEnd : visibleEnd);
        const int cellCount = static_cast<int>(fCache.Cells.size());
        const int rowEnd =
            fModel.WordWrap()
                ? std::min(rowStart + fModel.WordWrapPlugin()->RowLength(Row), cellCount)
                : cellCount;
        const bool lastRow = !fModel.WordWrap() || fModel.IsLastRowOfLine(Row);

        QColor lineFg, lineBg;
        bool special = false;
        LineColors(line, lineFg, lineBg, special);
        const QColor selFg = special ? lineBg
                                     : Resolve(fEdit.SelectedColor().Foreground(),
                                               fPalette.color(QPalette::HighlightedText));
        const QColor selBg = special ? lineFg
                                     : Resolve(fEdit.SelectedColor().Background(),
                                               fPalette.color(QPalette::Highlight));
        int selFrom = 0;
        int selTo = 0;
        const bool selected = SelectedCells(line, selFrom, selTo);
        const bool activeLine =
            fEdit.ActiveLineColor() != kColorNone && line == fModel.CaretXY().Line;
        const bool keepFg = (fModel.Options() & eoSpecialLineDefaultFg) != 0;

        fParts.clear();
        auto addPart = [&](int start, int end, const QColor& fg, const QColor& bg, quint8 style) {
            if (end <= start) return;
            if (!fParts.empty()) {
                TPart& last = fParts.back();
                if (last.End == start && last.Foreground == fg && last.Background == bg &&
                    last.Style == style) {
                    last.End = end;
                    return;
                }
            }
            fParts.push_back({start, end, fg, bg, style});
        };
        // Splits a stretch of one look at the selection's ends.
        auto addLook = [&](int start, int end, const QColor& fg, const QColor& bg, quint8 style) {
            if (!selected || selTo <= start || selFrom >= end) {
                addPart(start, end, fg, bg, style);
                return;
            }
            const int s0 = std::max(start, selFrom);
            const int s1 = std::min(end, selTo);
            addPart(start, s0, fg, bg, style);
            addPart(s0, s1, selFg, selBg, style);
            addPart(s1, end, fg, bg, style);
        };

        const int from = std::max(rowStart, leftCell);
        const int to = std::min(rowEnd, visibleEnd);
        for (const TCodeEditTokenRun& run : fCache.Runs) {
            const int start = std::max(run.Start, from);
            const int end = std::min(run.End, to);
            if (end <= start) continue;
            // A token without a colour of its own takes the font colour; on a special line
            // the line's colours win, except the foreground with eoSpecialLineDefaultFg.
            QColor fg = run.Foreground.isValid() ? run.Foreground : fFontColor;
            QColor bg = run.Background.isValid() && !activeLine ? run.Background : lineBg;
            if (special) {
                if (!keepFg) fg = lineFg;
                bg = lineBg;
            }
            addLook(start, end, fg, bg, run.Style);
        }
        // Past the text of the row: the selection where it goes on, else the line colour.
        const int tailStart = std::max(rowEnd, leftCell);
        if (tailStart < visibleEnd) {
            if (lastRow) {
                addLook(tailStart, visibleEnd, lineFg, lineBg, fBaseStyle);
            } else {
                const bool on = selected && selFrom <= rowEnd && selTo > rowEnd;
                addPart(tailStart, visibleEnd, on ? selFg : lineFg, on ? selBg : lineBg,
                        fBaseStyle);
            }
        }
        for (const TPart& part : fParts)
            fPainter.fillRect(
                QRect(X(part.Start, leftCell), y, (part.End - part.Start) * fCharWidth, fRowHeight),
                part.Background);
        const int textEnd = std::min(rowEnd, visibleEnd);
        for (const TPart& part : fParts) {
            if (part.Start >= textEnd) break;
            DrawCells(part.Start, std::min(part.End, textEnd), part, leftCell, y);
        }
    }

    int X(int Cell, int LeftCell) const { return fTextOffset + (Cell - LeftCell) * fCharWidth; }

    // Draws the characters of cells [From, To): runs of characters below U+0100 in one call,
    // every other glyph on its own at its cell, tabs and fillers as blanks.
    void DrawCells(int From, int To, const TPart& Part, int LeftCell, int Y) {
        const TCodeEditPaintCache::TStyleFont& style =
            fCache.FontFor(Part.Style, fEdit.font(), fCharWidth);
        fPainter.setFont(style.Font);
        fPainter.setPen(Part.Foreground);
        // One baseline for every style and face, where the metrics left room for all of them.
        const int baseline = Y + fAscent;
        const bool marks = (fModel.Options() & eoShowSpecialChars) != 0;
        const int tabWidth = std::max(fModel.TabWidth(), 1);
        const QString& cells = fCache.Cells;
        QString& text = fCache.Text;
        text.clear();
        int textStart = -1;
        auto flush = [&] {
            if (textStart >= 0 && !text.isEmpty())
                fPainter.drawText(QPoint(X(textStart, LeftCell), baseline), text);
            text.clear();
            textStart = -1;
        };
        // A wide glyph whose first cell lies before the part shows its visible half.
        if (From > 0 && From < cells.size() && fCache.IsFiller(From)) {
            int glyph = From - 1;
            while (glyph > 0 && fCache.IsFiller(glyph))
                --glyph;
            DrawGlyph(glyph, LeftCell, baseline);
        }
        for (int i = From; i < To; ++i) {
            const char16_t c = cells[i].unicode();
            const bool filler = fCache.IsFiller(i);
            if (c == u'\t' || filler || c == u' ') {
                if (marks && !filler) {
                    flush();
                    if (c == u' ')
                        DrawSpaceMark(i, LeftCell, Y, Part.Foreground);
                    else if ((i + 1) % tabWidth == 0 || i + 1 == cells.size() ||
                             cells[i + 1] != u'\t')
                        DrawTabMark(i, LeftCell, Y, Part.Foreground);
                    continue;
                }
                if (textStart >= 0) text.append(QChar(u' '));
                continue;
            }
            if (c < 0x100 && style.Grid) {
                if (textStart < 0) textStart = i;
                text.append(QChar(c < 0x20 ? u' ' : c));
                continue;
            }
            flush();
            DrawGlyph(i, LeftCell, baseline);
        }
        flush();
    }

    void DrawGlyph(int Cell, int LeftCell, int Baseline) {
        const QString& cells = fCache.Cells;
        const QChar c = cells[Cell];
        if (c.isLowSurrogate()) return;  // drawn with its high half
        QString glyph(c);
        if (c.isHighSurrogate() && Cell + 1 < cells.size() && cells[Cell + 1].isLowSurrogate())
            glyph += cells[Cell + 1];
        fPainter.drawText(QPoint(X(Cell, LeftCell), Baseline), glyph);
    }

    void DrawSpaceMark(int Cell, int LeftCell, int Y, const QColor& Color) {
        const int size = std::max(fCharWidth / 5, 2);
        fPainter.fillRect(QRect(X(Cell, LeftCell) + (fCharWidth - size) / 2,
                                Y + (fRowHeight - size) / 2, size, size),
                          Color);
    }

    // An arrow in the tab's last cell.
    void DrawTabMark(int Cell, int LeftCell, int Y, const QColor& Color) {
        const int x = X(Cell, LeftCell);
        const int mid = Y + fRowHeight / 2;
        const int left = x + 1;
        const int right = x + fCharWidth - 2;
        const int arm = std::max(fCharWidth / 3, 2);
        fPainter.save();
        fPainter.setPen(QPen(Color, 1));
        fPainter.drawLine(left, mid, right, mid);
        fPainter.drawLine(right, mid, right - arm, mid - arm);
        fPainter.drawLine(right, mid, right - arm, mid + arm);
        fPainter.restore();
    }

    // ------------------------------------------------------------ caret

    int CaretX(const TDisplayCoord& D) const {
        const int left = fModel.WordWrap() ? 1 : fModel.LeftChar();
        return fTextOffset + (D.Column - left) * fCharWidth;
    }

    void PaintCaret() {
        const bool composing = !fEdit.PreeditText().isEmpty();
        if (!fEdit.hasFocus() || (fModel.Options() & eoNoCaret)) return;
        if (!composing && !fEdit.CaretBlinkOn()) return;
        const TDisplayCoord d = fEdit.DisplayXY();
        const int y = Y(d.Row);
        const int x = CaretX(d);
        if (y + fRowHeight <= 0 || y >= fEdit.viewport()->height()) return;
        QColor lineFg, lineBg;
        bool special = false;
        LineColors(fModel.CaretXY().Line, lineFg, lineBg, special);
        fPainter.save();
        fPainter.setClipRect(
            QRect(fTextOffset, 0, std::max(fWidth - fTextOffset, 0), fEdit.viewport()->height()));
        if (composing) {
            // The composition in progress, on the line's background, underlined at the caret.
            const QFont& font = fEdit.font();
            const QFontMetrics metrics(font);
            const int w = metrics.horizontalAdvance(fEdit.PreeditText());
            fPainter.fillRect(QRect(x, y, w, fRowHeight), lineBg);
            fPainter.setFont(font);
            fPainter.setPen(lineFg);
            fPainter.drawText(x, y + fAscent, fEdit.PreeditText());
            fPainter.fillRect(QRect(x, y + fRowHeight - 1, w, 1), lineFg);
            if (fEdit.CaretBlinkOn()) fPainter.fillRect(QRect(x + w, y, 2, fRowHeight), lineFg);
        } else if (fModel.InsertMode()) {
            fPainter.fillRect(QRect(x, y, 2, fRowHeight), lineFg);
        } else {
            QColor block = lineFg;
            block.setAlpha(110);
            fPainter.fillRect(QRect(x, y, fCharWidth, fRowHeight), block);
        }
        fPainter.restore();
    }

    // Where dragged text would be dropped.
    void PaintDropCaret() {
        const TBufferCoord* drop = fEdit.DropCaret();
        if (!drop) return;
        const TDisplayCoord d = fModel.BufferToDisplayPos(*drop);
        fPainter.fillRect(QRect(CaretX(d), Y(d.Row), 2, fRowHeight), fFontColor);
    }

    const TCustomCodeEdit& fEdit;
    const TCodeEditModel& fModel;
    QPainter& fPainter;
    TCodeEditPaintCache& fCache;
    const QPalette& fPalette;
    const int fCharWidth;
    const int fRowHeight;
    const int fAscent;
    const int fTextOffset;
    const int fWidth;
    const TCustomHighlighter* fHighlighter;
    QColor fFontColor;
    QColor fBackground;
    quint8 fBaseStyle = 0;
    int fVisibleCells = 0;
    std::vector<TPart> fParts;
};

void TCustomCodeEdit::paintEvent(QPaintEvent* e) {
    QPainter painter(viewport());
    if (OnPaintTransient) OnPaintTransient(this, ttBefore);
    TCodeEditPainter(*this, *fPaintCache, painter).Paint(e->region());
    if (OnPaintTransient) OnPaintTransient(this, ttAfter);
}
