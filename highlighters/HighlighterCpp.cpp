#include "highlighters/HighlighterCpp.h"

#include <QStringList>
#include <vector>

namespace {

// Hash parameters of the keyword table.
constexpr quint32 kHashA = 61;
constexpr quint32 kHashB = 145;
constexpr quint32 kHashM = 641;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(char16_t c) {
    return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool IsLetterOrUnderscore(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

bool IsDigitOrSign(char16_t c) {
    return IsDigit(c) || c == u'+' || c == u'-';
}

const QStringList& CppWords() {
    static const QStringList words =
        QStringLiteral(
            "__asm __automated __cdecl __classid __closure __declspec __dispid __except __export "
            "__fastcall __finally __import __int16 __int32 __int64 __int8 __pascal __property "
            "__published __rtti __stdcall __thread __try _Alignas _Alignof _asm _Atomic _Bool "
            "_cdecl "
            "_Complex _export _fastcall _Generic _Imaginary _import _Noreturn _pascal _Pragma "
            "_Static_assert _stdcall _Thread_local alignas alignof and and_eq asm auto bitand "
            "bitor "
            "bool break case catch cdecl char char16_t char32_t class compl const const_cast "
            "constexpr continue decltype default delete do double dynamic_cast else enum explicit "
            "extern false final float for friend goto if inline int interface long mutable "
            "namespace "
            "new noexcept not not_eq nullptr operator or or_eq override pascal private protected "
            "public register reinterpret_cast restrict return short signed sizeof static "
            "static_assert static_cast struct switch template this thread_local throw true try "
            "typedef typeid typename union unsigned using virtual void volatile wchar_t while xor "
            "xor_eq")
            .split(u' ');
    return words;
}

// Per keyword index: the word opens inline assembler.
const std::vector<bool>& AsmWords() {
    static const std::vector<bool> asmWords = [] {
        std::vector<bool> result;
        for (const QString& w : CppWords())
            result.push_back(w == u"asm" || w == u"_asm" || w == u"__asm");
        return result;
    }();
    return asmWords;
}

}  // namespace

const THashedKeywords& TCppHighlighter::Keywords() {
    static const THashedKeywords keywords(CppWords(), kHashA, kHashB, kHashM);
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TCppHighlighter::TCppHighlighter()
    : TCustomHighlighter(true),
      fAsmAttri(AddAttribute(QStringLiteral("Assembler"), QStringLiteral("Assembler"))),
      fBracketAttri(AddAttribute(QStringLiteral("Brackets"), QStringLiteral("Brackets"))),
      fCommentAttri(AddAttribute(QStringLiteral("Comment"), QStringLiteral("Comment"))),
      fIdentifierAttri(AddAttribute(QStringLiteral("Identifier"), QStringLiteral("Identifier"))),
      fInvalidAttri(AddAttribute(QStringLiteral("IllegalChar"), QStringLiteral("Illegal Char"))),
      fKeyAttri(AddAttribute(QStringLiteral("ReservedWord"), QStringLiteral("Reserved Word"))),
      fNumberAttri(AddAttribute(QStringLiteral("Number"), QStringLiteral("Number"))),
      fCharAttri(AddAttribute(QStringLiteral("Character"), QStringLiteral("Character"))),
      fFloatAttri(AddAttribute(QStringLiteral("Float"), QStringLiteral("Float"))),
      fHexAttri(AddAttribute(QStringLiteral("Hexadecimal"), QStringLiteral("Hexadecimal"))),
      fOctalAttri(AddAttribute(QStringLiteral("Octal"), QStringLiteral("Octal"))),
      fSpaceAttri(AddAttribute(QStringLiteral("Space"), QStringLiteral("Space"))),
      fStringAttri(AddAttribute(QStringLiteral("String"), QStringLiteral("String"))),
      fSymbolAttri(AddAttribute(QStringLiteral("Symbol"), QStringLiteral("Symbol"))),
      fDirecAttri(AddAttribute(QStringLiteral("Preprocessor"), QStringLiteral("Preprocessor"))),
      fAsmWords(&AsmWords()) {
    fCommentAttri->SetStyle(hsItalic);
    fKeyAttri->SetStyle(hsBold);

    fKindAttri[tkBracket] = fBracketAttri;
    fKindAttri[tkKey] = fKeyAttri;
    fKindAttri[tkSymbol] = fSymbolAttri;
    fKindAttri[tkAsm] = fAsmAttri;
    fKindAttri[tkComment] = fCommentAttri;
    fKindAttri[tkDirective] = fDirecAttri;
    fKindAttri[tkIdentifier] = fIdentifierAttri;
    fKindAttri[tkNull] = nullptr;
    fKindAttri[tkNumber] = fNumberAttri;
    fKindAttri[tkSpace] = fSpaceAttri;
    fKindAttri[tkString] = fStringAttri;
    fKindAttri[tkUnknown] = fInvalidAttri;
    fKindAttri[tkChar] = fCharAttri;
    fKindAttri[tkFloat] = fFloatAttri;
    fKindAttri[tkHex] = fHexAttri;
    fKindAttri[tkOctal] = fOctalAttri;

    fDefaultAttri = {fCommentAttri, fIdentifierAttri, fKeyAttri,
                     fStringAttri,  fSpaceAttri,      fSymbolAttri};
    EndConstruction();
    fRange = rsUnknown;
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

const char* TCppHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkBracket",    "tkKey",   "tkSymbol", "tkAsm",   "tkComment", "tkDirective",
        "tkIdentifier", "tkNull",  "tkNumber", "tkSpace", "tkString",  "tkUnknown",
        "tkChar",       "tkFloat", "tkHex",    "tkOctal",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
}

bool TCppHighlighter::IsKeyword(QStringView AKeyword) const {
    return Keywords().IndexOf(AKeyword) >= 0;
}

void TCppHighlighter::SetRange(TCodeEditRange Value) {
    // A value this scanner never gave back (say, a line not scanned yet) starts afresh.
    fRange = Value >= rsUnknown && Value <= rsMultiLineDirective ? TRangeState(Value) : rsUnknown;
}

void TCppHighlighter::SetNewPreprocesorStyle(bool Value) {
    if (FNewPreprocesorStyle == Value) return;
    FNewPreprocesorStyle = Value;
    DefHighlightChange(nullptr);
}

// --- Scanner ------------------------------------------------------------------------------

void TCppHighlighter::DoSetLine(const QString& Value, qint32 LineNumber) {
    TCustomHighlighter::DoSetLine(Value, LineNumber);
    fDirectiveCommentOpener = false;
}

void TCppHighlighter::Next() {
    fAsmStart = false;
    fTokenPos = Run;
    switch (fRange) {
        case rsAnsiC:
        case rsAnsiCAsm:
        case rsAnsiCAsmBlock:
        case rsDirectiveComment:
            AnsiCProc();
            break;
        case rsMultiLineString:
            StringEndProc();
            break;
        case rsMultiLineDirective:
            DirectiveEndProc();
            break;
        default: {
            const char16_t c = Ch(Run);
            switch (c) {
                case 0:
                case u'\n':
                case u'\r':
                    LineEndProc();
                    break;
                case u'!':
                    NotSymbolProc();
                    break;
                case u'"':
                    StringProc();
                    break;
                case u'#':
                    DirectiveProc();
                    break;
                case u'%':
                    ModSymbolProc();
                    break;
                case u'&':
                    AndSymbolProc();
                    break;
                case u'\'':
                    AsciiCharProc();
                    break;
                case u'(':
                    Bracket(xtkRoundOpen);
                    break;
                case u')':
                    Bracket(xtkRoundClose);
                    break;
                case u'*':
                    StarProc();
                    break;
                case u'+':
                    PlusProc();
                    break;
                case u',':
                    Symbol(1, xtkComma);
                    break;
                case u'-':
                    MinusProc();
                    break;
                case u'.':
                    PointProc();
                    break;
                case u'/':
                    SlashProc();
                    break;
                case u':':
                    ColonProc();
                    break;
                case u';':
                    SemiColonProc();
                    break;
                case u'<':
                    LowerProc();
                    break;
                case u'=':
                    EqualProc();
                    break;
                case u'>':
                    GreaterProc();
                    break;
                case u'?':
                    Symbol(1, xtkQuestion);
                    break;
                case u'[':
                    Bracket(xtkSquareOpen);
                    break;
                case u']':
                    Bracket(xtkSquareClose);
                    break;
                case u'^':
                    XOrSymbolProc();
                    break;
                case u'{':
                    BraceOpenProc();
                    break;
                case u'|':
                    OrSymbolProc();
                    break;
                case u'}':
                    BraceCloseProc();
                    break;
                case u'~':
                    Symbol(1, xtkBitComplement);
                    break;
                default:
                    if (c <= 0x20)
                        SpaceProc();
                    else if (IsDigit(c))
                        NumberProc(Run);
                    else if (IsLetterOrUnderscore(c))
                        IdentProc();
                    else
                        UnknownProc();
                    break;
            }
        }
    }
    TCustomHighlighter::Next();
}

void TCppHighlighter::Symbol(qint32 Length, TxtkTokenKind Kind) {
    FTokenID = tkSymbol;
    FExtTokenID = Kind;
    Run += Length;
}

void TCppHighlighter::Bracket(TxtkTokenKind Kind) {
    FTokenID = tkBracket;
    FExtTokenID = Kind;
    ++Run;
}

void TCppHighlighter::SpaceProc() {
    FTokenID = tkSpace;
    SkipBlanks();
}

void TCppHighlighter::LineEndProc() {
    FTokenID = SkipLineEnd() ? tkSpace : tkNull;
}

void TCppHighlighter::UnknownProc() {
    FTokenID = tkUnknown;
    ++Run;
}

void TCppHighlighter::NotSymbolProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkNotEqual);
    else
        Symbol(1, xtkLogComplement);
}

void TCppHighlighter::ModSymbolProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkModAssign);
    else
        Symbol(1, xtkMod);
}

