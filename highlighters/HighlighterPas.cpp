#include "highlighters/HighlighterPas.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace {

// Hash parameters of the keyword table.
constexpr quint32 kHashA = 526;
constexpr quint32 kHashB = 502;
constexpr quint32 kHashM = 641;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsHexDigit(char16_t c) {
    return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// --- Keyword table ------------------------------------------------------------------------

enum TPasWordKind {
    kwReserved,
    kwType,
    kwAsm,
    kwEnd,
    kwExports,
    kwProperty,
    kwLevel1,
    kwLevel2,
    kwLevel3,
    kwLevel5,
    kwLevel7,
    kwPackage,
    kwPropertySpecifier,
    kwPropertyLevel2,
    kwPropertyLevel3,
    kwIndex,
    kwName,
};

// The words of the table, lower case, by the keyword function their slot gets.
const std::pair<TPasWordKind, const char*> kPasWordGroups[] = {
    {kwReserved,
     "absolute abstract and array as assembler begin case class const constructor default "
     "destructor div do downto dynamic else except export external far file finally for forward "
     "function goto if implementation in inherited initialization inline interface is label "
     "library message mod near nil not object of on or out override packed pascal private "
     "procedure program protected public published raise record register repeat set shl shr "
     "then to try type unit until uses var virtual while with xor"},
    {kwType,
     "ansistring boolean byte bytebool cardinal currency double extended int64 integer longbool "
     "longint longword real48 shortint shortstring single smallint string word wordbool"},
    {kwAsm, "asm"},
    {kwEnd, "end"},
    {kwExports, "exports"},
    {kwProperty, "property"},
    {kwLevel1, "cdecl finalization stdcall"},
    {kwLevel2, "automated dispid dispinterface resourcestring safecall stringresource threadvar"},
    {kwLevel3, "overload reintroduce"},
    {kwLevel5, "deprecated platform"},
    {kwLevel7, "final helper operator sealed"},
    {kwPackage, "contains package requires"},
    {kwPropertySpecifier, "read write stored nodefault"},
    {kwPropertyLevel2, "readonly writeonly"},
    {kwPropertyLevel3, "implements"},
    {kwIndex, "index"},
    {kwName, "name"},
};

struct TPasWords {
    QStringList Words;
    std::vector<TPasWordKind> Kinds;  // per word
};

const TPasWords& PasWords() {
    static const TPasWords words = [] {
        TPasWords result;
        for (const auto& [kind, group] : kPasWordGroups) {
            for (const QString& word : QString::fromLatin1(group).split(u' ')) {
                result.Words << word;
                result.Kinds.push_back(kind);
            }
        }
        return result;
    }();
    return words;
}

}  // namespace

const THashedKeywords& TPasHighlighter::Keywords() {
    static const THashedKeywords keywords(PasWords().Words, kHashA, kHashB, kHashM);
    return keywords;
}

const TPasHighlighter::TIdentFunc* TPasHighlighter::IdentFuncTable() {
    static const std::vector<TIdentFunc> table = [] {
        static const TIdentFunc byKind[] = {
            &TPasHighlighter::KeyWordFunc,
            &TPasHighlighter::TypeFunc,
            &TPasHighlighter::FuncAsm,
            &TPasHighlighter::FuncEnd,
            &TPasHighlighter::FuncExports,
            &TPasHighlighter::FuncProperty,
            &TPasHighlighter::FuncLevel1,
            &TPasHighlighter::FuncLevel2,
            &TPasHighlighter::FuncLevel3,
            &TPasHighlighter::FuncLevel5,
            &TPasHighlighter::FuncLevel7,
            &TPasHighlighter::FuncPackage,
            &TPasHighlighter::FuncPropertySpecifier,
            &TPasHighlighter::FuncPropertyLevel2,
            &TPasHighlighter::FuncPropertyLevel3,
            &TPasHighlighter::FuncIndex,
            &TPasHighlighter::FuncName,
        };
        const THashedKeywords& keywords = Keywords();
        std::vector<TIdentFunc> t(keywords.TableSize(), &TPasHighlighter::AltFunc);
        for (quint32 slot = 0; slot < keywords.TableSize(); ++slot) {
            const qint32 index = keywords.IndexAt(slot);
            if (index >= 0) t[slot] = byKind[PasWords().Kinds[size_t(index)]];
        }
        return t;
    }();
    return table.data();
}

// --- Construction -------------------------------------------------------------------------

