#include "app/CodeEditMemo.h"

#include "editor/CodeEdit.h"

TCodeEditMemo::TCodeEditMemo()
    : fEdit(new TCodeEdit), fSearch(std::make_unique<TCodeEditSearch>()) {
    fEdit->setObjectName(QStringLiteral("Memo"));
    fEdit->SetSearchEngine(fSearch.get());
    fEdit->SetWantTabs(true);
    fEdit->OnChange = [this](TCustomCodeEdit*) {
        fChanged = true;
        Changed();
    };
    fEdit->OnStatusChange = [this](TCustomCodeEdit*, TStatusChanges) { StatusChanged(); };
}

// The widget is owned by the window's layout once placed; until then by us.
TCodeEditMemo::~TCodeEditMemo() {
    fEdit->OnChange = nullptr;
    fEdit->OnStatusChange = nullptr;
    fEdit->SetSearchEngine(nullptr);
    if (!fEdit->parent()) delete fEdit;
}

QWidget* TCodeEditMemo::Widget() {
    return fEdit;
}

QString TCodeEditMemo::Text() const {
    return fEdit->Text();
}

void TCodeEditMemo::SetText(const QString& text) {
    fEdit->SetText(text);
}

int TCodeEditMemo::LineCount() const {
    return static_cast<int>(fEdit->Lines().Count());
}

QString TCodeEditMemo::Line(int index) const {
    return fEdit->Lines().Strings(index);
}

// Clearing an empty editor changes nothing, but the window still hears of it.
void TCodeEditMemo::Clear() {
    fChanged = false;
    fEdit->Clear();
    if (!fChanged) Changed();
}

bool TCodeEditMemo::ReadOnly() const {
    return fEdit->ReadOnly();
}

void TCodeEditMemo::SetReadOnly(bool readOnly) {
    fEdit->SetReadOnly(readOnly);
}

void TCodeEditMemo::SelectAll() {
    fEdit->CommandProcessor(ecSelectAll);
}

void TCodeEditMemo::SetFocus() {
    fEdit->setFocus();
}

void TCodeEditMemo::Undo() {
    fEdit->CommandProcessor(ecUndo);
}

void TCodeEditMemo::Redo() {
    fEdit->CommandProcessor(ecRedo);
}

void TCodeEditMemo::CutToClipboard() {
    fEdit->CommandProcessor(ecCut);
}

void TCodeEditMemo::CopyToClipboard() {
    fEdit->CommandProcessor(ecCopy);
}

void TCodeEditMemo::PasteFromClipboard() {
    fEdit->CommandProcessor(ecPaste);
}

// Delete: the selection, or without one the character at the caret.
void TCodeEditMemo::DeleteSelection() {
    if (fEdit->ReadOnly()) return;
    fEdit->CommandProcessor(ecDeleteChar);
}

bool TCodeEditMemo::CanUndo() const {
    return fEdit->CanUndo();
}

bool TCodeEditMemo::CanRedo() const {
    return fEdit->CanRedo();
}

bool TCodeEditMemo::SelAvail() const {
    return fEdit->SelAvail();
}

bool TCodeEditMemo::CanPaste() const {
    return fEdit->CanPaste();
}
