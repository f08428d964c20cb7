#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "highlighters/HighlighterAttributes.h"
#include "highlighters/HighlighterKeywords.h"
#include "platform/Errors.h"

class TExIniFile;

// The scanner state at the end of a line. The line store keeps it per line under the same
// name and type; a highlighter only hands it out and takes it back. Every language keeps a
// small enumeration in it.
using TCodeEditRange = std::intptr_t;

// Raised when a highlighter is built with two attributes of the same stored name.
MARROWPAD_DECLARE_ERROR(EHighlighterError, EListError)

// Characters 0..255 added to a character class.
using THighlighterCharSet = std::bitset<256>;

struct TCodeEditHighlighterOptions {
    bool AutoDetectEnabled = false;
    qint32 AutoDetectLineLimit = 0;
    bool Visible = true;
};

// Splits one line at a time into tokens, each with a kind and an attribute. The editor keeps
// the range of every line and hands the previous line's range back before scanning the next:
//
//     SetRange(previous) or ResetRange(); SetLine(text, index);
//     while (!GetEol()) { GetTokenPos(), GetTokenKind(), GetTokenAttribute(); Next(); }
//     store GetRange();
//
// Scanners read the line only through Ch(), which gives U+0000 outside the line, and every
// token takes at least one character, so a line of n characters ends after at most n + 1
// calls of Next.
class TCustomHighlighter {
public:
    // Sender is the highlighter; Attribute the attribute that changed, or none when the
    // highlighter itself changed (Enabled, a batch of changes, a language setting).
    using TChangeHook =
        std::function<void(TCustomHighlighter& Sender, THighlighterAttributes* Attribute)>;
    using THookId = quint64;

    // Brackets attribute changes so that subscribers hear of them once, at the end.
    class TUpdateGuard {
    public:
        explicit TUpdateGuard(TCustomHighlighter& Highlighter) : fHighlighter(Highlighter) {
            fHighlighter.BeginUpdate();
        }
        ~TUpdateGuard() { fHighlighter.EndUpdate(); }
        TUpdateGuard(const TUpdateGuard&) = delete;
        TUpdateGuard& operator=(const TUpdateGuard&) = delete;

    private:
        TCustomHighlighter& fHighlighter;
    };

    virtual ~TCustomHighlighter();
    TCustomHighlighter(const TCustomHighlighter&) = delete;
    TCustomHighlighter& operator=(const TCustomHighlighter&) = delete;

    // Identity of the language.
    virtual QString GetLanguageName() const = 0;
    virtual QString GetFriendlyLanguageName() const = 0;
    const QString& DefaultFilter() const noexcept { return fDefaultFilter; }
    void SetDefaultFilter(const QString& Value) { fDefaultFilter = Value; }
    // A short piece of source in the language that shows its constructs; the scan benchmark
    // and the tests that cover every language read it.
    virtual QString GetSampleSource() const { return {}; }
    virtual QString GetKeyWords() const { return {}; }
    bool CaseSensitive() const noexcept { return fCaseSensitive; }

    // Attributes, in the order of their stored names.
    qint32 AttrCount() const noexcept { return qint32(fAttributes.size()); }
    THighlighterAttributes* GetAttribute(qint32 Index) const noexcept;
    THighlighterAttributes* AttributeByName(QStringView Name) const noexcept;
    // 0 comment, 1 identifier, 2 reserved word, 3 string, 4 whitespace, 5 symbol; else none.
    THighlighterAttributes* GetDefaultAttribute(qint32 Index) const noexcept {
        return quint32(Index) < fDefaultAttri.size() ? fDefaultAttri[size_t(Index)] : nullptr;
    }

    // Change notification.
    THookId HookAttrChangeEvent(TChangeHook Hook);
    void UnhookAttrChangeEvent(THookId Id);
    void BeginUpdate() noexcept { ++fUpdateCount; }
    void EndUpdate();
    bool Enabled() const noexcept { return fEnabled; }
    void SetEnabled(bool Value);
    // While loading, attribute changes are not passed on; Loaded() tells the subscribers once.
    void BeginLoading() noexcept { fLoading = true; }
    void Loaded();
    bool IsLoading() const noexcept { return fLoading; }

    const TCodeEditHighlighterOptions& Options() const noexcept { return fOptions; }
    void SetOptions(const TCodeEditHighlighterOptions& Value) { fOptions = Value; }

