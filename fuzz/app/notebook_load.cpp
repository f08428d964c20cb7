// Feeds arbitrary bytes to the notebook reader. A load either fails with a read error and
// leaves the tree empty, or gives a tree that writes back to bytes which load to the same
// tree and write back to the same bytes.
#include <QBuffer>
#include <cstdint>
#include <cstdlib>

#include "app/Notebook.h"
#include "app/NotebookFile.h"
#include "platform/Errors.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void Load(TNotebook& notebook, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadNotebook(notebook, buffer);
}

QByteArray Save(const TNotebook& notebook) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteNotebook(notebook, buffer);
    return buffer.data();
}

void CheckSameTree(const TNotebook& a, const TNotebook& b) {
    Check(a.Count() == b.Count());
    TNotebookNode* x = a.First();
    TNotebookNode* y = b.First();
    for (; x && y; x = x->GetNext(), y = y->GetNext()) {
        // The same pre-order with the same child counts is the same shape.
        Check(x->Count() == y->Count());
        Check(x->Title() == y->Title());
        Check(x->ImageIndex() == y->ImageIndex());
        Check(x->Data()->text == y->Data()->text);
    }
    Check(!x && !y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TNotebook notebook;
    try {
        Load(notebook, input);
    } catch (const EReadError&) {
        Check(notebook.IsEmpty());
        return 0;
    }
    const QByteArray written = Save(notebook);
    TNotebook again;
    Load(again, written);  // must not throw: what we write, we read
    CheckSameTree(notebook, again);
    Check(Save(again) == written);
    return 0;
}
