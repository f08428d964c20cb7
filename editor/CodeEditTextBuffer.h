#pragma once

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "editor/CodeEditTypes.h"
#include "platform/Errors.h"

class QIODevice;

// Index errors of the line store: "Invalid stringlist index %d".
MARROWPAD_DECLARE_ERROR(ECodeEditStringList, EListError)

enum TCodeEditStringFlag : quint8 {
    sfHasTabs = 1u << 0,
    sfHasNoTabs = 1u << 1,
    sfExpandedLengthUnknown = 1u << 2,
};

// One line. The records sit in one array, so the whole text costs one allocation plus one
// shared string per line. fCharIndex is 64-bit so a text beyond 2^31 characters still counts
// correctly; it sits beside fExpandedLength so the record packs into 56 bytes.
struct TCodeEditStringRec {
    QString FString;                   // the text, without a line break
    void* fObject = nullptr;           // the caller's per-line object; never owned
    TCodeEditRange fRange = kNoRange;  // highlighter state at the end of the line
    // The caches below are filled in by const readers.
    mutable qsizetype fCharIndex = 0;     // characters before this line, breaks not counted
    mutable qint32 fExpandedLength = -1;  // display cells; valid unless the flag says unknown
    mutable quint8 fFlags = sfExpandedLengthUnknown;
};

enum TCodeEditFileFormat : quint8 { sffDos, sffUnix, sffMac, sffUnicode };

// Encodings the store reads and writes. teAnsi is the legacy code page (Windows-31J).
enum TTextEncoding : quint8 { teAnsi, teUTF8, teUTF16LE, teUTF16BE };

// Turns a tab-converted line into one character per display cell (wide glyphs get filler
// characters in front). Only the length of the result is used. The store calls it only for
// lines holding a character at or above U+0100: everything below takes one cell.
using TExpandAtWideGlyphsFunc = std::function<QString(const QString&)>;

// The editor's line store: an ordered list of lines with per-line caches (display length,
// character index, highlighter range). Indexes are 0-based.
//
// Every change to the text passes through a few primitives (insert records, delete records,
// put a line, exchange two lines); events, caches and the update bracket hang off them.
class TCodeEditStringList {
public:
    using TNotifyEvent = std::function<void(TCodeEditStringList* Sender)>;
    using TStringListChangeEvent =
        std::function<void(TCodeEditStringList* Sender, qsizetype Index, qsizetype Count)>;
    using TInfoLossEvent = std::function<void(TTextEncoding& Encoding)>;

    TCodeEditStringList();
    TCodeEditStringList(const TCodeEditStringList&) = delete;
    TCodeEditStringList& operator=(const TCodeEditStringList&) = delete;
    ~TCodeEditStringList();

    // --- reading; an index outside the list reads as the empty value
    qsizetype Count() const { return fCount; }
    const QString& Strings(qsizetype Index) const;
    void* Objects(qsizetype Index) const;
    TCodeEditRange Ranges(qsizetype Index) const;
    QString Text() const;
    QString GetSeparatedText(const QString& Separators) const;
    qsizetype LineCharLength(qsizetype Index) const;
    qsizetype LineCharIndex(qsizetype Index) const;

    // --- display cells
    QString GetExpandedString(qsizetype Index) const;
    qsizetype GetExpandedStringLength(qsizetype Index) const;
    QString ExpandedStrings(qsizetype Index) const { return GetExpandedString(Index); }
    qsizetype ExpandedStringLengths(qsizetype Index) const {
        return GetExpandedStringLength(Index);
    }
    qsizetype LengthOfLongestLine() const;
    qsizetype IndexOfLongestLine() const;  // -1 for an empty list
    int TabWidth() const { return fTabWidth; }
    void SetTabWidth(int Value);
    void FontChanged();
    void SetExpandAtWideGlyphsFunc(TExpandAtWideGlyphsFunc Func);

    // --- changing
    qsizetype Add(const QString& S);
    void Insert(qsizetype Index, const QString& S);
    void InsertLines(qsizetype Index, qsizetype NumLines);
    void InsertStrings(qsizetype Index, const QStringList& Strings);
    void InsertText(qsizetype Index, const QString& Text);
    void AddStrings(const QStringList& Strings);
    void AddStrings(const TCodeEditStringList& Strings);
    void Delete(qsizetype Index);
    void DeleteLines(qsizetype Index, qsizetype NumLines);
    void Exchange(qsizetype Index1, qsizetype Index2);
    void Clear();
    void Put(qsizetype Index, const QString& S);  // Strings[Index] := S
    void PutObject(qsizetype Index, void* AObject);
    void PutRange(qsizetype Index, TCodeEditRange ARange);  // no event, no bracket
    void SetText(const QString& Value);
    void SetTextAndFileFormat(const QString& Value);

    qsizetype Capacity() const { return static_cast<qsizetype>(fList.size()); }
    void SetCapacity(qsizetype NewCapacity);

