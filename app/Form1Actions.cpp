// The window's commands as data: one table of actions, the layout of the menu bar and the
// editor's context menu, and the toolbar. The builders below only read the tables, so a new
// command is one row here and a member function.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <initializer_list>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/IconComboBox.h"
#include "resources/Resources.h"

namespace {

using TWindowCommand = void (TForm1::*)();
using TMemoCommand = void (TMemoEditor::*)();

enum TActionFlag : unsigned {
    afNone = 0,
    afSelectionMode = 1,  // checkable, one of the exclusive group of selection modes
    afChecked = 2,
    afDisabled = 4,      // until something enables it (find next: until the first search)
    afWindowKey = 8,     // a key of the window with no menu item
    afCloseWindow = 16,  // closes the window; the close event runs its own commands
};

struct TActionRow {
    const char* Name;     // the object name menus, tests and commands look it up by
    const char* Caption;  // UTF-8, may be empty
    const char* Hint;     // "short|long": tool tip and status tip; empty for none
    QKeyCombination Shortcut;
    const char* Icon;  // a command icon's name, or nullptr
    TWindowCommand Command;
    TMemoCommand MemoCommand;
    unsigned Flags;
};

constexpr QKeyCombination kNoKey = QKeyCombination::fromCombined(0);

// In creation order, which is also the order of the menus' items.
const TActionRow kActions[] = {
    {"NewCmd", "新規ファイル", "", kNoKey, "new", &TForm1::NewCmdExecute, nullptr, afNone},
    {"OpenFileCmd", "ファイルを開く", "", kNoKey, "open", &TForm1::OpenFileCmdExecute, nullptr,
     afNone},
    {"SaveOverWriteCmd", "上書き保存", "", Qt::CTRL | Qt::Key_S, "save",
     &TForm1::SaveOverWriteCmdExecute, nullptr, afNone},
    {"SaveNameCmd", "名前を付けてファイル保存", "", kNoKey, "saveas", &TForm1::SaveNameCmdExecute,
     nullptr, afNone},
    {"ExportTextCmd", "テキストに書き出し", "", kNoKey, "export", &TForm1::ExportTextCmdExecute,
     nullptr, afNone},
    {"ExportHtmlCmd", "HTMLに書き出し", "", kNoKey, nullptr, &TForm1::ExportHtmlCmdExecute, nullptr,
     afNone},
    {"CloseCmd", "終了", "", kNoKey, nullptr, nullptr, nullptr, afCloseWindow},
    {"EditUndo1", "元に戻す(&U)", "元に戻す|直前の操作を元に戻します", Qt::CTRL | Qt::Key_Z,
     nullptr, nullptr, &TMemoEditor::Undo, afNone},
    {"EditRedo1", "やり直し", "やり直し|元に戻した操作をやり直します",
     Qt::CTRL | Qt::SHIFT | Qt::Key_Z, nullptr, nullptr, &TMemoEditor::Redo, afNone},
    {"EditCut1", "切り取り(&T)", "切り取り|選択部分を切り取ってクリップボードに入れます",
     Qt::CTRL | Qt::Key_X, nullptr, nullptr, &TMemoEditor::CutToClipboard, afNone},
    {"EditCopy1", "コピー(&C)", "コピー|選択部分をコピーしてクリップボードに入れます",
     Qt::CTRL | Qt::Key_C, nullptr, nullptr, &TMemoEditor::CopyToClipboard, afNone},
    {"EditPaste1", "貼り付け(&P)", "貼り付け|クリップボードの内容を挿入します",
     Qt::CTRL | Qt::Key_V, nullptr, nullptr, &TMemoEditor::PasteFromClipboard, afNone},
    {"EditDelete1", "削除(&D)", "削除|選択部分を消去します", QKeyCombination(Qt::Key_Delete),
     nullptr, nullptr, &TMemoEditor::DeleteSelection, afNone},
    {"EditSelectAll1", "すべて選択(&A)", "すべて選択|ドキュメント全体を選択します",
     Qt::CTRL | Qt::Key_A, nullptr, nullptr, &TMemoEditor::SelectAll, afNone},
    {"NormalMode", "標準選択", "", kNoKey, nullptr, &TForm1::NormalModeExecute, nullptr,
     afSelectionMode | afChecked},
    {"ColumnMode", "矩形選択", "", kNoKey, nullptr, &TForm1::ColumnModeExecute, nullptr,
     afSelectionMode},
    {"LineMode", "行選択", "", kNoKey, nullptr, &TForm1::LineModeExecute, nullptr, afSelectionMode},
    {"IndentCmd", "インデント", "", kNoKey, nullptr, &TForm1::IndentCmdExecute, nullptr, afNone},
    {"UnIndentCmd", "逆インデント", "", kNoKey, nullptr, &TForm1::UnIndentCmdExecute, nullptr,
     afNone},
    {"InsertDate", "日付を挿入", "", kNoKey, nullptr, &TForm1::InsertDateExecute, nullptr, afNone},
    {"TreeExpandCmd", "全展開", "全展開", kNoKey, nullptr, &TForm1::TreeExpandCmdExecute, nullptr,
     afNone},
    {"TreeCollapseCmd", "全縮小", "全縮小", kNoKey, nullptr, &TForm1::TreeCollapseCmdExecute,
     nullptr, afNone},
    {"SearchFindCmd", "検索(&F)...", "検索|指定した文字列を見つけます", Qt::CTRL | Qt::Key_F,
     "find", &TForm1::SearchFindCmdExecute, nullptr, afNone},
    {"SearchFindNextCmd", "次を検索(&N)", "次を検索|直前の検索を繰り返します",
     QKeyCombination(Qt::Key_F3), "findnext", &TForm1::SearchFindNextCmdExecute, nullptr,
     afDisabled},
    {"SearchReplaceCmd", "置換(&R)", "置換|特定の文字列を別の文字列に置き換えます", kNoKey,
     "replace", &TForm1::SearchReplaceCmdExecute, nullptr, afNone},
    {"SearchTitleCmd", "タイトル検索", "", kNoKey, "titlesearch", &TForm1::SearchTitleCmdExecute,
     nullptr, afNone},
    {"FullTextSearchCmd", "全文検索", "全文検索|すべてのスニペットのテキストを検索します",
     Qt::CTRL | Qt::SHIFT | Qt::Key_F, nullptr, &TForm1::FullTextSearchCmdExecute, nullptr, afNone},
    {"FullTextNextCmd", "", "", QKeyCombination(Qt::Key_F4), nullptr,
     &TForm1::FullTextNextCmdExecute, nullptr, afWindowKey},
    {"FullTextPrevCmd", "", "", Qt::SHIFT | Qt::Key_F4, nullptr, &TForm1::FullTextPrevCmdExecute,
     nullptr, afWindowKey},
    // On no menu: the toolbar's settings button runs the command.
    {"SetCmd", "設定", "", kNoKey, nullptr, &TForm1::SetCmdExecute, nullptr, afNone},
    {"ImageReSetCmd", "", "グリフの再設定", kNoKey, nullptr, &TForm1::ImageReSetCmdExecute, nullptr,
     afNone},
};

// A menu's entries in order: an action's name, "-" for a separator, ">caption" to open a
// submenu and "<" to close it.
using TMenuLayout = std::initializer_list<const char*>;

struct TMenuRow {
    const char* Caption;
    TMenuLayout Entries;
};

const TMenuRow kMenuBar[] = {
    {"File",
     {"NewCmd", "OpenFileCmd", "SaveOverWriteCmd", "SaveNameCmd", "ExportTextCmd", "ExportHtmlCmd",
      "-", "CloseCmd"}},
    {"編集",
     {"EditUndo1", "EditRedo1", "-", "EditCut1", "EditCopy1", "EditPaste1", "EditDelete1",
      "EditSelectAll1", "-", ">選択方法", "NormalMode", "ColumnMode", "LineMode", "<",
      ">選択範囲の変換", "IndentCmd", "UnIndentCmd", "<", "InsertDate"}},
    {"ノード", {"TreeExpandCmd", "TreeCollapseCmd"}},
    {"検索",
     {"SearchFindCmd", "SearchFindNextCmd", "SearchReplaceCmd", "-", "SearchTitleCmd",
      "FullTextSearchCmd"}},
};

const TMenuLayout kEditorPopup = {"EditCut1", "EditCopy1",      "EditPaste1", "EditDelete1",
                                  "-",        "EditSelectAll1", "EditUndo1",  "EditRedo1",
                                  "-",        "NormalMode",     "ColumnMode", "LineMode",
                                  "-",        "IndentCmd",      "UnIndentCmd"};

enum class TToolKind { Button, Separator, IconChooser };

// A button either stands for an action or runs a command of its own.
struct TToolRow {
    TToolKind Kind;
    const char* Name;
    const char* Hint;
    const char* Glyph;  // a toolbar glyph's name
    const char* Action;
    TWindowCommand Command;
};

constexpr TToolRow kSeparator{TToolKind::Separator, nullptr, nullptr, nullptr, nullptr, nullptr};

const TToolRow kToolBar[] = {
    {TToolKind::Button, "NewBtn", "新規", "new", "NewCmd", nullptr},
    {TToolKind::Button, "OpenBtn", "開く", "open", "OpenFileCmd", nullptr},
    {TToolKind::Button, "OverWriteBtn", "上書き保存", "save", "SaveOverWriteCmd", nullptr},
    {TToolKind::Button, "SaveBtn", "名前を付けて保存", "saveas", "SaveNameCmd", nullptr},
    kSeparator,
    {TToolKind::Button, "AddBtn", "追加", "add", nullptr, &TForm1::AddBtnClick},
    {TToolKind::Button, "BtnInsert", "挿入", "insert", nullptr, &TForm1::BtnInsertClick},
    {TToolKind::Button, "BtnChild", "階層を下げて追加", "child", nullptr, &TForm1::BtnChildClick},
    kSeparator,
    {TToolKind::Button, "BtnDelete", "削除", "delete", nullptr, &TForm1::BtnDeleteClick},
    kSeparator,
    {TToolKind::Button, "BtnUp", "UP", "up", nullptr, &TForm1::BtnUpClick},
    {TToolKind::Button, "BtnDown", "Down", "down", nullptr, &TForm1::BtnDownClick},
    {TToolKind::Button, "BtnLeft", "階層を上げる", "left", nullptr, &TForm1::BtnLeftClick},
    {TToolKind::Button, "BtnRight", "階層を下げる", "right", nullptr, &TForm1::BtnRightClick},
    kSeparator,
    {TToolKind::Button, "SetUpBtn", "設定", "settings", nullptr, &TForm1::SetUpBtnClick},
    // The icon chooser and its button sit at the right end of the bar.
    {TToolKind::IconChooser, "ComboBoxEx1", nullptr, nullptr, nullptr, nullptr},
    {TToolKind::Button, "ReSetImageBtn", "アイコン設定", "seticon", "ImageReSetCmd", nullptr},
};

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Runs a window command through RunCommand whenever the sender's signal fires.
template <class Sender, class Signal>
void RunOnSignal(TForm1* form, Sender* sender, Signal signal, TWindowCommand command) {
    QObject::connect(sender, signal, form, [form, command] {
        form->RunCommand([form, command] { (form->*command)(); });
    });
}

// Fills a menu from its layout; submenus open and close inside it.
void FillMenu(QMenu* menu, const TMenuLayout& entries, const TForm1& form) {
    QMenu* target = menu;
    for (const char* entry : entries) {
        if (entry[0] == '-' && entry[1] == '\0')
            target->addSeparator();
        else if (entry[0] == '>')
            target = menu->addMenu(Utf8(entry + 1));
        else if (entry[0] == '<' && entry[1] == '\0')
            target = menu;
        else
            target->addAction(form.Action(QString::fromLatin1(entry)));
    }
}

}  // namespace

