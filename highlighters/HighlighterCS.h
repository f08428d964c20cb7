#pragma once

#include "highlighters/HighlighterCFamily.h"

// C# source, on the scanner C++ uses. What differs is kept here: brackets are symbols,
// character literals are strings, built-in type names have their own kind, # opens a
// preprocessor token wherever it stands, a point never starts a number, numbers are one
// simple kind, and an empty line ends a continued preprocessor line.
class TCSHighlighter : public TCFamilyHighlighter {
public:
    enum TtkTokenKind : quint8 {
        tkSymbol,
        tkKey,
        tkAsm,  // never given: C# has no assembler words
        tkComment,
        tkDirective,
        tkIdentifier,
        tkNull,
        tkNumber,
        tkSpace,
        tkString,
        tkType,
        tkUnknown,
    };
    static constexpr int kTokenKindCount = tkUnknown + 1;

    // The ranges as C# stores them: the shared scanner's numbers, except that rsDirective is
    // the continued preprocessor line. Only rsUnknown, rsAnsiC, rsDirective,
    // rsDirectiveComment and rsMultiLineString occur.
    enum TRangeState : quint8 {
        rsUnknown,
        rsAnsiC,
        rsAnsiCAsm,
        rsAnsiCAsmBlock,
        rsAsm,
        rsAsmBlock,
        rsDirective,
        rsDirectiveComment,
        rsString34,
        rsString39,
        rsMultiLineString,
    };

    static constexpr char16_t kLanguageName[] = u"CSharp";
    static constexpr char16_t kFriendlyLanguageName[] = u"C#";
    static constexpr char16_t kDefaultFilter[] = u"C# Files (*.cs)|*.cs";

    TCSHighlighter();

    QString GetLanguageName() const override { return QString::fromUtf16(kLanguageName); }
    QString GetFriendlyLanguageName() const override {
        return QString::fromUtf16(kFriendlyLanguageName);
    }
    QString GetSampleSource() const override;

    TCodeEditRange GetRange() const override;
    void SetRange(TCodeEditRange Value) override;
    void ResetRange() override { fRange = TCFamilyHighlighter::rsUnknown; }
    const char* GetTokenKindName(qint32 Kind) const override;

    // The keyword table shared by all C# highlighters: reserved words and type names.
    static const THashedKeywords& Keywords();

    THighlighterAttributes* const fAsmAttri;
    THighlighterAttributes* const fCommentAttri;
    THighlighterAttributes* const fIdentifierAttri;
    THighlighterAttributes* const fInvalidAttri;
    THighlighterAttributes* const fKeyAttri;
    THighlighterAttributes* const fNumberAttri;
    THighlighterAttributes* const fSpaceAttri;
    THighlighterAttributes* const fStringAttri;
    THighlighterAttributes* const fSymbolAttri;
    THighlighterAttributes* const fDirecAttri;
    THighlighterAttributes* const fTypeAttri;

private:
    void NumberProc(qint32 First) override;
    void DirectiveProc() override;
};
