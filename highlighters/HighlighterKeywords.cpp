#include "highlighters/HighlighterKeywords.h"

#include <algorithm>

namespace {

// Parameters of a word list: any spread will do, as clashes look on to the next slot.
constexpr quint32 kListHashA = 31;
constexpr quint32 kListHashB = 1;

qsizetype CountWords(std::initializer_list<TKeywordGroup> Groups) {
    qsizetype n = 0;
    for (const TKeywordGroup& group : Groups)
        n += std::count(group.Words, group.Words + qstrlen(group.Words), ' ') + 1;
    return n;
}

}  // namespace

THashedKeywords::THashedKeywords(std::initializer_list<TKeywordGroup> Groups, quint32 A, quint32 B,
                                 quint32 M)
    : fIndex(M > 0 ? M : 1, -1), fA(A), fB(B), fProbing(false) {
    AddGroups(Groups);
}

THashedKeywords::THashedKeywords(const QStringList& Words, quint32 A, quint32 B, quint32 M)
    : fIndex(M > 0 ? M : 1, -1), fA(A), fB(B), fProbing(false) {
    for (const QString& word : Words)
        Add(word, 0);
}

THashedKeywords::THashedKeywords(std::initializer_list<TKeywordGroup> Groups)
    : fA(kListHashA), fB(kListHashB), fProbing(true) {
    Fill(CountWords(Groups));
    AddGroups(Groups);
}

THashedKeywords::THashedKeywords(const QStringList& Words, quint8 Kind)
    : fA(kListHashA), fB(kListHashB), fProbing(true) {
    Fill(Words.size());
    for (const QString& word : Words)
        Add(word, Kind);
}

void THashedKeywords::Fill(qsizetype WordCount) {
    // At most half full, so a search meets an empty slot soon.
    fIndex.assign(size_t(std::max<qsizetype>(8, WordCount * 2 + 1)), -1);
}

void THashedKeywords::AddGroups(std::initializer_list<TKeywordGroup> Groups) {
    for (const TKeywordGroup& group : Groups)
        for (const QString& word : QString::fromLatin1(group.Words).split(u' '))
            Add(word, group.Kind);
}

void THashedKeywords::Add(const QString& Word, quint8 Kind) {
    if (fProbing && IndexOf(Word) >= 0) return;  // a list keeps the first of equal words
    const qint32 index = qint32(fWords.size());
    fWords.push_back(Word);
    fKinds.push_back(Kind);
    fMaxLength = std::max(fMaxLength, qint32(Word.size()));
    quint32 slot = SlotOf(Word);
    if (fProbing) {
        while (fIndex[slot] >= 0)
            slot = slot + 1 == TableSize() ? 0 : slot + 1;
        fIndex[slot] = index;
    } else if (fIndex[slot] >= 0) {
        fCollisions.emplace_back(fIndex[slot], index);
        Q_ASSERT_X(false, "THashedKeywords", "two keywords share a hash slot");
    } else {
        fIndex[slot] = index;
    }
}

quint32 THashedKeywords::SlotOf(QStringView Word) const noexcept {
    quint32 hash = 0;
    for (QChar c : Word)
        hash = Step(hash, c.unicode());
    return hash % TableSize();
}

qint32 THashedKeywords::IndexOf(QStringView Word) const noexcept {
    quint32 hash = 0;
    for (QChar c : Word)
        hash = Step(hash, c.unicode());
    return Find(hash, Word.data(), qint32(Word.size()));
}
