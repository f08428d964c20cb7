#pragma once

#include <QFlags>
#include <QSize>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "editor/CodeEditKeyCmds.h"
#include "editor/CodeEditMetrics.h"
#include "editor/CodeEditSearch.h"
#include "editor/CodeEditTextBuffer.h"
#include "editor/CodeEditTokenRuns.h"
#include "editor/CodeEditTypes.h"
#include "editor/CodeEditUndo.h"
#include "editor/CodeEditWordWrap.h"

class TCodeEditModel;
class TCustomCodeEdit;
class TCustomHighlighter;

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

// What the model asks of whatever shows it. Every call is per command or per change, never
// per character: the model runs the same with a window or without one.
class TCodeEditView {
public:
    virtual ~TCodeEditView() = default;

    // The text area in pixels (the window less the gutter); the metrics turn it into rows and
    // columns.
    virtual QSize TextAreaSize() const = 0;
    virtual void InvalidateAll() = 0;
    // The rows of buffer lines First..Last (1-based) with their gutter.
    virtual void InvalidateLines(int First, int Last) = 0;
    // The caret or the selection may have changed since the last paint.
    virtual void CaretOrSelectionChanged() = 0;
    // The caret moved: it shows at once, whatever its blink.
    virtual void CaretMoved() = 0;
    virtual void UpdateScrollBars() = 0;
    // The line count changed: a gutter sized to its numbers follows.
    virtual void LineCountChanged(int Count) = 0;
    // The selection changed and is not empty: what the primary selection offers follows.
    virtual void SelectionChanged() = 0;
    // The cell size or the cell widths may have changed: the model's ForgetCellWidths and
    // RewrapAll are to be called, with whatever the view keeps of the cell in between.
    virtual void FontOrCellChanged() = 0;
    // The highlighter's styles changed: StyleVariants as TCodeEditMetrics::SetFont takes them.
    virtual void HighlighterStylesChanged(quint8 StyleVariants) = 0;
    // Text is the selected text, in Mode.
    virtual void SetClipboard(const QString& Text, TSelectionMode Mode) = 0;
    // False when the clipboard holds no text. Text may be null to ask only that. Mode comes in
    // as the mode to use when the clipboard does not say.
    virtual bool ClipboardText(QString* Text, TSelectionMode& Mode) const = 0;
};

// A view with no window: a text area of a fixed size and a clipboard of its own. It serves
// the command-line tools and tests, with a TFixedCellMetrics for the rows and columns.
class TCodeEditHeadlessView : public TCodeEditView {
public:
    explicit TCodeEditHeadlessView(TCodeEditModel& Model) : fModel(Model) {}

    QSize TextAreaSize() const override { return fTextArea; }
    void SetTextAreaSize(QSize Value) { fTextArea = Value; }
    void InvalidateAll() override {}
    void InvalidateLines(int, int) override {}
    void CaretOrSelectionChanged() override {}
    void CaretMoved() override {}
    void UpdateScrollBars() override {}
    void LineCountChanged(int) override {}
    void SelectionChanged() override {}
    void FontOrCellChanged() override;
    void HighlighterStylesChanged(quint8) override {}
    void SetClipboard(const QString& Text, TSelectionMode Mode) override;
    bool ClipboardText(QString* Text, TSelectionMode& Mode) const override;
    void ClearClipboard() { fHasClipboard = false; }

private:
    TCodeEditModel& fModel;
    QSize fTextArea{640, 480};
    QString fClipboard;
    TSelectionMode fClipboardMode = smNormal;
    bool fHasClipboard = false;
};

// The editor without its window: the lines, the caret and the selection, every command, undo
// and redo, search and replace, the display rows of word wrap and the scroll position. It
// reaches its window only through a TCodeEditView, and paints nothing.
class TCodeEditModel {
public:
    // Sender is the widget that shows the model, null when there is none.
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

    // Without a view the model keeps a headless one of its own.
    TCodeEditModel();
    ~TCodeEditModel();
    TCodeEditModel(const TCodeEditModel&) = delete;
    TCodeEditModel& operator=(const TCodeEditModel&) = delete;

    // The view is not owned; null returns to the model's own headless view.
    void SetView(TCodeEditView* View, TCustomCodeEdit* Sender);
    TCodeEditView& View() const { return *fView; }
    TCodeEditHeadlessView& HeadlessView() { return *fHeadless; }

