// Word wrap through the editor: rows follow the text as it is edited, the caret moves and
// shows by display rows, and turning wrap on and off keeps the view where it was.
#include "tests/editor/CodeEditFixture.h"

namespace {

QString Words(int length) {
    QString s;
    while (s.size() < length)
        s += QStringLiteral("word ");
    return s.left(length);
}

class WordWrapEditTest : public CodeEditTest {
protected:
    WordWrapEditTest() {
        Metrics = new TFixedCellMetrics(10, 30);
        Edit.SetMetrics(std::unique_ptr<TCodeEditMetrics>(Metrics));
    }
    std::vector<int> RowsOf(int line) const {
        const TWordWrapPlugin* plugin = Edit.WordWrapPlugin();
        std::vector<int> rows;
        const int first = plugin->LineToRow(line);
        for (int r = 0; r < plugin->RowsOfLine(line); ++r)
            rows.push_back(plugin->RowLength(first + r));
        return rows;
    }
    TFixedCellMetrics* Metrics;
};

}  // namespace

TEST_F(WordWrapEditTest, BreaksLinesByTheRule) {
    SetText(Words(70) + QStringLiteral("\n") + QString(70, u'a') + QStringLiteral("\n") +
            QString(29, u'a') + QStringLiteral("漢bb\n"));
    Edit.SetWordWrap(true);
    EXPECT_EQ(RowsOf(1), (std::vector<int>{30, 30, 10})) << "after the space in cells 21..30";
    EXPECT_EQ(RowsOf(2), (std::vector<int>{30, 30, 10})) << "no break character: hard breaks";
    EXPECT_EQ(RowsOf(3), (std::vector<int>{29, 4})) << "the wide glyph moves down whole";
    EXPECT_EQ(Edit.DisplayLineCount(), 8);
    Edit.SetWordWrap(false);
    EXPECT_EQ(Edit.DisplayLineCount(), 3);
}

TEST_F(WordWrapEditTest, RowsFollowEditsAndWidth) {
    SetText(QStringLiteral("short\nline two\nthree"));
    Edit.SetWordWrap(true);
    EXPECT_EQ(Edit.DisplayLineCount(), 3);
    Caret(6, 1);
    Type(QStringLiteral(" ") + Words(40));
    EXPECT_EQ(RowsOf(1).size(), 2u);
    EXPECT_EQ(Edit.DisplayLineCount(), 4);
    Run(ecLineBreak);
    EXPECT_EQ(Edit.DisplayLineCount(), 5);
    UndoAll();
    EXPECT_EQ(Edit.DisplayLineCount(), 3);
    // A narrower window re-wraps; a text area narrower than a character wraps at one cell.
    Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 4));
    EXPECT_EQ(RowsOf(2), (std::vector<int>{4, 4})) << "line two: after the space, then the rest";
    Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 0));
    EXPECT_EQ(Edit.WordWrapPlugin()->MaxRowLength(), 1);
    EXPECT_EQ(Edit.DisplayLineCount(), 5 + 8 + 5);
    Caret(1, 3);
    Type(QStringLiteral("abc"));
    EXPECT_EQ(Edit.DisplayLineCount(), 5 + 8 + 8);
    Run(ecEditorBottom);
    EXPECT_EQ(CaretXY(), BC(9, 3));
}

TEST_F(WordWrapEditTest, TopLineStaysAcrossToggling) {
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << (i % 3 == 0 ? Words(75) : QStringLiteral("line %1").arg(i));
    SetText(lines.join(u'\n'));
    Edit.SetTopLine(40);
    Edit.SetWordWrap(true);
    EXPECT_EQ(Edit.RowToLine(Edit.TopLine()), 40);
    EXPECT_EQ(Edit.TopLine(), Edit.LineToRow(40));
    EXPECT_GT(Edit.TopLine(), 40);
    Edit.SetWordWrap(false);
    EXPECT_EQ(Edit.TopLine(), 40);
    Edit.SetLeftChar(20);
    Edit.SetWordWrap(true);
    EXPECT_EQ(Edit.LeftChar(), 1);
    EXPECT_EQ(Edit.RowToLine(Edit.TopLine()), 40);
    // A caret in view stays in view.
    Caret(1, 45);
    Edit.SetWordWrap(false);
    Edit.SetWordWrap(true);
    const int row = Edit.DisplayXY().Row;
    EXPECT_GE(row, Edit.TopLine());
    EXPECT_LT(row, Edit.TopLine() + Edit.LinesInWindow());
}

