// Caret and selection: positions, the three selection modes, reading and replacing the
// selected text.
#include <algorithm>

#include "editor/CodeEditModel.h"
#include "highlighters/CodeEditHighlighter.h"
#include "platform/LineBreaks.h"

namespace {

// The caret may stand in virtual space past the end of a line, but not without bound: a
// position far out would make the next typed character pad the line with millions of blanks.
constexpr int kMaxVirtualChar = 16384;

const QString kCRLF = QStringLiteral("\r\n");

bool IsBlank(QChar C) {
    return C == u' ' || C == u'\t';
}

}  // namespace

// ---------------------------------------------------------------- columns

int TCodeEditModel::CharToColumn(int Line, int Char) const {
    const QString& s = LineAt(Line);
    const int len = static_cast<int>(s.size());
    const int before = std::max(Char, 1) - 1;
    const int upTo = std::min(before, len);
    const int tabWidth = fTabWidth;
    const TCodeEditMetrics& metrics = *fMetrics;
    int column = 0;
    for (int i = 0; i < upTo; ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'\t')
            column += tabWidth - column % tabWidth;
        else
            column += metrics.GlyphCells(c);
    }
    if (before > len) column += before - len;
    return column + 1;
}

// The character whose cells hold the display column; past the end of the line, the virtual
// position that lies there.
int TCodeEditModel::ColumnToChar(int Line, int Column) const {
    const QString& s = LineAt(Line);
    const int len = static_cast<int>(s.size());
    const int target = std::max(Column, 1) - 1;
    const int tabWidth = fTabWidth;
    const TCodeEditMetrics& metrics = *fMetrics;
    int column = 0;
    for (int i = 0; i < len; ++i) {
        const char16_t c = s[i].unicode();
        const int cells = c == u'\t' ? tabWidth - column % tabWidth : metrics.GlyphCells(c);
        if (target < column + cells) return i + 1;
        column += cells;
    }
    return len + 1 + (target - column);
}

TBufferCoord TCodeEditModel::ClampCaret(TBufferCoord P) const {
    P.Line = std::clamp(P.Line, 1, std::max(LineCount(), 1));
    const int len = LineLength(P.Line);
    if (fOptions & eoScrollPastEol)
        P.Char = std::clamp(P.Char, 1, std::max(len + 1, kMaxVirtualChar));
    else
        P.Char = std::clamp(P.Char, 1, len + 1);
    return P;
}

TBufferCoord TCodeEditModel::ClampToText(TBufferCoord P) const {
    P.Line = std::clamp(P.Line, 1, std::max(LineCount(), 1));
    P.Char = std::clamp(P.Char, 1, LineLength(P.Line) + 1);
    return P;
}

// ---------------------------------------------------------------- caret

void TCodeEditModel::InternalSetCaretXY(TBufferCoord P, bool KeepLastCaretX, bool AtEndOfRow) {
    P = ClampCaret(P);
    if (P.Line != fCaret.Line && (fOptions & eoTrimTrailingSpaces) && fTrimSuspended == 0 &&
        !fReplaying && !fReadOnly) {
        TrimTrailingBlanks(fCaret.Line);
        P = ClampCaret(P);
    }
    TStatusChanges changes;
    if (P.Char != fCaret.Char) changes |= scCaretX;
    if (P.Line != fCaret.Line) changes |= scCaretY;
    fCaret = P;
    fCaretAtEOR = AtEndOfRow && fWordWrap;
    if (!KeepLastCaretX) fLastCaretX = DisplayXY().Column;
    if (!fReplaying) EnsureCursorPosVisible();
    fView->CaretMoved();
    StatusChanged(changes);
}

void TCodeEditModel::SetCaretXY(TBufferCoord Value) {
    TPaintLock lock(*this);
    InternalSetCaretXY(Value);
    CollapseSelection();
}

void TCodeEditModel::CollapseSelection() {
    fBlockBegin = fBlockEnd = fCaret;
    StatusChanged(scSelection);
}

void TCodeEditModel::MoveCaretAndSelection(TBufferCoord From, TBufferCoord To, bool Selecting,
                                           bool KeepLastCaretX, bool AtEndOfRow) {
    if (fOptions & eoNoSelection) Selecting = false;
    const TBufferCoord anchor = HasSelectionEnds() ? fBlockBegin : From;
    InternalSetCaretXY(To, KeepLastCaretX, AtEndOfRow);
    if (Selecting) {
        fBlockBegin = anchor;
        fBlockEnd = fCaret;
        StatusChanged(scSelection);
    } else {
        CollapseSelection();
    }
}

