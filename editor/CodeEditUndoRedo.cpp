// The few operations that change the text, how they are recorded, and how undo and redo
// replay the records.
//
// Every recorded change is a stream range: an insertion says which range now holds new text
// (and what it replaced), a deletion says where text went and what it was. Column and line
// operations are recorded as several such ranges inside one undo block, and padding added in
// front of a virtual caret is recorded too (crWhiteSpaceAdd), so that replaying the records
// backwards always gives back the exact text.
#include <QScopedValueRollback>
#include <algorithm>

#include "editor/CodeEditModel.h"
#include "platform/LineBreaks.h"

namespace {

const QString kCRLF = QStringLiteral("\r\n");

// One allocation for a line put together from pieces.
QString Concat(QStringView A, QStringView B, QStringView C = {}) {
    QString result;
    result.reserve(A.size() + B.size() + C.size());
    result.append(A);
    result.append(B);
    result.append(C);
    return result;
}

bool IsInsertion(TChangeReason Reason) {
    return Reason == crInsert || Reason == crWhiteSpaceAdd || Reason == crLineBreak;
}

bool IsDeletion(TChangeReason Reason) {
    return Reason == crDelete || Reason == crSilentDelete || Reason == crDeleteAll;
}

}  // namespace

// ---------------------------------------------------------------- raw text operations

TBufferCoord TCodeEditModel::TextEnd() const {
    const int last = std::max(LineCount(), 1);
    return {LineLength(last) + 1, last};
}

QString TCodeEditModel::RawText(TBufferCoord Start, TBufferCoord End) const {
    Start = ClampToText(Start);
    End = ClampToText(End);
    if (End <= Start) return {};
    if (Start.Line == End.Line)
        return LineAt(Start.Line).mid(Start.Char - 1, End.Char - Start.Char);
    QString result = LineAt(Start.Line).mid(Start.Char - 1);
    for (int line = Start.Line + 1; line < End.Line; ++line) {
        result += kCRLF;
        result += LineAt(line);
    }
    result += kCRLF;
    result += QStringView(LineAt(End.Line)).left(End.Char - 1);
    return result;
}

TBufferCoord TCodeEditModel::RawInsert(TBufferCoord Pos, const QString& Value) {
    if (LineCount() == 0) fLines->Add(QString());
    Pos = ClampToText(Pos);
    if (Value.isEmpty()) return Pos;
    const QString line = LineAt(Pos.Line);
    const QStringView head = QStringView(line).left(Pos.Char - 1);
    const QStringView tail = QStringView(line).mid(Pos.Char - 1);
    if (!HasLineBreak(Value)) {
        fLines->Put(Pos.Line - 1, Concat(head, Value, tail));
        return {Pos.Char + static_cast<int>(Value.size()), Pos.Line};
    }
    QStringList pieces = SplitLines(Value, TFinalBreak::StartsEmptyLine);
    const int lastLength = static_cast<int>(pieces.last().size());
    pieces.last() += tail;
    pieces.first() = Concat(head, pieces.first());
    return {lastLength + 1, RawSplitLine(Pos.Line, std::move(pieces)).Line};
}

// Line becomes the first of Pieces, and the others are inserted below it. Gives the end of
// the last piece.
TBufferCoord TCodeEditModel::RawSplitLine(int Line, QStringList Pieces) {
    const int lastLength = static_cast<int>(Pieces.last().size());
    TCodeEditStringList::TUpdateGuard guard(*fLines);
    fLines->Put(Line - 1, Pieces.first());
    Pieces.removeFirst();
    if (Pieces.size() <= 64) {
        // Line by line: the store then grows its array by a share of itself, where a block
        // insertion would size it to the exact count and copy it again at the next Enter.
        for (qsizetype i = 0; i < Pieces.size(); ++i)
            fLines->Insert(Line + i, Pieces[i]);
    } else {
        // A block insertion sizes the array to the exact count; make room by a share of the
        // array instead, or many block insertions in a row would each copy all of it.
        const qsizetype needed = fLines->Count() + Pieces.size();
        const qsizetype capacity = fLines->Capacity();
        if (capacity < needed) fLines->SetCapacity(std::max(needed, capacity + capacity / 4));
        fLines->InsertStrings(Line, Pieces);
    }
    return {lastLength + 1, Line + static_cast<int>(Pieces.size())};
}

QString TCodeEditModel::RawDelete(TBufferCoord Start, TBufferCoord End) {
    Start = ClampToText(Start);
    End = ClampToText(End);
    if (End <= Start || LineCount() == 0) return {};
    QString removed = RawText(Start, End);
    const QString& first = LineAt(Start.Line);
    const QString& last = LineAt(End.Line);
    QString joined =
        Concat(QStringView(first).left(Start.Char - 1), QStringView(last).mid(End.Char - 1));
    TCodeEditStringList::TUpdateGuard guard(*fLines);
    fLines->Put(Start.Line - 1, joined);
    if (End.Line > Start.Line) fLines->DeleteLines(Start.Line, End.Line - Start.Line);
    return removed;
}

