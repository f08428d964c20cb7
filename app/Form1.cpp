#include "app/Form1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSplitter>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QToolBar>
#include <QToolButton>
#include <tuple>
#include <utility>

#include "app/CodeEditMemo.h"
#include "app/IconComboBox.h"
#include "app/NodeImageList.h"
#include "app/NodeItemDelegate.h"
#include "app/NotebookModel.h"
#include "app/NotebookTreeView.h"
#include "app/StatusPanel.h"
#include "app/TextUtils.h"
#include "editor/CodeEdit.h"
#include "highlighters/CodeEditHighlighter.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "resources/Resources.h"
#include "settings/ExIniFile.h"
#include "settings/Form2.h"

namespace {
QIcon SvgIcon(const QString& path) {
    return QIcon(path);
}

// The toolbar glyphs are drawn in one colour: the style's button text, so they stay
// visible on dark styles as well as light ones.
QIcon GlyphIcon(const QString& path, const QColor& color, int px) {
    QIcon icon;
    QSvgRenderer renderer(path);
    for (int size : {px, 2 * px}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), color);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
}  // namespace

TForm1::TForm1(const QString& firstArgument, const QString& settingsFile, QWidget* parent)
    : QMainWindow(parent),
      fSettings(std::make_unique<TAppSettings>()),
      fDesignFont(QApplication::font()),
      fNodeImages(std::make_unique<TNodeImageList>()),
      fMemo(std::make_unique<TCodeEditMemo>()) {
    InitMarrowpadResources();
    OpenSettingsFile(settingsFile);
    CreateTokenFonts();
    CreateHighlighters();
    setObjectName(QStringLiteral("Form1"));
    // The caption stays "Marrowpad"; the placeholder shows an unsaved notebook the Qt way.
    setWindowTitle(QStringLiteral("Marrowpad[*]"));
    setWindowIcon(QIcon(ApplicationIconPath()));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateBody();
    CreateStatusBar();
    CreateSearchDialogs();
    CreateSearchPanel();
    fGutterDesignFont = Editor().Gutter().Font();
    fGutterDesignWidth = Editor().Gutter().Width();
    fGutterDesignLeftOffset = Editor().Gutter().LeftOffset();
    // The memo font of a file without one: the editor's own face, at the size a new font has.
    fSettings->MemoFont = TAppSettings::NewFont(Editor().font().family());
    ApplyScaledSizes();
    StartUp(firstArgument);
    Form2 = new TForm2(*fSettings, this);
    UpdateEditActions();
}

