#pragma once

#include <QString>

class TNotebook;

// Writes every snippet's text in tree order, each followed by an empty line (CR LF line
// breaks), as UTF-8 without a byte-order mark. Titles and icons are not written. The file is
// replaced only once it is complete: raises EFCreateError when it cannot be created and
// EWriteError when writing fails, leaving any old file untouched.
void ExportNotebookText(const TNotebook& notebook, const QString& fileName);
