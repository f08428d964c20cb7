#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <initializer_list>
#include <utility>
#include <vector>

// Words of one keyword group, separated by single spaces, and what they scan as. Kind is the
// language's own number (a token kind, or a word class it acts on).
struct TKeywordGroup {
    quint8 Kind;
    const char* Words;
};

// The keyword table every scanner looks words up in: hash h = h * A + code * B over the
// characters of a word (32-bit, wrapping), slot = h mod M. A lookup is one hash and, with a
// language's own parameters, one compare: its words are chosen so that no two share a slot.
// A word list without parameters of its own gets a table of twice its size and looks on to
// the next slot on a clash, which still costs no allocation.
class THashedKeywords {
public:
    // The hash scheme with a language's parameters.
    THashedKeywords(std::initializer_list<TKeywordGroup> Groups, quint32 A, quint32 B, quint32 M);
    THashedKeywords(const QStringList& Words, quint32 A, quint32 B, quint32 M);
    // A word list; words may share a slot. Kind is given to words of a QStringList.
    explicit THashedKeywords(std::initializer_list<TKeywordGroup> Groups);
    explicit THashedKeywords(const QStringList& Words, quint8 Kind = 0);

    quint32 MultiplierA() const noexcept { return fA; }
    quint32 MultiplierB() const noexcept { return fB; }
    quint32 TableSize() const noexcept { return quint32(fIndex.size()); }
    qint32 Count() const noexcept { return qint32(fWords.size()); }
    // Length of the longest keyword: a longer identifier is never one.
    qint32 MaxLength() const noexcept { return fMaxLength; }
    const QString& Word(qint32 Index) const { return fWords[size_t(Index)]; }
    // The group kind of keyword Index.
    quint8 Kind(qint32 Index) const noexcept { return fKinds[size_t(Index)]; }
    // The index of the keyword in Slot, or -1. Slot must be below TableSize().
    qint32 IndexAt(quint32 Slot) const noexcept { return fIndex[Slot]; }
    // Continues a hash by one character.
    quint32 Step(quint32 Hash, char16_t Code) const noexcept { return Hash * fA + Code * fB; }
    quint32 SlotOf(QStringView Word) const noexcept;
    // The keyword Index equals Text[0..Length), compared exactly.
    bool Matches(qint32 Index, const QChar* Text, qint32 Length) const noexcept {
        if (Index < 0 || Index >= Count()) return false;
        const QString& word = fWords[size_t(Index)];
        if (word.size() != Length) return false;
        const QChar* w = word.constData();
        for (qint32 i = 0; i < Length; ++i)
            if (w[i] != Text[i]) return false;
        return true;
    }
    // The index of the keyword Text[0..Length) whose hash is Hash, or -1.
    qint32 Find(quint32 Hash, const QChar* Text, qint32 Length) const noexcept {
        quint32 slot = Hash % TableSize();
        if (!fProbing) return Matches(fIndex[slot], Text, Length) ? fIndex[slot] : -1;
        // The table is never full, so an empty slot ends the search.
        for (qint32 index = fIndex[slot]; index >= 0; index = fIndex[slot]) {
            if (Matches(index, Text, Length)) return index;
            slot = slot + 1 == TableSize() ? 0 : slot + 1;
        }
        return -1;
    }
    // The keyword index in the table, or -1 (exact comparison).
    qint32 IndexOf(QStringView Word) const noexcept;
    // Pairs of keywords whose slots clash: under a language's own parameters the later one
    // of each pair cannot be found. A word list records none.
    const std::vector<std::pair<qint32, qint32>>& Collisions() const noexcept {
        return fCollisions;
    }

private:
    void Add(const QString& Word, quint8 Kind);
    void AddGroups(std::initializer_list<TKeywordGroup> Groups);
    void Fill(qsizetype WordCount);

    std::vector<QString> fWords;
    std::vector<quint8> fKinds;
    std::vector<qint32> fIndex;
    std::vector<std::pair<qint32, qint32>> fCollisions;
    qint32 fMaxLength = 0;
    quint32 fA;
    quint32 fB;
    bool fProbing;
};
