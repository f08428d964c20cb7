#include "editor/CodeEditUndo.h"

// Change numbers run through every 32-bit value but 0, which means "none".
qint32 TCodeEditUndoList::Advance(qint32 Number) {
    const qint32 next = static_cast<qint32>(static_cast<quint32>(Number) + 1u);
    return next == 0 ? 1 : next;
}

void TCodeEditUndoList::AddChange(TChangeReason AReason, const TBufferCoord& AStart,
                                  const TBufferCoord& AEnd, const QString& ChangeText,
                                  TSelectionMode SelMode) {
    if (fLockCount > 0) return;
    TCodeEditUndoItem item;
    item.fChangeReason = AReason;
    item.fChangeSelMode = SelMode;
    item.fChangeStartPos = AStart;
    item.fChangeEndPos = AEnd;
    item.fChangeStr = ChangeText;
    if (fBlockChangeNumber != 0) {
        item.fChangeNumber = fBlockChangeNumber;
    } else {
        item.fChangeNumber = fNextChangeNumber;
        if (fBlockCount == 0) fNextChangeNumber = Advance(fNextChangeNumber);
    }
    PushItem(std::move(item));
}

void TCodeEditUndoList::PushItem(TCodeEditUndoItem Item) {
    const bool notify = Item.fChangeReason != crGroupBreak;
    fItems.push_back(std::move(Item));
    EnsureMaxEntries();
    if (notify && OnAddedUndo) OnAddedUndo(this);
}

std::optional<TCodeEditUndoItem> TCodeEditUndoList::PopItem() {
    if (fItems.empty()) return std::nullopt;
    TCodeEditUndoItem item = std::move(fItems.back());
    fItems.pop_back();
    return item;
}

const TCodeEditUndoItem* TCodeEditUndoList::PeekItem() const {
    return fItems.empty() ? nullptr : &fItems.back();
}

void TCodeEditUndoList::AddGroupBreak() {
    if (LastChangeReason() == crGroupBreak) return;
    AddChange(crGroupBreak, {}, {}, {}, smNormal);
}

void TCodeEditUndoList::Clear() {
    fItems.clear();
    fFullUndoImposible = false;
}

void TCodeEditUndoList::BeginBlock() {
    ++fBlockCount;
    fBlockChangeNumber = fNextChangeNumber;
}

void TCodeEditUndoList::EndBlock() {
    if (fBlockCount <= 0) return;
    if (--fBlockCount > 0) return;
    const qint32 closed = fBlockChangeNumber;
    fBlockChangeNumber = 0;
    fNextChangeNumber = Advance(fNextChangeNumber);
    if (!fItems.empty() && fItems.back().fChangeNumber == closed && OnAddedUndo) OnAddedUndo(this);
}

TChangeReason TCodeEditUndoList::LastChangeReason() const {
    return fItems.empty() ? crNothing : fItems.back().fChangeReason;
}

void TCodeEditUndoList::SetMaxUndoActions(int Value) {
    fMaxUndoActions = Value < 0 ? 0 : Value;
    EnsureMaxEntries();
}

// Drops the oldest items beyond the limit, whole steps at a time: undoing half a step would
// leave a text that never existed. The block still being recorded is never cut into, so a
// step larger than the limit stays whole until a later change pushes it out. The same holds
// for the newest step, which undo and redo push back item by item.
// The remembered unmodified state goes with the dropped items: once the state before them is
// gone, an emptied list stands for the state after the newest dropped item instead.
void TCodeEditUndoList::EnsureMaxEntries() {
    if (static_cast<qsizetype>(fItems.size()) <= fMaxUndoActions) return;
    bool initialDropped = fInitialChangeNumber == 0;
    qint32 lastDropped = 0;
    bool dropped = false;
    auto dropFront = [&] {
        lastDropped = fItems.front().fChangeNumber;
        if (lastDropped == fInitialChangeNumber) initialDropped = true;
        fItems.pop_front();
        dropped = true;
    };
    while (static_cast<qsizetype>(fItems.size()) > fMaxUndoActions) {
        const qint32 front = fItems.front().fChangeNumber;
        if (fBlockChangeNumber != 0 && front == fBlockChangeNumber) break;
        if (fMaxUndoActions > 0 && front == fItems.back().fChangeNumber) break;  // the newest
        dropFront();
    }
    while (dropped && !fItems.empty() && fItems.front().fChangeNumber == lastDropped)
        dropFront();
    if (!dropped) return;
    fFullUndoImposible = true;
    if (!initialDropped) return;
    const bool stillHeld = !fItems.empty() && fItems.front().fChangeNumber == fInitialChangeNumber;
    if (stillHeld) return;  // the rest of its block is still there
    fInitialChangeNumber = (lastDropped == fInitialChangeNumber) ? 0 : -1;
}

bool TCodeEditUndoList::InitialState() const {
    if (fItems.empty()) return fInitialChangeNumber == 0;
    return fItems.back().fChangeNumber == fInitialChangeNumber;
}

void TCodeEditUndoList::SetInitialState(bool Value) {
    if (Value) {
        fInitialChangeNumber = fItems.empty() ? 0 : fItems.back().fChangeNumber;
    } else if (InitialState()) {
        fInitialChangeNumber = -1;
    }
}
