// The HTML exporter on exact bytes: spans by look, escaping, the head's style sheet, the
// clipboard description's offsets, and colours that follow the screen when the range starts
// inside a comment.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <string>

#include "editor/CodeEditExportHTML.h"
#include "editor/CodeEditTextBuffer.h"
#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"

namespace {

// Every line is one token of the attribute "Text".
class TLineHighlighter : public TCustomHighlighter {
public:
    TLineHighlighter() : TCustomHighlighter(true) {
        fText = AddAttribute(QStringLiteral("Text"), QStringLiteral("Text"));
        fText->SetForeground(0x0000FF);
        EndConstruction();
    }
    QString GetLanguageName() const override { return QStringLiteral("Line"); }
    QString GetFriendlyLanguageName() const override { return GetLanguageName(); }
    void Next() override {
        fTokenPos = Run;
        Run = Run < fLineLen ? fLineLen : fLineLen + 1;
        TCustomHighlighter::Next();
    }
    qint32 GetTokenKind() const override { return 0; }
    THighlighterAttributes* GetTokenAttribute() const override {
        return fTokenPos < fLineLen ? fText : nullptr;
    }
    const char* GetTokenKindName(qint32) const override { return "tkText"; }

private:
    THighlighterAttributes* fText;
};

std::string Str(const QByteArray& bytes) {
    return bytes.toStdString();
}

class ExporterHTMLTest : public ::testing::Test {
protected:
    // The body of the whole text.
    std::string Body(const QString& text) {
        Lines.SetText(text);
        const qsizetype last = Lines.Count();
        return Str(Exporter.ExportBody(Lines, {1, 1},
                                       {qint32(Lines.Strings(last - 1).size()) + 1, qint32(last)}));
    }
    std::string Body(const QString& text, TBufferCoord start, TBufferCoord stop) {
        Lines.SetText(text);
        return Str(Exporter.ExportBody(Lines, start, stop));
    }

