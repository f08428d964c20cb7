#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>
#include <functional>
#include <memory>

#include "editor/CodeEditFontMetrics.h"
#include "editor/CodeEditGutter.h"
#include "editor/CodeEditModel.h"
#include "editor/CodeEditSelectedColor.h"

class QMimeData;
class TCustomExporter;
class TCustomHighlighter;
class TCodeEditPaintCache;

// The private clipboard format that carries the selection mode of a copy: one byte.
inline constexpr const char* kCodeEditModeMimeType = "application/x-marrowpad-codeedit-mode";

// The multi-line code editor. The widget is thin: key, mouse and input-method events become
// calls on the model below, which owns the lines, the caret, the selection and every command;
// painting reads the model through a const reference.
class TCustomCodeEdit : public QAbstractScrollArea, private TCodeEditView {
    Q_OBJECT
    // First: the event members below refer into it.
    TCodeEditModel fModel;

public:
    using TNotifyEvent = TCodeEditModel::TNotifyEvent;
    using TStatusChangeEvent = TCodeEditModel::TStatusChangeEvent;
    using TProcessCommandEvent = TCodeEditModel::TProcessCommandEvent;
    using THookedCommandEvent = TCodeEditModel::THookedCommandEvent;
    using TReplaceTextEvent = TCodeEditModel::TReplaceTextEvent;
    using TPaintTransientEvent = TCodeEditModel::TPaintTransientEvent;
    using TSpecialLineColorsEvent = TCodeEditModel::TSpecialLineColorsEvent;
    using TGutterGetTextEvent =
        std::function<void(TCustomCodeEdit* Sender, int Line, QString& Text)>;
    using TErrorEvent = std::function<void(TCustomCodeEdit* Sender, const QString& Message)>;

    explicit TCustomCodeEdit(QWidget* Parent = nullptr);
    ~TCustomCodeEdit() override;

    TCodeEditModel& Model() { return fModel; }
    const TCodeEditModel& Model() const { return fModel; }

    // --- text
    QString Text() const { return fModel.Text(); }
    void SetText(const QString& Value) { fModel.SetText(Value); }
    TCodeEditStringList& Lines() { return fModel.Lines(); }
    const TCodeEditStringList& Lines() const { return fModel.Lines(); }
    QString LineText() const { return fModel.LineText(); }
    void SetLineText(const QString& Value) { fModel.SetLineText(Value); }
    void Clear() { fModel.Clear(); }

    // --- caret
    TBufferCoord CaretXY() const { return fModel.CaretXY(); }
    void SetCaretXY(TBufferCoord Value) { fModel.SetCaretXY(Value); }
    int CaretX() const { return fModel.CaretXY().Char; }
    int CaretY() const { return fModel.CaretXY().Line; }
    void SetCaretX(int Value) { SetCaretXY({Value, CaretY()}); }
    void SetCaretY(int Value) { SetCaretXY({CaretX(), Value}); }
    int LastCaretX() const { return fModel.LastCaretX(); }
    // Where the caret shows: with word wrap a caret at a row boundary may show at the end of
    // the upper row.
    TDisplayCoord DisplayXY() const { return fModel.DisplayXY(); }
    bool CaretAtEndOfRow() const { return fModel.CaretAtEndOfRow(); }

    // --- selection
    TBufferCoord BlockBegin() const { return fModel.BlockBegin(); }  // the ordered ends
    TBufferCoord BlockEnd() const { return fModel.BlockEnd(); }
    void SetBlockBegin(TBufferCoord Value) { fModel.SetBlockBegin(Value); }
    void SetBlockEnd(TBufferCoord Value) { fModel.SetBlockEnd(Value); }
    void SetCaretAndSelection(TBufferCoord Caret, TBufferCoord BB, TBufferCoord BE) {
        fModel.SetCaretAndSelection(Caret, BB, BE);
    }
    bool SelAvail() const { return fModel.SelAvail(); }
    QString SelText() const { return fModel.SelText(); }
    void SetSelText(const QString& Value) { fModel.SetSelText(Value); }
    TSelectionMode SelectionMode() const { return fModel.SelectionMode(); }
    void SetSelectionMode(TSelectionMode Value) { fModel.SetSelectionMode(Value); }
    TSelectionMode ActiveSelectionMode() const { return fModel.ActiveSelectionMode(); }
    void SetActiveSelectionMode(TSelectionMode Value) { fModel.SetActiveSelectionMode(Value); }
    void SelectAll() { fModel.SelectAll(); }
    void InsertBlock(TBufferCoord BB, TBufferCoord BE, const QString& Value, bool AddToUndoList) {
        fModel.InsertBlock(BB, BE, Value, AddToUndoList);
    }
    QString GetWordAtRowCol(TBufferCoord XY) const { return fModel.GetWordAtRowCol(XY); }
    bool IsWordBreakChar(QChar C) const { return fModel.IsWordBreakChar(C); }
    bool IsIdentChar(QChar C) const { return fModel.IsIdentChar(C); }