void TCppHighlighter::AndSymbolProc() {
    switch (Ch(Run + 1)) {
        case u'&':
            Symbol(2, xtkLogAnd);
            break;
        case u'=':
            Symbol(2, xtkAndAssign);
            break;
        default:
            Symbol(1, xtkAnd);
            break;
    }
}

void TCppHighlighter::StarProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkMultiplyAssign);
    else
        Symbol(1, xtkStar);
}

void TCppHighlighter::PlusProc() {
    switch (Ch(Run + 1)) {
        case u'+':
            Symbol(2, xtkIncrement);
            break;
        case u'=':
            Symbol(2, xtkAddAssign);
            break;
        default:
            Symbol(1, xtkAdd);
            break;
    }
}

void TCppHighlighter::MinusProc() {
    switch (Ch(Run + 1)) {
        case u'-':
            Symbol(2, xtkDecrement);
            break;
        case u'=':
            Symbol(2, xtkSubtractAssign);
            break;
        case u'>':
            Symbol(2, xtkArrow);
            break;
        default:
            Symbol(1, xtkSubtract);
            break;
    }
}

void TCppHighlighter::PointProc() {
    if (Ch(Run + 1) == u'.' && Ch(Run + 2) == u'.')
        Symbol(3, xtkEllipse);
    else if (IsDigit(Ch(Run + 1)))
        NumberProc(Run > 0 ? Run - 1 : Run);
    else
        Symbol(1, xtkPoint);
}

