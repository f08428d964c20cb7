#include "editor/CodeEditTextBuffer.h"

#include <QIODevice>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <limits>

#include "editor/CodeEditMessages.h"
#include "platform/CodePage.h"
#include "platform/LineBreaks.h"

namespace {

// QString hands out ushort; the code here works on char16_t.
inline const char16_t* Units(const QString& S) {
    return reinterpret_cast<const char16_t*>(S.constData());
}

constexpr char16_t kCR = u'\r';
constexpr char16_t kLF = u'\n';
constexpr char16_t kLineSeparator = u'\u2028';
constexpr int kMaxTabWidth = 32768;
constexpr qsizetype kDefaultUTF8CheckLen = 16384;

const QString& EmptyString() {
    static const QString empty;
    return empty;
}

struct TLineBreaksSeen {
    bool lineSeparator = false;
    bool cr = false;
    bool lf = false;
};

// Calls Emit(start, length) for each line of a loaded file. A line ends at NUL, LF, CR or
// U+2028; after it one NUL is skipped, then one U+2028, one CR and one LF are taken, in
// that order. A final line break keeps its empty line, so that saving writes it back.
template <class F>
TLineBreaksSeen ScanFormatLines(QStringView Value, F&& Emit) {
    TLineBreaksSeen seen;
    const char16_t* p = Value.utf16();
    const qsizetype n = Value.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        while (i < n) {
            const char16_t c = p[i];
            if (c == 0 || c == kLF || c == kCR || c == kLineSeparator) break;
            ++i;
        }
        Emit(start, i - start);
        if (i < n && p[i] == 0) ++i;
        if (i < n && p[i] == kLineSeparator) {
            seen.lineSeparator = true;
            ++i;
        }
        if (i < n && p[i] == kCR) {
            seen.cr = true;
            ++i;
        }
        if (i < n && p[i] == kLF) {
            seen.lf = true;
            ++i;
        }
    }
    if (n > 0 && (p[n - 1] == kLF || p[n - 1] == kCR || p[n - 1] == kLineSeparator)) Emit(n, 0);
    return seen;
}

// The first byte at or above 0x80 in the window decides: it must start a well-formed UTF-8
// sequence. Continuation bytes may lie past the window, but not past the data.
bool LooksLikeUtf8(QByteArrayView Bytes, qsizetype Window) {
    const qsizetype limit = std::min(Bytes.size(), Window);
    qsizetype i = 0;
    while (i < limit && static_cast<quint8>(Bytes[i]) < 0x80)
        ++i;
    if (i >= limit) return false;  // only ASCII: nothing tells UTF-8 from the code page
    const quint8 lead = static_cast<quint8>(Bytes[i]);
    int trail = 0;
    quint8 lo = 0x80;
    quint8 hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trail = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trail = 2;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trail = 3;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
    } else {
        return false;  // a continuation byte, an overlong lead (C0, C1) or F5..FF
    }
    if (i + trail >= Bytes.size()) return false;
    for (int k = 1; k <= trail; ++k) {
        const quint8 b = static_cast<quint8>(Bytes[i + k]);
        if (b < lo || b > hi) return false;
        lo = 0x80;  // only the second byte has a narrowed range
        hi = 0xBF;
    }
    return true;
}

QByteArray Preamble(TTextEncoding Encoding) {
    switch (Encoding) {
        case teUTF8:
            return QByteArray("\xEF\xBB\xBF", 3);
        case teUTF16LE:
            return QByteArray("\xFF\xFE", 2);
        case teUTF16BE:
            return QByteArray("\xFE\xFF", 2);
        case teAnsi:
            break;
    }
    return {};
}

// The mark, if any, is already cut off: a U+FEFF at the start is text and must stay.
constexpr auto kKeepMarks =
    QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;

QString Decode(QByteArrayView Bytes, TTextEncoding Encoding) {
    switch (Encoding) {
        case teUTF8: {
            QStringDecoder decoder(QStringDecoder::Utf8, kKeepMarks);
            return decoder.decode(Bytes);
        }
        case teUTF16LE: {
            QStringDecoder decoder(QStringDecoder::Utf16LE, kKeepMarks);
            return decoder.decode(Bytes);
        }
        case teUTF16BE: {
            QStringDecoder decoder(QStringDecoder::Utf16BE, kKeepMarks);
            return decoder.decode(Bytes);
        }
        case teAnsi:
            break;
    }
    return DecodeAnsi(Bytes);
}

