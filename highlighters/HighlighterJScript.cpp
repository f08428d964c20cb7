#include "highlighters/HighlighterJScript.h"

const THashedKeywords& TJScriptHighlighter::Keywords() {
    // The lists share no word; the order of the groups is the order a word is looked for.
    static const THashedKeywords keywords({
        {tkEvent,
         "onAbort onBlur onChange onClick onDblClick onError onFocus onKeyDown onKeyPress "
         "onKeyUp onLoad onMouseDown onMouseMove onMouseOut onMouseOver onMouseUp onReset "
         "onSelect onSubmit onUnload"},
        {tkKey,
         "abstract boolean break byte callee case catch char const constructor continue debugger "
         "default delete do double else enum export extends false final finally float for "
         "function goto if implements import in instanceof int interface long NaN native new "
         "null package private protected prototype public return short start static super switch "
         "synchronized this throw throws transient true try typeof var void while with"},
        {tkNonReservedKey,
         "All Anchor Applet Area Arguments Array Boolean Button Checkbox Date E Embed FileUpload "
         "Float Form Frame Function Global Hidden History Image Infinity LN10 LN2 LOG10E LOG2E "
         "Layer Link Location MAX_VALUE MIN_VALUE Math MimeType NEGATIVE_INFINITY Navigator Null "
         "Number Object Option PI POSITIVE_INFINITY Packages Password Plugin Radio RegExp Reset "
         "SQRT1_2 SQRT2 Select String Submit Text Textarea URL UTC Undefined Window abs acos "
         "action alert align alinkColor all anchor anchors appCodeName appName appVersion "
         "applets arguments asin atan atan2 await back background bgColor big blink blur body "
         "bold border bottom call caller captureEvents ceil charAt charCodeAt checked clear "
         "clearInterval clearTimeout click close closed color complete concat confirm cookie cos "
         "current defaultChecked defaultSelected defaultStatus defaultValue description display "
         "document domain elements embeds enabledPlugin encoding escape eval event exp fgColor "
         "filename find fixed floor focus fontcolor fontsize form forms forward frames "
         "fromCharCode getDate getDay getElementById getFullYear getHours getMilliseconds "
         "getMinutes getMonth getSeconds getTime getTimezoneOffset getUTCDate getUTCDay "
         "getUTCFullYear getUTCHours getUTCMilliseconds getUTCMinutes getUTCMonth getUTCSeconds "
         "getYear go handleEvent hash height history home host hostname href hspace images index "
         "indexOf innerHeight innerWidth input isFinite isNaN italics java javaEnabled join "
         "lastIndexOf lastModified layers left length let link linkColor links location "
         "locationbar log logon lowsrc match max menubar method mimeTypes min moveBy moveTo name "
         "navigator netscape next open opener options outerHeight outerWidth pageX pageXOffset "
         "pageY pageYOffset parent parse parseFloat parseInt pathname personalbar platform "
         "plugins port pow previous print prompt protocol random referrer refresh releaseEvents "
         "reload replace reset resizeBy resizeTo reverse right round routeEvent screen scroll "
         "scrollBy scrollTo scrollbars search select selected selectedIndex self setDate "
         "setFullYear setHours setInterval setMilliseconds setMinutes setMonth setSeconds "
         "setTime setTimeout setUTCDate setUTCFullYear setUTCHours setUTCMilliseconds "
         "setUTCMinutes setUTCMonth setUTCSeconds setYear sin slice small sort split sqrt src "
         "status statusbar stop strike style sub submit substr substring suffixes sup tags taint "
         "taintEnabled tan target text title toGMTString toLocaleString toLowerCase toSource "
         "toString toUTCString toUpperCase toolbar top type undefined unescape untaint unwatch "
         "userAgent value valueOf visibility vlinkColor vspace watch width window write writeln "
         "zIndex"},
    });
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TJScriptHighlighter::TJScriptHighlighter()
    : TCustomHighlighter(true),
      fCommentAttri(AddAttribute(TCommonAttribute::Comment)),
      fIdentifierAttri(AddAttribute(TCommonAttribute::Identifier)),
      fSpecVarAttri(
          AddAttribute(QStringLiteral("SpecialVariable"), QStringLiteral("Special Variable"))),
      fKeyAttri(AddAttribute(TCommonAttribute::ReservedWord)),
      fNonReservedKeyAttri(AddAttribute(QStringLiteral("NonreservedKeyword"),
                                        QStringLiteral("Non-reserved Keyword"))),
      fEventAttri(AddAttribute(QStringLiteral("Event"), QStringLiteral("Event"))),
      fNumberAttri(AddAttribute(TCommonAttribute::Number)),
      fSpaceAttri(AddAttribute(TCommonAttribute::Space)),
      fStringAttri(AddAttribute(TCommonAttribute::String)),
      fSymbolAttri(AddAttribute(TCommonAttribute::Symbol)),
      fTemplateAttri(AddAttribute(QStringLiteral("Template"), QStringLiteral("Template"))) {
    fCommentAttri->SetStyle(hsItalic);
    fKeyAttri->SetStyle(hsBold);

    fKindAttri[tkSymbol] = fSymbolAttri;
    fKindAttri[tkKey] = fKeyAttri;
    fKindAttri[tkComment] = fCommentAttri;
    fKindAttri[tkIdentifier] = fIdentifierAttri;
    fKindAttri[tkNull] = nullptr;
    fKindAttri[tkNumber] = fNumberAttri;
    fKindAttri[tkSpace] = fSpaceAttri;
    fKindAttri[tkString] = fStringAttri;
    fKindAttri[tkUnknown] = fIdentifierAttri;
    fKindAttri[tkNonReservedKey] = fNonReservedKeyAttri;
    fKindAttri[tkEvent] = fEventAttri;
    fKindAttri[tkSpecVar] = fSpecVarAttri;
    fKindAttri[tkTemplate] = fTemplateAttri;

    fDefaultAttri = {fCommentAttri, fIdentifierAttri, fKeyAttri,
                     fStringAttri,  fSpaceAttri,      fSymbolAttri};
    SetKeywordTable(fKeywords);
    EndConstruction();
    ResetRange();
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

QString TJScriptHighlighter::GetSampleSource() const {
    return QStringLiteral(R"(/* NodeList keeps the nodes of one tree level.
   It is rebuilt when the tree changes. */
'use strict';

const _registry = new Map();

class NodeList extends Array {
  constructor(name, scale = 1.5) {
    super();
    this._name = name;
    this.count = 0x1F + 017 + 10 * scale;
  }

  // The sum of the items, scaled.
  sum(factor) {
    let result = 0;
    for (var i = 0; i < this.length; i++) {
      result += this[i] * factor % 7;
      result -= i >= 2 && !(i <= 0 || i != 3) ? 1 : 0;
    }
    return typeof result === 'number' ? result : NaN;
  }

  describe() {
    const label = `list ${this._name} of ${this.length}
items, made ${new Date().getFullYear()}`;
    return label + "\"quoted\" and a tab\t" + '\'';
  }
}

document.getElementById('tree').onClick = function (event) {
  const list = new NodeList(event.target.value);
  list.push(...[1, 2, 3]);
  window.alert(list.sum(2) / 4 | 0 & ~1 ^ 2);
  return list.describe() ?? $fallback @ #x;
};
)");
}

const char* TJScriptHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkSymbol", "tkKey",     "tkComment",  "tkIdentifier", "tkNull",
        "tkNumber", "tkSpace",   "tkString",   "tkUnknown",    "tkNonReservedKey",
        "tkEvent",  "tkSpecVar", "tkTemplate",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
}

void TJScriptHighlighter::SetRange(TCodeEditRange Value) {
    // A value this scanner never gave back (say, a line not scanned yet) starts afresh.
    fRange = Value >= rsUnknown && Value <= rsLiteralTemplate ? TRangeState(Value) : rsUnknown;
    // The range holds no count; a line that starts inside an expression has one open.
    fLiteralLevel = fRange == rsLiteralTemplate ? 1 : 0;
}

void TJScriptHighlighter::ResetRange() {
    fRange = rsUnknown;
    fLiteralLevel = 0;
}

bool TJScriptHighlighter::InList(QStringView AWord, TtkTokenKind List) const {
    const qint32 index = fKeywords->IndexOf(AWord);
    return index >= 0 && fKeywords->Kind(index) == List;
}

bool TJScriptHighlighter::IsKeyword(QStringView AKeyword) const {
    return InList(AKeyword, tkKey);
}

bool TJScriptHighlighter::IsEvent(QStringView AWord) const {
    return InList(AWord, tkEvent);
}

bool TJScriptHighlighter::IsNonReserwedKeyWord(QStringView AWord) const {
    return InList(AWord, tkNonReservedKey);
}

// --- Scanner ------------------------------------------------------------------------------

void TJScriptHighlighter::Next() {
    fTokenPos = Run;
    switch (fRange) {
        case rsANSI:
            AnsiProc();
            break;
        case rsLiteralTemplate:
            LiteralTemplateProc();
            break;
        case rsLiteral:
            LiteralProc();
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
                case u'(':
                case u')':
                case u',':
                case u':':
                case u';':
                case u'<':
                case u'=':
                case u'>':
                case u'?':
                case u'[':
                case u']':
                case u'{':
                case u'}':
                case u'~':
                    Token(tkSymbol, 1);
                    break;
                case u'"':
                case u'\'':
                    StringProc();
                    break;
                case u'%':
                case u'*':
                    Token(tkSymbol, Ch(Run + 1) == u'=' ? 2 : 1);
                    break;
                case u'&':
                case u'+':
                case u'|': {
                    // &&, ++, || and the assignments &=, +=, |=.
                    const char16_t n = Ch(Run + 1);
                    Token(tkSymbol, n == c || n == u'=' ? 2 : 1);
                    break;
                }
                case u'-': {
                    const char16_t n = Ch(Run + 1);
                    Token(tkSymbol, n == u'-' || n == u'=' || n == u'>' ? 2 : 1);
                    break;
                }
                case u'.':
                    Token(tkSymbol, Ch(Run + 1) == u'.' && Ch(Run + 2) == u'.' ? 3 : 1);
                    break;
                case u'/':
                    SlashProc();
                    break;
                case u'_':
                    UnderscoreProc();
                    break;
                case u'`':
                    TemplateOpenProc();
                    break;
                default:
                    if (c <= 0x20) {
                        FTokenID = tkSpace;
                        SkipBlanks();
                    } else if (IsDigit(c)) {
                        NumberProc();
                    } else if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) {
                        IdentProc();
                    } else {
                        Token(tkUnknown, 1);
                    }
                    break;
            }
        }
    }
    TCustomHighlighter::Next();
}