TForm1::~TForm1() {
    // The editor keeps no hold on a highlighter: let go of it before the highlighters go.
    Editor().SetHighlighter(nullptr);
    // The dialog edits the settings object, which goes before the window's children do.
    delete Form2;
    Form2 = nullptr;
    // The view and its model go before the notebook they show. The window's filter comes
    // off the viewport first: it must not see the events of a view being destroyed.
    TNotebookTreeView* view = std::exchange(TreeView1, nullptr);
    view->viewport()->removeEventFilter(this);
    delete view;
    delete fTreeModel;
    fTreeModel = nullptr;
}

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
    auto command = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    auto memo = [this](QAction* action, void (TMemoEditor::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { RunCommand([this, handler] { ((*fMemo).*handler)(); }); });
    };

    QAction* a = AddAction(QStringLiteral("NewCmd"), QStringLiteral("新規ファイル"));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("new"))));
    command(a, &TForm1::NewCmdExecute);
    a = AddAction(QStringLiteral("OpenFileCmd"), QStringLiteral("ファイルを開く"));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("open"))));
    command(a, &TForm1::OpenFileCmdExecute);
    a = AddAction(QStringLiteral("SaveOverWriteCmd"), QStringLiteral("上書き保存"), QString(),
                  QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("save"))));
    command(a, &TForm1::SaveOverWriteCmdExecute);
    a = AddAction(QStringLiteral("SaveNameCmd"), QStringLiteral("名前を付けてファイル保存"));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("saveas"))));
    command(a, &TForm1::SaveNameCmdExecute);
    a = AddAction(QStringLiteral("ExportTextCmd"), QStringLiteral("テキストに書き出し"));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("export"))));
    command(a, &TForm1::ExportTextCmdExecute);
    command(AddAction(QStringLiteral("ExportHtmlCmd"), QStringLiteral("HTMLに書き出し")),
            &TForm1::ExportHtmlCmdExecute);
    a = AddAction(QStringLiteral("CloseCmd"), QStringLiteral("終了"));
    connect(a, &QAction::triggered, this, &QWidget::close);

    memo(AddAction(QStringLiteral("EditUndo1"), QStringLiteral("元に戻す(&U)"),
                   QStringLiteral("元に戻す|直前の操作を元に戻します"),
                   QKeySequence(Qt::CTRL | Qt::Key_Z)),
         &TMemoEditor::Undo);
    memo(AddAction(QStringLiteral("EditRedo1"), QStringLiteral("やり直し"),
                   QStringLiteral("やり直し|元に戻した操作をやり直します"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)),
         &TMemoEditor::Redo);
    memo(AddAction(QStringLiteral("EditCut1"), QStringLiteral("切り取り(&T)"),
                   QStringLiteral("切り取り|選択部分を切り取ってクリップボードに入れます"),
                   QKeySequence(Qt::CTRL | Qt::Key_X)),
         &TMemoEditor::CutToClipboard);
    memo(AddAction(QStringLiteral("EditCopy1"), QStringLiteral("コピー(&C)"),
                   QStringLiteral("コピー|選択部分をコピーしてクリップボードに入れます"),
                   QKeySequence(Qt::CTRL | Qt::Key_C)),
         &TMemoEditor::CopyToClipboard);
    memo(AddAction(QStringLiteral("EditPaste1"), QStringLiteral("貼り付け(&P)"),
                   QStringLiteral("貼り付け|クリップボードの内容を挿入します"),
                   QKeySequence(Qt::CTRL | Qt::Key_V)),
         &TMemoEditor::PasteFromClipboard);
    memo(AddAction(QStringLiteral("EditDelete1"), QStringLiteral("削除(&D)"),
                   QStringLiteral("削除|選択部分を消去します"), QKeySequence(Qt::Key_Delete)),
         &TMemoEditor::DeleteSelection);
    memo(AddAction(QStringLiteral("EditSelectAll1"), QStringLiteral("すべて選択(&A)"),
                   QStringLiteral("すべて選択|ドキュメント全体を選択します"),
                   QKeySequence(Qt::CTRL | Qt::Key_A)),
         &TMemoEditor::SelectAll);
    fSelectionModeGroup = new QActionGroup(this);
    for (auto [name, caption, handler] :
         {std::tuple{"NormalMode", "標準選択", &TForm1::NormalModeExecute},
          std::tuple{"ColumnMode", "矩形選択", &TForm1::ColumnModeExecute},
          std::tuple{"LineMode", "行選択", &TForm1::LineModeExecute}}) {
        a = AddAction(QString::fromLatin1(name), QString::fromUtf8(caption));
        a->setCheckable(true);
        fSelectionModeGroup->addAction(a);
        command(a, handler);
    }
    Action(QStringLiteral("NormalMode"))->setChecked(true);
    command(AddAction(QStringLiteral("IndentCmd"), QStringLiteral("インデント")),
            &TForm1::IndentCmdExecute);
    command(AddAction(QStringLiteral("UnIndentCmd"), QStringLiteral("逆インデント")),
            &TForm1::UnIndentCmdExecute);
    command(AddAction(QStringLiteral("InsertDate"), QStringLiteral("日付を挿入")),
            &TForm1::InsertDateExecute);
    command(AddAction(QStringLiteral("TreeExpandCmd"), QStringLiteral("全展開"),
                      QStringLiteral("全展開")),
            &TForm1::TreeExpandCmdExecute);
    command(AddAction(QStringLiteral("TreeCollapseCmd"), QStringLiteral("全縮小"),
                      QStringLiteral("全縮小")),
            &TForm1::TreeCollapseCmdExecute);

    a = AddAction(QStringLiteral("SearchFindCmd"), QStringLiteral("検索(&F)..."),
                  QStringLiteral("検索|指定した文字列を見つけます"),
                  QKeySequence(Qt::CTRL | Qt::Key_F));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("find"))));
    command(a, &TForm1::SearchFindCmdExecute);
    a = AddAction(QStringLiteral("SearchFindNextCmd"), QStringLiteral("次を検索(&N)"),
                  QStringLiteral("次を検索|直前の検索を繰り返します"), QKeySequence(Qt::Key_F3));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("findnext"))));
    a->setEnabled(false);  // until the first search from the find dialog
    command(a, &TForm1::SearchFindNextCmdExecute);
    a = AddAction(QStringLiteral("SearchReplaceCmd"), QStringLiteral("置換(&R)"),
                  QStringLiteral("置換|特定の文字列を別の文字列に置き換えます"));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("replace"))));
    command(a, &TForm1::SearchReplaceCmdExecute);
    a = AddAction(QStringLiteral("SearchTitleCmd"), QStringLiteral("タイトル検索"));
    a->setIcon(SvgIcon(CommandIconPath(QStringLiteral("titlesearch"))));
    command(a, &TForm1::SearchTitleCmdExecute);
    command(AddAction(QStringLiteral("FullTextSearchCmd"), QStringLiteral("全文検索"),
                      QStringLiteral("全文検索|すべてのスニペットのテキストを検索します"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)),
            &TForm1::FullTextSearchCmdExecute);
    for (auto [name, key, handler] :
         {std::tuple{"FullTextNextCmd", QKeySequence(Qt::Key_F4), &TForm1::FullTextNextCmdExecute},
          std::tuple{"FullTextPrevCmd", QKeySequence(Qt::SHIFT | Qt::Key_F4),
                     &TForm1::FullTextPrevCmdExecute}}) {
        // Keys only, with no menu item: they act while the window has the focus.
        a = AddAction(QString::fromLatin1(name), QString(), QString(), key);
        addAction(a);
        command(a, handler);
    }
    command(AddAction(QStringLiteral("SetCmd"), QStringLiteral("設定")), &TForm1::SetCmdExecute);
    command(AddAction(QStringLiteral("ImageReSetCmd"), QString(), QStringLiteral("グリフの再設定")),
            &TForm1::ImageReSetCmdExecute);
}