void TCodeEditModel::TrimTrailingBlanks(int Line) {
    if (Line < 1 || Line > LineCount()) return;
    const QString& s = LineAt(Line);
    int n = static_cast<int>(s.size());
    const int len = n;
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    if (n < len) DeleteRecorded(crSilentDelete, {n + 1, Line}, {len + 1, Line});
}

// ---------------------------------------------------------------- selection

TBufferCoord TCodeEditModel::BlockBegin() const {
    return std::min(fBlockBegin, fBlockEnd);
}

TBufferCoord TCodeEditModel::BlockEnd() const {
    return std::max(fBlockBegin, fBlockEnd);
}

void TCodeEditModel::SetBlockBegin(TBufferCoord Value) {
    TPaintLock lock(*this);
    fBlockBegin = fBlockEnd = ClampCaret(Value);
    StatusChanged(scSelection);
}

void TCodeEditModel::SetBlockEnd(TBufferCoord Value) {
    TPaintLock lock(*this);
    fBlockEnd = ClampCaret(Value);
    StatusChanged(scSelection);
}

void TCodeEditModel::SetCaretAndSelection(TBufferCoord Caret, TBufferCoord BB, TBufferCoord BE) {
    TPaintLock lock(*this);
    InternalSetCaretXY(Caret);
    fBlockBegin = ClampCaret(BB);
    fBlockEnd = ClampCaret(BE);
    StatusChanged(scSelection);
}

bool TCodeEditModel::SelAvail() const {
    if (fBlockBegin.Char != fBlockEnd.Char) return true;
    return fBlockBegin.Line != fBlockEnd.Line && fActiveSelectionMode != smColumn;
}

void TCodeEditModel::SetSelectionMode(TSelectionMode Value) {
    if (Value > smColumn) return;
    TPaintLock lock(*this);
    fSelectionMode = Value;
    fActiveSelectionMode = Value;
    StatusChanged(scSelection);
}

void TCodeEditModel::SetActiveSelectionMode(TSelectionMode Value) {
    if (Value > smColumn || Value == fActiveSelectionMode) return;
    TPaintLock lock(*this);
    fActiveSelectionMode = Value;
    StatusChanged(scSelection);
}

// The characters of each selected line, by mode. In column mode the two ends give a range of
// display columns, turned back into characters on every line, so that tabs and wide glyphs
// are cut where they are seen; reading and deleting both use this one answer.
std::vector<TCodeEditModel::TSelSegment> TCodeEditModel::SelectionSegments(
    TSelectionMode Mode) const {
    std::vector<TSelSegment> segments;
    const int count = LineCount();
    if (count == 0) return segments;
    const TBufferCoord bb = BlockBegin();
    const TBufferCoord be = BlockEnd();
    const int first = std::clamp(bb.Line, 1, count);
    const int last = std::clamp(be.Line, 1, count);
    auto clampChar = [&](int line, int c) { return std::clamp(c, 1, LineLength(line) + 1); };
    switch (Mode) {
        case smNormal:
            for (int line = first; line <= last; ++line) {
                const int from = line == bb.Line ? clampChar(line, bb.Char) : 1;
                const int to = line == be.Line ? clampChar(line, be.Char) : LineLength(line) + 1;
                segments.push_back({line, from, std::max(from, to)});
            }
            break;
        case smLine:
            for (int line = first; line <= last; ++line)
                segments.push_back({line, 1, LineLength(line) + 1});
            break;
        case smColumn: {
            int left = CharToColumn(bb.Line, bb.Char);
            int right = CharToColumn(be.Line, be.Char);
            if (left > right) std::swap(left, right);
            for (int line = first; line <= last; ++line) {
                const int from = clampChar(line, ColumnToChar(line, left));
                const int to = clampChar(line, ColumnToChar(line, right));
                segments.push_back({line, from, std::max(from, to)});
            }
            break;
        }
    }
    return segments;
}

QString TCodeEditModel::SelTextIn(TSelectionMode Mode) const {
    if (!SelAvail()) return {};
    const std::vector<TSelSegment> segments = SelectionSegments(Mode);
    QString result;
    qsizetype total = 0;
    for (const TSelSegment& s : segments)
        total += s.Last - s.First + 2;
    result.reserve(total);
    for (size_t i = 0; i < segments.size(); ++i) {
        const TSelSegment& s = segments[i];
        if (i > 0 && Mode != smLine) result += kCRLF;
        result += QStringView(LineAt(s.Line)).mid(s.First - 1, s.Last - s.First);
        if (Mode == smLine && s.Line < LineCount()) result += kCRLF;
    }
    return result;
}

QString TCodeEditModel::SelText() const {
    return SelTextIn(fActiveSelectionMode);
}

