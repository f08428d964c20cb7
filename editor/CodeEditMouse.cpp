// The mouse: placing the caret, selecting by dragging (by words after a double-click, as a
// column with Alt), dragging selected text elsewhere, and pasting the primary selection with
// the middle button.
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

#include "editor/CodeEdit.h"

namespace {

int FloorDiv(int A, int B) {
    return A >= 0 ? A / B : -((-A + B - 1) / B);
}

}  // namespace

// ---------------------------------------------------------------- positions

TBufferCoord TCustomCodeEdit::PixelsToBufferPos(QPoint P) const {
    bool atEnd = false;
    return PixelsToBufferPosEOR(P, atEnd);
}

// The caret position nearest to a point of the viewport: before or after the character under
// it, by which half of its cells was hit.
TBufferCoord TCustomCodeEdit::PixelsToBufferPosEOR(QPoint P, bool& AtEndOfRow) const {
    AtEndOfRow = false;
    const int height = std::max(TextHeight(), 1);
    const int width = std::max(CharWidth(), 1);
    const int rows = std::max(DisplayLineCount(), 1);
    const int row = std::clamp(TopLine() + FloorDiv(P.y(), height), 1, rows);
    const int left = WordWrap() ? 1 : LeftChar();
    const int x = P.x() - TextOffset();
    const int column = std::max(left + FloorDiv(x, width), 1);
    TBufferCoord p = fModel.DisplayToBufferPosEOR({column, row}, AtEndOfRow);
    if (AtEndOfRow) return fModel.ClampCaret(p);
    if (p.Line >= 1 && p.Line <= fModel.LineCount() && p.Char <= fModel.LineLength(p.Line)) {
        const TDisplayCoord start = BufferToDisplayPos(p);
        TDisplayCoord end = BufferToDisplayPos({p.Char + 1, p.Line});
        if (end.Row != start.Row) end.Column = fModel.RowLengthOf(start.Row) + 1;
        const int offset = x - (start.Column - left) * width;
        if (2 * offset >= (end.Column - start.Column) * width) {
            ++p.Char;
            AtEndOfRow = end.Row != start.Row;
        }
    } else {
        // Virtual space: the nearest cell boundary.
        const int nearest = std::max(left + FloorDiv(x + width / 2, width), 1);
        p = fModel.DisplayToBufferPosEOR({nearest, row}, AtEndOfRow);
    }
    return fModel.ClampCaret(p);
}

bool TCustomCodeEdit::IsPointInSelection(TBufferCoord P) const {
    if (!SelAvail()) return false;
    const TBufferCoord bb = BlockBegin();
    const TBufferCoord be = BlockEnd();
    if (P.Line < bb.Line || P.Line > be.Line) return false;
    switch (ActiveSelectionMode()) {
        case smNormal:
            return bb <= P && P < be;
        case smLine:
            return true;
        case smColumn:
            for (const TCodeEditModel::TSelSegment& s : fModel.SelectionSegments(smColumn))
                if (s.Line == P.Line) return P.Char >= s.First && P.Char < s.Last;
            return false;
    }
    return false;
}

// ---------------------------------------------------------------- buttons

void TCustomCodeEdit::mousePressEvent(QMouseEvent* e) {
    RunGuarded([&] {
        const QPoint pos = e->position().toPoint();
        if (e->button() == Qt::MiddleButton) {
            // The primary selection goes in where the middle button was pressed.
            const QClipboard* clipboard = QGuiApplication::clipboard();
            const QMimeData* data = clipboard && clipboard->supportsSelection()
                                        ? clipboard->mimeData(QClipboard::Selection)
                                        : nullptr;
            if (ReadOnly() || !data || !data->hasText()) {
                QAbstractScrollArea::mousePressEvent(e);
                return;
            }
            setFocus(Qt::MouseFocusReason);
            const QString text = data->text();
            const TSelectionMode mode = ModeOf(data, smNormal);
            TPaintLock lock(fModel);
            fModel.MoveCaretAndSelection(CaretXY(), PixelsToBufferPos(pos), false);
            fModel.PasteText(text, mode);
            return;
        }
        const bool left = e->button() == Qt::LeftButton;
        if (!left && !(e->button() == Qt::RightButton && (Options() & eoRightMouseMovesCursor))) {
            QAbstractScrollArea::mousePressEvent(e);
            return;
        }
        setFocus(Qt::MouseFocusReason);
        TPaintLock lock(fModel);
        // A click is a caret move: what is typed afterwards is a new undo step.
        if ((Options() & eoGroupUndo) && UndoList().CanUndo()) UndoList().AddGroupBreak();
        bool atEnd = false;
        const TBufferCoord p = PixelsToBufferPosEOR(pos, atEnd);
        const bool shift = e->modifiers() & Qt::ShiftModifier;
        if (!left) {
            // The right button keeps a selection it lands in, for the context menu.
            if (!IsPointInSelection(p))
                fModel.MoveCaretAndSelection(CaretXY(), p, false, false, atEnd);
            return;
        }
        if (!shift && (Options() & eoDragDropEditing) && IsPointInSelection(p)) {
            fDragPending = true;
            fMouseDownPos = pos;
            return;
        }
        if ((Options() & eoAltSetsColumnMode) && SelectionMode() == smNormal) {
            const bool alt = e->modifiers() & Qt::AltModifier;
            fModel.PutActiveSelectionMode(alt ? smColumn : SelectionMode());
        }
        fModel.MoveCaretAndSelection(CaretXY(), p, shift, false, atEnd);
        fMouseSelecting = true;
        fMouseWordSelecting = false;
        fLastMousePos = pos;
    });
}