    // Scanning. SetLine forgets any expanded line; both run the set-line worker and scan the
    // first token.
    void SetLine(const QString& Value, qint32 LineNumber);
    // ExpandedLine holds U+E000 fillers after every character wider than one cell.
    void SetLineExpandedAtWideGlyphs(const QString& Line, const QString& ExpandedLine,
                                     qint32 LineNumber);
    // Languages scan one token and finish with this base step, which keeps the expanded line
    // in step.
    virtual void Next() {
        if (Run <= fTokenPos || Run > fLineLen + 1) [[unlikely]]
            RepairToken();
        if (Run == fOldRun) return;
        fExpandedTokenPos = ExpandedRun;
        if (fExpandedLine) StepExpandedLine();
    }
    // True once the token at the line end has been consumed.
    bool GetEol() const noexcept { return Run > fLineLen; }
    void NextToEol() {
        while (!GetEol())
            Next();
    }
    virtual TCodeEditRange GetRange() const { return 0; }
    virtual void SetRange(TCodeEditRange) {}
    virtual void ResetRange() {}
    virtual qint32 GetTokenKind() const = 0;
    virtual THighlighterAttributes* GetTokenAttribute() const = 0;
    // The name of a token kind of this language ("tkComment"), or nullptr.
    virtual const char* GetTokenKindName(qint32 Kind) const = 0;
    qint32 GetTokenPos() const noexcept { return fTokenPos; }
    qint32 GetTokenLen() const noexcept { return TokenEnd() - fTokenPos; }
    // The token as typed (not lower-cased).
    QString GetToken() const;
    QStringView GetTokenView() const noexcept;
    qint32 GetExpandedTokenPos() const noexcept;
    QString GetExpandedToken() const;
    qint32 PosToExpandedPos(qint32 Pos) const noexcept;
    qint32 GetLineNumber() const noexcept { return fLineNumber; }
    // Whether the word is in the language's keyword table (lower-cased first when the
    // language ignores case).
    virtual bool IsKeyword(QStringView AKeyword) const;
    // Tokens a scanner ended without taking a character or past the line end. Always 0
    // unless a scanner is faulty; the base step repairs such tokens so the loop still ends.
    quint64 StalledTokens() const noexcept { return fStalledTokens; }

    // Character classes; the editor's word-wise movement defers to them.
    virtual bool IsIdentChar(QChar AChar) const;
    virtual bool IsWordBreakChar(QChar AChar) const;
    virtual bool IsWhiteChar(QChar AChar) const;
    const THighlighterCharSet& AdditionalIdentChars() const noexcept {
        return FAdditionalIdentChars;
    }
    void SetAdditionalIdentChars(const THighlighterCharSet& Value);
    const THighlighterCharSet& AdditionalWordBreakChars() const noexcept {
        return FAdditionalWordBreakChars;
    }
    void SetAdditionalWordBreakChars(const THighlighterCharSet& Value);

    // ASCII classes the scanners share.
    static bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }
    static bool IsHexDigit(char16_t c) noexcept {
        return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    }
    static bool IsLetterOrUnderscore(char16_t c) noexcept {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    }

    // One ini section per attribute. Loading reports success only when every attribute's
    // section was there; subscribers hear of the loaded values once.
    bool LoadFromIniFile(const TExIniFile& Ini);
    void SaveToIniFile(TExIniFile& Ini) const;

