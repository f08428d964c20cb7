#include "app/PlainTextMemo.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>

TPlainTextMemo::TPlainTextMemo() : fEdit(new QPlainTextEdit) {
    fEdit->setObjectName(QStringLiteral("Memo"));
    fEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    fEdit->setTabChangesFocus(false);
    fEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QObject::connect(fEdit, &QPlainTextEdit::textChanged, [this] { Changed(); });
}

// The widget is owned by the window's layout once placed; until then by us.
TPlainTextMemo::~TPlainTextMemo() {
    if (!fEdit->parent()) delete fEdit;
}

QWidget* TPlainTextMemo::Widget() {
    return fEdit;
}

QStringList TPlainTextMemo::SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        lines << text.mid(start, end - start);
        if (end < n && text.at(end) == u'\r' && end + 1 < n && text.at(end + 1) == u'\n') ++end;
        start = end + 1;
    }
    return lines;
}

QString TPlainTextMemo::Text() const {
    QStringList lines;
    for (QTextBlock b = fEdit->document()->firstBlock(); b.isValid(); b = b.next())
        lines << b.text();
    if (lines.size() == 1 && lines.first().isEmpty()) return QString();
    return lines.join(QStringLiteral("\r\n"));
}

void TPlainTextMemo::SetText(const QString& text) {
    {
        // One change notification for the whole replacement.
        const QSignalBlocker block(fEdit);
        fEdit->setPlainText(SplitLines(text).join(u'\n'));
    }
    Changed();
}

int TPlainTextMemo::LineCount() const {
    const QTextDocument* doc = fEdit->document();
    if (doc->blockCount() == 1 && doc->firstBlock().text().isEmpty()) return 0;
    return doc->blockCount();
}

QString TPlainTextMemo::Line(int index) const {
    if (index < 0 || index >= LineCount()) return QString();
    return fEdit->document()->findBlockByNumber(index).text();
}

void TPlainTextMemo::Clear() {
    SetText(QString());
}

bool TPlainTextMemo::ReadOnly() const {
    return fEdit->isReadOnly();
}

void TPlainTextMemo::SetReadOnly(bool readOnly) {
    fEdit->setReadOnly(readOnly);
}

void TPlainTextMemo::SelectAll() {
    fEdit->selectAll();
}

void TPlainTextMemo::SetFocus() {
    fEdit->setFocus();
}

void TPlainTextMemo::Undo() {
    fEdit->undo();
}

void TPlainTextMemo::CutToClipboard() {
    fEdit->cut();
}

void TPlainTextMemo::CopyToClipboard() {
    fEdit->copy();
}

void TPlainTextMemo::PasteFromClipboard() {
    fEdit->paste();
}

void TPlainTextMemo::DeleteSelection() {
    if (fEdit->isReadOnly()) return;
    fEdit->textCursor().removeSelectedText();
}
