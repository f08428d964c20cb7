#pragma once

// mrp tokens --lang N FILE: the tokens of a UTF-8 text file as highlighter choice N sees them,
// one JSON object per line of the file (see DumpTokens).
#include <QString>
#include <QStringList>
#include <cstdio>

#include "highlighters/HighlighterRegistry.h"
#include "highlighters/HighlighterTokenDump.h"
#include "platform/Errors.h"

namespace mrp {

inline void WriteText(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// Arguments as the program got them: args[1] is "tokens". Returns the exit code: 0 done,
// 1 the file or the language failed, 2 the arguments are wrong.
inline int RunTokens(const QStringList& args) {
    const QString usage = QStringLiteral("使い方: mrp tokens --lang N FILE (N は 1 から 7)");
    if (args.size() != 5 || args[2] != QLatin1String("--lang")) {
        WriteText(stderr, QStringLiteral("mrp: 引数が正しくありません。%1\n").arg(usage));
        return 2;
    }
    bool ok = false;
    const int choice = args[3].toInt(&ok);
    if (!ok || choice < 1 || choice > 7) {
        WriteText(stderr,
                  QStringLiteral("mrp: 言語番号 %1 は使えません。%2\n").arg(args[3], usage));
        return 2;
    }
    const auto highlighter = CreateHighlighterForChoice(choice);
    if (!highlighter) {
        WriteText(stderr,
                  QStringLiteral("mrp: 言語番号 %1 のハイライタはまだありません。\n").arg(choice));
        return 1;
    }
    try {
        const QByteArray json = DumpFileTokens(*highlighter, args[4]);
        if (std::fwrite(json.constData(), 1, size_t(json.size()), stdout) != size_t(json.size()) ||
            std::fflush(stdout) != 0) {
            WriteText(stderr, QStringLiteral("mrp: 標準出力に書き込めません。\n"));
            return 1;
        }
    } catch (const EMarrowpadError& e) {
        WriteText(stderr, QStringLiteral("mrp: %1\n").arg(e.Message().trimmed()));
        return 1;
    }
    return 0;
}

}  // namespace mrp
