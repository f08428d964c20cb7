// The editor with a highlighter attached: the stored ranges follow every edit, attribute
// changes reach the editor, painting takes the tokens' colours, and word-wise movement uses
// the highlighter's character classes.
#include <QImage>
#include <QRandomGenerator>

#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPython.h"
#include "tests/editor/CodeEditFixture.h"

namespace {

class HighlightingTest : public CodeEditTest {
protected:
    ~HighlightingTest() override { Edit.SetHighlighter(nullptr); }

    QString CppText(int lines) {
        QStringList text;
        for (int i = 0; i < lines; ++i)
            text << QStringLiteral("int value%1 = %1; // line").arg(i);
        return text.join(u'\n');
    }
    // Every stored range against a scan of the whole text from the top.
    void ExpectRangesMatchAFullScan() {
        TCppHighlighter fresh;
        ExpectRangesMatchAFullScan(fresh);
    }
    void ExpectRangesMatchAFullScan(TCustomHighlighter& fresh) {
        fresh.ResetRange();
        for (qsizetype i = 0; i < Edit.Lines().Count(); ++i) {
            fresh.SetLine(Edit.Lines().Strings(i), static_cast<qint32>(i));
            fresh.NextToEol();
            ASSERT_EQ(Edit.Lines().Ranges(i), fresh.GetRange()) << "line " << i + 1;
        }
    }
    int CountRanges(TCodeEditRange range) const {
        int n = 0;
        for (qsizetype i = 0; i < Edit.Lines().Count(); ++i)
            n += Edit.Lines().Ranges(i) == range;
        return n;
    }

    TCppHighlighter Cpp;
};

}  // namespace

TEST_F(HighlightingTest, TypingACommentOpenerRescansEveryFollowingLine) {
    SetText(CppText(1000));
    Edit.SetHighlighter(&Cpp);
    EXPECT_EQ(CountRanges(TCppHighlighter::rsUnknown), 1000);
    Caret(1, 1);
    Type(QStringLiteral("/*"));
    EXPECT_EQ(CountRanges(TCppHighlighter::rsAnsiC), 1000) << "every line is inside the comment";
    Caret(5, 500);
    Type(QStringLiteral("*/"));
    EXPECT_EQ(CountRanges(TCppHighlighter::rsAnsiC), 499);
    EXPECT_EQ(Edit.Lines().Ranges(499), TCppHighlighter::rsUnknown);
    ExpectRangesMatchAFullScan();
    Caret(3, 1);
    Run(ecDeleteLastChar);
    Run(ecDeleteLastChar);
    EXPECT_EQ(CountRanges(TCppHighlighter::rsUnknown), 1000) << "and back again";
    ExpectRangesMatchAFullScan();
}

TEST_F(HighlightingTest, TypingATripleQuoteRescansEveryFollowingPythonLine) {
    QStringList text;
    for (int i = 0; i < 1000; ++i)
        text << QStringLiteral("value%1 = '%1'  # line").arg(i);
    SetText(text.join(u'\n'));
    TPythonHighlighter python;
    Edit.SetHighlighter(&python);
    EXPECT_EQ(CountRanges(TPythonHighlighter::rsUnKnown), 1000);
    Caret(1, 1);
    Type(QStringLiteral("\"\"\""));
    EXPECT_EQ(CountRanges(TPythonHighlighter::rsMultilineString2), 1000)
        << "every line is inside the string";
    TPythonHighlighter fresh;
    ExpectRangesMatchAFullScan(fresh);
    // Closing it on line 500 gives the lines after it back.
    Caret(1, 500);
    Type(QStringLiteral("\"\"\""));
    EXPECT_EQ(CountRanges(TPythonHighlighter::rsMultilineString2), 499);
    ExpectRangesMatchAFullScan(fresh);
    // And removing the opener turns the closer into an opener that runs to the end.
    Caret(4, 1);
    for (int i = 0; i < 3; ++i)
        Run(ecDeleteLastChar);
    EXPECT_EQ(CountRanges(TPythonHighlighter::rsUnKnown), 499);
    EXPECT_EQ(CountRanges(TPythonHighlighter::rsMultilineString2), 501);
    ExpectRangesMatchAFullScan(fresh);
    Edit.SetHighlighter(nullptr);
}

