#include "highlighters/HighlighterPas.h"
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

// With a highlighter, copy and cut add the selection as HTML; the primary selection and
// drags carry only the text and the mode byte.
class ClipboardHTMLTest : public CodeEditTest {
protected:
    ClipboardHTMLTest() {
        Pas.AttributeByName(u"Comment")->SetForeground(0x008000);
        Pas.AttributeByName(u"ReservedWord")->SetForeground(0x800000);
        Pas.AttributeByName(u"Number")->SetForeground(0x0000CD);
    }
    ~ClipboardHTMLTest() override { Edit.SetHighlighter(nullptr); }
    static const QMimeData* Clip() { return QGuiApplication::clipboard()->mimeData(); }
    static QString Html() { return QString::fromUtf8(Clip()->data(QStringLiteral("text/html"))); }

    TPasHighlighter Pas;
};

TEST_F(ClipboardHTMLTest, CopyOffersTextModeByteAndHtml) {
    SetText(QStringLiteral("begin x < 1 end"));
    Edit.SetHighlighter(&Pas);
    Select(1, 1, 12, 1);
    Run(ecCopy);
    ASSERT_TRUE(Clip());
    EXPECT_EQ(Clip()->formats(),
              QStringList({QStringLiteral("text/plain"), QString::fromLatin1(kCodeEditModeMimeType),
                           QStringLiteral("text/html")}));
    EXPECT_EQ(Clip()->text(), QStringLiteral("begin x < 1"));
    const QByteArray html = Clip()->data(QStringLiteral("text/html"));
    EXPECT_TRUE(html.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"))
        << "from StartHTML on: the description means nothing here";
    EXPECT_TRUE(html.endsWith("</code></pre><!--EndFragment--></body>\r\n</html>"));
    EXPECT_TRUE(html.contains("<span class=\"pas1-reservedword\">begin</span>"));
    EXPECT_TRUE(
        html.contains("<span class=\"pas1-space\">&nbsp;x&nbsp;&lt;&nbsp;</span>"
                      "<span class=\"pas1-number\">1<br></span>"))
        << html.toStdString();
    EXPECT_TRUE(html.contains(".pas1-reservedword { color: #000080; font-weight: bold; }"));
}

TEST_F(ClipboardHTMLTest, NoHtmlWithoutAHighlighterAndNoneForPrimaryOrDrag) {
    SetText(QStringLiteral("begin end"));
    Select(1, 1, 6, 1);
    Run(ecCopy);
    EXPECT_EQ(Clip()->formats(), QStringList({QStringLiteral("text/plain"),
                                              QString::fromLatin1(kCodeEditModeMimeType)}));
    Edit.SetHighlighter(&Pas);
    const std::unique_ptr<QMimeData> primary(Edit.CreateSelectionMimeData());
    EXPECT_FALSE(primary->hasFormat(QStringLiteral("text/html")))
        << "the primary selection and drags never pay for an export";
    EXPECT_TRUE(Edit.SelectionAsHTML().contains("begin"));
    // A selection wholly past the end of its line is an empty range: no HTML.
    SetText(QStringLiteral("ab"));
    Select(5, 1, 8, 1);
    Run(ecCopy);
    EXPECT_EQ(Clip()->text(), QString());
    EXPECT_FALSE(Clip()->hasFormat(QStringLiteral("text/html")));
}

TEST_F(ClipboardHTMLTest, CutAndCopyInsideACommentKeepTheScreenColours) {
    SetText(QStringLiteral("{ a comment\ngoing on } begin"));
    Edit.SetHighlighter(&Pas);
    Select(1, 2, 6, 2);
    Run(ecCopy);
    EXPECT_TRUE(Html().contains(QStringLiteral("<span class=\"pas1-comment\">going<br>")))
        << Html().toStdString();
    Select(10, 2, 15, 2);
    Run(ecCut);
    EXPECT_TRUE(Html().contains(QStringLiteral("<span class=\"pas1-comment\">}</span>")));
    EXPECT_TRUE(Html().contains(QStringLiteral("<span class=\"pas1-reservedword\">beg<br>")))
        << "a keyword cut by the selection keeps its colour";
    EXPECT_EQ(Text(), QStringLiteral("{ a comment\ngoing on in"));
}
