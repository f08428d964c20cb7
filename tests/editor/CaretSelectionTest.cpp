#include "tests/editor/CodeEditFixture.h"

// ---------------------------------------------------------------- moving the caret

TEST_F(CodeEditTest, HorizontalMovesStayInVirtualSpaceWithScrollPastEol) {
    SetText(QStringLiteral("ab\nlonger line\nc"));
    Caret(1, 3);
    Run(ecLeft);
    EXPECT_EQ(CaretXY(), BC(1, 3)) << "Left at column 1 stays";
    Caret(3, 1);
    Repeat(ecRight, 4);
    EXPECT_EQ(CaretXY(), BC(7, 1)) << "Right keeps going past the end";

    SetOption(eoScrollPastEol, false);
    EXPECT_EQ(CaretXY(), BC(3, 1)) << "turning the option off pulls the caret back";
    Run(ecRight);
    EXPECT_EQ(CaretXY(), BC(1, 2)) << "Right at the end wraps to the next line";
    Run(ecLeft);
    EXPECT_EQ(CaretXY(), BC(3, 1)) << "Left at column 1 wraps to the end of the previous line";
    Caret(2, 3);
    Repeat(ecRight, 3);
    EXPECT_EQ(CaretXY(), BC(2, 3)) << "the end of the last line is a wall";
}

TEST_F(CodeEditTest, VerticalMovesKeepTheDisplayColumnAcrossTabsAndWideGlyphs) {
    Edit.SetTabWidth(4);
    SetText(QStringLiteral("abcdefgh\n\tx\n漢字yz\nq"));
    Caret(6, 1);  // display column 6
    Run(ecDown);
    EXPECT_EQ(CaretXY(), BC(3, 2)) << "column 6 is just after the tab and x";
    Run(ecDown);
    EXPECT_EQ(CaretXY(), BC(4, 3)) << "two wide glyphs take four cells";
    Run(ecDown);
    EXPECT_EQ(CaretXY(), BC(6, 4)) << "virtual space past a short line";

    SetOption(eoScrollPastEol, false);
    SetOption(eoKeepCaretX, true);
    Caret(8, 1);
    Repeat(ecDown, 3);
    EXPECT_EQ(CaretXY(), BC(2, 4)) << "clamped on the short line";
    Repeat(ecUp, 3);
    EXPECT_EQ(CaretXY(), BC(8, 1)) << "the remembered column comes back";
}

TEST_F(CodeEditTest, HomeAndEndFollowTheirEnhancedRules) {
    SetText(QStringLiteral("    code  "));
    Caret(7, 1);
    Run(ecLineEnd);
    EXPECT_EQ(CaretXY(), BC(9, 1)) << "End stops after the last non-blank first";
    Run(ecLineEnd);
    EXPECT_EQ(CaretXY(), BC(11, 1)) << "then goes to the real end";
    Run(ecLineStart);
    EXPECT_EQ(CaretXY(), BC(1, 1));

    SetOption(eoEnhanceHomeKey, true);
    Caret(7, 1);
    Run(ecLineStart);
    EXPECT_EQ(CaretXY(), BC(5, 1)) << "Home goes to the first non-blank";
    Run(ecLineStart);
    EXPECT_EQ(CaretXY(), BC(1, 1)) << "from there to column 1";
    Run(ecLineStart);
    EXPECT_EQ(CaretXY(), BC(5, 1)) << "and from column 1 back to the text";
}

TEST_F(CodeEditTest, WordMovesStopAtWordStartsAndLineEnds) {
    SetText(QStringLiteral("foo_bar1 (x) 漢字\nnext"));
    Caret(1, 1);
    Run(ecWordRight);
    EXPECT_EQ(CaretXY(), BC(10, 1));
    Run(ecWordRight);
    EXPECT_EQ(CaretXY(), BC(11, 1));
    Repeat(ecWordRight, 2);
    EXPECT_EQ(CaretXY(), BC(14, 1));
    Run(ecWordRight);
    EXPECT_EQ(CaretXY(), BC(16, 1));
    Run(ecWordRight);
    EXPECT_EQ(CaretXY(), BC(1, 2)) << "from the end of a line to the next line";
    Run(ecWordLeft);
    EXPECT_EQ(CaretXY(), BC(16, 1));
    Run(ecWordLeft);
    EXPECT_EQ(CaretXY(), BC(14, 1));
}

