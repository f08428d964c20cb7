// The editor model: the lines and their events, the paint lock and the status reports, the
// properties, and the clipboard commands, which reach the clipboard through the view.
#include "editor/CodeEditModel.h"

#include <algorithm>
#include <limits>

#include "highlighters/CodeEditHighlighter.h"

const char* CodeEditorOptionName(int Bit) {
    static const char* const names[kCodeEditorOptionCount] = {"eoAltSetsColumnMode",
                                                              "eoAutoIndent",
                                                              "eoDisableScrollArrows",
                                                              "eoDragDropEditing",
                                                              "eoDropFiles",
                                                              "eoEnhanceHomeKey",
                                                              "eoEnhanceEndKey",
                                                              "eoGroupUndo",
                                                              "eoHalfPageScroll",
                                                              "eoHideShowScrollbars",
                                                              "eoKeepCaretX",
                                                              "eoNoCaret",
                                                              "eoNoSelection",
                                                              "eoRightMouseMovesCursor",
                                                              "eoScrollByOneLess",
                                                              "eoScrollHintFollows",
                                                              "eoScrollPastEof",
                                                              "eoScrollPastEol",
                                                              "eoShowScrollHint",
                                                              "eoShowSpecialChars",
                                                              "eoSmartTabDelete",
                                                              "eoSmartTabs",
                                                              "eoSpecialLineDefaultFg",
                                                              "eoTabIndent",
                                                              "eoTabsToSpaces",
                                                              "eoTrimTrailingSpaces",
                                                              "eoShowLigatures"};
    return Bit >= 0 && Bit < kCodeEditorOptionCount ? names[Bit] : "";
}

TCodeEditModel::TCodeEditModel()
    : fHeadless(std::make_unique<TCodeEditHeadlessView>(*this)),
      fView(fHeadless.get()),
      fLines(std::make_unique<TCodeEditStringList>()),
      fUndoList(std::make_unique<TCodeEditUndoList>()),
      fRedoList(std::make_unique<TCodeEditUndoList>()),
      fMetrics(std::make_unique<TFixedCellMetrics>()) {
    fLines->SetTabWidth(fTabWidth);
    // Only the length of the result counts: one cell per character plus a filler for every
    // further cell of a wide glyph.
    fLines->SetExpandAtWideGlyphsFunc([this](const QString& S) {
        const TCodeEditMetrics& metrics = *fMetrics;
        qsizetype cells = 0;
        for (QChar c : S)
            cells += metrics.GlyphCells(c.unicode());
        return QString(cells, QChar(0xE000));
    });
    HookLines();
    fUndoList->OnAddedUndo = [this](TCodeEditUndoList*) { UndoAdded(); };
    fKeyStrokes.ResetDefaults();
}

TCodeEditModel::~TCodeEditModel() {
    if (fHighlighter) fHighlighter->UnhookAttrChangeEvent(fHighlighterHook);
    // The list outlives nothing that its events could reach once we are gone.
    fLines->OnChange = nullptr;
    fLines->OnChanging = nullptr;
    fLines->OnCleared = nullptr;
    fLines->OnDeleted = nullptr;
    fLines->OnInserted = nullptr;
    fLines->OnPutted = nullptr;
}

void TCodeEditModel::SetView(TCodeEditView* View, TCustomCodeEdit* Sender) {
    fView = View ? View : fHeadless.get();
    fSender = View ? Sender : nullptr;
}

// ---------------------------------------------------------------- the headless view

void TCodeEditHeadlessView::FontOrCellChanged() {
    TCodeEditModel::TPaintLock lock(fModel);
    fModel.ForgetCellWidths();
    fModel.RewrapAll();
}

void TCodeEditHeadlessView::SetClipboard(const QString& Text, TSelectionMode Mode) {
    fClipboard = Text;
    fClipboardMode = Mode;
    fHasClipboard = true;
}

bool TCodeEditHeadlessView::ClipboardText(QString* Text, TSelectionMode& Mode) const {
    if (!fHasClipboard) return false;
    if (Text) *Text = fClipboard;
    Mode = fClipboardMode;
    return true;
}

// ---------------------------------------------------------------- list events

void TCodeEditModel::HookLines() {
    fLines->OnCleared = [this](TCodeEditStringList*) { LinesCleared(); };
    fLines->OnDeleted = [this](TCodeEditStringList*, qsizetype Index, qsizetype Count) {
        LinesDeleted(Index, Count);
    };
    fLines->OnInserted = [this](TCodeEditStringList*, qsizetype Index, qsizetype Count) {
        LinesInserted(Index, Count);
    };
    fLines->OnPutted = [this](TCodeEditStringList*, qsizetype Index, qsizetype Count) {
        LinesPutted(Index, Count);
    };
    fLines->OnChange = [this](TCodeEditStringList*) { LinesChanged(); };
}

