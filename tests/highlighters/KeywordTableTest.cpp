#include <gtest/gtest.h>

#include <set>

#include "highlighters/HighlighterKeywords.h"
#include "tests/support/QtPrinters.h"

namespace {

qint32 Lookup(const THashedKeywords& table, QStringView word) {
    quint32 hash = 0;
    for (QChar c : word)
        hash = table.Step(hash, c.unicode());
    return table.Find(hash, word.data(), qint32(word.size()));
}

}  // namespace

TEST(KeywordTable, GroupsGiveEachWordItsKind) {
    const THashedKeywords table({{3, "alpha beta"}, {7, "gamma"}}, 61, 145, 641);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Kind(table.IndexOf(u"beta")), 3);
    EXPECT_EQ(table.Kind(table.IndexOf(u"gamma")), 7);
    EXPECT_EQ(table.IndexOf(u"Gamma"), -1);
    EXPECT_EQ(table.MaxLength(), 5);
}

TEST(KeywordTable, AWordListFindsEveryWordThoughSlotsClash) {
    // Twenty words in a table of 41 slots: some land on the same slot, and each must still
    // be found, by the search that looks on to the next slot.
    QStringList words;
    for (int i = 0; i < 20; ++i)
        words << QStringLiteral("w%1").arg(i * 41);
    const THashedKeywords list(words, 5);
    EXPECT_TRUE(list.Collisions().empty());
    std::set<quint32> used;
    for (const QString& word : words)
        used.insert(list.SlotOf(word));
    ASSERT_LT(used.size(), size_t(words.size())) << "no clash: the test proves nothing";
    for (const QString& word : words) {
        const qint32 index = Lookup(list, word);
        ASSERT_GE(index, 0) << word.toStdString();
        EXPECT_EQ(list.Word(index), word);
        EXPECT_EQ(list.Kind(index), 5);
    }
    EXPECT_EQ(Lookup(list, u"w1"), -1);
    EXPECT_EQ(Lookup(list, u""), -1);
    // A word given twice is kept once, with its first kind.
    const THashedKeywords twice({{1, "self print"}, {2, "print"}});
    EXPECT_EQ(twice.Count(), 2);
    EXPECT_EQ(twice.Kind(twice.IndexOf(u"print")), 1);
}

TEST(KeywordTable, TheHashSchemeReportsClashes) {
    // In a table of one slot every two words clash.
#ifdef QT_NO_DEBUG
    const THashedKeywords table(QStringList{"ab", "ba"}, 7, 7, 1);
    ASSERT_EQ(table.Collisions().size(), 1u);
    EXPECT_EQ(table.IndexOf(u"ab"), 0);
    EXPECT_EQ(table.IndexOf(u"ba"), -1) << "the later word of a clash cannot be found";
#else
    GTEST_SKIP() << "a clash asserts in a debug build";
#endif
}