    // --- text
    QString Text() const { return fLines->Text(); }
    void SetText(const QString& Value);
    TCodeEditStringList& Lines() { return *fLines; }
    const TCodeEditStringList& Lines() const { return *fLines; }
    QString LineText() const;
    void SetLineText(const QString& Value);
    void Clear();
    const QString& LineAt(int Line) const { return fLines->Strings(Line - 1); }
    int LineLength(int Line) const { return static_cast<int>(fLines->LineCharLength(Line - 1)); }
    int LineCount() const { return static_cast<int>(fLines->Count()); }

    // --- caret
    TBufferCoord CaretXY() const { return fCaret; }
    void SetCaretXY(TBufferCoord Value);
    int LastCaretX() const { return fLastCaretX; }
    TDisplayCoord DisplayXY() const;
    bool CaretAtEndOfRow() const { return fCaretAtEOR; }
    int CharToColumn(int Line, int Char) const;
    int ColumnToChar(int Line, int Column) const;
    TBufferCoord ClampCaret(TBufferCoord P) const;
    TBufferCoord ClampToText(TBufferCoord P) const;
    void InternalSetCaretXY(TBufferCoord P, bool KeepLastCaretX = false, bool AtEndOfRow = false);
    void MoveCaretAndSelection(TBufferCoord From, TBufferCoord To, bool Selecting,
                               bool KeepLastCaretX = false, bool AtEndOfRow = false);

    // --- selection; the stored ends are not ordered, the anchor first
    TBufferCoord BlockBegin() const;  // the ordered ends
    TBufferCoord BlockEnd() const;
    TBufferCoord BlockAnchor() const { return fBlockBegin; }
    TBufferCoord BlockFocus() const { return fBlockEnd; }
    void SetBlockBegin(TBufferCoord Value);
    void SetBlockEnd(TBufferCoord Value);
    void SetCaretAndSelection(TBufferCoord Caret, TBufferCoord BB, TBufferCoord BE);
    void CollapseSelection();
    bool SelAvail() const;
    QString SelText() const;
    void SetSelText(const QString& Value);
    TSelectionMode SelectionMode() const { return fSelectionMode; }
    void SetSelectionMode(TSelectionMode Value);
    TSelectionMode ActiveSelectionMode() const { return fActiveSelectionMode; }
    void SetActiveSelectionMode(TSelectionMode Value);
    void SelectAll();
    void SelectWordAtCaret();
    void InsertBlock(TBufferCoord BB, TBufferCoord BE, const QString& Value, bool AddToUndoList);
    QString GetWordAtRowCol(TBufferCoord XY) const;
    bool IsWordBreakChar(QChar C) const;
    bool IsIdentChar(QChar C) const;
    TBufferCoord WordStartOf(TBufferCoord P) const;
    TBufferCoord WordEndOf(TBufferCoord P) const;
    // A run of characters of one line inside the selection: [First, Last) character indexes.
    struct TSelSegment {
        int Line;
        int First;
        int Last;
    };
    std::vector<TSelSegment> SelectionSegments(TSelectionMode Mode) const;
    // Replacing the selection; both record undo.
    void DeleteSelection(TChangeReason Reason);
    void InsertByMode(TSelectionMode Mode, const QString& Value);
    // The stored ends and the active mode as they are, with no report: for a view that keeps
    // its own paint lock around a gesture.
    void PutSelection(TBufferCoord Anchor, TBufferCoord Focus) {
        fBlockBegin = Anchor;
        fBlockEnd = Focus;
    }
    void PutActiveSelectionMode(TSelectionMode Value) { fActiveSelectionMode = Value; }
    // A paste of Value in Mode at the caret, as one undo step.
    void PasteText(const QString& Value, TSelectionMode Mode);

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
    const TCodeEditKeyStrokes& Keystrokes() const { return fKeyStrokes; }
    int RegisterCommandHandler(THookedCommandEvent Handler, void* HandlerData = nullptr);
    void UnregisterCommandHandler(int Id);
    // Runs one keystroke through the binding table; returns the command it ran (ecNone when
    // the key starts a sequence or has no binding).
    TCodeEditorCommand ProcessKey(quint16 Key, TShiftState Shift);
    // Whether Key runs a binding, alone or as the second key of the sequence begun.
    bool BindsKey(quint16 Key, TShiftState Shift) const;
    // Forgets the first key of a two-key sequence.
    void ResetKeySequence() {
        fLastKey = 0;
        fLastShift = {};
    }

    // --- clipboard, through the view
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanPaste() const;

    // --- search
    TCodeEditSearchCustom* SearchEngine() const { return fSearchEngine; }
    void SetSearchEngine(TCodeEditSearchCustom* Value) { fSearchEngine = Value; }
    int SearchReplace(const QString& ASearch, const QString& AReplace, TSearchOptions AOptions);