    TCodeEditStringList Lines;
    TExporterHTML Exporter;
};

TEST_F(ExporterHTMLTest, OneTokenIsOneSpanWithItsTextEscaped) {
    TLineHighlighter line;
    Exporter.SetHighlighter(&line);
    EXPECT_EQ(Body(QStringLiteral("a<b")), "<span class=\"line1-text\">a&lt;b<br></span>");
    EXPECT_EQ(Body(QStringLiteral("x \"&>\ty")),
              "<span class=\"line1-text\">x&nbsp;&quot;&amp;&gt;\ty<br></span>")
        << "blank, quote, ampersand and greater-than escaped, the tab kept";
    EXPECT_EQ(Body(QStringLiteral("日本\U0001F600")),
              "<span class=\"line1-text\">\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80<br></span>")
        << "UTF-8, a surrogate pair as one character";
    EXPECT_EQ(Body(QStringLiteral("a\n\nb")), "<span class=\"line1-text\">a<br><br>b<br></span>")
        << "an empty line is a <br> in the open span";
}

TEST_F(ExporterHTMLTest, ClassNamesAreExportNameNumberAndAttributeName) {
    TPasHighlighter pas;
    Exporter.SetHighlighter(&pas);
    EXPECT_EQ(Exporter.AttributeClassName(*pas.AttributeByName(u"ReservedWord")),
              "pas1-reservedword")
        << "the registry's export name";
    THighlighterAttributes odd(QStringLiteral("Reserved Word_x.Y-1é!"), QString());
    EXPECT_EQ(Exporter.AttributeClassName(odd), "pas1-reservedword-x-y-1")
        << "lower case, . and _ as -, every other character dropped";
    TLineHighlighter line;
    Exporter.SetHighlighter(&line);
    EXPECT_EQ(Exporter.AttributeClassName(odd), "line1-reservedword-x-y-1")
        << "a highlighter the registry does not know goes by its language name";
}

TEST_F(ExporterHTMLTest, TokensOfEqualLookShareOneSpan) {
    TPasHighlighter pas;
    Exporter.SetHighlighter(&pas);
    // Identifier and symbol are different attributes; with the same colour and style they
    // are one look, and the span is classed after the first token's attribute.
    pas.AttributeByName(u"Identifier")->SetForeground(0x800000);
    pas.AttributeByName(u"Symbol")->SetForeground(0x800000);
    EXPECT_EQ(Body(QStringLiteral("a<b\nc")),
              "<span class=\"pas1-identifier\">a&lt;b<br>c<br></span>");
    pas.AttributeByName(u"Symbol")->SetStyle(hsBold);
    EXPECT_EQ(Body(QStringLiteral("a<b")),
              "<span class=\"pas1-identifier\">a</span><span class=\"pas1-symbol\">&lt;</span>"
              "<span class=\"pas1-identifier\">b<br></span>");
    pas.AttributeByName(u"Symbol")->SetStyle(0);
    pas.AttributeByName(u"Symbol")->SetBackground(0x00FFFF);
    EXPECT_EQ(Body(QStringLiteral("a<b")), "<span class=\"pas1-identifier\">a&lt;b<br></span>")
        << "backgrounds count only with UseBackground";
    Exporter.SetUseBackground(true);
    EXPECT_EQ(Body(QStringLiteral("a<b")),
              "<span class=\"pas1-identifier\">a</span><span class=\"pas1-symbol\">&lt;</span>"
              "<span class=\"pas1-identifier\">b<br></span>");
}

TEST_F(ExporterHTMLTest, RangesAreClampedAndEmptyOnesExportNothing) {
    TLineHighlighter line;
    Exporter.SetHighlighter(&line);
    EXPECT_EQ(Body(QStringLiteral("abc"), {2, 1}, {2, 1}), "");
    EXPECT_EQ(Body(QStringLiteral("abc"), {3, 1}, {2, 1}), "");
    EXPECT_EQ(Body(QStringLiteral("abc\ndef"), {2, 2}, {1, 1}), "") << "Stop before Start";
    EXPECT_EQ(Body(QStringLiteral("abc\ndef"), {3, 1}, {99, 9}),
              "<span class=\"line1-text\">c<br>def<br></span>");
    EXPECT_EQ(Body(QStringLiteral("abc\ndef"), {-5, 0}, {2, 2}),
              "<span class=\"line1-text\">abc<br>d<br></span>");
    Lines.SetText(QStringLiteral("abc"));
    Exporter.ExportRange(Lines, {2, 1}, {2, 1});
    EXPECT_TRUE(Exporter.Data().isEmpty()) << "no document for an empty range";

    Exporter.SetHighlighter(nullptr);
    EXPECT_EQ(Body(QStringLiteral("a <b\nc"), {1, 1}, {2, 2}), "a&nbsp;&lt;b<br>c<br>")
        << "without a highlighter the text is written without spans";
}

// Pascal with a colour, a background and every style in the rules.
class ExporterDocumentTest : public ExporterHTMLTest {
protected:
    ExporterDocumentTest() {
        pas.AttributeByName(u"Comment")->SetForeground(0x228B22);             // italic already
        pas.AttributeByName(u"ReservedWord")->SetColors(0x800000, 0x00FFFF);  // bold already
        pas.AttributeByName(u"Symbol")->SetStyle(hsUnderline | hsStrikeOut);
        pas.AttributeByName(u"String")->SetStyle(hsUnderline);
        pas.AttributeByName(u"Space")->SetBackground(0xF0F0F0);
        Exporter.SetUseBackground(true);
        Exporter.SetHighlighter(&pas);
    }

