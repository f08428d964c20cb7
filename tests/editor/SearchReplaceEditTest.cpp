#include "tests/editor/CodeEditFixture.h"

TEST_F(CodeEditTest, SearchWithoutAnEngineIsAnError) {
    Edit.SetSearchEngine(nullptr);
    try {
        Edit.SearchReplace(QStringLiteral("x"), QString(), {});
        FAIL() << "no error";
    } catch (const ECodeEditError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("No search engine has been assigned"));
    }
    Edit.SetSearchEngine(&Engine);
    EXPECT_EQ(Edit.SearchReplace(QString(), QString(), {}), 0) << "an empty pattern finds nothing";
}

TEST_F(CodeEditTest, ForwardSearchFromTheCaretWalksHitByHit) {
    SetText(QStringLiteral("ab ab\nxx ab"));
    Caret(1, 1);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("ab"), QString(), {}), 1);
    EXPECT_EQ(Edit.BlockBegin(), BC(1, 1)) << "a hit exactly at the caret counts";
    EXPECT_EQ(CaretXY(), BC(3, 1));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("ab"), QString(), {}), 1);
    EXPECT_EQ(Edit.BlockBegin(), BC(4, 1));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("AB"), QString(), {}), 1);
    EXPECT_EQ(Edit.BlockBegin(), BC(4, 2));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("ab"), QString(), {}), 0);
    EXPECT_EQ(Edit.BlockBegin(), BC(4, 2)) << "nothing found: selection unchanged";
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("AB"), QString(), ssoMatchCase | ssoEntireScope),
              0);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("b\r\nx"), QString(), ssoEntireScope), 0)
        << "line breaks never match";
}

TEST_F(CodeEditTest, BackwardSearchLeavesTheCaretAtTheHitStart) {
    SetText(QStringLiteral("ab ab\nxx ab"));
    Run(ecEditorBottom);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("ab"), QString(), ssoBackwards), 1);
    EXPECT_EQ(CaretXY(), BC(4, 2));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("ab"), QString(), ssoBackwards), 1);
    EXPECT_EQ(CaretXY(), BC(4, 1));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("ab"), QString(), ssoBackwards), 1);
    EXPECT_EQ(CaretXY(), BC(1, 1));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("ab"), QString(), ssoBackwards), 0);
}

TEST_F(CodeEditTest, ReplaceAllIsOneUndoStepAndCountsHits) {
    SetText(QStringLiteral("aaa\nbab"));
    Type(QStringLiteral("x"));
    Run(ecLeft);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("a"), QStringLiteral("bb"),
                                 ssoReplaceAll | ssoEntireScope),
              4);
    EXPECT_EQ(Text(), QStringLiteral("xbbbbbb\nbbbb"));
    EXPECT_EQ(CaretXY(), BC(4, 2)) << "after the last replacement";
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("xaaa\nbab"));
    Run(ecRedo);
    EXPECT_EQ(Text(), QStringLiteral("xbbbbbb\nbbbb"));
    Run(ecUndo);
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("aaa\nbab"));

    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("a"), QStringLiteral("\r\n"),
                                 ssoReplaceAll | ssoEntireScope),
              4);
    EXPECT_EQ(Text(), QStringLiteral("\n\n\n\nb\nb")) << "replacements that break lines";
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("aaa\nbab"));

    // A lone LF (or CR) breaks lines as well, and a long line splits at every hit.
    SetText(QString(QStringLiteral("ab,")).repeated(500));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral(","), QStringLiteral("\n"),
                                 ssoReplaceAll | ssoEntireScope),
              500);
    EXPECT_EQ(Edit.Lines().Count(), 501);
    EXPECT_EQ(Edit.Lines().Strings(499), QStringLiteral("ab"));
    SetText(QStringLiteral("a;b;c"));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral(";"), QStringLiteral("\r"),
                                 ssoReplaceAll | ssoEntireScope),
              2);
    EXPECT_EQ(Edit.Lines().Count(), 3);
}

TEST_F(CodeEditTest, SingleReplaceStopsAfterTheFirstHitInRange) {
    SetText(QStringLiteral("one two one"));
    Caret(2, 1);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("one"), QStringLiteral("1"), ssoReplace), 1);
    EXPECT_EQ(Text(), QStringLiteral("one two 1"));
    EXPECT_EQ(CaretXY(), BC(10, 1));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("one"), QStringLiteral("1"), ssoReplace), 0);
}