QAction* TForm1::AddAction(const QString& name, const QString& caption, const QString& hint,
                           const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!hint.isEmpty()) {
        // Hints read "short|long": the short text is the tool tip, the long one the status tip.
        const qsizetype bar = hint.indexOf(u'|');
        action->setToolTip(bar < 0 ? hint : hint.left(bar));
        action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    }
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

QAction* TForm1::Action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void TForm1::CreateActions() {
    fSelectionModeGroup = new QActionGroup(this);
    for (const TActionRow& row : kActions) {
        QAction* a = AddAction(QString::fromLatin1(row.Name), Utf8(row.Caption), Utf8(row.Hint),
                               QKeySequence(row.Shortcut));
        if (row.Icon) a->setIcon(QIcon(CommandIconPath(QString::fromLatin1(row.Icon))));
        if (row.Flags & afSelectionMode) {
            a->setCheckable(true);
            fSelectionModeGroup->addAction(a);
        }
        if (row.Flags & afChecked) a->setChecked(true);
        if (row.Flags & afDisabled) a->setEnabled(false);
        if (row.Flags & afWindowKey) addAction(a);
        // Every command runs through RunCommand, which reports its errors.
        if (row.Command) {
            RunOnSignal(this, a, &QAction::triggered, row.Command);
        } else if (const TMemoCommand command = row.MemoCommand) {
            connect(a, &QAction::triggered, this,
                    [this, command] { RunCommand([this, command] { ((*fMemo).*command)(); }); });
        } else if (row.Flags & afCloseWindow) {
            connect(a, &QAction::triggered, this, &QWidget::close);
        }
    }
}

