#include "highlighters/HighlighterCpp.h"

namespace {

// Hash parameters of the keyword table.
constexpr quint32 kHashA = 61;
constexpr quint32 kHashB = 145;
constexpr quint32 kHashM = 641;

bool IsDigitOrSign(char16_t c) {
    return TCustomHighlighter::IsDigit(c) || c == u'+' || c == u'-';
}

// The kinds the shared scanner gives, by this language's numbers.
constexpr TCFamilyHighlighter::TCFamilyRules kCppRules = {
    .Symbol = TCppHighlighter::tkSymbol,
    .Bracket = TCppHighlighter::tkBracket,
    .Key = TCppHighlighter::tkKey,
    .Type = TCppHighlighter::tkKey,
    .Asm = TCppHighlighter::tkAsm,
    .Comment = TCppHighlighter::tkComment,
    .Directive = TCppHighlighter::tkDirective,
    .Identifier = TCppHighlighter::tkIdentifier,
    .Null = TCppHighlighter::tkNull,
    .Number = TCppHighlighter::tkNumber,
    .Space = TCppHighlighter::tkSpace,
    .String = TCppHighlighter::tkString,
    .Char = TCppHighlighter::tkChar,
    .Unknown = TCppHighlighter::tkUnknown,
    .PointStartsNumber = true,
    .EmptyLineEndsDirective = false,
};

}  // namespace

const THashedKeywords& TCppHighlighter::Keywords() {
    static const THashedKeywords keywords(
        {
            {cwAsm, "__asm _asm asm"},
            {cwReserved,
             "__automated __cdecl __classid __closure __declspec __dispid __except __export "
             "__fastcall __finally __import __int16 __int32 __int64 __int8 __pascal __property "
             "__published __rtti __stdcall __thread __try _Alignas _Alignof _Atomic _Bool _cdecl "
             "_Complex _export _fastcall _Generic _Imaginary _import _Noreturn _pascal _Pragma "
             "_Static_assert _stdcall _Thread_local alignas alignof and and_eq auto bitand bitor "
             "bool break case catch cdecl char char16_t char32_t class compl const const_cast "
             "constexpr continue decltype default delete do double dynamic_cast else enum "
             "explicit extern false final float for friend goto if inline int interface long "
             "mutable namespace new noexcept not not_eq nullptr operator or or_eq override "
             "pascal private protected public register reinterpret_cast restrict return short "
             "signed sizeof static static_assert static_cast struct switch template this "
             "thread_local throw true try typedef typeid typename union unsigned using virtual "
             "void volatile wchar_t while xor xor_eq"},
        },
        kHashA, kHashB, kHashM);
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TCppHighlighter::TCppHighlighter()
    : TCFamilyHighlighter(kCppRules, Keywords()),
      fAsmAttri(AddAttribute(TCommonAttribute::Assembler)),
      fBracketAttri(AddAttribute(QStringLiteral("Brackets"), QStringLiteral("Brackets"))),
      fCommentAttri(AddAttribute(TCommonAttribute::Comment)),
      fIdentifierAttri(AddAttribute(TCommonAttribute::Identifier)),
      fInvalidAttri(AddAttribute(TCommonAttribute::IllegalChar)),
      fKeyAttri(AddAttribute(TCommonAttribute::ReservedWord)),
      fNumberAttri(AddAttribute(TCommonAttribute::Number)),
      fCharAttri(AddAttribute(TCommonAttribute::Character)),
      fFloatAttri(AddAttribute(TCommonAttribute::Float)),
      fHexAttri(AddAttribute(TCommonAttribute::Hexadecimal)),
      fOctalAttri(AddAttribute(TCommonAttribute::Octal)),
      fSpaceAttri(AddAttribute(TCommonAttribute::Space)),
      fStringAttri(AddAttribute(TCommonAttribute::String)),
      fSymbolAttri(AddAttribute(TCommonAttribute::Symbol)),
      fDirecAttri(AddAttribute(TCommonAttribute::Preprocessor)) {
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
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

QString TCppHighlighter::GetSampleSource() const {
    return QStringLiteral(R"(#include <string>
#include <vector> // for the node list
#define MAX_OF(a, b) \
    ((a) > (b) ? (a) : (b))
#if defined(TRACE) /* only while
                      debugging */
#endif

/* NodeList keeps the nodes of one tree level.
 * It is rebuilt when the tree changes. */
namespace nodes {

template <typename T>
class NodeList final {
public:
    explicit NodeList(const std::string& name) : name_(name), count_(0) {}
    ~NodeList() = default;

    double Sum(double scale) const noexcept {
        double result = 0.0;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            result += scale * 1.5e-3 + items_[i] / 2 % 7;
            result -= .5f + 0x1F + 017 + 10UL + 08;
        }
        if (result >= 1E10 && !(count_ <= 0 || count_ != 3)) return -1;
        return result;
    }

    void Rename(const char* text) {
        name_ = text;
        name_ += "\"quoted\" and a tab\t";
        char sep = '\'';
        unsigned flags = 0;
        flags |= 1 << 3;
        flags &= ~0u;
        flags ^= flags >> 2;
        count_ = count_ > 0 ? count_ - 1 : 0;
        auto* self = this;
        self->count_++;
        (void)sep;
    }

private:
    std::string name_;
    std::vector<T> items_;
    int count_;
};

}  // namespace nodes

static const char* kGreeting = "a string that goes on \
on the next line";

void Spin() {
    asm { mov eax, 1 }
    __asm nop;
}
)");
}

const char* TCppHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkBracket",    "tkKey",   "tkSymbol", "tkAsm",   "tkComment", "tkDirective",
        "tkIdentifier", "tkNull",  "tkNumber", "tkSpace", "tkString",  "tkUnknown",
        "tkChar",       "tkFloat", "tkHex",    "tkOctal",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
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
