#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFlags>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "editor/CodeEditGutter.h"
#include "editor/CodeEditKeyCmds.h"
#include "editor/CodeEditMetrics.h"
#include "editor/CodeEditSearch.h"
#include "editor/CodeEditSelectedColor.h"
#include "editor/CodeEditTextBuffer.h"
#include "editor/CodeEditTypes.h"
#include "editor/CodeEditUndo.h"
#include "editor/CodeEditWordWrap.h"

class QMimeData;
class TCustomExporter;
class TCustomHighlighter;
class TCodeEditPaintCache;

// Bit n of the set is the option with ordinal n.
enum TCodeEditorOption : quint32 {
    eoAltSetsColumnMode = 1u << 0,
    eoAutoIndent = 1u << 1,
    eoDisableScrollArrows = 1u << 2,
    eoDragDropEditing = 1u << 3,
    eoDropFiles = 1u << 4,
    eoEnhanceHomeKey = 1u << 5,
    eoEnhanceEndKey = 1u << 6,
    eoGroupUndo = 1u << 7,
    eoHalfPageScroll = 1u << 8,
    eoHideShowScrollbars = 1u << 9,
    eoKeepCaretX = 1u << 10,
    eoNoCaret = 1u << 11,
    eoNoSelection = 1u << 12,
    eoRightMouseMovesCursor = 1u << 13,
    eoScrollByOneLess = 1u << 14,
    eoScrollHintFollows = 1u << 15,
    eoScrollPastEof = 1u << 16,
    eoScrollPastEol = 1u << 17,
    eoShowScrollHint = 1u << 18,
    eoShowSpecialChars = 1u << 19,
    eoSmartTabDelete = 1u << 20,
    eoSmartTabs = 1u << 21,
    eoSpecialLineDefaultFg = 1u << 22,
    eoTabIndent = 1u << 23,
    eoTabsToSpaces = 1u << 24,
    eoTrimTrailingSpaces = 1u << 25,
    eoShowLigatures = 1u << 26,
};
Q_DECLARE_FLAGS(TCodeEditorOptions, TCodeEditorOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TCodeEditorOptions)

inline constexpr TCodeEditorOptions kDefaultCodeEditorOptions = TCodeEditorOptions(
    eoAutoIndent | eoDragDropEditing | eoEnhanceEndKey | eoGroupUndo | eoScrollPastEol |
    eoShowScrollHint | eoSmartTabDelete | eoSmartTabs | eoTabsToSpaces);

// The names of the options, in bit order ("eoAltSetsColumnMode", ...).
const char* CodeEditorOptionName(int Bit);
inline constexpr int kCodeEditorOptionCount = 27;

