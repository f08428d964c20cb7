// The text-changing commands: typing, input-method text, Enter, Backspace, Delete, Tab,
// Shift+Tab, block indent and unindent, and the deletions by word and line.
#include <algorithm>

#include "editor/CodeEditModel.h"

namespace {

bool IsBlank(QChar C) {
    return C == u' ' || C == u'\t';
}

bool IsIndentChar(QChar C) {
    return C.unicode() >= 0x01 && C.unicode() <= 0x20;
}

}  // namespace

// ---------------------------------------------------------------- indents

int TCodeEditModel::IndentCells(int Line) const {
    if (!(fOptions & eoAutoIndent)) return 0;
    int cells = 0;
    for (QChar c : LineAt(Line)) {
        if (!IsIndentChar(c)) break;
        cells += c == u'\t' ? fTabWidth : 1;
    }
    return cells;
}

int TCodeEditModel::IndentChars(int Line) const {
    if (!(fOptions & eoAutoIndent)) return 0;
    int chars = 0;
    for (QChar c : LineAt(Line)) {
        if (!IsIndentChar(c)) break;
        ++chars;
    }
    return chars;
}

QString TCodeEditModel::LeadingSpacing(int Cells) const {
    Cells = std::max(Cells, 0);
    if (fWantTabs && !(fOptions & eoTabsToSpaces) && Cells >= fTabWidth)
        return QString(Cells / fTabWidth, u'\t') + QString(Cells % fTabWidth, u' ');
    return QString(Cells, u' ');
}

// ---------------------------------------------------------------- typing

void TCodeEditModel::TypeChar(QChar C) {
    if (C.unicode() < 0x20 || C.unicode() == 0x7F) return;
    TUndoBlock block(*fUndoList);
    if (SelAvail()) {
        SetSelTextPrimitive(fActiveSelectionMode, QString(C));
        return;
    }
    if (LineCount() == 0) fLines->Add(QString());
    TBufferCoord p = fCaret;
    const int len = LineLength(p.Line);
    if (p.Char > len + 1) {
        // Past the end: fill up to the caret first (with the leading spacing on an empty line).
        PadLineTo(p.Line, p.Char, len == 0);
        p.Char = LineLength(p.Line) + 1;
    }
    if (fInsertMode || p.Char > LineLength(p.Line)) {
        InternalSetCaretXY(InsertRecorded(crInsert, p, QString(C)));
    } else {
        // Overwriting: the record keeps the replaced character.
        InternalSetCaretXY(ReplaceRecorded(p, {p.Char + 1, p.Line}, QString(C)));
    }
    CollapseSelection();
}

void TCodeEditModel::TypeString(const QString& S) {
    if (S.isEmpty()) return;
    TUndoBlock block(*fUndoList);
    if (SelAvail()) {
        SetSelTextPrimitive(fActiveSelectionMode, S);
        return;
    }
    if (LineCount() == 0) fLines->Add(QString());
    TBufferCoord p = fCaret;
    if (p.Char > LineLength(p.Line) + 1) {
        PadLineTo(p.Line, p.Char);
        p.Char = LineLength(p.Line) + 1;
    }
    if (fInsertMode) {
        InternalSetCaretXY(InsertRecorded(crInsert, p, S));
    } else {
        const int overwritten =
            std::min(static_cast<int>(S.size()), LineLength(p.Line) - p.Char + 1);
        InternalSetCaretXY(ReplaceRecorded(p, {p.Char + overwritten, p.Line}, S));
    }
    CollapseSelection();
}

// ---------------------------------------------------------------- Enter

