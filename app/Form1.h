#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "app/Notebook.h"
#include "editor/CodeEditTypes.h"
#include "platform/WindowScale.h"
#include "settings/AppSettings.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolBar;
class QToolButton;
class TMemoEditor;
class TCodeEditMemo;
class TNodeImageList;
class TNotebookModel;
class TNotebookTreeView;
class TFindDialog;
class TReplaceDialog;
class TCodeEdit;
class TCustomHighlighter;
class TSearchPanel;
struct TSearchHit;
struct TSearchSnippet;
class TExIniFileQt;
class TForm2;

// The main window: the toolbar, the snippet tree on the left, the editor pane on the right
// and the three-panel status bar. It owns the notebook, the current snippet `tn` and the
// document state. Its commands are split over several files by concern.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Creating the window runs the start-up: `firstArgument` is the first command-line
    // argument (empty when there is none). `settingsFile` names the settings file; empty
    // means the program's own (beside the executable, else in the user's folder).
    explicit TForm1(const QString& firstArgument = QString(),
                    const QString& settingsFile = QString(), QWidget* parent = nullptr);
    ~TForm1() override;

    static constexpr const char* kNewFileName = "新規ファイル.mrp";

    // Document state, read by tests and by the commands of later subsystems.
    TNotebook& Notebook() { return fNotebook; }
    TNotebookNode* tn = nullptr;  // the current snippet: the one the editor shows
    bool isModify = false;        // structural changes not yet saved
    QString CurrentFile;

    TMemoEditor& Memo();
    // The code editor behind Memo, for the commands that work on its caret and selection.
    TCodeEdit& Editor();
    TNotebookTreeView* TreeView1 = nullptr;
    TNotebookModel* TreeModel() const { return fTreeModel; }
    const TNodeImageList& NodeImageList1() const { return *fNodeImages; }
    QStatusBar* StatusBar1 = nullptr;
    QComboBox* ComboBoxEx1 = nullptr;
    QToolButton* ReSetImageBtn = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QMenu* EditorPopupMenu = nullptr;
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString& text);

    // Document commands.
    void NewCmdExecute();
    void OpenFileCmdExecute();
    void SaveOverWriteCmdExecute();
    void SaveNameCmdExecute();
    void ExportTextCmdExecute();
    void ExportHtmlCmdExecute();

    // The notebook and the editor.
    void Commit();
    void TreeView1Click();
    void MemoChange();
    void SaveNotebook(const QString& fileName);
    void LoadNotebook(const QString& fileName);

    // Tree editing commands.
    void AddBtnClick();
    void BtnInsertClick();
    void BtnChildClick();
    void BtnDeleteClick();
    void BtnUpClick();
    void BtnDownClick();
    void BtnLeftClick();
    void BtnRightClick();
    void TreeView1DragDrop(TNotebookNode* target);
    void TreeExpandCmdExecute();
    void TreeCollapseCmdExecute();
    void ImageReSetCmdExecute();
    TNotebookNode* FindNextSameLevel(TNotebookNode* node) const;
    TNotebookNode* FindPrevSameLevel(TNotebookNode* node) const;
    bool IsParentNode(TNotebookNode* node) const;
    // Whether tree nodes can be dragged to move them.
    void SetDragMode(bool allowed);

    // Title search.
    void SearchTitleCmdExecute();
    void FindDialog2Find();
    QString SearchTitle;
    int SearchIndex = 0;
    TFindDialog* FindDialog2 = nullptr;

    // Full-text search across the notebook, in a panel below the editor.
    void FullTextSearchCmdExecute();
    void FullTextNextCmdExecute();  // F4
    void FullTextPrevCmdExecute();  // Shift+F4
    // Makes the hit's snippet current, as a click in the tree does, and selects the hit.
    void OpenSearchHit(const TSearchSnippet& snippet, const TSearchHit& hit);
    void CloseSearchPanel();
    // The panel's height, kept in the settings file.
    int SearchPanelHeight() const;
    void SetSearchPanelHeight(int height);
    TSearchPanel* SearchPanel1 = nullptr;
    QSplitter* Splitter2 = nullptr;  // the editor above the search panel

    // Text search and replace in the editor.
    void SearchFindCmdExecute();
    void FindDialog1Find();
    void SearchFindNextCmdExecute();
    void SearchReplaceCmdExecute();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace();
    TSearchOptions Opts;  // options of the last search or replace issued from a dialog
    QString Findst;       // find text of the last search from a dialog's find button
    TFindDialog* FindDialog1 = nullptr;
    TReplaceDialog* ReplaceDialog1 = nullptr;

    // The editor pane: selection modes, indent, insert date and the title line.
    void NormalModeExecute();
    void ColumnModeExecute();
    void LineModeExecute();
    void IndentCmdExecute();
    void UnIndentCmdExecute();
    void InsertDateExecute();
    void Splitter1Moved();
    // The title line (line 1) is painted in the title colours.
    void MemoSpecialLineColors(int Line, bool& Special, quint32& FG, quint32& BG) const;

    // Highlighters and token colours. Every language of the highlighter registry has its
    // highlighter for the whole run, in the slot of its choice; slot 0 (plain text) stays
    // empty.
    static constexpr int kHighlighterSlots = 8;  // 0 plain text, 1..7 the languages
    TCustomHighlighter* HighlighterOfChoice(int choice) const;
    // Attaches the highlighter of a choice (none for 0); any other value changes nothing.
    void SetHighlighterChoice(int choice);
    void SetDarkSynFonts();
    void SetLightSynFonts();
    void ApplySynFonts();

    // Preferences: the settings object, its file, the settings dialog and the window scale.
    TAppSettings& Settings() { return *fSettings; }
    TExIniFileQt& IniFile() { return *fIniFile; }
    TForm2* Form2 = nullptr;
    void LoadSettings();
    void SaveSettings();
    void SetCmdExecute();
    void SetUpBtnClick();
    void ApplyMemoSettings();
    // Makes the named style active and colours the editor from it; an unknown name shows the
    // error box and keeps the current style.
    void SelectStyle(const QString& name);
    // Lays the window out again for ppi pixels per inch (96 is 100 %).
    void ScaleForPPI(int ppi);
    const TWindowScale& Scale() const { return fScale; }

    // Every command runs through here: an error ends the command and is shown in the
    // error box. Returns false when the command failed.
    bool RunCommand(const std::function<void()>& command);

    // Enables the Edit menu's commands by what the editor can do now.
    void UpdateEditActions();

    // The action named `name` (for example "NewCmd"), for menus, tests and later commands.
    QAction* Action(const QString& name) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateBody();
    void CreateStatusBar();
    QAction* AddAction(const QString& name, const QString& caption, const QString& hint = QString(),
                       const QKeySequence& shortcut = QKeySequence());
    QToolButton* AddToolButton(const QString& name, const QString& hint, const QString& icon,
                               QAction* action);
    void FillIconCombo();
    void CreateHighlighters();
    void CreateSearchDialogs();
    void CreateSearchPanel();
    // Runs one search of the editor text and reports a miss in the search-status panel.
    int SearchEditor(const QString& text, const QString& replacement, TSearchOptions options);
    void CreateTokenFonts();
    void StartUp(const QString& firstArgument);
    void ReleaseRecords();
    void OpenNotebookFile(const QString& fileName);
    void ShowNewNotebook();
    // The window's own replacements of the editor text: they are not edits of the notebook.
    void ReplaceEditorText(const QString& text);
    void ClearEditor();
    void ShowFileName(const QString& path);
    void SaveIfModified();
    enum class TNewSnippetPlace { AfterCurrent, BeforeCurrent };
    void AddSnippet(TNewSnippetPlace place);
    void MoveNode(TNotebookNode* node, TNotebookNode* destination, TNodeAttachMode mode);
    void CollapseSubtree(TNotebookNode* node);
    void SelectNode(TNotebookNode* node);
    // Settings and scaling.
    void OpenSettingsFile(const QString& settingsFile);
    void ApplyStyleColors();
    void RefreshStyledParts();
    void ApplyScaledSizes();
    void ApplyMemoFont();
    void CaptureLayout();
    void PlaceWindow();
    QIcon ToolbarGlyph(const QString& icon) const;

    std::unique_ptr<TAppSettings> fSettings;
    std::unique_ptr<TExIniFileQt> fIniFile;
    TWindowScale fScale;
    QFont fDesignFont;        // the window's font at 100 %
    QFont fGutterDesignFont;  // the gutter's font at 100 %
    int fGutterDesignWidth = 0;
    int fGutterDesignLeftOffset = 0;
    TNotebook fNotebook;
    std::unique_ptr<TNodeImageList> fNodeImages;
    std::unique_ptr<TCodeEditMemo> fMemo;
    TNotebookModel* fTreeModel = nullptr;
    QLabel* fPanels[3] = {nullptr, nullptr, nullptr};
    QString fPanelTexts[3];  // whole texts; the labels may show them shortened
    QActionGroup* fSelectionModeGroup = nullptr;
    int fSearchPanelHeight = 200;
    bool fReplacingEditorText = false;
    // The notebook holds what was read of a damaged file; only Save As may write it.
    bool fRescued = false;
    std::unique_ptr<TCustomHighlighter> fHighlighters[kHighlighterSlots];
};