TPasHighlighter::TPasHighlighter()
    : TCustomHighlighter(false),
      fAsmAttri(AddAttribute(QStringLiteral("Assembler"), QStringLiteral("Assembler"))),
      fCommentAttri(AddAttribute(QStringLiteral("Comment"), QStringLiteral("Comment"))),
      fDirecAttri(AddAttribute(QStringLiteral("Preprocessor"), QStringLiteral("Preprocessor"))),
      fIdentifierAttri(AddAttribute(QStringLiteral("Identifier"), QStringLiteral("Identifier"))),
      fKeyAttri(AddAttribute(QStringLiteral("ReservedWord"), QStringLiteral("Reserved Word"))),
      fNumberAttri(AddAttribute(QStringLiteral("Number"), QStringLiteral("Number"))),
      fFloatAttri(AddAttribute(QStringLiteral("Float"), QStringLiteral("Float"))),
      fHexAttri(AddAttribute(QStringLiteral("Hexadecimal"), QStringLiteral("Hexadecimal"))),
      fSpaceAttri(AddAttribute(QStringLiteral("Space"), QStringLiteral("Space"))),
      fStringAttri(AddAttribute(QStringLiteral("String"), QStringLiteral("String"))),
      fCharAttri(AddAttribute(QStringLiteral("Character"), QStringLiteral("Character"))),
      fSymbolAttri(AddAttribute(QStringLiteral("Symbol"), QStringLiteral("Symbol"))),
      fTypeAttri(AddAttribute(QStringLiteral("DataType"), QStringLiteral("Data Type"))) {
    fCommentAttri->SetStyle(hsItalic);
    fDirecAttri->SetStyle(hsItalic);
    fKeyAttri->SetStyle(hsBold);

    fKindAttri[tkSymbol] = fSymbolAttri;
    fKindAttri[tkKey] = fKeyAttri;
    fKindAttri[tkAsm] = fAsmAttri;
    fKindAttri[tkComment] = fCommentAttri;
    fKindAttri[tkIdentifier] = fIdentifierAttri;
    fKindAttri[tkNull] = nullptr;
    fKindAttri[tkNumber] = fNumberAttri;
    fKindAttri[tkSpace] = fSpaceAttri;
    fKindAttri[tkString] = fStringAttri;
    fKindAttri[tkUnknown] = fSymbolAttri;
    fKindAttri[tkFloat] = fFloatAttri;
    fKindAttri[tkHex] = fHexAttri;
    fKindAttri[tkDirec] = fDirecAttri;
    fKindAttri[tkChar] = fCharAttri;
    fKindAttri[tkType] = fTypeAttri;

    fDefaultAttri = {fCommentAttri, fIdentifierAttri, fKeyAttri,
                     fStringAttri,  fSpaceAttri,      fSymbolAttri};
    EndConstruction();
    fRange = rsUnKnown;
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

const char* TPasHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkSymbol", "tkKey",    "tkAsm",   "tkComment", "tkIdentifier",
        "tkNull",   "tkNumber", "tkSpace", "tkString",  "tkUnknown",
        "tkFloat",  "tkHex",    "tkDirec", "tkChar",    "tkType",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
}

bool TPasHighlighter::IsKeyword(QStringView AKeyword) const {
    return Keywords().IndexOf(AKeyword.toString().toLower()) >= 0;
}

void TPasHighlighter::SetRange(TCodeEditRange Value) {
    // A value this scanner never gave back (say, a line not scanned yet) starts afresh.
    fRange = Value >= rsANil && Value <= rsUnKnown ? TRangeState(Value) : rsUnKnown;
}

void TPasHighlighter::NotifyLanguageChange() {
    DefHighlightChange(nullptr);
}

void TPasHighlighter::SetLanguageLevel(quint8 Value) {
    if (Value > kMaxLanguageLevel) Value = kMaxLanguageLevel;
    if (fLanguageLevel == Value) return;
    fLanguageLevel = Value;
    if (fLanguageLevel < 2 && fPackageSource) fPackageSource = false;
    NotifyLanguageChange();
}

void TPasHighlighter::SetPackageSource(bool Value) {
    if (fPackageSource == Value) return;
    fPackageSource = Value;
    if (fPackageSource && fLanguageLevel < 2) fLanguageLevel = 2;
    NotifyLanguageChange();
}

// --- Keyword functions --------------------------------------------------------------------

