// Renders the main window with a notebook open into a PNG, for the documentation.
//
//   marrowpad-screenshot NOTEBOOK OUT.png [options]
//     --snippet N            click the snippet at tree index N
//     --highlighter N        highlighter choice (0 plain text, 1 Pascal, 2 C#, 5 C++, ...)
//     --dark                 dark window palette and the dark token preset
//     --select C1,L1,C2,L2   select from (C1, L1) to (C2, L2) in the editor
//     --line-numbers         show line numbers in the gutter
//     --search TEXT          search every snippet for TEXT and open the first hit
//     --look NAME            the visual style (default "Sky"; "Windows" is the platform's)
//     --scale PPI            the window scale in pixels per inch (96 is 100 %)
//     --dialog DIALOG.png    also render the settings dialog into DIALOG.png
//     --menus PREFIX         also render each menu of the menu bar, its submenus and the
//                            editor's context menu into PREFIX-1.png, PREFIX-2.png, ...
//
// The window starts from a settings file of its own in a scratch folder, so the program's
// real settings are neither read nor written.
//
// Runs on any Qt platform; with QT_QPA_PLATFORM=offscreen it needs no display.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app/Form1.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "app/SearchPanel.h"
#include "editor/CodeEdit.h"
#include "settings/Form2.h"

namespace {

int Fail(const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 2;
}

// Renders a menu and then its submenus, numbering the images from `next`.
bool SaveMenus(QMenu* menu, const QString& prefix, int& next) {
    menu->adjustSize();
    if (!menu->grab().save(QStringLiteral("%1-%2.png").arg(prefix).arg(next++))) return false;
    for (QAction* a : menu->actions())
        if (a->menu() && !SaveMenus(a->menu(), prefix, next)) return false;
    return true;
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
    QString style = QStringLiteral("Sky");
    int scale = 96;
    QString dialogOut;
    QString menusOut;
    QList<int> selection;
    QString search;
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
        } else if (a == QLatin1String("--search")) {
            search = next;
            ++i;
        } else if (a == QLatin1String("--look")) {
            style = next;
            ++i;
        } else if (a == QLatin1String("--scale")) {
            scale = next.toInt();
            ++i;
        } else if (a == QLatin1String("--dialog")) {
            dialogOut = next;
            ++i;
        } else if (a == QLatin1String("--menus")) {
            menusOut = next;
            ++i;
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
    QTemporaryDir scratch;
    TForm1 form(args[1], scratch.filePath(QStringLiteral("marrowpad.ini")));
    form.SelectStyle(style);
    form.Settings().isDark = dark;
    if (dark)
        form.SetDarkSynFonts();
    else
        form.SetLightSynFonts();
    form.ApplySynFonts();
    form.ScaleForPPI(scale);
    form.SetHighlighterChoice(choice);
    form.Editor().Gutter().SetShowLineNumbers(lineNumbers);
    form.resize(form.Scale().Px(960), form.Scale().Px(600));
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
    if (!search.isEmpty()) {
        form.Action(QStringLiteral("FullTextSearchCmd"))->trigger();
        QTest::keyClicks(form.SearchPanel1->Field(), search);
        if (!QTest::qWaitFor([&] { return !form.SearchPanel1->IsSearching(); }, 10000))
            return Fail("the search did not end");
        form.FullTextNextCmdExecute();
    }
    QTest::qWait(100);
    if (!form.grab().save(args[2])) return Fail("cannot write the image");
    if (!dialogOut.isEmpty()) {
        form.Form2->show();
        if (!QTest::qWaitForWindowExposed(form.Form2)) return 1;
        QTest::qWait(100);
        if (!form.Form2->grab().save(dialogOut)) return Fail("cannot write the dialog image");
        form.Form2->hide();
    }
    if (!menusOut.isEmpty()) {
        int next = 1;
        for (QAction* m : form.menuBar()->actions())
            if (!SaveMenus(m->menu(), menusOut, next)) return Fail("cannot write a menu image");
        if (!SaveMenus(form.EditorPopupMenu, menusOut, next))
            return Fail("cannot write a menu image");
    }
    form.isModify = false;
    return 0;
}
