#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "platform/QtTranslations.h"

namespace {

int Print(FILE* stream, const QString& text, int exitCode) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    return exitCode;
}

// Whether the command line only asks for a text, which is printed without opening a display.
bool AnswersWithText(const TCommandLine& commandLine) {
    return commandLine.Action == clHelp || commandLine.Action == clVersion;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    const TCommandLine early = ParseCommandLine(rawArguments);
    if (AnswersWithText(early)) return Print(stdout, early.Output, 0);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marrowpad"));
    QApplication::setApplicationVersion(QStringLiteral(MARROWPAD_VERSION));
    InstallQtJapanese(app);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.marrowpad.Marrowpad"));
    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    const TCommandLine commandLine = ParseCommandLine(QApplication::arguments());
    if (commandLine.Action == clError) return Print(stderr, commandLine.Output, 2);
    if (AnswersWithText(commandLine)) return Print(stdout, commandLine.Output, 0);
    TForm1 form(commandLine.FileName);
    form.show();
    return QApplication::exec();
}