TEST_F(CodeEditTest, PagesMoveTopLineAndCaretTogether) {
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QString::number(i);
    SetText(lines.join(u'\n'));
    Run(ecPageDown);
    EXPECT_EQ(Edit.TopLine(), 21);
    EXPECT_EQ(CaretXY().Line, 21);
    Run(ecPageBottom);
    EXPECT_EQ(CaretXY().Line, 40);
    Run(ecPageTop);
    EXPECT_EQ(CaretXY().Line, 21);
    SetOption(eoHalfPageScroll, true);
    Run(ecPageUp);
    EXPECT_EQ(CaretXY().Line, 11);
    Run(ecEditorBottom);
    EXPECT_EQ(CaretXY(), BC(4, 100));
    EXPECT_EQ(Edit.TopLine(), 81) << "the caret is scrolled into view";
    Run(ecScrollDown);
    EXPECT_EQ(Edit.TopLine(), 81) << "no scrolling past the end without eoScrollPastEof";
    Run(ecScrollUp);
    EXPECT_EQ(Edit.TopLine(), 80);
    EXPECT_EQ(CaretXY().Line, 99) << "the caret is pulled back into the view";
}

// ---------------------------------------------------------------- selecting

TEST_F(CodeEditTest, SelectingMovesKeepTheAnchor) {
    SetText(QStringLiteral("one two\nthree"));
    Caret(5, 1);
    Repeat(ecSelRight, 3);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("two"));
    Run(ecSelDown);
    EXPECT_EQ(Edit.BlockBegin(), BC(5, 1));
    EXPECT_EQ(Edit.BlockEnd(), BC(8, 2));
    Run(ecSelEditorTop);
    EXPECT_EQ(Edit.BlockBegin(), BC(1, 1)) << "the anchor stays when the caret passes it";
    EXPECT_EQ(Edit.BlockEnd(), BC(5, 1));
    Run(ecRight);
    EXPECT_FALSE(Edit.SelAvail()) << "a plain move collapses the selection";

    // A column selection of no width still keeps its anchor while it grows downwards.
    Edit.SetSelectionMode(smColumn);
    Caret(2, 1);
    Run(ecSelDown);
    EXPECT_FALSE(Edit.SelAvail());
    Run(ecSelRight);
    EXPECT_EQ(Edit.BlockBegin(), BC(2, 1));
    EXPECT_EQ(Edit.SelText(), QStringLiteral("n\r\nh"));
}

TEST_F(CodeEditTest, SelTextInTheThreeModes) {
    SetText(QStringLiteral("l1\nl2\nl3\nl4\nl5"));
    Edit.SetSelectionMode(smLine);
    Select(2, 2, 1, 3);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("l2\r\nl3\r\n")) << "line mode ends with a break";
    Select(1, 4, 1, 5);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("l4\r\nl5")) << "but not after the last line";

    Edit.SetSelectionMode(smNormal);
    Select(2, 1, 2, 3);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("1\r\nl2\r\nl"));
    Select(7, 1, 2, 2);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("\r\nl")) << "a start in virtual space reads nothing";
}

TEST_F(CodeEditTest, ReplacingANormalSelectionJoinsHeadAndTail) {
    SetText(QStringLiteral("l1\nHEADxx\nmiddle\nyyTAIL\nl5"));
    Select(5, 2, 3, 4);
    Edit.SetSelText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(Text(), QStringLiteral("l1\nHEADa\nbTAIL\nl5"));
    EXPECT_EQ(CaretXY(), BC(2, 3));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("l1\nHEADxx\nmiddle\nyyTAIL\nl5"));
}

// Deleting a column removes on each line what SelText shows for it, so cut, delete and
// undo agree even where tabs and wide glyphs make characters and cells differ.
TEST_F(CodeEditTest, ColumnDeleteRemovesTheDisplayColumnsOfEveryLine) {
    Edit.SetTabWidth(4);
    SetText(QStringLiteral("abcdefgh\n\tcdefgh\n漢字efgh\nab"));
    Edit.SetSelectionMode(smColumn);
    Select(3, 1, 7, 4);  // display columns 3 to 6 on every line
    // Column 3 lies inside the tab (cells 1 to 4) and inside 字 (cells 3 and 4).
    const QString column = QStringLiteral("cdef\r\n\tcd\r\n字ef\r\n");
    EXPECT_EQ(Edit.SelText(), column);
    Edit.CopyToClipboard();
    Run(ecDeleteChar);
    EXPECT_EQ(Text(), QStringLiteral("abgh\nefgh\n漢gh\nab"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), column);
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("abcdefgh\n\tcdefgh\n漢字efgh\nab"));

    Select(3, 1, 7, 4);
    Run(ecCut);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), column);
    EXPECT_EQ(CaretXY(), BC(3, 4));
    Caret(3, 1);
    Run(ecPaste);
    EXPECT_TRUE(Text().startsWith(QStringLiteral("abcdefgh\n"))) << "pasted back as a column";
    Run(ecUndo);
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("abcdefgh\n\tcdefgh\n漢字efgh\nab"));
}