void TCppHighlighter::ColonProc() {
    if (Ch(Run + 1) == u':')
        Symbol(2, xtkScopeResolution);
    else
        Symbol(1, xtkColon);
}

void TCppHighlighter::SemiColonProc() {
    Symbol(1, xtkSemiColon);
    if (fRange == rsAsm) fRange = rsUnknown;
}

void TCppHighlighter::LowerProc() {
    if (Ch(Run + 1) == u'<')
        Symbol(Ch(Run + 2) == u'=' ? 3 : 2,
               Ch(Run + 2) == u'=' ? xtkShiftLeftAssign : xtkShiftLeft);
    else if (Ch(Run + 1) == u'=')
        Symbol(2, xtkLessThanEqual);
    else
        Symbol(1, xtkLessThan);
}

void TCppHighlighter::EqualProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkLogEqual);
    else
        Symbol(1, xtkAssign);
}

void TCppHighlighter::GreaterProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkGreaterThanEqual);
    else if (Ch(Run + 1) == u'>')
        Symbol(Ch(Run + 2) == u'=' ? 3 : 2,
               Ch(Run + 2) == u'=' ? xtkShiftRightAssign : xtkShiftRight);
    else
        Symbol(1, xtkGreaterThan);
}

void TCppHighlighter::XOrSymbolProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkXorAssign);
    else
        Symbol(1, xtkXor);
}

