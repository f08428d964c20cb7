// Renders the main window with a notebook open into a PNG, for the documentation.
//
//   marrowpad-screenshot NOTEBOOK OUT.png [options]
//     --snippet N            click the snippet at tree index N
//     --highlighter N        highlighter choice (0 plain text, 1 Pascal, 2 C#, 5 C++, ...)
//     --dark                 dark window palette and the dark token preset
//     --select C1,L1,C2,L2   select from (C1, L1) to (C2, L2) in the editor
//     --line-numbers         show line numbers in the gutter
//
// Runs on any Qt platform; with QT_QPA_PLATFORM=offscreen it needs no display.
#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QTest>
#include <cstdio>

#include "app/Form1.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "editor/CodeEdit.h"

namespace {

QPalette DarkPalette() {
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 30), text(220, 220, 220);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(38, 79, 120));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

int Fail(const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marrowpad"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) return Fail("usage: marrowpad-screenshot NOTEBOOK OUT.png [options]");
    int snippet = -1;
    int choice = 0;
    bool dark = false;
    bool lineNumbers = false;
    QList<int> selection;
    for (int i = 3; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString next = args.value(i + 1);
        if (a == QLatin1String("--snippet")) {
            snippet = next.toInt();
            ++i;
        } else if (a == QLatin1String("--highlighter")) {
            choice = next.toInt();
            ++i;
        } else if (a == QLatin1String("--dark")) {
            dark = true;
        } else if (a == QLatin1String("--line-numbers")) {
            lineNumbers = true;
        } else if (a == QLatin1String("--select")) {
            for (const QString& part : next.split(u','))
                selection << part.toInt();
            if (selection.size() != 4) return Fail("--select wants C1,L1,C2,L2");
            ++i;
        } else {
            return Fail("unknown option");
        }
    }
    if (dark) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
    }
    TForm1 form(args[1]);
    if (dark) {
        form.isDark = true;
        form.SetDarkSynFonts();
        form.ApplySynFonts();
    }
    form.SetHighlighterChoice(choice);
    form.Editor().Gutter().SetShowLineNumbers(lineNumbers);
    form.resize(960, 600);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    form.TreeView1->expandAll();
    if (snippet >= 0 && snippet < form.Notebook().Count()) {
        const QModelIndex index = form.TreeModel()->IndexOf(form.Notebook().NodeAt(snippet));
        form.TreeView1->scrollTo(index);
        QTest::mouseClick(form.TreeView1->viewport(), Qt::LeftButton, {},
                          form.TreeView1->visualRect(index).center());
    }
    if (selection.size() == 4) {
        const TBufferCoord begin{selection[0], selection[1]}, end{selection[2], selection[3]};
        form.Editor().SetCaretAndSelection(end, begin, end);
    }
    QTest::qWait(100);
    if (!form.grab().save(args[2])) return Fail("cannot write the image");
    form.isModify = false;
    return 0;
}
