#pragma once

// mrp html --lang N [--clipboard] FILE: the exporter's bytes for a whole UTF-8 text file.
// mrp export-html [--lang N] NOTEBOOK OUT: the notebook as one HTML page, as the window
// writes it with the light token colours.
#include <QStringList>

namespace mrp {

// Arguments as the program got them: args[1] is the command. Both return the exit code:
// 0 done, 1 a file or the language failed, 2 the arguments are wrong.
int RunHtml(const QStringList& args);
int RunExportHtml(const QStringList& args);

}  // namespace mrp
