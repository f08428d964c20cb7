// Loads a notebook into the main window, offscreen, then runs random tree commands on it:
// select, add, insert, add child, delete, the four moves, drag and drop, expand and collapse
// all, set icon, title search, and chains that nest past the deepest level the tree shows.
// Nothing may crash or hang, Qt's model tester checks every change the view is told of, and
// afterwards the current snippet is a node of the tree and the tree writes and reads back
// whole.
#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QComboBox>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "app/Form1.h"
#include "app/MemoEditor.h"
#include "app/NotebookFile.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "fuzz/support/OffscreenApplication.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/FindDialog.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// Says yes to every question; file dialogs are cancelled and errors are not expected.
class TYesDialogs : public TDialogService {
public:
    bool Confirm(QWidget*, const QString&) override { return true; }
    bool AskYesNo(QWidget*, const QString&, const QRect&) override { return true; }
    void ShowError(QWidget*, const QString&) override { std::abort(); }
    void ShowMessage(QWidget*, const QString&) override {}
    std::optional<QString> OpenFileName(QWidget*, const TFileDialogOptions&) override {
        return std::nullopt;
    }
    std::optional<QString> SaveFileName(QWidget*, const TFileDialogOptions&) override {
        return std::nullopt;
    }
};

class TReader {
public:
    TReader(const uint8_t* data, size_t size) : fData(data), fSize(size) {}
    bool AtEnd() const { return fPos >= fSize; }
    uint8_t Byte() { return fPos < fSize ? fData[fPos++] : 0; }
    QByteArray Bytes(size_t n) {
        n = std::min(n, fSize - fPos);
        const QByteArray out(reinterpret_cast<const char*>(fData + fPos),
                             static_cast<qsizetype>(n));
        fPos += n;
        return out;
    }

private:
    const uint8_t* fData;
    size_t fSize;
    size_t fPos = 0;
};

TForm1& Window() {
    static TForm1* form = [] {
        auto* f = new TForm1;
        f->resize(600, 400);
        f->show();
        return f;
    }();
    return *form;
}

TNotebookNode* PickNode(TForm1& form, uint8_t b) {
    const int count = form.Notebook().Count();
    return count == 0 ? nullptr : form.Notebook().NodeAt((b * 7919) % count);
}

void Select(TForm1& form, TNotebookNode* node) {
    form.TreeView1->setCurrentIndex(form.TreeModel()->IndexOf(node));
    form.TreeView1Click();
}

void RunStep(TForm1& form, TReader& in) {
    switch (in.Byte() % 17) {
        case 0:
        case 1:
            Select(form, PickNode(form, in.Byte()));
            break;
        case 2:
            form.AddBtnClick();
            break;
        case 3:
            form.BtnInsertClick();
            break;
        case 4:
            form.BtnChildClick();
            break;
        case 5:
            form.BtnDeleteClick();
            break;
        case 6:
            form.BtnUpClick();
            break;
        case 7:
            form.BtnDownClick();
            break;
        case 8:
            form.BtnLeftClick();
            break;
        case 9:
            form.BtnRightClick();
            break;
        case 10:
            form.TreeView1DragDrop(PickNode(form, in.Byte()));
            break;
        case 11:
            form.TreeExpandCmdExecute();
            break;
        case 12:
            form.TreeCollapseCmdExecute();
            break;
        case 13:
            form.ComboBoxEx1->setCurrentIndex(in.Byte() % form.ComboBoxEx1->count());
            form.ImageReSetCmdExecute();
            break;
        case 14: {
            // A chain under a node that reaches past the deepest level the tree shows.
            TNotebookNode* node = PickNode(form, in.Byte());
            const int length = TNotebookModel::kShownLevels + in.Byte() % 8;
            for (int i = 0; i < length; ++i)
                node = form.Notebook().AddChild(node, QStringLiteral("chain"), 1);
            break;
        }
        case 15:
            form.TreeView1->scrollToBottom();
            (void)form.grab();
            break;
        case 16:
            if (!form.FindDialog2) form.SearchTitleCmdExecute();
            form.FindDialog2->SetFindText(in.Byte() & 1 ? QStringLiteral("chain")
                                                        : QStringLiteral("a"));
            form.FindDialog2Find();
            break;
    }
}

void CheckWindow(TForm1& form) {
    const TNotebook& notebook = form.Notebook();
    int count = 0;
    bool currentFound = form.tn == nullptr;
    for (TNotebookNode* n = notebook.First(); n; n = n->GetNext(), ++count) {
        currentFound = currentFound || n == form.tn;
        Check(n->Level() == (n->Parent() ? n->Parent()->Level() + 1 : 0));
    }
    Check(count == notebook.Count());
    Check(currentFound);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteNotebook(notebook, buffer);
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    TNotebook again;
    ReadNotebook(again, buffer);
    Check(again.Count() == notebook.Count());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::StartOffscreenApplication(argc, argv);
    TDialogService::Install(std::make_unique<TYesDialogs>());
    static auto* tester = new QAbstractItemModelTester(
        Window().TreeModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    (void)tester;
    (void)Window().grab();
    return 0;
}

// Input: two bytes giving the length n of the notebook file, n bytes of it, then commands.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TReader in(data, size);
    const size_t length = in.Byte() | (in.Byte() << 8);
    QBuffer file;
    file.setData(in.Bytes(length));
    file.open(QIODevice::ReadOnly);
    TForm1& form = Window();
    // As Open does, without the file dialog.
    form.tn = nullptr;
    form.isModify = false;
    try {
        ReadNotebook(form.Notebook(), file);
    } catch (const EReadError&) {
        Check(form.Notebook().IsEmpty());
    }
    form.Memo().Clear();
    form.Memo().SetReadOnly(false);
    for (int steps = 0; !in.AtEnd() && steps < 200; ++steps) {
        RunStep(form, in);
        if (form.Notebook().Count() > 5000) break;  // chains are enough to find the faults
    }
    CheckWindow(form);
    // Nothing of this input outlives it, so the leak checker runs only when memory is lost.
    form.isModify = false;
    form.NewCmdExecute();
    return 0;
}
