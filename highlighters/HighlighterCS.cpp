#include "highlighters/HighlighterCS.h"

namespace {

// Hash parameters of the keyword table.
constexpr quint32 kHashA = 52;
constexpr quint32 kHashB = 456;
constexpr quint32 kHashM = 211;

// The kinds the shared scanner gives, by this language's numbers: no brackets and no
// character kind of their own.
constexpr TCFamilyHighlighter::TCFamilyRules kCSRules = {
    .Symbol = TCSHighlighter::tkSymbol,
    .Bracket = TCSHighlighter::tkSymbol,
    .Key = TCSHighlighter::tkKey,
    .Type = TCSHighlighter::tkType,
    .Asm = TCSHighlighter::tkAsm,
    .Comment = TCSHighlighter::tkComment,
    .Directive = TCSHighlighter::tkDirective,
    .Identifier = TCSHighlighter::tkIdentifier,
    .Null = TCSHighlighter::tkNull,
    .Number = TCSHighlighter::tkNumber,
    .Space = TCSHighlighter::tkSpace,
    .String = TCSHighlighter::tkString,
    .Char = TCSHighlighter::tkString,
    .Unknown = TCSHighlighter::tkUnknown,
    .PointStartsNumber = false,
    .EmptyLineEndsDirective = true,
};

bool IsNumberChar(char16_t c) {
    switch (c) {
        case u'.':
        case u'L':
        case u'l':
        case u'U':
        case u'u':
        case u'X':
        case u'x':
            return true;
        default:
            return TCustomHighlighter::IsHexDigit(c);
    }
}

}  // namespace

const THashedKeywords& TCSHighlighter::Keywords() {
    static const THashedKeywords keywords(
        {
            {cwReserved,
             "abstract as base break case catch checked class const continue default delegate "
             "do else enum event explicit extern false finally fixed for foreach goto if "
             "implicit in interface internal is lock namespace new null object operator out "
             "override params private protected public readonly ref return sealed sizeof "
             "stackalloc static struct switch this throw true try typeof unchecked unsafe using "
             "virtual void volatile while"},
            {cwType,
             "bool byte char decimal double float int long sbyte short string uint ulong ushort"},
        },
        kHashA, kHashB, kHashM);
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TCSHighlighter::TCSHighlighter()
    : TCFamilyHighlighter(kCSRules, Keywords()),
      fAsmAttri(AddAttribute(TCommonAttribute::Assembler)),
      fCommentAttri(AddAttribute(TCommonAttribute::Comment)),
      fIdentifierAttri(AddAttribute(TCommonAttribute::Identifier)),
      fInvalidAttri(AddAttribute(TCommonAttribute::IllegalChar)),
      fKeyAttri(AddAttribute(TCommonAttribute::ReservedWord)),
      fNumberAttri(AddAttribute(TCommonAttribute::Number)),
      fSpaceAttri(AddAttribute(TCommonAttribute::Space)),
      fStringAttri(AddAttribute(TCommonAttribute::String)),
      fSymbolAttri(AddAttribute(TCommonAttribute::Symbol)),
      fDirecAttri(AddAttribute(TCommonAttribute::Preprocessor)),
      fTypeAttri(AddAttribute(TCommonAttribute::DataType)) {
    fCommentAttri->SetStyle(hsItalic);
    fKeyAttri->SetStyle(hsBold);

    fKindAttri[tkSymbol] = fSymbolAttri;
    fKindAttri[tkKey] = fKeyAttri;
    fKindAttri[tkAsm] = fAsmAttri;
    fKindAttri[tkComment] = fCommentAttri;
    fKindAttri[tkDirective] = fDirecAttri;
    fKindAttri[tkIdentifier] = fIdentifierAttri;
    fKindAttri[tkNull] = nullptr;
    fKindAttri[tkNumber] = fNumberAttri;
    fKindAttri[tkSpace] = fSpaceAttri;
    fKindAttri[tkString] = fStringAttri;
    fKindAttri[tkType] = fTypeAttri;
    fKindAttri[tkUnknown] = fInvalidAttri;

    // No default attribute for symbols.
    fDefaultAttri = {fCommentAttri, fIdentifierAttri, fKeyAttri,
                     fStringAttri,  fSpaceAttri,      nullptr};
    EndConstruction();
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

QString TCSHighlighter::GetSampleSource() const {
    return QStringLiteral(R"(#region Usings
using System;
using System.Collections.Generic;
#endregion
#if DEBUG // only while debugging
#define TRACE
#endif

/* NodeList keeps the nodes of one tree level.
 * It is rebuilt when the tree changes. */
namespace Nodes
{
    public sealed class NodeList<T> where T : class
    {
        private readonly List<T> items = new List<T>();
        private int count;
        private const string Name = "node list";

        public int Count { get { return count; } }

        public double Sum(double scale)
        {
            double result = 0.0;
            for (int i = 0; i < items.Count; ++i)
            {
                result += scale * 1.5e10 + i / 2 % 7;
                result -= 0x1FUL + 10u + 3.5;
            }
            if (result >= 100 && !(count <= 0 || count != 3)) return -1;
            return result;
        }

        public void Rename(string text)
        {
            string quoted = "\"quoted\" and a tab\t";
            char sep = '\'';
            bool empty = text == null;
            uint flags = 0;
            flags |= 1 << 3;
            flags &= ~0u;
            flags ^= flags >> 2;
            count = count > 0 ? count - 1 : 0;
            string path = @"C:\temp";
            foreach (var item in items) { Console.WriteLine(item); }
        }
    }

    internal static class Greeting
    {
        public static readonly string Text = "a string that goes on \
on the next line";
    }
}
)");
}

const char* TCSHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkSymbol", "tkKey",    "tkAsm",   "tkComment", "tkDirective", "tkIdentifier",
        "tkNull",   "tkNumber", "tkSpace", "tkString",  "tkType",      "tkUnknown",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
}

TCodeEditRange TCSHighlighter::GetRange() const {
    return fRange == TCFamilyHighlighter::rsMultiLineDirective ? TCodeEditRange(rsDirective)
                                                               : TCodeEditRange(fRange);
}

void TCSHighlighter::SetRange(TCodeEditRange Value) {
    // Ranges this scanner never gives back (say, a line not scanned yet) start afresh.
    switch (Value) {
        case rsAnsiC:
        case rsDirectiveComment:
        case rsMultiLineString:
            fRange = TCFamilyHighlighter::TRangeState(Value);
            break;
        case rsDirective:
            fRange = TCFamilyHighlighter::rsMultiLineDirective;
            break;
        default:
            fRange = TCFamilyHighlighter::rsUnknown;
            break;
    }
}

// --- Scanner ------------------------------------------------------------------------------

void TCSHighlighter::DirectiveProc() {
    // Wherever it stands.
    DirectiveBody();
}

void TCSHighlighter::NumberProc(qint32) {
    FTokenID = tkNumber;
    ++Run;
    SkipNumberChars(IsNumberChar);
}
