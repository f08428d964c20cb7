#include "editor/CodeEdit.h"
#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"
#include "highlighters/HighlighterRegistry.h"
#include "tests/app/Form1Fixture.h"

TEST_F(Form1Test, TokenPresetsReachEveryHighlighter) {
    Start();
    auto* pas = dynamic_cast<TPasHighlighter*>(Form->HighlighterOfChoice(1));
    auto* cpp = dynamic_cast<TCppHighlighter*>(Form->HighlighterOfChoice(5));
    ASSERT_NE(pas, nullptr);
    ASSERT_NE(cpp, nullptr);
    // Start-up applies the light preset.
    EXPECT_EQ(pas->fKeyAttri->Foreground(), 0x9D0808u);
    EXPECT_EQ(pas->fKeyAttri->Style(), hsBold);
    EXPECT_EQ(cpp->fCommentAttri->Foreground(), 0x228B22u);
    EXPECT_EQ(cpp->fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(cpp->fFloatAttri->Foreground(), 0xCD0000u);

    Form->SetDarkSynFonts();
    Form->ApplySynFonts();
    for (const THighlighterEntry& entry : HighlighterRegistry()) {
        TCustomHighlighter* h = Form->HighlighterOfChoice(entry.Choice);
        ASSERT_NE(h, nullptr) << entry.Name;
        EXPECT_EQ(h->GetDefaultAttribute(0)->Foreground(), 0x05BC60u) << entry.Name;
        EXPECT_EQ(h->GetDefaultAttribute(0)->Style(), hsItalic) << entry.Name;
        EXPECT_EQ(h->GetDefaultAttribute(2)->Foreground(), 0x45DAEAu) << entry.Name;
        const auto targets = TokenFontTargets(entry, *h);
        EXPECT_EQ(targets[tfIdentifier]->Foreground(), 0xFFFFFFu) << "identifiers turn white";
        EXPECT_EQ(targets[tfSymbol]->Foreground(), 0xFFFFFFu) << "symbols turn white";
        EXPECT_EQ(targets[tfString]->Foreground(), 0xED9564u) << entry.Name;
        EXPECT_EQ(targets[tfNumber]->Foreground(), 0x507FFFu) << entry.Name;
    }
    EXPECT_EQ(pas->fFloatAttri->Foreground(), 0x507FFFu);
    // Attributes outside the mapping keep their own colours, backgrounds included.
    EXPECT_EQ(cpp->fCommentAttri->Background(), kHighlighterNoColor);
    EXPECT_EQ(cpp->fHexAttri->Foreground(), kHighlighterNoColor);

    EXPECT_EQ(Form->HighlighterOfChoice(0), nullptr);
    EXPECT_EQ(Form->HighlighterOfChoice(8), nullptr);
}

TEST_F(Form1Test, HighlighterChoiceAttachesTheLanguage) {
    Start();
    EXPECT_EQ(Form->Editor().Highlighter(), nullptr) << "no highlighter by default";
    for (const THighlighterEntry& entry : HighlighterRegistry()) {
        Form->SetHighlighterChoice(entry.Choice);
        ASSERT_NE(Form->Editor().Highlighter(), nullptr) << entry.Name;
        EXPECT_EQ(Form->Editor().Highlighter(), Form->HighlighterOfChoice(entry.Choice));
        EXPECT_EQ(Form->Editor().Highlighter()->GetLanguageName(),
                  CreateHighlighterForChoice(entry.Choice)->GetLanguageName());
    }
    Form->SetHighlighterChoice(1);
    Form->SetHighlighterChoice(9);
    EXPECT_EQ(Form->Editor().Highlighter(), Form->HighlighterOfChoice(1))
        << "an unknown value changes nothing";
    Form->SetHighlighterChoice(0);
    EXPECT_EQ(Form->Editor().Highlighter(), nullptr);
}

TEST_F(Form1Test, TheTitleLineTakesTheTitleColours) {
    Start();
    bool special = false;
    quint32 fg = 1, bg = 2;
    Form->MemoSpecialLineColors(2, special, fg, bg);
    EXPECT_FALSE(special);
    Form->MemoSpecialLineColors(1, special, fg, bg);
    EXPECT_TRUE(special);
    // without a settings file: teal on white
    EXPECT_EQ(bg, 0x808000u);
    EXPECT_EQ(fg, 0xFFFFFFu);

    // Painted: with no highlighter, line 1 shows the teal band, line 2 does not.
    Form->Memo().SetReadOnly(false);
    Form->Memo().SetText(QStringLiteral("Title\nbody"));
    const QImage image = Form->Editor().viewport()->grab().toImage();
    const int rowHeight = Form->Editor().TextHeight();
    const int x = image.width() - 10;  // far right, past the text, inside the row fill
    EXPECT_EQ(image.pixelColor(x, rowHeight / 2), QColor(0, 128, 128));
    EXPECT_NE(image.pixelColor(x, rowHeight + rowHeight / 2), QColor(0, 128, 128));
}