TEST_F(HighlightingTest, RangesFollowInsertedDeletedAndPutLines) {
    SetText(CppText(50));
    Edit.SetHighlighter(&Cpp);
    // Lines that open a comment in the middle of the text, pasted as a block.
    Caret(1, 10);
    Edit.SetSelText(QStringLiteral("/* one\ntwo\nthree\n"));
    ExpectRangesMatchAFullScan();
    EXPECT_EQ(Edit.Lines().Ranges(52), TCppHighlighter::rsAnsiC) << "the last line";
    // Deleting the opener closes the comment again.
    Caret(1, 10);
    Run(ecDeleteLine);
    ExpectRangesMatchAFullScan();
    EXPECT_EQ(CountRanges(TCppHighlighter::rsAnsiC), 0);
    // Undo puts it back; a column edit changes many lines at once.
    Edit.Undo();
    ExpectRangesMatchAFullScan();
    Edit.InsertBlock({1, 20}, {1, 20}, QStringLiteral("*/\n*/\n/*"), true);
    ExpectRangesMatchAFullScan();
    UndoAll();
    ExpectRangesMatchAFullScan();
    // A whole new text scans from the top.
    SetText(QStringLiteral("/*\nx\n*/\ny"));
    ExpectRangesMatchAFullScan();
}

TEST_F(HighlightingTest, AttachingAndDetaching) {
    SetText(QStringLiteral("/* open\nstill"));
    EXPECT_EQ(Edit.Lines().Ranges(1), kNoRange) << "nothing is scanned without a highlighter";
    Edit.SetHighlighter(&Cpp);
    EXPECT_EQ(Edit.Lines().Ranges(1), TCppHighlighter::rsAnsiC);
    Edit.SetHighlighter(nullptr);
    Caret(1, 1);
    Run(ecDeleteLine);
    EXPECT_EQ(Edit.Lines().Ranges(0), TCppHighlighter::rsAnsiC) << "no longer kept";
    // A detached highlighter's changes no longer reach the editor.
    Cpp.GetAttribute(0)->SetForeground(0x123456);
    Edit.SetHighlighter(&Cpp);
    EXPECT_EQ(Edit.Lines().Ranges(0), TCppHighlighter::rsUnknown) << "attaching re-scans";
    // A change of the attached highlighter re-scans too: here after a direct store.
    Edit.Lines().PutRange(0, 77);
    Cpp.SetEnabled(false);
    EXPECT_EQ(Edit.Lines().Ranges(0), TCppHighlighter::rsUnknown);
    Cpp.SetEnabled(true);
}

TEST_F(HighlightingTest, BoldAttributesWidenTheCell) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(13);
    Edit.setFont(font);
    Edit.SetMetrics(std::make_unique<TFontCodeEditMetrics>(font));
    for (qint32 i = 0; i < Cpp.AttrCount(); ++i)
        Cpp.GetAttribute(i)->SetStyle(0);
    Edit.SetHighlighter(&Cpp);
    const int plain = Edit.CharWidth();
    const int plainHeight = Edit.TextHeight();
    Cpp.AttributeByName(u"ReservedWord")->SetStyle(hsBold | hsItalic);
    EXPECT_GE(Edit.CharWidth(), plain);
    EXPECT_GE(Edit.TextHeight(), plainHeight);
    QFont bold = font;
    bold.setBold(true);
    bold.setItalic(true);
    EXPECT_EQ(Edit.CharWidth(), std::max(plain, TFontCodeEditMetrics(bold).CharWidth()));
}

