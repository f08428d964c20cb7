#pragma once

#include "highlighters/CodeEditHighlighter.h"

// JavaScript source: case-sensitive; three word lists (reserved words, event handler names,
// built-in objects and members); names that start with an underscore; block comments and
// template literals, with their ${ } expressions, carry across lines.
class TJScriptHighlighter : public TCustomHighlighter {
public:
    enum TtkTokenKind : quint8 {
        tkSymbol,
        tkKey,
        tkComment,
        tkIdentifier,
        tkNull,
        tkNumber,
        tkSpace,
        tkString,
        tkUnknown,
        tkNonReservedKey,
        tkEvent,
        tkSpecVar,
        tkTemplate,
    };
    static constexpr int kTokenKindCount = tkTemplate + 1;

    enum TRangeState : quint8 {
        rsUnknown,          // nothing open
        rsANSI,             // inside /* */
        rsLiteral,          // inside a `template literal`
        rsLiteralTemplate,  // inside a ${ } expression of a template literal
    };

    static constexpr char16_t kLanguageName[] = u"JavaScript";
    static constexpr char16_t kFriendlyLanguageName[] = u"JavaScript";
    static constexpr char16_t kDefaultFilter[] = u"Javascript Files (*.js)|*.js";

    TJScriptHighlighter();

    QString GetLanguageName() const override { return QString::fromUtf16(kLanguageName); }
    QString GetFriendlyLanguageName() const override {
        return QString::fromUtf16(kFriendlyLanguageName);
    }
    QString GetSampleSource() const override;

    void Next() override;
    TCodeEditRange GetRange() const override { return fRange; }
    void SetRange(TCodeEditRange Value) override;
    void ResetRange() override;
    qint32 GetTokenKind() const override { return FTokenID; }
    THighlighterAttributes* GetTokenAttribute() const override { return fKindAttri[FTokenID]; }
    const char* GetTokenKindName(qint32 Kind) const override;

    // Reserved words only; events and built-in names are not keywords.
    bool IsKeyword(QStringView AKeyword) const override;
    bool IsEvent(QStringView AWord) const;
    bool IsNonReserwedKeyWord(QStringView AWord) const;
    // Open ${ expressions: raised at ${, lowered at the closing }.
    qint32 LiteralLevel() const noexcept { return fLiteralLevel; }

    // The three word lists in one table, each word's kind its list (tkEvent, tkKey,
    // tkNonReservedKey); shared by all instances.
    static const THashedKeywords& Keywords();

    THighlighterAttributes* const fCommentAttri;
    THighlighterAttributes* const fIdentifierAttri;
    THighlighterAttributes* const fSpecVarAttri;
    THighlighterAttributes* const fKeyAttri;
    THighlighterAttributes* const fNonReservedKeyAttri;
    THighlighterAttributes* const fEventAttri;
    THighlighterAttributes* const fNumberAttri;
    THighlighterAttributes* const fSpaceAttri;
    THighlighterAttributes* const fStringAttri;
    THighlighterAttributes* const fSymbolAttri;
    THighlighterAttributes* const fTemplateAttri;

private:
    bool InList(QStringView AWord, TtkTokenKind List) const;

    void Token(TtkTokenKind Kind, qint32 Length) {
        FTokenID = Kind;
        Run += Length;
    }
    void LineEndProc();
    void IdentProc();
    void UnderscoreProc();
    void SlashProc();
    void AnsiProc();
    void StringProc();
    void NumberProc();
    void TemplateOpenProc();
    void LiteralProc();
    void LiteralBody();
    void LiteralTemplateProc();
    // Steps over a backslash and the character it escapes; false when Run is no backslash.
    bool SkipEscape() noexcept;

    TRangeState fRange = rsUnknown;
    TtkTokenKind FTokenID = tkNull;
    qint32 fLiteralLevel = 0;
    THighlighterAttributes* fKindAttri[kTokenKindCount] = {};
    const THashedKeywords* const fKeywords = &Keywords();
};
