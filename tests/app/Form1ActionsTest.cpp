// The window's menus, context menu and toolbar are built from one table of actions: these
// tests hold the layout users see, and that no action is left unreachable.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <set>

#include "tests/app/Form1Fixture.h"

namespace {

// One line per entry: "path|name|caption|shortcut|hint|flags", "path|-" for a separator.
void DumpMenu(const QMenu* menu, const QString& path, QStringList& out) {
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << path + QStringLiteral("|-");
        } else if (a->menu()) {
            DumpMenu(a->menu(), path + u'/' + a->text(), out);
        } else {
            QString flags;
            if (!a->icon().isNull()) flags += u'i';
            if (a->isCheckable()) flags += u'c';
            if (a->isChecked()) flags += u'x';
            if (!a->isEnabled()) flags += u'd';
            out << QStringList{path,
                               a->objectName(),
                               a->text(),
                               a->shortcut().toString(QKeySequence::PortableText),
                               a->toolTip() + u'|' + a->statusTip(),
                               flags}
                       .join(u'|');
        }
    }
}

}  // namespace

TEST_F(Form1Test, MenusAndContextMenuKeepTheirOrderCaptionsAndKeys) {
    QGuiApplication::clipboard()->clear();  // nothing to paste: the Edit menu is all disabled
    Start();
    QStringList menus;
    for (QAction* m : Form->menuBar()->actions())
        DumpMenu(m->menu(), m->text(), menus);
    const QStringList expected{
        "File|NewCmd|新規ファイル||新規ファイル||i",
        "File|OpenFileCmd|ファイルを開く||ファイルを開く||i",
        "File|SaveOverWriteCmd|上書き保存|Ctrl+S|上書き保存||i",
        "File|SaveNameCmd|名前を付けてファイル保存||名前を付けてファイル保存||i",
        "File|ExportTextCmd|テキストに書き出し||テキストに書き出し||i",
        "File|ExportHtmlCmd|HTMLに書き出し||HTMLに書き出し||",
        "File|-",
        "File|CloseCmd|終了||終了||",
        "編集|EditUndo1|元に戻す(&U)|Ctrl+Z|元に戻す|直前の操作を元に戻します|d",
        "編集|EditRedo1|やり直し|Ctrl+Shift+Z|やり直し|元に戻した操作をやり直します|d",
        "編集|-",
        "編集|EditCut1|切り取り(&T)|Ctrl+X|切り取り|選択部分を切り取ってクリップボードに入れます|d",
        "編集|EditCopy1|コピー(&C)|Ctrl+C|コピー|選択部分をコピーしてクリップボードに入れます|d",
        "編集|EditPaste1|貼り付け(&P)|Ctrl+V|貼り付け|クリップボードの内容を挿入します|d",
        "編集|EditDelete1|削除(&D)|Del|削除|選択部分を消去します|d",
        "編集|EditSelectAll1|すべて選択(&A)|Ctrl+A|すべて選択|ドキュメント全体を選択します|",
        "編集|-",
        "編集/選択方法|NormalMode|標準選択||標準選択||cx",
        "編集/選択方法|ColumnMode|矩形選択||矩形選択||c",
        "編集/選択方法|LineMode|行選択||行選択||c",
        "編集/選択範囲の変換|IndentCmd|インデント||インデント||",
        "編集/選択範囲の変換|UnIndentCmd|逆インデント||逆インデント||",
        "編集|InsertDate|日付を挿入||日付を挿入||",
        "ノード|TreeExpandCmd|全展開||全展開|全展開|",
        "ノード|TreeCollapseCmd|全縮小||全縮小|全縮小|",
        "検索|SearchFindCmd|検索(&F)...|Ctrl+F|検索|指定した文字列を見つけます|i",
        "検索|SearchFindNextCmd|次を検索(&N)|F3|次を検索|直前の検索を繰り返します|id",
        "検索|SearchReplaceCmd|置換(&R)||置換|特定の文字列を別の文字列に置き換えます|i",
        "検索|-",
        "検索|SearchTitleCmd|タイトル検索||タイトル検索||i",
        "検索|FullTextSearchCmd|全文検索|Ctrl+Shift+F|全文検索|"
        "すべてのスニペットのテキストを検索します|",
    };
    EXPECT_EQ(menus, expected);

    QStringList popup;
    DumpMenu(Form->EditorPopupMenu, QStringLiteral("popup"), popup);
    QStringList names;
    for (const QString& line : popup)
        names << line.section(u'|', 1, 1);
    EXPECT_EQ(Form->EditorPopupMenu->objectName(), QStringLiteral("PopupMenu1"));
    EXPECT_EQ(names, (QStringList{"EditCut1", "EditCopy1", "EditPaste1", "EditDelete1", "-",
                                  "EditSelectAll1", "EditUndo1", "EditRedo1", "-", "NormalMode",
                                  "ColumnMode", "LineMode", "-", "IndentCmd", "UnIndentCmd"}));

    QStringList keys;
    for (const QAction* a : Form->actions())
        keys << a->objectName() + u'|' + a->shortcut().toString(QKeySequence::PortableText);
    EXPECT_EQ(keys, (QStringList{"FullTextNextCmd|F4", "FullTextPrevCmd|Shift+F4"}));
}

