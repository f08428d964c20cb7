#include "editor/CodeEdit.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "editor/CodeEditPaintCache.h"
#include "highlighters/CodeEditHighlighter.h"

namespace {

// The first installed monospace face of a short list, at 10 points.
QFont EditorFont() {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"DejaVu Sans Mono", "Noto Sans Mono CJK JP"}) {
        const QString family = QString::fromLatin1(name);
        if (families.contains(family)) return QFont(family, 10);
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    return font;
}

}  // namespace

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

TCustomCodeEdit::TCustomCodeEdit(QWidget* Parent)
    : QAbstractScrollArea(Parent),
      fLines(std::make_unique<TCodeEditStringList>()),
      fUndoList(std::make_unique<TCodeEditUndoList>()),
      fRedoList(std::make_unique<TCodeEditUndoList>()),
      fPaintCache(std::make_unique<TCodeEditPaintCache>()) {
    setFont(EditorFont());
    fMetrics = std::make_unique<TFontCodeEditMetrics>(font());
    QFont gutterFont = font();
    gutterFont.setPointSize(8);
    fGutter.SetFont(gutterFont);
    fLines->SetTabWidth(fTabWidth);
    // Only the length of the result counts: one cell per character plus a filler for every
    // further cell of a wide glyph.
    fLines->SetExpandAtWideGlyphsFunc([this](const QString& S) {
        qsizetype cells = 0;
        for (QChar c : S)
            cells += fMetrics->GlyphCells(c.unicode());
        return QString(cells, QChar(0xE000));
    });
    HookLines();
    fUndoList->OnAddedUndo = [this](TCodeEditUndoList*) { UndoAdded(); };
    fKeyStrokes.ResetDefaults();
    fGutter.OnChange = [this](TGutter*) { GutterChanged(); };
    fSelectedColor.OnChange = [this](TSelectedColor*) {
        if (SelAvail()) Invalidate();
    };

    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    // Painting covers every pixel of the viewport, so Qt need not clear it first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    GutterChanged();
    UpdateScrollBars();
}

TCustomCodeEdit::~TCustomCodeEdit() {
    if (fHighlighter) fHighlighter->UnhookAttrChangeEvent(fHighlighterHook);
    // The list outlives nothing that its events could reach once we are gone.
    fLines->OnChange = nullptr;
    fLines->OnChanging = nullptr;
    fLines->OnCleared = nullptr;
    fLines->OnDeleted = nullptr;
    fLines->OnInserted = nullptr;
    fLines->OnPutted = nullptr;
}

// ---------------------------------------------------------------- list events

