#include "editor/CodeEdit.h"

#include <QEvent>
#include <QFontDatabase>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <limits>

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
      fRedoList(std::make_unique<TCodeEditUndoList>()) {
    setFont(EditorFont());
    fMetrics = std::make_unique<TFontCodeEditMetrics>(font());
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

    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    UpdateScrollBars();
}

TCustomCodeEdit::~TCustomCodeEdit() {
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
        if (fLongestIndex >= Index + Count)
            fLongestIndex -= Count;
        else if (fLongestIndex >= Index)
            fLongestStale = true;
        fScrollBarsPending = true;
        viewport()->update();
    };
    fLines->OnInserted = [this](TCodeEditStringList*, qsizetype Index, qsizetype Count) {
        if (fLongestIndex >= Index) fLongestIndex += Count;
        NoteLineLengths(Index, Count);
        fScrollBarsPending = true;
        viewport()->update();
    };
    fLines->OnPutted = [this](TCodeEditStringList*, qsizetype Index, qsizetype Count) {
        NoteLineLengths(Index, Count);
        fScrollBarsPending = true;
        viewport()->update();
    };
    fLines->OnChange = [this](TCodeEditStringList*) { LinesChanged(); };
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
    fLongestUnknown = true;
    fLongestStale = false;
    fUndoList->Clear();
    fRedoList->Clear();
    fCaret = {1, 1};
    fLastCaretX = 1;
    fBlockBegin = fBlockEnd = fCaret;
    fTopLine = 1;
    fLeftChar = 1;
    fScrollBarsPending = true;
    viewport()->update();
    StatusChanged(scAll);
}

// Runs after every outermost change of the lines.
void TCustomCodeEdit::LinesChanged() {
    const int maxLine = std::max(LineCount(), 1);
    if (fCaret.Line > maxLine) fCaret.Line = maxLine;
    fBlockBegin = fBlockEnd = fCaret;
    if (!(fOptions & eoScrollPastEof) && fTopLine > MaxTopLine()) fTopLine = MaxTopLine();
    fScrollBarsPending = true;
    viewport()->update();
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
    if (fChangePending) {
        fChangePending = false;
        if (OnChange) OnChange(this);
    }
    if (fStatusChanges) {
        const TStatusChanges changes = fStatusChanges;
        fStatusChanges = {};
        if (OnStatusChange) OnStatusChange(this, changes);
    }
}

// ---------------------------------------------------------------- text and properties

void TCustomCodeEdit::SetText(const QString& Value) {
    TPaintLock lock(*this);
    fLines->SetText(Value);
    // The list reports a clear only when it had lines; the caret and the undo lists start
    // afresh in every case.
    LinesCleared();
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
    viewport()->update();
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
    fTabWidth = Value;
    fLines->SetTabWidth(Value);
    fLongestUnknown = true;
    fScrollBarsPending = true;
    viewport()->update();
    if (fPaintLock == 0) EndUpdate();
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
    viewport()->update();
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
    fMetrics->SetFont(font());
    fLines->FontChanged();
    fLongestUnknown = true;
    fScrollBarsPending = true;
    viewport()->update();
    if (fPaintLock == 0) EndUpdate();
}

// ---------------------------------------------------------------- view

QSize TCustomCodeEdit::TextAreaSize() const {
    const QSize size = viewport()->size();
    return {std::max(0, size.width() - TextOffset()), size.height()};
}

int TCustomCodeEdit::LinesInWindow() const {
    return fMetrics->LinesInWindow(TextAreaSize());
}

int TCustomCodeEdit::CharsInWindow() const {
    return fMetrics->CharsInWindow(TextAreaSize());
}

int TCustomCodeEdit::MaxTopLine() const {
    const int rows = DisplayLineCount();
    if (fOptions & eoScrollPastEof) return std::max(rows, 1);
    return std::max(rows - LinesInWindow() + 1, 1);
}

void TCustomCodeEdit::SetTopLine(int Value) {
    Value = std::clamp(Value, 1, MaxTopLine());
    if (Value == fTopLine) return;
    fTopLine = Value;
    fScrollBarsPending = true;
    viewport()->update();
    if (fPaintLock == 0) EndUpdate();
}

