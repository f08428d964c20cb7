#pragma once

#include <array>

#include "highlighters/CodeEditHighlighter.h"

// Java source: case-sensitive; letters and digits of every script make identifiers;
// documentation comments (/** */) apart from block comments; an extended kind for every
// operator.
class TJavaHighlighter : public TCustomHighlighter {
public:
    enum TtkTokenKind : quint8 {
        tkSymbol,
        tkKey,
        tkComment,
        tkDocument,
        tkIdentifier,
        tkInvalid,
        tkNull,
        tkNumber,
        tkSpace,
        tkString,
        tkUnknown,
    };
    static constexpr int kTokenKindCount = tkUnknown + 1;

    enum TRangeState : quint8 {
        rsANil,      // never set
        rsComment,   // inside /* */
        rsDocument,  // inside /** */
        rsUnknown,   // nothing open
    };

    enum TxtkTokenKind : quint8 {
        xtkAdd,
        xtkAddAssign,
        xtkAnd,
        xtkAndAssign,
        xtkAssign,
        xtkBitComplement,
        xtkBraceClose,
        xtkBraceOpen,
        xtkColon,
        xtkCondAnd,
        xtkCondOr,
        xtkDecrement,
        xtkDivide,
        xtkDivideAssign,
        xtkGreaterThan,
        xtkGreaterThanEqual,
        xtkIncOr,
        xtkIncOrAssign,
        xtkIncrement,
        xtkLessThan,
        xtkLessThanEqual,
        xtkLogComplement,
        xtkLogEqual,
        xtkMultiply,
        xtkMultiplyAssign,
        xtkNotEqual,
        xtkPoint,
        xtkQuestion,
        xtkRemainder,
        xtkRemainderAssign,
        xtkRoundClose,
        xtkRoundOpen,
        xtkSemiColon,
        xtkShiftLeft,
        xtkShiftLeftAssign,
        xtkShiftRight,
        xtkShiftRightAssign,
        xtkSquareClose,
        xtkSquareOpen,
        xtkSubtract,
        xtkSubtractAssign,
        xtkUnsignShiftRight,
        xtkUnsignShiftRightAssign,
        xtkXor,
        xtkXorAssign,
        xtkComma,
    };

    static constexpr char16_t kLanguageName[] = u"Java";
    static constexpr char16_t kFriendlyLanguageName[] = u"Java";
    static constexpr char16_t kDefaultFilter[] = u"Java Files (*.java)|*.java";

    TJavaHighlighter();

    QString GetLanguageName() const override { return QString::fromUtf16(kLanguageName); }
    QString GetFriendlyLanguageName() const override {
        return QString::fromUtf16(kFriendlyLanguageName);
    }
    QString GetSampleSource() const override;

    void Next() override;
    TCodeEditRange GetRange() const override { return fRange; }
    void SetRange(TCodeEditRange Value) override;
    void ResetRange() override { fRange = rsUnknown; }
    qint32 GetTokenKind() const override { return FTokenID; }
    THighlighterAttributes* GetTokenAttribute() const override { return fKindAttri[FTokenID]; }
    const char* GetTokenKindName(qint32 Kind) const override;
    // Letters and digits of every script, $ and _.
    bool IsIdentChar(QChar AChar) const override { return IsJavaIdentChar(AChar.unicode()); }

    // The operator kind; meaningful while the token is a symbol.
    TxtkTokenKind GetExtTokenID() const noexcept { return FExtTokenID; }
    // ( seen minus ) seen, and [ minus ], since construction.
    qint32 RoundCount() const noexcept { return FRoundCount; }
    qint32 SquareCount() const noexcept { return FSquareCount; }

    // The keyword table shared by all Java highlighters.
    static const THashedKeywords& Keywords();

    THighlighterAttributes* const fCommentAttri;
    THighlighterAttributes* const fDocumentAttri;
    THighlighterAttributes* const fIdentifierAttri;
    THighlighterAttributes* const fInvalidAttri;
    THighlighterAttributes* const fKeyAttri;
    THighlighterAttributes* const fNumberAttri;
    THighlighterAttributes* const fSpaceAttri;
    THighlighterAttributes* const fStringAttri;
    THighlighterAttributes* const fSymbolAttri;

private:
    // ASCII by table; other characters by their Unicode category, one UTF-16 unit at a time
    // (half of a surrogate pair is neither).
    enum : quint8 { kLetterOrDigit = 1, kIdentChar = 2, kWordStart = 4 };
    static const std::array<quint8, 128> kAsciiClass;
    static bool HasClass(char16_t c, quint8 Class) noexcept {
        return c < 128 ? (kAsciiClass[c] & Class) != 0 : QChar::isLetterOrNumber(char32_t(c));
    }
    static bool IsLetterOrDigit(char16_t c) noexcept { return HasClass(c, kLetterOrDigit); }
    static bool IsJavaIdentChar(char16_t c) noexcept { return HasClass(c, kIdentChar); }

    void Symbol(qint32 Length, TxtkTokenKind Kind);
    // One character, or a longer form when the characters after it spell it: "=" then "==".
    void SymbolOrAssign(TxtkTokenKind Single, TxtkTokenKind Assign);
    void SpaceProc();
    void LineEndProc();
    void IdentProc();
    void NumberProc();
    void QuotedProc(char16_t Quote);
    void SlashProc();
    void CommentBody();
    void AndProc();
    void OrProc();
    void PlusProc();
    void MinusProc();
    void LowerProc();
    void GreaterProc();
    void PointProc();
    void DispatchSymbol(char16_t c);

    TRangeState fRange = rsUnknown;
    TtkTokenKind FTokenID = tkNull;
    TxtkTokenKind FExtTokenID = xtkAdd;
    qint32 FRoundCount = 0;
    qint32 FSquareCount = 0;
    THighlighterAttributes* fKindAttri[kTokenKindCount] = {};
    const THashedKeywords* const fKeywords = &Keywords();
};
