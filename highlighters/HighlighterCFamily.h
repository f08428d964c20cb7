#pragma once

#include "highlighters/CodeEditHighlighter.h"

// The scanner that C++ and C# share: the operator table with an extended kind for every
// operator and bracket, block comments, double-quoted strings continued by a trailing
// backslash, character literals, preprocessor lines with their continuation lines, and
// keywords by hash. What differs between the two is data (TCFamilyRules: the languages' own
// token numbers, whether a point may start a number, what an empty line does to a continued
// preprocessor line) and three scanners each language brings: numbers, the # that may open a
// preprocessor line, and the keyword table.
class TCFamilyHighlighter : public TCustomHighlighter {
public:
    // The ranges, numbered as the C++ highlighter stores them.
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

    // Word groups of the keyword tables.
    enum TCWordKind : quint8 {
        cwReserved,  // a reserved word
        cwType,      // a built-in type name
        cwAsm,       // a reserved word that opens inline assembler
    };

    // What sets a language apart from the shared scanner.
    struct TCFamilyRules {
        // The language's numbers of the token kinds the shared scanner gives. A language
        // without brackets or character literals names its symbol or string kind there.
        quint8 Symbol, Bracket, Key, Type, Asm, Comment, Directive, Identifier, Null, Number, Space,
            String, Char, Unknown;
        bool PointStartsNumber;       // .5 is a number, not a point and a number
        bool EmptyLineEndsDirective;  // an empty line ends a continued preprocessor line
    };

    void Next() override;
    qint32 GetTokenKind() const override { return ReportedKind(); }
    THighlighterAttributes* GetTokenAttribute() const override {
        return fKindAttri[ReportedKind()];
    }
    // The operator or bracket kind; meaningful while the token is a symbol or a bracket.
    TxtkTokenKind GetExtTokenID() const noexcept { return FExtTokenID; }

protected:
    static constexpr int kMaxTokenKinds = 16;

    TCFamilyHighlighter(const TCFamilyRules& Rules, const THashedKeywords& Keywords);

    void DoSetLine(const QString& Value, qint32 LineNumber) override;

    // The language's own scanners. First is where a number's prefix and suffix checks look
    // from: its first character, or the character before a leading point.
    virtual void NumberProc(qint32 First) = 0;
    // A # outside comments and strings.
    virtual void DirectiveProc() = 0;

    void UnknownProc();
    // A preprocessor token from Run up to a comment or the line end.
    void DirectiveBody();

    const TCFamilyRules fKinds;
    const THashedKeywords* const fKeywords;  // looked up once rather than per identifier
    THighlighterAttributes* fKindAttri[kMaxTokenKinds] = {};
    bool fAsmStart = false;
    TRangeState fRange = rsUnknown;
    quint8 FTokenID = 0;
    TxtkTokenKind FExtTokenID = xtkAdd;

private:
    quint8 ReportedKind() const noexcept {
        // Inside assembler everything but comments and spaces is assembler; the token that
        // opened the statement or block keeps its own kind.
        if ((fRange == rsAsm || fRange == rsAsmBlock) && !fAsmStart && FTokenID != fKinds.Comment &&
            FTokenID != fKinds.Null && FTokenID != fKinds.Space)
            return fKinds.Asm;
        return FTokenID;
    }

    void Symbol(qint32 Length, TxtkTokenKind Kind);
    void Bracket(TxtkTokenKind Kind);

    void SpaceProc();
    void LineEndProc();
    void NotSymbolProc();
    void StringProc();
    void StringBody();
    void StringEndProc();
    void DirectiveEndProc();
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

    // The preprocessor token just ended before /*: the comment's scan starts after the
    // opener, so that /*/ does not close the comment it opens.
    bool fDirectiveCommentOpener = false;
};