void TCppHighlighter::OrSymbolProc() {
    switch (Ch(Run + 1)) {
        case u'=':
            Symbol(2, xtkIncOrAssign);
            break;
        case u'|':
            Symbol(2, xtkLogOr);
            break;
        default:
            Symbol(1, xtkIncOr);
            break;
    }
}

void TCppHighlighter::BraceOpenProc() {
    Bracket(xtkBraceOpen);
    if (fRange == rsAsm) {
        fRange = rsAsmBlock;
        fAsmStart = true;
    }
}

void TCppHighlighter::BraceCloseProc() {
    Bracket(xtkBraceClose);
    if (fRange == rsAsmBlock) fRange = rsUnknown;
}

void TCppHighlighter::IdentProc() {
    const quint32 slot = HashIdentAtRun(*fKeywords);
    const qint32 index = fKeywords->IndexAt(slot);
    if (index >= 0 && IsCurrentToken(*fKeywords, index)) {
        FTokenID = tkKey;
        if ((*fAsmWords)[size_t(index)]) {
            fRange = rsAsm;
            fAsmStart = true;
        }
    } else {
        FTokenID = tkIdentifier;
    }
    Run += fStringLen;
    while (IsIdentCharFast(Ch(Run)))
        ++Run;
}

// --- Comments -----------------------------------------------------------------------------

void TCppHighlighter::SlashProc() {
    switch (Ch(Run + 1)) {
        case u'/':
            FTokenID = tkComment;
            Run += 2;
            while (!IsLineEnd(Run))
                ++Run;
            break;
        case u'*':
            if (fRange == rsAsm)
                fRange = rsAnsiCAsm;
            else if (fRange == rsAsmBlock)
                fRange = rsAnsiCAsmBlock;
            else
                fRange = rsAnsiC;
            Run += 2;
            FTokenID = tkComment;
            if (!IsLineEnd(Run)) AnsiCBody();
            break;
        case u'=':
            Symbol(2, xtkDivideAssign);
            break;
        default:
            Symbol(1, xtkDivide);
            break;
    }
}

void TCppHighlighter::AnsiCProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c))
        LineEndProc();
    else
        AnsiCBody();
}

