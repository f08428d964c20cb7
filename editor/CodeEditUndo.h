#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>

#include "editor/CodeEditTypes.h"

enum TChangeReason : quint8 {
    crInsert,
    crDelete,
    crSilentDelete,
    crLineBreak,
    crIndent,
    crUnindent,
    crAutoCompleteBegin,
    crAutoCompleteEnd,
    crPasteBegin,
    crPasteEnd,
    crSpecialBegin,
    crSpecialEnd,
    crCaret,
    crSelection,
    crNothing,
    crGroupBreak,
    crDeleteAll,
    crWhiteSpaceAdd,
};

// One recorded change: enough to replay it either way. Items with the same change number
// form one undo step.
struct TCodeEditUndoItem {
    TChangeReason fChangeReason = crNothing;
    TSelectionMode fChangeSelMode = smNormal;
    TBufferCoord fChangeStartPos;
    TBufferCoord fChangeEndPos;
    qint32 fChangeNumber = 0;  // ahead of the text, so that the record packs into 48 bytes
    QString fChangeStr;        // text removed or replaced; empty for pure insertions

    TChangeReason ChangeReason() const { return fChangeReason; }
    TSelectionMode ChangeSelMode() const { return fChangeSelMode; }
    TBufferCoord ChangeStartPos() const { return fChangeStartPos; }
    TBufferCoord ChangeEndPos() const { return fChangeEndPos; }
    const QString& ChangeStr() const { return fChangeStr; }
    qint32 ChangeNumber() const { return fChangeNumber; }
};

// A list of changes, oldest first, used both as the undo and as the redo list. Items are
// plain values; the grouping rules live in the change numbers handed out here. The limit
// counts steps (runs of items with one change number), not items, so a step of thousands of
// items is kept or dropped as one.
class TCodeEditUndoList {
public:
    using TNotifyEvent = std::function<void(TCodeEditUndoList* Sender)>;

    TCodeEditUndoList() = default;

    void AddChange(TChangeReason AReason, const TBufferCoord& AStart, const TBufferCoord& AEnd,
                   const QString& ChangeText, TSelectionMode SelMode);
    void PushItem(TCodeEditUndoItem Item);
    std::optional<TCodeEditUndoItem> PopItem();
    const TCodeEditUndoItem* PeekItem() const;  // nullptr for an empty list
    void AddGroupBreak();
    void Clear();

    void BeginBlock();
    void EndBlock();
    int BlockCount() const { return fBlockCount; }
    qint32 BlockChangeNumber() const { return fBlockChangeNumber; }
    qint32 NextChangeNumber() const { return fNextChangeNumber; }
    // Restores a saved counter; 0 is not a change number and becomes 1.
    void SetNextChangeNumber(qint32 Value) { fNextChangeNumber = Value == 0 ? 1 : Value; }

    void Lock() { ++fLockCount; }
    void Unlock() {
        if (fLockCount > 0) --fLockCount;
    }
    bool IsLocked() const { return fLockCount > 0; }

    TChangeReason LastChangeReason() const;
    bool CanUndo() const { return !fItems.empty(); }
    qsizetype ItemCount() const { return static_cast<qsizetype>(fItems.size()); }
    // Steps held: runs of items sharing a change number, group breaks alone not counted.
    int StepCount() const { return fRunCount - fLoneBreaks; }
    const TCodeEditUndoItem& Items(qsizetype Index) const { return fItems[Index]; }

    int MaxUndoActions() const { return fMaxUndoActions; }
    void SetMaxUndoActions(int Value);
    bool FullUndoImpossible() const { return fFullUndoImposible; }

    bool InitialState() const;
    void SetInitialState(bool Value);

    bool InsideRedo() const { return fInsideRedo; }
    void SetInsideRedo(bool Value) { fInsideRedo = Value; }

    TNotifyEvent OnAddedUndo;

private:
    static qint32 Advance(qint32 Number);
    void EnsureMaxEntries();
    bool IsLoneBreak(qsizetype Index) const;
    bool SameNumber(qsizetype A, qsizetype B) const;
    void DropOldestItem();
    std::deque<TCodeEditUndoItem> fItems;
    // Steps are counted as they come and go: runs of items with one number, less the runs
    // that are a lone group break. No per-item bookkeeping, as typing makes one run a key.
    int fRunCount = 0;
    int fLoneBreaks = 0;
    int fMaxUndoActions = 1024;
    qint32 fNextChangeNumber = 1;
    qint32 fBlockChangeNumber = 0;
    int fBlockCount = 0;
    int fLockCount = 0;
    bool fFullUndoImposible = false;
    qint32 fInitialChangeNumber = 0;  // 0: the empty list; -1: no longer reachable
    bool fInsideRedo = false;
};