TPasHighlighter::TtkTokenKind TPasHighlighter::AltFunc(qint32) {
    return tkIdentifier;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::KeyIf(bool Condition, qint32 Index) {
    return Condition && IsCurrentToken(*fKeywords, Index) ? tkKey : tkIdentifier;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::KeyWordFunc(qint32 Index) {
    return KeyIf(true, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::TypeFunc(qint32 Index) {
    return IsCurrentToken(*fKeywords, Index) ? tkType : tkIdentifier;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncAsm(qint32 Index) {
    if (!IsCurrentToken(*fKeywords, Index)) return tkIdentifier;
    fRange = rsAsm;
    fAsmStart = true;
    return tkKey;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncEnd(qint32 Index) {
    if (!IsCurrentToken(*fKeywords, Index)) return tkIdentifier;
    fRange = rsUnKnown;
    return tkKey;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncExports(qint32 Index) {
    if (!IsCurrentToken(*fKeywords, Index)) return tkIdentifier;
    fRange = rsExports;
    return tkKey;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncProperty(qint32 Index) {
    if (!IsCurrentToken(*fKeywords, Index)) return tkIdentifier;
    fRange = rsProperty;
    return tkKey;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncLevel1(qint32 Index) {
    return KeyIf(fLanguageLevel >= 1, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncLevel2(qint32 Index) {
    return KeyIf(fLanguageLevel >= 2, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncLevel3(qint32 Index) {
    return KeyIf(fLanguageLevel >= 3, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncLevel5(qint32 Index) {
    return KeyIf(fLanguageLevel >= 5, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncLevel7(qint32 Index) {
    return KeyIf(fLanguageLevel >= 7, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncPackage(qint32 Index) {
    return KeyIf(fPackageSource, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncPropertySpecifier(qint32 Index) {
    return KeyIf(fRange == rsProperty, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncPropertyLevel2(qint32 Index) {
    return KeyIf(fRange == rsProperty && fLanguageLevel >= 2, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncPropertyLevel3(qint32 Index) {
    return KeyIf(fRange == rsProperty && fLanguageLevel >= 3, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncIndex(qint32 Index) {
    return KeyIf(fRange == rsProperty || fRange == rsExports, Index);
}

TPasHighlighter::TtkTokenKind TPasHighlighter::FuncName(qint32 Index) {
    return KeyIf(fRange == rsExports, Index);
}

// --- Scanner ------------------------------------------------------------------------------

void TPasHighlighter::Next() {
    fAsmStart = false;
    fTokenPos = Run;
    switch (fRange) {
        case rsAnsi:
        case rsAnsiAsm:
            AnsiProc();
            break;
        case rsBor:
        case rsBorAsm:
        case rsDirective:
        case rsDirectiveAsm:
            BorProc();
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
                case u'"':
                case u'%':
                case u'&':
                case u')':
                case u'*':
                case u'+':
                case u',':
                case u'-':
                case u'=':
                case u'?':
                case u'[':
                case u'\\':
                case u']':
                case u'^':
                case u'`':
                case u'}':
                case u'~':
                    SymbolProc();
                    break;
                case u'#':
                    AsciiCharProc();
                    break;
                case u'$':
                    IntegerProc();
                    break;
                case u'\'':
                    StringProc();
                    break;
                case u'(':
                    RoundOpenProc();
                    break;
                case u'.':
                    PointProc();
                    break;
                case u'/':
                    SlashProc();
                    break;
                case u':':
                case u'>':
                    ColonOrGreaterProc();
                    break;
                case u';':
                    SemicolonProc();
                    break;
                case u'<':
                    LowerProc();
                    break;
                case u'@':
                    AddressOpProc();
                    break;
                case u'{':
                    BraceOpenProc();
                    break;
                default:
                    if (c <= 0x20)
                        SpaceProc();
                    else if (IsDigit(c))
                        NumberProc();
                    else if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_')
                        IdentProc();
                    else
                        UnknownProc();
                    break;
            }
        }
    }
    TCustomHighlighter::Next();
}

void TPasHighlighter::SpaceProc() {
    fTokenID = tkSpace;
    SkipBlanks();
}

void TPasHighlighter::LineEndProc() {
    fTokenID = SkipLineEnd() ? tkSpace : tkNull;
}

void TPasHighlighter::SymbolProc() {
    fTokenID = tkSymbol;
    ++Run;
}

void TPasHighlighter::UnknownProc() {
    fTokenID = tkUnknown;
    ++Run;
}

void TPasHighlighter::AsciiCharProc() {
    fTokenID = tkChar;
    ++Run;
    for (char16_t c = Ch(Run); c == u'$' || IsHexDigit(c); c = Ch(++Run)) {
    }
}

void TPasHighlighter::IntegerProc() {
    fTokenID = tkHex;
    ++Run;
    while (IsHexDigit(Ch(Run)))
        ++Run;
}

void TPasHighlighter::StringProc() {
    fTokenID = tkString;
    ++Run;
    while (!IsLineEnd(Run)) {
        if (Ch(Run) == u'\'') {
            ++Run;
            // A doubled apostrophe is one apostrophe inside the string.
            if (Ch(Run) != u'\'') return;
        }
        ++Run;
    }
}

void TPasHighlighter::RoundOpenProc() {
    ++Run;
    switch (Ch(Run)) {
        case u'*':
            ++Run;
            fRange = fRange == rsAsm ? rsAnsiAsm : rsAnsi;
            fTokenID = tkComment;
            // The search for the closing pair starts after the opener, so (*) stays open.
            if (!IsLineEnd(Run)) AnsiBody();
            break;
        case u'.':
            ++Run;
            fTokenID = tkSymbol;
            break;
        default:
            fTokenID = tkSymbol;
            break;
    }
}

void TPasHighlighter::PointProc() {
    fTokenID = tkSymbol;
    ++Run;
    if (Ch(Run) == u'.') ++Run;
}

void TPasHighlighter::SlashProc() {
    if (Ch(Run + 1) == u'/' && fLanguageLevel >= 1) {
        fTokenID = tkComment;
        Run += 2;
        while (!IsLineEnd(Run))
            ++Run;
    } else {
        SymbolProc();
    }
}

void TPasHighlighter::NumberProc() {
    fTokenID = tkNumber;
    ++Run;
    for (;;) {
        const char16_t c = Ch(Run);
        if (IsDigit(c)) {
        } else if (c == u'.') {
            if (Ch(Run + 1) == u'.') return;  // a range: 1..9
            fTokenID = tkFloat;
        } else if (c == u'e' || c == u'E') {
            fTokenID = tkFloat;
        } else if (c == u'+' || c == u'-') {
            // A sign belongs to the number only right after an exponent's e.
            const char16_t before = Ch(Run - 1);
            if (fTokenID != tkFloat || (before != u'e' && before != u'E')) return;
        } else {
            return;
        }
        ++Run;
    }
}

void TPasHighlighter::ColonOrGreaterProc() {
    fTokenID = tkSymbol;
    ++Run;
    if (Ch(Run) == u'=') ++Run;
}

void TPasHighlighter::SemicolonProc() {
    fTokenID = tkSymbol;
    ++Run;
    if (fRange == rsProperty || fRange == rsExports) fRange = rsUnKnown;
}

void TPasHighlighter::LowerProc() {
    fTokenID = tkSymbol;
    ++Run;
    if (Ch(Run) == u'=' || Ch(Run) == u'>') ++Run;
}

void TPasHighlighter::AddressOpProc() {
    fTokenID = tkSymbol;
    ++Run;
    if (Ch(Run) == u'@') ++Run;
}

void TPasHighlighter::IdentProc() {
    const quint32 slot = HashIdentAtRun(*fKeywords);
    fTokenID = (this->*fIdentFuncs[slot])(fKeywords->IndexAt(slot));
    Run += fStringLen;
    while (IsIdentCharFast(Ch(Run)))
        ++Run;
}

void TPasHighlighter::BraceOpenProc() {
    if (Ch(Run + 1) == u'$')
        fRange = fRange == rsAsm ? rsDirectiveAsm : rsDirective;
    else
        fRange = fRange == rsAsm ? rsBorAsm : rsBor;
    BorBody();
}

void TPasHighlighter::AnsiProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c))
        LineEndProc();
    else
        AnsiBody();
}

void TPasHighlighter::AnsiBody() {
    fTokenID = tkComment;
    do {
        if (Ch(Run) == u'*' && Ch(Run + 1) == u')') {
            Run += 2;
            fRange = fRange == rsAnsiAsm ? rsAsm : rsUnKnown;
            return;
        }
        ++Run;
    } while (!IsLineEnd(Run));
}

void TPasHighlighter::BorProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c))
        LineEndProc();
    else
        BorBody();
}

void TPasHighlighter::BorBody() {
    fTokenID = fRange == rsDirective || fRange == rsDirectiveAsm ? tkDirec : tkComment;
    do {
        if (Ch(Run) == u'}') {
            ++Run;
            fRange = fRange == rsBorAsm || fRange == rsDirectiveAsm ? rsAsm : rsUnKnown;
            return;
        }
        ++Run;
    } while (!IsLineEnd(Run));
}