protected:
    // A word lower-cased one UTF-16 unit for one, as a case-insensitive line is scanned, so a
    // keyword list and the line always agree.
    static QString LowerCasePerUnit(QStringView Word);
    explicit TCustomHighlighter(bool ACaseSensitive);

    // Creates an attribute owned by the highlighter; a second one of the same stored name
    // (compared without case, as ini sections are) raises EHighlighterError.
    THighlighterAttributes* AddAttribute(const QString& Name, const QString& FriendlyName);
    // The attributes several languages have, under the same stored and shown names.
    enum class TCommonAttribute {
        Assembler,
        Character,
        Comment,
        DataType,
        Documentation,
        Float,
        Hexadecimal,
        Identifier,
        IllegalChar,
        Number,
        Octal,
        Preprocessor,
        ReservedWord,
        Space,
        String,
        Symbol,
    };
    THighlighterAttributes* AddAttribute(TCommonAttribute Which);
    // The last step of a language's constructor: attributes report their changes to the
    // highlighter, and their present values become their defaults.
    void EndConstruction();
    // Passes a change on to the subscribers, or notes it while updates are suspended.
    void DefHighlightChange(THighlighterAttributes* Sender);

    // The set-line worker: keeps the line, lower-cased for a case-insensitive language.
    // Languages that keep per-line state of their own reset it here.
    virtual void DoSetLine(const QString& Value, qint32 LineNumber);

    // The one way scanners read the line: outside it they see U+0000.
    char16_t Ch(qint32 Index) const noexcept {
        return quint32(Index) < quint32(fLineLen) ? fLine[Index].unicode() : char16_t(0);
    }
    bool IsLineEnd(qint32 Index) const noexcept {
        if (Index >= fLineLen) return true;
        const char16_t c = Ch(Index);
        return c == u'\n' || c == u'\r';
    }
    // The identifier class of IsIdentChar, for languages that keep the base classes.
    bool IsIdentCharFast(char16_t c) const noexcept {
        return c < 256 && (fCharFlags[c] & kIdentFlag) != 0;
    }
    // Takes the identifier at Run (fToIdent, fStringLen; Run stays) and looks it up: the
    // keyword's index in Keywords, or -1. IsIdent says which characters make an identifier.
    template <class TIsIdent>
    qint32 KeywordAtRun(const THashedKeywords& Keywords, TIsIdent IsIdent) noexcept {
        quint32 hash = 0;
        qint32 i = Run;
        // Ch() reads U+0000 past the end, which is no identifier character. Past the longest
        // keyword the hash no longer matters: the compare fails on the length.
        const qint32 hashed = Keywords.MaxLength() + 1;
        for (char16_t c = Ch(i); IsIdent(c); c = Ch(++i))
            if (i - Run < hashed) hash = Keywords.Step(hash, c);
        fToIdent = Run;
        fStringLen = i - Run;
        return Keywords.Find(hash, fLine + fToIdent, fStringLen);
    }
    qint32 KeywordAtRun(const THashedKeywords& Keywords) noexcept {
        return KeywordAtRun(Keywords, [this](char16_t c) { return IsIdentCharFast(c); });
    }
    // The table IsKeyword answers from; a language without one answers false.
    void SetKeywordTable(const THashedKeywords* Keywords) noexcept { fKeywordTable = Keywords; }
    qint32 TokenEnd() const noexcept { return Run < fLineLen ? Run : fLineLen; }
    static bool IsLineEndChar(char16_t c) noexcept { return c == 0 || c == u'\n' || c == u'\r'; }
    // Steps over the blanks (control characters count) from Run up to the line end.
    void SkipBlanks() noexcept {
        ++Run;
        while (Ch(Run) <= 0x20 && !IsLineEnd(Run))
            ++Run;
    }
    // Steps over the characters from Run that Accept takes, stopping before a point that
    // another point follows: 1..9 is a range, not a number.
    template <class TAccept>
    void SkipNumberChars(TAccept Accept) noexcept {
        for (char16_t c = Ch(Run); Accept(c); c = Ch(++Run))
            if (c == u'.' && Ch(Run + 1) == u'.') return;
    }
    // Steps over the line end at Run, CR LF as one; false when it was U+0000 rather than a
    // line break.
    bool SkipLineEnd() noexcept {
        const char16_t c = Ch(Run++);
        if (c == u'\r' && Ch(Run) == u'\n') ++Run;
        return c != 0;
    }

    // What GetDefaultAttribute gives for each role; a language fills in those it has.
    std::array<THighlighterAttributes*, 6> fDefaultAttri{};

    // Scan state of the current line.
    const QChar* fLine = nullptr;  // the line the scanners read (lower-cased if need be)
    const QChar* fCasedLine = nullptr;
    qint32 fLineLen = 0;
    qint32 fLineNumber = 0;
    qint32 fStringLen = 0;
    qint32 fToIdent = 0;
    qint32 fTokenPos = 0;
    qint32 Run = 0;
    qint32 ExpandedRun = 0;
    qint32 fOldRun = 0;
    qint32 fExpandedTokenPos = 0;

private:
    static constexpr quint8 kIdentFlag = 1;
    static constexpr quint8 kWordBreakFlag = 2;

    void FireChange(THighlighterAttributes* Attribute);
    void RebuildCharFlags();
    void StepExpandedLine() noexcept;
    void RepairToken() noexcept;

    struct THook {
        THookId Id;
        TChangeHook Hook;
    };

    std::vector<std::unique_ptr<THighlighterAttributes>> fAttributes;  // sorted by name
    std::vector<THook> fAttrChangeHooks;
    const THashedKeywords* fKeywordTable = nullptr;
    THookId fNextHookId = 1;
    quint64 fStalledTokens = 0;
    qint32 fUpdateCount = 0;
    bool fEnabled = true;
    bool fUpdateChange = false;
    bool fLoading = false;
    bool fCaseSensitive;
    THighlighterCharSet FAdditionalWordBreakChars;
    THighlighterCharSet FAdditionalIdentChars;
    quint8 fCharFlags[256] = {};
    TCodeEditHighlighterOptions fOptions;
    QString fDefaultFilter;

    QString fLineStr;
    QString fCasedLineStr;
    QString fExpandedLineStr;
    const QChar* fExpandedLine = nullptr;  // null when there is no expanded line
    qint32 fExpandedLineLen = 0;
};