void TCppHighlighter::AnsiCBody() {
    FTokenID = tkComment;
    if (fDirectiveCommentOpener) {
        fDirectiveCommentOpener = false;
        if (Ch(Run) == u'/' && Ch(Run + 1) == u'*') Run += 2;
    }
    while (!IsLineEnd(Run)) {
        if (Ch(Run) == u'*' && Ch(Run + 1) == u'/') {
            Run += 2;
            switch (fRange) {
                case rsAnsiCAsm:
                    fRange = rsAsm;
                    break;
                case rsAnsiCAsmBlock:
                    fRange = rsAsmBlock;
                    break;
                case rsDirectiveComment:
                    fRange = IsLineEnd(Run) ? rsUnknown : rsMultiLineDirective;
                    break;
                default:
                    fRange = rsUnknown;
                    break;
            }
            return;
        }
        ++Run;
    }
}

// --- Strings and characters ---------------------------------------------------------------

void TCppHighlighter::StringProc() {
    FTokenID = tkString;
    ++Run;
    StringBody();
}

void TCppHighlighter::StringBody() {
    while (!IsLineEnd(Run)) {
        const char16_t c = Ch(Run);
        if (c == u'\\') {
            const char16_t escaped = Ch(Run + 1);
            if (escaped == u'"' || escaped == u'\\') {
                Run += 2;
                continue;
            }
            if (IsLineEnd(Run + 1)) {
                // A backslash at the line end continues the string on the next line.
                ++Run;
                fRange = rsMultiLineString;
                return;
            }
        } else if (c == u'"') {
            ++Run;
            return;
        }
        ++Run;
    }
}

void TCppHighlighter::StringEndProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c)) {
        LineEndProc();
        return;
    }
    fRange = rsUnknown;
    FTokenID = tkString;
    StringBody();
}

void TCppHighlighter::AsciiCharProc() {
    FTokenID = tkChar;
    ++Run;
    while (!IsLineEnd(Run)) {
        const char16_t c = Ch(Run);
        if (c == u'\\') {
            const char16_t escaped = Ch(Run + 1);
            if (escaped == u'\'' || escaped == u'\\') {
                Run += 2;
                continue;
            }
        } else if (c == u'\'') {
            ++Run;
            return;
        }
        ++Run;
    }
}

// --- Preprocessor -------------------------------------------------------------------------

bool TCppHighlighter::StartsTrimmedLine() const noexcept {
    // Only blanks and control characters before Run. Scanning back stops at the first other
    // character, so a line of many # stays linear.
    for (qint32 i = Run - 1; i >= 0; --i)
        if (Ch(i) > 0x20) return false;
    return true;
}

void TCppHighlighter::DirectiveProc() {
    if (!StartsTrimmedLine()) {
        UnknownProc();
        return;
    }
    if (FNewPreprocesorStyle) {
        NewStyleDirective();
        return;
    }
    DirectiveBody();
}

void TCppHighlighter::DirectiveBody() {
    FTokenID = tkDirective;
    while (!IsLineEnd(Run)) {
        const char16_t c = Ch(Run);
        if (c == u'/') {
            const char16_t next = Ch(Run + 1);
            if (next == u'/') {
                fRange = rsUnknown;
                return;
            }
            if (next == u'*') {
                fRange = rsDirectiveComment;
                fDirectiveCommentOpener = true;
                return;
            }
        } else if (c == u'\\' && IsLineEnd(Run + 1)) {
            ++Run;
            fRange = rsMultiLineDirective;
            return;
        }
        ++Run;
    }
}

void TCppHighlighter::DirectiveEndProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c)) {
        LineEndProc();
        return;
    }
    fRange = rsUnknown;
    DirectiveBody();
    if (Run > fTokenPos) return;
    // The continued line starts with a comment: scan it now rather than give an empty
    // preprocessor token.
    if (fRange == rsDirectiveComment)
        AnsiCBody();
    else
        SlashProc();
}

void TCppHighlighter::NewStyleDirective() {
    FTokenID = tkDirective;
    ++Run;
    bool seenIdent = false;
    while (!IsLineEnd(Run)) {
        const char16_t c = Ch(Run);
        if (c <= 0x20 && seenIdent) break;
        if (IsIdentCharFast(c)) seenIdent = true;
        ++Run;
    }
    fRange = rsUnknown;
}