void TCodeEditModel::LinesInserted(qsizetype Index, qsizetype Count) {
    if (fLongestIndex >= Index) fLongestIndex += Count;
    NoteLineLengths(Index, Count);
    if (fWordWrap) fWordWrap->LinesInserted(Index, Count);
    if (fHighlighter) ScanRangesAfterInsert(Index, Count);
    fScrollBarsPending = true;
    InvalidateLines(static_cast<int>(Index) + 1, std::numeric_limits<int>::max());
}

void TCodeEditModel::LinesDeleted(qsizetype Index, qsizetype Count) {
    if (fLongestIndex >= Index + Count)
        fLongestIndex -= Count;
    else if (fLongestIndex >= Index)
        fLongestStale = true;
    if (fWordWrap) fWordWrap->LinesDeleted(Index, Count);
    if (fHighlighter && fLines->Count() > 0) ScanFrom(Index);
    fScrollBarsPending = true;
    InvalidateLines(static_cast<int>(Index) + 1, std::numeric_limits<int>::max());
}

void TCodeEditModel::LinesPutted(qsizetype Index, qsizetype Count) {
    NoteLineLengths(Index, Count);
    fScrollBarsPending = true;
    // The changed lines, and below them every line whose rows moved or whose range changed.
    const int first = static_cast<int>(Index) + 1;
    if (fWordWrap && fWordWrap->LinesPutted(Index, Count) != 0) {
        if (fHighlighter) ScanRangesAfterInsert(Index, Count);
        InvalidateLines(first, std::numeric_limits<int>::max());
        return;
    }
    qsizetype last = Index + Count - 1;
    if (fHighlighter) last = std::max(last, ScanRangesAfterInsert(Index, Count));
    InvalidateLines(first, static_cast<int>(std::min<qsizetype>(last + 1, fLines->Count())));
}

void TCodeEditModel::NoteLineLengths(qsizetype Index, qsizetype Count) {
    if (fLongestUnknown) return;
    if (Count > 256) {
        fLongestUnknown = true;
        return;
    }
    for (qsizetype i = Index; i < Index + Count; ++i) {
        const qsizetype length = fLines->GetExpandedStringLength(i);
        if (length >= fLongestSeen) {
            fLongestSeen = length;
            fLongestIndex = i;
        } else if (i == fLongestIndex) {
            fLongestStale = true;  // the longest line got shorter
        }
    }
}

void TCodeEditModel::LinesCleared() {
    if (fWordWrap) fWordWrap->Reset();
    ResetAfterNewText();
}

// A new text: no undo, the caret and the view at its start.
void TCodeEditModel::ResetAfterNewText() {
    fLongestUnknown = true;
    fLongestStale = false;
    fUndoList->Clear();
    fRedoList->Clear();
    fCaret = {1, 1};
    fCaretAtEOR = false;
    fLastCaretX = 1;
    fBlockBegin = fBlockEnd = fCaret;
    fTopLine = 1;
    fLeftChar = 1;
    fScrollBarsPending = true;
    Invalidate();
    StatusChanged(scAll);
}

// Runs after every outermost change of the lines.
void TCodeEditModel::LinesChanged() {
    const int maxLine = std::max(LineCount(), 1);
    if (fCaret.Line > maxLine) fCaret.Line = maxLine;
    fBlockBegin = fBlockEnd = fCaret;
    if (!(fOptions & eoScrollPastEof) && fTopLine > MaxTopLine()) {
        fTopLine = MaxTopLine();
        Invalidate();
    }
    fView->LineCountChanged(LineCount());
    fScrollBarsPending = true;
    fChangePending = true;
    if (fPaintLock == 0) EndUpdate();
}

// ---------------------------------------------------------------- paint lock and status

void TCodeEditModel::StatusChanged(TStatusChanges Changes) {
    fStatusChanges |= Changes;
    if (fPaintLock == 0) EndUpdate();
}

void TCodeEditModel::EndUpdate() {
    if (fPaintLock > 0) --fPaintLock;
    if (fPaintLock > 0) return;
    if (fScrollBarsPending) UpdateScrollBars();
    fView->CaretOrSelectionChanged();
    if (fChangePending) {
        fChangePending = false;
        if (OnChange) OnChange(fSender);
    }
    if (fStatusChanges) {
        const TStatusChanges changes = fStatusChanges;
        fStatusChanges = {};
        if ((changes & scSelection) && SelAvail()) fView->SelectionChanged();
        if (OnStatusChange) OnStatusChange(fSender, changes);
    }
}

// ---------------------------------------------------------------- text and properties

void TCodeEditModel::SetText(const QString& Value) {
    TPaintLock lock(*this);
    fLines->SetText(Value);
    // The list reports a clear only when it had lines; the caret and the undo lists start
    // afresh in every case.
    ResetAfterNewText();
}

