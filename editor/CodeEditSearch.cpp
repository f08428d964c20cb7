#include "editor/CodeEditSearch.h"

#include <QChar>
#include <algorithm>
#include <vector>

#include "editor/CodeEditMessages.h"
#include "platform/Errors.h"

namespace {

// QString hands out ushort; the code here works on char16_t.
inline const char16_t* Units(const QString& S) {
    return reinterpret_cast<const char16_t*>(S.constData());
}

using TFoldTable = std::array<char16_t, 65536>;

// Simple lower-case mapping of every UTF-16 code unit, built once. Mapping unit by unit
// keeps every string's length, so hit positions stay those of the original text.
const TFoldTable& FoldTable() {
    static TFoldTable table;
    static const bool built = [] {
        for (int u = 0; u < 65536; ++u)
            table[u] = QChar(char16_t(u)).toLower().unicode();
        return true;
    }();
    (void)built;
    return table;
}

// For every folded unit, the units that fold to it: the skip table of a case-blind search
// is filled from these instead of walking all 65536 units per pattern.
struct TUnfoldIndex {
    std::array<quint32, 65537> start{};
    std::array<char16_t, 65536> units{};
};

const TUnfoldIndex& UnfoldIndex() {
    static TUnfoldIndex index;
    static const bool built = [] {
        const TFoldTable& fold = FoldTable();
        for (int u = 0; u < 65536; ++u)
            ++index.start[fold[u] + 1];
        for (int f = 0; f < 65536; ++f)
            index.start[f + 1] += index.start[f];
        std::vector<quint32> next(index.start.begin(), index.start.end() - 1);
        for (int u = 0; u < 65536; ++u)
            index.units[next[fold[u]]++] = char16_t(u);
        return true;
    }();
    (void)built;
    return index;
}

QString FoldString(const QString& S) {
    const TFoldTable& fold = FoldTable();
    QString result(S.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    const char16_t* in = Units(S);
    for (qsizetype i = 0; i < S.size(); ++i)
        out[i] = fold[in[i]];
    return result;
}

struct TIdentity {
    char16_t operator()(char16_t C) const { return C; }
};

struct TFolded {
    const TFoldTable& fold;
    char16_t operator()(char16_t C) const { return fold[C]; }
};

}  // namespace

TCodeEditSearch::TCodeEditSearch()
    : Shift(std::make_unique<std::array<qint32, 65536>>()), fFold(&FoldTable()) {}

TCodeEditSearch::~TCodeEditSearch() = default;

bool TCodeEditSearch::IsDelimiter(char16_t C) {
    if (C <= 0x2F) return true;
    if (C >= 0x3A && C <= 0x40) return true;
    if (C >= 0x5B && C <= 0x5E) return true;
    if (C == 0x60) return true;
    if (C >= 0x7B && C <= 0x7E) return true;
    return C == 0xA7 || C == 0xB0 || C == 0xB4;
}

void TCodeEditSearch::DerivePat() {
    Pat = fCaseSensitive ? CasedPat : FoldString(CasedPat);
    fShiftInitialized = false;
}

void TCodeEditSearch::SetPattern(const QString& Value) {
    // Compared with the pattern as given: comparing with the folded one would keep an old
    // spelling ("ABC" after "abc" was set) and search for it once case matters again.
    if (Value != CasedPat || Value.isNull() != CasedPat.isNull()) {
        CasedPat = Value;
        DerivePat();
    }
    fCount = 0;
}

void TCodeEditSearch::SetOptions(TSearchOptions Value) {
    const bool caseSensitive = Value.testFlag(ssoMatchCase);
    fWhole = Value.testFlag(ssoWholeWord);
    if (caseSensitive != fCaseSensitive) {
        fCaseSensitive = caseSensitive;
        DerivePat();
    }
}

void TCodeEditSearch::InitShiftTable() {
    PatLen = Pat.size();
    if (PatLen == 0) throw EMarrowpadError(CodeEditMessages::EmptyPattern());
    PatLenSucc = PatLen + 1;
    auto& shift = *Shift;
    shift.fill(static_cast<qint32>(std::min<qsizetype>(PatLenSucc, 0x7FFFFFFF)));
    const char16_t* pat = Units(Pat);
    if (fCaseSensitive) {
        for (qsizetype j = 0; j < PatLen; ++j)
            shift[pat[j]] = static_cast<qint32>(PatLen - j);
    } else {
        // Indexed by the unit as it stands in the text, so the search loop looks a distance
        // up without folding first: every unit that folds to a pattern unit gets its entry.
        const TUnfoldIndex& unfold = UnfoldIndex();
        for (qsizetype j = 0; j < PatLen; ++j) {
            const char16_t f = pat[j];
            for (quint32 k = unfold.start[f]; k < unfold.start[f + 1]; ++k)
                shift[unfold.units[k]] = static_cast<qint32>(PatLen - j);
        }
    }
    Look_At = 1;
    while (Look_At < PatLen && pat[PatLen - 1] != pat[PatLen - 1 - Look_At])
        ++Look_At;
    fShiftInitialized = true;
}

bool TCodeEditSearch::IsWholeWord(qsizetype First, qsizetype Last) const {
    if (First > 0 && !IsDelimiter(FTextToSearch[First - 1])) return false;
    return Last + 1 >= fTextLen || IsDelimiter(FTextToSearch[Last + 1]);
}

namespace {

// Reads outside the text (the unit after its end) as U+0000.
inline char16_t UnitAt(const char16_t* Text, qsizetype TextLen, qsizetype Index) {
    return Index >= 0 && Index < TextLen ? Text[Index] : u'\0';
}

// The skip search. Run marks the text unit under the pattern's last unit. When that unit
// matches, the whole pattern is compared; otherwise the window jumps by the distance stored
// for the unit just past it.
template <class TFold, class TWhole>
qsizetype SkipSearch(const char16_t* Text, qsizetype TextLen, const char16_t* Pat, qsizetype PatLen,
                     const qint32* Shift, qsizetype LookAt, qsizetype& Run, TFold Fold,
                     TWhole IsWhole) {
    const char16_t last = Pat[PatLen - 1];
    Run += PatLen;
    while (Run < TextLen) {
        if (Fold(Text[Run]) == last) {
            const qsizetype first = Run - PatLen + 1;
            qsizetype j = 0;
            while (j < PatLen - 1 && Fold(Text[first + j]) == Pat[j])
                ++j;
            if (j == PatLen - 1 && IsWhole(first, Run)) return first + 1;
            Run += LookAt;
            if (Run >= TextLen) return 0;
            Run += Shift[Text[Run]] - 1;
        } else {
            Run += Shift[UnitAt(Text, TextLen, Run + 1)];
        }
    }
    return 0;
}

}  // namespace

qsizetype TCodeEditSearch::Search() {
    if (FTextToSearch == nullptr || fTextLen < PatLen || Run >= fTextLen) return 0;
    const qint32* shift = Shift->data();
    const char16_t* pat = Units(Pat);
    qsizetype found = 0;
    auto anyWord = [](qsizetype, qsizetype) { return true; };
    auto wholeWord = [this](qsizetype first, qsizetype last) { return IsWholeWord(first, last); };
    if (fCaseSensitive) {
        found = fWhole ? SkipSearch(FTextToSearch, fTextLen, pat, PatLen, shift, Look_At, Run,
                                    TIdentity(), wholeWord)
                       : SkipSearch(FTextToSearch, fTextLen, pat, PatLen, shift, Look_At, Run,
                                    TIdentity(), anyWord);
    } else {
        const TFolded fold{*fFold};
        found = fWhole ? SkipSearch(FTextToSearch, fTextLen, pat, PatLen, shift, Look_At, Run, fold,
                                    wholeWord)
                       : SkipSearch(FTextToSearch, fTextLen, pat, PatLen, shift, Look_At, Run, fold,
                                    anyWord);
    }
    if (found > 0) ++fCount;
    return found;
}

qsizetype TCodeEditSearch::FindFirst(const QString& NewText) {
    if (!fShiftInitialized) InitShiftTable();
    fTextHolder = NewText;
    FTextToSearch = Units(fTextHolder);
    fTextLen = fTextHolder.size();
    Run = -1;
    return Search();
}

qsizetype TCodeEditSearch::Next() {
    return Search();
}

qsizetype TCodeEditSearch::FindAll(const QString& NewText) {
    fResults.clear();
    if (!fShiftInitialized) InitShiftTable();
    // The text lives for this call only, so it is searched in place and not kept.
    FTextToSearch = Units(NewText);
    fTextLen = NewText.size();
    Run = -1;
    for (qsizetype found = Search(); found > 0; found = Search())
        fResults.push_back(found);
    fTextHolder.clear();
    FTextToSearch = nullptr;
    fTextLen = 0;
    return static_cast<qsizetype>(fResults.size());
}

qsizetype TCodeEditSearch::GetResult(qsizetype Index) const {
    if (Index < 0 || Index >= static_cast<qsizetype>(fResults.size())) return 0;
    return fResults[Index];
}

qsizetype TCodeEditSearch::GetLength(qsizetype) const {
    return PatLen;
}

void TCodeEditSearch::FixResults(qsizetype First, qsizetype Delta) {
    if (Delta == 0) return;
    for (auto it = fResults.rbegin(); it != fResults.rend() && *it > First; ++it)
        *it -= Delta;
}

QString TCodeEditSearch::Replace(const QString&, const QString& aReplacement) {
    return aReplacement;
}
