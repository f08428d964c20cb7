// Plain painting on the cell grid: text, selection, caret and the composition in progress.
// The painter reads the editor through a const reference and never changes it.
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "editor/CodeEdit.h"

class TCodeEditPainter {
public:
    TCodeEditPainter(const TCustomCodeEdit& Edit, QPainter& Painter)
        : fEdit(Edit), fPainter(Painter) {}

    void Paint(const QRect& Rect) {
        const QPalette& palette = fEdit.palette();
        fPainter.fillRect(Rect, palette.color(QPalette::Base));
        const int height = std::max(fEdit.TextHeight(), 1);
        const int firstRow = Rect.top() / height;
        const int lastRow = Rect.bottom() / height;
        const int count = static_cast<int>(fEdit.fLines->Count());
        for (int row = firstRow; row <= lastRow; ++row) {
            const int line = fEdit.fTopLine + row;
            if (line > count) break;
            PaintLine(line, row * height);
        }
        PaintCaret();
    }

private:
    int X(int Column) const {
        return fEdit.TextOffset() + (Column - fEdit.fLeftChar) * fEdit.CharWidth();
    }

    // The display columns [From, To) of the line that are selected; To is INT_MAX when the
    // selection runs on past the end of the line.
    bool SelectedColumns(int Line, int& From, int& To) const {
        if (!fEdit.SelAvail()) return false;
        const TBufferCoord bb = fEdit.BlockBegin();
        const TBufferCoord be = fEdit.BlockEnd();
        if (Line < bb.Line || Line > be.Line) return false;
        constexpr int kOpen = 1 << 30;
        switch (fEdit.fActiveSelectionMode) {
            case smNormal:
                From = Line == bb.Line ? fEdit.CharToColumn(Line, bb.Char) : 1;
                To = Line == be.Line ? fEdit.CharToColumn(Line, be.Char) : kOpen;
                return From < To;
            case smLine:
                From = 1;
                To = kOpen;
                return true;
            case smColumn:
                From = fEdit.CharToColumn(bb.Line, bb.Char);
                To = fEdit.CharToColumn(be.Line, be.Char);
                if (From > To) std::swap(From, To);
                return From < To;
        }
        return false;
    }

    void PaintLine(int Line, int Y) {
        const QPalette& palette = fEdit.palette();
        const QColor text = palette.color(QPalette::Text);
        const QColor selText = palette.color(QPalette::HighlightedText);
        const QColor selBack = palette.color(QPalette::Highlight);
        const int width = fEdit.CharWidth();
        const int height = fEdit.TextHeight();
        const int ascent = fPainter.fontMetrics().ascent();
        const int visibleLast = fEdit.fLeftChar + fEdit.viewport()->width() / std::max(width, 1);
        int selFrom = 0;
        int selTo = 0;
        const bool selected = SelectedColumns(Line, selFrom, selTo);
        if (selected) {
            const int x1 = std::max(X(selFrom), fEdit.TextOffset());
            const int x2 = selTo >= (1 << 30) ? fEdit.viewport()->width()
                                              : std::min(X(selTo), fEdit.viewport()->width());
            if (x2 > x1) fPainter.fillRect(QRect(x1, Y, x2 - x1, height), selBack);
        }
        const QString& s = fEdit.fLines->Strings(Line - 1);
        const int tabWidth = fEdit.fTabWidth;
        int column = 1;
        for (qsizetype i = 0; i < s.size() && column <= visibleLast; ++i) {
            const QChar c = s[i];
            int cells;
            if (c == u'\t') {
                cells = tabWidth - (column - 1) % tabWidth;
            } else {
                cells = fEdit.fMetrics->GlyphCells(c.unicode());
                if (column + cells > fEdit.fLeftChar && !c.isSpace()) {
                    const bool inSelection = selected && column >= selFrom && column < selTo;
                    fPainter.setPen(inSelection ? selText : text);
                    QString glyph(c);
                    if (c.isHighSurrogate() && i + 1 < s.size()) glyph += s[i + 1];
                    if (!c.isLowSurrogate()) fPainter.drawText(X(column), Y + ascent, glyph);
                }
            }
            column += cells;
        }
    }

    void PaintCaret() {
        if (!fEdit.hasFocus() || !fEdit.fCaretVisible || (fEdit.fOptions & eoNoCaret)) return;
        const TDisplayCoord d = fEdit.BufferToDisplayPos(fEdit.fCaret);
        const int y = (d.Row - fEdit.fTopLine) * fEdit.TextHeight();
        const int x = X(d.Column);
        const QColor color = fEdit.palette().color(QPalette::Text);
        if (!fEdit.fPreedit.isEmpty()) {
            // The composition in progress, underlined at the caret.
            fPainter.setPen(color);
            const int ascent = fPainter.fontMetrics().ascent();
            fPainter.drawText(x, y + ascent, fEdit.fPreedit);
            const int w = fPainter.fontMetrics().horizontalAdvance(fEdit.fPreedit);
            fPainter.drawLine(x, y + fEdit.TextHeight() - 1, x + w, y + fEdit.TextHeight() - 1);
            return;
        }
        if (fEdit.fInsertMode)
            fPainter.fillRect(QRect(x, y, 2, fEdit.TextHeight()), color);
        else
            fPainter.fillRect(QRect(x, y, fEdit.CharWidth(), fEdit.TextHeight()),
                              QColor(color.red(), color.green(), color.blue(), 96));
    }

    const TCustomCodeEdit& fEdit;
    QPainter& fPainter;
};

void TCustomCodeEdit::paintEvent(QPaintEvent* e) {
    QPainter painter(viewport());
    painter.setFont(font());
    TCodeEditPainter(*this, painter).Paint(e->rect());
}
