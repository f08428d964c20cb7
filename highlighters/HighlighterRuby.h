#pragma once

#include <QStringList>
#include <memory>

#include "highlighters/CodeEditHighlighter.h"

// Ruby source, kept simple: case-insensitive words from a reserved-word list and an optional
// second list; comments from # to the line end; strings end at the first matching quote, with
// no escapes; nothing carries across lines.
class TRubyHighlighter : public TCustomHighlighter {
public:
    enum TtkTokenKind : quint8 {
        tkComment,
        tkIdentifier,
        tkKey,
        tkNull,
        tkNumber,
        tkSecondKey,
        tkSpace,
        tkString,
        tkSymbol,
        tkUnknown,
    };
    static constexpr int kTokenKindCount = tkUnknown + 1;

    enum TRangeState : quint8 { rsUnknown };

    static constexpr char16_t kLanguageName[] = u"Ruby";
    static constexpr char16_t kFriendlyLanguageName[] = u"Ruby";
    static constexpr char16_t kDefaultFilter[] = u"Ruby Files (*.rb;*.rbw)|*.rb;*.rbw";

    TRubyHighlighter();

    QString GetLanguageName() const override { return QString::fromUtf16(kLanguageName); }
    QString GetFriendlyLanguageName() const override {
        return QString::fromUtf16(kFriendlyLanguageName);
    }
    QString GetSampleSource() const override;

    void Next() override;
    // Every line starts with nothing open.
    TCodeEditRange GetRange() const override { return rsUnknown; }
    void SetRange(TCodeEditRange) override {}
    void ResetRange() override {}
    qint32 GetTokenKind() const override { return FTokenID; }
    THighlighterAttributes* GetTokenAttribute() const override { return fKindAttri[FTokenID]; }
    const char* GetTokenKindName(qint32 Kind) const override;

    // The second list, matched without case like the reserved words; empty unless set.
    const QStringList& SecondKeyWords() const noexcept { return fSecondKeyWords; }
    void SetSecondKeyWords(const QStringList& Value);
    bool IsSecondKeyWord(QStringView AWord) const;

    // The reserved words, in lower case; shared by all instances.
    static const THashedKeywords& Keywords();

    THighlighterAttributes* const fCommentAttri;
    THighlighterAttributes* const fIdentifierAttri;
    THighlighterAttributes* const fKeyAttri;
    THighlighterAttributes* const fSecondKeyAttri;
    THighlighterAttributes* const fNumberAttri;
    THighlighterAttributes* const fSpaceAttri;
    THighlighterAttributes* const fStringAttri;
    THighlighterAttributes* const fSymbolAttri;

private:
    void Token(TtkTokenKind Kind, qint32 Length) {
        FTokenID = Kind;
        Run += Length;
    }
    void CommentProc();
    void IdentProc();
    void StringProc();
    void NumberProc();

    TtkTokenKind FTokenID = tkNull;
    QStringList fSecondKeyWords;
    // The second list as a lower-case table; null while the list is empty.
    std::unique_ptr<THashedKeywords> fSecondKeys;
    THighlighterAttributes* fKindAttri[kTokenKindCount] = {};
    const THashedKeywords* const fKeywords = &Keywords();
};
