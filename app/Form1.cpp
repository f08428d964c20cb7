#include "app/Form1.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QSplitter>
#include <QStatusBar>
#include <QSvgRenderer>
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
#include "settings/ExIniFileQt.h"
#include "settings/Form2.h"

namespace {
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
    // A failed editor command is reported as the window's own commands report theirs.
    Editor().OnError = [this](TCustomCodeEdit*, const QString& message) {
        TDialogService::Instance().ShowError(this, message);
        setWindowModified(isModify);
    };
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
