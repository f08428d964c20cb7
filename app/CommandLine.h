#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do by its command line.
enum TCommandLineAction { clRun, clHelp, clVersion, clError };

struct TCommandLine {
    TCommandLineAction Action = clRun;
    // The notebook to open at start-up, made absolute so that a later Save does not depend
    // on the working directory; empty when none was given.
    QString FileName;
    // The help or version text, or the error message, ready to print.
    QString Output;
};

// Reads the arguments (the program name first) with QCommandLineParser. Only the first
// file argument counts; "--" ends the options, so a file name may begin with "-".
TCommandLine ParseCommandLine(const QStringList& arguments);
