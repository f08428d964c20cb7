#include "app/NotebookTextExport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "app/Notebook.h"
#include "platform/Errors.h"

namespace {

[[noreturn]] void ThrowWriteError() {
    throw EWriteError(QStringLiteral("ストリームへの書き込みエラー"));
}

void WriteAll(QSaveFile& file, const QByteArray& bytes) {
    if (file.write(bytes) != bytes.size()) ThrowWriteError();
}

}  // namespace

void ExportNotebookText(const TNotebook& notebook, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError(
            QStringLiteral("ファイル \"%1\" を作成できません。%2")
                .arg(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()), file.errorString()));
    // Each item is a text with a line break, and items are joined by a line break with one
    // more after the last: so every text is followed by an empty line.
    static const QByteArray kTwoBreaks("\r\n\r\n");
    for (TNotebookNode* node = notebook.First(); node; node = node->GetNext()) {
        if (node->Data()) WriteAll(file, node->Data()->text.toUtf8());
        WriteAll(file, kTwoBreaks);
    }
    if (!file.commit()) ThrowWriteError();
}
