// Renders the main window with a notebook open into a PNG, for the documentation.
// Usage: marrowpad-screenshot NOTEBOOK OUT.png [SNIPPET-INDEX]
// Runs on any Qt platform; with QT_QPA_PLATFORM=offscreen it needs no display.
#include <QApplication>
#include <QItemSelectionModel>
#include <QTest>
#include <cstdio>
#include "app/NotebookTreeView.h"

#include "app/Form1.h"
#include "app/NotebookModel.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marrowpad"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: marrowpad-screenshot NOTEBOOK OUT.png [SNIPPET-INDEX]\n");
        return 2;
    }
    TForm1 form(args[1]);
    form.resize(960, 600);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    form.TreeView1->expandAll();
    if (args.size() > 3 && !form.Notebook().IsEmpty()) {
        const int index = args[3].toInt();
        if (index >= 0 && index < form.Notebook().Count()) {
            const QModelIndex modelIndex = form.TreeModel()->IndexOf(form.Notebook().NodeAt(index));
            form.TreeView1->setCurrentIndex(modelIndex);
            QTest::mouseClick(form.TreeView1->viewport(), Qt::LeftButton, {},
                              form.TreeView1->visualRect(modelIndex).center());
        }
    }
    QTest::qWait(100);
    if (!form.grab().save(args[2])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    form.isModify = false;
    return 0;
}