TEST_F(HighlightingTest, PaintsTokensInTheirAttributeColours) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(12);
    Edit.setFont(font);
    Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 40));
    Edit.SetColor(0xFFFFFF);
    Edit.SetFontColor(0x000000);
    Edit.SetRightEdge(0);
    Edit.resize(400, 200);
    Cpp.AttributeByName(u"ReservedWord")->SetForeground(0x0000FF);  // red
    Cpp.AttributeByName(u"Comment")->SetBackground(0x00FF00);       // green
    Cpp.AttributeByName(u"Space")->SetBackground(0xFFFF00);         // cyan text background
    Edit.SetHighlighter(&Cpp);
    SetText(QStringLiteral("int x; /* c\ncomment */ x"));
    QImage image(Edit.viewport()->size(), QImage::Format_RGB32);
    Edit.viewport()->render(&image);
    const int left = Edit.TextOffset();
    auto back = [&](int cell, int row) { return image.pixelColor(left + cell * 8, row * 16); };
    auto has = [&](int cell, int row, QColor color) {
        for (int y = row * 16; y < row * 16 + 16; ++y)
            for (int x = left + cell * 8; x < left + cell * 8 + 8; ++x)
                if (image.pixelColor(x, y) == color) return true;
        return false;
    };
    EXPECT_TRUE(has(1, 0, QColor(255, 0, 0))) << "the keyword in red";
    EXPECT_FALSE(has(4, 0, QColor(255, 0, 0))) << "the identifier is not";
    EXPECT_EQ(back(4, 0), QColor(0, 255, 255)) << "the whitespace background is the text's";
    EXPECT_EQ(back(8, 0), QColor(0, 255, 0)) << "the comment's own background";
    EXPECT_EQ(back(2, 1), QColor(0, 255, 0)) << "the comment goes on on line 2";
    EXPECT_EQ(back(12, 1), QColor(0, 255, 255)) << "after it the text background";
    EXPECT_EQ(back(30, 1), QColor(0, 255, 255)) << "past the end of the line too";
}

TEST_F(HighlightingTest, WordsFollowTheHighlightersCharacterClasses) {
    SetText(QStringLiteral("ab$cd ef"));
    EXPECT_EQ(Edit.GetWordAtRowCol({2, 1}), QStringLiteral("ab"));
    THighlighterCharSet dollar;
    dollar.set('$');
    Cpp.SetAdditionalIdentChars(dollar);
    Edit.SetHighlighter(&Cpp);
    EXPECT_EQ(Edit.GetWordAtRowCol({2, 1}), QStringLiteral("ab$cd"));
    Caret(1, 1);
    Run(ecWordRight);
    EXPECT_EQ(CaretXY(), BC(7, 1)) << "the dollar no longer ends the word";
}

TEST_F(HighlightingTest, RandomEditsKeepRangesAndRowsInStep) {
    // Edits of every kind, with word wrap and a highlighter on; after each the stored ranges
    // must equal a scan from the top, and the rows a wrap from scratch. Painting runs along.
    QRandomGenerator random(11);
    Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(8, 12));
    Edit.resize(200, 150);
    Edit.SetWordWrap(true);
    Edit.SetHighlighter(&Cpp);
    SetText(QStringLiteral("int a;\n/* x */\n\tb = \"s\";\n漢字 c"));
    const QString alphabet = QStringLiteral("ab /*\"\\\t漢\n;");
    QImage image(Edit.viewport()->size(), QImage::Format_RGB32);
    for (int step = 0; step < 400; ++step) {
        const int lines = static_cast<int>(Edit.Lines().Count());
        Caret(1 + static_cast<int>(random.bounded(20)),
              1 + static_cast<int>(random.bounded(std::max(lines, 1))));
        switch (random.bounded(6)) {
            case 0:
            case 1:
                Type(QString(alphabet[random.bounded(alphabet.size())]));
                break;
            case 2:
                Run(ecDeleteLastChar);
                break;
            case 3:
                Run(ecLineBreak);
                break;
            case 4:
                Edit.SetCaretAndSelection(CaretXY(), CaretXY(), {1, CaretXY().Line + 2});
                Edit.SetSelText(QStringLiteral("/*\n*/x\n"));
                break;
            default:
                Edit.Undo();
                break;
        }
        ExpectRangesMatchAFullScan();
        const TWordWrapPlugin* plugin = Edit.WordWrapPlugin();
        std::vector<int> rows;
        for (int r = 1; r <= plugin->DisplayLineCount(); ++r)
            rows.push_back(plugin->RowLength(r));
        Edit.SetWordWrap(false);
        Edit.SetWordWrap(true);
        plugin = Edit.WordWrapPlugin();
        ASSERT_EQ(static_cast<int>(rows.size()), plugin->DisplayLineCount()) << "step " << step;
        for (int r = 1; r <= plugin->DisplayLineCount(); ++r)
            ASSERT_EQ(rows[r - 1], plugin->RowLength(r)) << "step " << step << " row " << r;
        if (step % 20 == 0) Edit.viewport()->render(&image);
        if (HasFailure()) break;
    }
}