    // The four offsets of the description, in its order.
    static std::vector<qint64> Offsets(const QByteArray& data) {
        static const QRegularExpression kLine(
            QStringLiteral("^Version:0\\.9\r\nStartHTML:(\\d{10})\r\nEndHTML:(\\d{10})\r\n"
                           "StartFragment:(\\d{10})\r\nEndFragment:(\\d{10})\r\n"));
        const QRegularExpressionMatch m = kLine.match(QString::fromLatin1(data.left(105)));
        if (!m.hasMatch()) return {};
        return {m.captured(1).toLongLong(), m.captured(2).toLongLong(), m.captured(3).toLongLong(),
                m.captured(4).toLongLong()};
    }
    static void ExpectOffsetsOnTheirMarkers(const QByteArray& data) {
        const std::vector<qint64> o = Offsets(data);
        ASSERT_EQ(o.size(), 4u) << Str(data.left(120));
        EXPECT_EQ(o[0], 105);
        EXPECT_TRUE(data.sliced(o[0]).startsWith("<?xml ")) << "StartHTML";
        EXPECT_EQ(o[1], data.size()) << "EndHTML is the end of the data";
        EXPECT_TRUE(data.sliced(o[2]).startsWith("<!--StartFragment-->")) << "StartFragment";
        ASSERT_GE(o[3], 18);
        EXPECT_EQ(data.sliced(o[3] - 18, 18), "<!--EndFragment-->") << "EndFragment";
        EXPECT_EQ(data.sliced(o[3]), "</body>\r\n</html>");
    }

