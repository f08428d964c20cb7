#include "tests/editor/CodeEditFixture.h"

TEST_F(CodeEditTest, CopyOffersTextAndTheModeByte) {
    SetText(QStringLiteral("abc\ndef"));
    Edit.SetSelectionMode(smColumn);
    Select(2, 1, 3, 2);
    Run(ecCopy);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), QStringLiteral("b\r\ne"));
    EXPECT_EQ(data->data(QString::fromLatin1(kCodeEditModeMimeType)), QByteArray(1, '\2'));
    EXPECT_EQ(Text(), QStringLiteral("abc\ndef")) << "copy changes nothing";
}

TEST_F(CodeEditTest, PasteTakesTheModeByteOnlyWhenWellFormed) {
    SetText(QStringLiteral("1234\n1234\n1234"));
    const QByteArray column(1, '\2');
    Caret(2, 1);
    PutOnClipboard(QStringLiteral("x\r\ny"), &column);
    Run(ecPaste);
    EXPECT_EQ(Text(), QStringLiteral("1x234\n1y234\n1234")) << "column block in normal mode";
    EXPECT_EQ(CaretXY(), BC(3, 2));

    for (const QByteArray& bad : {QByteArray(1, '\3'), QByteArray("\2\2", 2), QByteArray()}) {
        SetText(QStringLiteral("1234\n1234"));
        Caret(2, 1);
        PutOnClipboard(QStringLiteral("x\r\ny"), &bad);
        Run(ecPaste);
        EXPECT_EQ(Text(), QStringLiteral("1x\ny234\n1234")) << "pasted in the editor's mode";
    }

    const QByteArray line(1, '\1');
    SetText(QStringLiteral("a\nb"));
    Caret(2, 2);
    PutOnClipboard(QStringLiteral("new\r\n"), &line);
    Run(ecPaste);
    EXPECT_EQ(Text(), QStringLiteral("a\nnew\nb")) << "line mode inserts whole lines above";
}

TEST_F(CodeEditTest, ColumnPastePadsShortLinesAndExtendsTheBuffer) {
    SetText(QStringLiteral("abcdef\nab"));
    Caret(5, 1);
    const QByteArray column(1, '\2');
    PutOnClipboard(QStringLiteral("X\r\nY\r\nZ"), &column);
    Run(ecPaste);
    EXPECT_EQ(Text(), QStringLiteral("abcdXef\nab  Y\n    Z"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("abcdef\nab")) << "padding and new lines go with the undo";
}

TEST_F(CodeEditTest, ReadOnlyAllowsOnlyCopy) {
    SetText(QStringLiteral("keep"));
    Edit.SetReadOnly(true);
    Select(1, 1, 3, 1);
    PutOnClipboard(QStringLiteral("other"), nullptr);
    EXPECT_FALSE(Edit.CanPaste());
    Run(ecCut);
    Run(ecPaste);
    EXPECT_EQ(Text(), QStringLiteral("keep"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("other"));
    Run(ecCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ke"));
    Edit.SetReadOnly(false);
    EXPECT_TRUE(Edit.CanPaste());
    Run(ecCut);
    EXPECT_EQ(Text(), QStringLiteral("ep"));
    Run(ecUndo);
    EXPECT_EQ(Text(), QStringLiteral("keep"));
}
