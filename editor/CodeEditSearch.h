#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <memory>
#include <vector>

#include "editor/CodeEditTypes.h"

// What the editor needs from a search engine: every occurrence of a pattern in one line.
class TCodeEditSearchCustom {
public:
    virtual ~TCodeEditSearchCustom() = default;

    virtual QString GetPattern() const = 0;
    virtual void SetPattern(const QString& Value) = 0;
    virtual qsizetype GetLength(qsizetype Index) const = 0;
    virtual qsizetype GetResult(qsizetype Index) const = 0;  // 1-based position, 0 if none
    virtual qsizetype GetResultCount() const = 0;
    virtual void SetOptions(TSearchOptions Value) = 0;
    virtual qsizetype FindAll(const QString& NewText) = 0;
    virtual QString PreprocessReplaceExpression(const QString& AReplace) { return AReplace; }
    virtual QString Replace(const QString& aOccurrence, const QString& aReplacement) = 0;

    QString Pattern() const { return GetPattern(); }
    qsizetype Results(qsizetype Index) const { return GetResult(Index); }
    qsizetype Lengths(qsizetype Index) const { return GetLength(Index); }
    qsizetype ResultCount() const { return GetResultCount(); }
};

// Plain-text search with a skip table over all UTF-16 code units. The table is built once
// per pattern and case mode; each line is then searched in sublinear time. Without
// ssoMatchCase both pattern and text are compared through the per-unit lower-case mapping,
// which never changes lengths, so hit positions are those of the text as given.
class TCodeEditSearch : public TCodeEditSearchCustom {
public:
    TCodeEditSearch();
    ~TCodeEditSearch() override;

    QString GetPattern() const override { return CasedPat; }
    void SetPattern(const QString& Value) override;
    qsizetype GetLength(qsizetype Index) const override;
    qsizetype GetResult(qsizetype Index) const override;
    qsizetype GetResultCount() const override { return static_cast<qsizetype>(fResults.size()); }
    void SetOptions(TSearchOptions Value) override;
    qsizetype FindAll(const QString& NewText) override;
    QString Replace(const QString& aOccurrence, const QString& aReplacement) override;

    qsizetype FindFirst(const QString& NewText);
    qsizetype Next();
    void FixResults(qsizetype First, qsizetype Delta);

    qsizetype Count() const { return fCount; }  // hits since the pattern was set
    bool CaseSensitive() const { return fCaseSensitive; }
    bool Whole() const { return fWhole; }

    // Characters that end a word: controls, blanks, ASCII punctuation and a few Latin-1
    // signs. Letters, digits, '_' and everything above U+007E else are word characters.
    static bool IsDelimiter(char16_t C);

private:
    void InitShiftTable();
    void DerivePat();
    qsizetype Search();
    bool IsWholeWord(qsizetype First, qsizetype Last) const;

    QString Pat;       // the pattern as searched
    QString CasedPat;  // the pattern as given
    qsizetype PatLen = 0;
    qsizetype PatLenSucc = 1;
    std::unique_ptr<std::array<qint32, 65536>> Shift;
    qsizetype Look_At = 1;
    bool fShiftInitialized = false;
    bool fCaseSensitive = false;
    bool fWhole = false;
    qsizetype fCount = 0;

    QString fTextHolder;  // keeps the text of FindFirst alive for Next
    const char16_t* FTextToSearch = nullptr;
    qsizetype fTextLen = 0;
    qsizetype Run = -1;  // index of the text unit under the pattern's last unit
    const std::array<char16_t, 65536>* fFold;
    std::vector<qsizetype> fResults;
};