    // --- update bracket: counted; the outermost pair fires OnChanging and OnChange
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return fUpdateCount; }

    // Holds the bracket open for its scope. When an exception leaves the scope the bracket
    // is closed without OnChange, which could throw in its turn.
    class TUpdateGuard {
    public:
        explicit TUpdateGuard(TCodeEditStringList& List)
            : fList(List), fExceptions(std::uncaught_exceptions()) {
            fList.BeginUpdate();
        }
        ~TUpdateGuard() noexcept(false) {
            if (std::uncaught_exceptions() > fExceptions)
                fList.AbortUpdate();
            else
                fList.EndUpdate();
        }
        TUpdateGuard(const TUpdateGuard&) = delete;
        TUpdateGuard& operator=(const TUpdateGuard&) = delete;

    private:
        TCodeEditStringList& fList;
        int fExceptions;
    };

    // --- streams
    void LoadFromStream(QIODevice& Stream, std::optional<TTextEncoding> Encoding = std::nullopt);
    void SaveToStream(QIODevice& Stream, std::optional<TTextEncoding> Encoding = std::nullopt);
    TCodeEditFileFormat FileFormat() const { return fFileFormat; }
    void SetFileFormat(TCodeEditFileFormat Value) { fFileFormat = Value; }
    TTextEncoding Encoding() const { return fEncoding; }
    void SetEncoding(TTextEncoding Value) { fEncoding = Value; }
    TTextEncoding DefaultEncoding() const { return fDefaultEncoding; }
    void SetDefaultEncoding(TTextEncoding Value) { fDefaultEncoding = Value; }
    bool WriteBOM() const { return fWriteBOM; }
    void SetWriteBOM(bool Value) { fWriteBOM = Value; }
    bool DetectUTF8() const { return fDetectUTF8; }
    void SetDetectUTF8(bool Value) { fDetectUTF8 = Value; }
    int UTF8CheckLen() const { return fUTF8CheckLen; }  // <= 0: the first 16384 bytes
    void SetUTF8CheckLen(int Value) { fUTF8CheckLen = Value; }

    static QString LineBreak() { return QStringLiteral("\r\n"); }
    static QString LineBreakOf(TCodeEditFileFormat Format);

    // Events. Handlers may change the list again; they run after the list is consistent.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnCleared;
    TStringListChangeEvent OnDeleted;
    TStringListChangeEvent OnInserted;
    TStringListChangeEvent OnPutted;
    TInfoLossEvent OnInfoLoss;

private:
    template <class F>
    void Bracket(F&& Body);
    void AbortUpdate();

    [[noreturn]] static void ListIndexOutOfBounds(qsizetype Index);

    qsizetype Physical(qsizetype Index) const {
        return Index < fGapStart ? Index : Index + fGapLength;
    }
    TCodeEditStringRec& Rec(qsizetype Index) { return fList[Physical(Index)]; }
    const TCodeEditStringRec& Rec(qsizetype Index) const { return fList[Physical(Index)]; }

    // The primitives. Neither checks indexes nor fires events.
    void MoveGapTo(qsizetype Index);
    void Reallocate(qsizetype NewCapacity, qsizetype GapAt);
    void Grow();
    TCodeEditStringRec& InsertRecord(qsizetype Index);
    void OpenRecords(qsizetype Index, qsizetype NumLines);
    void RemoveRecords(qsizetype Index, qsizetype NumLines);
    void ClearRecords();
    void ResetForRefill(qsizetype NewCapacity);

    void LinesInserted(qsizetype Index, qsizetype NumLines);
    void LinesDeleted(qsizetype Index, qsizetype NumLines);
    void LineChanged(qsizetype Index);
    void InvalidateAllLengths();

    qsizetype ExpandLine(const TCodeEditStringRec& R, QString* Expanded) const;
    void ComputeLongestLine() const;

    std::vector<TCodeEditStringRec> fList;  // records with a gap of empty slots
    qsizetype fCount = 0;
    qsizetype fGapStart = 0;  // the gap is moved only when an edit lands outside it
    qsizetype fGapLength = 0;

    TCodeEditFileFormat fFileFormat = sffDos;
    TTextEncoding fEncoding = teAnsi;
    TTextEncoding fDefaultEncoding = teAnsi;
    bool fWriteBOM = false;
    bool fDetectUTF8 = true;
    int fUTF8CheckLen = -1;
    int fTabWidth = 8;
    TExpandAtWideGlyphsFunc fExpandAtWideGlyphsFunc;
    int fUpdateCount = 0;

    // Longest line: a cached answer plus the range of lines changed since, so an edit costs
    // a look at the changed lines instead of a walk over the whole text.
    mutable qsizetype fIndexOfLongestLine = -1;
    mutable qsizetype fLongestLength = 0;
    mutable qsizetype fLongestDirtyFrom = 0;
    mutable qsizetype fLongestDirtyTo = 0;  // exclusive; empty when From >= To

    // Character indexes are valid for the first fCharIndexValidCount lines and extended on
    // demand, so an edit near the end of a long text does not recount from the top.
    mutable qsizetype fCharIndexValidCount = 0;
};