void TCodeEditModel::LineBreak(bool MoveCaret) {
    TUndoBlock block(*fUndoList);
    if (SelAvail()) DeleteSelection(crDelete);
    if (LineCount() == 0) fLines->Add(QString());
    const TBufferCoord old = fCaret;
    const int y = fCaret.Line;
    const QString line = LineAt(y);
    const int len = static_cast<int>(line.size());
    TBufferCoord target;
    if (len == 0) {
        // The indent comes from the nearest line above that has text.
        int source = y;
        while (source > 1 && LineLength(source) == 0)
            --source;
        const int indent = IndentCells(source);
        InsertRecorded(crLineBreak, {1, y}, QStringLiteral("\r\n"));
        target = {indent + 1, y + 1};
        InternalSetCaretXY(target);
    } else if (fCaret.Char > len) {
        const int indent = IndentChars(y);
        InsertRecorded(crLineBreak, {len + 1, y}, QStringLiteral("\r\n"));
        InternalSetCaretXY({1, y + 1});
        if (indent > 0) {
            // The indent is typed again, one character at a time, without smart tabs.
            const TCodeEditorOptions options = fOptions;
            fOptions &= ~TCodeEditorOptions(eoSmartTabs);
            try {
                for (int i = 0; i < indent; ++i) {
                    const QChar c = line[i];
                    if (c != u'\t') {
                        TypeChar(c);
                    } else if (options & eoTabsToSpaces) {
                        const int column = CharToColumn(fCaret.Line, fCaret.Char) - 1;
                        for (int n = fTabWidth - column % fTabWidth; n > 0; --n)
                            TypeChar(u' ');
                    } else {
                        InsertTab();
                    }
                }
            } catch (...) {
                fOptions = options;
                throw;
            }
            fOptions = options;
        }
        target = fCaret;
    } else if (fCaret.Char == 1) {
        InsertRecorded(crLineBreak, {1, y}, QStringLiteral("\r\n"));
        target = {1, y + 1};
        InternalSetCaretXY(target);
    } else {
        int cells = 0;
        if (fOptions & eoAutoIndent) {
            for (int i = 0; i < fCaret.Char - 1 && IsIndentChar(line[i]); ++i)
                cells += line[i] == u'\t' ? fTabWidth : 1;
        }
        const QString prefix = LeadingSpacing(cells);
        InsertRecorded(crLineBreak, fCaret, QStringLiteral("\r\n") + prefix);
        target = {static_cast<int>(prefix.size()) + 1, y + 1};
        InternalSetCaretXY(target);
    }
    if (!MoveCaret) InternalSetCaretXY(old);
    CollapseSelection();
}

// ---------------------------------------------------------------- Backspace and Delete

void TCodeEditModel::DeleteLastChar() {
    if (SelAvail()) {
        DeleteSelection(crDelete);
        return;
    }
    if (LineCount() == 0) return;
    const int y = fCaret.Line;
    const int x = fCaret.Char;
    const QString s = LineAt(y);
    const int len = static_cast<int>(s.size());
    TBufferCoord target = fCaret;
    if (x > len + 1) {
        // In virtual space nothing is deleted; the caret only moves back.
        if (!(fOptions & eoSmartTabDelete)) {
            target.Char = x - 1;
        } else if (len > 0) {
            target.Char = len + 1;
        } else {
            int indent = 0;
            for (int line = y - 1; line >= 1; --line) {
                const int i = IndentChars(line);
                if (i > 0 && i < x - 1) {
                    indent = i;
                    break;
                }
            }
            target.Char = indent + 1;
        }
        InternalSetCaretXY(target);
        CollapseSelection();
        return;
    }
    if (x == 1) {
        if (y == 1) return;
        const int previous = LineLength(y - 1);
        DeleteRecorded(crSilentDelete, {previous + 1, y - 1}, {1, y});
        InternalSetCaretXY({previous + 1, y - 1});
        CollapseSelection();
        return;
    }
    int from = x - 1;
    if (x - 1 == IndentChars(y) && IsIndentChar(s[x - 2])) {
        if (fOptions & eoSmartTabDelete) {
            // Back to the indent of the nearest line above with a smaller one.
            int cellsHere = 0;
            for (int i = 0; i < x - 1; ++i)
                cellsHere += s[i] == u'\t' ? fTabWidth : 1;
            int wanted = 0;
            for (int line = y - 1; line >= 1; --line) {
                const int cells = IndentCells(line);
                if (cells > 0 && cells < cellsHere) {
                    wanted = cells;
                    break;
                }
            }
            int keep = 0;
            int cells = 0;
            while (keep < x - 1) {
                const int w = s[keep] == u'\t' ? fTabWidth : 1;
                if (cells + w > wanted) break;
                cells += w;
                ++keep;
            }
            from = keep + 1;
        } else {
            // Back to the previous tab stop, stopping after a tab.
            const int column = CharToColumn(y, x) - 1;
            const int stop = ((column - 1) / fTabWidth) * fTabWidth;
            int j = x - 1;
            while (j > 0 && CharToColumn(y, j) - 1 >= stop) {
                const QChar c = s[j - 1];
                --j;
                if (c == u'\t') break;
            }
            from = j + 1;
        }
    } else if (x >= 3 && s[x - 2].isLowSurrogate() && s[x - 3].isHighSurrogate()) {
        from = x - 2;
    }
    from = std::min(from, x - 1);
    DeleteRecorded(crSilentDelete, {from, y}, {x, y});
    InternalSetCaretXY({from, y});
    CollapseSelection();
}