void TForm1::CreateMenus() {
    auto add = [this](QMenu* menu, const char* name) {
        menu->addAction(Action(QString::fromLatin1(name)));
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    for (const char* name : {"NewCmd", "OpenFileCmd", "SaveOverWriteCmd", "SaveNameCmd",
                             "ExportTextCmd", "ExportHtmlCmd"})
        add(file, name);
    file->addSeparator();
    add(file, "CloseCmd");

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集"));
    add(edit, "EditUndo1");
    add(edit, "EditRedo1");
    edit->addSeparator();
    for (const char* name :
         {"EditCut1", "EditCopy1", "EditPaste1", "EditDelete1", "EditSelectAll1"})
        add(edit, name);
    edit->addSeparator();
    QMenu* modes = edit->addMenu(QStringLiteral("選択方法"));
    for (const char* name : {"NormalMode", "ColumnMode", "LineMode"})
        add(modes, name);
    QMenu* convert = edit->addMenu(QStringLiteral("選択範囲の変換"));
    add(convert, "IndentCmd");
    add(convert, "UnIndentCmd");
    add(edit, "InsertDate");

    QMenu* node = menuBar()->addMenu(QStringLiteral("ノード"));
    add(node, "TreeExpandCmd");
    add(node, "TreeCollapseCmd");

    QMenu* search = menuBar()->addMenu(QStringLiteral("検索"));
    for (const char* name : {"SearchFindCmd", "SearchFindNextCmd", "SearchReplaceCmd"})
        add(search, name);
    search->addSeparator();
    add(search, "SearchTitleCmd");
    add(search, "FullTextSearchCmd");

    EditorPopupMenu = new QMenu(this);
    EditorPopupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    for (const char* name : {"EditCut1", "EditCopy1", "EditPaste1", "EditDelete1"})
        add(EditorPopupMenu, name);
    EditorPopupMenu->addSeparator();
    add(EditorPopupMenu, "EditSelectAll1");
    add(EditorPopupMenu, "EditUndo1");
    add(EditorPopupMenu, "EditRedo1");
    EditorPopupMenu->addSeparator();
    for (const char* name : {"NormalMode", "ColumnMode", "LineMode"})
        add(EditorPopupMenu, name);
    EditorPopupMenu->addSeparator();
    add(EditorPopupMenu, "IndentCmd");
    add(EditorPopupMenu, "UnIndentCmd");
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

    AddToolButton(QStringLiteral("NewBtn"), QStringLiteral("新規"), QStringLiteral("new"),
                  Action(QStringLiteral("NewCmd")));
    AddToolButton(QStringLiteral("OpenBtn"), QStringLiteral("開く"), QStringLiteral("open"),
                  Action(QStringLiteral("OpenFileCmd")));
    AddToolButton(QStringLiteral("OverWriteBtn"), QStringLiteral("上書き保存"),
                  QStringLiteral("save"), Action(QStringLiteral("SaveOverWriteCmd")));
    AddToolButton(QStringLiteral("SaveBtn"), QStringLiteral("名前を付けて保存"),
                  QStringLiteral("saveas"), Action(QStringLiteral("SaveNameCmd")));
    ToolBar1->addSeparator();
    auto button = [this](const char* name, const char* hint, const char* icon,
                         void (TForm1::*handler)()) {
        QToolButton* b = AddToolButton(QString::fromLatin1(name), QString::fromUtf8(hint),
                                       QString::fromLatin1(icon), nullptr);
        connect(b, &QToolButton::clicked, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    button("AddBtn", "追加", "add", &TForm1::AddBtnClick);
    button("BtnInsert", "挿入", "insert", &TForm1::BtnInsertClick);
    button("BtnChild", "階層を下げて追加", "child", &TForm1::BtnChildClick);
    ToolBar1->addSeparator();
    button("BtnDelete", "削除", "delete", &TForm1::BtnDeleteClick);
    ToolBar1->addSeparator();
    button("BtnUp", "UP", "up", &TForm1::BtnUpClick);
    button("BtnDown", "Down", "down", &TForm1::BtnDownClick);
    button("BtnLeft", "階層を上げる", "left", &TForm1::BtnLeftClick);
    button("BtnRight", "階層を下げる", "right", &TForm1::BtnRightClick);
    ToolBar1->addSeparator();
    button("SetUpBtn", "設定", "settings", &TForm1::SetUpBtnClick);

    // The icon chooser and its button sit at the right end of the bar.
    auto* spacer = new QWidget(ToolBar1);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar1->addWidget(spacer);
    auto* combo = new TIconComboBox(ToolBar1);
    combo->setObjectName(QStringLiteral("ComboBoxEx1"));
    ComboBoxEx1 = combo;
    ToolBar1->addWidget(ComboBoxEx1);
    ReSetImageBtn =
        AddToolButton(QStringLiteral("ReSetImageBtn"), QStringLiteral("アイコン設定"),
                      QStringLiteral("seticon"), Action(QStringLiteral("ImageReSetCmd")));
}

void TForm1::CreateBody() {
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);

    TreeView1 = new TNotebookTreeView(Splitter1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    fTreeModel = new TNotebookModel(fNotebook, *fNodeImages, this);
    TreeView1->setModel(fTreeModel);
    TreeView1->setItemDelegate(new TNodeItemDelegate(*fNodeImages, TreeView1));
    TreeView1->setHeaderHidden(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setFocusPolicy(Qt::ClickFocus);  // the Tab key skips the tree
    TreeView1->setUniformRowHeights(true);
    TreeView1->viewport()->installEventFilter(this);
    TreeView1->OnDropNode = [this](TNotebookNode* target) {
        RunCommand([this, target] { TreeView1DragDrop(target); });
    };
    // The highlighted node is the current one, however the user moved there.
    TreeView1->OnKeyboardSelect = [this] { RunCommand([this] { TreeView1Click(); }); };

    QWidget* memo = fMemo->Widget();
    memo->setParent(Splitter1);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo, &QWidget::customContextMenuRequested, this,
            [this, memo](const QPoint& pos) { EditorPopupMenu->popup(memo->mapToGlobal(pos)); });
    fMemo->OnChange = [this] { MemoChange(); };
    Editor().OnSpecialLineColors = [this](TCustomCodeEdit*, int line, bool& special, quint32& fg,
                                          quint32& bg) {
        MemoSpecialLineColors(line, special, fg, bg);
    };
    fMemo->OnStatusChange = [this] { UpdateEditActions(); };
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &TForm1::UpdateEditActions);

    Splitter1->addWidget(TreeView1);
    Splitter1->addWidget(memo);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });
    setCentralWidget(Splitter1);
}

