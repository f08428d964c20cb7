#include "highlighters/HighlighterJava.h"

namespace {

// Hash parameters of the keyword table.
constexpr quint32 kHashA = 598;
constexpr quint32 kHashB = 349;
constexpr quint32 kHashM = 113;

bool IsNumberChar(char16_t c) {
    switch (c) {
        case u'.':
        case u'L':
        case u'l':
        case u'X':
        case u'x':
            return true;
        default:
            return TCustomHighlighter::IsHexDigit(c);
    }
}

}  // namespace

const THashedKeywords& TJavaHighlighter::Keywords() {
    static const THashedKeywords keywords(
        {
            {tkKey,
             "abstract assert boolean break byte case catch char class const continue default "
             "do double else extends false final finally float for goto if implements import "
             "instanceof int interface long native new null package private protected public "
             "return short static strictfp super switch synchronized this throw throws "
             "transient true try void volatile while"},
        },
        kHashA, kHashB, kHashM);
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TJavaHighlighter::TJavaHighlighter()
    : TCustomHighlighter(true),
      fCommentAttri(AddAttribute(TCommonAttribute::Comment)),
      fDocumentAttri(AddAttribute(TCommonAttribute::Documentation)),
      fIdentifierAttri(AddAttribute(TCommonAttribute::Identifier)),
      fInvalidAttri(
          AddAttribute(QStringLiteral("InvalidSymbol"), QStringLiteral("Invalid Symbol"))),
      fKeyAttri(AddAttribute(TCommonAttribute::ReservedWord)),
      fNumberAttri(AddAttribute(TCommonAttribute::Number)),
      fSpaceAttri(AddAttribute(TCommonAttribute::Space)),
      fStringAttri(AddAttribute(TCommonAttribute::String)),
      fSymbolAttri(AddAttribute(TCommonAttribute::Symbol)) {
    fCommentAttri->SetStyle(hsItalic);
    fDocumentAttri->SetStyle(hsItalic);
    fKeyAttri->SetStyle(hsBold);
    fSpaceAttri->SetForeground(0xFF000005);  // the window background colour

    fKindAttri[tkSymbol] = fSymbolAttri;
    fKindAttri[tkKey] = fKeyAttri;
    fKindAttri[tkComment] = fCommentAttri;
    fKindAttri[tkDocument] = fDocumentAttri;
    fKindAttri[tkIdentifier] = fIdentifierAttri;
    fKindAttri[tkInvalid] = fInvalidAttri;
    fKindAttri[tkNull] = nullptr;
    fKindAttri[tkNumber] = fNumberAttri;
    fKindAttri[tkSpace] = fSpaceAttri;
    fKindAttri[tkString] = fStringAttri;
    fKindAttri[tkUnknown] = fInvalidAttri;

    fDefaultAttri = {fCommentAttri, fIdentifierAttri, fKeyAttri,
                     fStringAttri,  fSpaceAttri,      fSymbolAttri};
    SetKeywordTable(fKeywords);
    EndConstruction();
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

QString TJavaHighlighter::GetSampleSource() const {
    return QStringLiteral(R"(package org.example.nodes;

import java.util.ArrayList;
import java.util.List;

/**
 * NodeList keeps the nodes of one tree level.
 * It is rebuilt when the tree changes.
 */
public final class NodeList<T> implements Iterable<T> {
    private final List<T> items = new ArrayList<>();
    private int count;
    private static final String NAME = "node list";

    /* The sum of the weights,
       scaled. */
    public double sum(double scale) {
        double result = 0.0;
        for (int i = 0; i < items.size(); ++i) {
            result += scale * 1.5 + i / 2 % 7;
            result -= 0x1FL + 10L + .5;
        }
        if (result >= 100 && !(count <= 0 || count != 3)) return -1;
        return result;
    }

    @Override
    public java.util.Iterator<T> iterator() {
        return items.iterator();
    }

    void rename(String text) {
        String quoted = "\"quoted\" and a tab\t";
        char sep = '\'';
        int flags = 0;
        flags |= 1 << 3;
        flags &= ~0;
        flags ^= flags >>> 2;
        flags >>>= 1;
        count = count > 0 ? count - 1 : 0;
        int größe = items.size(); // letters of every script
        synchronized (this) { count++; }
    }
}
)");
}

const char* TJavaHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkSymbol", "tkKey",    "tkComment", "tkDocument", "tkIdentifier", "tkInvalid",
        "tkNull",   "tkNumber", "tkSpace",   "tkString",   "tkUnknown",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
}

void TJavaHighlighter::SetRange(TCodeEditRange Value) {
    // A value this scanner never gave back (say, a line not scanned yet) starts afresh.
    fRange = Value == rsComment || Value == rsDocument ? TRangeState(Value) : rsUnknown;
}

const std::array<quint8, 128> TJavaHighlighter::kAsciiClass = [] {
    std::array<quint8, 128> t{};
    for (int c = 0; c < 128; ++c) {
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        t[size_t(c)] = quint8((digit || letter ? kLetterOrDigit : 0) |
                              (digit || letter || c == '$' || c == '_' ? kIdentChar : 0) |
                              // a word starts at a letter or _, never at a digit or $
                              (letter || c == '_' ? kWordStart : 0));
    }
    return t;
}();

// --- Scanner ------------------------------------------------------------------------------

void TJavaHighlighter::Next() {
    fTokenPos = Run;
    if (fRange == rsComment || fRange == rsDocument) {
        if (IsLineEndChar(Ch(Run)))
            LineEndProc();
        else
            CommentBody();
    } else {
        const char16_t c = Ch(Run);
        // Above ASCII every letter or digit of any script starts a word.
        if (HasClass(c, kWordStart)) {
            IdentProc();
        } else {
            fRange = rsUnknown;
            DispatchSymbol(c);
        }
    }
    TCustomHighlighter::Next();
}

void TJavaHighlighter::DispatchSymbol(char16_t c) {
    switch (c) {
        case 0:
        case u'\n':
        case u'\r':
            LineEndProc();
            break;
        case u'!':
            SymbolOrAssign(xtkLogComplement, xtkNotEqual);
            break;
        case u'"':
        case u'\'':
            QuotedProc(c);
            break;
        case u'#':
        case u'@':
            FTokenID = tkInvalid;
            ++Run;
            break;
        case u'%':
            SymbolOrAssign(xtkRemainder, xtkRemainderAssign);
            break;
        case u'&':
            AndProc();
            break;
        case u'(':
            ++FRoundCount;
            Symbol(1, xtkRoundOpen);
            break;
        case u')':
            --FRoundCount;
            Symbol(1, xtkRoundClose);
            break;
        case u'*':
            SymbolOrAssign(xtkMultiply, xtkMultiplyAssign);
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
            Symbol(1, xtkColon);
            break;
        case u';':
            Symbol(1, xtkSemiColon);
            break;
        case u'<':
            LowerProc();
            break;
        case u'=':
            SymbolOrAssign(xtkAssign, xtkLogEqual);
            break;
        case u'>':
            GreaterProc();
            break;
        case u'?':
            Symbol(1, xtkQuestion);
            break;
        case u'[':
            ++FSquareCount;
            Symbol(1, xtkSquareOpen);
            break;
        case u']':
            --FSquareCount;
            Symbol(1, xtkSquareClose);
            break;
        case u'^':
            SymbolOrAssign(xtkXor, xtkXorAssign);
            break;
        case u'{':
            Symbol(1, xtkBraceOpen);
            break;
        case u'|':
            OrProc();
            break;
        case u'}':
            Symbol(1, xtkBraceClose);
            break;
        case u'~':
            Symbol(1, xtkBitComplement);
            break;
        default:
            if (c <= 0x20) {
                SpaceProc();
            } else if (IsDigit(c)) {
                NumberProc();
            } else {  // $, \, backquote, and what no script counts as a letter or digit
                FTokenID = tkUnknown;
                ++Run;
            }
            break;
    }
}

void TJavaHighlighter::Symbol(qint32 Length, TxtkTokenKind Kind) {
    FTokenID = tkSymbol;
    FExtTokenID = Kind;
    Run += Length;
}

void TJavaHighlighter::SymbolOrAssign(TxtkTokenKind Single, TxtkTokenKind Assign) {
    if (Ch(Run + 1) == u'=')
        Symbol(2, Assign);
    else
        Symbol(1, Single);
}

void TJavaHighlighter::SpaceProc() {
    FTokenID = tkSpace;
    SkipBlanks();
}

void TJavaHighlighter::LineEndProc() {
    FTokenID = SkipLineEnd() ? tkSpace : tkNull;
}

void TJavaHighlighter::AndProc() {
    if (Ch(Run + 1) == u'&')
        Symbol(2, xtkCondAnd);
    else
        SymbolOrAssign(xtkAnd, xtkAndAssign);
}

void TJavaHighlighter::OrProc() {
    if (Ch(Run + 1) == u'|')
        Symbol(2, xtkCondOr);
    else
        SymbolOrAssign(xtkIncOr, xtkIncOrAssign);
}

void TJavaHighlighter::PlusProc() {
    if (Ch(Run + 1) == u'+')
        Symbol(2, xtkIncrement);
    else
        SymbolOrAssign(xtkAdd, xtkAddAssign);
}

void TJavaHighlighter::MinusProc() {
    if (Ch(Run + 1) == u'-')
        Symbol(2, xtkDecrement);
    else
        SymbolOrAssign(xtkSubtract, xtkSubtractAssign);
}

void TJavaHighlighter::LowerProc() {
    if (Ch(Run + 1) != u'<')
        SymbolOrAssign(xtkLessThan, xtkLessThanEqual);
    else if (Ch(Run + 2) == u'=')
        Symbol(3, xtkShiftLeftAssign);
    else
        Symbol(2, xtkShiftLeft);
}

void TJavaHighlighter::GreaterProc() {
    // Greedy: >>>= before >>> before >>= before >> before >= before >.
    if (Ch(Run + 1) != u'>')
        SymbolOrAssign(xtkGreaterThan, xtkGreaterThanEqual);
    else if (Ch(Run + 2) == u'=')
        Symbol(3, xtkShiftRightAssign);
    else if (Ch(Run + 2) != u'>')
        Symbol(2, xtkShiftRight);
    else if (Ch(Run + 3) == u'=')
        Symbol(4, xtkUnsignShiftRightAssign);
    else
        Symbol(3, xtkUnsignShiftRight);
}

void TJavaHighlighter::PointProc() {
    if (IsDigit(Ch(Run + 1))) {
        ++Run;  // the number takes the point and goes on from its first digit
        NumberProc();
    } else {
        Symbol(1, xtkPoint);
    }
}

void TJavaHighlighter::IdentProc() {
    const qint32 index = KeywordAtRun(*fKeywords, [](char16_t c) { return IsJavaIdentChar(c); });
    FTokenID = index < 0 ? tkIdentifier : tkKey;
    Run += fStringLen;
}

void TJavaHighlighter::NumberProc() {
    FTokenID = tkNumber;
    ++Run;
    SkipNumberChars(IsNumberChar);
}

void TJavaHighlighter::QuotedProc(char16_t Quote) {
    FTokenID = tkString;
    // Two more quotes after the opening one are stepped over first; the second is looked at
    // only when the first matched.
    if (Quote == u'"' && Ch(Run + 1) == u'"' && Ch(Run + 2) == u'"') Run += 2;
    for (;;) {
        if (IsLineEnd(Run)) return;  // unterminated: the line end is not the string's
        if (Ch(Run) == u'\\') ++Run;
        if (!IsLineEnd(Run)) ++Run;
        if (Ch(Run) == Quote) {
            ++Run;
            return;
        }
    }
}

// --- Comments -----------------------------------------------------------------------------

void TJavaHighlighter::SlashProc() {
    switch (Ch(Run + 1)) {
        case u'/':
            FTokenID = tkComment;
            Run += 2;
            while (!IsLineEnd(Run))
                ++Run;
            break;
        case u'*':
            // /** opens a documentation comment, but /**/ is an empty ordinary one.
            if (Ch(Run + 2) == u'*' && Ch(Run + 3) != u'/') {
                fRange = rsDocument;
                Run += 3;
            } else {
                fRange = rsComment;
                Run += 2;
            }
            CommentBody();
            break;
        case u'=':
            Symbol(2, xtkDivideAssign);
            break;
        default:
            Symbol(1, xtkDivide);
            break;
    }
}

void TJavaHighlighter::CommentBody() {
    FTokenID = fRange == rsDocument ? tkDocument : tkComment;
    while (!IsLineEnd(Run)) {
        if (Ch(Run) == u'*' && Ch(Run + 1) == u'/') {
            Run += 2;
            fRange = rsUnknown;
            return;
        }
        ++Run;
    }
}
