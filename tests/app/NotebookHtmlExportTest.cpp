// The notebook as one HTML page: headings by level with anchors, the table of contents,
// escaped titles and texts, colours by the chosen highlighter, and the command of the window.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

#include "app/NotebookHtmlExport.h"
#include "editor/CodeEditExportHTML.h"
#include "highlighters/HighlighterPas.h"
#include "platform/Errors.h"
#include "tests/app/Form1Fixture.h"

namespace {

// Builds a notebook from a pre-order list of (level, title, text).
void Fill(TNotebook& notebook, const std::vector<TSnippetDef>& snippets) {
    std::vector<TNotebookNode*> lastAtLevel;
    for (const TSnippetDef& s : snippets) {
        TNotebookNode* parent = s.level > 0 ? lastAtLevel[size_t(s.level - 1)] : nullptr;
        TNotebookNode* node = notebook.AddChild(parent, s.title, s.icon);
        node->Data()->text = s.text;
        lastAtLevel.resize(size_t(s.level + 1));
        lastAtLevel[size_t(s.level)] = node;
    }
}

int Count(const QString& page, const QString& what) {
    return int(page.count(what));
}

class NotebookHtmlTest : public ::testing::Test {
protected:
    QString Page() { return QString::fromUtf8(NotebookHtmlPage(Notebook, Exporter)); }