void TForm1::CreateStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    for (QLabel*& panel : fPanels) {
        panel = new TStatusPanel(StatusBar1);
        panel->setTextFormat(Qt::PlainText);  // a title is text, never markup
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar1->addWidget(panel);
    }
    setStatusBar(StatusBar1);
}

TMemoEditor& TForm1::Memo() {
    return *fMemo;
}

QString TForm1::PanelText(int panel) const {
    return (panel >= 0 && panel < 3) ? fPanelTexts[panel] : QString();
}

void TForm1::SetPanelText(int panel, const QString& text) {
    if (panel < 0 || panel >= 3) return;
    fPanelTexts[panel] = text;
    static_cast<TStatusPanel*>(fPanels[panel])->SetFullText(text);
}

void TForm1::FillIconCombo() {
    ComboBoxEx1->clear();
    for (int k = 1; k < fNodeImages->Count(); ++k)
        ComboBoxEx1->addItem(fNodeImages->Icon(k), QString::number(k));
    static_cast<TIconComboBox*>(ComboBoxEx1)->SetSelectedIcon(fNodeImages->Icon(0));
    ComboBoxEx1->setCurrentIndex(0);
}

void TForm1::UpdateEditActions() {
    const bool readOnly = fMemo->ReadOnly();
    const bool selected = fMemo->SelAvail();
    Action(QStringLiteral("EditCut1"))->setEnabled(!readOnly && selected);
    Action(QStringLiteral("EditCopy1"))->setEnabled(selected);
    Action(QStringLiteral("EditPaste1"))->setEnabled(fMemo->CanPaste());
    // Without a selection Delete removes the character at the caret, like the Del key.
    Action(QStringLiteral("EditDelete1"))->setEnabled(!readOnly);
    Action(QStringLiteral("EditUndo1"))->setEnabled(fMemo->CanUndo());
    Action(QStringLiteral("EditRedo1"))->setEnabled(fMemo->CanRedo());
}

QIcon TForm1::ToolbarGlyph(const QString& icon) const {
    return GlyphIcon(ToolbarIconPath(icon), QApplication::palette().color(QPalette::ButtonText),
                     fScale.Px(21));
}

bool TForm1::RunCommand(const std::function<void()>& command) {
    bool done = true;
    try {
        command();
    } catch (const EMarrowpadError& error) {
        TDialogService::Instance().ShowError(this, error.Message());
        done = false;
    }
    // Every command may have changed the notebook: the caption shows whether it is saved.
    setWindowModified(isModify);
    return done;
}

bool TForm1::event(QEvent* event) {
    // Long hints would hide the status panels; the panels keep the status bar to themselves.
    if (event->type() == QEvent::StatusTip) return true;
    return QMainWindow::event(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (TreeView1 && watched == TreeView1->viewport() &&
        event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !TreeView1->Dragging()) {
        // The view updates its selection on the press; the click acts on the release. The
        // release that ends a node drag is a drop, not a click.
        RunCommand([this] { TreeView1Click(); });
    }
    return QMainWindow::eventFilter(watched, event);
}