QByteArray Encode(const QString& Text, TTextEncoding Encoding) {
    switch (Encoding) {
        case teUTF8:
            return Text.toUtf8();
        case teUTF16LE: {
            QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::Stateless);
            return encoder.encode(Text);
        }
        case teUTF16BE: {
            QStringEncoder encoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::Stateless);
            return encoder.encode(Text);
        }
        case teAnsi:
            break;
    }
    return EncodeAnsi(Text);
}

}  // namespace

TCodeEditStringList::TCodeEditStringList() = default;
TCodeEditStringList::~TCodeEditStringList() = default;

void TCodeEditStringList::ListIndexOutOfBounds(qsizetype Index) {
    throw ECodeEditStringList(CodeEditMessages::ListIndexOutOfBounds().arg(Index));
}

// ---------------------------------------------------------------- update bracket

void TCodeEditStringList::BeginUpdate() {
    if (++fUpdateCount == 1 && OnChanging) {
        try {
            OnChanging(this);
        } catch (...) {
            --fUpdateCount;
            throw;
        }
    }
}

void TCodeEditStringList::EndUpdate() {
    if (fUpdateCount <= 0) return;  // an unmatched EndUpdate must not drive the count negative
    if (--fUpdateCount == 0 && OnChange) OnChange(this);
}

// Leaves the bracket while an exception passes through: no OnChange, which could throw again.
void TCodeEditStringList::AbortUpdate() {
    if (fUpdateCount > 0) --fUpdateCount;
}

template <class F>
void TCodeEditStringList::Bracket(F&& Body) {
    BeginUpdate();
    try {
        Body();
    } catch (...) {
        AbortUpdate();
        throw;
    }
    EndUpdate();
}

// ---------------------------------------------------------------- record array with a gap

void TCodeEditStringList::MoveGapTo(qsizetype Index) {
    if (Index == fGapStart) return;
    if (fGapLength == 0) {
        fGapStart = Index;
        return;
    }
    auto base = fList.begin();
    if (Index < fGapStart) {
        std::move_backward(base + Index, base + fGapStart, base + fGapStart + fGapLength);
    } else {
        std::move(base + fGapStart + fGapLength, base + Index + fGapLength, base + fGapStart);
    }
    fGapStart = Index;
}

void TCodeEditStringList::Reallocate(qsizetype NewCapacity, qsizetype GapAt) {
    std::vector<TCodeEditStringRec> list(static_cast<size_t>(NewCapacity));
    for (qsizetype i = 0; i < GapAt; ++i)
        list[i] = std::move(Rec(i));
    const qsizetype tail = fCount - GapAt;
    for (qsizetype i = 0; i < tail; ++i)
        list[NewCapacity - tail + i] = std::move(Rec(GapAt + i));
    fList.swap(list);
    fGapStart = GapAt;
    fGapLength = NewCapacity - fCount;
}

void TCodeEditStringList::Grow() {
    const qsizetype capacity = Capacity();
    SetCapacity(capacity + (capacity <= 64 ? 16 : capacity / 4));
}

void TCodeEditStringList::SetCapacity(qsizetype NewCapacity) {
    if (NewCapacity < fCount) throw EListError(CodeEditMessages::CapacityBelowCount());
    if (NewCapacity == Capacity()) return;
    Reallocate(NewCapacity, fGapStart);
}

TCodeEditStringRec& TCodeEditStringList::InsertRecord(qsizetype Index) {
    if (fGapLength == 0) Grow();
    MoveGapTo(Index);
    // Moving records leaves their plain fields behind in the gap: start from a fresh record.
    TCodeEditStringRec& r = fList[fGapStart];
    r = TCodeEditStringRec();
    ++fGapStart;
    --fGapLength;
    ++fCount;
    return r;
}

void TCodeEditStringList::OpenRecords(qsizetype Index, qsizetype NumLines) {
    MoveGapTo(Index);
    auto first = fList.begin() + fGapStart;
    std::fill(first, first + NumLines, TCodeEditStringRec());
    fGapStart += NumLines;
    fGapLength -= NumLines;
    fCount += NumLines;
}

void TCodeEditStringList::RemoveRecords(qsizetype Index, qsizetype NumLines) {
    MoveGapTo(Index);
    // Emptied at once, so that gap slots never hold on to text.
    auto first = fList.begin() + fGapStart + fGapLength;
    std::fill(first, first + NumLines, TCodeEditStringRec());
    fGapLength += NumLines;
    fCount -= NumLines;
}

