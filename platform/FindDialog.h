#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QGridLayout;
class QVBoxLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Flags of the find and replace dialogs, in their declared order.
enum TFindOption : unsigned {
    frDown = 1u << 0,
    frFindNext = 1u << 1,
    frHideMatchCase = 1u << 2,
    frHideWholeWord = 1u << 3,
    frHideUpDown = 1u << 4,
    frMatchCase = 1u << 5,
    frDisableMatchCase = 1u << 6,
    frDisableUpDown = 1u << 7,
    frDisableWholeWord = 1u << 8,
    frReplace = 1u << 9,
    frReplaceAll = 1u << 10,
    frWholeWord = 1u << 11,
    frShowHelp = 1u << 12,
};
using TFindOptions = unsigned;

// The modeless find dialog: a find text, match case, whole word and a direction, with
// find-next and cancel buttons. Each press of find-next raises OnFind; the dialog keeps its
// text between uses and is only hidden by cancel.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString& text);
    // Options as flags: the check boxes and direction are read back into them.
    TFindOptions Options() const;
    void SetOptions(TFindOptions options);
    // Shows the dialog, or brings it to the front when it is already open. True when shown.
    bool Execute();
    void CloseDialog();

    std::function<void(TFindDialog&)> OnFind;

    QLineEdit* FindEdit = nullptr;
    QCheckBox* MatchCaseBox = nullptr;
    QCheckBox* WholeWordBox = nullptr;
    QRadioButton* UpButton = nullptr;
    QRadioButton* DownButton = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    virtual void ApplyVisibility();
    // Sets which button raised the current event (frFindNext, frReplace or frReplaceAll).
    void SetPressed(TFindOptions which);

    TFindOptions fOptions = frDown;  // flags not shown as controls (hide/disable, replace)
    QGroupBox* fDirectionBox = nullptr;
    QGridLayout* fFields = nullptr;   // labels and text fields
    QVBoxLayout* fButtons = nullptr;  // the button column
};

// The modeless replace dialog: find text, replace text, match case and whole word, with
// find-next, replace, replace-all and cancel buttons. Replace and replace-all raise
// OnReplace, with frReplace or frReplaceAll set in Options().
class TReplaceDialog : public TFindDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent = nullptr);

    QString ReplaceText() const;
    void SetReplaceText(const QString& text);

    std::function<void(TReplaceDialog&)> OnReplace;

    QLineEdit* ReplaceEdit = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;

protected:
    void ApplyVisibility() override;
};