    TNotebook Notebook;
    TExporterHTML Exporter;
};

TEST_F(NotebookHtmlTest, HeadingsFollowTheTreeWithAnchorsAndContents) {
    std::vector<TSnippetDef> deep;
    for (int level = 0; level < 8; ++level)
        deep.push_back({level, QStringLiteral("L%1").arg(level), 1, QString()});
    deep.push_back({0, QStringLiteral("last"), 1, QStringLiteral("x")});
    Fill(Notebook, deep);
    Exporter.SetTitle(QStringLiteral("ノート.mrp"));
    const QString page = Page();
    EXPECT_TRUE(page.startsWith(QStringLiteral("<!DOCTYPE html>\n")));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>ノート.mrp</title>")));
    for (int level = 0; level < 8; ++level) {
        const QString h = QStringLiteral("h%1").arg(std::min(level + 1, 6));
        EXPECT_TRUE(page.contains(
            QStringLiteral("<%1 id=\"snippet-%2\">L%3</%1>").arg(h).arg(level + 1).arg(level)))
            << "level " << level << " is " << h.toStdString();
        EXPECT_TRUE(page.contains(
            QStringLiteral("<li><a href=\"#snippet-%1\">L%2</a>").arg(level + 1).arg(level)));
    }
    EXPECT_TRUE(page.contains(QStringLiteral("<h1 id=\"snippet-9\">last</h1>\n<pre><code>x<br>")));
    // Each snippet opens one list item, and every list and item is closed again.
    EXPECT_EQ(Count(page, QStringLiteral("<li>")), 9);
    EXPECT_EQ(Count(page, QStringLiteral("</li>")), 9);
    EXPECT_EQ(Count(page, QStringLiteral("<ul>")), 8);
    EXPECT_EQ(Count(page, QStringLiteral("</ul>")), 8);
    EXPECT_TRUE(page.contains(QStringLiteral("L7</a></li>\n</ul>\n</li>\n</ul>")));
}

TEST_F(NotebookHtmlTest, HostileTitlesAndTextsStayText) {
    Fill(Notebook, {{0, QStringLiteral("<script>alert(\"x\")</script> & co"), 1,
                     QStringLiteral("<img src=x onerror=alert(1)>\r\n\"a\" & 'b'\r\n")},
                    {0, QStringLiteral("  "), 1, QStringLiteral("blank title")}});
    Exporter.SetTitle(QStringLiteral("</title><script>"));
    const QString page = Page();
    EXPECT_FALSE(page.contains(QStringLiteral("<script")));
    EXPECT_FALSE(page.contains(QStringLiteral("<img")));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>&lt;/title&gt;&lt;script&gt;</title>")));
    EXPECT_TRUE(page.contains(QStringLiteral(
        "<h1 id=\"snippet-1\">&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; co</h1>")));
    EXPECT_TRUE(page.contains(QStringLiteral(
        "<pre><code>&lt;img&nbsp;src=x&nbsp;onerror=alert(1)&gt;<br>&quot;a&quot;&nbsp;&amp;"
        "&nbsp;'b'<br></code></pre>")))
        << "plain text without a highlighter: no spans";
    EXPECT_TRUE(page.contains(QStringLiteral("<h1 id=\"snippet-2\">（無題）</h1>")))
        << "a blank title still gives a heading and a link to click";
}

TEST_F(NotebookHtmlTest, TextsAreColouredByTheHighlighter) {
    TPasHighlighter pas;
    pas.AttributeByName(u"Comment")->SetForeground(0x228B22);
    Exporter.SetUseBackground(true);
    Exporter.SetHighlighter(&pas);
    Fill(Notebook, {{0, QStringLiteral("a"), 1, QStringLiteral("{ one\r\ntwo } begin { open")},
                    {0, QStringLiteral("b"), 1, QStringLiteral("still code")}});
    const QString page = Page();
    EXPECT_TRUE(
        page.contains(QStringLiteral(".pas1-comment { color: #228B22; font-style: italic; }")));
    EXPECT_TRUE(page.contains(
        QStringLiteral("<pre><code><span class=\"pas1-comment\">{&nbsp;one<br>two&nbsp;}</span>")));
    EXPECT_TRUE(page.contains(QStringLiteral(
        "<h1 id=\"snippet-2\">b</h1>\n<pre><code><span class=\"pas1-identifier\">still")))
        << "each snippet starts from the highlighter's initial range";
}

TEST_F(NotebookHtmlTest, WritingReplacesTheFileOnlyWhenComplete) {
    TTestDir dir;
    Fill(Notebook, {{0, QStringLiteral("a"), 1, QStringLiteral("text")}});
    const QString target = dir.Path(QStringLiteral("out.html"));
    WriteFileBytes(target, "old");
    ExportNotebookHtml(Notebook, Exporter, target);
    EXPECT_EQ(ReadFileBytes(target), NotebookHtmlPage(Notebook, Exporter));
    const QString missing = dir.Path(QStringLiteral("no/such/folder/out.html"));
    EXPECT_THROW(ExportNotebookHtml(Notebook, Exporter, missing), EFCreateError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(Form1Test, ExportHtmlWritesThePageWithTheChosenHighlighterAndTheEditorsText) {
    Start(MakeNotebook(QStringLiteral("ノート.mrp"),
                       {{0, "a", 1, "a"}, {1, "b", 1, "b"}, {0, "日本", 1, "日本語"}}));
    QStringList file;
    for (QAction* a : Form->menuBar()->actions().first()->menu()->actions())
        file << a->objectName();
    EXPECT_EQ(file.mid(4, 2), (QStringList{"ExportTextCmd", "ExportHtmlCmd"}));
    EXPECT_EQ(Form->Action("ExportHtmlCmd")->text(), QStringLiteral("HTMLに書き出し"));

    Form->SetHighlighterChoice(1);
    ClickSnippet(0);
    Form->Memo().SetText(QStringLiteral("a { edited }"));
    const QString target = Dir.Path(QStringLiteral("out.html"));
    Dialogs->FileAnswers.push_back(target);
    Trigger("ExportHtmlCmd");
    ASSERT_EQ(Dialogs->SaveDialogs.size(), 1u);
    EXPECT_EQ(Dialogs->SaveDialogs.at(0).Filter, QStringLiteral("HTML files (*.html)|*.html"));
    EXPECT_EQ(Dialogs->SaveDialogs.at(0).DefaultExt, QStringLiteral("html"));
    const QString page = QString::fromUtf8(ReadFileBytes(target));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>ノート.mrp</title>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<span class=\"pas1-comment\">{&nbsp;edited&nbsp;}")))
        << "the editor's text as shown, in the Pascal colours";
    EXPECT_TRUE(page.contains(QStringLiteral(".pas1-comment { color: #228B22;")))
        << "the window's token colours";
    EXPECT_TRUE(page.contains(QStringLiteral("<h1 id=\"snippet-3\">日本</h1>")));

    Dialogs->FileAnswers.push_back(std::nullopt);
    Trigger("ExportHtmlCmd");
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

}  // namespace
