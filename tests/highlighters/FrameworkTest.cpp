#include <gtest/gtest.h>

#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"
#include "settings/ExIniFile.h"
#include "tests/highlighters/HighlighterTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

// A highlighter with two attributes, for the parts of the framework no language changes.
class TTwoAttributeHighlighter : public TCustomHighlighter {
public:
    explicit TTwoAttributeHighlighter(const QString& second = QStringLiteral("Alpha"))
        : TCustomHighlighter(true) {
        fZulu = AddAttribute(QStringLiteral("Zulu"), QStringLiteral("Zulu"));
        fAlpha = AddAttribute(second, second);
        fZulu->SetForeground(0x0000FF);
        EndConstruction();
    }
    QString GetLanguageName() const override { return QStringLiteral("Test"); }
    QString GetFriendlyLanguageName() const override { return QStringLiteral("Test"); }
    void Next() override {
        fTokenPos = Run;
        ++Run;
        TCustomHighlighter::Next();
    }
    qint32 GetTokenKind() const override { return 0; }
    THighlighterAttributes* GetTokenAttribute() const override { return fAlpha; }
    const char* GetTokenKindName(qint32) const override { return "tkChar"; }

    THighlighterAttributes* fZulu;
    THighlighterAttributes* fAlpha;
};

struct TNotices {
    int Count = 0;
    THighlighterAttributes* Last = nullptr;
    TCustomHighlighter::TChangeHook Hook() {
        return [this](TCustomHighlighter&, THighlighterAttributes* attribute) {
            ++Count;
            Last = attribute;
        };
    }
};

std::unique_ptr<TExIniFile> OpenIni(const TTestDir& dir) {
    auto ini = std::make_unique<TExIniFile>(
        TIniFolders{dir.Path("app"), dir.Path("user"), dir.Path("etc"), "marrowpad"});
    ini->SetFileName(dir.Path("hl.ini"));
    return ini;
}

}  // namespace

TEST(HighlighterFramework, AttributeListIsSortedAndRejectsDuplicates) {
    TTwoAttributeHighlighter h;
    ASSERT_EQ(h.AttrCount(), 2);
    EXPECT_EQ(h.GetAttribute(0), h.fAlpha);
    EXPECT_EQ(h.GetAttribute(1), h.fZulu);
    EXPECT_EQ(h.GetAttribute(2), nullptr);
    EXPECT_EQ(h.GetAttribute(-1), nullptr);
    EXPECT_EQ(h.AttributeByName(u"zulu"), h.fZulu);
    EXPECT_EQ(h.AttributeByName(u"Zulux"), nullptr);
    // Stored names are ini sections, which ignore case.
    EXPECT_THROW(TTwoAttributeHighlighter(QStringLiteral("ZULU")), EHighlighterError);
}

TEST(HighlighterFramework, AttributeDefaultsAndStoredValues) {
    TTwoAttributeHighlighter h;
    EXPECT_EQ(h.fZulu->ForegroundDefault(), 0x0000FFu);
    EXPECT_FALSE(h.fZulu->ForegroundStored());
    h.fZulu->SetForeground(0x00FF00);
    EXPECT_TRUE(h.fZulu->ForegroundStored());
    EXPECT_FALSE(h.fZulu->BackgroundStored());
    h.fZulu->SetIntegerStyle(0xFF);
    EXPECT_EQ(h.fZulu->Style(), 15);
    h.fZulu->SetToDefaults();
    EXPECT_EQ(h.fZulu->Foreground(), 0x0000FFu);
    EXPECT_EQ(h.fZulu->Style(), 0);
    h.fAlpha->Assign(*h.fZulu);
    EXPECT_EQ(h.fAlpha->Name(), QStringLiteral("Zulu"));
    EXPECT_EQ(h.fAlpha->Foreground(), 0x0000FFu);
}

