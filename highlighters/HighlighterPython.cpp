#include "highlighters/HighlighterPython.h"

namespace {

bool IsQuote(char16_t c) {
    return c == u'\'' || c == u'"';
}

}  // namespace

const THashedKeywords& TPythonHighlighter::Keywords() {
    static const THashedKeywords keywords({
        {tkKey,
         "and assert break class continue def del elif else except exec finally for from global "
         "if import in is lambda not or pass print raise return try while yield"},
        {tkNonKeyword,
         "__future__ __import__ abs apply as buffer callable chr cmp coerce compile complex "
         "delattr dict dir divmod eval execfile False file filter float getattr globals hasattr "
         "hash help hex id input int intern isinstance issubclass iter len list locals long None "
         "NotImplemented map max min oct open ord pow range raw_input reduce reload repr round "
         "self setattr slice str True tuple type unichr unicode vars xrange zip"},
    });
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TPythonHighlighter::TPythonHighlighter()
    : TCustomHighlighter(true),
      fCommentAttri(AddAttribute(TCommonAttribute::Comment)),
      fIdentifierAttri(AddAttribute(TCommonAttribute::Identifier)),
      fKeyAttri(AddAttribute(TCommonAttribute::ReservedWord)),
      fNonKeyAttri(AddAttribute(QStringLiteral("NonreservedKeyword"),
                                QStringLiteral("Non-reserved Keyword"))),
      fSystemAttri(AddAttribute(QStringLiteral("SystemFunctionsAndVariables"),
                                QStringLiteral("System Functions and Variables"))),
      fNumberAttri(AddAttribute(TCommonAttribute::Number)),
      fHexAttri(AddAttribute(TCommonAttribute::Hexadecimal)),
      fOctalAttri(AddAttribute(TCommonAttribute::Octal)),
      fFloatAttri(AddAttribute(TCommonAttribute::Float)),
      fSpaceAttri(AddAttribute(TCommonAttribute::Space)),
      fStringAttri(AddAttribute(TCommonAttribute::String)),
      fDocStringAttri(AddAttribute(TCommonAttribute::Documentation)),
      fSymbolAttri(AddAttribute(TCommonAttribute::Symbol)),
      fErrorAttri(AddAttribute(QStringLiteral("SyntaxError"), QStringLiteral("Syntax Error"))) {
    fCommentAttri->SetForeground(0x808080);
    fCommentAttri->SetStyle(hsItalic);
    fKeyAttri->SetStyle(hsBold);
    fNonKeyAttri->SetForeground(0x800000);
    fNonKeyAttri->SetStyle(hsBold);
    fSystemAttri->SetStyle(hsBold);
    fNumberAttri->SetForeground(0xFF0000);
    fHexAttri->SetForeground(0xFF0000);
    fOctalAttri->SetForeground(0xFF0000);
    fFloatAttri->SetForeground(0xFF0000);
    fStringAttri->SetForeground(0xFF0000);
    fDocStringAttri->SetForeground(0x808000);
    fErrorAttri->SetForeground(0x0000FF);

    fKindAttri[tkComment] = fCommentAttri;
    fKindAttri[tkIdentifier] = fIdentifierAttri;
    fKindAttri[tkKey] = fKeyAttri;
    fKindAttri[tkNull] = nullptr;
    fKindAttri[tkNumber] = fNumberAttri;
    fKindAttri[tkSpace] = fSpaceAttri;
    fKindAttri[tkString] = fStringAttri;
    fKindAttri[tkSymbol] = fSymbolAttri;
    fKindAttri[tkNonKeyword] = fNonKeyAttri;
    fKindAttri[tkTrippleQuotedString] = fDocStringAttri;
    fKindAttri[tkSystemDefined] = fSystemAttri;
    fKindAttri[tkHex] = fHexAttri;
    fKindAttri[tkOct] = fOctalAttri;
    fKindAttri[tkFloat] = fFloatAttri;
    fKindAttri[tkUnknown] = fErrorAttri;

    // No identifier or string role: those keep the editor's colours.
    fDefaultAttri = {fCommentAttri, nullptr, fKeyAttri, nullptr, fSpaceAttri, fSymbolAttri};
    SetKeywordTable(fKeywords);
    EndConstruction();
    fRange = rsUnKnown;
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

QString TPythonHighlighter::GetSampleSource() const {
    return QStringLiteral(R"(#!/usr/bin/env python3
# NodeList keeps the nodes of one tree level.
from __future__ import annotations
import os, sys

class NodeList(object):
    """The nodes of one level.

    They are rebuilt when the tree changes."""

    def __init__(self, name, scale=1.5e-3):
        self.name = r'raw\name' + ur"both" + 'it\'s'
        self.count = 0x1FL + 017 + 10 + 3j
        self.items = [1, 2.5, .5, 1e10]
        self.__hidden = None

    def total(self, factor=2):
        result = 0
        for i in range(len(self.items)):
            result += self.items[i] * factor % 7 ** 2
            if result >= 100 and not (result <= 0 or result != 3):
                return -1
        return result

    def describe(self):
        text = '''a
multi-line string'''
        note = "a string that goes on \
on the next line"
        return text + note + '$' + str(True)

if __name__ == '__main__':
    print(NodeList('root').total(), file=sys.stderr)
    x = lambda a, b: a << 2 | b >> 1 & ~0 ^ a
    values = {'a': 1, 'b': [x for x in range(3)]}
)");
}

const char* TPythonHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkComment",       "tkIdentifier", "tkKey",    "tkNull",       "tkNumber",
        "tkSpace",         "tkString",     "tkSymbol", "tkNonKeyword", "tkTrippleQuotedString",
        "tkSystemDefined", "tkHex",        "tkOct",    "tkFloat",      "tkUnknown",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
}

TCodeEditRange TPythonHighlighter::GetRange() const {
    if (fRange == rsMultilineString3)
        return fRange | (TCodeEditRange(fStringStarter) << kStarterShift);
    return fRange;
}

void TPythonHighlighter::SetRange(TCodeEditRange Value) {
    // A value this scanner never gave back (say, a line not scanned yet) starts afresh.
    const TCodeEditRange state = Value & ((TCodeEditRange(1) << kStarterShift) - 1);
    const TCodeEditRange starter = Value >> kStarterShift;
    fRange = rsUnKnown;
    if (state == rsMultilineString3 && (starter == u'\'' || starter == u'"')) {
        fRange = rsMultilineString3;
        fStringStarter = char16_t(starter);
    } else if (starter == 0 && (state == rsMultilineString || state == rsMultilineString2)) {
        fRange = TRangeState(state);
    }
}

// --- Scanner ------------------------------------------------------------------------------

void TPythonHighlighter::Next() {
    fTokenPos = Run;
    const char16_t c = Ch(Run);
    if (fRange >= rsMultilineString && !IsLineEndChar(c)) {
        ContinuedStringProc();
        TCustomHighlighter::Next();
        return;
    }
    switch (c) {
        case 0:
        case u'\n':
        case u'\r':
            LineEndProc();
            break;
        case u'!':
        case u'%':
        case u'&':
        case u'(':
        case u')':
        case u'*':
        case u'+':
        case u',':
        case u'-':
        case u'/':
        case u':':
        case u';':
        case u'=':
        case u'[':
        case u'\\':
        case u']':
        case u'^':
        case u'`':
        case u'{':
        case u'|':
        case u'}':
        case u'~':
            Token(tkSymbol, 1);
            break;
        case u'"':
        case u'\'':
            StringProc();
            break;
        case u'#':
            CommentProc();
            break;
        case u'$':
        case u'?':
        case u'@':
            Token(tkUnknown, 1);
            break;
        case u'<':
            Token(tkSymbol, Ch(Run + 1) == u'=' || Ch(Run + 1) == u'>' ? 2 : 1);
            break;
        case u'>':
            Token(tkSymbol, Ch(Run + 1) == u'=' ? 2 : 1);
            break;
        case u'R':
        case u'r':
            PrefixProc(IsQuote(Ch(Run + 1)) ? 1 : 0);
            break;
        case u'U':
        case u'u': {
            // u'...' is not a prefix here; only ur'...' is.
            const char16_t r = Ch(Run + 1);
            PrefixProc((r == u'R' || r == u'r') && IsQuote(Ch(Run + 2)) ? 2 : 0);
            break;
        }
        default:
            if (c > 0x7E) {
                Token(tkUnknown, 1);
            } else if (c <= 0x20) {
                FTokenID = tkSpace;
                SkipBlanks();
            } else if (c == u'.' || IsDigit(c)) {
                NumberProc();
            } else {
                IdentProc();
            }
            break;
    }
    TCustomHighlighter::Next();
}

void TPythonHighlighter::LineEndProc() {
    // A backslash-continued string goes on only while its lines end in a backslash; an empty
    // line ends it too.
    if (fRange == rsMultilineString3 && Ch(Run) == 0 && Ch(Run - 1) != u'\\') fRange = rsUnKnown;
    FTokenID = SkipLineEnd() ? tkSpace : tkNull;
}

void TPythonHighlighter::CommentProc() {
    FTokenID = tkComment;
    do
        ++Run;
    while (!IsLineEnd(Run));
}

void TPythonHighlighter::PrefixProc(qint32 PrefixLength) {
    if (PrefixLength == 0) {
        IdentProc();
        return;
    }
    // The token starts at the prefix and goes on as the string.
    Run += PrefixLength;
    StringProc();
}

void TPythonHighlighter::IdentProc() {
    const qint32 index = KeywordAtRun(*fKeywords);
    if (fStringLen == 0) {
        // A letter made a word-break character: the token must still take it.
        Token(tkUnknown, 1);
        return;
    }
    if (index >= 0) {
        FTokenID = TtkTokenKind(fKeywords->Kind(index));
    } else {
        // __name__: two underscores each side, the name itself not starting or ending in one.
        const qint32 n = fStringLen;
        const qint32 s = fToIdent;
        const bool system = n > 4 && Ch(s) == u'_' && Ch(s + 1) == u'_' && Ch(s + 2) != u'_' &&
                            Ch(s + n - 1) == u'_' && Ch(s + n - 2) == u'_' && Ch(s + n - 3) != u'_';
        FTokenID = system ? tkSystemDefined : tkIdentifier;
    }
    Run += fStringLen;
}

// Advances to the closing quote (or three of them) and takes it; false at the line end. A
// backslash takes the character after it, so an escaped quote never closes, while the
// quote after an escaped backslash does. Nothing before the token is looked at.
bool TPythonHighlighter::ScanToQuote(char16_t Quote, bool Triple) {
    while (!IsLineEnd(Run)) {
        const char16_t c = Ch(Run);
        if (c == u'\\' && !IsLineEnd(Run + 1)) {
            Run += 2;
        } else if (c != Quote) {
            ++Run;
        } else if (!Triple) {
            ++Run;
            return true;
        } else if (Ch(Run + 1) == Quote && Ch(Run + 2) == Quote) {
            Run += 3;
            return true;
        } else {
            ++Run;
        }
    }
    return false;
}

void TPythonHighlighter::StringProc() {
    const char16_t quote = Ch(Run);
    if (Ch(Run + 1) == quote && Ch(Run + 2) == quote) {
        TripleQuotedProc(quote);
        return;
    }
    FTokenID = tkString;
    ++Run;
    if (!ScanToQuote(quote, false) && Ch(Run - 1) == u'\\') {
        fStringStarter = quote;
        fRange = rsMultilineString3;
    }
}

void TPythonHighlighter::TripleQuotedProc(char16_t Quote) {
    FTokenID = tkTrippleQuotedString;
    Run += 3;
    fRange = Quote == u'\'' ? rsMultilineString : rsMultilineString2;
    if (ScanToQuote(Quote, true)) fRange = rsUnKnown;
}

void TPythonHighlighter::ContinuedStringProc() {
    if (fRange == rsMultilineString3) {
        FTokenID = tkString;
        if (ScanToQuote(fStringStarter, false) || Ch(Run - 1) != u'\\') fRange = rsUnKnown;
        return;
    }
    FTokenID = tkTrippleQuotedString;
    if (ScanToQuote(fRange == rsMultilineString ? u'\'' : u'"', true)) fRange = rsUnKnown;
}

// --- Numbers ------------------------------------------------------------------------------

void TPythonHighlighter::NumberProc() {
    enum TNumberState { nsStart, nsDot, nsFloatNeeded, nsHex, nsOctal, nsExponent };
    // An ellipsis after a point leaves the point out of the number.
    auto dotAccepted = [this] { return !(Ch(Run + 1) == u'.' && Ch(Run + 2) == u'.'); };
    // Malformed: the rest of the word and any points go with it.
    auto bad = [this] {
        FTokenID = tkUnknown;
        for (char16_t c = Ch(Run); c == u'.' || IsIdentCharFast(c); c = Ch(++Run)) {
        }
    };

    const char16_t first = Ch(Run);
    if (first == u'.' && !IsDigit(Ch(Run + 1))) {
        FTokenID = tkSymbol;
        Run += Ch(Run + 1) == u'.' && Ch(Run + 2) == u'.' ? 3 : 1;
        return;
    }
    FTokenID = first == u'.' ? tkFloat : tkNumber;
    TNumberState state = first == u'.' ? nsDot : nsStart;
    ++Run;
    if (first == u'0') {
        const char16_t c = Ch(Run);
        if (c == u'x' || c == u'X') {
            FTokenID = tkHex;
            state = nsHex;
            ++Run;
        } else if (c == u'.') {
            FTokenID = tkFloat;
            state = nsDot;
            ++Run;
        } else if (c >= u'0' && c <= u'7') {
            FTokenID = tkOct;
            state = nsOctal;
            ++Run;
        } else if (c == u'8' || c == u'9') {
            FTokenID = tkFloat;
            state = nsFloatNeeded;
            ++Run;
        }
    }
    for (;;) {
        const char16_t c = Ch(Run);
        const bool ident = IsIdentCharFast(c);
        // Shared steps.
        if ((c == u'e' || c == u'E') && state != nsHex && state != nsExponent) {
            FTokenID = tkFloat;
            state = nsExponent;
            // The e, and a sign after it, are taken; a digit must follow.
            if (Ch(Run + 1) == u'+' || Ch(Run + 1) == u'-') ++Run;
            ++Run;
            if (!IsDigit(Ch(Run))) {
                bad();
                return;
            }
            continue;
        }
        if ((c == u'j' || c == u'J') && state != nsHex) {
            FTokenID = tkFloat;
            ++Run;
            return;
        }
        if ((c == u'l' || c == u'L') && (state == nsHex || state == nsOctal)) {
            ++Run;
            return;
        }
        switch (state) {
            case nsStart:
            case nsOctal:
            case nsFloatNeeded:
                if (IsDigit(c)) {
                    if (state == nsOctal && c >= u'8') {
                        FTokenID = tkFloat;
                        state = nsFloatNeeded;
                    }
                    ++Run;
                } else if (c == u'.') {
                    if (!dotAccepted()) {
                        if (state == nsFloatNeeded) bad();
                        return;
                    }
                    FTokenID = tkFloat;
                    state = nsDot;
                    ++Run;
                } else if (ident || state == nsFloatNeeded) {
                    bad();
                    return;
                } else {
                    return;
                }
                break;
            case nsDot:
            case nsExponent:
            case nsHex:
                if (state == nsHex ? IsHexDigit(c) : IsDigit(c)) {
                    ++Run;
                } else if (c == u'.') {
                    if (dotAccepted()) bad();
                    return;
                } else if (ident) {
                    bad();
                    return;
                } else {
                    return;
                }
                break;
        }
    }
}