TEST_F(CodeEditTest, LineModeDeleteKeepsOneEmptyLineAtTheEnd) {
    SetText(QStringLiteral("a\nb\nc"));
    Edit.SetSelectionMode(smLine);
    Select(1, 2, 1, 3);
    Run(ecDeleteChar);
    EXPECT_EQ(Text(), QStringLiteral("a\n"));
    EXPECT_EQ(CaretXY(), BC(1, 2));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("a\nb\nc"));
    Select(1, 1, 1, 2);
    Run(ecDeleteChar);
    EXPECT_EQ(Text(), QStringLiteral("c"));
}

TEST_F(CodeEditTest, SelectAllAndCaretSettersClampToTheText) {
    Edit.SelectAll();
    EXPECT_EQ(Edit.BlockEnd(), BC(1, 1));
    SetText(QStringLiteral("ab\ncde"));
    Edit.SelectAll();
    EXPECT_EQ(Edit.BlockBegin(), BC(1, 1));
    EXPECT_EQ(Edit.BlockEnd(), BC(4, 2));
    EXPECT_EQ(CaretXY(), BC(4, 2));
    Caret(0, 9);
    EXPECT_EQ(CaretXY(), BC(1, 2));
    Caret(1000000000, 1);
    EXPECT_LE(CaretXY().Char, 16384) << "virtual space has a bound";
    EXPECT_FALSE(Edit.SelAvail());
}

TEST_F(CodeEditTest, InsertBlockInsertsAtTheCaretAndRestoresTheMode) {
    SetText(QStringLiteral("date: \nnext"));
    Caret(7, 1);
    Edit.InsertBlock(CaretXY(), CaretXY(), QStringLiteral("2024/01/02"), true);
    EXPECT_EQ(Text(), QStringLiteral("date: 2024/01/02\nnext"));
    EXPECT_EQ(CaretXY(), BC(17, 1));
    EXPECT_EQ(Edit.ActiveSelectionMode(), smNormal);
    Edit.InsertBlock(CaretXY(), CaretXY(), QStringLiteral("!"), true);
    EXPECT_EQ(Text(), QStringLiteral("date: 2024/01/02!\nnext"));
    Run(ecUndo);
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("date: \nnext"));
    Edit.SetReadOnly(true);
    Edit.InsertBlock(CaretXY(), CaretXY(), QStringLiteral("x"), true);
    EXPECT_EQ(Text(), QStringLiteral("date: \nnext"));
}

TEST_F(CodeEditTest, WordAtRowColTakesIdentifierRunsOnly) {
    SetText(QStringLiteral("  foo_bar1 漢字 x"));
    EXPECT_EQ(Edit.GetWordAtRowCol({1, 1}), QString());
    for (int c = 3; c <= 10; ++c)
        EXPECT_EQ(Edit.GetWordAtRowCol({c, 1}), QStringLiteral("foo_bar1")) << c;
    EXPECT_EQ(Edit.GetWordAtRowCol({11, 1}), QString());
    EXPECT_EQ(Edit.GetWordAtRowCol({12, 1}), QString()) << "no Japanese without a highlighter";
    EXPECT_EQ(Edit.GetWordAtRowCol({15, 1}), QStringLiteral("x"));
    EXPECT_EQ(Edit.GetWordAtRowCol({16, 1}), QString());
    EXPECT_EQ(Edit.GetWordAtRowCol({3, 2}), QString());
    EXPECT_TRUE(Edit.IsWordBreakChar(u'('));
    EXPECT_TRUE(Edit.IsWordBreakChar(QChar(0xB0)));
    EXPECT_FALSE(Edit.IsWordBreakChar(u'_'));
}

TEST_F(CodeEditTest, StatusChangesAreReportedOncePerCommand) {
    SetText(QStringLiteral("abc"));
    int reports = 0;
    TStatusChanges seen;
    int changes = 0;
    Edit.OnStatusChange = [&](TCustomCodeEdit*, TStatusChanges c) {
        ++reports;
        seen |= c;
    };
    Edit.OnChange = [&](TCustomCodeEdit*) { ++changes; };
    Run(ecSelectAll);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(seen & scSelection);
    reports = 0;
    Run(ecChar, u'x');
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(changes, 1) << "one OnChange for the deletion and the insertion";
    EXPECT_TRUE(seen & scModified);
}