    // --- properties
    bool InsertMode() const { return fModel.InsertMode(); }
    void SetInsertMode(bool Value) { fModel.SetInsertMode(Value); }
    bool ReadOnly() const { return fModel.ReadOnly(); }
    void SetReadOnly(bool Value) { fModel.SetReadOnly(Value); }
    bool WantTabs() const { return fModel.WantTabs(); }
    void SetWantTabs(bool Value) { fModel.SetWantTabs(Value); }
    bool WantReturns() const { return fModel.WantReturns(); }
    void SetWantReturns(bool Value) { fModel.SetWantReturns(Value); }
    int TabWidth() const { return fModel.TabWidth(); }
    void SetTabWidth(int Value) { fModel.SetTabWidth(Value); }
    TCodeEditorOptions Options() const { return fModel.Options(); }
    void SetOptions(TCodeEditorOptions Value) { fModel.SetOptions(Value); }
    bool Modified() const { return fModel.Modified(); }
    void SetModified(bool Value) { fModel.SetModified(Value); }
    int MaxUndo() const { return fModel.MaxUndo(); }
    void SetMaxUndo(int Value) { fModel.SetMaxUndo(Value); }

    // --- undo and redo
    void Undo() { fModel.Undo(); }
    void Redo() { fModel.Redo(); }
    bool CanUndo() const { return fModel.CanUndo(); }
    bool CanRedo() const { return fModel.CanRedo(); }
    void ClearUndo() { fModel.ClearUndo(); }
    void BeginUndoBlock() { fModel.BeginUndoBlock(); }
    void EndUndoBlock() { fModel.EndUndoBlock(); }
    void LockUndo() { fModel.LockUndo(); }
    void UnlockUndo() { fModel.UnlockUndo(); }
    TCodeEditUndoList& UndoList() { return fModel.UndoList(); }
    TCodeEditUndoList& RedoList() { return fModel.RedoList(); }

    // --- commands and keys
    void CommandProcessor(TCodeEditorCommand Command, QChar AChar = QChar(), void* Data = nullptr) {
        fModel.CommandProcessor(Command, AChar, Data);
    }
    void ExecuteCommand(TCodeEditorCommand Command, QChar AChar = QChar(), void* Data = nullptr) {
        fModel.ExecuteCommand(Command, AChar, Data);
    }
    TCodeEditKeyStrokes& Keystrokes() { return fModel.Keystrokes(); }
    int RegisterCommandHandler(THookedCommandEvent Handler, void* HandlerData = nullptr) {
        return fModel.RegisterCommandHandler(std::move(Handler), HandlerData);
    }
    void UnregisterCommandHandler(int Id) { fModel.UnregisterCommandHandler(Id); }
    // Runs one keystroke through the binding table, as a key press would; returns the command
    // it ran (ecNone when the key starts a sequence or has no binding).
    TCodeEditorCommand ProcessKey(quint16 Key, TShiftState Shift) {
        return fModel.ProcessKey(Key, Shift);
    }

    // --- clipboard
    void CopyToClipboard() { fModel.CopyToClipboard(); }
    void CutToClipboard() { fModel.CutToClipboard(); }
    void PasteFromClipboard() { fModel.PasteFromClipboard(); }
    bool CanPaste() const { return fModel.CanPaste(); }
    // The selected text and the mode byte: what the primary selection and a drag carry.
    QMimeData* CreateSelectionMimeData() const;
    // What a copy puts on the clipboard: the same, and with a highlighter attached the
    // selection as HTML (text/html), made once, here.
    QMimeData* CreateClipboardMimeData() const;
    // The selection as the HTML document a copy offers; empty for an empty range.
    QByteArray SelectionAsHTML() const;
    // Sets an exporter up to write text as the editor shows it: its palette, font and
    // colours, with backgrounds, and its highlighter.
    void ConfigureExporter(TCustomExporter& Exporter) const;

    // --- search
    TCodeEditSearchCustom* SearchEngine() const { return fModel.SearchEngine(); }
    void SetSearchEngine(TCodeEditSearchCustom* Value) { fModel.SetSearchEngine(Value); }
    int SearchReplace(const QString& ASearch, const QString& AReplace, TSearchOptions AOptions) {
        return fModel.SearchReplace(ASearch, AReplace, AOptions);
    }

