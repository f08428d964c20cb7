#include "highlighters/HighlighterPas.h"

namespace {

// Hash parameters of the keyword table.
constexpr quint32 kHashA = 526;
constexpr quint32 kHashB = 502;
constexpr quint32 kHashM = 641;

// --- Keyword table ------------------------------------------------------------------------

// What a word of the table scans as; the conditions are checked in IdentProc.
enum TPasWordKind : quint8 {
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

}  // namespace

const THashedKeywords& TPasHighlighter::Keywords() {
    // Lower case: the scanned line is lower-cased.
    static const THashedKeywords keywords(
        {
            {kwReserved,
             "absolute abstract and array as assembler begin case class const constructor "
             "default destructor div do downto dynamic else except export external far file "
             "finally for forward function goto if implementation in inherited initialization "
             "inline interface is label library message mod near nil not object of on or out "
             "override packed pascal private procedure program protected public published raise "
             "record register repeat set shl shr then to try type unit until uses var virtual "
             "while with xor"},
            {kwType,
             "ansistring boolean byte bytebool cardinal currency double extended int64 integer "
             "longbool longint longword real48 shortint shortstring single smallint string word "
             "wordbool"},
            {kwAsm, "asm"},
            {kwEnd, "end"},
            {kwExports, "exports"},
            {kwProperty, "property"},
            {kwLevel1, "cdecl finalization stdcall"},
            {kwLevel2,
             "automated dispid dispinterface resourcestring safecall stringresource threadvar"},
            {kwLevel3, "overload reintroduce"},
            {kwLevel5, "deprecated platform"},
            {kwLevel7, "final helper operator sealed"},
            {kwPackage, "contains package requires"},
            {kwPropertySpecifier, "read write stored nodefault"},
            {kwPropertyLevel2, "readonly writeonly"},
            {kwPropertyLevel3, "implements"},
            {kwIndex, "index"},
            {kwName, "name"},
        },
        kHashA, kHashB, kHashM);
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TPasHighlighter::TPasHighlighter()
    : TCustomHighlighter(false),
      fAsmAttri(AddAttribute(TCommonAttribute::Assembler)),
      fCommentAttri(AddAttribute(TCommonAttribute::Comment)),
      fDirecAttri(AddAttribute(TCommonAttribute::Preprocessor)),
      fIdentifierAttri(AddAttribute(TCommonAttribute::Identifier)),
      fKeyAttri(AddAttribute(TCommonAttribute::ReservedWord)),
      fNumberAttri(AddAttribute(TCommonAttribute::Number)),
      fFloatAttri(AddAttribute(TCommonAttribute::Float)),
      fHexAttri(AddAttribute(TCommonAttribute::Hexadecimal)),
      fSpaceAttri(AddAttribute(TCommonAttribute::Space)),
      fStringAttri(AddAttribute(TCommonAttribute::String)),
      fCharAttri(AddAttribute(TCommonAttribute::Character)),
      fSymbolAttri(AddAttribute(TCommonAttribute::Symbol)),
      fTypeAttri(AddAttribute(TCommonAttribute::DataType)) {
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
    SetKeywordTable(fKeywords);
    EndConstruction();
    fRange = rsUnKnown;
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

QString TPasHighlighter::GetSampleSource() const {
    return QStringLiteral(R"({ TNodeList keeps the nodes of one tree level }
unit NodeLists;

interface

uses
  SysUtils, Classes;

type
  TNodeList = class(TObject)
  private
    FCount: Integer;
    FItems: array of Pointer;
    FName: string;
    procedure SetName(const Value: string);
  public
    constructor Create(const AName: string);
    destructor Destroy; override;
    function Sum(Scale: Double): Double;
    property Count: Integer read FCount write FCount default 0;
    property Name: string read FName write SetName;
  end;

exports
  Sum index 1 name 'NodeListSum';

implementation

{$IFDEF DEBUG}
const Trace = True;
{$ENDIF}

(* Create names the list
   and leaves it empty. *)
constructor TNodeList.Create(const AName: string);
begin
  inherited Create;
  FName := AName + ' (''quoted'')' + #13#10 + #$41;
  FCount := $1F - 31;
end;

destructor TNodeList.Destroy;
begin
  SetLength(FItems, 0); // the items are not ours
  inherited;
end;

procedure TNodeList.SetName(const Value: string);
begin
  if (Value <> '') and (Value <> FName) then FName := Value;
end;

function TNodeList.Sum(Scale: Double): Double;
var
  I: Integer;
begin
  Result := 0.0;
  for I := 0 to FCount - 1 do
    Result := Result + Scale * 1.5e-3 + I div 2 mod 7;
  if Result >= 1E10 then Result := -1;
  asm
    mov eax, 1
    nop
  end;
  while (Result < 9) or not Assigned(@Sum) do Exit;
end;

end.
)");
}

const char* TPasHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkSymbol", "tkKey",    "tkAsm",   "tkComment", "tkIdentifier",
        "tkNull",   "tkNumber", "tkSpace", "tkString",  "tkUnknown",
        "tkFloat",  "tkHex",    "tkDirec", "tkChar",    "tkType",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
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
    const qint32 index = KeywordAtRun(*fKeywords);
    fTokenID = index < 0 ? tkIdentifier : WordKind(fKeywords->Kind(index));
    Run += fStringLen;
    while (IsIdentCharFast(Ch(Run)))
        ++Run;
}

TPasHighlighter::TtkTokenKind TPasHighlighter::WordKind(quint8 Kind) {
    auto keyIf = [](bool condition) { return condition ? tkKey : tkIdentifier; };
    const bool inProperty = fRange == rsProperty;
    switch (Kind) {
        case kwType:
            return tkType;
        case kwAsm:
            fRange = rsAsm;
            fAsmStart = true;
            return tkKey;
        case kwEnd:
            fRange = rsUnKnown;
            return tkKey;
        case kwExports:
            fRange = rsExports;
            return tkKey;
        case kwProperty:
            fRange = rsProperty;
            return tkKey;
        case kwLevel1:
            return keyIf(fLanguageLevel >= 1);
        case kwLevel2:
            return keyIf(fLanguageLevel >= 2);
        case kwLevel3:
            return keyIf(fLanguageLevel >= 3);
        case kwLevel5:
            return keyIf(fLanguageLevel >= 5);
        case kwLevel7:
            return keyIf(fLanguageLevel >= 7);
        case kwPackage:
            return keyIf(fPackageSource);
        case kwPropertySpecifier:
            return keyIf(inProperty);
        case kwPropertyLevel2:
            return keyIf(inProperty && fLanguageLevel >= 2);
        case kwPropertyLevel3:
            return keyIf(inProperty && fLanguageLevel >= 3);
        case kwIndex:
            return keyIf(inProperty || fRange == rsExports);
        case kwName:
            return keyIf(fRange == rsExports);
        default:
            return tkKey;
    }
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
