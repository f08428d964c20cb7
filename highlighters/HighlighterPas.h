#pragma once

#include "highlighters/CodeEditHighlighter.h"

// Pascal source: case-insensitive, two comment forms and directives that span lines, inline
// assembler blocks, and words that are reserved only in their context (property specifiers,
// export clauses, package clauses) or from a language level on.
class TPasHighlighter : public TCustomHighlighter {
public:
    enum TtkTokenKind : quint8 {
        tkSymbol,
        tkKey,
        tkAsm,
        tkComment,
        tkIdentifier,
        tkNull,
        tkNumber,
        tkSpace,
        tkString,
        tkUnknown,
        tkFloat,
        tkHex,
        tkDirec,
        tkChar,
        tkType,
    };
    static constexpr int kTokenKindCount = tkType + 1;

    enum TRangeState : quint8 {
        rsANil,
        rsAnsi,          // inside (* *)
        rsAnsiAsm,       // (* *) within an assembler block
        rsAsm,           // assembler block, up to end
        rsBor,           // inside { }
        rsBorAsm,        // { } within an assembler block
        rsProperty,      // after property, up to a semicolon
        rsExports,       // after exports, up to a semicolon
        rsDirective,     // inside {$ }
        rsDirectiveAsm,  // {$ } within an assembler block
        rsUnKnown,       // nothing open
    };

    // The newest language level; words that later levels added are gated on it.
    static constexpr quint8 kMaxLanguageLevel = 8;

    static constexpr char16_t kLanguageName[] = u"ObjectPascal";
    static constexpr char16_t kFriendlyLanguageName[] = u"Object Pascal";
    static constexpr char16_t kDefaultFilter[] =
        u"Pascal Files (*.pas;*.pp;*.dpr;*.dpk;*.inc)|*.pas;*.pp;*.dpr;*.dpk;*.inc";

    TPasHighlighter();

    QString GetLanguageName() const override { return QString::fromUtf16(kLanguageName); }
    QString GetFriendlyLanguageName() const override {
        return QString::fromUtf16(kFriendlyLanguageName);
    }

    QString GetSampleSource() const override;

    void Next() override;
    TCodeEditRange GetRange() const override { return fRange; }
    void SetRange(TCodeEditRange Value) override;
    void ResetRange() override { fRange = rsUnKnown; }
    qint32 GetTokenKind() const override { return ReportedKind(); }
    THighlighterAttributes* GetTokenAttribute() const override {
        return fKindAttri[ReportedKind()];
    }
    const char* GetTokenKindName(qint32 Kind) const override;

    // 0..8. Below 2, package words are switched off.
    quint8 LanguageLevel() const noexcept { return fLanguageLevel; }
    void SetLanguageLevel(quint8 Value);
    // Whether contains, package and requires are reserved; switching it on raises the level
    // to at least 2.
    bool PackageSource() const noexcept { return fPackageSource; }
    void SetPackageSource(bool Value);

    // The keyword table shared by all Pascal highlighters.
    static const THashedKeywords& Keywords();

    THighlighterAttributes* const fAsmAttri;
    THighlighterAttributes* const fCommentAttri;
    THighlighterAttributes* const fDirecAttri;
    THighlighterAttributes* const fIdentifierAttri;
    THighlighterAttributes* const fKeyAttri;
    THighlighterAttributes* const fNumberAttri;
    THighlighterAttributes* const fFloatAttri;
    THighlighterAttributes* const fHexAttri;
    THighlighterAttributes* const fSpaceAttri;
    THighlighterAttributes* const fStringAttri;
    THighlighterAttributes* const fCharAttri;
    THighlighterAttributes* const fSymbolAttri;
    THighlighterAttributes* const fTypeAttri;

private:
    TtkTokenKind ReportedKind() const noexcept {
        // Inside an assembler block everything but comments, spaces and directives is
        // assembler; the word asm that opens the block stays a reserved word.
        if (fRange == rsAsm && !fAsmStart && fTokenID != tkComment && fTokenID != tkNull &&
            fTokenID != tkSpace && fTokenID != tkDirec)
            return tkAsm;
        return fTokenID;
    }

    // Token scanners.
    void SpaceProc();
    void SymbolProc();
    void AsciiCharProc();
    void IntegerProc();
    void StringProc();
    void RoundOpenProc();
    void PointProc();
    void SlashProc();
    void NumberProc();
    void ColonOrGreaterProc();
    void SemicolonProc();
    void LowerProc();
    void AddressOpProc();
    void IdentProc();
    void BraceOpenProc();
    void UnknownProc();
    void AnsiProc();
    void AnsiBody();
    void BorProc();
    void BorBody();
    void LineEndProc();

    // The kind of a keyword of the table, by its word kind and the scanner's state.
    TtkTokenKind WordKind(quint8 Kind);

    void NotifyLanguageChange();

    bool fAsmStart = false;
    TRangeState fRange = rsUnKnown;
    TtkTokenKind fTokenID = tkNull;
    quint8 fLanguageLevel = kMaxLanguageLevel;
    bool fPackageSource = true;
    THighlighterAttributes* fKindAttri[kTokenKindCount] = {};
    // The shared table, looked up once rather than per identifier.
    const THashedKeywords* const fKeywords = &Keywords();
};