void TCodeEditModel::DeleteChar() {
    if (SelAvail()) {
        DeleteSelection(crDelete);
        return;
    }
    if (LineCount() == 0) return;
    const TBufferCoord caret = fCaret;
    const QString& s = LineAt(caret.Line);
    const int len = static_cast<int>(s.size());
    TUndoBlock block(*fUndoList);
    if (caret.Char > len) {
        if (caret.Line >= LineCount()) return;
        PadLineTo(caret.Line, caret.Char);
        DeleteRecorded(crSilentDelete, {caret.Char, caret.Line}, {1, caret.Line + 1});
    } else {
        int n = 1;
        if (s[caret.Char - 1].isHighSurrogate() && caret.Char < len &&
            s[caret.Char].isLowSurrogate())
            n = 2;
        DeleteRecorded(crSilentDelete, caret, {caret.Char + n, caret.Line});
    }
    InternalSetCaretXY(caret);
    CollapseSelection();
}

// ---------------------------------------------------------------- Tab and Shift+Tab

void TCodeEditModel::InsertTab() {
    if ((fOptions & eoTabIndent) && SelAvail()) {
        const TBufferCoord bb = BlockBegin();
        const TBufferCoord be = BlockEnd();
        if ((bb.Line != be.Line && fActiveSelectionMode != smColumn) ||
            (bb.Char == 1 && be.Char > LineLength(fCaret.Line))) {
            BlockIndent();
            return;
        }
    }
    TUndoBlock block(*fUndoList);
    if (SelAvail()) DeleteSelection(crDelete);
    if (LineCount() == 0) fLines->Add(QString());
    const int column = CharToColumn(fCaret.Line, fCaret.Char) - 1;  // cells before the caret
    // The smart target: the next word start on the nearest line above long enough to have
    // a character at the caret's column.
    int distance = 0;
    int targetLine = 0;
    if (fOptions & eoSmartTabs) {
        for (int line = fCaret.Line - 1; line >= 1; --line) {
            if (fLines->GetExpandedStringLength(line - 1) <= column) continue;
            const QString& s = LineAt(line);
            int i = ColumnToChar(line, column + 1) - 1;
            const int start = i;
            while (i < s.size() && !IsBlank(s[i]))
                ++i;
            while (i < s.size() && IsBlank(s[i]))
                ++i;
            distance = CharToColumn(line, i + 1) - CharToColumn(line, start + 1);
            targetLine = distance > 0 ? line : 0;
            break;
        }
    }
    QString text;
    if (fOptions & eoTabsToSpaces) {
        const int n = targetLine ? distance : fTabWidth - (fCaret.Char - 1) % fTabWidth;
        text = QString(n, u' ');
    } else if (targetLine) {
        const QString& s = LineAt(targetLine);
        bool blankLeft = true;
        for (int i = 0; i < ColumnToChar(targetLine, column + 1) - 1 && i < s.size(); ++i)
            blankLeft = blankLeft && IsBlank(s[i]);
        if (blankLeft) {
            const int target = column + distance;
            int at = column;
            const int nextStop = (at / fTabWidth + 1) * fTabWidth;
            if (nextStop <= target) {
                text += u'\t';
                at = nextStop;
            }
            while (at + fTabWidth <= target) {
                text += u'\t';
                at += fTabWidth;
            }
            text += QString(target - at, u' ');
        } else {
            text = QStringLiteral("\t");
        }
    } else {
        text = QStringLiteral("\t");
    }
    const TBufferCoord caret = fCaret;
    InsertRecorded(crInsert, caret, text);
    InternalSetCaretXY({caret.Char + static_cast<int>(text.size()), caret.Line});
    CollapseSelection();
}