// Empties the list before it is filled again with about NewCapacity lines. The array is kept
// when it fits, so that setting a new text does not fault in fresh pages for every line.
void TCodeEditStringList::ResetForRefill(qsizetype NewCapacity) {
    const bool hadLines = fCount > 0;
    std::fill(fList.begin(), fList.end(), TCodeEditStringRec());
    fCount = 0;
    fGapStart = 0;
    fGapLength = Capacity();
    fIndexOfLongestLine = -1;
    fLongestDirtyFrom = fLongestDirtyTo = 0;
    fCharIndexValidCount = 0;
    if (Capacity() < NewCapacity || Capacity() > 2 * NewCapacity + 64) Reallocate(NewCapacity, 0);
    if (hadLines && OnCleared) OnCleared(this);
}

void TCodeEditStringList::ClearRecords() {
    std::vector<TCodeEditStringRec>().swap(fList);
    fCount = 0;
    fGapStart = 0;
    fGapLength = 0;
}

// ---------------------------------------------------------------- cache upkeep

void TCodeEditStringList::LinesInserted(qsizetype Index, qsizetype NumLines) {
    fCharIndexValidCount = std::min(fCharIndexValidCount, Index);
    if (fIndexOfLongestLine >= Index) fIndexOfLongestLine += NumLines;
    if (fLongestDirtyFrom < fLongestDirtyTo) {
        if (fLongestDirtyFrom >= Index) fLongestDirtyFrom += NumLines;
        if (fLongestDirtyTo > Index) fLongestDirtyTo += NumLines;
        fLongestDirtyFrom = std::min(fLongestDirtyFrom, Index);
        fLongestDirtyTo = std::max(fLongestDirtyTo, Index + NumLines);
    } else {
        fLongestDirtyFrom = Index;
        fLongestDirtyTo = Index + NumLines;
    }
}

void TCodeEditStringList::LinesDeleted(qsizetype Index, qsizetype NumLines) {
    fCharIndexValidCount = std::min(fCharIndexValidCount, Index);
    if (fIndexOfLongestLine >= Index + NumLines)
        fIndexOfLongestLine -= NumLines;
    else if (fIndexOfLongestLine >= Index)
        fIndexOfLongestLine = -1;
    auto map = [&](qsizetype p) {
        if (p <= Index) return p;
        return p >= Index + NumLines ? p - NumLines : Index;
    };
    fLongestDirtyFrom = map(fLongestDirtyFrom);
    fLongestDirtyTo = map(fLongestDirtyTo);
}

void TCodeEditStringList::LineChanged(qsizetype Index) {
    fCharIndexValidCount = std::min(fCharIndexValidCount, Index + 1);
    if (fLongestDirtyFrom < fLongestDirtyTo) {
        fLongestDirtyFrom = std::min(fLongestDirtyFrom, Index);
        fLongestDirtyTo = std::max(fLongestDirtyTo, Index + 1);
    } else {
        fLongestDirtyFrom = Index;
        fLongestDirtyTo = Index + 1;
    }
}

void TCodeEditStringList::InvalidateAllLengths() {
    for (TCodeEditStringRec& r : fList) {
        r.fFlags = static_cast<quint8>((r.fFlags & ~sfHasNoTabs) | sfExpandedLengthUnknown);
        r.fExpandedLength = -1;
    }
    fIndexOfLongestLine = -1;
    fLongestDirtyFrom = fLongestDirtyTo = 0;
}

// ---------------------------------------------------------------- reading

const QString& TCodeEditStringList::Strings(qsizetype Index) const {
    if (Index < 0 || Index >= fCount) return EmptyString();
    return Rec(Index).FString;
}

void* TCodeEditStringList::Objects(qsizetype Index) const {
    if (Index < 0 || Index >= fCount) return nullptr;
    return Rec(Index).fObject;
}

TCodeEditRange TCodeEditStringList::Ranges(qsizetype Index) const {
    if (Index < 0 || Index >= fCount) return 0;
    return Rec(Index).fRange;
}

qsizetype TCodeEditStringList::LineCharLength(qsizetype Index) const {
    if (Index < 0 || Index >= fCount) return 0;
    return Rec(Index).FString.size();
}

