#include "app/NotebookTextExport.h"

#include <QIODevice>

#include "app/Notebook.h"
#include "platform/WholeFileWriter.h"

void ExportNotebookText(const TNotebook& notebook, const QString& fileName) {
    WriteWholeFile(fileName, [&notebook](QIODevice& device) {
        // The file is unbuffered: texts are gathered into large writes here.
        QByteArray pending;
        auto flush = [&device, &pending] {
            WriteAll(device, pending.constData(), pending.size());
            pending.clear();
        };
        // Each item is a text with a line break, and items are joined by a line break with
        // one more after the last: so every text is followed by an empty line.
        for (TNotebookNode* node = notebook.First(); node; node = node->GetNext()) {
            if (node->Data()) pending += node->Data()->text.toUtf8();
            pending += "\r\n\r\n";
            if (pending.size() >= 256 * 1024) flush();
        }
        flush();
    });
}