void TJScriptHighlighter::LineEndProc() {
    FTokenID = SkipLineEnd() ? tkSpace : tkNull;
}

void TJScriptHighlighter::IdentProc() {
    const qint32 index = KeywordAtRun(*fKeywords);
    if (fStringLen == 0) {
        // A letter made a word-break character: the token must still take it.
        Token(tkUnknown, 1);
        return;
    }
    FTokenID = index < 0 ? tkIdentifier : TtkTokenKind(fKeywords->Kind(index));
    Run += fStringLen;
}

void TJScriptHighlighter::UnderscoreProc() {
    // Ch reads U+0000 before the line, so an underscore in column 0 starts a special name.
    FTokenID = IsIdentCharFast(Ch(Run - 1)) ? tkIdentifier : tkSpecVar;
    do
        ++Run;
    while (IsIdentCharFast(Ch(Run)));
}

bool TJScriptHighlighter::SkipEscape() noexcept {
    if (Ch(Run) != u'\\') return false;
    ++Run;
    if (!IsLineEnd(Run)) ++Run;
    return true;
}

// --- Comments -----------------------------------------------------------------------------

void TJScriptHighlighter::SlashProc() {
    // After a backslash the slash ends at once and keeps the backslash's kind.
    if (Run > 0 && Ch(Run - 1) == u'\\') {
        ++Run;
        return;
    }
    switch (Ch(Run + 1)) {
        case u'*':
            FTokenID = tkComment;
            fRange = rsANSI;
            // The opener's star does not close the comment: /*/ stays open.
            Run += 2;
            while (!IsLineEnd(Run)) {
                if (Ch(Run) == u'*' && Ch(Run + 1) == u'/') {
                    Run += 2;
                    fRange = rsUnknown;
                    return;
                }
                ++Run;
            }
            break;
        case u'/':
            FTokenID = tkComment;
            Run += 2;
            while (!IsLineEnd(Run))
                ++Run;
            break;
        case u'=':
            Token(tkSymbol, 2);
            break;
        default:
            Token(tkSymbol, 1);
            break;
    }
}