void TCodeEditModel::ShiftTab() {
    if ((fOptions & eoTabIndent) && SelAvail()) {
        const TBufferCoord bb = BlockBegin();
        const TBufferCoord be = BlockEnd();
        if ((bb.Line != be.Line && fActiveSelectionMode != smColumn) ||
            (bb.Char == 1 && be.Char > LineLength(fCaret.Line))) {
            BlockUnindent();
            return;
        }
    }
    if (LineCount() == 0) return;
    const int x = fCaret.Char;
    const int y = fCaret.Line;
    const QString s = LineAt(y);
    const int len = static_cast<int>(s.size());
    int target = x;
    bool found = false;
    if ((fOptions & eoSmartTabs) && x > 1) {
        for (int line = y - 1; line >= 1; --line) {
            const QString& above = LineAt(line);
            if (above.size() < x - 1) continue;
            int i = x - 2;
            while (i >= 0 && IsBlank(above[i]))
                --i;
            while (i > 0 && !IsBlank(above[i - 1]))
                --i;
            target = std::max(i, 0) + 1;
            found = true;
            break;
        }
    }
    if (!found) {
        const int stop = fTabWidth * ((x - 2) / fTabWidth) + 1;
        if (x <= 1) {
            target = x;
        } else if (x > len + 1) {
            target = stop;
        } else if (s[x - 2] == u'\t' && stop < x) {
            target = x - 1;
        } else {
            target = x;
            while (target > stop && s[target - 2] == u' ')
                --target;
        }
    }
    if (target >= x) return;
    TUndoBlock block(*fUndoList);
    if (target <= len) DeleteRecorded(crDelete, {target, y}, {std::min(x, len + 1), y});
    InternalSetCaretXY({target, y});
    CollapseSelection();
}

// ---------------------------------------------------------------- block indent

int TCodeEditModel::SelectedLastLine() const {
    const TBufferCoord bb = BlockBegin();
    const TBufferCoord be = BlockEnd();
    return be.Char == 1 && be.Line > bb.Line ? be.Line - 1 : be.Line;
}

void TCodeEditModel::BlockIndent() {
    if (!SelAvail() || LineCount() == 0) return;
    const TBufferCoord bb = BlockBegin();
    const TBufferCoord be = BlockEnd();
    const bool anchorFirst = fBlockBegin <= fBlockEnd;
    const int last = std::min(SelectedLastLine(), LineCount());
    const QString unit =
        (fOptions & eoTabsToSpaces) ? QString(fTabWidth, u' ') : QStringLiteral("\t");
    const int unitLength = static_cast<int>(unit.size());
    const int column = fActiveSelectionMode == smColumn ? std::min(bb.Char, be.Char) : 1;
    const TBufferCoord caret = fCaret;
    const TBufferCoord newBegin{bb.Char + unitLength, bb.Line};
    const TBufferCoord newEnd{be.Char == 1 ? 1 : be.Char + unitLength, be.Line};
    TUndoBlock block(*fUndoList);
    Record(crIndent, bb, be);
    for (int line = bb.Line; line <= last; ++line)
        InsertRecorded(crInsert, {column, line}, unit);
    Record(crIndent, newBegin, newEnd);
    const bool caretAtEndColumnOne = caret == be && be.Char == 1;
    InternalSetCaretXY({caretAtEndColumnOne ? 1 : caret.Char + unitLength, caret.Line});
    fBlockBegin = anchorFirst ? newBegin : newEnd;
    fBlockEnd = anchorFirst ? newEnd : newBegin;
    StatusChanged(scSelection);
}

