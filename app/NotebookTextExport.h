#pragma once

#include <QString>

class TNotebook;

// Writes every snippet's text in tree order, each followed by an empty line (CR LF line
// breaks), as UTF-8 without a byte-order mark. Titles and icons are not written. The file is
// written the way WriteWholeFile does, and fails the same way.
void ExportNotebookText(const TNotebook& notebook, const QString& fileName);