void TJScriptHighlighter::AnsiProc() {
    if (IsLineEndChar(Ch(Run))) {
        LineEndProc();
        return;
    }
    FTokenID = tkComment;
    do {
        if (Ch(Run) == u'*' && Ch(Run + 1) == u'/') {
            Run += 2;
            fRange = rsUnknown;
            return;
        }
        ++Run;
    } while (!IsLineEnd(Run));
}

// --- Strings and numbers ------------------------------------------------------------------

void TJScriptHighlighter::StringProc() {
    FTokenID = tkString;
    const char16_t quote = Ch(Run);
    ++Run;
    if (Ch(Run) == quote && Ch(Run + 1) == quote) Run += 2;
    while (!IsLineEnd(Run)) {
        if (SkipEscape()) continue;
        if (Ch(Run++) == quote) return;
    }
}

void TJScriptHighlighter::NumberProc() {
    FTokenID = tkNumber;
    const qint32 start = Run;
    bool hex = false;
    for (++Run;; ++Run) {
        const char16_t c = Ch(Run);
        if (c == u'.') {
            if (Ch(Run + 1) == u'.') return;  // a spread or range after the number
        } else if (IsDigit(c)) {
        } else if (IsHexDigit(c)) {
            if (!hex) return;
        } else if (c == u'x' || c == u'X') {
            // Only as the second character of 0x, and only with a hexadecimal digit after it.
            if (Run != start + 1 || Ch(start) != u'0' || !IsHexDigit(Ch(Run + 1))) return;
            hex = true;
        } else {
            return;
        }
    }
}