enum TStatusChange : quint16 {
    scAll = 1u << 0,
    scCaretX = 1u << 1,
    scCaretY = 1u << 2,
    scLeftChar = 1u << 3,
    scInsertMode = 1u << 4,
    scModified = 1u << 5,
    scSelection = 1u << 6,
    scReadOnly = 1u << 7,
};
Q_DECLARE_FLAGS(TStatusChanges, TStatusChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(TStatusChanges)

enum TTransientType : quint8 { ttBefore, ttAfter };

// The private clipboard format that carries the selection mode of a copy: one byte.
inline constexpr const char* kCodeEditModeMimeType = "application/x-marrowpad-codeedit-mode";

// The multi-line code editor. The widget is thin: key and mouse events become editor
// commands, and the commands work on the line store, the caret and the selection, which
// belong to the model below; painting only reads them.
class TCustomCodeEdit : public QAbstractScrollArea {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TCustomCodeEdit* Sender)>;
    using TStatusChangeEvent = std::function<void(TCustomCodeEdit* Sender, TStatusChanges)>;
    using TProcessCommandEvent = std::function<void(
        TCustomCodeEdit* Sender, TCodeEditorCommand& Command, QChar& AChar, void* Data)>;
    using THookedCommandEvent = std::function<void(TCustomCodeEdit* Sender, bool AfterProcessing,
                                                   bool& Handled, TCodeEditorCommand& Command,
                                                   QChar& AChar, void* Data, void* HandlerData)>;
    using TReplaceTextEvent =
        std::function<void(TCustomCodeEdit* Sender, const QString& ASearch, const QString& AReplace,
                           int Line, int Column, TReplaceAction& Action)>;
    using TPaintTransientEvent = std::function<void(TCustomCodeEdit* Sender, TTransientType)>;
    // Line is 1-based; colours are 0x00BBGGRR or system colours. Setting Special paints the
    // line in FG on BG, and its selected text in BG on FG.
    using TSpecialLineColorsEvent = std::function<void(TCustomCodeEdit* Sender, int Line,
                                                       bool& Special, quint32& FG, quint32& BG)>;
    using TGutterGetTextEvent =
        std::function<void(TCustomCodeEdit* Sender, int Line, QString& Text)>;

    explicit TCustomCodeEdit(QWidget* Parent = nullptr);
    ~TCustomCodeEdit() override;

    // --- text
    QString Text() const { return fLines->Text(); }
    void SetText(const QString& Value);
    TCodeEditStringList& Lines() { return *fLines; }
    const TCodeEditStringList& Lines() const { return *fLines; }
    QString LineText() const;
    void SetLineText(const QString& Value);
    void Clear();

    // --- caret
    TBufferCoord CaretXY() const { return fCaret; }
    void SetCaretXY(TBufferCoord Value);
    int CaretX() const { return fCaret.Char; }
    int CaretY() const { return fCaret.Line; }
    void SetCaretX(int Value) { SetCaretXY({Value, fCaret.Line}); }
    void SetCaretY(int Value) { SetCaretXY({fCaret.Char, Value}); }
    int LastCaretX() const { return fLastCaretX; }
    // Where the caret shows: with word wrap a caret at a row boundary may show at the end of
    // the upper row.
    TDisplayCoord DisplayXY() const;
    bool CaretAtEndOfRow() const { return fCaretAtEOR; }

    // --- selection
    TBufferCoord BlockBegin() const;  // the ordered ends
    TBufferCoord BlockEnd() const;
    void SetBlockBegin(TBufferCoord Value);
    void SetBlockEnd(TBufferCoord Value);
    void SetCaretAndSelection(TBufferCoord Caret, TBufferCoord BB, TBufferCoord BE);
    bool SelAvail() const;
    QString SelText() const;
    void SetSelText(const QString& Value);
    TSelectionMode SelectionMode() const { return fSelectionMode; }
    void SetSelectionMode(TSelectionMode Value);
    TSelectionMode ActiveSelectionMode() const { return fActiveSelectionMode; }
    void SetActiveSelectionMode(TSelectionMode Value);
    void SelectAll();
    void InsertBlock(TBufferCoord BB, TBufferCoord BE, const QString& Value, bool AddToUndoList);
    QString GetWordAtRowCol(TBufferCoord XY) const;
    bool IsWordBreakChar(QChar C) const;
    bool IsIdentChar(QChar C) const;

    // --- properties
    bool InsertMode() const { return fInsertMode; }
    void SetInsertMode(bool Value);
    bool ReadOnly() const { return fReadOnly; }
    void SetReadOnly(bool Value);
    bool WantTabs() const { return fWantTabs; }
    void SetWantTabs(bool Value) { fWantTabs = Value; }
    bool WantReturns() const { return fWantReturns; }
    void SetWantReturns(bool Value) { fWantReturns = Value; }
    int TabWidth() const { return fTabWidth; }
    void SetTabWidth(int Value);
    TCodeEditorOptions Options() const { return fOptions; }
    void SetOptions(TCodeEditorOptions Value);
    bool Modified() const { return fModified; }
    void SetModified(bool Value);
    int MaxUndo() const { return fUndoList->MaxUndoActions(); }
    void SetMaxUndo(int Value);

    // --- undo and redo
    void Undo();
    void Redo();
    bool CanUndo() const { return !fReadOnly && fUndoList->CanUndo(); }
    bool CanRedo() const { return !fReadOnly && fRedoList->CanUndo(); }
    void ClearUndo();
    void BeginUndoBlock() { fUndoList->BeginBlock(); }
    void EndUndoBlock() { fUndoList->EndBlock(); }
    void LockUndo();
    void UnlockUndo();
    TCodeEditUndoList& UndoList() { return *fUndoList; }
    TCodeEditUndoList& RedoList() { return *fRedoList; }

    // --- commands and keys
    void CommandProcessor(TCodeEditorCommand Command, QChar AChar = QChar(), void* Data = nullptr);
    void ExecuteCommand(TCodeEditorCommand Command, QChar AChar = QChar(), void* Data = nullptr);
    TCodeEditKeyStrokes& Keystrokes() { return fKeyStrokes; }
    int RegisterCommandHandler(THookedCommandEvent Handler, void* HandlerData = nullptr);
    void UnregisterCommandHandler(int Id);
    // Runs one keystroke through the binding table, as a key press would; returns the command
    // it ran (ecNone when the key starts a sequence or has no binding).
    TCodeEditorCommand ProcessKey(quint16 Key, TShiftState Shift);

    // --- clipboard
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanPaste() const;
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
    TCodeEditSearchCustom* SearchEngine() const { return fSearchEngine; }
    void SetSearchEngine(TCodeEditSearchCustom* Value) { fSearchEngine = Value; }
    int SearchReplace(const QString& ASearch, const QString& AReplace, TSearchOptions AOptions);

    // --- view; TopLine is the first visible display row
    int TopLine() const { return fTopLine; }
    void SetTopLine(int Value);
    int LeftChar() const { return fLeftChar; }
    void SetLeftChar(int Value);
    int LinesInWindow() const;
    int CharsInWindow() const;
    int CharWidth() const { return fMetrics->CharWidth(); }
    int TextHeight() const { return fMetrics->TextHeight(); }
    int TextAscent() const { return fMetrics->TextAscent(); }
    // Display rows: the line count without word wrap, the wrapped rows with it.
    int DisplayLineCount() const;
    TDisplayCoord BufferToDisplayPos(TBufferCoord P) const;
    TBufferCoord DisplayToBufferPos(TDisplayCoord P) const;
    int LineToRow(int Line) const;
    int RowToLine(int Row) const;
    qsizetype RowColToCharIndex(TBufferCoord P) const;
    TCodeEditMetrics& Metrics() { return *fMetrics; }
    void SetMetrics(std::unique_ptr<TCodeEditMetrics> Value);
    int GutterWidth() const { return fGutterWidth; }
    int TextOffset() const { return fGutterWidth + 2; }  // x of the first text pixel
    TBufferCoord PixelsToBufferPos(QPoint P) const;
    // The viewport rectangle of a display row (text and gutter).
    QRect RowRect(int Row) const;
    QString PreeditText() const { return fPreedit; }

    // --- word wrap
    bool WordWrap() const { return fWordWrap != nullptr; }
    void SetWordWrap(bool Value);
    const TWordWrapPlugin* WordWrapPlugin() const { return fWordWrap.get(); }

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
    void InvalidateLines(int First, int Last);

    // --- highlighter: not owned; detach it (set null) before it goes away
    TCustomHighlighter* Highlighter() const { return fHighlighter; }
    void SetHighlighter(TCustomHighlighter* Value);
    // Scans the ranges of every line again, from the first.
    void ScanAllRanges();

    // The paint lock: status changes and OnChange made inside are reported once, when the
    // outermost lock ends.
    void BeginUpdate() { ++fPaintLock; }
    void EndUpdate();

    // --- events
    TNotifyEvent OnChange;
    TStatusChangeEvent OnStatusChange;
    TProcessCommandEvent OnProcessCommand;
    TProcessCommandEvent OnCommandProcessed;
    TReplaceTextEvent OnReplaceText;
    TPaintTransientEvent OnPaintTransient;
    TSpecialLineColorsEvent OnSpecialLineColors;
    TGutterGetTextEvent OnGutterGetText;

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
    // Holds the paint lock for a scope. When an exception leaves the scope the lock is
    // released without the reports, which could throw in their turn.
    class TPaintLock {
    public:
        explicit TPaintLock(TCustomCodeEdit& Edit)
            : fEdit(Edit), fExceptions(std::uncaught_exceptions()) {
            ++fEdit.fPaintLock;
        }
        ~TPaintLock() noexcept(false) {
            if (std::uncaught_exceptions() > fExceptions)
                --fEdit.fPaintLock;
            else
                fEdit.EndUpdate();
        }
        TPaintLock(const TPaintLock&) = delete;
        TPaintLock& operator=(const TPaintLock&) = delete;

    private:
        TCustomCodeEdit& fEdit;
        int fExceptions;
    };
    friend class TPaintLock;

    // While it lives, caret moves do not trim the trailing blanks of the line they leave:
    // for commands that place the caret themselves.
    class TTrimPause {
    public:
        explicit TTrimPause(TCustomCodeEdit& Edit) : fCount(Edit.fTrimSuspended) { ++fCount; }
        ~TTrimPause() { --fCount; }
        TTrimPause(const TTrimPause&) = delete;
        TTrimPause& operator=(const TTrimPause&) = delete;

    private:
        int& fCount;
    };

    // An undo block for a scope.
    class TUndoBlock {
    public:
        explicit TUndoBlock(TCodeEditUndoList& List) : fList(List) { fList.BeginBlock(); }
        ~TUndoBlock() { fList.EndBlock(); }
        TUndoBlock(const TUndoBlock&) = delete;
        TUndoBlock& operator=(const TUndoBlock&) = delete;

    private:
        TCodeEditUndoList& fList;
    };

    struct THookedHandler {
        int Id;
        THookedCommandEvent Event;
        void* Data;
    };

    // A run of characters of one line inside the selection: [First, Last) character indexes.
    struct TSelSegment {
        int Line;
        int First;
        int Last;
    };

    // CodeEdit.cpp: list events, status
    void HookLines();
    void LinesInserted(qsizetype Index, qsizetype Count);
    void LinesDeleted(qsizetype Index, qsizetype Count);
    void LinesPutted(qsizetype Index, qsizetype Count);
    void LinesCleared();
    void ResetAfterNewText();
    void LinesChanged();
    void StatusChanged(TStatusChanges Changes);
    void UpdateModified();
    void UndoAdded();
    void NoteLineLengths(qsizetype Index, qsizetype Count);

    // CodeEditView.cpp: scrolling, display rows, word wrap, gutter width, repainting
    void UpdateScrollBars();
    void EnsureCursorPosVisible();
    int MaxTopLine() const;
    QSize TextAreaSize() const;
    void SetTopRow(int Row);  // no clamping: keeps a line on top across a re-wrap
    void FontOrCellChanged();
    void WidthChanged();
    void RewrapAll();
    void GutterChanged();
    void InvalidateRows(int FirstRow, int LastRow);
    void InvalidateCaretAndSelection();
    TDisplayCoord DisplayPosOf(TBufferCoord P, bool AtEndOfRow) const;
    TBufferCoord DisplayToBufferPosEOR(TDisplayCoord P, bool& AtEndOfRow) const;
    int RowLengthOf(int Row) const;
    bool IsLastRowOfLine(int Row) const;

    // CodeEditHighlighting.cpp: ranges kept in step with the lines
    void HighlighterChanged();
    qsizetype ScanFrom(qsizetype Index);
    qsizetype ScanRangesAfterInsert(qsizetype Index, qsizetype Count);
    quint8 HighlighterStyleVariants() const;

    // CodeEditCaret.cpp: positions, caret and selection
    const QString& LineAt(int Line) const { return fLines->Strings(Line - 1); }
    int LineLength(int Line) const { return static_cast<int>(fLines->LineCharLength(Line - 1)); }
    int LineCount() const { return static_cast<int>(fLines->Count()); }
    int CharToColumn(int Line, int Char) const;
    int ColumnToChar(int Line, int Column) const;
    TBufferCoord ClampCaret(TBufferCoord P) const;
    TBufferCoord ClampToText(TBufferCoord P) const;
    void InternalSetCaretXY(TBufferCoord P, bool KeepLastCaretX = false, bool AtEndOfRow = false);
    void MoveCaretAndSelection(TBufferCoord From, TBufferCoord To, bool Selecting,
                               bool KeepLastCaretX = false, bool AtEndOfRow = false);
    void CollapseSelection();
    bool HasSelectionEnds() const { return fBlockBegin != fBlockEnd; }
    // The last line a line-wise command takes from the selection: a selection that ends at
    // column 1 of a later line leaves that line out.
    int SelectedLastLine() const;
    std::vector<TSelSegment> SelectionSegments(TSelectionMode Mode) const;
    QString SelTextIn(TSelectionMode Mode) const;
    void TrimTrailingBlanks(int Line);
    TBufferCoord NextWordPos(TBufferCoord P) const;
    TBufferCoord PrevWordPos(TBufferCoord P) const;
    TBufferCoord WordStartOf(TBufferCoord P) const;
    TBufferCoord WordEndOf(TBufferCoord P) const;
    int CharClass(QChar C) const;

    // CodeEditUndoRedo.cpp: the text primitives, recording and replay
    TBufferCoord RawInsert(TBufferCoord Pos, const QString& Value);
    QString RawDelete(TBufferCoord Start, TBufferCoord End);
    QString RawText(TBufferCoord Start, TBufferCoord End) const;
    TBufferCoord RawReplace(TBufferCoord Start, TBufferCoord End, const QString& Value);
    TBufferCoord RawSplitLine(int Line, QStringList Pieces);
    TBufferCoord TextEnd() const;
    void PadLineTo(int Line, int Char, bool LeadingSpacing = false);
    TBufferCoord InsertRecorded(TChangeReason Reason, TBufferCoord Pos, const QString& Value);
    QString DeleteRecorded(TChangeReason Reason, TBufferCoord Start, TBufferCoord End);
    TBufferCoord ReplaceRecorded(TBufferCoord Start, TBufferCoord End, const QString& Value);
    void Record(TChangeReason Reason, TBufferCoord Start, TBufferCoord End,
                const QString& Text = QString());
    void ReplayItem(const TCodeEditUndoItem& Item, bool Redoing, TCodeEditUndoList& Target);
    bool ContinueStep(const TCodeEditUndoList& List, const TCodeEditUndoItem& First,
                      const TCodeEditUndoItem& Done, bool Redoing) const;
    void UndoOrRedo(TCodeEditUndoList& From, TCodeEditUndoList& To, bool Redoing);
    void ReplayStep(TCodeEditUndoList& From, TCodeEditUndoList& To, bool Redoing);

    // CodeEditCaret.cpp: replacing the selection
    void DeleteSelection(TChangeReason Reason);
    void InsertByMode(TSelectionMode Mode, const QString& Value);
    void SetSelTextPrimitive(TSelectionMode PasteMode, const QString& Value,
                             TChangeReason DeleteReason = crDelete);

    // CodeEditCommands.cpp
    void NotifyHookedCommandHandlers(bool AfterProcessing, TCodeEditorCommand& Command,
                                     QChar& AChar, void* Data);
    void MoveCommand(TCodeEditorCommand Command, void* Data);
    void MoveCaretHorz(int Delta, bool Selecting);
    void MoveCaretVert(int Delta, bool Selecting);
    void MoveToDisplayPos(TDisplayCoord D, bool Selecting);
    void PageCommand(TCodeEditorCommand Command, bool Selecting);
    void LineStartCommand(bool Selecting);
    void LineEndCommand(bool Selecting);
    void ScrollCommand(TCodeEditorCommand Command);
    void SelectWordAtCaret();
    void ChangeCase(TCodeEditorCommand Command);
    std::pair<int, int> LineCommandSpan() const;
    void CopyLine(bool Down);
    void MoveLine(bool Down);

    // CodeEditEditing.cpp: the text-changing commands
    int IndentCells(int Line) const;
    int IndentChars(int Line) const;
    QString LeadingSpacing(int Cells) const;
    void TypeChar(QChar C);
    void TypeString(const QString& S);
    void LineBreak(bool MoveCaret);
    void DeleteLastChar();
    void DeleteChar();
    void InsertTab();
    void ShiftTab();
    void BlockIndent();
    void BlockUnindent();
    void DeleteRangeCommand(TCodeEditorCommand Command);
    void DeleteLine();
    void ClearAll();

    // CodeEditSearchReplace.cpp
    // Where a search looks; the mode is the selection's for a selection-only search, else
    // smNormal.
    struct TSearchRange {
        TBufferCoord Start;
        TBufferCoord End;
        TSelectionMode Mode = smNormal;
        bool Contains(int Line, int Char, int Length) const;
    };
    struct TSearchWalk;
    struct TReplaceAllPass;
    enum class THitOutcome { Stop, Skipped, Replaced, ReplacedWithBreaks };
    TSearchRange SearchRangeOf(TSearchOptions Options) const;
    int SearchHits(TSearchWalk& Walk);
    void SearchLine(TSearchWalk& Walk);
    THitOutcome TakeHit(TSearchWalk& Walk, TBufferCoord Hit, int Length);
    bool ReplaceHit(const QString& Replacement, TBufferCoord Begin, TBufferCoord End);
    int ReplaceAllFast(const TSearchRange& Range, bool Backward, const QString& Replacement);
    int ReplaceAllInLine(TReplaceAllPass& Pass, int Line);
    void CenterHitIfNeeded(int Line);

    // CodeEditClipboard.cpp
    void PasteText(const QString& Value, TSelectionMode Mode);
    static TSelectionMode ModeOf(const QMimeData* Data, TSelectionMode Default);
    void CopyToPrimarySelection();
    void QueuePrimarySelection();

    // CodeEditMouse.cpp
    TBufferCoord PixelsToBufferPosEOR(QPoint P, bool& AtEndOfRow) const;
    bool IsPointInSelection(TBufferCoord P) const;
    void StartTextDrag();
    void MouseSelectTo(QPoint P);
    void SetDropCaret(const TBufferCoord* Pos);

    std::unique_ptr<TCodeEditStringList> fLines;
    std::unique_ptr<TCodeEditUndoList> fUndoList;
    std::unique_ptr<TCodeEditUndoList> fRedoList;
    std::unique_ptr<TCodeEditMetrics> fMetrics;
    TCodeEditKeyStrokes fKeyStrokes;
    TCodeEditSearchCustom* fSearchEngine = nullptr;
    std::vector<THookedHandler> fHookedCommandHandlers;
    int fNextHandlerId = 1;

    TBufferCoord fCaret;
    int fLastCaretX = 1;       // display column kept through vertical moves
    TBufferCoord fBlockBegin;  // the anchor: stored ends are not ordered
    TBufferCoord fBlockEnd;
    TSelectionMode fSelectionMode = smNormal;
    TSelectionMode fActiveSelectionMode = smNormal;
    bool fInsertMode = true;
    bool fReadOnly = false;
    bool fWantTabs = false;
    bool fWantReturns = true;
    bool fModified = false;
    int fTabWidth = 8;
    TCodeEditorOptions fOptions = kDefaultCodeEditorOptions;
    int fTopLine = 1;
    int fLeftChar = 1;

    int fPaintLock = 0;
    TStatusChanges fStatusChanges;
    bool fChangePending = false;
    bool fScrollBarsPending = false;
    bool fUpdatingScrollBars = false;
    int fTrimSuspended = 0;
    // The longest line for the horizontal scroll bar, kept up to date from the changed lines
    // alone. When the longest line shrinks or goes, the figure is an upper bound until it is
    // worked out again: at once while the editor is shown, never per keystroke otherwise.
    qsizetype fLongestSeen = 0;
    qsizetype fLongestIndex = -1;
    bool fLongestUnknown = true;  // a large change: work it out at the next update
    bool fLongestStale = false;   // only an upper bound
    bool fLongestQueued = false;
    bool fReplaying = false;

    quint16 fLastKey = 0;  // first key of a possible two-key sequence
    TShiftState fLastShift;
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
    bool fCaretAtEOR = false;

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

    std::unique_ptr<TWordWrapPlugin> fWordWrap;
    TGutter fGutter;
    int fGutterWidth = 0;
    bool fInGutterChange = false;
    TSelectedColor fSelectedColor;
    quint32 fColor = 0xFF000005;      // window
    quint32 fFontColor = 0xFF000008;  // window text
    quint32 fActiveLineColor = kColorNone;
    int fRightEdge = 80;
    quint32 fRightEdgeColor = 0xC0C0C0;
    TCustomHighlighter* fHighlighter = nullptr;
    quint64 fHighlighterHook = 0;
    std::unique_ptr<TCodeEditPaintCache> fPaintCache;

    friend class TCodeEditPainter;
};

// The editor as placed on a window.
class TCodeEdit : public TCustomCodeEdit {
    Q_OBJECT
public:
    using TCustomCodeEdit::TCustomCodeEdit;
};
