#include "tests/support/ScriptedDialogService.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

bool TScriptedDialogService::Confirm(QWidget*, const QString& text) {
    Confirms << text;
    return NextAnswer(text);
}

bool TScriptedDialogService::AskYesNo(QWidget*, const QString& text, const QRect& avoid) {
    YesNoAsks << text;
    YesNoAvoid << avoid;
    return NextAnswer(text);
}

bool TScriptedDialogService::NextAnswer(const QString& text) {
    if (ConfirmAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = ConfirmAnswers.front();
    ConfirmAnswers.pop_front();
    return answer;
}

void TScriptedDialogService::ShowError(QWidget*, const QString& text) {
    Errors << text;
}

void TScriptedDialogService::ShowMessage(QWidget*, const QString& text) {
    Messages << text;
}

std::optional<QString> TScriptedDialogService::OpenFileName(QWidget*,
                                                            const TFileDialogOptions& options) {
    OpenDialogs.push_back(options);
    return NextFile();
}

std::optional<QString> TScriptedDialogService::SaveFileName(QWidget*,
                                                            const TFileDialogOptions& options) {
    SaveDialogs.push_back(options);
    return NextFile();
}

std::optional<QString> TScriptedDialogService::NextFile() {
    if (FileAnswers.empty()) {
        ADD_FAILURE() << "unexpected file dialog";
        return std::nullopt;
    }
    const bool cancelled = !FileAnswers.front().has_value();
    const QString name = FileAnswers.front().value_or(QString());
    FileAnswers.pop_front();
    if (cancelled) return std::nullopt;
    return name;
}

int TScriptedDialogService::ExecModal(QDialog& dialog) {
    if (ModalScripts.empty()) {
        ADD_FAILURE() << "unexpected modal dialog: " << dialog.windowTitle().toStdString();
        return QDialog::Rejected;
    }
    const std::function<void(QDialog&)> script = std::move(ModalScripts.front());
    ModalScripts.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) ADD_FAILURE() << "the dialog did not show";
    script(dialog);
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the script left the dialog open: " << dialog.windowTitle().toStdString();
        dialog.close();
    }
    return dialog.result();
}

TScriptedDialogs::TScriptedDialogs() {
    auto service = std::make_unique<TScriptedDialogService>();
    fService = service.get();
    fPrevious = TDialogService::Install(std::move(service));
}

// A scripted answer nobody asked for means a prompt the test expected never appeared.
void TScriptedDialogService::ExpectAllAnswersUsed() {
    if (!ConfirmAnswers.empty())
        ADD_FAILURE() << ConfirmAnswers.size() << " scripted answer(s) to a question left unused";
    if (!FileAnswers.empty())
        ADD_FAILURE() << FileAnswers.size() << " scripted file dialog answer(s) left unused";
    ConfirmAnswers.clear();
    FileAnswers.clear();
}

TScriptedDialogs::~TScriptedDialogs() {
    fService->ExpectAllAnswersUsed();
    TDialogService::Install(std::move(fPrevious));
}
