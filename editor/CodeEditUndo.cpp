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
    const qsizetype back = ItemCount() - 1;
    const bool backWasLone = back >= 0 && IsLoneBreak(back);
    const bool newRun = back < 0 || fItems[back].fChangeNumber != Item.fChangeNumber;
    fItems.push_back(std::move(Item));
    if (newRun) {
        ++fRunCount;
        if (IsLoneBreak(back + 1)) ++fLoneBreaks;
    } else if (backWasLone) {
        --fLoneBreaks;
    }
    EnsureMaxEntries();
    if (notify && OnAddedUndo) OnAddedUndo(this);
}

std::optional<TCodeEditUndoItem> TCodeEditUndoList::PopItem() {
    if (fItems.empty()) return std::nullopt;
    const qsizetype back = ItemCount() - 1;
    const bool lone = IsLoneBreak(back);
    const bool runGoes = back == 0 || !SameNumber(back - 1, back);
    TCodeEditUndoItem item = std::move(fItems.back());
    fItems.pop_back();
    if (runGoes) {
        --fRunCount;
        if (lone) --fLoneBreaks;
    } else if (IsLoneBreak(back - 1)) {
        ++fLoneBreaks;
    }
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
    fRunCount = 0;
    fLoneBreaks = 0;
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

bool TCodeEditUndoList::SameNumber(qsizetype A, qsizetype B) const {
    return fItems[A].fChangeNumber == fItems[B].fChangeNumber;
}

// A group break that is a run of its own: it separates steps but is none.
bool TCodeEditUndoList::IsLoneBreak(qsizetype Index) const {
    if (Index < 0 || Index >= ItemCount() || fItems[Index].fChangeReason != crGroupBreak)
        return false;
    return (Index == 0 || !SameNumber(Index - 1, Index)) &&
           (Index + 1 == ItemCount() || !SameNumber(Index, Index + 1));
}

void TCodeEditUndoList::DropOldestItem() {
    const bool lone = IsLoneBreak(0);
    const bool runGoes = ItemCount() == 1 || !SameNumber(0, 1);
    fItems.pop_front();
    if (runGoes) {
        --fRunCount;
        if (lone) --fLoneBreaks;
    } else if (IsLoneBreak(0)) {
        ++fLoneBreaks;
    }
}

// Drops the oldest steps beyond the limit, each as a whole: undoing half a step would leave a
// text that never existed. As the limit counts steps, the newest step is always kept whole,
// however many items it holds, and so is the block still being recorded.
// The remembered unmodified state goes with the dropped items: once the state before them is
// gone, an emptied list stands for the state after the newest dropped item instead.
void TCodeEditUndoList::EnsureMaxEntries() {
    if (StepCount() <= fMaxUndoActions) return;
    bool initialDropped = fInitialChangeNumber == 0;
    bool atInitial = false;  // the state after the dropped items is the unmodified one
    bool dropped = false;
    auto dropRun = [&] {
        const qint32 number = fItems.front().fChangeNumber;
        if (number == fInitialChangeNumber) initialDropped = true;
        // A group break changes no text: the state after it is the state before it.
        atInitial = number == fInitialChangeNumber || (atInitial && IsLoneBreak(0));
        while (!fItems.empty() && fItems.front().fChangeNumber == number)
            DropOldestItem();
        dropped = true;
    };
    while (StepCount() > fMaxUndoActions && !fItems.empty()) {
        if (fBlockChangeNumber != 0 && fItems.front().fChangeNumber == fBlockChangeNumber) break;
        dropRun();
    }
    // A group break left in front separates nothing any more.
    while (dropped && IsLoneBreak(0) && fItems.front().fChangeNumber != fBlockChangeNumber)
        dropRun();
    if (!dropped) return;
    fFullUndoImposible = true;
    if (!initialDropped) return;
    const bool stillHeld = !fItems.empty() && fItems.front().fChangeNumber == fInitialChangeNumber;
    if (stillHeld) return;  // the rest of its block is still there
    fInitialChangeNumber = atInitial ? 0 : -1;
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