    TPasHighlighter pas;
};

TEST_F(ExporterDocumentTest, ClipboardBytesAreExact) {
    Lines.SetText(QStringLiteral("begin {c}\r\nx := 'a b';"));
    Exporter.ExportRange(Lines, {1, 1}, {12, 2});
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
        "<head>\r\n"
        "<title>Untitled</title>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />\r\n"
        "<meta name=\"generator\" content=\"CodeEdit HTML exporter\" />\r\n"
        "<style type=\"text/css\">\r\n"
        "<!--\r\n"
        "body { color: #000000; background-color: #F0F0F0; }\r\n"
        ".pas1-assembler { }\r\n"
        ".pas1-character { }\r\n"
        ".pas1-comment { color: #228B22; font-style: italic; }\r\n"
        ".pas1-datatype { }\r\n"
        ".pas1-float { }\r\n"
        ".pas1-hexadecimal { }\r\n"
        ".pas1-identifier { }\r\n"
        ".pas1-number { }\r\n"
        ".pas1-preprocessor { font-style: italic; }\r\n"
        ".pas1-reservedword { background-color: #FFFF00; color: #000080; font-weight: bold; }\r\n"
        ".pas1-space { background-color: #F0F0F0; }\r\n"
        ".pas1-string { text-decoration: underline; }\r\n"
        ".pas1-symbol { text-decoration: underline line-through; }\r\n"
        "-->\r\n"
        "</style>\r\n"
        "</head>\r\n"
        "<body>\r\n";
    // Identifier and space share the plain look; the first token of a run names its class.
    const std::string body =
        "<span class=\"pas1-reservedword\">begin</span>"
        "<span class=\"pas1-space\">&nbsp;</span>"
        "<span class=\"pas1-comment\">{c}<br></span>"
        "<span class=\"pas1-identifier\">x&nbsp;</span>"
        "<span class=\"pas1-symbol\">:=</span>"
        "<span class=\"pas1-space\">&nbsp;</span>"
        "<span class=\"pas1-string\">'a&nbsp;b'</span>"
        "<span class=\"pas1-symbol\">;<br></span>";
    const std::string fragment = "<!--StartFragment--><pre><code>" + body +
                                 "</code></pre><!--EndFragment--></body>\r\n</html>";
    const size_t h = head.size();
    const size_t b = body.size();
    char description[106];
    std::snprintf(description, sizeof description,
                  "Version:0.9\r\nStartHTML:%.10zu\r\nEndHTML:%.10zu\r\nStartFragment:%.10zu\r\n"
                  "EndFragment:%.10zu\r\n",
                  size_t(105), 105 + h + 31 + b + 47, 105 + h, 105 + h + 31 + b + 31);
    EXPECT_EQ(Str(Exporter.Data()), description + head + fragment);
    EXPECT_EQ(Str(Exporter.HTMLDocument()), head + fragment) << "text/html starts at StartHTML";
    ExpectOffsetsOnTheirMarkers(Exporter.Data());
}

TEST_F(ExporterDocumentTest, OffsetsCountBytesOfJapaneseTextAndTitles) {
    Exporter.SetTitle(QStringLiteral("ノート <1> & \"2\""));
    Lines.SetText(QStringLiteral("{ 日本語のコメント }\r\nbegin end; // 終わり"));
    Exporter.ExportRange(Lines, {1, 1}, {19, 2});
    const QByteArray data = Exporter.Data();
    ExpectOffsetsOnTheirMarkers(data);
    EXPECT_TRUE(data.contains("<title>ノート &lt;1&gt; &amp; &quot;2&quot;</title>"))
        << "a title cannot open a tag";
    EXPECT_TRUE(data.contains("{&nbsp;日本語のコメント&nbsp;}<br>"));
    EXPECT_TRUE(data.contains("//&nbsp;終わり<br>"));
}

TEST_F(ExporterDocumentTest, SystemColoursAndNoneAreResolved) {
    TSystemColorTable colors = Exporter.SystemColors();
    colors[8] = 0x332211;  // window text
    colors[5] = 0x665544;  // window
    Exporter.SetSystemColors(colors);
    pas.AttributeByName(u"Space")->SetBackground(kHighlighterNoColor);
    pas.AttributeByName(u"Comment")->SetForeground(0xFF000008);  // the window text
    TExporterHTML plain;
    plain.SetSystemColors(colors);
    plain.SetUseBackground(true);
    plain.SetHighlighter(&pas);
    EXPECT_TRUE(
        plain.StyleRules().startsWith("body { color: #112233; background-color: #445566; }"))
        << "the default font and background are the system's window text and window";
    EXPECT_TRUE(
        plain.StyleRules().contains(".pas1-comment { color: #112233; font-style: italic; }"));
    EXPECT_TRUE(plain.StyleRules().contains(".pas1-space { }"))
        << "a whitespace background of none keeps the window colour";
    TExporterHTML green;
    green.SetUseBackground(true);
    green.SetBackgroundColor(0x00FF00);
    green.SetHighlighter(&pas);
    EXPECT_TRUE(
        green.StyleRules().startsWith("body { color: #000000; background-color: #00FF00; }"))
        << "nor the background the editor was given";
}

TEST_F(ExporterDocumentTest, ARangeInsideACommentKeepsTheColoursOfTheScreen) {
    TCppHighlighter cpp;
    cpp.AttributeByName(u"Comment")->SetForeground(0x008000);
    cpp.AttributeByName(u"ReservedWord")->SetForeground(0x800000);
    Exporter.SetUseBackground(false);
    Exporter.SetHighlighter(&cpp);
    const QString text = QStringLiteral("/* first\nint in comment */ int x;");
    // The store was never scanned: the lines above the range are scanned for its start.
    // Blank, identifier and symbol share the plain look, classed after the blank.
    EXPECT_EQ(Body(text, {1, 2}, {25, 2}),
              "<span class=\"cpp1-comment\">int&nbsp;in&nbsp;comment&nbsp;*/</span>"
              "<span class=\"cpp1-space\">&nbsp;</span>"
              "<span class=\"cpp1-reservedword\">int</span>"
              "<span class=\"cpp1-space\">&nbsp;x;<br></span>");
    EXPECT_EQ(Body(text, {5, 2}, {7, 2}), "<span class=\"cpp1-comment\">in<br></span>");
    // A token cut by the range keeps its own colour: "in" of "int" is still a keyword.
    EXPECT_EQ(Body(text, {19, 2}, {21, 2}), "<span class=\"cpp1-reservedword\">in<br></span>");
    // Where the editor has stored the range at the end of the line above, the export starts
    // from it instead of scanning: here a range that says the comment has ended.
    cpp.ResetRange();
    Lines.PutRange(0, cpp.GetRange());
    EXPECT_EQ(Str(Exporter.ExportBody(Lines, {5, 2}, {7, 2})),
              "<span class=\"cpp1-identifier\">in<br></span>");
}

}  // namespace
