#include "tools/mrp/HtmlExport.h"

#include <QString>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/Notebook.h"
#include "app/NotebookFile.h"
#include "app/NotebookHtmlExport.h"
#include "editor/CodeEditExportHTML.h"
#include "editor/CodeEditTextBuffer.h"
#include "highlighters/HighlighterTokenDump.h"
#include "highlighters/TokenColorPresets.h"
#include "platform/AppPaths.h"
#include "platform/Errors.h"

namespace mrp {

namespace {

void WriteText(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

struct TUsageError {
    QString Message;
};

struct THtmlArguments {
    std::optional<int> Choice;
    bool Clipboard = false;
    QStringList Files;
};

// Options may come in any order before, between or after the file names.
THtmlArguments ParseArguments(const QStringList& args, bool allowClipboard) {
    THtmlArguments parsed;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--lang")) {
            if (++i == args.size())
                throw TUsageError{QStringLiteral("--lang に番号がありません。")};
            bool ok = false;
            const int choice = args[i].toInt(&ok);
            if (!ok || choice < 0 || choice > 7)
                throw TUsageError{QStringLiteral("言語番号 %1 は使えません。").arg(args[i])};
            parsed.Choice = choice;
        } else if (allowClipboard && a == QLatin1String("--clipboard")) {
            parsed.Clipboard = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            throw TUsageError{QStringLiteral("不明なオプションです: %1").arg(a)};
        } else {
            parsed.Files << a;
        }
    }
    return parsed;
}

// The highlighter of a choice with the light token colours, or none for plain text (0).
std::unique_ptr<TCustomHighlighter> HighlighterFor(int choice) {
    if (choice == 0) return nullptr;
    const THighlighterEntry* entry = FindHighlighterEntry(choice);
    if (!entry)
        throw EArgumentError(
            QStringLiteral("言語番号 %1 のハイライタはまだありません。").arg(choice));
    std::unique_ptr<TCustomHighlighter> highlighter = entry->Create();
    ApplyTokenColors(*entry, *highlighter, LightTokenColors());
    return highlighter;
}

// Runs a command body: usage errors exit 2, the program's own errors 1.
template <class TBody>
int Guarded(const QString& usage, TBody&& body) {
    try {
        return body();
    } catch (const TUsageError& e) {
        WriteText(stderr, QStringLiteral("mrp: %1 %2\n").arg(e.Message, usage));
        return 2;
    } catch (const EMarrowpadError& e) {
        WriteText(stderr, QStringLiteral("mrp: %1\n").arg(e.Message().trimmed()));
        return 1;
    }
}

}  // namespace

int RunHtml(const QStringList& args) {
    const QString usage =
        QStringLiteral("使い方: mrp html --lang N [--clipboard] FILE (N は 0 から 7)");
    return Guarded(usage, [&] {
        const THtmlArguments parsed = ParseArguments(args, true);
        if (!parsed.Choice || parsed.Files.size() != 1)
            throw TUsageError{QStringLiteral("引数が正しくありません。")};
        const std::unique_ptr<TCustomHighlighter> highlighter = HighlighterFor(*parsed.Choice);
        TCodeEditStringList lines;
        lines.SetText(ReadUtf8TextFile(parsed.Files[0]));
        TExporterHTML exporter;
        exporter.SetUseBackground(true);
        exporter.SetHighlighter(highlighter.get());
        const qint32 count = qint32(lines.Count());
        if (count > 0)
            exporter.ExportRange(lines, {1, 1},
                                 {qint32(lines.Strings(count - 1).size()) + 1, count});
        const QByteArray out = parsed.Clipboard ? exporter.Data() : exporter.HTMLDocument();
        if (std::fwrite(out.constData(), 1, size_t(out.size()), stdout) != size_t(out.size()) ||
            std::fflush(stdout) != 0)
            throw EWriteError(QStringLiteral("標準出力に書き込めません。"));
        return 0;
    });
}

int RunExportHtml(const QStringList& args) {
    const QString usage =
        QStringLiteral("使い方: mrp export-html [--lang N] NOTEBOOK OUT (N は 0 から 7)");
    return Guarded(usage, [&] {
        const THtmlArguments parsed = ParseArguments(args, false);
        if (parsed.Files.size() != 2) throw TUsageError{QStringLiteral("引数が正しくありません。")};
        const std::unique_ptr<TCustomHighlighter> highlighter =
            HighlighterFor(parsed.Choice.value_or(0));
        TNotebook notebook;
        LoadNotebook(notebook, parsed.Files[0]);
        TExporterHTML exporter;
        exporter.SetUseBackground(true);
        exporter.SetHighlighter(highlighter.get());
        exporter.SetTitle(ExtractFileName(parsed.Files[0]));
        ExportNotebookHtml(notebook, exporter, parsed.Files[1]);
        return 0;
    });
}

}  // namespace mrp
