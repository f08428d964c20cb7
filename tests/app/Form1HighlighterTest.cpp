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
