#include "app/NotebookHtmlExport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <limits>

#include "app/Notebook.h"
#include "app/NotebookMessages.h"
#include "editor/CodeEditExportHTML.h"
#include "editor/CodeEditTextBuffer.h"
#include "platform/Errors.h"

namespace {

// Ids are numbers only, so no title reaches an attribute.
QByteArray Anchor(int index) {
    return "snippet-" + QByteArray::number(index + 1);
}

QByteArray HeadingText(const TNotebookNode& node) {
    const QString title = node.Title().trimmed();
    return TExporterHTML::EscapeTitle(title.isEmpty() ? NotebookMessages::UntitledHeading()
                                                      : title);
}

QByteArray PageHead(TExporterHTML& exporter) {
    QByteArray head =
        "<!DOCTYPE html>\n"
        "<html lang=\"ja\">\n"
        "<head>\n"
        "<meta charset=\"UTF-8\">\n"
        "<meta name=\"generator\" content=\"Marrowpad\">\n"
        "<title>";
    head += TExporterHTML::EscapeTitle(exporter.Title());
    head += "</title>\n<style>\n";
    head += exporter.StyleRules();
    head +=
        "body { margin: 2em; font-family: sans-serif; line-height: 1.4; }\n"
        "pre { font-family: \"";
    head += TExporterHTML::EscapeTitle(exporter.Font().Name);
    head +=
        "\", monospace; font-size: 10pt; padding: 0.5em; border: 1px solid #C0C0C0; "
        "overflow-x: auto; }\n"
        "nav ul { list-style: none; padding-left: 1.5em; margin: 0; }\n"
        "nav > ul { padding-left: 0; }\n"
        "</style>\n</head>\n<body>\n";
    return head;
}

// Nested lists follow the tree: a child is one level below the snippet before it, and a
// later snippet may climb any number of levels.
QByteArray TableOfContents(const TNotebook& notebook) {
    QByteArray toc = "<nav>\n";
    int depth = 0;  // open lists
    int level = 0;
    int index = 0;
    for (const TNotebookNode* node = notebook.First(); node; node = node->GetNext(level), ++index) {
        if (level + 1 > depth) {
            for (; depth < level + 1; ++depth)
                toc += "<ul>\n";
        } else {
            toc += "</li>\n";
            for (; depth > level + 1; --depth)
                toc += "</ul>\n</li>\n";
        }
        toc += "<li><a href=\"#" + Anchor(index) + "\">" + HeadingText(*node) + "</a>";
    }
    if (depth > 0) toc += "</li>\n";
    for (; depth > 0; --depth)
        toc += depth > 1 ? "</ul>\n</li>\n" : "</ul>\n";
    return toc + "</nav>\n";
}

QByteArray SnippetText(const TNotebookNode& node, TExporterHTML& exporter) {
    TCodeEditStringList lines;
    if (node.Data()) lines.SetText(node.Data()->text);
    const qint32 count =
        qint32(std::min<qsizetype>(lines.Count(), std::numeric_limits<qint32>::max()));
    const qint32 end = count > 0 ? qint32(lines.Strings(count - 1).size()) + 1 : 1;
    return "<pre><code>" + exporter.ExportBody(lines, {1, 1}, {end, std::max(count, 1)}) +
           "</code></pre>\n";
}

}  // namespace

QByteArray NotebookHtmlPage(const TNotebook& notebook, TExporterHTML& exporter) {
    QByteArray page = PageHead(exporter);
    page += TableOfContents(notebook);
    int level = 0;
    int index = 0;
    for (const TNotebookNode* node = notebook.First(); node; node = node->GetNext(level), ++index) {
        const QByteArray tag = "h" + QByteArray::number(std::min(level + 1, 6));
        page +=
            "<" + tag + " id=\"" + Anchor(index) + "\">" + HeadingText(*node) + "</" + tag + ">\n";
        page += SnippetText(*node, exporter);
    }
    page += "</body>\n</html>\n";
    return page;
}

void ExportNotebookHtml(const TNotebook& notebook, TExporterHTML& exporter,
                        const QString& fileName) {
    const QByteArray page = NotebookHtmlPage(notebook, exporter);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError(NotebookMessages::CannotCreate().arg(
            QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()), file.errorString()));
    if (file.write(page) != page.size() || !file.commit())
        throw EWriteError(NotebookMessages::WriteError());
}
