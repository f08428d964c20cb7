#pragma once

#include <QString>
#include <functional>

class QWidget;

// What the main window needs from the editor pane. The window never talks to the editor
// widget directly, so the editor behind this can be replaced without touching window logic.
//
// Text follows the line store's rules: lines are joined with CR LF, with no line break after
// the last line; setting a text cuts it at CR LF, lone CR or lone LF, and a final line break
// does not start a further line.
class TMemoEditor {
public:
    virtual ~TMemoEditor() = default;

    virtual QWidget* Widget() = 0;

    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;  // raises OnChange
    virtual int LineCount() const = 0;
    virtual QString Line(int index) const = 0;  // 0-based; empty when out of range
    virtual void Clear() = 0;                   // raises OnChange

    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;

    virtual void SelectAll() = 0;
    virtual void SetFocus() = 0;

    // The standard edit commands of the Edit menu.
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual void CutToClipboard() = 0;
    virtual void CopyToClipboard() = 0;
    virtual void PasteFromClipboard() = 0;
    virtual void DeleteSelection() = 0;

    // Enabled states of the Edit menu's commands. Cut wants a selection and a writable
    // editor, copy a selection, paste a writable editor and text on the clipboard, delete a
    // writable editor, undo (redo) a writable editor with something to undo (redo).
    virtual bool CanUndo() const = 0;
    virtual bool CanRedo() const = 0;
    virtual bool SelAvail() const = 0;
    virtual bool CanPaste() const = 0;

    // Raised after every change of the text: typing, editing commands, SetText and Clear.
    std::function<void()> OnChange;
    // Raised when the caret, the selection, the read-only state or the undo state changed:
    // the moment to refresh the enabled states.
    std::function<void()> OnStatusChange;

protected:
    void Changed() {
        if (OnChange) OnChange();
    }
    void StatusChanged() {
        if (OnStatusChange) OnStatusChange();
    }
};
