#include "platform/DialogService.h"

#include "platform/DialogPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {
std::unique_ptr<TDialogService>& CurrentService() {
    static std::unique_ptr<TDialogService> service = std::make_unique<TQtDialogService>();
    return service;
}

std::optional<QString> RunFileDialog(QWidget* parent, const TFileDialogOptions& options,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Neither dialog asks before overwriting, and the open dialog takes a name that does
    // not exist yet; the command that follows reports what goes wrong.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(ToQtFileFilter(options.Filter));
    if (!options.DefaultExt.isEmpty()) dialog.setDefaultSuffix(options.DefaultExt);
    if (!options.FileName.isEmpty()) dialog.selectFile(options.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}
}  // namespace

int TDialogService::ExecModal(QDialog& dialog) {
    return dialog.exec();
}

TDialogService& TDialogService::Instance() {
    return *CurrentService();
}

std::unique_ptr<TDialogService> TDialogService::Install(std::unique_ptr<TDialogService> service) {
    std::unique_ptr<TDialogService> previous = std::move(CurrentService());
    CurrentService() = std::move(service);
    return previous;
}

bool TQtDialogService::Confirm(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::NoButton,
                    parent);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

bool TQtDialogService::AskYesNo(QWidget* parent, const QString& text, const QRect& avoid) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::NoButton, parent);
    // The mnemonics make the keys Y and N answer, as in the other question box.
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    if (avoid.isValid()) {
        // Where the box would open (centred on its parent), moved off the hit if it covers it.
        box.adjustSize();
        QRect place(QPoint(), box.sizeHint());
        const QWidget* anchor = parent ? parent->window() : nullptr;
        place.moveCenter(anchor ? anchor->frameGeometry().center() : avoid.center());
        box.move(place.topLeft());
        MoveDialogClearOf(&box, avoid);
    }
    box.exec();
    return box.clickedButton() == yes;
}

void TQtDialogService::ShowError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void TQtDialogService::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> TQtDialogService::OpenFileName(QWidget* parent,
                                                      const TFileDialogOptions& options) {
    return RunFileDialog(parent, options, QFileDialog::AcceptOpen);
}

std::optional<QString> TQtDialogService::SaveFileName(QWidget* parent,
                                                      const TFileDialogOptions& options) {
    return RunFileDialog(parent, options, QFileDialog::AcceptSave);
}

QString ToQtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        QString description = parts[i];
        // "Marrowpad(*.mrp)" already names its patterns: show them once, in its own spelling
        // when it means the same patterns (matching ignores case).
        const qsizetype open = description.lastIndexOf(u'(');
        if (open > 0 && description.endsWith(u')')) {
            const QString shown = description.mid(open + 1, description.size() - open - 2);
            description = description.left(open).trimmed();
            if (shown.compare(patterns, Qt::CaseInsensitive) == 0) patterns = shown;
        }
        out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out.join(QStringLiteral(";;"));
}
