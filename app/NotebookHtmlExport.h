#pragma once

#include <QByteArray>
#include <QString>

class TNotebook;
class TExporterHTML;

// One standalone HTML page of the whole notebook: the exporter's title as the page title, a
// table of contents, and every snippet in tree order as a heading of its level (h1 to h6,
// deeper levels as h6) followed by its text, coloured by the exporter's highlighter or plain
// without one. Titles and texts are escaped, so no snippet can add markup to the page.
QByteArray NotebookHtmlPage(const TNotebook& notebook, TExporterHTML& exporter);

// Writes the page through a temporary file that replaces fileName only once it is complete:
// raises EFCreateError when the file cannot be created and EWriteError when writing fails,
// leaving any old file untouched.
void ExportNotebookHtml(const TNotebook& notebook, TExporterHTML& exporter,
                        const QString& fileName);