TEST_F(WordWrapEditTest, MapsPositionsBothWays) {
    Edit.SetTabWidth(4);
    SetText(QStringLiteral("top\n") + Words(70) + QStringLiteral("\n\tx漢y"));
    Edit.SetWordWrap(true);
    // Rows: 1 "top"; 2-4 the long line (30, 30, 10); 5 the tab line.
    EXPECT_EQ(Edit.BufferToDisplayPos({1, 2}), (TDisplayCoord{1, 2}));
    EXPECT_EQ(Edit.BufferToDisplayPos({30, 2}), (TDisplayCoord{30, 2}));
    EXPECT_EQ(Edit.BufferToDisplayPos({31, 2}), (TDisplayCoord{1, 3}));
    EXPECT_EQ(Edit.BufferToDisplayPos({71, 2}), (TDisplayCoord{11, 4}));
    EXPECT_EQ(Edit.BufferToDisplayPos({2, 3}), (TDisplayCoord{5, 5})) << "after the tab";
    EXPECT_EQ(Edit.BufferToDisplayPos({4, 3}), (TDisplayCoord{8, 5})) << "after the wide glyph";
    EXPECT_EQ(Edit.DisplayToBufferPos({1, 3}), BC(31, 2));
    EXPECT_EQ(Edit.DisplayToBufferPos({6, 5}), BC(3, 3));
    EXPECT_EQ(Edit.DisplayToBufferPos({7, 5}), BC(3, 3)) << "the glyph's second cell";
    for (int line = 1; line <= 3; ++line)
        for (int c = 1; c <= Edit.Lines().Strings(line - 1).size() + 1; ++c)
            EXPECT_EQ(Edit.DisplayToBufferPos(Edit.BufferToDisplayPos({c, line})), BC(c, line))
                << "line " << line << " char " << c;
}

TEST_F(WordWrapEditTest, CaretMovesByDisplayRows) {
    SetText(Words(70) + QStringLiteral("\nnext"));
    Edit.SetWordWrap(true);
    Caret(5, 1);
    Run(ecDown);
    EXPECT_EQ(CaretXY(), BC(35, 1)) << "the next row of the same line";
    Run(ecDown);
    Run(ecDown);
    EXPECT_EQ(CaretXY(), BC(5, 2));
    Run(ecUp);
    EXPECT_EQ(CaretXY(), BC(65, 1));

    // End goes to the end of the row and shows the caret there, not at the next row's start.
    Caret(5, 1);
    Run(ecLineEnd);
    EXPECT_EQ(CaretXY(), BC(31, 1));
    EXPECT_TRUE(Edit.CaretAtEndOfRow());
    EXPECT_EQ(Edit.DisplayXY(), (TDisplayCoord{31, 1}));
    Run(ecRight);
    EXPECT_EQ(CaretXY(), BC(31, 1)) << "first to the start of the next row";
    EXPECT_EQ(Edit.DisplayXY(), (TDisplayCoord{1, 2}));
    Run(ecRight);
    EXPECT_EQ(CaretXY(), BC(32, 1));
    Run(ecLineStart);
    EXPECT_EQ(CaretXY(), BC(31, 1)) << "Home goes to the start of the row";
    Run(ecLeft);
    EXPECT_EQ(Edit.DisplayXY(), (TDisplayCoord{31, 1}));
    Run(ecLeft);
    EXPECT_EQ(CaretXY(), BC(30, 1));
    // Typing at the end of a row goes on there.
    Run(ecRight);
    EXPECT_TRUE(Edit.CaretAtEndOfRow());
    Type(QStringLiteral("Z"));
    EXPECT_EQ(Edit.Lines().Strings(0).mid(30, 1), QStringLiteral("Z"));
}

TEST_F(WordWrapEditTest, ClearingTheTextResetsTheRows) {
    SetText(Words(70));
    Edit.SetWordWrap(true);
    Edit.Clear();
    EXPECT_EQ(Edit.DisplayLineCount(), 0);
    SetText(Words(70));
    EXPECT_EQ(Edit.DisplayLineCount(), 3);
}
