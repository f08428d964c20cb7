#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <memory>
#include "app/NotebookTreeView.h"

#include "app/Form1.h"
#include "app/MemoEditor.h"
#include "app/NotebookFile.h"
#include "app/NotebookModel.h"
#include "tests/support/ScriptedDialogService.h"
#include "tests/support/TestFiles.h"

// One snippet of a notebook built for a test, in pre-order with its level.
struct TSnippetDef {
    int level;
    QString title;
    int icon;
    QString text;
};

// A main window over scripted dialogs, in a scratch folder that is also the current
// directory (Save of a never-saved notebook writes there).
class Form1Test : public ::testing::Test {
protected:
    Form1Test() : fOldCurrent(QDir::currentPath()) { QDir::setCurrent(Dir.Root()); }
    ~Form1Test() override {
        if (Form) {
            Form->isModify = false;  // no prompt while tearing down
            Form->close();
        }
        QDir::setCurrent(fOldCurrent);
    }

    // Writes a notebook file from a pre-order list of snippets.
    QString MakeNotebook(const QString& name, const std::vector<TSnippetDef>& snippets) {
        TNotebook notebook;
        std::vector<TNotebookNode*> lastAtLevel;
        for (const TSnippetDef& s : snippets) {
            TNotebookNode* parent =
                s.level > 0 ? lastAtLevel[static_cast<size_t>(s.level - 1)] : nullptr;
            TNotebookNode* node = notebook.AddChild(parent, s.title, s.icon);
            node->Data()->text = s.text;
            lastAtLevel.resize(static_cast<size_t>(s.level + 1));
            lastAtLevel[static_cast<size_t>(s.level)] = node;
        }
        const QString path = Dir.Path(name);
        SaveNotebook(notebook, path);
        return path;
    }

    void Start(const QString& argument = QString()) {
        Form = std::make_unique<TForm1>(argument, SettingsPath());
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    // Clicks the snippet at a pre-order index, as a user would with the mouse.
    void ClickSnippet(int index) {
        TNotebookNode* node = Form->Notebook().NodeAt(index);
        const QModelIndex modelIndex = Form->TreeModel()->IndexOf(node);
        Form->TreeView1->scrollTo(modelIndex);
        const QRect rect = Form->TreeView1->visualRect(modelIndex);
        ASSERT_TRUE(rect.isValid()) << "snippet " << index << " is not visible";
        QTest::mouseClick(Form->TreeView1->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // The settings file of the window under test, in the scratch folder.
    QString SettingsPath() const { return Dir.Path("marrowpad.ini"); }
    // Starts on `shown` with its first snippet current, then opens a file holding `bytes`.
    QString OpenDamagedOver(const QString& shown, const QByteArray& bytes) {
        const QString bad = Dir.Path(QStringLiteral("bad.mrp"));
        WriteFileBytes(bad, bytes);
        Start(shown);
        ClickSnippet(0);
        Dialogs->FileAnswers.push_back(bad);
        Trigger("OpenFileCmd");
        return bad;
    }

    void Trigger(const char* action) { Form->Action(QString::fromLatin1(action))->trigger(); }

    QString Title(int index) { return Form->Notebook().NodeAt(index)->Title(); }
    QString StoredText(int index) { return Form->Notebook().NodeAt(index)->Data()->text; }
    // The text of a snippet as the notebook file on disk holds it.
    static QString TextOnDisk(const QString& path, int index) {
        TNotebook reread;
        LoadNotebook(reread, path);
        return reread.NodeAt(index)->Data()->text;
    }

    TTestDir Dir;
    TScriptedDialogs Dialogs;
    std::unique_ptr<TForm1> Form;

private:
    QString fOldCurrent;
};
