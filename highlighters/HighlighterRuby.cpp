#include "highlighters/HighlighterRuby.h"

const THashedKeywords& TRubyHighlighter::Keywords() {
    // Lower case: the scanned line is lower-cased.
    static const THashedKeywords keywords({
        {tkKey,
         "alias attr begin break case class def do else elsif end ensure exit extend false for "
         "gets if in include load loop module next nil not print private public puts raise redo "
         "require rescue retry return self then true unless when while yield"},
    });
    return keywords;
}

// --- Construction -------------------------------------------------------------------------

TRubyHighlighter::TRubyHighlighter()
    : TCustomHighlighter(false),
      fCommentAttri(AddAttribute(TCommonAttribute::Comment)),
      fIdentifierAttri(AddAttribute(TCommonAttribute::Identifier)),
      fKeyAttri(AddAttribute(TCommonAttribute::ReservedWord)),
      fSecondKeyAttri(AddAttribute(QStringLiteral("SecondReservedWord"),
                                   QStringLiteral("Second Reserved Word"))),
      fNumberAttri(AddAttribute(TCommonAttribute::Number)),
      fSpaceAttri(AddAttribute(TCommonAttribute::Space)),
      fStringAttri(AddAttribute(TCommonAttribute::String)),
      fSymbolAttri(AddAttribute(TCommonAttribute::Symbol)) {
    fCommentAttri->SetForeground(0x000080);
    fKeyAttri->SetForeground(0xFF0000);
    fNumberAttri->SetForeground(0x008000);
    fStringAttri->SetForeground(0x800080);
    fSymbolAttri->SetForeground(0xFF0000);

    fKindAttri[tkComment] = fCommentAttri;
    fKindAttri[tkIdentifier] = fIdentifierAttri;
    fKindAttri[tkKey] = fKeyAttri;
    fKindAttri[tkNull] = nullptr;
    fKindAttri[tkNumber] = fNumberAttri;
    fKindAttri[tkSecondKey] = fSecondKeyAttri;
    fKindAttri[tkSpace] = fSpaceAttri;
    fKindAttri[tkString] = fStringAttri;
    fKindAttri[tkSymbol] = fSymbolAttri;
    fKindAttri[tkUnknown] = fSymbolAttri;

    // No symbol role: the text area keeps the editor's colours for it.
    fDefaultAttri = {fCommentAttri, fIdentifierAttri, fKeyAttri,
                     fStringAttri,  fSpaceAttri,      nullptr};
    SetKeywordTable(fKeywords);
    EndConstruction();
    SetDefaultFilter(QString::fromUtf16(kDefaultFilter));
}

QString TRubyHighlighter::GetSampleSource() const {
    return QStringLiteral(R"(# NodeList keeps the nodes of one tree level.
require 'set'

module Nodes
  class NodeList
    include Enumerable
    attr :name

    def initialize(name, scale = 1.5e3)
      @name = name
      @items = []
      @count = 0
    end

    def each
      @items.each { |item| yield item }
    end

    def sum(factor)
      result = 0
      for i in 1..10 do
        result += i * factor % 7
      end
      return -1 if result >= 100 and not result <= 0
      result
    end

    def describe
      text = "#{@name} has #{@count} items" # not a comment inside
      note = 'it''s' + """triple""" + "a\"b"
      puts text + note unless @items.empty?
    rescue StandardError => e
      raise e
    end
  end
end

list = Nodes::NodeList.new('root')
print list.sum(2) if list.respond_to?(:sum) && $DEBUG
)");
}

const char* TRubyHighlighter::GetTokenKindName(qint32 Kind) const {
    static const char* const names[kTokenKindCount] = {
        "tkComment",   "tkIdentifier", "tkKey",    "tkNull",   "tkNumber",
        "tkSecondKey", "tkSpace",      "tkString", "tkSymbol", "tkUnknown",
    };
    return Kind >= 0 && Kind < kTokenKindCount ? names[Kind] : nullptr;
}

void TRubyHighlighter::SetSecondKeyWords(const QStringList& Value) {
    if (Value == fSecondKeyWords) return;
    fSecondKeyWords = Value;
    QStringList lower;
    for (const QString& word : Value)
        if (!word.isEmpty()) lower << LowerCasePerUnit(word);
    fSecondKeys = lower.isEmpty() ? nullptr : std::make_unique<THashedKeywords>(lower, tkSecondKey);
    DefHighlightChange(nullptr);
}

bool TRubyHighlighter::IsSecondKeyWord(QStringView AWord) const {
    return fSecondKeys && fSecondKeys->IndexOf(LowerCasePerUnit(AWord)) >= 0;
}

// --- Scanner ------------------------------------------------------------------------------

void TRubyHighlighter::Next() {
    fTokenPos = Run;
    // The line is lower-cased, so letters are a to z here.
    const char16_t c = Ch(Run);
    switch (c) {
        case 0:
        case u'\n':
        case u'\r':
            FTokenID = SkipLineEnd() ? tkSpace : tkNull;
            break;
        case u'"':
        case u'\'':
            StringProc();
            break;
        case u'#':
            CommentProc();
            break;
        case u'/':
        case u'(':
        case u';':
        case u'<':
        case u'{':
            Token(tkSymbol, 1);
            break;
        default:
            if (c <= 0x20) {
                FTokenID = tkSpace;
                SkipBlanks();
            } else if (IsDigit(c)) {
                NumberProc();
            } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_') {
                IdentProc();
            } else {
                Token(tkUnknown, 1);
            }
            break;
    }
    TCustomHighlighter::Next();
}

void TRubyHighlighter::CommentProc() {
    FTokenID = tkComment;
    do
        ++Run;
    while (!IsLineEnd(Run));
}

void TRubyHighlighter::IdentProc() {
    qint32 index = KeywordAtRun(*fKeywords);
    if (fStringLen == 0) {
        // A letter made a word-break character: the token must still take it.
        Token(tkUnknown, 1);
        return;
    }
    if (index >= 0) {
        FTokenID = tkKey;
    } else {
        index = fSecondKeys ? KeywordAtRun(*fSecondKeys) : -1;
        FTokenID = index >= 0 ? tkSecondKey : tkIdentifier;
    }
    Run += fStringLen;
}

void TRubyHighlighter::StringProc() {
    FTokenID = tkString;
    const char16_t quote = Ch(Run);
    // """...""" and '''...''': the two quotes after the first do not close the string.
    if (Ch(Run + 1) == quote && Ch(Run + 2) == quote) Run += 2;
    do
        ++Run;
    while (!IsLineEnd(Run) && Ch(Run) != quote);
    if (Ch(Run) == quote) ++Run;
}

void TRubyHighlighter::NumberProc() {
    FTokenID = tkNumber;
    for (++Run;; ++Run) {
        const char16_t c = Ch(Run);
        if (c == u'.' && Ch(Run + 1) == u'.') return;  // a range: 1..10
        if (c != u'.' && c != u'e' && c != u'E' && !IsDigit(c)) return;
    }
}