    // --- view; TopLine is the first visible display row
    int TopLine() const { return fModel.TopLine(); }
    void SetTopLine(int Value) { fModel.SetTopLine(Value); }
    int LeftChar() const { return fModel.LeftChar(); }
    void SetLeftChar(int Value) { fModel.SetLeftChar(Value); }
    int LinesInWindow() const { return fModel.LinesInWindow(); }
    int CharsInWindow() const { return fModel.CharsInWindow(); }
    int CharWidth() const { return fModel.CharWidth(); }
    int TextHeight() const { return fModel.TextHeight(); }
    int TextAscent() const { return fModel.TextAscent(); }
    // Display rows: the line count without word wrap, the wrapped rows with it.
    int DisplayLineCount() const { return fModel.DisplayLineCount(); }
    TDisplayCoord BufferToDisplayPos(TBufferCoord P) const { return fModel.BufferToDisplayPos(P); }
    TBufferCoord DisplayToBufferPos(TDisplayCoord P) const { return fModel.DisplayToBufferPos(P); }
    int LineToRow(int Line) const { return fModel.LineToRow(Line); }
    int RowToLine(int Row) const { return fModel.RowToLine(Row); }
    qsizetype RowColToCharIndex(TBufferCoord P) const { return fModel.RowColToCharIndex(P); }
    TCodeEditMetrics& Metrics() { return fModel.Metrics(); }
    void SetMetrics(std::unique_ptr<TCodeEditMetrics> Value);
    int GutterWidth() const { return fGutterWidth; }
    int TextOffset() const { return fGutterWidth + 2; }  // x of the first text pixel
    TBufferCoord PixelsToBufferPos(QPoint P) const;
    // The viewport rectangle of a display row (text and gutter).
    QRect RowRect(int Row) const;
    QString PreeditText() const { return fPreedit; }
    // Whether the caret is in the visible phase of its blink.
    bool CaretBlinkOn() const { return fCaretVisible; }
    // Where a drag over the editor would drop, or null.
    const TBufferCoord* DropCaret() const { return fDropCaretShown ? &fDropCaret : nullptr; }

    // --- word wrap
    bool WordWrap() const { return fModel.WordWrap(); }
    void SetWordWrap(bool Value) { fModel.SetWordWrap(Value); }
    const TWordWrapPlugin* WordWrapPlugin() const { return fModel.WordWrapPlugin(); }

    // --- appearance; colours are 0x00BBGGRR, system colours or kColorNone
    TGutter& Gutter() { return fGutter; }
    const TGutter& Gutter() const { return fGutter; }
    TSelectedColor& SelectedColor() { return fSelectedColor; }
    const TSelectedColor& SelectedColor() const { return fSelectedColor; }
    quint32 Color() const { return fColor; }  // the text background
    void SetColor(quint32 Value);
    quint32 FontColor() const { return fFontColor; }
    void SetFontColor(quint32 Value);
    quint32 ActiveLineColor() const { return fActiveLineColor; }  // kColorNone: off
    void SetActiveLineColor(quint32 Value);
    int RightEdge() const { return fRightEdge; }  // 0: none
    void SetRightEdge(int Value);
    quint32 RightEdgeColor() const { return fRightEdgeColor; }
    void SetRightEdgeColor(quint32 Value);
    // Repaints everything, or the rows of buffer lines First..Last (1-based) with their gutter.
    void Invalidate();
    void InvalidateLines(int First, int Last) override;

    // --- highlighter: not owned; detach it (set null) before it goes away
    TCustomHighlighter* Highlighter() const { return fModel.Highlighter(); }
    void SetHighlighter(TCustomHighlighter* Value) { fModel.SetHighlighter(Value); }
    // Scans the ranges of every line again, from the first.
    void ScanAllRanges() { fModel.ScanAllRanges(); }

    // The paint lock: status changes and OnChange made inside are reported once, when the
    // outermost lock ends.
    void BeginUpdate() { fModel.BeginUpdate(); }
    void EndUpdate() { fModel.EndUpdate(); }

