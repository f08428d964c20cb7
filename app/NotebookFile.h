#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/Notebook.h"

class QIODevice;

// The notebook file: a flat list of tagged values, one record (level, title, icon index,
// text) per snippet in pre-order, framed by a list-start and a list-end tag. Every failure
// is raised as an exception derived from EMarrowpadError, carrying the user's message.

// Writes the whole tree to `device` (open for writing). Raises EWriteError when the device
// refuses bytes.
void WriteNotebook(const TNotebook& notebook, QIODevice& device);

// What a read leaves in the tree when the data turns out malformed: nothing, so that a
// half-read notebook is never mistaken for the file, or the snippets read before the damage,
// for a caller that rescues them.
enum class TReadFailure { rfClear, rfKeepRead };

// Clears the tree and rebuilds it from `device` (open for reading), reading nothing after
// the list end. Raises EReadError on malformed data; the tree is then left as `onFailure`
// says. Only whole records ever reach the tree.
void ReadNotebook(TNotebook& notebook, QIODevice& device,
                  TReadFailure onFailure = TReadFailure::rfClear);

// Writes the notebook to fileName the safe way WriteWholeFile does: through a temporary file
// that replaces the old one only when every byte is on disk. Raises EFCreateError when the
// file cannot be created (or is no regular file) and EWriteError when writing or the final
// replacement fails, each naming the file and the cause.
void SaveNotebook(const TNotebook& notebook, const QString& fileName);

// Loads fileName into the tree. Raises EFOpenError (tree untouched) when the file cannot be
// opened, and what ReadNotebook raises when its contents are bad.
void LoadNotebook(TNotebook& notebook, const QString& fileName,
                  TReadFailure onFailure = TReadFailure::rfClear);

// Places nodes from a pre-order list of recorded levels, rebuilding the tree shape the way
// the file reader does: the first node is always top level, a level deeper than the
// previous node's gives its child (one level down, however deep the record says), an equal
// level its next sibling, a shallower one a sibling of the ancestor at that level, and a
// negative level a top-level node.
class TLevelPlacer {
public:
    explicit TLevelPlacer(TNotebook& notebook) : fNotebook(notebook) {}

    TNotebookNode* Place(int level, const QString& title, int32_t imageIndex,
                         std::unique_ptr<TStext> data = nullptr);

private:
    TNotebook& fNotebook;
    // The last placed node and its ancestors, indexed by level, so placement never walks
    // the tree.
    std::vector<TNotebookNode*> fPath;
};