TBufferCoord TCodeEditModel::RawReplace(TBufferCoord Start, TBufferCoord End,
                                        const QString& Value) {
    if (LineCount() == 0) fLines->Add(QString());
    Start = ClampToText(Start);
    End = std::max(ClampToText(End), Start);
    if (Start.Line == End.Line && !HasLineBreak(Value)) {
        const QString& line = LineAt(Start.Line);
        if (Start.Char == 1 && End.Char == line.size() + 1) {
            // A whole line: the new text is shared, not copied.
            fLines->Put(Start.Line - 1, Value);
        } else {
            fLines->Put(Start.Line - 1, Concat(QStringView(line).left(Start.Char - 1), Value,
                                               QStringView(line).mid(End.Char - 1)));
        }
        return {Start.Char + static_cast<int>(Value.size()), Start.Line};
    }
    TCodeEditStringList::TUpdateGuard guard(*fLines);
    RawDelete(Start, End);
    return RawInsert(Start, Value);
}

// ---------------------------------------------------------------- recorded operations

void TCodeEditModel::Record(TChangeReason Reason, TBufferCoord Start, TBufferCoord End,
                            const QString& Text) {
    fUndoList->AddChange(Reason, Start, End, Text, fActiveSelectionMode);
}

// Pads a short line with blanks up to the character before Char; an empty line may take the
// leading spacing (tabs) instead. Returns where the padding ends.
void TCodeEditModel::PadLineTo(int Line, int Char, bool LeadingSpacing) {
    if (LineCount() == 0) fLines->Add(QString());
    if (Line < 1 || Line > LineCount()) return;
    const int len = LineLength(Line);
    if (Char - 1 <= len) return;
    const QString pad =
        LeadingSpacing && len == 0 ? this->LeadingSpacing(Char - 1) : QString(Char - 1 - len, u' ');
    const TBufferCoord from{len + 1, Line};
    const TBufferCoord to = RawInsert(from, pad);
    Record(crWhiteSpaceAdd, from, to);
}

TBufferCoord TCodeEditModel::InsertRecorded(TChangeReason Reason, TBufferCoord Pos,
                                            const QString& Value) {
    if (LineCount() == 0) fLines->Add(QString());
    Pos.Line = std::clamp(Pos.Line, 1, LineCount());
    Pos.Char = std::max(Pos.Char, 1);
    if (Pos.Char > LineLength(Pos.Line) + 1) {
        PadLineTo(Pos.Line, Pos.Char);
        Pos.Char = LineLength(Pos.Line) + 1;
    }
    if (Value.isEmpty()) return Pos;
    const TBufferCoord end = RawInsert(Pos, Value);
    Record(Reason, Pos, end);
    return end;
}

QString TCodeEditModel::DeleteRecorded(TChangeReason Reason, TBufferCoord Start, TBufferCoord End) {
    Start = ClampToText(Start);
    End = ClampToText(End);
    if (End <= Start) return {};
    const QString removed = RawDelete(Start, End);
    Record(Reason, Start, End, removed);
    return removed;
}

TBufferCoord TCodeEditModel::ReplaceRecorded(TBufferCoord Start, TBufferCoord End,
                                             const QString& Value) {
    Start = ClampToText(Start);
    End = std::max(ClampToText(End), Start);
    const QString removed = RawText(Start, End);
    const TBufferCoord end = RawReplace(Start, End, Value);
    Record(crInsert, Start, end, removed);
    return end;
}

// ---------------------------------------------------------------- replay

namespace {

struct TReplayState {
    TBufferCoord Caret;
    TBufferCoord BlockBegin;
    TBufferCoord BlockEnd;
    bool Set = false;
};

}  // namespace

// Replays one item and pushes its inverse, under the same change number, onto Target.
void TCodeEditModel::ReplayItem(const TCodeEditUndoItem& Item, bool Redoing,
                                TCodeEditUndoList& Target) {
    TCodeEditUndoItem inverse = Item;
    const TChangeReason reason = Item.fChangeReason;
    TBufferCoord caret = fCaret;
    TBufferCoord bb = caret;
    TBufferCoord be = caret;
    if (IsInsertion(reason)) {
        // The range holds what was put there; it gets back what it replaced.
        const TBufferCoord start = ClampToText(Item.fChangeStartPos);
        const QString removed = RawText(start, Item.fChangeEndPos);
        const TBufferCoord end = RawReplace(start, Item.fChangeEndPos, Item.fChangeStr);
        inverse.fChangeStartPos = start;
        inverse.fChangeEndPos = end;
        inverse.fChangeStr = removed;
        caret = bb = be = Redoing ? end : start;
    } else if (IsDeletion(reason)) {
        if (!Redoing) {
            if (Item.fChangeStartPos.Line == LineCount() + 1) fLines->Add(QString());
            const TBufferCoord start = ClampToText(Item.fChangeStartPos);
            const TBufferCoord end = RawInsert(start, Item.fChangeStr);
            inverse.fChangeStartPos = start;
            inverse.fChangeEndPos = end;
            if (reason == crDelete) {
                caret = be = end;
                bb = start;
            } else if (reason == crDeleteAll) {
                caret = bb = be = {1, 1};
            } else {
                caret = bb = be = Item.fChangeEndPos;
            }
        } else {
            RawDelete(Item.fChangeStartPos, Item.fChangeEndPos);
            caret = bb = be = ClampToText(Item.fChangeStartPos);
        }
    } else {
        switch (reason) {
            case crIndent:
            case crUnindent:
                caret = be = Item.fChangeEndPos;
                bb = Item.fChangeStartPos;
                break;
            case crCaret:
                inverse.fChangeStartPos = inverse.fChangeEndPos = fCaret;
                caret = bb = be = Item.fChangeStartPos;
                break;
            case crSelection:
                inverse.fChangeStartPos = fBlockBegin;
                inverse.fChangeEndPos = fBlockEnd;
                bb = Item.fChangeStartPos;
                caret = be = Item.fChangeEndPos;
                break;
            case crGroupBreak:
                return;  // dropped
            default:
                break;
        }
    }
    Target.PushItem(std::move(inverse));
    fCaret = ClampCaret(caret);
    fBlockBegin = ClampCaret(bb);
    fBlockEnd = ClampCaret(be);
}

