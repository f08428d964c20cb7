#pragma once

// mrp grep [-i] [-w] [-E] PATTERN NOTEBOOK: every hit of a full-text search, one line each,
// "title path:line:column: line text", in tree order. Exit codes as grep's: 0 found, 1 none,
// 2 an error.
#include <QString>
#include <QStringList>
#include <cstdio>

#include "app/NotebookFile.h"
#include "app/NotebookSearch.h"
#include "platform/Errors.h"
#include "tools/mrp/TokenDump.h"

namespace mrp {

inline int RunGrep(const QStringList& args) {
    const QString usage = QStringLiteral(
        "使い方: mrp grep [-i] [-w] [-E] PATTERN NOTEBOOK.mrp\n"
        "  -i 大文字と小文字を区別しない  -w 単語単位  -E 正規表現");
    TNotebookSearchQuery query;
    query.MatchCase = true;
    QStringList operands;
    bool options = true;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        if (options && a == QLatin1String("--")) {
            options = false;
        } else if (options && a.size() > 1 && a.startsWith(u'-')) {
            for (qsizetype k = 1; k < a.size(); ++k) {
                if (a[k] == u'i') {
                    query.MatchCase = false;
                } else if (a[k] == u'w') {
                    query.WholeWord = true;
                } else if (a[k] == u'E') {
                    query.RegularExpression = true;
                } else {
                    WriteText(stderr, QStringLiteral("mrp: 不明なオプションです: -%1\n%2\n")
                                          .arg(a[k])
                                          .arg(usage));
                    return 2;
                }
            }
        } else {
            operands << a;
        }
    }
    if (operands.size() != 2) {
        WriteText(stderr, QStringLiteral("mrp: 引数が正しくありません。\n%1\n").arg(usage));
        return 2;
    }
    query.Pattern = operands[0];
    TNotebookSearcher searcher(query);
    if (!searcher.IsValid()) {
        WriteText(stderr, query.Pattern.isEmpty()
                              ? QStringLiteral("mrp: 検索する文字列が空です。\n")
                              : QStringLiteral("mrp: 正規表現が正しくありません: %1\n")
                                    .arg(searcher.ErrorString()));
        return 2;
    }
    TNotebook notebook;
    try {
        LoadNotebook(notebook, operands[1]);
    } catch (const EMarrowpadError& e) {
        WriteText(stderr, e.Message() + QLatin1Char('\n'));
        return 2;
    }
    const TSearchSnapshot snapshot = SnapshotNotebook(notebook);
    bool found = false;
    SearchSnapshot(snapshot, searcher, [&](std::vector<TSearchHit>& hits) {
        found = true;
        const TSearchSnippet& snippet = snapshot[static_cast<size_t>(hits.front().Snippet)];
        const QString path = TitlePath(snapshot, hits.front().Snippet);
        QString out;
        for (const TSearchHit& h : hits) {
            // One arg() call: a title holding "%2" must not take the next value.
            out += QStringLiteral("%1:%2:%3: %4\n")
                       .arg(path, QString::number(h.Line), QString::number(h.Column),
                            LineAt(snippet.Text, h.LineStart).toString());
            // Written as it goes: many hits on one long line would not fit in memory at once.
            if (out.size() >= 0x10000) {
                WriteText(stdout, out);
                out.clear();
            }
        }
        WriteText(stdout, out);
    });
    if (std::fflush(stdout) != 0) {
        WriteText(stderr, QStringLiteral("mrp: 標準出力に書き込めません。\n"));
        return 2;
    }
    return found ? 0 : 1;
}

}  // namespace mrp
