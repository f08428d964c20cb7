#pragma once

#include "highlighters/CodeEditHighlighter.h"

// Python source: case-sensitive; reserved words, built-in names and __special__ names; numbers
// by a small state machine (decimal, float, hexadecimal, octal, complex, long, malformed);
// triple-quoted strings and backslash-continued strings carry across lines.
class TPythonHighlighter : public TCustomHighlighter {
public:
    enum TtkTokenKind : quint8 {
        tkComment,
        tkIdentifier,
        tkKey,
        tkNull,
        tkNumber,
        tkSpace,
        tkString,
        tkSymbol,
        tkNonKeyword,
        tkTrippleQuotedString,
        tkSystemDefined,
        tkHex,
        tkOct,
        tkFloat,
        tkUnknown,
    };
    static constexpr int kTokenKindCount = tkUnknown + 1;

    enum TRangeState : quint8 {
        rsANil,
        rsComment,
        rsUnKnown,           // nothing open
        rsMultilineString,   // inside '''
        rsMultilineString2,  // inside """
        rsMultilineString3,  // a '...' or "..." string continued by a backslash at the line end
    };
    // The range of a continued single-quoted string also says which quote closes it, so a line
    // scanned out of order still closes on the right one.
    static constexpr TCodeEditRange kStarterShift = 8;

    static constexpr char16_t kLanguageName[] = u"Python";
    static constexpr char16_t kFriendlyLanguageName[] = u"Python";
    static constexpr char16_t kDefaultFilter[] = u"Python Files (*.py)|*.py";

    TPythonHighlighter();

    QString GetLanguageName() const override { return QString::fromUtf16(kLanguageName); }
    QString GetFriendlyLanguageName() const override {
        return QString::fromUtf16(kFriendlyLanguageName);
    }
    QString GetSampleSource() const override;

    void Next() override;
    TCodeEditRange GetRange() const override;
    void SetRange(TCodeEditRange Value) override;
    void ResetRange() override { fRange = rsUnKnown; }
    qint32 GetTokenKind() const override { return FTokenID; }
    THighlighterAttributes* GetTokenAttribute() const override { return fKindAttri[FTokenID]; }
    const char* GetTokenKindName(qint32 Kind) const override;

    // Reserved words (tkKey) and built-in names (tkNonKeyword), shared by all instances.
    static const THashedKeywords& Keywords();

    THighlighterAttributes* const fCommentAttri;
    THighlighterAttributes* const fIdentifierAttri;
    THighlighterAttributes* const fKeyAttri;
    THighlighterAttributes* const fNonKeyAttri;
    THighlighterAttributes* const fSystemAttri;
    THighlighterAttributes* const fNumberAttri;
    THighlighterAttributes* const fHexAttri;
    THighlighterAttributes* const fOctalAttri;
    THighlighterAttributes* const fFloatAttri;
    THighlighterAttributes* const fSpaceAttri;
    THighlighterAttributes* const fStringAttri;
    THighlighterAttributes* const fDocStringAttri;
    THighlighterAttributes* const fSymbolAttri;
    THighlighterAttributes* const fErrorAttri;

private:
    void Token(TtkTokenKind Kind, qint32 Length) {
        FTokenID = Kind;
        Run += Length;
    }
    void LineEndProc();
    void CommentProc();
    void PrefixProc(qint32 PrefixLength);
    void IdentProc();
    void StringProc();
    void TripleQuotedProc(char16_t Quote);
    void ContinuedStringProc();
    void NumberProc();
    bool ScanToQuote(char16_t Quote, bool Triple);

    TRangeState fRange = rsUnKnown;
    TtkTokenKind FTokenID = tkNull;
    char16_t fStringStarter = u'\'';
    THighlighterAttributes* fKindAttri[kTokenKindCount] = {};
    const THashedKeywords* const fKeywords = &Keywords();
};