    // --- view; TopLine is the first visible display row
    int TopLine() const { return fTopLine; }
    void SetTopLine(int Value);
    int LeftChar() const { return fLeftChar; }
    void SetLeftChar(int Value);
    // The scroll bars moved the view.
    void ScrolledTo(int Top, int Left);
    int MaxTopLine() const;
    int LinesInWindow() const;
    int CharsInWindow() const;
    int CharWidth() const { return fMetrics->CharWidth(); }
    int TextHeight() const { return fMetrics->TextHeight(); }
    int TextAscent() const { return fMetrics->TextAscent(); }
    int DisplayLineCount() const;
    TDisplayCoord BufferToDisplayPos(TBufferCoord P) const;
    TBufferCoord DisplayToBufferPos(TDisplayCoord P) const;
    // As DisplayToBufferPos; tells whether the position is the end of a row that the line
    // goes on past.
    TBufferCoord DisplayToBufferPosEOR(TDisplayCoord P, bool& AtEndOfRow) const;
    int LineToRow(int Line) const;
    int RowToLine(int Row) const;
    int RowLengthOf(int Row) const;
    bool IsLastRowOfLine(int Row) const;
    qsizetype RowColToCharIndex(TBufferCoord P) const;
    void EnsureCursorPosVisible();
    TCodeEditMetrics& Metrics() { return *fMetrics; }
    const TCodeEditMetrics& Metrics() const { return *fMetrics; }
    void SetMetrics(std::unique_ptr<TCodeEditMetrics> Value);
    // The widths of the cells changed: what was measured with the old ones is dropped.
    void ForgetCellWidths();
    // The text area's width may have changed: re-wrap when its width in characters did.
    void WidthChanged();
    void RewrapAll();
    void Invalidate() { fView->InvalidateAll(); }
    void InvalidateLines(int First, int Last) { fView->InvalidateLines(First, Last); }
    // The longest line for the horizontal scroll bar, in cells; Stale tells that it is only
    // an upper bound, which RecountLongestLine makes exact at the next call.
    qsizetype LongestLineCells(bool& Stale);
    bool LongestLineStale() const { return fLongestStale; }
    void RecountLongestLine() { fLongestUnknown = true; }
    void UpdateScrollBars();
    // The scroll bars are brought up to date when the paint lock ends.
    void RequestScrollBarsUpdate() { fScrollBarsPending = true; }

    // --- word wrap
    bool WordWrap() const { return fWordWrap != nullptr; }
    void SetWordWrap(bool Value);
    const TWordWrapPlugin* WordWrapPlugin() const { return fWordWrap.get(); }

    // --- highlighter: not owned; detach it (set null) before it goes away
    TCustomHighlighter* Highlighter() const { return fHighlighter; }
    void SetHighlighter(TCustomHighlighter* Value);
    void ScanAllRanges();
    quint8 HighlighterStyleVariants() const;
    // Hands the token runs of line Line (1-based) to OnRun, as WalkTokenRuns does, with the
    // highlighter started from the range of the line above. Text is the line as shown (tabs
    // expanded); Cells, when not null, the same with a filler after each wide glyph. False
    // when there is no enabled highlighter. The highlighter is a scanner whose state belongs
    // to no one between calls, so a const model may drive it.
    template <class TLookOf, class TOnRun>
    bool WalkLineTokens(int Line, const QString& Text, const QString* Cells, int CellCount,
                        int Limit, TLookOf&& LookOf, TOnRun&& OnRun) const;

    // The paint lock: status changes and OnChange made inside are reported once, when the
    // outermost lock ends.
    void BeginUpdate() { ++fPaintLock; }
    void EndUpdate();
    bool PaintLocked() const { return fPaintLock > 0; }
    void StatusChanged(TStatusChanges Changes);

    // Holds the paint lock for a scope. When an exception leaves the scope the lock is
    // released without the reports, which could throw in their turn.
    class TPaintLock {
    public:
        explicit TPaintLock(TCodeEditModel& Model)
            : fModel(Model), fExceptions(std::uncaught_exceptions()) {
            ++fModel.fPaintLock;
        }
        ~TPaintLock() noexcept(false) {
            if (std::uncaught_exceptions() > fExceptions)
                --fModel.fPaintLock;
            else
                fModel.EndUpdate();
        }
        TPaintLock(const TPaintLock&) = delete;
        TPaintLock& operator=(const TPaintLock&) = delete;