qsizetype TCodeEditStringList::LineCharIndex(qsizetype Index) const {
    if (Index < 0 || Index >= fCount) return 0;
    if (Index >= fCharIndexValidCount) {
        qsizetype i = fCharIndexValidCount;
        qsizetype sum = 0;
        if (i > 0) {
            const TCodeEditStringRec& prev = Rec(i - 1);
            sum = prev.fCharIndex + prev.FString.size();
        }
        for (; i <= Index; ++i) {
            const TCodeEditStringRec& r = Rec(i);
            r.fCharIndex = sum;
            sum += r.FString.size();
        }
        fCharIndexValidCount = Index + 1;
    }
    return Rec(Index).fCharIndex;
}

QString TCodeEditStringList::Text() const {
    return GetSeparatedText(LineBreak());
}

QString TCodeEditStringList::GetSeparatedText(const QString& Separators) const {
    if (fCount == 0) return {};
    const qsizetype sepLength = Separators.size();
    qsizetype total = sepLength * (fCount - 1);
    for (qsizetype i = 0; i < fCount; ++i)
        total += Rec(i).FString.size();
    QString result(total, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    const char16_t* sep = Units(Separators);
    for (qsizetype i = 0; i < fCount; ++i) {
        if (i > 0) out = std::copy_n(sep, sepLength, out);
        const QString& s = Rec(i).FString;
        out = std::copy_n(Units(s), s.size(), out);
    }
    return result;
}

// ---------------------------------------------------------------- display cells

// Computes the line's display cells and refreshes its cache; with Expanded given, also builds
// the tab-converted text (each tab widened to the next stop with further tab characters, or
// one space at tab width 1).
qsizetype TCodeEditStringList::ExpandLine(const TCodeEditStringRec& R, QString* Expanded) const {
    const QString& s = R.FString;
    if (s.isEmpty()) {
        R.fFlags = sfHasNoTabs;
        R.fExpandedLength = 0;
        if (Expanded) Expanded->clear();
        return 0;
    }
    const int tabWidth = fTabWidth;
    const bool mask = (tabWidth & (tabWidth - 1)) == 0;
    auto tabCells = [&](qsizetype column) -> qsizetype {
        if (tabWidth <= 1) return 1;
        return tabWidth - (mask ? (column & (tabWidth - 1)) : (column % tabWidth));
    };
    const char16_t* p = Units(s);
    const qsizetype n = s.size();
    qsizetype column = 0;
    bool hasTabs = false;
    bool hasWide = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c == u'\t') {
            hasTabs = true;
            column += tabCells(column);
        } else {
            ++column;
            hasWide |= c >= 0x100;
        }
    }
    // A known length stays: only the text is wanted then, and the hook is not cheap.
    const bool needCells = R.fFlags & sfExpandedLengthUnknown;
    const bool askGlyphs = needCells && hasWide && fExpandAtWideGlyphsFunc;
    QString converted;
    if (hasTabs && (Expanded || askGlyphs)) {
        converted = QString(column, Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(converted.data());
        qsizetype col = 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (p[i] != u'\t') {
                out[col++] = p[i];
                continue;
            }
            const qsizetype cells = tabCells(col);
            std::fill_n(out + col, cells, tabWidth <= 1 ? u' ' : u'\t');
            col += cells;
        }
    } else {
        converted = s;
    }
    if (needCells) {
        qsizetype cells = column;
        if (askGlyphs) cells = fExpandAtWideGlyphsFunc(converted).size();
        R.fExpandedLength =
            static_cast<qint32>(std::min<qsizetype>(cells, std::numeric_limits<qint32>::max()));
        R.fFlags = hasTabs ? sfHasTabs : sfHasNoTabs;
    }
    if (Expanded) *Expanded = std::move(converted);
    return R.fExpandedLength;
}

QString TCodeEditStringList::GetExpandedString(qsizetype Index) const {
    if (Index < 0 || Index >= fCount) return {};
    const TCodeEditStringRec& r = Rec(Index);
    if (r.fFlags & sfHasNoTabs) return r.FString;
    QString expanded;
    ExpandLine(r, &expanded);
    return expanded;
}

qsizetype TCodeEditStringList::GetExpandedStringLength(qsizetype Index) const {
    if (Index < 0 || Index >= fCount) return 0;
    const TCodeEditStringRec& r = Rec(Index);
    if (!(r.fFlags & sfExpandedLengthUnknown)) return r.fExpandedLength;
    // The cells, wide glyphs included: the same figure a later call reads from the cache.
    return ExpandLine(r, nullptr);
}

