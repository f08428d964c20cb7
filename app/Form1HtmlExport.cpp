// File > HTMLに書き出し: the whole notebook as one HTML page, coloured by the highlighter
// the editor shows.
#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/NotebookHtmlExport.h"
#include "editor/CodeEdit.h"
#include "editor/CodeEditExportHTML.h"
#include "platform/AppPaths.h"
#include "platform/DialogService.h"

void TForm1::ExportHtmlCmdExecute() {
    TFileDialogOptions options;
    options.DefaultExt = QStringLiteral("html");
    options.Filter = QStringLiteral("HTML files (*.html)|*.html");
    const std::optional<QString> chosen = TDialogService::Instance().SaveFileName(this, options);
    if (!chosen) return;
    // The page shows the text as the editor does, edits not yet committed included.
    Commit();
    TExporterHTML exporter;
    Editor().ConfigureExporter(exporter);
    exporter.SetTitle(ExtractFileName(CurrentFile));
    ExportNotebookHtml(fNotebook, exporter, *chosen);
}
