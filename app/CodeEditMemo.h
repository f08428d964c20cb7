#pragma once

#include <memory>

#include "app/MemoEditor.h"

class TCodeEdit;
class TCodeEditSearch;

// The main window's editor pane on the code editor (`Memo`). It owns the editor widget until
// the window's layout takes it, and the search engine the editor searches with.
class TCodeEditMemo : public TMemoEditor {
public:
    TCodeEditMemo();
    ~TCodeEditMemo() override;

    TCodeEdit& Edit() { return *fEdit; }
    TCodeEditSearch& SearchEngine() { return *fSearch; }

    QWidget* Widget() override;
    QString Text() const override;
    void SetText(const QString& text) override;
    int LineCount() const override;
    QString Line(int index) const override;
    void Clear() override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    void SelectAll() override;
    void SetFocus() override;
    void Undo() override;
    void Redo() override;
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void DeleteSelection() override;
    bool CanUndo() const override;
    bool CanRedo() const override;
    bool SelAvail() const override;
    bool CanPaste() const override;

private:
    TCodeEdit* fEdit;
    std::unique_ptr<TCodeEditSearch> fSearch;
    bool fChanged = false;
};