void TCodeEditStringList::ComputeLongestLine() const {
    if (fCount == 0) {
        fIndexOfLongestLine = -1;
        fLongestLength = 0;
        fLongestDirtyFrom = fLongestDirtyTo = 0;
        return;
    }
    const qsizetype from = std::clamp<qsizetype>(fLongestDirtyFrom, 0, fCount);
    const qsizetype to = std::clamp<qsizetype>(fLongestDirtyTo, 0, fCount);
    fLongestDirtyFrom = fLongestDirtyTo = 0;
    qsizetype& best = fIndexOfLongestLine;
    if (best >= from && best < to) {
        // The longest line itself changed: if it shrank, another line may now be longest.
        const qsizetype length = GetExpandedStringLength(best);
        if (length < fLongestLength)
            best = -1;
        else
            fLongestLength = length;
    }
    if (best < 0) {
        fLongestLength = -1;
        for (qsizetype i = 0; i < fCount; ++i) {
            const qsizetype length = GetExpandedStringLength(i);
            if (length > fLongestLength) {
                fLongestLength = length;
                best = i;
            }
        }
        return;
    }
    // Lines outside the changed range are no longer than the cached one, and those of equal
    // length come after it, so only the changed lines can take its place.
    for (qsizetype i = from; i < to; ++i) {
        const qsizetype length = GetExpandedStringLength(i);
        if (length > fLongestLength || (length == fLongestLength && i < best)) {
            fLongestLength = length;
            best = i;
        }
    }
}

qsizetype TCodeEditStringList::IndexOfLongestLine() const {
    if (fIndexOfLongestLine < 0 || fLongestDirtyFrom < fLongestDirtyTo) ComputeLongestLine();
    return fIndexOfLongestLine;
}

qsizetype TCodeEditStringList::LengthOfLongestLine() const {
    const qsizetype index = IndexOfLongestLine();
    return index >= 0 && index < fCount ? fLongestLength : 0;
}

void TCodeEditStringList::SetTabWidth(int Value) {
    Value = std::clamp(Value, 1, kMaxTabWidth);
    if (Value == fTabWidth) return;
    fTabWidth = Value;
    InvalidateAllLengths();
}

// Cell widths of wide glyphs depend on the font.
void TCodeEditStringList::FontChanged() {
    InvalidateAllLengths();
}

void TCodeEditStringList::SetExpandAtWideGlyphsFunc(TExpandAtWideGlyphsFunc Func) {
    fExpandAtWideGlyphsFunc = std::move(Func);
    InvalidateAllLengths();
}

// ---------------------------------------------------------------- changing

qsizetype TCodeEditStringList::Add(const QString& S) {
    const qsizetype index = fCount;
    Insert(index, S);
    return index;
}

void TCodeEditStringList::Insert(qsizetype Index, const QString& S) {
    if (Index < 0 || Index > fCount) ListIndexOutOfBounds(Index);
    // S may be one of our own lines, which growing the array would move away under it.
    QString text = S;
    Bracket([&] {
        InsertRecord(Index).FString = std::move(text);
        LinesInserted(Index, 1);
        if (OnInserted) OnInserted(this, Index, 1);
    });
}

void TCodeEditStringList::InsertLines(qsizetype Index, qsizetype NumLines) {
    if (NumLines <= 0) return;
    if (Index < 0 || Index > fCount) ListIndexOutOfBounds(Index);
    Bracket([&] {
        // Raised to exactly what is needed, but never lowered: shrinking here would copy the
        // whole array again on the next insertion.
        if (Capacity() < fCount + NumLines) SetCapacity(fCount + NumLines);
        OpenRecords(Index, NumLines);
        LinesInserted(Index, NumLines);
        if (OnInserted) OnInserted(this, Index, NumLines);
    });
}

void TCodeEditStringList::InsertStrings(qsizetype Index, const QStringList& Strings) {
    if (Strings.isEmpty()) return;
    if (Index < 0 || Index > fCount) ListIndexOutOfBounds(Index);
    Bracket([&] {
        InsertLines(Index, Strings.size());
        for (qsizetype i = 0; i < Strings.size(); ++i)
            Put(Index + i, Strings[i]);
    });
}

