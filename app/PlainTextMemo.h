#pragma once

#include <QStringList>

#include "app/MemoEditor.h"

class QPlainTextEdit;

// A plain-text editor pane on QPlainTextEdit, used until the code editor takes its place.
class TPlainTextMemo : public TMemoEditor {
public:
    TPlainTextMemo();
    ~TPlainTextMemo() override;

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
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void DeleteSelection() override;

    // Splits a text into lines: CR LF, lone CR and lone LF end a line, and a final line
    // break does not start a further line. The empty text has no lines.
    static QStringList SplitLines(const QString& text);

private:
    QPlainTextEdit* fEdit;
};
