#pragma once

#include <vector>

#include "highlighters/CodeEditHighlighter.h"

// C and C++ source: case-sensitive; numbers by their form (decimal, float, hexadecimal, octal,
// malformed); preprocessor lines with continuation lines; block comments and strings that
// continue over lines; inline assembler after the asm words. Every operator and bracket also
// gets an extended kind.
class TCppHighlighter : public TCustomHighlighter {
public:
    enum TtkTokenKind : quint8 {
        tkBracket,
        tkKey,
        tkSymbol,
        tkAsm,
        tkComment,
        tkDirective,
        tkIdentifier,
        tkNull,
        tkNumber,
        tkSpace,
        tkString,
        tkUnknown,
        tkChar,
        tkFloat,
        tkHex,
        tkOctal,
    };
    static constexpr int kTokenKindCount = tkOctal + 1;

    enum TRangeState : quint8 {
        rsUnknown,             // nothing open
        rsAnsiC,               // inside /* */
        rsAnsiCAsm,            // /* */ within an assembler statement
        rsAnsiCAsmBlock,       // /* */ within an assembler block
        rsAsm,                 // assembler statement, up to a semicolon
        rsAsmBlock,            // assembler block, up to a closing brace
        rsDirective,           // never set
        rsDirectiveComment,    // /* */ that began on a preprocessor line
        rsString34,            // never set
        rsString39,            // never set
        rsMultiLineString,     // a string continued with a trailing backslash
        rsMultiLineDirective,  // a preprocessor line continued, or resumed after a comment
    };

    enum TxtkTokenKind : quint8 {
        xtkAdd,
        xtkAddAssign,
        xtkAnd,
        xtkAndAssign,
        xtkArrow,
        xtkAssign,
        xtkBitComplement,
        xtkBraceClose,
        xtkBraceOpen,
        xtkColon,
        xtkComma,
        xtkDecrement,
        xtkDivide,
        xtkDivideAssign,
        xtkEllipse,
        xtkGreaterThan,
        xtkGreaterThanEqual,
        xtkIncOr,
        xtkIncOrAssign,
        xtkIncrement,
        xtkLessThan,
        xtkLessThanEqual,
        xtkLogAnd,
        xtkLogComplement,
        xtkLogEqual,
        xtkLogOr,
        xtkMod,
        xtkModAssign,
        xtkMultiplyAssign,
        xtkNotEqual,
        xtkPoint,
        xtkQuestion,
        xtkRoundClose,
        xtkRoundOpen,
        xtkScopeResolution,
        xtkSemiColon,
        xtkShiftLeft,
        xtkShiftLeftAssign,
        xtkShiftRight,
        xtkShiftRightAssign,
        xtkSquareClose,
        xtkSquareOpen,
        xtkStar,
        xtkSubtract,
        xtkSubtractAssign,
        xtkXor,
        xtkXorAssign,
    };

    static constexpr char16_t kLanguageName[] = u"CandCPlusPlus";
    static constexpr char16_t kFriendlyLanguageName[] = u"C/C++";
    static constexpr char16_t kDefaultFilter[] =
        u"C/C++ Files (*.c;*.cpp;*.cc;*.h;*.hpp;*.hh;*.cxx;*.hxx;*.cu)"
        u"|*.c;*.cpp;*.cc;*.h;*.hpp;*.hh;*.cxx;*.hxx;*.cu";

    TCppHighlighter();

    QString GetLanguageName() const override { return QString::fromUtf16(kLanguageName); }
    QString GetFriendlyLanguageName() const override {
        return QString::fromUtf16(kFriendlyLanguageName);
    }

    void Next() override;
    TCodeEditRange GetRange() const override { return fRange; }
    void SetRange(TCodeEditRange Value) override;
    void ResetRange() override { fRange = rsUnknown; }
    qint32 GetTokenKind() const override { return ReportedKind(); }
    THighlighterAttributes* GetTokenAttribute() const override {
        return fKindAttri[ReportedKind()];
    }
    const char* GetTokenKindName(qint32 Kind) const override;
    bool IsKeyword(QStringView AKeyword) const override;

    // The operator or bracket kind; meaningful while the token is a symbol or a bracket.
    TxtkTokenKind GetExtTokenID() const noexcept { return FExtTokenID; }

    // With the new style a preprocessor token covers only the # and the directive word.
    bool NewPreprocesorStyle() const noexcept { return FNewPreprocesorStyle; }
    void SetNewPreprocesorStyle(bool Value);

    // The keyword table shared by all C++ highlighters.
    static const THashedKeywords& Keywords();

    THighlighterAttributes* const fAsmAttri;
    THighlighterAttributes* const fBracketAttri;
    THighlighterAttributes* const fCommentAttri;
    THighlighterAttributes* const fIdentifierAttri;
    THighlighterAttributes* const fInvalidAttri;
    THighlighterAttributes* const fKeyAttri;
    THighlighterAttributes* const fNumberAttri;
    THighlighterAttributes* const fCharAttri;
    THighlighterAttributes* const fFloatAttri;
    THighlighterAttributes* const fHexAttri;
    THighlighterAttributes* const fOctalAttri;
    THighlighterAttributes* const fSpaceAttri;
    THighlighterAttributes* const fStringAttri;
    THighlighterAttributes* const fSymbolAttri;
    THighlighterAttributes* const fDirecAttri;

protected:
    void DoSetLine(const QString& Value, qint32 LineNumber) override;

private:
    TtkTokenKind ReportedKind() const noexcept {
        // Inside assembler everything but comments and spaces is assembler; the token that
        // opened the statement or block keeps its own kind.
        if ((fRange == rsAsm || fRange == rsAsmBlock) && !fAsmStart && FTokenID != tkComment &&
            FTokenID != tkNull && FTokenID != tkSpace)
            return tkAsm;
        return FTokenID;
    }

    void Symbol(qint32 Length, TxtkTokenKind Kind);
    void Bracket(TxtkTokenKind Kind);

    // Token scanners.
    void SpaceProc();
    void LineEndProc();
    void NotSymbolProc();
    void StringProc();
    void StringBody();
    void StringEndProc();
    void DirectiveProc();
    void DirectiveBody();
    void DirectiveEndProc();
    void NewStyleDirective();
    bool StartsTrimmedLine() const noexcept;
    void ModSymbolProc();
    void AndSymbolProc();
    void AsciiCharProc();
    void StarProc();
    void PlusProc();
    void MinusProc();
    void PointProc();
    void SlashProc();
    void AnsiCProc();
    void AnsiCBody();
    void NumberProc(qint32 First);
    void ColonProc();
    void SemiColonProc();
    void LowerProc();
    void EqualProc();
    void GreaterProc();
    void IdentProc();
    void XOrSymbolProc();
    void OrSymbolProc();
    void BraceOpenProc();
    void BraceCloseProc();
    void UnknownProc();

    bool fAsmStart = false;
    // The preprocessor token just ended before /*: the comment's scan starts after the
    // opener, so that /*/ does not close the comment it opens.
    bool fDirectiveCommentOpener = false;
    TRangeState fRange = rsUnknown;
    TtkTokenKind FTokenID = tkNull;
    TxtkTokenKind FExtTokenID = xtkAdd;
    bool FNewPreprocesorStyle = false;
    THighlighterAttributes* fKindAttri[kTokenKindCount] = {};
    // The shared tables, looked up once rather than per identifier.
    const THashedKeywords* const fKeywords = &Keywords();
    const std::vector<bool>* const fAsmWords;
};