void TCodeEditStringList::InsertText(qsizetype Index, const QString& Text) {
    if (Text.isEmpty()) return;
    InsertStrings(Index, SplitLines(Text, TFinalBreak::EndsText));
}

void TCodeEditStringList::AddStrings(const QStringList& Strings) {
    const qsizetype n = Strings.size();
    if (n == 0) return;
    Bracket([&] {
        const qsizetype first = fCount;
        const qsizetype wanted = (fCount + n + 15) / 16 * 16;
        if (Capacity() < wanted) SetCapacity(wanted);
        for (qsizetype i = 0; i < n; ++i)
            InsertRecord(fCount).FString = Strings[i];
        LinesInserted(first, n);
        if (OnInserted) OnInserted(this, first, n);
    });
}

void TCodeEditStringList::AddStrings(const TCodeEditStringList& Strings) {
    const qsizetype n = Strings.Count();  // taken first: the source may be this list
    if (n == 0) return;
    Bracket([&] {
        const qsizetype first = fCount;
        const qsizetype wanted = (fCount + n + 15) / 16 * 16;
        if (Capacity() < wanted) SetCapacity(wanted);
        for (qsizetype i = 0; i < n; ++i) {
            QString text = Strings.Strings(i);
            void* object = Strings.Objects(i);
            TCodeEditStringRec& r = InsertRecord(fCount);
            r.FString = std::move(text);
            r.fObject = object;
        }
        LinesInserted(first, n);
        if (OnInserted) OnInserted(this, first, n);
    });
}

void TCodeEditStringList::Delete(qsizetype Index) {
    if (Index < 0 || Index >= fCount) ListIndexOutOfBounds(Index);
    Bracket([&] {
        RemoveRecords(Index, 1);
        LinesDeleted(Index, 1);
        if (OnDeleted) OnDeleted(this, Index, 1);
    });
}

void TCodeEditStringList::DeleteLines(qsizetype Index, qsizetype NumLines) {
    if (NumLines <= 0) return;
    if (Index < 0 || Index >= fCount) ListIndexOutOfBounds(Index);
    const qsizetype n = std::min(NumLines, fCount - Index);
    // Bracketed like every other change, so that listeners of OnChange hear of deletions at
    // the end of the text too.
    Bracket([&] {
        RemoveRecords(Index, n);
        LinesDeleted(Index, n);
        if (OnDeleted) OnDeleted(this, Index, n);
    });
}

void TCodeEditStringList::Exchange(qsizetype Index1, qsizetype Index2) {
    if (Index1 < 0 || Index1 >= fCount) ListIndexOutOfBounds(Index1);
    if (Index2 < 0 || Index2 >= fCount) ListIndexOutOfBounds(Index2);
    Bracket([&] {
        if (Index1 == Index2) return;
        std::swap(Rec(Index1), Rec(Index2));
        const qsizetype low = std::min(Index1, Index2);
        const qsizetype high = std::max(Index1, Index2);
        fCharIndexValidCount = std::min(fCharIndexValidCount, low);
        // The longest line moves with its record. Moving it later could put an equally long
        // line first, so that case is worked out again.
        if (fIndexOfLongestLine == low)
            fIndexOfLongestLine = -1;
        else if (fIndexOfLongestLine == high)
            fIndexOfLongestLine = low;
        LineChanged(low);
        LineChanged(high);
    });
}

void TCodeEditStringList::Clear() {
    if (fCount == 0) return;
    Bracket([&] {
        ClearRecords();
        fIndexOfLongestLine = -1;
        fLongestDirtyFrom = fLongestDirtyTo = 0;
        fCharIndexValidCount = 0;
        if (OnCleared) OnCleared(this);
    });
}

void TCodeEditStringList::Put(qsizetype Index, const QString& S) {
    if (Index == fCount) {
        Add(S);
        return;
    }
    if (Index < 0 || Index > fCount) ListIndexOutOfBounds(Index);
    Bracket([&] {
        TCodeEditStringRec& r = Rec(Index);
        r.FString = S;
        r.fFlags = sfExpandedLengthUnknown;
        LineChanged(Index);
        if (OnPutted) OnPutted(this, Index, 1);
    });
}

void TCodeEditStringList::PutObject(qsizetype Index, void* AObject) {
    if (Index < 0 || Index >= fCount) ListIndexOutOfBounds(Index);
    Rec(Index).fObject = AObject;
}