void TCustomCodeEdit::HookLines() {
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

void TCustomCodeEdit::LinesInserted(qsizetype Index, qsizetype Count) {
    if (fLongestIndex >= Index) fLongestIndex += Count;
    NoteLineLengths(Index, Count);
    if (fWordWrap) fWordWrap->LinesInserted(Index, Count);
    if (fHighlighter) ScanRangesAfterInsert(Index, Count);
    fScrollBarsPending = true;
    InvalidateLines(static_cast<int>(Index) + 1, std::numeric_limits<int>::max());
}

void TCustomCodeEdit::LinesDeleted(qsizetype Index, qsizetype Count) {
    if (fLongestIndex >= Index + Count)
        fLongestIndex -= Count;
    else if (fLongestIndex >= Index)
        fLongestStale = true;
    if (fWordWrap) fWordWrap->LinesDeleted(Index, Count);
    if (fHighlighter && fLines->Count() > 0) ScanFrom(Index);
    fScrollBarsPending = true;
    InvalidateLines(static_cast<int>(Index) + 1, std::numeric_limits<int>::max());
}

void TCustomCodeEdit::LinesPutted(qsizetype Index, qsizetype Count) {
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

void TCustomCodeEdit::NoteLineLengths(qsizetype Index, qsizetype Count) {
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

void TCustomCodeEdit::LinesCleared() {
    if (fWordWrap) fWordWrap->Reset();
    ResetAfterNewText();
}

// A new text: no undo, the caret and the view at its start.
void TCustomCodeEdit::ResetAfterNewText() {
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
void TCustomCodeEdit::LinesChanged() {
    const int maxLine = std::max(LineCount(), 1);
    if (fCaret.Line > maxLine) fCaret.Line = maxLine;
    fBlockBegin = fBlockEnd = fCaret;
    if (!(fOptions & eoScrollPastEof) && fTopLine > MaxTopLine()) {
        fTopLine = MaxTopLine();
        Invalidate();
    }
    if (fGutter.ShowLineNumbers() && fGutter.AutoSize()) fGutter.AutoSizeDigitCount(LineCount());
    fScrollBarsPending = true;
    fChangePending = true;
    if (fPaintLock == 0) EndUpdate();
}

// ---------------------------------------------------------------- paint lock and status

void TCustomCodeEdit::StatusChanged(TStatusChanges Changes) {
    fStatusChanges |= Changes;
    if (fPaintLock == 0) EndUpdate();
}

void TCustomCodeEdit::EndUpdate() {
    if (fPaintLock > 0) --fPaintLock;
    if (fPaintLock > 0) return;
    if (fScrollBarsPending) UpdateScrollBars();
    InvalidateCaretAndSelection();
    if (fChangePending) {
        fChangePending = false;
        if (OnChange) OnChange(this);
    }
    if (fStatusChanges) {
        const TStatusChanges changes = fStatusChanges;
        fStatusChanges = {};
        if ((changes & scSelection) && SelAvail()) QueuePrimarySelection();
        if (OnStatusChange) OnStatusChange(this, changes);
    }
}

// ---------------------------------------------------------------- text and properties

void TCustomCodeEdit::SetText(const QString& Value) {
    TPaintLock lock(*this);
    fLines->SetText(Value);
    // The list reports a clear only when it had lines; the caret and the undo lists start
    // afresh in every case.
    ResetAfterNewText();
}

QString TCustomCodeEdit::LineText() const {
    return LineAt(fCaret.Line);
}

void TCustomCodeEdit::SetLineText(const QString& Value) {
    if (fCaret.Line > std::max(LineCount(), 1)) return;
    TPaintLock lock(*this);
    if (LineCount() == 0) fLines->Add(QString());
    const int line = fCaret.Line;
    const QString old = LineAt(line);
    fLines->Put(line - 1, Value);
    Record(crInsert, {1, line}, {static_cast<int>(Value.size()) + 1, line}, old);
}

void TCustomCodeEdit::Clear() {
    TPaintLock lock(*this);
    fLines->Clear();
    LinesCleared();
    fUndoList->SetInitialState(true);
    fModified = false;
    StatusChanged(scModified);
}

void TCustomCodeEdit::SetInsertMode(bool Value) {
    if (fInsertMode == Value) return;
    fInsertMode = Value;
    StatusChanged(scInsertMode);
}

void TCustomCodeEdit::SetReadOnly(bool Value) {
    if (fReadOnly == Value) return;
    fReadOnly = Value;
    StatusChanged(scReadOnly);
}

void TCustomCodeEdit::SetTabWidth(int Value) {
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

void TCustomCodeEdit::SetOptions(TCodeEditorOptions Value) {
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

void TCustomCodeEdit::SetModified(bool Value) {
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

void TCustomCodeEdit::UpdateModified() {
    const bool modified = !fUndoList->InitialState();
    if (modified == fModified) return;
    fModified = modified;
    StatusChanged(scModified);
}

// A change reached the undo list: a new edit outdates whatever could be redone.
void TCustomCodeEdit::UndoAdded() {
    if (!fUndoList->InsideRedo() && fUndoList->LastChangeReason() != crGroupBreak)
        fRedoList->Clear();
    UpdateModified();
}

void TCustomCodeEdit::SetMaxUndo(int Value) {
    if (Value < 0) return;
    fUndoList->SetMaxUndoActions(Value);
    fRedoList->SetMaxUndoActions(Value);
}

void TCustomCodeEdit::ClearUndo() {
    fUndoList->Clear();
    fRedoList->Clear();
}

void TCustomCodeEdit::LockUndo() {
    fUndoList->Lock();
    fRedoList->Lock();
}

void TCustomCodeEdit::UnlockUndo() {
    fUndoList->Unlock();
    fRedoList->Unlock();
}

void TCustomCodeEdit::SetMetrics(std::unique_ptr<TCodeEditMetrics> Value) {
    if (!Value) return;
    fMetrics = std::move(Value);
    FontOrCellChanged();
}

// ---------------------------------------------------------------- colours

void TCustomCodeEdit::SetColor(quint32 Value) {
    if (Value == fColor) return;
    fColor = Value;
    Invalidate();
}

void TCustomCodeEdit::SetFontColor(quint32 Value) {
    if (Value == fFontColor) return;
    fFontColor = Value;
    Invalidate();
}

void TCustomCodeEdit::SetActiveLineColor(quint32 Value) {
    if (Value == fActiveLineColor) return;
    fActiveLineColor = Value;
    InvalidateLines(fCaret.Line, fCaret.Line);
}

void TCustomCodeEdit::SetRightEdge(int Value) {
    Value = std::max(Value, 0);
    if (Value == fRightEdge) return;
    fRightEdge = Value;
    Invalidate();
}

void TCustomCodeEdit::SetRightEdgeColor(quint32 Value) {
    if (Value == fRightEdgeColor) return;
    fRightEdgeColor = Value;
    if (fRightEdge > 0) Invalidate();
}