TEST_F(Form1Test, ToolbarKeepsItsButtonsAndEveryActionIsReachable) {
    Start();
    // The bar's widgets in order; a button as "name|hint|glyph".
    QStringList bar;
    for (QAction* a : Form->ToolBar1->actions()) {
        QWidget* w = Form->ToolBar1->widgetForAction(a);
        if (a->isSeparator())
            bar << QStringLiteral("-");
        else if (auto* b = qobject_cast<QToolButton*>(w))
            bar << QStringList{b->objectName(), b->toolTip(), b->property("glyph").toString()}.join(
                u'|');
        else
            bar << (w->objectName().isEmpty() ? QStringLiteral("(stretch)") : w->objectName());
    }
    EXPECT_EQ(bar, (QStringList{"NewBtn|新規|new",
                                "OpenBtn|開く|open",
                                "OverWriteBtn|上書き保存|save",
                                "SaveBtn|名前を付けて保存|saveas",
                                "-",
                                "AddBtn|追加|add",
                                "BtnInsert|挿入|insert",
                                "BtnChild|階層を下げて追加|child",
                                "-",
                                "BtnDelete|削除|delete",
                                "-",
                                "BtnUp|UP|up",
                                "BtnDown|Down|down",
                                "BtnLeft|階層を上げる|left",
                                "BtnRight|階層を下げる|right",
                                "-",
                                "SetUpBtn|設定|settings",
                                "(stretch)",
                                "ComboBoxEx1",
                                "ReSetImageBtn|アイコン設定|seticon"}));

    // The buttons that stand for an action trigger it.
    const QList<QAction*> actions =
        Form->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly);
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;
    for (QAction* a : actions)
        if (!a->objectName().isEmpty())
            spies[a->objectName()] = std::make_unique<QSignalSpy>(a, &QAction::triggered);
    Dialogs->FileAnswers = {std::nullopt, std::nullopt};  // Open and Save As are cancelled
    QStringList bound;
    for (const char* name : {"NewBtn", "OpenBtn", "OverWriteBtn", "SaveBtn", "ReSetImageBtn"}) {
        for (auto& [_, spy] : spies)
            spy->clear();
        Form->ToolBar1->findChild<QToolButton*>(QString::fromLatin1(name))->click();
        for (auto& [action, spy] : spies)
            if (!spy->isEmpty()) bound << QString::fromLatin1(name) + u'>' + action;
    }
    EXPECT_EQ(bound,
              (QStringList{"NewBtn>NewCmd", "OpenBtn>OpenFileCmd", "OverWriteBtn>SaveOverWriteCmd",
                           "SaveBtn>SaveNameCmd", "ReSetImageBtn>ImageReSetCmd"}));

    // Every action has a name of its own and is on a menu, a button or a window key; the
    // settings action alone is reached through its button's handler.
    std::set<QString> reachable{"SetCmd"};
    std::function<void(const QMenu*)> walk = [&](const QMenu* menu) {
        for (const QAction* a : menu->actions())
            a->menu() ? walk(a->menu()) : void(reachable.insert(a->objectName()));
    };
    for (QAction* m : Form->menuBar()->actions())
        walk(m->menu());
    walk(Form->EditorPopupMenu);
    for (const QAction* a : Form->actions())
        reachable.insert(a->objectName());
    for (const QString& b : bound)
        reachable.insert(b.section(u'>', 1));
    std::set<QString> seen;
    for (const QAction* a : actions) {
        if (a->objectName().isEmpty()) continue;
        EXPECT_TRUE(seen.insert(a->objectName()).second)
            << "twice: " << a->objectName().toStdString();
        EXPECT_TRUE(reachable.count(a->objectName()))
            << "unreachable: " << a->objectName().toStdString();
    }
    EXPECT_EQ(seen.size(), 31u);
}