void TCodeEditStringList::PutRange(qsizetype Index, TCodeEditRange ARange) {
    if (Index < 0 || Index >= fCount) ListIndexOutOfBounds(Index);
    Rec(Index).fRange = ARange;
}

void TCodeEditStringList::SetText(const QString& AValue) {
    const QString Value = AValue;  // may be one of our own lines, emptied below
    Bracket([&] {
        qsizetype lines = 0;
        ForEachLine(Value, TFinalBreak::EndsText, [&](qsizetype, qsizetype) { ++lines; });
        // Room for the edits that follow, so that the first Enter does not copy the array.
        ResetForRefill(lines + lines / 16);
        ForEachLine(Value, TFinalBreak::EndsText, [&](qsizetype start, qsizetype length) {
            Add(start == 0 && length == Value.size() ? Value : Value.mid(start, length));
        });
    });
}

void TCodeEditStringList::SetTextAndFileFormat(const QString& AValue) {
    const QString Value = AValue;  // may be one of our own lines, emptied below
    Bracket([&] {
        qsizetype lines = 0;
        ScanFormatLines(Value, [&](qsizetype, qsizetype) { ++lines; });
        ResetForRefill(lines);
        const TLineBreaksSeen seen = ScanFormatLines(Value, [&](qsizetype start, qsizetype length) {
            InsertRecord(fCount).FString = Value.mid(start, length);
        });
        if (seen.lineSeparator)
            fFileFormat = sffUnicode;
        else if (seen.cr && !seen.lf)
            fFileFormat = sffMac;
        else if (seen.lf && !seen.cr)
            fFileFormat = sffUnix;
        else
            fFileFormat = sffDos;
        if (fCount > 0) {
            LinesInserted(0, fCount);
            if (OnInserted) OnInserted(this, 0, fCount);
        }
    });
}

// ---------------------------------------------------------------- streams

QString TCodeEditStringList::LineBreakOf(TCodeEditFileFormat Format) {
    switch (Format) {
        case sffUnix:
            return QStringLiteral("\n");
        case sffMac:
            return QStringLiteral("\r");
        case sffUnicode:
            return QString(QChar(kLineSeparator));
        case sffDos:
            break;
    }
    return LineBreak();
}

void TCodeEditStringList::LoadFromStream(QIODevice& Stream, std::optional<TTextEncoding> Encoding) {
    if (!Stream.isReadable()) throw EReadError(CodeEditMessages::ReadError());
    const QByteArray bytes = Stream.readAll();
    TTextEncoding encoding = fDefaultEncoding;
    qsizetype bomLength = 0;
    if (Encoding) {
        encoding = *Encoding;
        const QByteArray preamble = Preamble(encoding);
        if (!preamble.isEmpty() && bytes.startsWith(preamble)) bomLength = preamble.size();
    } else {
        for (TTextEncoding candidate : {teUTF8, teUTF16LE, teUTF16BE}) {
            const QByteArray preamble = Preamble(candidate);
            if (bytes.startsWith(preamble)) {
                encoding = candidate;
                bomLength = preamble.size();
                break;
            }
        }
    }
    fWriteBOM = bomLength > 0;
    const QByteArrayView body = QByteArrayView(bytes).sliced(bomLength);
    if (encoding == teAnsi && fDetectUTF8) {
        const qsizetype window = fUTF8CheckLen > 0 ? fUTF8CheckLen : kDefaultUTF8CheckLen;
        if (LooksLikeUtf8(body, window)) encoding = teUTF8;
    }
    fEncoding = encoding;
    SetTextAndFileFormat(Decode(body, encoding));
}

void TCodeEditStringList::SaveToStream(QIODevice& Stream, std::optional<TTextEncoding> Encoding) {
    if (!Stream.isWritable()) throw EWriteError(CodeEditMessages::WriteError());
    TTextEncoding encoding = Encoding.value_or(fEncoding);
    const QString text = GetSeparatedText(LineBreakOf(fFileFormat));
    QByteArray bytes = Encode(text, encoding);
    if (encoding == teAnsi && OnInfoLoss && DecodeAnsi(bytes) != text) {
        OnInfoLoss(encoding);
        fEncoding = encoding;
        if (encoding != teAnsi) bytes = Encode(text, encoding);
    }
    if (fWriteBOM) bytes.prepend(Preamble(encoding));
    if (Stream.write(bytes) != bytes.size()) throw EWriteError(CodeEditMessages::WriteError());
}