QString TCodeEditModel::LineText() const {
    return LineAt(fCaret.Line);
}

void TCodeEditModel::SetLineText(const QString& Value) {
    if (fCaret.Line > std::max(LineCount(), 1)) return;
    TPaintLock lock(*this);
    if (LineCount() == 0) fLines->Add(QString());
    const int line = fCaret.Line;
    const QString old = LineAt(line);
    fLines->Put(line - 1, Value);
    Record(crInsert, {1, line}, {static_cast<int>(Value.size()) + 1, line}, old);
}

void TCodeEditModel::Clear() {
    TPaintLock lock(*this);
    fLines->Clear();
    LinesCleared();
    fUndoList->SetInitialState(true);
    fModified = false;
    StatusChanged(scModified);
}

void TCodeEditModel::SetInsertMode(bool Value) {
    if (fInsertMode == Value) return;
    fInsertMode = Value;
    StatusChanged(scInsertMode);
}

void TCodeEditModel::SetReadOnly(bool Value) {
    if (fReadOnly == Value) return;
    fReadOnly = Value;
    StatusChanged(scReadOnly);
}

void TCodeEditModel::SetTabWidth(int Value) {
    Value = std::clamp(Value, 1, 256);
    if (Value == fTabWidth) return;
    TPaintLock lock(*this);
    fTabWidth = Value;
    fLines->SetTabWidth(Value);
    fLongestUnknown = true;
    fScrollBarsPending = true;
    RewrapAll();
    Invalidate();
}

void TCodeEditModel::SetOptions(TCodeEditorOptions Value) {
    if (fOptions == Value) return;
    fOptions = Value;
    TPaintLock lock(*this);
    if (!(fOptions & eoScrollPastEol)) {
        const TBufferCoord caret = ClampCaret(fCaret);
        if (caret != fCaret) InternalSetCaretXY(caret);
    }
    fScrollBarsPending = true;
    Invalidate();
}

void TCodeEditModel::SetModified(bool Value) {
    if (Value) {
        fUndoList->SetInitialState(false);
    } else {
        if ((fOptions & eoGroupUndo) && fUndoList->CanUndo()) fUndoList->AddGroupBreak();
        fUndoList->SetInitialState(true);
    }
    if (fModified != Value) {
        fModified = Value;
        StatusChanged(scModified);
    }
}

void TCodeEditModel::UpdateModified() {
    const bool modified = !fUndoList->InitialState();
    if (modified == fModified) return;
    fModified = modified;
    StatusChanged(scModified);
}

// A change reached the undo list: a new edit outdates whatever could be redone.
void TCodeEditModel::UndoAdded() {
    if (!fUndoList->InsideRedo() && fUndoList->LastChangeReason() != crGroupBreak)
        fRedoList->Clear();
    UpdateModified();
}

void TCodeEditModel::SetMaxUndo(int Value) {
    if (Value < 0) return;
    fUndoList->SetMaxUndoActions(Value);
    fRedoList->SetMaxUndoActions(Value);
}

void TCodeEditModel::ClearUndo() {
    fUndoList->Clear();
    fRedoList->Clear();
}

void TCodeEditModel::LockUndo() {
    fUndoList->Lock();
    fRedoList->Lock();
}

void TCodeEditModel::UnlockUndo() {
    fUndoList->Unlock();
    fRedoList->Unlock();
}

void TCodeEditModel::SetMetrics(std::unique_ptr<TCodeEditMetrics> Value) {
    if (!Value) return;
    fMetrics = std::move(Value);
    fView->FontOrCellChanged();
}

// ---------------------------------------------------------------- clipboard

void TCodeEditModel::CopyToClipboard() {
    if (!SelAvail()) return;
    fView->SetClipboard(SelText(), fActiveSelectionMode);
}

void TCodeEditModel::CutToClipboard() {
    if (fReadOnly || !SelAvail()) return;
    CopyToClipboard();
    TPaintLock lock(*this);
    TTrimPause pause(*this);
    DeleteSelection(crDelete);
}

bool TCodeEditModel::CanPaste() const {
    if (fReadOnly) return false;
    TSelectionMode mode = fSelectionMode;
    return fView->ClipboardText(nullptr, mode);
}

void TCodeEditModel::PasteFromClipboard() {
    if (fReadOnly) return;
    QString text;
    TSelectionMode mode = fSelectionMode;
    if (!fView->ClipboardText(&text, mode)) return;
    PasteText(text, mode);
}

void TCodeEditModel::PasteText(const QString& Value, TSelectionMode Mode) {
    TPaintLock lock(*this);
    TUndoBlock block(*fUndoList);
    Record(crPasteBegin, fCaret, fCaret);
    SetSelTextPrimitive(Mode, Value);
    Record(crPasteEnd, fCaret, fCaret);
    EnsureCursorPosVisible();
    StatusChanged(scSelection);
}