TEST(HighlighterFramework, ChangesNotifyOnceAndOnlyWhenSomethingChanged) {
    TTwoAttributeHighlighter h;
    TNotices notices;
    const auto id = h.HookAttrChangeEvent(notices.Hook());
    h.fZulu->SetForeground(0x0000FF);  // its current value
    h.fZulu->SetColors(0x0000FF, kHighlighterNoColor);
    h.fZulu->SetStyle(0x10);  // no style bit
    EXPECT_EQ(notices.Count, 0);
    h.fZulu->SetStyle(hsBold);
    EXPECT_EQ(notices.Count, 1);
    EXPECT_EQ(notices.Last, h.fZulu);

    {
        TCustomHighlighter::TUpdateGuard outer(h);
        h.BeginUpdate();
        h.fZulu->SetBackground(1);
        h.fAlpha->SetForeground(2);
        h.EndUpdate();
        EXPECT_EQ(notices.Count, 1);
    }
    EXPECT_EQ(notices.Count, 2);
    EXPECT_EQ(notices.Last, nullptr);
    // An unmatched EndUpdate does not underflow the bracket.
    h.EndUpdate();
    h.fZulu->SetBackground(3);
    EXPECT_EQ(notices.Count, 3);
    // Nothing changed inside the bracket: nothing to tell.
    h.BeginUpdate();
    h.EndUpdate();
    EXPECT_EQ(notices.Count, 3);

    h.SetEnabled(false);
    h.SetEnabled(false);
    EXPECT_EQ(notices.Count, 4);
    h.BeginLoading();
    h.fZulu->SetBackground(4);
    EXPECT_EQ(notices.Count, 4);
    h.Loaded();
    EXPECT_EQ(notices.Count, 5);

    h.UnhookAttrChangeEvent(id);
    h.fZulu->SetBackground(5);
    EXPECT_EQ(notices.Count, 5);
}

TEST(HighlighterFramework, SubscriberMayUnhookAnotherWhileBeingTold) {
    TTwoAttributeHighlighter h;
    TNotices second;
    TCustomHighlighter::THookId secondId = 0;
    h.HookAttrChangeEvent([&](TCustomHighlighter& sender, THighlighterAttributes*) {
        sender.UnhookAttrChangeEvent(secondId);
    });
    secondId = h.HookAttrChangeEvent(second.Hook());
    h.fZulu->SetStyle(hsItalic);
    EXPECT_EQ(second.Count, 0);
}

TEST(HighlighterFramework, CharacterClasses) {
    TPasHighlighter h;
    for (char16_t c : u"09AZaz_")
        EXPECT_TRUE(c == 0 || h.IsIdentChar(QChar(c))) << int(c);
    for (char16_t c : u" !/:@[^`{~\u00A7\u00B0\u00B4") {
        EXPECT_TRUE(h.IsWordBreakChar(QChar(c))) << int(c);
        EXPECT_FALSE(h.IsIdentChar(QChar(c))) << int(c);
    }
    EXPECT_FALSE(h.IsIdentChar(QChar(0x00E9)));
    EXPECT_FALSE(h.IsWordBreakChar(QChar(0x00E9)));
    EXPECT_TRUE(h.IsWhiteChar(QChar(0x3042)));
    EXPECT_FALSE(h.IsWhiteChar(QChar(0x00A7)));
    EXPECT_TRUE(h.IsWhiteChar(QChar(u'\t')));
    EXPECT_FALSE(h.IsWhiteChar(QChar(u'a')));

    THighlighterCharSet ident;
    ident.set(0xE9);
    ident.set(u'-');
    h.SetAdditionalIdentChars(ident);
    EXPECT_TRUE(h.IsIdentChar(QChar(0x00E9)));
    EXPECT_TRUE(h.IsIdentChar(QChar(u'-')));
    EXPECT_FALSE(h.IsWordBreakChar(QChar(u'-')));
    THighlighterCharSet breaks;
    breaks.set(u'q');
    h.SetAdditionalWordBreakChars(breaks);
    EXPECT_TRUE(h.IsWordBreakChar(QChar(u'q')));
    EXPECT_FALSE(h.IsIdentChar(QChar(u'q')));
    // The scanners hash identifiers with the same class.
    EXPECT_EQ(ScanLine(h, "a-b", TPasHighlighter::rsUnKnown).Tokens,
              TTokens{"0 tkIdentifier Identifier"});
}

TEST(HighlighterFramework, EmptyLinesAndLongIdentifiers) {
    TCppHighlighter h;
    h.SetLine(QString(), 0);
    EXPECT_TRUE(h.GetEol());
    EXPECT_TRUE(h.GetToken().isEmpty());

    // Far longer than any keyword; the hash wraps and the word stays an identifier.
    const QString longWord = QString(100, u'w');
    EXPECT_EQ(ScanLine(h, longWord, 0).Tokens, TTokens{"0 tkIdentifier Identifier"});
    EXPECT_EQ(
        ScanLine(h, longWord + QStringLiteral(" int"), 0).Tokens,
        (TTokens{"0 tkIdentifier Identifier", "100 tkSpace Space", "101 tkKey ReservedWord"}));
}

