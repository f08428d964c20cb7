#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "app/NotebookMessages.h"

namespace {

// The parser's own help text has English headings; this one is Japanese like the window.
QString HelpText(const QList<QCommandLineOption>& options) {
    QString text = NotebookMessages::Usage();
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
                           NotebookMessages::HelpOption()),
        QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                           NotebookMessages::VersionOption()),
    };
    QCommandLineParser parser;
    parser.addOptions(options);
    parser.addPositionalArgument(QStringLiteral("notebook"), QString());

    TCommandLine result;
    if (!parser.parse(arguments)) {
        result.Action = clError;
        const QStringList unknown = parser.unknownOptionNames();
        const QString what =
            unknown.isEmpty()
                ? parser.errorText()
                : NotebookMessages::UnknownOption().arg(unknown.join(QStringLiteral(", ")));
        result.Output = NotebookMessages::CommandLineError().arg(what);
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