// --- Numbers ------------------------------------------------------------------------------

void TCppHighlighter::NumberProc(qint32 First) {
    // First is where the suffix and prefix checks look from: the number's first character, or
    // for a number that starts with a point, the character before the point.
    auto occurs = [this, First](qint32 last, char16_t lower, char16_t upper) {
        for (qint32 i = First; i <= last; ++i)
            if (Ch(i) == lower || Ch(i) == upper) return true;
        return false;
    };
    FTokenID = Ch(Run) == u'.' ? tkFloat : tkNumber;
    ++Run;
    for (;; ++Run) {
        const char16_t c = Ch(Run);
        switch (c) {
            case u'.':
                if (Ch(Run + 1) == u'.') goto finalTest;
                if (FTokenID == tkHex) {
                    FTokenID = tkUnknown;
                    return;
                }
                FTokenID = tkFloat;
                continue;
            case u'+':
            case u'-': {
                const char16_t before = Ch(Run - 1);
                if (FTokenID != tkFloat || (before != u'e' && before != u'E')) return;
                if (IsDigitOrSign(Ch(Run + 1))) continue;
                ++Run;
                FTokenID = tkUnknown;
                return;
            }
            case u'0':
            case u'1':
            case u'2':
            case u'3':
            case u'4':
            case u'5':
            case u'6':
            case u'7':
                if (Run == First + 1 && Ch(First) == u'0') FTokenID = tkOctal;
                continue;
            case u'8':
            case u'9':
                if (Ch(First) == u'0' && FTokenID != tkHex && FTokenID != tkFloat)
                    FTokenID = tkUnknown;
                continue;
            case u'A':
            case u'B':
            case u'C':
            case u'D':
            case u'a':
            case u'b':
            case u'c':
            case u'd':
                if (FTokenID != tkHex) goto finalTest;
                continue;
            case u'e':
            case u'E':
                if (FTokenID == tkHex) continue;
                if (!IsDigit(Ch(Run - 1))) goto finalTest;
                if (occurs(Run - 1, u'e', u'E')) {
                    FTokenID = tkUnknown;
                    return;
                }
                if (!IsDigitOrSign(Ch(Run + 1))) goto finalTest;
                FTokenID = tkFloat;
                continue;
            case u'f':
            case u'F':
                if (FTokenID == tkHex) continue;
                if (occurs(Run - 1, u'f', u'F')) {
                    FTokenID = tkUnknown;
                    return;
                }
                if (FTokenID == tkFloat && (Ch(Run - 1) == u'l' || Ch(Run - 1) == u'L'))
                    goto finalTest;
                FTokenID = tkFloat;
                continue;
            case u'l':
            case u'L':
                if (occurs(Run - 2, u'l', u'L')) {
                    FTokenID = tkUnknown;
                    return;
                }
                if (FTokenID == tkFloat && (Ch(Run - 1) == u'f' || Ch(Run - 1) == u'F'))
                    goto finalTest;
                continue;
            case u'u':
            case u'U':
                if (FTokenID == tkFloat) goto finalTest;
                if (occurs(Run - 1, u'u', u'U')) {
                    FTokenID = tkUnknown;
                    return;
                }
                continue;
            case u'x':
            case u'X':
                if (Run == First + 1 && Ch(First) == u'0' && IsHexDigit(Ch(Run + 1))) {
                    FTokenID = tkHex;
                    continue;
                }
                if (!IsIdentCharFast(Ch(Run + 1)) &&
                    (Ch(First + 1) == u'x' || Ch(First + 1) == u'X')) {
                    ++Run;
                    FTokenID = tkUnknown;
                }
                goto finalTest;
            default:
                goto finalTest;
        }
    }
finalTest:
    if (IsLetterOrUnderscore(Ch(Run))) FTokenID = tkUnknown;
}
