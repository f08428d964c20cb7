#include "editor/CodeEdit.h"
#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"
#include "tests/app/Form1Fixture.h"

TEST_F(Form1Test, TokenPresetsReachEveryHighlighter) {
    Start();
    // Start-up applies the light preset.
    EXPECT_EQ(Form->PasHighlighter1->fKeyAttri->Foreground(), 0x9D0808u);
    EXPECT_EQ(Form->PasHighlighter1->fKeyAttri->Style(), hsBold);
    EXPECT_EQ(Form->CppHighlighter1->fCommentAttri->Foreground(), 0x228B22u);
    EXPECT_EQ(Form->CppHighlighter1->fCommentAttri->Style(), hsItalic);
    EXPECT_EQ(Form->CppHighlighter1->fFloatAttri->Foreground(), 0xCD0000u);

    Form->SetDarkSynFonts();
    Form->ApplySynFonts();
    for (TCustomHighlighter* h : {Form->HighlighterOfChoice(1), Form->HighlighterOfChoice(5)}) {
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(h->GetDefaultAttribute(1)->Foreground(), 0xFFFFFFu) << "identifiers turn white";
        EXPECT_EQ(h->GetDefaultAttribute(5)->Foreground(), 0xFFFFFFu) << "symbols turn white";
        EXPECT_EQ(h->GetDefaultAttribute(3)->Foreground(), 0xED9564u);
    }
    EXPECT_EQ(Form->PasHighlighter1->fFloatAttri->Foreground(), 0x507FFFu);
    // Attributes outside the mapping keep their own colours, backgrounds included.
    EXPECT_EQ(Form->CppHighlighter1->fCommentAttri->Background(), kHighlighterNoColor);

    EXPECT_EQ(Form->HighlighterOfChoice(0), nullptr);
    EXPECT_EQ(Form->HighlighterOfChoice(3), nullptr)
        << "languages without a highlighter show plain text";
    EXPECT_EQ(Form->HighlighterOfChoice(8), nullptr);
}

TEST_F(Form1Test, HighlighterChoiceAttachesTheLanguage) {
    Start();
    EXPECT_EQ(Form->Editor().Highlighter(), nullptr) << "no highlighter by default";
    Form->SetHighlighterChoice(5);
    EXPECT_EQ(Form->Editor().Highlighter(), Form->CppHighlighter1.get());
    Form->SetHighlighterChoice(1);
    EXPECT_EQ(Form->Editor().Highlighter(), Form->PasHighlighter1.get());
    Form->SetHighlighterChoice(9);
    EXPECT_EQ(Form->Editor().Highlighter(), Form->PasHighlighter1.get())
        << "an unknown value changes nothing";
    Form->SetHighlighterChoice(3);
    EXPECT_EQ(Form->Editor().Highlighter(), nullptr) << "Python has no highlighter yet: plain text";
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