TEST_F(CodeEditTest, ReplaceAllWithLineBreaksReplacesTheHitsOfTheLineAsItWas) {
    const TSearchOptions all = ssoReplaceAll | ssoEntireScope;
    // Text a replacement brings down does not hide the hit that follows it.
    SetText(QStringLiteral("aaaa"));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("aa"), QStringLiteral("\r\na"), all), 2);
    EXPECT_EQ(Text(), QStringLiteral("\na\na"));
    EXPECT_EQ(CaretXY(), BC(2, 3)) << "after the last replacement";

    // The CR that ends one replacement never pairs up with the LF that starts the next.
    SetText(QStringLiteral("xx"));
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("x"), QStringLiteral("\nA\r"), all), 2);
    EXPECT_EQ(Text(), QStringLiteral("\nA\n\nA\n"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("xx"));
    Run(ecRedo);
    EXPECT_EQ(Text(), QStringLiteral("\nA\n\nA\n"));

    // A selection that ends on a later line still ends where it did once lines were added.
    SetText(QStringLiteral("a,b,c\nd,e,f"));
    Select(1, 1, 4, 2);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral(","), QStringLiteral("\r\n"),
                                 ssoReplaceAll | ssoSelectedOnly),
              3);
    EXPECT_EQ(Text(), QStringLiteral("a\nb\nc\nd\ne,f"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("a,b,c\nd,e,f"));

    // With nobody to ask, a prompt replaces everything, as one step.
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral(","), QStringLiteral("\n"),
                                 ssoReplaceAll | ssoPrompt | ssoEntireScope),
              4);
    EXPECT_EQ(Text(), QStringLiteral("a\nb\nc\nd\ne\nf"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("a,b,c\nd,e,f"));
}

TEST_F(CodeEditTest, SelectedOnlyRespectsTheModeOfTheSelection) {
    SetText(QStringLiteral("xa xa xa\nxa xa xa"));
    Select(3, 1, 6, 2);
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("xa"), QStringLiteral("Y"),
                                 ssoReplaceAll | ssoSelectedOnly),
              4);
    EXPECT_EQ(Text(), QStringLiteral("xa Y Y\nY Y xa"));
    Run(ecUndo);

    Edit.SetSelectionMode(smColumn);
    Select(3, 1, 6, 2);  // the columns 3 to 5: " xa" fits, the hit at 7 sticks out
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("xa"), QStringLiteral("Y"),
                                 ssoReplaceAll | ssoSelectedOnly),
              2);
    EXPECT_EQ(Text(), QStringLiteral("xa Y xa\nxa Y xa"));
    Run(ecUndo);

    Edit.SetSelectionMode(smLine);
    Select(2, 2, 2, 2);
    Edit.SetBlockEnd({3, 2});
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("xa"), QStringLiteral("Y"),
                                 ssoReplaceAll | ssoSelectedOnly),
              3);
    EXPECT_EQ(Text(), QStringLiteral("xa xa xa\nY Y Y")) << "the whole line, and only it";
}

TEST_F(CodeEditTest, PromptedReplaceAsksForEveryHit) {
    SetText(QStringLiteral("a a a a"));
    QList<int> asked;
    const TReplaceAction answers[] = {raSkip, raReplace, raReplaceAll};
    Edit.OnReplaceText = [&](TCustomCodeEdit*, const QString&, const QString&, int, int column,
                             TReplaceAction& action) {
        action = answers[asked.size()];
        asked << column;
    };
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("a"), QStringLiteral("bb"),
                                 ssoReplaceAll | ssoPrompt | ssoEntireScope),
              3);
    EXPECT_EQ(asked, QList<int>({1, 3, 6})) << "asked until the answer was replace all";
    EXPECT_EQ(Text(), QStringLiteral("a bb bb bb"));
    Edit.OnReplaceText = [&](TCustomCodeEdit*, const QString&, const QString&, int, int,
                             TReplaceAction& action) { action = raCancel; };
    EXPECT_EQ(Edit.SearchReplace(QStringLiteral("a"), QStringLiteral("c"),
                                 ssoReplaceAll | ssoPrompt | ssoEntireScope),
              1);
    EXPECT_EQ(Text(), QStringLiteral("a bb bb bb"));
}
