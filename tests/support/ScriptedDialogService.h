#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/DialogService.h"
#include "tests/support/QtPrinters.h"

// A dialog service for tests: answers come from queues the test fills, and everything shown
// is recorded. A prompt with no scripted answer fails the test and answers no/cancel, and so
// does a scripted answer left unused when the service goes (see TScriptedDialogs).
class TScriptedDialogService : public TDialogService {
public:
    std::deque<bool> ConfirmAnswers;                 // for both kinds of question
    std::deque<std::optional<QString>> FileAnswers;  // for open and save dialogs alike
    // Each modal dialog shown is handed to the next script, which works its controls and
    // closes it; a dialog the script leaves open fails the test.
    std::deque<std::function<void(QDialog&)>> ModalScripts;

    QStringList Confirms;     // texts of the "はい/いいえ" questions asked
    QStringList YesNoAsks;    // texts of the "Yes/No" questions asked
    QList<QRect> YesNoAvoid;  // the hit each of them was to keep clear of
    QStringList Errors;       // texts of the error boxes
    QStringList Messages;     // texts of the information boxes
    std::vector<TFileDialogOptions> OpenDialogs;
    std::vector<TFileDialogOptions> SaveDialogs;

    bool Confirm(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QRect& avoid) override;
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    std::optional<QString> OpenFileName(QWidget* parent,
                                        const TFileDialogOptions& options) override;
    std::optional<QString> SaveFileName(QWidget* parent,
                                        const TFileDialogOptions& options) override;
    int ExecModal(QDialog& dialog) override;

    // Fails the running test when a scripted answer was never asked for; forgets them.
    void ExpectAllAnswersUsed();

private:
    bool NextAnswer(const QString& text);
    std::optional<QString> NextFile();
};

// Installs a fresh scripted service for the lifetime of the object and gives access to it.
class TScriptedDialogs {
public:
    TScriptedDialogs();
    ~TScriptedDialogs();
    TScriptedDialogs(const TScriptedDialogs&) = delete;
    TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;
    TScriptedDialogService* operator->() const { return fService; }
    TScriptedDialogService& operator*() const { return *fService; }

private:
    TScriptedDialogService* fService;
    std::unique_ptr<TDialogService> fPrevious;
};