void TCodeEditModel::SetSelText(const QString& Value) {
    SetSelTextPrimitive(fActiveSelectionMode, Value);
}

void TCodeEditModel::SelectAll() {
    TPaintLock lock(*this);
    const TBufferCoord end = TextEnd();
    InternalSetCaretXY(end);
    fBlockBegin = {1, 1};
    fBlockEnd = end;
    StatusChanged(scSelection);
}

// ---------------------------------------------------------------- replacing the selection

void TCodeEditModel::DeleteSelection(TChangeReason Reason) {
    if (!SelAvail() || LineCount() == 0) {
        CollapseSelection();
        return;
    }
    const TBufferCoord bb = BlockBegin();
    const TBufferCoord be = BlockEnd();
    TUndoBlock block(*fUndoList);
    switch (fActiveSelectionMode) {
        case smNormal: {
            const TBufferCoord from = ClampToText(bb);
            const TBufferCoord to = ClampToText(be);
            if (from < to) DeleteRecorded(Reason, from, to);
            if (bb.Line != be.Line && (fOptions & eoScrollPastEol) &&
                (fOptions & eoTrimTrailingSpaces))
                TrimTrailingBlanks(bb.Line);
            InternalSetCaretXY(bb);
            break;
        }
        case smLine: {
            const int first = std::clamp(bb.Line, 1, LineCount());
            const int last = std::clamp(be.Line, first, LineCount());
            if (last < LineCount())
                DeleteRecorded(Reason, {1, first}, {1, last + 1});
            else
                DeleteRecorded(Reason, {1, first}, {LineLength(last) + 1, last});
            InternalSetCaretXY({1, first});
            break;
        }
        case smColumn: {
            int left = CharToColumn(bb.Line, bb.Char);
            const int right = CharToColumn(be.Line, be.Char);
            if (left > right) left = right;
            const std::vector<TSelSegment> segments = SelectionSegments(smColumn);
            for (const TSelSegment& s : segments)
                if (s.First < s.Last) DeleteRecorded(Reason, {s.First, s.Line}, {s.Last, s.Line});
            InternalSetCaretXY({ColumnToChar(be.Line, left), be.Line});
            break;
        }
    }
    CollapseSelection();
}

void TCodeEditModel::InsertByMode(TSelectionMode Mode, const QString& Value) {
    if (Value.isEmpty()) return;
    if (LineCount() == 0) fLines->Add(QString());
    switch (Mode) {
        case smNormal:
            InternalSetCaretXY(InsertRecorded(crInsert, fCaret, Value));
            break;
        case smLine: {
            const int line = fCaret.Line;
            if (!fInsertMode) {
                // Overwriting: each whole line pasted replaces one line, but never the last.
                const int whole =
                    static_cast<int>(SplitLines(Value, TFinalBreak::StartsEmptyLine).size()) - 1;
                const int replaced = std::min(whole, LineCount() - line);
                if (replaced > 0) DeleteRecorded(crDelete, {1, line}, {1, line + replaced});
            }
            InternalSetCaretXY(InsertRecorded(crInsert, {1, line}, Value));
            break;
        }
        case smColumn: {
            const QStringList pieces = SplitLines(Value, TFinalBreak::StartsEmptyLine);
            const int column = fCaret.Char;
            int line = fCaret.Line;
            TBufferCoord end = fCaret;
            for (qsizetype i = 0; i < pieces.size(); ++i, ++line) {
                const QString& piece = pieces[i];
                if (line <= LineCount()) {
                    if (piece.isEmpty()) {
                        end = {column, line};
                        continue;
                    }
                    end = InsertRecorded(crInsert, {column, line}, piece);
                } else {
                    if (piece.isEmpty() && i + 1 == pieces.size()) break;  // a final break
                    const int last = LineCount();
                    const QString added = kCRLF + QString(column - 1, u' ') + piece;
                    end = InsertRecorded(crLineBreak, {LineLength(last) + 1, last}, added);
                }
            }
            InternalSetCaretXY(end);
            break;
        }
    }
}

void TCodeEditModel::SetSelTextPrimitive(TSelectionMode PasteMode, const QString& Value,
                                         TChangeReason DeleteReason) {
    TPaintLock lock(*this);
    TTrimPause pause(*this);
    TUndoBlock block(*fUndoList);
    DeleteSelection(DeleteReason);
    InsertByMode(PasteMode, Value);
    CollapseSelection();
}