void TCustomCodeEdit::SetLeftChar(int Value) {
    Value = std::clamp(Value, 1, 1 << 20);
    if (Value == fLeftChar) return;
    fLeftChar = Value;
    fScrollBarsPending = true;
    viewport()->update();
    StatusChanged(scLeftChar);
}

void TCustomCodeEdit::UpdateScrollBars() {
    fScrollBarsPending = false;
    fUpdatingScrollBars = true;
    const int lines = std::max(LinesInWindow(), 1);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(MaxTopLine(), fTopLine) - 1);
    vertical->setPageStep(lines);
    vertical->setValue(fTopLine - 1);
    const int chars = std::max(CharsInWindow(), 1);
    if (fLongestUnknown) {
        fLongestSeen = fLines->LengthOfLongestLine();
        fLongestIndex = fLines->IndexOfLongestLine();
        fLongestUnknown = false;
        fLongestStale = false;
    } else if (fLongestStale && isVisible() && !fLongestQueued) {
        // Worked out once the keystrokes pause, not inside one.
        fLongestQueued = true;
        QTimer::singleShot(0, this, [this] {
            fLongestQueued = false;
            if (!fLongestStale) return;
            fLongestUnknown = true;
            UpdateScrollBars();
        });
    }
    const int longest =
        static_cast<int>(std::min<qsizetype>(fLongestSeen, std::numeric_limits<int>::max() / 2));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max({longest + 2 - chars, fLeftChar, 1}) - 1);
    horizontal->setPageStep(chars);
    horizontal->setValue(fLeftChar - 1);
    fUpdatingScrollBars = false;
}

void TCustomCodeEdit::scrollContentsBy(int, int) {
    if (fUpdatingScrollBars) return;
    const int top = verticalScrollBar()->value() + 1;
    const int left = horizontalScrollBar()->value() + 1;
    const bool leftChanged = left != fLeftChar;
    fTopLine = top;
    fLeftChar = left;
    viewport()->update();
    if (leftChanged) StatusChanged(scLeftChar);
}

void TCustomCodeEdit::EnsureCursorPosVisible() {
    const int lines = std::max(LinesInWindow(), 1);
    const int chars = std::max(CharsInWindow(), 1);
    const int row = fCaret.Line;
    int top = fTopLine;
    if (row < top)
        top = row;
    else if (row >= top + lines)
        top = row - lines + 1;
    if (top != fTopLine) {
        fTopLine = std::max(1, top);
        fScrollBarsPending = true;
        viewport()->update();
    }
    const int column = CharToColumn(fCaret.Line, fCaret.Char);
    int left = fLeftChar;
    if (column < left)
        left = column;
    else if (column >= left + chars)
        left = column - chars + 1;
    if (left != fLeftChar) {
        fLeftChar = std::max(1, left);
        fScrollBarsPending = true;
        viewport()->update();
        fStatusChanges |= scLeftChar;
    }
}

void TCustomCodeEdit::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollBars();
}

void TCustomCodeEdit::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange && fMetrics) {
        fMetrics->SetFont(font());
        fLines->FontChanged();
        fLongestUnknown = true;
        UpdateScrollBars();
        viewport()->update();
    }
}

// ---------------------------------------------------------------- coordinates

qsizetype TCustomCodeEdit::RowColToCharIndex(TBufferCoord P) const {
    const qsizetype count = fLines->Count();
    if (count == 0) return 0;
    const qsizetype line = std::clamp<qsizetype>(P.Line, 1, count);
    return fLines->LineCharIndex(line - 1) + 2 * (line - 1) + P.Char - 1;
}

TDisplayCoord TCustomCodeEdit::BufferToDisplayPos(TBufferCoord P) const {
    return {CharToColumn(P.Line, P.Char), P.Line};
}

TBufferCoord TCustomCodeEdit::DisplayToBufferPos(TDisplayCoord P) const {
    return {ColumnToChar(P.Row, P.Column), P.Row};
}

TBufferCoord TCustomCodeEdit::PixelsToBufferPos(QPoint P) const {
    const int height = std::max(TextHeight(), 1);
    const int width = std::max(CharWidth(), 1);
    const int row = fTopLine + std::max(P.y(), 0) / height;
    const int column = fLeftChar + std::max(P.x() - TextOffset() + width / 2, 0) / width;
    const int line = std::clamp(row, 1, std::max(LineCount(), 1));
    return ClampCaret({ColumnToChar(line, column), line});
}
