#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

#include "editor/CodeEditWordWrap.h"

namespace {

// Lines held as display cells already; wide glyphs are written as filler + glyph.
struct TWrapFixture {
    QStringList Lines;
    TWordWrapPlugin Plugin{
        {[this](qsizetype line) { return Lines.value(line); },
         [](QChar c) { return c.unicode() <= 0x2F || (c >= u':' && c <= u'@'); }}};
    std::vector<int> Rows(const QString& cells) {
        std::vector<uint16_t> rows;
        Plugin.WrapCells(cells, rows);
        return {rows.begin(), rows.end()};
    }
};

QString Words(int length) {
    // "word word word ..." cut to length: spaces at every fifth cell.
    QString s;
    while (s.size() < length)
        s += QStringLiteral("word ");
    return s.left(length);
}

}  // namespace

TEST(WordWrap, BreaksAfterTheLastBreakCharacterInTheLastThirdOfTheRow) {
    TWrapFixture f;
    f.Plugin.SetCharsInWindow(30, 0);
    EXPECT_EQ(f.Plugin.MinRowLength(), 20);
    // Spaces sit at cells 5, 10, ..., 30 of each row: the row ends after the one at cell 30.
    EXPECT_EQ(f.Rows(Words(70)), (std::vector<int>{30, 30, 10}));
    // Move the spaces: "x" then words, so spaces fall at cells 6, 11, ..., 26 within a row.
    EXPECT_EQ(f.Rows(QStringLiteral("x") + Words(69)), (std::vector<int>{26, 30, 14}));
    // A break character at cell 20 is too early; none later means a hard break.
    EXPECT_EQ(f.Rows(QString(19, u'a') + u' ' + QString(50, u'a')), (std::vector<int>{30, 30, 10}));
    EXPECT_EQ(f.Rows(QString(70, u'a')), (std::vector<int>{30, 30, 10}));
    EXPECT_EQ(f.Rows(QString()), (std::vector<int>{0}));
    EXPECT_EQ(f.Rows(QString(30, u'a')), (std::vector<int>{30})) << "a full row is not split";
}

TEST(WordWrap, NeverSplitsAWideGlyphFromItsFiller) {
    TWrapFixture f;
    f.Plugin.SetCharsInWindow(30, 0);
    const QString glyph = QString(QChar(TWordWrapPlugin::kWideGlyphFiller)) + QStringLiteral("漢");
    // 29 cells, then a two-cell glyph straddling the row end: it moves whole to row 2.
    EXPECT_EQ(f.Rows(QString(29, u'a') + glyph + QStringLiteral("bb")), (std::vector<int>{29, 4}));
    // Glyphs only: rows of 30 cells hold 15 glyphs each.
    QString wide;
    for (int i = 0; i < 20; ++i)
        wide += glyph;
    EXPECT_EQ(f.Rows(wide), (std::vector<int>{30, 10}));
}

TEST(WordWrap, ATextAreaNarrowerThanOneCharacterStillProgresses) {
    TWrapFixture f;
    f.Lines = {QStringLiteral("abc"), QString(), QStringLiteral("de")};
    f.Plugin.SetCharsInWindow(0, f.Lines.size());
    EXPECT_EQ(f.Plugin.MaxRowLength(), 1);
    EXPECT_EQ(f.Plugin.DisplayLineCount(), 3 + 1 + 2);
    EXPECT_EQ(f.Rows(QString(1000, u'x')).size(), 1000u);
}