void TForm1::CreateMenus() {
    for (const TMenuRow& row : kMenuBar)
        FillMenu(menuBar()->addMenu(Utf8(row.Caption)), row.Entries, *this);
    EditorPopupMenu = new QMenu(this);
    EditorPopupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    FillMenu(EditorPopupMenu, kEditorPopup, *this);
}

QToolButton* TForm1::AddToolButton(const QString& name, const QString& hint, const QString& icon,
                                   QAction* action) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(name);
    button->setToolTip(hint);
    // the glyph is drawn again whenever the style or the scale changes
    button->setProperty("glyph", icon);
    button->setAutoRaise(true);
    if (action) connect(button, &QToolButton::clicked, action, &QAction::trigger);
    ToolBar1->addWidget(button);
    return button;
}

void TForm1::CreateToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    for (const TToolRow& row : kToolBar) {
        switch (row.Kind) {
            case TToolKind::Separator:
                ToolBar1->addSeparator();
                break;
            case TToolKind::IconChooser: {
                auto* spacer = new QWidget(ToolBar1);
                spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
                ToolBar1->addWidget(spacer);
                ComboBoxEx1 = new TIconComboBox(ToolBar1);
                ComboBoxEx1->setObjectName(QString::fromLatin1(row.Name));
                ToolBar1->addWidget(ComboBoxEx1);
                break;
            }
            case TToolKind::Button: {
                QToolButton* b = AddToolButton(
                    QString::fromLatin1(row.Name), Utf8(row.Hint), QString::fromLatin1(row.Glyph),
                    row.Action ? Action(QString::fromLatin1(row.Action)) : nullptr);
                if (row.Command) RunOnSignal(this, b, &QToolButton::clicked, row.Command);
                break;
            }
        }
    }
    ReSetImageBtn = ToolBar1->findChild<QToolButton*>(QStringLiteral("ReSetImageBtn"));
}
