#include <gtest/gtest.h>

#include <QList>

#include "editor/CodeEditUndo.h"

namespace {

void Change(TCodeEditUndoList& list, TChangeReason reason = crInsert) {
    list.AddChange(reason, {1, 1}, {2, 1}, QString(), smNormal);
}

QList<qint32> Numbers(const TCodeEditUndoList& list) {
    QList<qint32> numbers;
    for (qsizetype i = 0; i < list.ItemCount(); ++i)
        numbers.append(list.Items(i).ChangeNumber());
    return numbers;
}

}  // namespace

TEST(UndoList, BlocksShareOneChangeNumber) {
    TCodeEditUndoList list;
    int added = 0;
    list.OnAddedUndo = [&](TCodeEditUndoList*) { ++added; };
    Change(list);
    list.BeginBlock();
    Change(list);
    list.BeginBlock();  // nested: still the same step
    Change(list, crDelete);
    list.EndBlock();
    Change(list);
    list.EndBlock();
    list.EndBlock();  // unmatched: ignored
    Change(list);
    EXPECT_EQ(Numbers(list), QList<qint32>({1, 2, 2, 2, 3}));
    EXPECT_EQ(added, 6);  // five pushes and the closing of the block that holds the newest item

    list.BeginBlock();
    list.EndBlock();  // an empty block uses up its number quietly
    Change(list);
    EXPECT_EQ(list.PeekItem()->ChangeNumber(), 5);
    EXPECT_EQ(added, 7);
}

TEST(UndoList, ChangeNumbersSkipZeroWhenTheyWrap) {
    TCodeEditUndoList list;
    list.SetNextChangeNumber(-1);
    Change(list);
    Change(list);
    list.SetNextChangeNumber(-1);
    list.BeginBlock();
    Change(list);
    list.EndBlock();
    Change(list);
    EXPECT_EQ(Numbers(list), QList<qint32>({-1, 1, -1, 1}));
}

TEST(UndoList, LockedListsRecordNothing) {
    TCodeEditUndoList list;
    list.Lock();
    list.Lock();
    list.Unlock();
    Change(list);
    list.AddGroupBreak();
    list.Unlock();
    list.Unlock();  // unmatched: ignored
    EXPECT_FALSE(list.CanUndo());
    Change(list);
    EXPECT_TRUE(list.CanUndo());
}

TEST(UndoList, GroupBreaksAreNotDoubledAndAreNotReported) {
    TCodeEditUndoList list;
    EXPECT_EQ(list.LastChangeReason(), crNothing);
    EXPECT_EQ(list.PeekItem(), nullptr);
    EXPECT_FALSE(list.PopItem().has_value());
    int added = 0;
    list.OnAddedUndo = [&](TCodeEditUndoList*) { ++added; };
    Change(list);
    list.AddGroupBreak();
    list.AddGroupBreak();
    EXPECT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.LastChangeReason(), crGroupBreak);
    EXPECT_EQ(added, 1);

    list.AddChange(crDelete, {3, 2}, {1, 4}, "gone", smColumn);
    const auto item = list.PopItem();
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->ChangeReason(), crDelete);
    EXPECT_EQ(item->ChangeSelMode(), smColumn);
    EXPECT_EQ(item->ChangeStartPos(), (TBufferCoord{3, 2}));
    EXPECT_EQ(item->ChangeEndPos(), (TBufferCoord{1, 4}));
    EXPECT_EQ(item->ChangeStr(), "gone");
    EXPECT_EQ(list.LastChangeReason(), crGroupBreak);
}

TEST(UndoList, TheLimitDropsTheOldestItems) {
    TCodeEditUndoList list;
    for (int i = 0; i < 1025; ++i)
        Change(list);
    EXPECT_EQ(list.ItemCount(), 1024);
    EXPECT_EQ(list.Items(0).ChangeNumber(), 2);
    EXPECT_TRUE(list.FullUndoImpossible());
    list.SetMaxUndoActions(-5);
    EXPECT_EQ(list.MaxUndoActions(), 0);
    EXPECT_EQ(list.ItemCount(), 0);
    list.SetMaxUndoActions(10);
    list.Clear();
    EXPECT_FALSE(list.FullUndoImpossible());
}

