// Window scaling and placement: every pixel size the window lays out is set here, from its
// size at 96 pixels per inch.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/NotebookTreeView.h"
#include "app/StatusPanel.h"
#include "editor/CodeEdit.h"

namespace {

// The window's fixed sizes at 100 %.
constexpr int kToolBarHeight = 38;
constexpr int kGlyphSize = 21;
constexpr int kIconComboWidth = 73;
constexpr int kNodeIconSize = 16;
constexpr int kTreeIndent = 19;
constexpr int kPanelWidth = 200;

QFont ScaledFont(QFont font, qreal designPoints, const TWindowScale& scale) {
    if (designPoints > 0) font.setPointSizeF(scale.Points(designPoints));
    return font;
}

}  // namespace

void TForm1::ScaleForPPI(int ppi) {
    // What the user has resized so far is kept, in its size at 100 %; before the window is
    // shown, the start-up places it once the settings are read.
    const bool shown = isVisible();
    if (shown) CaptureLayout();
    fScale = TWindowScale(ppi);
    ApplyScaledSizes();
    if (shown) resize(fScale.Px(fSettings->FWidth), fScale.Px(fSettings->FHeight));
}

void TForm1::ApplyScaledSizes() {
    const QFont windowFont = ScaledFont(fDesignFont, fDesignFont.pointSizeF(), fScale);
    setFont(windowFont);
    // Menus are windows of their own and do not take the window's font by themselves.
    for (QMenu* menu : findChildren<QMenu*>())
        menu->setFont(windowFont);
    ToolBar1->setFixedHeight(fScale.Px(kToolBarHeight));
    ToolBar1->setIconSize(QSize(fScale.Px(kGlyphSize), fScale.Px(kGlyphSize)));
    ComboBoxEx1->setFixedWidth(fScale.Px(kIconComboWidth));
    ComboBoxEx1->setIconSize(QSize(fScale.Px(kNodeIconSize), fScale.Px(kNodeIconSize)));
    RefreshStyledParts();
    TreeView1->setIconSize(QSize(fScale.Px(kNodeIconSize), fScale.Px(kNodeIconSize)));
    TreeView1->setIndentation(fScale.Px(kTreeIndent));
    for (QLabel* panel : fPanels)
        static_cast<TStatusPanel*>(panel)->SetPanelWidth(fScale.Px(kPanelWidth));
    ApplyMemoFont();
    const int tree = fScale.Px(fSettings->TreeWidth);
    Splitter1->setSizes({tree, std::max(width() - tree, tree)});
}

void TForm1::ApplyMemoFont() {
    const qreal points = fSettings->MemoFont.Font.pointSize();
    QFont editorFont = Editor().font();
    editorFont.setFamily(fSettings->MemoFont.Font.family());
    Editor().setFont(ScaledFont(editorFont, points, fScale));
    TGutter& gutter = Editor().Gutter();
    gutter.SetFont(ScaledFont(fGutterDesignFont, fGutterDesignFont.pointSizeF(), fScale));
    gutter.SetWidth(fScale.Px(fGutterDesignWidth));
    gutter.SetLeftOffset(fScale.Px(fGutterDesignLeftOffset));
    TreeView1->setFont(ScaledFont(font(), points, fScale));
}

// Takes the window's bounds and the tree's width as they are shown, back to 100 %.
void TForm1::CaptureLayout() {
    TAppSettings& s = *fSettings;
    const bool restored = !(isMaximized() || isMinimized() || isFullScreen());
    const QRect frame = restored ? QRect(pos(), size()) : normalGeometry();
    s.FLeft = frame.x();
    s.FTop = frame.y();
    s.FWidth = fScale.Unscale(frame.width(), s.FWidth);
    s.FHeight = fScale.Unscale(frame.height(), s.FHeight);
    const QList<int> sizes = Splitter1->sizes();
    if (isVisible() && !sizes.isEmpty() && sizes[0] > 0)
        s.TreeWidth = fScale.Unscale(sizes[0], s.TreeWidth);
    s.SearchPanelHeight = fScale.Unscale(SearchPanelHeight(), s.SearchPanelHeight);
}

void TForm1::PlaceWindow() {
    const TAppSettings& s = *fSettings;
    QRect bounds(s.FLeft, s.FTop, std::max(fScale.Px(s.FWidth), 1),
                 std::max(fScale.Px(s.FHeight), 1));
    bool onScreen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(bounds);
    // A window no screen shows (a screen was unplugged, or a hand-edited file) comes back onto
    // the primary screen, at a size that fits it.
    if (!onScreen && QGuiApplication::primaryScreen()) {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        bounds.setSize(bounds.size().boundedTo(area.size()));
        bounds.moveCenter(area.center());
    }
    move(bounds.topLeft());
    resize(bounds.size());
    const int tree = fScale.Px(s.TreeWidth);
    Splitter1->setSizes({tree, std::max(bounds.width() - tree, tree)});
}