TEST(WordWrap, MapsPositionsBothWays) {
    TWrapFixture f;
    f.Lines = {QStringLiteral("short"), Words(70), QString(), QStringLiteral("tail")};
    f.Plugin.SetCharsInWindow(30, f.Lines.size());
    // Rows: 1 "short"; 2-4 the long line (30, 30, 10); 5 the empty line; 6 "tail".
    ASSERT_EQ(f.Plugin.DisplayLineCount(), 6);
    EXPECT_EQ(f.Plugin.LineToRow(2), 2);
    EXPECT_EQ(f.Plugin.LineToRow(3), 5);
    EXPECT_EQ(f.Plugin.RowToLine(4), 2);
    EXPECT_EQ(f.Plugin.RowToLine(6), 4);
    EXPECT_TRUE(f.Plugin.IsContinuationRow(3));
    EXPECT_FALSE(f.Plugin.IsContinuationRow(5));

    EXPECT_EQ(f.Plugin.BufferToDisplayPos(2, 1), (TDisplayCoord{1, 2}));
    EXPECT_EQ(f.Plugin.BufferToDisplayPos(2, 30), (TDisplayCoord{30, 2}))
        << "the last cell of a row";
    EXPECT_EQ(f.Plugin.BufferToDisplayPos(2, 31), (TDisplayCoord{1, 3}))
        << "one more starts the next row";
    EXPECT_EQ(f.Plugin.BufferToDisplayPos(2, 71), (TDisplayCoord{11, 4})) << "the end of the line";
    EXPECT_EQ(f.Plugin.BufferToDisplayPos(2, 90), (TDisplayCoord{30, 4}))
        << "past the end stays on the last row";
    EXPECT_EQ(f.Plugin.BufferToDisplayPos(3, 1), (TDisplayCoord{1, 5}));
    EXPECT_EQ(f.Plugin.BufferToDisplayPos(6, 2), (TDisplayCoord{2, 8}))
        << "beyond the text, one to one";

    EXPECT_EQ(f.Plugin.DisplayToBufferPos({1, 3}), (TDisplayCoord{31, 2}));
    EXPECT_EQ(f.Plugin.DisplayToBufferPos({50, 3}), (TDisplayCoord{61, 2}))
        << "clamped to the row end";
    EXPECT_EQ(f.Plugin.DisplayToBufferPos({50, 4}), (TDisplayCoord{91, 2}))
        << "the last row clamps at the width";
    EXPECT_EQ(f.Plugin.DisplayToBufferPos({3, 9}), (TDisplayCoord{3, 7}));
    // Every cell of the text maps there and back.
    for (qint32 line = 1; line <= 4; ++line) {
        for (qint32 column = 1; column <= f.Lines[line - 1].size() + 1; ++column) {
            const TDisplayCoord display = f.Plugin.BufferToDisplayPos(line, column);
            EXPECT_EQ(f.Plugin.DisplayToBufferPos(display), (TDisplayCoord{column, line}))
                << "line " << line << " column " << column;
        }
    }
}

TEST(WordWrap, IncrementalUpkeepMatchesAFullRewrap) {
    // Random inserts, deletes and puts, each checked against wrapping everything again.
    QRandomGenerator random(7);
    TWrapFixture f;
    TWrapFixture fresh;
    f.Plugin.SetCharsInWindow(12, 0);
    auto randomLine = [&] {
        const int length = static_cast<int>(random.bounded(40));
        QString s;
        for (int i = 0; i < length; ++i)
            s += random.bounded(5) == 0 ? u' ' : QChar(u'a' + random.bounded(26));
        return s;
    };
    for (int step = 0; step < 2000; ++step) {
        const qsizetype count = f.Lines.size();
        const int op = static_cast<int>(random.bounded(3));
        if (op == 0 || count == 0) {
            const qsizetype at = random.bounded(static_cast<quint32>(count + 1));
            const qsizetype n = 1 + random.bounded(3);
            for (qsizetype i = 0; i < n; ++i)
                f.Lines.insert(at + i, randomLine());
            f.Plugin.LinesInserted(at, n);
        } else if (op == 1) {
            const qsizetype at = random.bounded(static_cast<quint32>(count));
            const qsizetype n = std::min<qsizetype>(1 + random.bounded(3), count - at);
            f.Lines.remove(at, n);
            f.Plugin.LinesDeleted(at, n);
        } else {
            const qsizetype at = random.bounded(static_cast<quint32>(count));
            f.Lines[at] = randomLine();
            f.Plugin.LinesPutted(at, 1);
        }
        fresh.Lines = f.Lines;
        fresh.Plugin.SetCharsInWindow(12, fresh.Lines.size());
        fresh.Plugin.Rebuild(fresh.Lines.size());
        ASSERT_EQ(f.Plugin.DisplayLineCount(), fresh.Plugin.DisplayLineCount()) << "step " << step;
        for (qint32 line = 1; line <= f.Plugin.LineCount(); ++line)
            ASSERT_EQ(f.Plugin.LineToRow(line), fresh.Plugin.LineToRow(line)) << "step " << step;
        for (qint32 row = 1; row <= f.Plugin.DisplayLineCount(); ++row)
            ASSERT_EQ(f.Plugin.RowLength(row), fresh.Plugin.RowLength(row)) << "step " << step;
    }
}