    private:
        TCodeEditModel& fModel;
        int fExceptions;
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

    // While it lives, caret moves do not trim the trailing blanks of the line they leave:
    // for commands that place the caret themselves.
    class TTrimPause {
    public:
        explicit TTrimPause(TCodeEditModel& Model) : fCount(Model.fTrimSuspended) { ++fCount; }
        ~TTrimPause() { --fCount; }
        TTrimPause(const TTrimPause&) = delete;
        TTrimPause& operator=(const TTrimPause&) = delete;

    private:
        int& fCount;
    };

    // --- events
    TNotifyEvent OnChange;
    TStatusChangeEvent OnStatusChange;
    TProcessCommandEvent OnProcessCommand;
    TProcessCommandEvent OnCommandProcessed;
    TReplaceTextEvent OnReplaceText;
    TPaintTransientEvent OnPaintTransient;
    TSpecialLineColorsEvent OnSpecialLineColors;

private:
    struct THookedHandler {
        int Id;
        THookedCommandEvent Event;
        void* Data;
    };

    // CodeEditModel.cpp: list events, status
    void HookLines();
    void LinesInserted(qsizetype Index, qsizetype Count);
    void LinesDeleted(qsizetype Index, qsizetype Count);
    void LinesPutted(qsizetype Index, qsizetype Count);
    void LinesCleared();
    void ResetAfterNewText();
    void LinesChanged();
    void UpdateModified();
    void UndoAdded();
    void NoteLineLengths(qsizetype Index, qsizetype Count);

    // CodeEditView.cpp: display rows, scrolling
    void SetTopRow(int Row);  // no clamping: keeps a line on top across a re-wrap
    TDisplayCoord DisplayPosOf(TBufferCoord P, bool AtEndOfRow) const;

    // CodeEditHighlighting.cpp: ranges kept in step with the lines
    void HighlighterChanged();
    qsizetype ScanFrom(qsizetype Index);
    qsizetype ScanRangesAfterInsert(qsizetype Index, qsizetype Count);

    // CodeEditCaret.cpp: positions, caret and selection
    bool HasSelectionEnds() const { return fBlockBegin != fBlockEnd; }
    // The last line a line-wise command takes from the selection: a selection that ends at
    // column 1 of a later line leaves that line out.
    int SelectedLastLine() const;
    QString SelTextIn(TSelectionMode Mode) const;
    void TrimTrailingBlanks(int Line);
    TBufferCoord NextWordPos(TBufferCoord P) const;
    TBufferCoord PrevWordPos(TBufferCoord P) const;
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

    std::unique_ptr<TCodeEditHeadlessView> fHeadless;
    TCodeEditView* fView;
    TCustomCodeEdit* fSender = nullptr;

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
    bool fCaretAtEOR = false;

    int fPaintLock = 0;
    TStatusChanges fStatusChanges;
    bool fChangePending = false;
    bool fScrollBarsPending = false;
    int fTrimSuspended = 0;
    // The longest line for the horizontal scroll bar, kept up to date from the changed lines
    // alone. When the longest line shrinks or goes, the figure is an upper bound until it is
    // worked out again: at once while the editor is shown, never per keystroke otherwise.
    qsizetype fLongestSeen = 0;
    qsizetype fLongestIndex = -1;
    bool fLongestUnknown = true;  // a large change: work it out at the next update
    bool fLongestStale = false;   // only an upper bound
    bool fReplaying = false;

    quint16 fLastKey = 0;  // first key of a possible two-key sequence
    TShiftState fLastShift;

    std::unique_ptr<TWordWrapPlugin> fWordWrap;
    TCustomHighlighter* fHighlighter = nullptr;
    quint64 fHighlighterHook = 0;
};

template <class TLookOf, class TOnRun>
bool TCodeEditModel::WalkLineTokens(int Line, const QString& Text, const QString* Cells,
                                    int CellCount, int Limit, TLookOf&& LookOf,
                                    TOnRun&& OnRun) const {
    TCustomHighlighter* h = fHighlighter;
    if (!h || !h->Enabled()) return false;
    if (Line == 1)
        h->ResetRange();
    else
        h->SetRange(fLines->Ranges(Line - 2));
    if (Cells)
        h->SetLineExpandedAtWideGlyphs(Text, *Cells, Line - 1);
    else
        h->SetLine(Text, Line - 1);
    WalkTokenRuns(*h, CellCount, Limit, std::forward<TLookOf>(LookOf), std::forward<TOnRun>(OnRun));
    return true;
}
