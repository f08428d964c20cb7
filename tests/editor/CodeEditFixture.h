#pragma once

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>

#include "editor/CodeEdit.h"
#include "tests/support/QtPrinters.h"

inline void PrintTo(const TBufferCoord& p, std::ostream* os) {
    *os << '(' << p.Char << ", " << p.Line << ')';
}

// An editor on a fixed 80 x 20 cell grid with a search engine, as the main window sets it up
// (Tab wanted).
class CodeEditTest : public ::testing::Test {
protected:
    CodeEditTest() {
        Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(20, 80));
        Edit.SetSearchEngine(&Engine);
        Edit.SetWantTabs(true);
    }

    // Lines are given and compared joined with '\n' for readability.
    void SetText(const QString& text) { Edit.SetText(text); }
    QString Text() const {
        return Edit.Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }

    void Run(TCodeEditorCommand command, QChar c = QChar()) { Edit.CommandProcessor(command, c); }
    void Repeat(TCodeEditorCommand command, int times) {
        for (int i = 0; i < times; ++i)
            Edit.CommandProcessor(command);
    }
    void Type(const QString& text) {
        for (QChar c : text)
            Edit.CommandProcessor(ecChar, c);
    }
    void Caret(int c, int l) { Edit.SetCaretXY({c, l}); }
    TBufferCoord CaretXY() const { return Edit.CaretXY(); }
    void Select(int c1, int l1, int c2, int l2) {
        Edit.SetCaretAndSelection({c2, l2}, {c1, l1}, {c2, l2});
    }
    void SetOption(TCodeEditorOption option, bool on) {
        Edit.SetOptions(on ? Edit.Options() | option
                           : Edit.Options() & ~TCodeEditorOptions(option));
    }
    void PutOnClipboard(const QString& text, const QByteArray* mode) {
        auto* data = new QMimeData;
        data->setText(text);
        if (mode) data->setData(QString::fromLatin1(kCodeEditModeMimeType), *mode);
        QGuiApplication::clipboard()->setMimeData(data);
    }
    void UndoAll() {
        for (int guard = 0; Edit.CanUndo() && guard < 100000; ++guard)
            Edit.Undo();
    }

    TCodeEdit Edit;
    TCodeEditSearch Engine;
};

inline TBufferCoord BC(int c, int l) {
    return {c, l};
}