TEST(UndoList, InitialStateFollowsTheRememberedChange) {
    TCodeEditUndoList list;
    EXPECT_TRUE(list.InitialState());  // empty list, nothing remembered yet
    Change(list);
    EXPECT_FALSE(list.InitialState());
    list.SetInitialState(true);
    EXPECT_TRUE(list.InitialState());
    Change(list);
    EXPECT_FALSE(list.InitialState());
    list.SetInitialState(false);  // not the current state: the memory stays
    list.PopItem();
    EXPECT_TRUE(list.InitialState());
    list.SetInitialState(false);  // current: forgotten
    EXPECT_FALSE(list.InitialState());
    list.PopItem();
    EXPECT_FALSE(list.InitialState());
}

TEST(UndoList, The1025thChangeMakesTheLoadedStateUnreachable) {
    TCodeEditUndoList list;
    list.SetInitialState(true);
    for (int i = 0; i < 1025; ++i)
        Change(list);
    while (list.CanUndo())
        list.PopItem();
    // The first change can no longer be undone, so the emptied list is not the loaded text.
    EXPECT_FALSE(list.InitialState());

    // Remembered after the first change: once that change is dropped, the emptied list is
    // exactly that state.
    TCodeEditUndoList saved;
    Change(saved);
    saved.SetInitialState(true);
    for (int i = 0; i < 1024; ++i)
        Change(saved);
    EXPECT_EQ(saved.Items(0).ChangeNumber(), 2);
    while (saved.CanUndo())
        saved.PopItem();
    EXPECT_TRUE(saved.InitialState());
}

// The limit counts steps: a step of thousands of items is one step, a group break none.
TEST(UndoList, TheLimitCountsWholeStepsAndNeverCutsTheOpenBlock) {
    TCodeEditUndoList list;
    list.SetMaxUndoActions(2);
    Change(list);
    list.BeginBlock();
    for (int i = 0; i < 5000; ++i)
        Change(list);
    list.EndBlock();
    list.AddGroupBreak();
    EXPECT_EQ(list.ItemCount(), 5002);
    EXPECT_EQ(list.StepCount(), 2);
    EXPECT_FALSE(list.FullUndoImpossible());
    Change(list);
    EXPECT_EQ(list.Items(0).ChangeNumber(), 2) << "the oldest step went, the big one stays";
    EXPECT_EQ(list.ItemCount(), 5002);
    Change(list);
    EXPECT_EQ(Numbers(list), QList<qint32>({4, 5})) << "the big step goes whole, its break too";
    list.PopItem();
    list.PopItem();
    EXPECT_EQ(list.StepCount(), 0);

    list.SetMaxUndoActions(0);
    list.BeginBlock();
    Change(list);
    Change(list);
    EXPECT_EQ(list.ItemCount(), 2) << "the open block stays whole";
    list.EndBlock();
    Change(list);
    EXPECT_EQ(list.ItemCount(), 0);
}

// The step count is kept as items come and go; it always equals a count from scratch: runs of
// one change number, less the runs that are a lone group break. Only whole steps are dropped.
TEST(UndoList, TheStepCountFollowsEveryPushPopAndDrop) {
    auto recount = [](const TCodeEditUndoList& list) {
        int steps = 0;
        for (qsizetype i = 0; i < list.ItemCount(); ++i) {
            const qint32 n = list.Items(i).ChangeNumber();
            if (i > 0 && list.Items(i - 1).ChangeNumber() == n) continue;
            const bool last = i + 1 == list.ItemCount() || list.Items(i + 1).ChangeNumber() != n;
            if (!(last && list.Items(i).ChangeReason() == crGroupBreak)) ++steps;
        }
        return steps;
    };
    TCodeEditUndoList list;
    list.SetMaxUndoActions(7);
    quint32 seed = 12345;
    auto next = [&seed](quint32 range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int i = 0; i < 20000; ++i) {
        switch (next(7)) {
            case 0:
                list.AddGroupBreak();
                break;
            case 1:
                list.PopItem();
                break;
            case 2:
                if (list.BlockCount() == 0) list.BeginBlock();
                break;
            case 3:
                list.EndBlock();
                break;
            default:
                Change(list);
                if (list.BlockCount() == 0) {
                    ASSERT_LE(list.StepCount(), 7);
                }
        }
        ASSERT_EQ(list.StepCount(), recount(list)) << "after operation " << i;
    }
}
