#pragma once

// The large notebook the file and start-up benchmarks share: mixed ASCII code, code with
// Japanese comments and Japanese prose, so every string tag of the file appears.
#include <QRandomGenerator>
#include <QString>
#include <iterator>

#include "app/Notebook.h"

namespace bench {

inline constexpr int kLargeNotebookSnippets = 20000;
// About 5,000 bytes of file per snippet: 100 MB in all.
inline constexpr int kAsciiChars = 5000;
inline constexpr int kWideChars = 2500;

inline QString AsciiLine(QRandomGenerator& random) {
    static const char* const words[] = {"int",   "return", "for",   "(i = 0;", "i < n;", "++i)",
                                        "value", "node",   "->",    "if",      "else",   "{",
                                        "}",     "const",  "auto&", "QString", "std::",  "0x1F;"};
    QString line;
    const int count = 4 + static_cast<int>(random.bounded(10));
    for (int i = 0; i < count; ++i) {
        line += QLatin1String(words[random.bounded(static_cast<quint32>(std::size(words)))]);
        line += QLatin1Char(' ');
    }
    return line;
}

inline QString WideLine(QRandomGenerator& random) {
    static const QString pool = QStringLiteral(
        "新規項目の文字列を読み込み保存するためのノートブック木構造あいうえおかきくけこ");
    QString line;
    const int count = 10 + static_cast<int>(random.bounded(30));
    for (int i = 0; i < count; ++i)
        line += pool[static_cast<qsizetype>(random.bounded(static_cast<quint32>(pool.size())))];
    return line;
}

// Three kinds of snippet, so every string tag shows up: pure ASCII code (byte strings),
// code with Japanese comments (UTF-8) and Japanese prose (UTF-16).
inline QString SnippetText(QRandomGenerator& random, int kind) {
    QString text;
    const int target = kind == 2 ? kWideChars : kAsciiChars;
    while (text.size() < target) {
        if (kind == 0) {
            text += AsciiLine(random);
        } else if (kind == 1) {
            text += AsciiLine(random);
            if (random.bounded(8) == 0) text += QStringLiteral("// ") + WideLine(random);
        } else {
            text += WideLine(random);
            if (random.bounded(8) == 0) text += AsciiLine(random);
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

// A notebook of 20,000 snippets, about 100 MB on disk, in groups two levels deep.
inline void BuildLargeNotebook(TNotebook& notebook) {
    QRandomGenerator random(42);
    TNotebookNode* group = nullptr;
    TNotebookNode* sub = nullptr;
    for (int i = 0; i < kLargeNotebookSnippets; ++i) {
        const QString text = SnippetText(random, i % 3);
        const QString title = text.left(text.indexOf(QLatin1Char('\r')));
        const int32_t icon = 1 + static_cast<int32_t>(random.bounded(50));
        TNotebookNode* node;
        if (i % 50 == 0) {
            node = group = notebook.AddChild(nullptr, title, icon);
            sub = nullptr;
        } else if (i % 10 == 0 || !sub) {
            node = sub = notebook.AddChild(group, title, icon);
        } else {
            node = notebook.AddChild(sub, title, icon);
        }
        node->Data()->text = text;
    }
}

}  // namespace bench