void TCustomCodeEdit::mouseMoveEvent(QMouseEvent* e) {
    RunGuarded([&] {
        const QPoint pos = e->position().toPoint();
        fLastMousePos = pos;
        if (fDragPending) {
            if ((pos - fMouseDownPos).manhattanLength() >= QApplication::startDragDistance()) {
                fDragPending = false;
                StartTextDrag();
            }
            return;
        }
        if (!fMouseSelecting || !(e->buttons() & Qt::LeftButton)) return;
        MouseSelectTo(pos);
        // Outside the text the view scrolls on by itself while the button is held.
        if (viewport()->rect().contains(pos))
            fScrollTimer.stop();
        else if (!fScrollTimer.isActive())
            fScrollTimer.start(60, this);
    });
}

void TCustomCodeEdit::MouseSelectTo(QPoint P) {
    if (!fMouseSelecting) {
        fScrollTimer.stop();
        return;
    }
    TPaintLock lock(fModel);
    const QRect area = viewport()->rect();
    if (P.y() < 0)
        SetTopLine(TopLine() - 1);
    else if (P.y() >= area.height())
        SetTopLine(TopLine() + 1);
    if (!WordWrap()) {
        if (P.x() < TextOffset())
            SetLeftChar(LeftChar() - 1);
        else if (P.x() >= area.width())
            SetLeftChar(LeftChar() + 1);
    }
    bool atEnd = false;
    TBufferCoord p = PixelsToBufferPosEOR(P, atEnd);
    if (fMouseWordSelecting) {
        // After a double-click the selection grows by whole words.
        const TBufferCoord anchor = fModel.BlockAnchor();
        if (p < anchor) {
            p = fModel.WordStartOf(p);
        } else {
            p = fModel.WordEndOf(p);
        }
        atEnd = false;
    }
    fModel.MoveCaretAndSelection(CaretXY(), p, true, false, atEnd);
}

void TCustomCodeEdit::mouseReleaseEvent(QMouseEvent* e) {
    RunGuarded([&] {
        if (e->button() == Qt::LeftButton) {
            if (fDragPending) {
                // Pressed in the selection but not dragged: an ordinary click.
                fDragPending = false;
                TPaintLock lock(fModel);
                bool atEnd = false;
                const TBufferCoord p = PixelsToBufferPosEOR(e->position().toPoint(), atEnd);
                fModel.MoveCaretAndSelection(CaretXY(), p, false, false, atEnd);
            }
            fMouseSelecting = false;
            fMouseWordSelecting = false;
            fScrollTimer.stop();
        }
        QAbstractScrollArea::mouseReleaseEvent(e);
    });
}

void TCustomCodeEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    RunGuarded([&] {
        if (e->button() != Qt::LeftButton) return;
        fDragPending = false;
        TPaintLock lock(fModel);
        fModel.InternalSetCaretXY(PixelsToBufferPos(e->position().toPoint()));
        fModel.CollapseSelection();
        fModel.SelectWordAtCaret();
        fMouseSelecting = true;
        fMouseWordSelecting = true;
    });
}

// ---------------------------------------------------------------- drag and drop

void TCustomCodeEdit::StartTextDrag() {
    if (!SelAvail()) return;
    fMouseSelecting = false;
    auto* drag = new QDrag(this);
    drag->setMimeData(CreateSelectionMimeData());
    fDropHandled = false;
    const Qt::DropActions actions = ReadOnly() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    const Qt::DropAction action = drag->exec(actions, Qt::MoveAction);
    // Dropped elsewhere as a move: the text leaves here. A drop on this editor has moved it
    // already, in one undo step.
    if (action == Qt::MoveAction && !fDropHandled && !ReadOnly() && SelAvail()) {
        TPaintLock lock(fModel);
        TCodeEditModel::TTrimPause pause(fModel);
        fModel.DeleteSelection(crDelete);
    }
    fDropHandled = false;
}

