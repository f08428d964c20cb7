// The document commands of the main window: start-up, New, Open, Save, Save As,
// Export text and Close.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/NotebookFile.h"
#include "app/NotebookTextExport.h"
#include "app/TextUtils.h"
#include "platform/AppPaths.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"

void TForm1::StartUp(const QString& firstArgument) {
    if (isDark)
        SetDarkSynFonts();
    else
        SetLightSynFonts();
    ApplySynFonts();
    FillIconCombo();
    CurrentFile = firstArgument;
    if (!firstArgument.isEmpty() && QFileInfo(firstArgument).isFile()) {
        RunCommand([this, &firstArgument] {
            try {
                LoadNotebook(firstArgument);
            } catch (...) {
                // A notebook that failed to load must never be the target of a later
                // Save: go on with a new notebook instead.
                NewCmdExecute();
                throw;
            }
            ShowFileName(firstArgument);
            fMemo->SetReadOnly(false);
        });
    } else {
        NewCmdExecute();
    }
    SetHighlighterChoice(SelectSynNumber);
    isModify = false;
}

void TForm1::ShowFileName(const QString& path) {
    SetPanelText(0, ExtractFileName(path));
}

void TForm1::ReleaseRecords() {
    // The current snippet goes with the tree; it must never point at a removed node.
    tn = nullptr;
    fNotebook.Clear();
}

// Asks whether to save a modified notebook and saves on yes. A failing save raises, which
// stops the command that asked.
void TForm1::SaveIfModified() {
    if (isModify &&
        TDialogService::Instance().Confirm(this, QStringLiteral("変更があります保存しますか？")))
        SaveOverWriteCmdExecute();
}

void TForm1::NewCmdExecute() {
    SaveIfModified();
    ReleaseRecords();
    fMemo->Clear();
    CurrentFile = QString::fromUtf8(kNewFileName);
    SetPanelText(0, CurrentFile);
    fMemo->SetReadOnly(true);
    tn = nullptr;
    isModify = false;
}

void TForm1::OpenFileCmdExecute() {
    SaveIfModified();
    TFileDialogOptions options;
    options.Filter = QStringLiteral("Marrowpad|*.mrp");
    const std::optional<QString> chosen = TDialogService::Instance().OpenFileName(this, options);
    if (!chosen) return;
    ReleaseRecords();
    try {
        LoadNotebook(*chosen);
    } catch (...) {
        // The old notebook is gone already; leave a new, empty one behind, so no later
        // Save can overwrite the previous file with an unrelated notebook.
        isModify = false;
        NewCmdExecute();
        throw;
    }
    CurrentFile = *chosen;
    ShowFileName(*chosen);
    fMemo->SetReadOnly(false);
    fMemo->Clear();
    tn = nullptr;
    isModify = false;
}

void TForm1::SaveOverWriteCmdExecute() {
    if (fNotebook.IsEmpty()) return;
    Commit();
    SaveNotebook(CurrentFile);
}

void TForm1::SaveNameCmdExecute() {
    TFileDialogOptions options;
    options.DefaultExt = QStringLiteral("mrp");
    options.Filter = QStringLiteral("Marrowpad(*.mrp)|*.mrp");
    options.FileName = PanelText(0);
    const std::optional<QString> chosen = TDialogService::Instance().SaveFileName(this, options);
    if (!chosen) return;
    // The stored text of the current snippet ends with exactly one line break.
    if (tn) tn->Data()->text = TrimTrailingLineBreaks(fMemo->Text()) + QStringLiteral("\r\n");
    SaveNotebook(*chosen);
    CurrentFile = *chosen;
}

void TForm1::ExportTextCmdExecute() {
    TFileDialogOptions options;
    options.DefaultExt = QStringLiteral("txt");
    options.Filter = QStringLiteral("Text files (*.txt)|*.TXT");
    const std::optional<QString> chosen = TDialogService::Instance().SaveFileName(this, options);
    if (!chosen) return;
    ExportNotebookText(fNotebook, *chosen);
}

void TForm1::SaveNotebook(const QString& fileName) {
    ::SaveNotebook(fNotebook, fileName);
    // Only a notebook that reached the disk whole counts as saved.
    isModify = false;
}

void TForm1::LoadNotebook(const QString& fileName) {
    // Opening a pipe would wait, with the window frozen, for a writer that may never come.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw EFOpenError(
            QStringLiteral("ファイル %1 は開けません。 通常のファイルではありません。 ")
                .arg(QDir::cleanPath(info.absoluteFilePath())));
    ::LoadNotebook(fNotebook, fileName);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!RunCommand([this] { SaveIfModified(); })) {
        // The save the user asked for failed: keep the window, and the notebook, open.
        event->ignore();
        return;
    }
    event->accept();
}
