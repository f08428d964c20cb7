#include "highlighters/HighlighterCFamily.h"

TCFamilyHighlighter::TCFamilyHighlighter(const TCFamilyRules& Rules,
                                         const THashedKeywords& Keywords)
    : TCustomHighlighter(true), fKinds(Rules), fKeywords(&Keywords) {
    SetKeywordTable(fKeywords);
}

// --- Scanner ------------------------------------------------------------------------------

void TCFamilyHighlighter::DoSetLine(const QString& Value, qint32 LineNumber) {
    TCustomHighlighter::DoSetLine(Value, LineNumber);
    fDirectiveCommentOpener = false;
}

void TCFamilyHighlighter::Next() {
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

void TCFamilyHighlighter::Symbol(qint32 Length, TxtkTokenKind Kind) {
    FTokenID = fKinds.Symbol;
    FExtTokenID = Kind;
    Run += Length;
}

void TCFamilyHighlighter::Bracket(TxtkTokenKind Kind) {
    FTokenID = fKinds.Bracket;
    FExtTokenID = Kind;
    ++Run;
}

void TCFamilyHighlighter::SpaceProc() {
    FTokenID = fKinds.Space;
    SkipBlanks();
}

void TCFamilyHighlighter::LineEndProc() {
    FTokenID = SkipLineEnd() ? fKinds.Space : fKinds.Null;
}

void TCFamilyHighlighter::UnknownProc() {
    FTokenID = fKinds.Unknown;
    ++Run;
}

void TCFamilyHighlighter::NotSymbolProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkNotEqual);
    else
        Symbol(1, xtkLogComplement);
}

void TCFamilyHighlighter::ModSymbolProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkModAssign);
    else
        Symbol(1, xtkMod);
}

void TCFamilyHighlighter::AndSymbolProc() {
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

void TCFamilyHighlighter::StarProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkMultiplyAssign);
    else
        Symbol(1, xtkStar);
}

void TCFamilyHighlighter::PlusProc() {
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

void TCFamilyHighlighter::MinusProc() {
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

void TCFamilyHighlighter::PointProc() {
    if (Ch(Run + 1) == u'.' && Ch(Run + 2) == u'.')
        Symbol(3, xtkEllipse);
    else if (fKinds.PointStartsNumber && IsDigit(Ch(Run + 1)))
        NumberProc(Run > 0 ? Run - 1 : Run);
    else
        Symbol(1, xtkPoint);
}

void TCFamilyHighlighter::ColonProc() {
    if (Ch(Run + 1) == u':')
        Symbol(2, xtkScopeResolution);
    else
        Symbol(1, xtkColon);
}

void TCFamilyHighlighter::SemiColonProc() {
    Symbol(1, xtkSemiColon);
    if (fRange == rsAsm) fRange = rsUnknown;
}

void TCFamilyHighlighter::LowerProc() {
    if (Ch(Run + 1) == u'<')
        Symbol(Ch(Run + 2) == u'=' ? 3 : 2,
               Ch(Run + 2) == u'=' ? xtkShiftLeftAssign : xtkShiftLeft);
    else if (Ch(Run + 1) == u'=')
        Symbol(2, xtkLessThanEqual);
    else
        Symbol(1, xtkLessThan);
}

void TCFamilyHighlighter::EqualProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkLogEqual);
    else
        Symbol(1, xtkAssign);
}

void TCFamilyHighlighter::GreaterProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkGreaterThanEqual);
    else if (Ch(Run + 1) == u'>')
        Symbol(Ch(Run + 2) == u'=' ? 3 : 2,
               Ch(Run + 2) == u'=' ? xtkShiftRightAssign : xtkShiftRight);
    else
        Symbol(1, xtkGreaterThan);
}

void TCFamilyHighlighter::XOrSymbolProc() {
    if (Ch(Run + 1) == u'=')
        Symbol(2, xtkXorAssign);
    else
        Symbol(1, xtkXor);
}

void TCFamilyHighlighter::OrSymbolProc() {
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

void TCFamilyHighlighter::BraceOpenProc() {
    Bracket(xtkBraceOpen);
    if (fRange == rsAsm) {
        fRange = rsAsmBlock;
        fAsmStart = true;
    }
}

void TCFamilyHighlighter::BraceCloseProc() {
    Bracket(xtkBraceClose);
    if (fRange == rsAsmBlock) fRange = rsUnknown;
}

void TCFamilyHighlighter::IdentProc() {
    const qint32 index = KeywordAtRun(*fKeywords);
    const quint8 kind = index < 0 ? quint8(cwReserved) : fKeywords->Kind(index);
    if (index < 0) {
        FTokenID = fKinds.Identifier;
    } else if (kind == cwType) {
        FTokenID = fKinds.Type;
    } else {
        FTokenID = fKinds.Key;
        if (kind == cwAsm) {
            fRange = rsAsm;
            fAsmStart = true;
        }
    }
    Run += fStringLen;
    while (IsIdentCharFast(Ch(Run)))
        ++Run;
}

void TCFamilyHighlighter::SlashProc() {
    switch (Ch(Run + 1)) {
        case u'/':
            FTokenID = fKinds.Comment;
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
            FTokenID = fKinds.Comment;
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

void TCFamilyHighlighter::AnsiCProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c))
        LineEndProc();
    else
        AnsiCBody();
}

void TCFamilyHighlighter::AnsiCBody() {
    FTokenID = fKinds.Comment;
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

void TCFamilyHighlighter::StringProc() {
    FTokenID = fKinds.String;
    ++Run;
    StringBody();
}

void TCFamilyHighlighter::StringBody() {
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

void TCFamilyHighlighter::StringEndProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c)) {
        LineEndProc();
        return;
    }
    fRange = rsUnknown;
    FTokenID = fKinds.String;
    StringBody();
}

void TCFamilyHighlighter::AsciiCharProc() {
    FTokenID = fKinds.Char;
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

void TCFamilyHighlighter::DirectiveBody() {
    FTokenID = fKinds.Directive;
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

void TCFamilyHighlighter::DirectiveEndProc() {
    const char16_t c = Ch(Run);
    if (IsLineEndChar(c)) {
        // Only the line end right after the continuing backslash keeps the line going; on
        // an empty line there is no character before (Ch gives U+0000 there).
        if (fKinds.EmptyLineEndsDirective && Ch(Run - 1) != u'\\') fRange = rsUnknown;
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