void TCodeEditModel::BlockUnindent() {
    if (!SelAvail() || LineCount() == 0) return;
    const TBufferCoord bb = BlockBegin();
    const TBufferCoord be = BlockEnd();
    const bool anchorFirst = fBlockBegin <= fBlockEnd;
    const int last = std::min(SelectedLastLine(), LineCount());
    const int column = fActiveSelectionMode == smColumn ? std::min(bb.Char, be.Char) : 1;
    const TBufferCoord caret = fCaret;
    std::vector<int> removed(static_cast<size_t>(last - bb.Line + 1), 0);
    TUndoBlock block(*fUndoList);
    Record(crUnindent, bb, be);
    for (int line = bb.Line; line <= last; ++line) {
        const QString& s = LineAt(line);
        const int i = column - 1;
        if (i >= s.size()) continue;
        int n = 0;
        if (s[i] == u'\t') {
            n = 1;
        } else {
            while (n < fTabWidth && i + n < s.size() && s[i + n] == u' ')
                ++n;
            if (n < fTabWidth && i + n < s.size() && s[i + n] == u'\t') ++n;
        }
        if (n == 0) continue;
        DeleteRecorded(crDelete, {column, line}, {column + n, line});
        removed[static_cast<size_t>(line - bb.Line)] = n;
    }
    auto shrink = [&](TBufferCoord p) {
        if (p.Line < bb.Line || p.Line > last || p.Char <= column) return p;
        p.Char = std::max(column, p.Char - removed[static_cast<size_t>(p.Line - bb.Line)]);
        return p;
    };
    const TBufferCoord newBegin = shrink(bb);
    const TBufferCoord newEnd = shrink(be);
    Record(crUnindent, newBegin, newEnd);
    InternalSetCaretXY(shrink(caret));
    fBlockBegin = anchorFirst ? newBegin : newEnd;
    fBlockEnd = anchorFirst ? newEnd : newBegin;
    StatusChanged(scSelection);
}

// ---------------------------------------------------------------- deleting by word and line

void TCodeEditModel::DeleteRangeCommand(TCodeEditorCommand Command) {
    if (LineCount() == 0) return;
    const TBufferCoord caret = fCaret;
    const int len = LineLength(caret.Line);
    TBufferCoord from = caret;
    TBufferCoord to = caret;
    switch (Command) {
        case ecDeleteWord:
            to = NextWordPos(caret);
            break;
        case ecDeleteEOL:
            to = {len + 1, caret.Line};
            break;
        case ecDeleteLastWord:
            from = PrevWordPos(caret);
            to = {std::min(caret.Char, len + 1), caret.Line};
            break;
        case ecDeleteBOL:
            from = {1, caret.Line};
            to = {std::min(caret.Char, len + 1), caret.Line};
            break;
        default:
            return;
    }
    TUndoBlock block(*fUndoList);
    if (to.Line > from.Line && from.Char > LineLength(from.Line) + 1)
        PadLineTo(from.Line, from.Char);  // joining a line from virtual space keeps the gap
    if (from < to) DeleteRecorded(crDelete, from, to);
    InternalSetCaretXY(Command == ecDeleteWord || Command == ecDeleteEOL ? caret : from);
    CollapseSelection();
}

void TCodeEditModel::DeleteLine() {
    const int count = LineCount();
    if (count == 0) return;
    const int y = std::clamp(fCaret.Line, 1, count);
    TUndoBlock block(*fUndoList);
    if (y < count)
        DeleteRecorded(crDelete, {1, y}, {1, y + 1});
    else if (y > 1)
        DeleteRecorded(crDelete, {LineLength(y - 1) + 1, y - 1}, {LineLength(y) + 1, y});
    else
        DeleteRecorded(crDelete, {1, y}, {LineLength(y) + 1, y});
    InternalSetCaretXY({1, y});
    CollapseSelection();
}

void TCodeEditModel::ClearAll() {
    // Emptying the lines also empties both undo lists: this cannot be undone.
    fLines->Clear();
    LinesCleared();
}