// Whether the step goes on with the next item of List after Done, the item just replayed;
// First is the item the step began with.
bool TCodeEditModel::ContinueStep(const TCodeEditUndoList& List, const TCodeEditUndoItem& First,
                                  const TCodeEditUndoItem& Done, bool Redoing) const {
    const TCodeEditUndoItem* next = List.PeekItem();
    if (!next) return false;
    // A bracketed step (paste, auto-completion, special) runs to its matching opposite end.
    static constexpr std::pair<TChangeReason, TChangeReason> kBrackets[] = {
        {crAutoCompleteEnd, crAutoCompleteBegin},
        {crPasteEnd, crPasteBegin},
        {crSpecialEnd, crSpecialBegin}};
    for (const auto& [closing, opening] : kBrackets) {
        const TChangeReason from = Redoing ? opening : closing;
        const TChangeReason to = Redoing ? closing : opening;
        if (First.fChangeReason == from) return !(Done.fChangeReason == to && &Done != &First);
    }
    // Items of one block always go together, even when grouping joined two blocks.
    if (next->fChangeNumber == Done.fChangeNumber) return true;
    if (next->fChangeNumber == First.fChangeNumber) return true;
    return (fOptions & eoGroupUndo) && next->fChangeReason == Done.fChangeReason &&
           Done.fChangeReason != crIndent && Done.fChangeReason != crUnindent &&
           Done.fChangeReason != crGroupBreak;
}

namespace {

// Marks the undo list as taking a redo's inverses, which must not clear the redo list, for as
// long as the redo step runs, however it ends.
class TInsideRedo {
public:
    TInsideRedo(TCodeEditUndoList& List, bool Redoing) : fList(Redoing ? &List : nullptr) {
        if (fList) fList->SetInsideRedo(true);
    }
    ~TInsideRedo() {
        if (fList) fList->SetInsideRedo(false);
    }
    TInsideRedo(const TInsideRedo&) = delete;
    TInsideRedo& operator=(const TInsideRedo&) = delete;

private:
    TCodeEditUndoList* fList;
};

}  // namespace

void TCodeEditModel::Undo() {
    if (fReadOnly) return;
    UndoOrRedo(*fUndoList, *fRedoList, false);
}

void TCodeEditModel::Redo() {
    if (fReadOnly) return;
    UndoOrRedo(*fRedoList, *fUndoList, true);
}

// One step of From, replayed, its inverses going to To. An error on the way passes to the
// caller with the paint lock, the replay flag and the redo mark released by their guards.
void TCodeEditModel::UndoOrRedo(TCodeEditUndoList& From, TCodeEditUndoList& To, bool Redoing) {
    TPaintLock lock(*this);
    {
        const QScopedValueRollback<bool> replaying(fReplaying, true);
        const TInsideRedo insideRedo(*fUndoList, Redoing);
        ReplayStep(From, To, Redoing);
    }
    UpdateModified();
    EnsureCursorPosVisible();
    fLastCaretX = DisplayXY().Column;
    StatusChanged(scCaretX | scCaretY | scSelection);
}

void TCodeEditModel::ReplayStep(TCodeEditUndoList& From, TCodeEditUndoList& To, bool Redoing) {
    while (From.LastChangeReason() == crGroupBreak)
        To.PushItem(*From.PopItem());
    if (!From.CanUndo()) return;
    const TCodeEditUndoItem first = *From.PeekItem();
    bool isFirst = true;
    // A bound on the steps: a corrupt list must not spin for ever.
    for (qsizetype guard = From.ItemCount(); guard > 0; --guard) {
        const TCodeEditUndoItem done = *From.PopItem();
        ReplayItem(done, Redoing, To);
        // The first item goes in as the step's own, so that a bracket does not close at once.
        if (!ContinueStep(From, first, isFirst ? first : done, Redoing)) break;
        isFirst = false;
    }
    // A group break left on top of the redo list closed this step: it goes back to the undo list.
    if (Redoing && From.LastChangeReason() == crGroupBreak) To.PushItem(*From.PopItem());
}
