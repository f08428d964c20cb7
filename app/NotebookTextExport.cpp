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

// Collects the text in large pieces for the unbuffered file.
void Append(QSaveFile& file, QByteArray& pending, const QByteArray& bytes) {
    pending += bytes;
    if (pending.size() < (1 << 20)) return;
    WriteAll(file, pending);
    pending.clear();
}

}  // namespace

void ExportNotebookText(const TNotebook& notebook, const QString& fileName) {
    QSaveFile file(fileName);
    // Unbuffered, so that a full disk shows as a short write: a failed flush inside commit()
    // goes unreported and would leave a cut-off file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EFCreateError(
            QStringLiteral("ファイル \"%1\" を作成できません。%2")
                .arg(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()), file.errorString()));
    // Each item is a text with a line break, and items are joined by a line break with one
    // more after the last: so every text is followed by an empty line.
    static const QByteArray kTwoBreaks("\r\n\r\n");
    QByteArray pending;
    for (TNotebookNode* node = notebook.First(); node; node = node->GetNext()) {
        if (node->Data()) Append(file, pending, node->Data()->text.toUtf8());
        Append(file, pending, kTwoBreaks);
    }
    WriteAll(file, pending);
    if (!file.commit()) ThrowWriteError();
}
