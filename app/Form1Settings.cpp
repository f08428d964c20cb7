// The window's preferences: reading and writing the settings file, the visual style and the
// settings dialog.
#include <QApplication>
#include <QToolBar>
#include <QToolButton>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/Form1Messages.h"
#include "app/NotebookTreeView.h"
#include "editor/CodeEdit.h"
#include "platform/DialogService.h"
#include "platform/PaletteColors.h"
#include "platform/SystemColors.h"
#include "platform/VisualStyles.h"
#include "settings/ExIniFileQt.h"
#include "settings/Form2.h"

namespace {

quint32 SystemColor(quint32 color) {
    return QColorToColor(ColorToQColor(color, QApplication::palette()));
}

constexpr quint32 kWindowColor = 0xFF000005;
constexpr quint32 kWindowTextColor = 0xFF000008;
constexpr quint32 kButtonFaceColor = 0xFF00000F;

void SetAutoIndent(TCodeEdit& edit, bool on) {
    TCodeEditorOptions options = edit.Options();
    options.setFlag(eoAutoIndent, on);
    edit.SetOptions(options);
}

}  // namespace

void TForm1::OpenSettingsFile(const QString& settingsFile) {
    fIniFile = std::make_unique<TExIniFileQt>();
    // A file that cannot be read leaves the defaults; the error box says why.
    RunCommand([this, &settingsFile] {
        if (settingsFile.isEmpty())
            fIniFile->Loaded();
        else
            fIniFile->SetFileName(settingsFile);
    });
}

void TForm1::LoadSettings() {
    TAppSettings& s = *fSettings;
    TCodeEdit& edit = Editor();
    QStringList errors;
    s.Read(*fIniFile, errors);
    SelectStyle(s.StyleName);
    edit.SetWordWrap(s.isWordWrap);
    s.isWordWrap = edit.WordWrap();
    edit.Gutter().SetVisible(s.isGutter);
    s.isGutter = edit.Gutter().Visible();
    edit.Gutter().SetShowLineNumbers(s.isShowLineNumber);
    s.isShowLineNumber = edit.Gutter().ShowLineNumbers();
    edit.SetTabWidth(s.TabWidth);
    s.TabWidth = edit.TabWidth();
    SetAutoIndent(edit, s.isIndent);
    SetDragMode(s.isDragMode);
    // The tree width and the fonts are applied with the scale.
    ScaleForPPI(s.ScaleValue);
    s.ScaleValue = fScale.Ppi();
    SetSearchPanelHeight(fScale.Px(s.SearchPanelHeight));
    if (!errors.isEmpty()) {
        errors.removeDuplicates();
        TDialogService::Instance().ShowError(this, errors.join(u'\n'));
    }
}

void TForm1::SaveSettings() {
    TAppSettings& s = *fSettings;
    const TCodeEdit& edit = Editor();
    CaptureLayout();
    s.isWordWrap = edit.WordWrap();
    s.isGutter = edit.Gutter().Visible();
    s.isShowLineNumber = edit.Gutter().ShowLineNumbers();
    s.TabWidth = edit.TabWidth();
    // The editor's font, at the size it has at 100 %, in the style's text colour.
    s.MemoFont.Font.setFamily(edit.font().family());
    SetFontStyleBits(s.MemoFont.Font, FontStyleBits(edit.font()));
    s.MemoFont.Color = edit.FontColor();
    s.Write(*fIniFile, VisualStyles::ActiveStyleName());
}

void TForm1::SelectStyle(const QString& name) {
    if (!VisualStyles::SetActiveStyle(name)) {
        TDialogService::Instance().ShowError(this, Form1Messages::StyleNotFound().arg(name));
    }
    RefreshStyledParts();
    ApplyStyleColors();
}

void TForm1::ApplyStyleColors() {
    TCodeEdit& edit = Editor();
    edit.SetColor(SystemColor(kWindowColor));
    edit.SetFontColor(SystemColor(kWindowTextColor));
    edit.Gutter().SetColor(SystemColor(kButtonFaceColor));
    edit.Gutter().SetFontColor(SystemColor(kWindowTextColor));
    edit.Invalidate();
}

// What keeps colours of its own across a change of style: the toolbar glyphs and the tree's
// selection, which stays visible while the editor has the focus.
void TForm1::RefreshStyledParts() {
    for (QToolButton* button : ToolBar1->findChildren<QToolButton*>()) {
        const QString glyph = button->property("glyph").toString();
        if (!glyph.isEmpty()) button->setIcon(ToolbarGlyph(glyph));
    }
    QPalette palette = QApplication::palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight,
                     palette.brush(QPalette::Active, QPalette::Highlight));
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                     palette.brush(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(palette);
}

void TForm1::SetUpBtnClick() {
    SetCmdExecute();
}

void TForm1::SetCmdExecute() {
    TAppSettings& s = *fSettings;
    s.isDPIChange = false;
    TDialogService::Instance().ExecModal(*Form2);
    ApplyMemoSettings();
    SelectStyle(Form2->SelectedStyleName());
    SetDragMode(s.isDragMode);
    SetHighlighterChoice(s.SelectSynNumber);
    if (s.isDPIChange) {
        const int ppi = Form2->SelectedScalePpi();
        if (ppi > 0) {
            ScaleForPPI(ppi);
            s.ScaleValue = ppi;
        }
    }
    if (s.isDark)
        SetDarkSynFonts();
    else
        SetLightSynFonts();
    ApplySynFonts();
}

void TForm1::ApplyMemoSettings() {
    const TAppSettings& s = *fSettings;
    TCodeEdit& edit = Editor();
    edit.Gutter().SetShowLineNumbers(s.isShowLineNumber);
    edit.Gutter().SetVisible(s.isGutter);
    edit.SetWordWrap(s.isWordWrap);
    edit.SetTabWidth(s.TabWidth);
    SetAutoIndent(edit, s.isIndent);
    ApplyMemoFont();
}
