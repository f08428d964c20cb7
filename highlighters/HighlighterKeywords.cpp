#include "highlighters/HighlighterKeywords.h"

#include <algorithm>

THashedKeywords::THashedKeywords(const QStringList& Words, quint32 A, quint32 B, quint32 M)
    : fIndex(M > 0 ? M : 1, -1), fA(A), fB(B) {
    fWords.reserve(Words.size());
    for (const QString& word : Words) {
        const qint32 index = qint32(fWords.size());
        fWords.push_back(word);
        fMaxLength = std::max(fMaxLength, qint32(fWords.back().size()));
        qint32& slot = fIndex[SlotOf(fWords.back())];
        if (slot >= 0)
            fCollisions.emplace_back(slot, index);
        else
            slot = index;
    }
    Q_ASSERT_X(fCollisions.empty(), "THashedKeywords", "two keywords share a hash slot");
}

quint32 THashedKeywords::SlotOf(QStringView Word) const noexcept {
    quint32 hash = 0;
    for (QChar c : Word)
        hash = Step(hash, c.unicode());
    return hash % TableSize();
}

qint32 THashedKeywords::IndexOf(QStringView Word) const noexcept {
    const qint32 index = fIndex[SlotOf(Word)];
    return Matches(index, Word.data(), qint32(Word.size())) ? index : -1;
}
