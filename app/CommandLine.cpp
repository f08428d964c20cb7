#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// The parser's own help text has English headings; this one is Japanese like the window.
QString HelpText(const QList<QCommandLineOption>& options) {
    QString text = QStringLiteral(
        "使い方: marrowpad [オプション] [ノートブック.mrp]\n"
        "\n"
        "コードスニペットのノートブック Marrowpad を起動します。\n"
        "ノートブックを指定すると、起動時にそのファイルを開きます。\n"
        "\n"
        "オプション:\n");
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        text += QStringLiteral("  %1  %2\n")
                    .arg(names.join(QStringLiteral(", ")), -16)
                    .arg(option.description());
    }
    return text;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
    const QList<QCommandLineOption> options = {
        QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                           QStringLiteral("この説明を表示します")),
        QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                           QStringLiteral("バージョンを表示します")),
    };
    QCommandLineParser parser;
    parser.addOptions(options);
    parser.addPositionalArgument(QStringLiteral("notebook"), QString());

    TCommandLine result;
    if (!parser.parse(arguments)) {
        result.Action = clError;
        const QStringList unknown = parser.unknownOptionNames();
        const QString what = unknown.isEmpty() ? parser.errorText()
                                               : QStringLiteral("不明なオプションです: %1")
                                                     .arg(unknown.join(QStringLiteral(", ")));
        result.Output =
            QStringLiteral("marrowpad: %1\n'marrowpad --help' で使い方を表示します。\n").arg(what);
        return result;
    }
    if (parser.isSet(options[0])) {
        result.Action = clHelp;
        result.Output = HelpText(options);
        return result;
    }
    if (parser.isSet(options[1])) {
        result.Action = clVersion;
        result.Output = QStringLiteral("marrowpad %1\n").arg(QLatin1String(MARROWPAD_VERSION));
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty() && !files.first().isEmpty())
        result.FileName = QFileInfo(files.first()).absoluteFilePath();
    return result;
}