// --- Template literals --------------------------------------------------------------------

void TJScriptHighlighter::TemplateOpenProc() {
    FTokenID = tkString;
    fRange = rsLiteral;
    ++Run;
    LiteralBody();
}

void TJScriptHighlighter::LiteralProc() {
    if (IsLineEndChar(Ch(Run))) {
        LineEndProc();
        return;
    }
    if (Ch(Run) == u'$' && Ch(Run + 1) == u'{') {
        // An expression right at the start: the token is the expression, not an empty string.
        ++fLiteralLevel;
        fRange = rsLiteralTemplate;
        LiteralTemplateProc();
        return;
    }
    FTokenID = tkString;
    LiteralBody();
}

void TJScriptHighlighter::LiteralBody() {
    // Ends after the closing backquote or before a ${; an escaped one of either is text.
    while (!IsLineEnd(Run)) {
        if (SkipEscape()) continue;
        const char16_t c = Ch(Run);
        if (c == u'`') {
            ++Run;
            fRange = rsUnknown;
            return;
        }
        if (c == u'$' && Ch(Run + 1) == u'{') {
            ++fLiteralLevel;
            fRange = rsLiteralTemplate;
            return;
        }
        ++Run;
    }
}

void TJScriptHighlighter::LiteralTemplateProc() {
    if (IsLineEndChar(Ch(Run))) {
        LineEndProc();
        return;
    }
    // Braces inside the expression are not counted: the first } ends it.
    FTokenID = tkTemplate;
    if (Ch(Run) == u'$' && Ch(Run + 1) == u'{') Run += 2;
    while (!IsLineEnd(Run)) {
        if (Ch(Run++) == u'}') {
            if (fLiteralLevel > 0) --fLiteralLevel;
            fRange = rsLiteral;
            return;
        }
    }
}
