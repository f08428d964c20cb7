#pragma once

#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

// What a file dialog is opened with. The filter uses the "Description|*.ext|..." form the
// window code writes; the service turns it into the toolkit's own form.
struct TFileDialogOptions {
    QString Filter;
    QString DefaultExt;  // without the dot; added when the chosen name has no extension
    QString FileName;    // proposed name
};

// Every prompt, message box and file dialog of the program goes through this service, so
// tests can answer them and read what was shown. The program never opens a modal box
// directly.
class TDialogService {
public:
    virtual ~TDialogService() = default;

    // Question box, caption "確認", buttons "はい(&Y)" and "いいえ(&N)". True means yes.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // Question box with the buttons "Yes" and "No" (the replace confirmation), answering to
    // the keys Y and N. It is placed clear of `avoid` (the hit it asks about, in global
    // coordinates; an empty rectangle avoids nothing). True means yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text, const QRect& avoid) = 0;
    // Error box with the message text of a failed command.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // Plain information box.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // File dialogs; an empty optional means the user cancelled.
    virtual std::optional<QString> OpenFileName(QWidget* parent,
                                                const TFileDialogOptions& options) = 0;
    virtual std::optional<QString> SaveFileName(QWidget* parent,
                                                const TFileDialogOptions& options) = 0;

    // Shows a modal dialog of the program's own and returns its result code once it closed.
    // The real service runs the dialog's event loop; a scripted one works its controls.
    virtual int ExecModal(QDialog& dialog);

    // The service in use. The default shows real dialogs.
    static TDialogService& Instance();
    // Replaces the service in use (tests install a scripted one); returns the previous one.
    static std::unique_ptr<TDialogService> Install(std::unique_ptr<TDialogService> service);
};

// The real dialogs, shown with Qt widgets.
class TQtDialogService : public TDialogService {
public:
    bool Confirm(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text, const QRect& avoid) override;
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    std::optional<QString> OpenFileName(QWidget* parent,
                                        const TFileDialogOptions& options) override;
    std::optional<QString> SaveFileName(QWidget* parent,
                                        const TFileDialogOptions& options) override;
};

// "Marrowpad|*.mrp|Text files (*.txt)|*.TXT" -> "Marrowpad (*.mrp);;Text files (*.txt)": a
// description that already shows its patterns in brackets shows them once.
QString ToQtFileFilter(const QString& filter);
