#pragma once

#include "highlighters/HighlighterCFamily.h"

// C and C++ source: case-sensitive; numbers by their form (decimal, float, hexadecimal, octal,
// malformed); preprocessor lines only where a line starts with #; inline assembler after the
// asm words. The rest of the scanner is the one C# shares.
class TCppHighlighter : public TCFamilyHighlighter {
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

    QString GetSampleSource() const override;

    void SetRange(TCodeEditRange Value) override;
    TCodeEditRange GetRange() const override { return fRange; }
    void ResetRange() override { fRange = rsUnknown; }
    const char* GetTokenKindName(qint32 Kind) const override;

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

private:
    void NumberProc(qint32 First) override;
    void DirectiveProc() override;
    void NewStyleDirective();
    bool StartsTrimmedLine() const noexcept;

    bool FNewPreprocesorStyle = false;
};