void TCustomCodeEdit::SetDropCaret(const TBufferCoord* Pos) {
    if (fDropCaretShown) InvalidateLines(fDropCaret.Line, fDropCaret.Line);
    fDropCaretShown = Pos != nullptr;
    if (Pos) {
        fDropCaret = *Pos;
        InvalidateLines(fDropCaret.Line, fDropCaret.Line);
    }
}

void TCustomCodeEdit::dragEnterEvent(QDragEnterEvent* e) {
    if (ReadOnly() || !(Options() & eoDragDropEditing) || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    const TBufferCoord p = PixelsToBufferPos(e->position().toPoint());
    SetDropCaret(&p);
}

void TCustomCodeEdit::dragMoveEvent(QDragMoveEvent* e) {
    if (ReadOnly() || !(Options() & eoDragDropEditing) || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    // Text dragged within the editor moves unless Ctrl is held.
    if (e->source() == this && (e->possibleActions() & Qt::MoveAction) &&
        !(e->modifiers() & Qt::ControlModifier)) {
        e->setDropAction(Qt::MoveAction);
        e->accept();
    } else {
        e->acceptProposedAction();
    }
    const TBufferCoord p = PixelsToBufferPos(e->position().toPoint());
    SetDropCaret(&p);
}

void TCustomCodeEdit::dragLeaveEvent(QDragLeaveEvent* e) {
    SetDropCaret(nullptr);
    e->accept();
}

void TCustomCodeEdit::dropEvent(QDropEvent* e) {
    RunGuarded([&] {
        SetDropCaret(nullptr);
        if (ReadOnly() || !(Options() & eoDragDropEditing) || !e->mimeData()->hasText()) {
            e->ignore();
            return;
        }
        const bool move = e->source() == this && (e->possibleActions() & Qt::MoveAction) &&
                          !(e->modifiers() & Qt::ControlModifier);
        setFocus(Qt::OtherFocusReason);
        DropText(e->mimeData(), PixelsToBufferPos(e->position().toPoint()), move);
        if (move) {
            fDropHandled = true;
            e->setDropAction(Qt::MoveAction);
            e->accept();
        } else {
            e->acceptProposedAction();
        }
    });
}

// Puts dropped text at Pos: a move takes the selection away first and finds Pos again in the
// text that is left; column and line blocks go in as blocks.
void TCustomCodeEdit::DropText(const QMimeData* Data, TBufferCoord Pos, bool Move) {
    if (ReadOnly() || !Data) return;
    const QString text = Data->text();
    if (text.isEmpty()) return;
    const TSelectionMode mode = ModeOf(Data, smNormal);
    TPaintLock lock(fModel);
    Pos = fModel.ClampCaret(Pos);
    TCodeEditModel::TTrimPause pause(fModel);
    TCodeEditModel::TUndoBlock block(UndoList());
    if (Move && SelAvail()) {
        const TBufferCoord bb = BlockBegin();
        const TBufferCoord be = BlockEnd();
        if (IsPointInSelection(Pos) || (ActiveSelectionMode() == smNormal && Pos == be)) {
            fModel.MoveCaretAndSelection(CaretXY(), Pos, false);
            return;
        }
        switch (ActiveSelectionMode()) {
            case smNormal:
                if (Pos >= be) {
                    if (Pos.Line == be.Line)
                        Pos = {bb.Char + Pos.Char - be.Char, bb.Line};
                    else
                        Pos.Line -= be.Line - bb.Line;
                }
                break;
            case smLine:
                if (Pos.Line > be.Line) Pos.Line -= be.Line - bb.Line + 1;
                break;
            case smColumn:
                for (const TCodeEditModel::TSelSegment& s : fModel.SelectionSegments(smColumn))
                    if (s.Line == Pos.Line && Pos.Char >= s.Last) Pos.Char -= s.Last - s.First;
                break;
        }
        fModel.DeleteSelection(crDelete);
    }
    fModel.InternalSetCaretXY(Pos);
    fModel.CollapseSelection();
    const TBufferCoord start = CaretXY();
    fModel.InsertByMode(mode, text);
    if (mode == smNormal)
        fModel.PutSelection(start, CaretXY());
    else
        fModel.CollapseSelection();
    fModel.StatusChanged(scSelection);
}
