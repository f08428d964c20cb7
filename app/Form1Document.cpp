// The document commands of the main window: start-up, New, Open, Save, Save As,
// Export text and Close.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/Form1Messages.h"
#include "app/NotebookFile.h"
#include "app/NotebookTextExport.h"
#include "app/TextUtils.h"
#include "platform/AppPaths.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"

void TForm1::StartUp(const QString& firstArgument) {
    SetDragMode(false);
    // A failure while reading the settings still lets the rest of the start-up run.
    RunCommand([this] { LoadSettings(); });
    if (fSettings->isDark)
        SetDarkSynFonts();
    else
        SetLightSynFonts();
    ApplySynFonts();
    FillIconCombo();
    CurrentFile = firstArgument;
    NewCmdExecute();
    if (!firstArgument.isEmpty() && QFileInfo(firstArgument).isFile())
        RunCommand([this, &firstArgument] { OpenNotebookFile(firstArgument); });
    SetHighlighterChoice(fSettings->SelectSynNumber);
    PlaceWindow();
    // Snippets rescued from a damaged file are not saved anywhere yet.
    if (!fRescued) isModify = false;
    setWindowModified(isModify);
}

// Loads a notebook file into the emptied tree. When its contents are damaged, the snippets
// read before the damage stay, as a new notebook that is modified, so that Close asks and
// Save As can keep them.
void TForm1::OpenNotebookFile(const QString& fileName) {
    try {
        LoadNotebook(fileName);
    } catch (const EReadError& error) {
        ShowNewNotebook();
        fRescued = true;
        isModify = !fNotebook.IsEmpty();
        if (fNotebook.IsEmpty()) throw;
        throw EReadError(error.Message() + Form1Messages::RescuedSnippets()
                                               .arg(fNotebook.Count())
                                               .arg(QString::fromUtf8(kNewFileName)));
    } catch (...) {
        // A notebook that failed to load must never be the target of a later Save: go on
        // with a new notebook instead.
        fNotebook.Clear();
        ShowNewNotebook();
        fRescued = false;
        isModify = false;
        throw;
    }
    fRescued = false;
    CurrentFile = fileName;
    ShowFileName(fileName);
    isModify = false;
}

// The state of a new notebook around whatever the tree holds: no file, nothing current, and
// an editor that takes no typing.
void TForm1::ShowNewNotebook() {
    tn = nullptr;
    ClearEditor();
    CurrentFile = QString::fromUtf8(kNewFileName);
    SetPanelText(0, CurrentFile);
    SetPanelText(1, QString());
    fMemo->SetReadOnly(true);
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
    if (isModify && TDialogService::Instance().Confirm(this, Form1Messages::SaveChangesPrompt()))
        SaveOverWriteCmdExecute();
}

void TForm1::NewCmdExecute() {
    SaveIfModified();
    ReleaseRecords();
    fRescued = false;
    ShowNewNotebook();
    isModify = false;
}

void TForm1::OpenFileCmdExecute() {
    SaveIfModified();
    TFileDialogOptions options;
    options.Filter = QStringLiteral("Marrowpad|*.mrp");
    const std::optional<QString> chosen = TDialogService::Instance().OpenFileName(this, options);
    if (!chosen) return;
    ReleaseRecords();
    // Until a snippet is chosen the editor shows nothing and takes no typing.
    tn = nullptr;
    ClearEditor();
    fMemo->SetReadOnly(true);
    OpenNotebookFile(*chosen);
}

void TForm1::SaveOverWriteCmdExecute() {
    if (fNotebook.IsEmpty()) return;
    // Rescued snippets go nowhere without a name chosen for them: the default name could be
    // the damaged file itself or the notebook open before.
    if (fRescued) throw EFCreateError(Form1Messages::RescuedNotOverwritten());
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
    fRescued = false;
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
    // What was read before any damage stays, so that it can be rescued.
    ::LoadNotebook(fNotebook, fileName, TReadFailure::rfKeepRead);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!RunCommand([this] { SaveIfModified(); })) {
        // The save the user asked for failed: keep the window, and the notebook, open.
        event->ignore();
        return;
    }
    // Settings that cannot be written are reported; the window closes all the same.
    RunCommand([this] { SaveSettings(); });
    event->accept();
}