    // --- events; those of the model are the model's own members
    TNotifyEvent& OnChange = fModel.OnChange;
    TStatusChangeEvent& OnStatusChange = fModel.OnStatusChange;
    TProcessCommandEvent& OnProcessCommand = fModel.OnProcessCommand;
    TProcessCommandEvent& OnCommandProcessed = fModel.OnCommandProcessed;
    TReplaceTextEvent& OnReplaceText = fModel.OnReplaceText;
    TPaintTransientEvent& OnPaintTransient = fModel.OnPaintTransient;
    TSpecialLineColorsEvent& OnSpecialLineColors = fModel.OnSpecialLineColors;
    TGutterGetTextEvent OnGutterGetText;
    // An error a key, mouse, input-method or drop event ran into. Unset, the error shows in a
    // message box.
    TErrorEvent OnError;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

    // Puts dropped text at Pos; Move takes it from the selection, as a drag within the editor.
    void DropText(const QMimeData* Data, TBufferCoord Pos, bool Move);

private:
    using TPaintLock = TCodeEditModel::TPaintLock;

    // TCodeEditView
    QSize TextAreaSize() const override;
    void InvalidateAll() override { Invalidate(); }
    void CaretOrSelectionChanged() override { InvalidateCaretAndSelection(); }
    void CaretMoved() override { fCaretVisible = true; }
    void UpdateScrollBars() override;
    void LineCountChanged(int Count) override;
    void SelectionChanged() override { QueuePrimarySelection(); }
    void FontOrCellChanged() override;
    void HighlighterStylesChanged(quint8 StyleVariants) override;
    void SetClipboard(const QString& Text, TSelectionMode Mode) override;
    bool ClipboardText(QString* Text, TSelectionMode& Mode) const override;

    // Runs an event handler's work; an error it runs into is reported, not passed on to Qt's
    // event loop, and the editor stays usable.
    template <class F>
    void RunGuarded(F&& Work);
    void ReportError(const QString& Message);

    // CodeEditView.cpp: scrolling, gutter width, repainting
    void GutterChanged();
    void InvalidateRows(int FirstRow, int LastRow);
    void InvalidateCaretAndSelection();

    // CodeEditClipboard.cpp
    static TSelectionMode ModeOf(const QMimeData* Data, TSelectionMode Default);
    void CopyToPrimarySelection();
    void QueuePrimarySelection();

    // CodeEditInput.cpp
    void KeyPress(QKeyEvent* e);
    void InputMethod(QInputMethodEvent* e);

    // CodeEditMouse.cpp
    TBufferCoord PixelsToBufferPosEOR(QPoint P, bool& AtEndOfRow) const;
    bool IsPointInSelection(TBufferCoord P) const;
    void StartTextDrag();
    void MouseSelectTo(QPoint P);
    void SetDropCaret(const TBufferCoord* Pos);

    TFontCodeEditMetrics* fFontMetrics = nullptr;  // the model's metrics when measured by font
    bool fViewAttached = false;  // the model reports to us: set once construction is done
    bool fUpdatingScrollBars = false;
    bool fLongestQueued = false;

    QString fPreedit;
    bool fMouseSelecting = false;
    bool fMouseWordSelecting = false;
    bool fDragPending = false;  // pressed in the selection: a drag may start
    bool fDropHandled = false;  // our own drag was dropped on us and moved already
    QPoint fMouseDownPos;
    QPoint fLastMousePos;
    QBasicTimer fScrollTimer;  // scrolls while a drag-select is outside the text
    bool fDropCaretShown = false;
    TBufferCoord fDropCaret;
    bool fPrimaryQueued = false;
    bool fCaretVisible = true;
    int fCaretTimer = 0;

    // What the last paint showed of caret and selection, so a change repaints its rows only.
    struct TShownState {
        TBufferCoord Caret;
        TBufferCoord BlockBegin;
        TBufferCoord BlockEnd;
        TSelectionMode Mode = smNormal;
        bool SelAvail = false;
        bool EOR = false;
        bool InsertMode = true;
    } fShown;

    TGutter fGutter;
    int fGutterWidth = 0;
    bool fInGutterChange = false;
    TSelectedColor fSelectedColor;
    quint32 fColor = 0xFF000005;      // window
    quint32 fFontColor = 0xFF000008;  // window text
    quint32 fActiveLineColor = kColorNone;
    int fRightEdge = 80;
    quint32 fRightEdgeColor = 0xC0C0C0;
    std::unique_ptr<TCodeEditPaintCache> fPaintCache;
};

template <class F>
void TCustomCodeEdit::RunGuarded(F&& Work) {
    try {
        Work();
    } catch (const EMarrowpadError& error) {
        // The paint lock and the undo blocks of the failed command were let go on the way out.
        ReportError(error.Message());
    }
}

// The editor as placed on a window.
class TCodeEdit : public TCustomCodeEdit {
    Q_OBJECT
public:
    using TCustomCodeEdit::TCustomCodeEdit;
};