void TCodeEditModel::InsertBlock(TBufferCoord BB, TBufferCoord BE, const QString& Value,
                                 bool AddToUndoList) {
    if (fReadOnly) return;
    TPaintLock lock(*this);
    if (!AddToUndoList) LockUndo();
    const TSelectionMode mode = fActiveSelectionMode;
    InternalSetCaretXY(BB);
    fBlockBegin = ClampCaret(BB);
    fBlockEnd = ClampCaret(BE);
    fActiveSelectionMode = smColumn;
    try {
        SetSelTextPrimitive(smColumn, Value);
    } catch (...) {
        fActiveSelectionMode = mode;
        if (!AddToUndoList) UnlockUndo();
        throw;
    }
    fActiveSelectionMode = mode;
    if (!AddToUndoList) UnlockUndo();
    StatusChanged(scSelection);
}

// ---------------------------------------------------------------- words

bool TCodeEditModel::IsWordBreakChar(QChar C) const {
    if (fHighlighter) return fHighlighter->IsWordBreakChar(C);
    const char16_t c = C.unicode();
    if (c <= 0x2F) return true;
    if (c >= 0x3A && c <= 0x40) return true;
    if (c >= 0x5B && c <= 0x5E) return true;
    if (c == 0x60) return true;
    if (c >= 0x7B && c <= 0x7E) return true;
    return c == 0xA7 || c == 0xB0 || c == 0xB4;
}

bool TCodeEditModel::IsIdentChar(QChar C) const {
    if (fHighlighter) return fHighlighter->IsIdentChar(C);
    const char16_t c = C.unicode();
    const bool ident = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
                       (c >= u'a' && c <= u'z') || c == u'_';
    return ident && !IsWordBreakChar(C);
}

QString TCodeEditModel::GetWordAtRowCol(TBufferCoord XY) const {
    if (XY.Line < 1 || XY.Line > LineCount()) return {};
    const QString& s = LineAt(XY.Line);
    if (XY.Char < 1 || XY.Char > s.size() || !IsIdentChar(s[XY.Char - 1])) return {};
    qsizetype first = XY.Char - 1;
    qsizetype last = XY.Char;  // exclusive
    while (first > 0 && IsIdentChar(s[first - 1]))
        --first;
    while (last < s.size() && IsIdentChar(s[last]))
        ++last;
    return s.mid(first, last - first);
}

// Classes for word movement: blanks, identifier characters, other letters (Japanese text
// and the like), and punctuation. A word is a run of one class.
int TCodeEditModel::CharClass(QChar C) const {
    if (C.unicode() <= 0x20) return 0;
    if (IsIdentChar(C)) return 1;
    if (C.unicode() >= 0x100 && !IsWordBreakChar(C)) return 2;
    return 3;
}

TBufferCoord TCodeEditModel::NextWordPos(TBufferCoord P) const {
    const QString& s = LineAt(P.Line);
    const int len = static_cast<int>(s.size());
    if (P.Char > len) {
        if (P.Line < LineCount()) return {1, P.Line + 1};
        return {std::max(P.Char, len + 1), P.Line};
    }
    int i = std::max(P.Char, 1) - 1;
    const int cls = CharClass(s[i]);
    if (cls != 0)
        while (i < len && CharClass(s[i]) == cls)
            ++i;
    while (i < len && CharClass(s[i]) == 0)
        ++i;
    return {i + 1, P.Line};
}

TBufferCoord TCodeEditModel::PrevWordPos(TBufferCoord P) const {
    const QString& s = LineAt(P.Line);
    const int len = static_cast<int>(s.size());
    int i = std::min(P.Char, len + 1) - 1;  // characters before the position
    if (i <= 0) {
        if (P.Char <= 1 && P.Line > 1) return {LineLength(P.Line - 1) + 1, P.Line - 1};
        return {1, P.Line};
    }
    while (i > 0 && CharClass(s[i - 1]) == 0)
        --i;
    if (i > 0) {
        const int cls = CharClass(s[i - 1]);
        while (i > 0 && CharClass(s[i - 1]) == cls)
            --i;
    }
    return {i + 1, P.Line};
}

TBufferCoord TCodeEditModel::WordStartOf(TBufferCoord P) const {
    const QString& s = LineAt(P.Line);
    int i = std::clamp(P.Char, 1, static_cast<int>(s.size()) + 1) - 1;
    while (i > 0 && IsIdentChar(s[i - 1]))
        --i;
    return {i + 1, P.Line};
}

TBufferCoord TCodeEditModel::WordEndOf(TBufferCoord P) const {
    const QString& s = LineAt(P.Line);
    const int len = static_cast<int>(s.size());
    int i = std::clamp(P.Char, 1, len + 1) - 1;
    while (i < len && IsIdentChar(s[i]))
        ++i;
    return {i + 1, P.Line};
}