TEST(HighlighterFramework, ExpandedLineFollowsTheTokens) {
    TPasHighlighter h;
    const QString line = QString::fromUtf16(u"\u3042b");
    const QString expanded = QString::fromUtf16(u"\u3042\uE000b");
    h.SetLineExpandedAtWideGlyphs(line, expanded, 0);
    EXPECT_EQ(h.GetExpandedTokenPos(), 0);
    EXPECT_EQ(h.GetExpandedToken(), QString::fromUtf16(u"\u3042"));
    h.Next();
    EXPECT_EQ(h.GetTokenPos(), 1);
    EXPECT_EQ(h.GetExpandedTokenPos(), 1);
    EXPECT_EQ(h.GetExpandedToken(), QString::fromUtf16(u"\uE000b"));
    EXPECT_EQ(h.PosToExpandedPos(0), 0);
    EXPECT_EQ(h.PosToExpandedPos(1), 1);
    EXPECT_EQ(h.PosToExpandedPos(2), 3);
    EXPECT_EQ(h.PosToExpandedPos(50), 3);
    h.Next();
    EXPECT_TRUE(h.GetEol());

    // An expanded line shorter than the line (a caller's mistake) is never read past its end.
    h.SetLineExpandedAtWideGlyphs(QStringLiteral("abc def"), QStringLiteral("\uE000"), 0);
    h.NextToEol();
    EXPECT_TRUE(h.GetExpandedToken().isEmpty());

    // SetLine forgets the expanded line.
    h.SetLine(QStringLiteral("ab cd"), 0);
    h.Next();
    EXPECT_EQ(h.GetExpandedTokenPos(), 2);
    EXPECT_EQ(h.GetExpandedToken(), QStringLiteral(" "));
    EXPECT_EQ(h.PosToExpandedPos(4), 4);
}

TEST(HighlighterFramework, IniFileRoundTrip) {
    TTestDir dir;
    {
        TPasHighlighter h;
        h.fKeyAttri->SetForeground(0x9D0808);
        h.fCommentAttri->SetBackground(0xFF000005);
        h.fStringAttri->SetStyle(hsUnderline | hsStrikeOut);
        auto ini = OpenIni(dir);
        h.SaveToIniFile(*ini);
        EXPECT_TRUE(ini->AutoUpdate());
    }
    const QString text = QString::fromUtf8(ReadFileBytes(dir.Path("hl.ini")));
    EXPECT_TRUE(text.contains(QStringLiteral("[ReservedWord]")));
    EXPECT_TRUE(text.contains(QStringLiteral("Foreground=10291208")));

    TPasHighlighter h;
    TNotices notices;
    h.HookAttrChangeEvent(notices.Hook());
    auto ini = OpenIni(dir);
    EXPECT_TRUE(h.LoadFromIniFile(*ini));
    EXPECT_EQ(h.fKeyAttri->Foreground(), 0x9D0808u);
    EXPECT_EQ(h.fKeyAttri->Style(), hsBold);
    EXPECT_EQ(h.fCommentAttri->Background(), 0xFF000005u);
    EXPECT_EQ(h.fStringAttri->Style(), hsUnderline | hsStrikeOut);
    EXPECT_EQ(notices.Count, 1);
}

TEST(HighlighterFramework, IniFileLoadKeepsWhatIsMissingOrUnreadable) {
    TTestDir dir;
    WriteFileBytes(dir.Path("hl.ini"),
                   "[Comment]\r\nForeground=255\r\nStyle=abc\r\n"
                   "[ReservedWord]\r\nStyle=255\r\nBackground=\r\n");
    TPasHighlighter h;
    auto ini = OpenIni(dir);
    // Most sections are missing: the load says so, and still takes what is there.
    EXPECT_FALSE(h.LoadFromIniFile(*ini));
    EXPECT_EQ(h.fCommentAttri->Foreground(), 255u);
    EXPECT_EQ(h.fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(h.fKeyAttri->Style(), 15);
    EXPECT_EQ(h.fKeyAttri->Background(), kHighlighterNoColor);
    EXPECT_EQ(h.fNumberAttri->Foreground(), kHighlighterNoColor);
}
