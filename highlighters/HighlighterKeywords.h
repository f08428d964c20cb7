#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <utility>
#include <vector>

// A keyword table for the hash scheme of the scanners: hash h = h * A + code * B over the
// characters of a word (32-bit, wrapping), slot = h mod M. The words are chosen so that no two
// share a slot, which makes a lookup one hash and one compare.
class THashedKeywords {
public:
    THashedKeywords(const QStringList& Words, quint32 A, quint32 B, quint32 M);

    quint32 MultiplierA() const noexcept { return fA; }
    quint32 MultiplierB() const noexcept { return fB; }
    quint32 TableSize() const noexcept { return quint32(fIndex.size()); }
    qint32 Count() const noexcept { return qint32(fWords.size()); }
    // Length of the longest keyword: a longer identifier is never one.
    qint32 MaxLength() const noexcept { return fMaxLength; }
    const QString& Word(qint32 Index) const { return fWords[size_t(Index)]; }
    // The index of the keyword in Slot, or -1. Slot must be below TableSize().
    qint32 IndexAt(quint32 Slot) const noexcept { return fIndex[Slot]; }
    // Continues a hash by one character.
    quint32 Step(quint32 Hash, char16_t Code) const noexcept { return Hash * fA + Code * fB; }
    quint32 SlotOf(QStringView Word) const noexcept;
    // The keyword of Slot equals Text[0..Length), compared exactly.
    bool Matches(qint32 Index, const QChar* Text, qint32 Length) const noexcept {
        if (Index < 0 || Index >= Count()) return false;
        const QString& word = fWords[size_t(Index)];
        if (word.size() != Length) return false;
        const QChar* w = word.constData();
        for (qint32 i = 0; i < Length; ++i)
            if (w[i] != Text[i]) return false;
        return true;
    }
    // The keyword index in the table, or -1 (exact comparison).
    qint32 IndexOf(QStringView Word) const noexcept;
    // Pairs of keywords whose slots clash: the later one of each pair cannot be found.
    const std::vector<std::pair<qint32, qint32>>& Collisions() const noexcept {
        return fCollisions;
    }

private:
    std::vector<QString> fWords;
    std::vector<qint32> fIndex;
    std::vector<std::pair<qint32, qint32>> fCollisions;
    qint32 fMaxLength = 0;
    quint32 fA;
    quint32 fB;
};
