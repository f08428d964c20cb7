// Commands: the processor with its events and hooks, the command switch, and the movement and
// line commands. The text-changing commands of typing and indenting are in
// CodeEditEditing.cpp.
#include <algorithm>

#include "editor/CodeEditModel.h"

namespace {

bool IsMovement(TCodeEditorCommand Command) {
    return (Command >= ecLeft && Command <= ecGotoXY) ||
           (Command >= ecSelLeft && Command <= ecSelGotoXY);
}

// Commands that change the text, and so do nothing while the editor is read-only.
bool ChangesText(TCodeEditorCommand Command) {
    switch (Command) {
        case ecDeleteLastChar:
        case ecDeleteChar:
        case ecDeleteWord:
        case ecDeleteLastWord:
        case ecDeleteBOL:
        case ecDeleteEOL:
        case ecDeleteLine:
        case ecClearAll:
        case ecLineBreak:
        case ecInsertLine:
        case ecChar:
        case ecImeStr:
        case ecString:
        case ecCut:
        case ecPaste:
        case ecBlockIndent:
        case ecBlockUnindent:
        case ecTab:
        case ecShiftTab:
        case ecUpperCase:
        case ecLowerCase:
        case ecToggleCase:
        case ecTitleCase:
        case ecCopyLineUp:
        case ecCopyLineDown:
        case ecMoveLineUp:
        case ecMoveLineDown:
            return true;
        default:
            return false;
    }
}

}  // namespace

// ---------------------------------------------------------------- processor

int TCodeEditModel::RegisterCommandHandler(THookedCommandEvent Handler, void* HandlerData) {
    if (!Handler) return 0;
    const int id = fNextHandlerId++;
    fHookedCommandHandlers.push_back({id, std::move(Handler), HandlerData});
    return id;
}

void TCodeEditModel::UnregisterCommandHandler(int Id) {
    std::erase_if(fHookedCommandHandlers, [Id](const THookedHandler& h) { return h.Id == Id; });
}

void TCodeEditModel::NotifyHookedCommandHandlers(bool AfterProcessing, TCodeEditorCommand& Command,
                                                 QChar& AChar, void* Data) {
    // A copy: a handler may register or unregister handlers.
    const std::vector<THookedHandler> handlers = fHookedCommandHandlers;
    for (const THookedHandler& h : handlers) {
        bool handled = false;
        h.Event(fSender, AfterProcessing, handled, Command, AChar, Data, h.Data);
        if (handled) Command = ecNone;
        if (Command == ecNone) break;
    }
}

void TCodeEditModel::CommandProcessor(TCodeEditorCommand Command, QChar AChar, void* Data) {
    if (OnProcessCommand) OnProcessCommand(fSender, Command, AChar, Data);
    if (Command != ecNone) {
        NotifyHookedCommandHandlers(false, Command, AChar, Data);
        if (Command != ecNone && Command < ecUserFirst) ExecuteCommand(Command, AChar, Data);
        if (Command != ecNone) NotifyHookedCommandHandlers(true, Command, AChar, Data);
    }
    if (OnCommandProcessed) OnCommandProcessed(fSender, Command, AChar, Data);
}

TCodeEditorCommand TCodeEditModel::ProcessKey(quint16 Key, TShiftState Shift) {
    int index = -1;
    if (fLastKey != 0) index = fKeyStrokes.FindKeycode2(fLastKey, fLastShift, Key, Shift);
    if (index < 0) index = fKeyStrokes.FindKeycode(Key, Shift);
    const TCodeEditorCommand command =
        index >= 0 ? fKeyStrokes.Items(index).Command : TCodeEditorCommand(ecNone);
    if (command != ecNone || Key < 30 || Key > 145) {
        fLastKey = 0;
        fLastShift = {};
    } else {
        fLastKey = Key;
        fLastShift = Shift;
    }
    if (command != ecNone) CommandProcessor(command);
    return command;
}

bool TCodeEditModel::BindsKey(quint16 Key, TShiftState Shift) const {
    // A remembered first key only claims the keys that complete one of its sequences.
    return fKeyStrokes.FindKeycode(Key, Shift) >= 0 ||
           (fLastKey != 0 && fKeyStrokes.FindKeycode2(fLastKey, fLastShift, Key, Shift) >= 0);
}

// ---------------------------------------------------------------- the command switch

void TCodeEditModel::ExecuteCommand(TCodeEditorCommand Command, QChar AChar, void* Data) {
    TPaintLock lock(*this);
    if (IsMovement(Command)) {
        if ((fOptions & eoGroupUndo) && fUndoList->CanUndo()) fUndoList->AddGroupBreak();
        MoveCommand(Command, Data);
        return;
    }
    if (fReadOnly && ChangesText(Command)) return;
    // Text commands place the caret themselves; only plain moves trim the line they leave.
    TTrimPause pause(*this);
    switch (Command) {
        case ecSelWord:
            SelectWordAtCaret();
            break;
        case ecSelectAll:
            SelectAll();
            break;
        case ecCopy:
            CopyToClipboard();
            break;
        case ecCut:
            CutToClipboard();
            break;
        case ecPaste:
            PasteFromClipboard();
            break;
        case ecScrollUp:
        case ecScrollDown:
        case ecScrollLeft:
        case ecScrollRight:
            ScrollCommand(Command);
            break;
        case ecInsertMode:
            SetInsertMode(true);
            break;
        case ecOverwriteMode:
            SetInsertMode(false);
            break;
        case ecToggleMode:
            SetInsertMode(!fInsertMode);
            break;
        case ecNormalSelect:
            SetSelectionMode(smNormal);
            break;
        case ecColumnSelect:
            SetSelectionMode(smColumn);
            break;
        case ecLineSelect:
            SetSelectionMode(smLine);
            break;
        case ecUndo:
            Undo();
            break;
        case ecRedo:
            Redo();
            break;
        case ecChar:
            TypeChar(AChar);
            break;
        case ecImeStr:
        case ecString:
            if (Data) TypeString(*static_cast<const QString*>(Data));
            break;
        case ecLineBreak:
            LineBreak(true);
            break;
        case ecInsertLine:
            LineBreak(false);
            break;
        case ecDeleteLastChar:
            DeleteLastChar();
            break;
        case ecDeleteChar:
            DeleteChar();
            break;
        case ecDeleteWord:
        case ecDeleteLastWord:
        case ecDeleteBOL:
        case ecDeleteEOL:
            DeleteRangeCommand(Command);
            break;
        case ecDeleteLine:
            DeleteLine();
            break;
        case ecClearAll:
            ClearAll();
            break;
        case ecTab:
            InsertTab();
            break;
        case ecShiftTab:
            ShiftTab();
            break;
        case ecBlockIndent:
            BlockIndent();
            break;
        case ecBlockUnindent:
            BlockUnindent();
            break;
        case ecUpperCase:
        case ecLowerCase:
        case ecToggleCase:
        case ecTitleCase:
            ChangeCase(Command);
            break;
        case ecCopyLineUp:
        case ecCopyLineDown:
            CopyLine(Command == ecCopyLineDown);
            break;
        case ecMoveLineUp:
        case ecMoveLineDown:
            MoveLine(Command == ecMoveLineDown);
            break;
        default:
            // Markers, bracket matching, folding, help and completion do nothing here.
            break;
    }
}

// ---------------------------------------------------------------- movement

void TCodeEditModel::MoveCommand(TCodeEditorCommand Command, void* Data) {
    const bool selecting = Command > ecSelection;
    const TCodeEditorCommand base = selecting ? TCodeEditorCommand(Command - ecSelection) : Command;
    switch (base) {
        case ecLeft:
            MoveCaretHorz(-1, selecting);
            break;
        case ecRight:
            MoveCaretHorz(1, selecting);
            break;
        case ecUp:
            MoveCaretVert(-1, selecting);
            break;
        case ecDown:
            MoveCaretVert(1, selecting);
            break;
        case ecWordLeft:
            MoveCaretAndSelection(fCaret, PrevWordPos(fCaret), selecting);
            break;
        case ecWordRight:
            MoveCaretAndSelection(fCaret, NextWordPos(fCaret), selecting);
            break;
        case ecLineStart:
            LineStartCommand(selecting);
            break;
        case ecLineEnd:
            LineEndCommand(selecting);
            break;
        case ecPageUp:
        case ecPageDown:
        case ecPageLeft:
        case ecPageRight:
        case ecPageTop:
        case ecPageBottom:
            PageCommand(base, selecting);
            break;
        case ecEditorTop:
            MoveCaretAndSelection(fCaret, {1, 1}, selecting);
            break;
        case ecEditorBottom:
            MoveCaretAndSelection(fCaret, TextEnd(), selecting);
            break;
        case ecGotoXY:
            if (Data)
                MoveCaretAndSelection(fCaret, *static_cast<const TBufferCoord*>(Data), selecting);
            break;
        default:
            break;
    }
}

void TCodeEditModel::MoveCaretHorz(int Delta, bool Selecting) {
    TBufferCoord p = fCaret;
    const int len = LineLength(p.Line);
    if (fWordWrap && (Delta == 1 || Delta == -1)) {
        // A row boundary has two places: the end of the upper row and the start of the lower
        // one. Each step first shows the caret at the other place, then moves on.
        const TDisplayCoord d = DisplayXY();
        if (Delta > 0 && fCaretAtEOR) {
            MoveCaretAndSelection(fCaret, fCaret, Selecting);
            return;
        }
        if (Delta < 0 && !fCaretAtEOR && d.Column == 1 && fWordWrap->IsContinuationRow(d.Row)) {
            MoveCaretAndSelection(fCaret, fCaret, Selecting, false, true);
            return;
        }
        if (Delta > 0 && p.Char <= len) {
            const TDisplayCoord next = BufferToDisplayPos({p.Char + 1, p.Line});
            const bool boundary = next.Column == 1 && fWordWrap->IsContinuationRow(next.Row);
            MoveCaretAndSelection(fCaret, {p.Char + 1, p.Line}, Selecting, false, boundary);
            return;
        }
        if (Delta > 0 && (fOptions & eoScrollPastEol) && d.Column > fWordWrap->MaxRowLength())
            return;  // the last row of a line ends at the window's edge
    }
    if (fOptions & eoScrollPastEol) {
        p.Char = std::max(1, p.Char + Delta);
    } else if (Delta < 0 && p.Char <= 1 && p.Line > 1) {
        p = {LineLength(p.Line - 1) + 1, p.Line - 1};
    } else if (Delta > 0 && p.Char > len && p.Line < LineCount()) {
        p = {1, p.Line + 1};
    } else {
        p.Char = std::clamp(p.Char + Delta, 1, len + 1);
    }
    MoveCaretAndSelection(fCaret, p, Selecting);
}

// Moves the caret to display position D, keeping the remembered column.
void TCodeEditModel::MoveToDisplayPos(TDisplayCoord D, bool Selecting) {
    bool atEnd = false;
    TBufferCoord p = DisplayToBufferPosEOR(D, atEnd);
    if (!(fOptions & eoScrollPastEol)) {
        p.Char = std::min(p.Char, LineLength(p.Line) + 1);
        atEnd = atEnd && DisplayPosOf(p, true).Row == D.Row;
    }
    MoveCaretAndSelection(fCaret, p, Selecting, true, atEnd);
}

void TCodeEditModel::MoveCaretVert(int Delta, bool Selecting) {
    const TDisplayCoord d = DisplayXY();
    const int row = std::clamp(d.Row + Delta, 1, std::max(DisplayLineCount(), 1));
    const int column = (fOptions & eoKeepCaretX) ? fLastCaretX : d.Column;
    MoveToDisplayPos({column, row}, Selecting);
}

void TCodeEditModel::PageCommand(TCodeEditorCommand Command, bool Selecting) {
    const int lines = std::max(LinesInWindow(), 1);
    switch (Command) {
        case ecPageUp:
        case ecPageDown: {
            int step = lines;
            if (fOptions & eoHalfPageScroll) step /= 2;
            if (fOptions & eoScrollByOneLess) --step;
            step = std::max(step, 1);
            if (Command == ecPageUp) step = -step;
            SetTopLine(fTopLine + step);
            MoveCaretVert(step, Selecting);
            break;
        }
        case ecPageLeft:
        case ecPageRight: {
            const int step = std::max(CharsInWindow(), 1) * (Command == ecPageLeft ? -1 : 1);
            SetLeftChar(fLeftChar + step);
            MoveCaretHorz(step, Selecting);
            break;
        }
        case ecPageTop:
        case ecPageBottom: {
            const int row = Command == ecPageTop
                                ? fTopLine
                                : std::min(fTopLine + lines - 1, std::max(DisplayLineCount(), 1));
            MoveToDisplayPos({DisplayXY().Column, row}, Selecting);
            break;
        }
        default:
            break;
    }
}

void TCodeEditModel::LineStartCommand(bool Selecting) {
    if (fWordWrap) {
        // The start of the caret's row; the enhanced Home works on a line's first row.
        const TDisplayCoord d = DisplayXY();
        if (fWordWrap->IsContinuationRow(d.Row)) {
            MoveCaretAndSelection(fCaret, DisplayToBufferPos({1, d.Row}), Selecting);
            return;
        }
    }
    int target = 1;
    if (fOptions & eoEnhanceHomeKey) {
        const QString& s = LineAt(fCaret.Line);
        int first = 0;
        while (first < s.size() && (s[first] == u' ' || s[first] == u'\t'))
            ++first;
        const int firstNonBlank = first + 1;
        target = (fCaret.Char <= firstNonBlank && fCaret.Char != 1) ? 1 : firstNonBlank;
    }
    MoveCaretAndSelection(fCaret, {target, fCaret.Line}, Selecting);
}

void TCodeEditModel::LineEndCommand(bool Selecting) {
    if (fWordWrap) {
        // The end of the caret's row; the enhanced End works on a line's last row.
        const TDisplayCoord d = DisplayXY();
        if (!IsLastRowOfLine(d.Row)) {
            const int column = std::min(fWordWrap->RowLength(d.Row) + 1, CharsInWindow() + 1);
            MoveCaretAndSelection(fCaret, DisplayToBufferPos({column, d.Row}), Selecting, false,
                                  true);
            return;
        }
    }
    const QString& s = LineAt(fCaret.Line);
    const int end = static_cast<int>(s.size()) + 1;
    int target = end;
    if (fOptions & eoEnhanceEndKey) {
        int last = static_cast<int>(s.size());
        while (last > 0 && (s[last - 1] == u' ' || s[last - 1] == u'\t'))
            --last;
        target = fCaret.Char == last + 1 ? end : last + 1;
    }
    MoveCaretAndSelection(fCaret, {target, fCaret.Line}, Selecting);
}

void TCodeEditModel::ScrollCommand(TCodeEditorCommand Command) {
    const int lines = std::max(LinesInWindow(), 1);
    switch (Command) {
        case ecScrollUp:
        case ecScrollDown: {
            SetTopLine(fTopLine + (Command == ecScrollUp ? -1 : 1));
            const int last = fTopLine + lines - 1;
            const TDisplayCoord d = DisplayXY();
            const int row = std::clamp(d.Row, fTopLine, std::max(last, fTopLine));
            if (row != d.Row) MoveToDisplayPos({d.Column, row}, false);
            break;
        }
        case ecScrollLeft:
            SetLeftChar(fLeftChar - 1);
            break;
        case ecScrollRight:
            SetLeftChar(fLeftChar + 1);
            break;
        default:
            break;
    }
}

void TCodeEditModel::SelectWordAtCaret() {
    const TBufferCoord start = WordStartOf(fCaret);
    const TBufferCoord end = WordEndOf(fCaret);
    if (start == end) return;
    InternalSetCaretXY(end);
    fBlockBegin = start;
    fBlockEnd = end;
    StatusChanged(scSelection);
}

// ---------------------------------------------------------------- case and line commands

void TCodeEditModel::ChangeCase(TCodeEditorCommand Command) {
    const TBufferCoord caret = fCaret;
    TBufferCoord anchor = fBlockBegin;
    TBufferCoord end = fBlockEnd;
    TSelectionMode mode = fActiveSelectionMode;
    const bool hadSelection = SelAvail();
    if (!hadSelection) {
        // Without a selection the word at (or just before) the caret is changed.
        anchor = WordStartOf(fCaret);
        end = WordEndOf(fCaret);
        if (anchor == end) return;
        mode = smNormal;
    }
    const TBufferCoord savedBegin = fBlockBegin;
    const TBufferCoord savedEnd = fBlockEnd;
    fBlockBegin = anchor;
    fBlockEnd = end;
    const std::vector<TSelSegment> segments = SelectionSegments(mode);
    fBlockBegin = savedBegin;
    fBlockEnd = savedEnd;
    TUndoBlock block(*fUndoList);
    for (const TSelSegment& s : segments) {
        const QString old = LineAt(s.Line).mid(s.First - 1, s.Last - s.First);
        QString text = old;
        bool wordStart = true;
        for (QChar& c : text) {
            switch (Command) {
                case ecUpperCase:
                    c = c.toUpper();
                    break;
                case ecLowerCase:
                    c = c.toLower();
                    break;
                case ecToggleCase:
                    c = c.isUpper() ? c.toLower() : c.toUpper();
                    break;
                default:  // title case: the first letter of each word upper, the rest lower
                    c = wordStart ? c.toUpper() : c.toLower();
                    wordStart = !c.isLetterOrNumber();
                    break;
            }
        }
        if (text != old) ReplaceRecorded({s.First, s.Line}, {s.Last, s.Line}, text);
    }
    // The case mappings keep every length, so caret and selection stay where they were.
    InternalSetCaretXY(caret);
    fBlockBegin = hadSelection ? anchor : fCaret;
    fBlockEnd = hadSelection ? end : fCaret;
    StatusChanged(scSelection);
}

// The lines CopyLine and MoveLine act on: the selected lines, or the caret's line.
std::pair<int, int> TCodeEditModel::LineCommandSpan() const {
    int first = fCaret.Line;
    int last = fCaret.Line;
    if (SelAvail()) {
        first = BlockBegin().Line;
        last = SelectedLastLine();
    }
    first = std::clamp(first, 1, LineCount());
    return {first, std::clamp(last, first, LineCount())};
}

void TCodeEditModel::CopyLine(bool Down) {
    if (LineCount() == 0) return;
    const auto [first, last] = LineCommandSpan();
    QString text = LineAt(first);
    for (int line = first + 1; line <= last; ++line)
        text += QStringLiteral("\r\n") + LineAt(line);
    const int shift = Down ? last - first + 1 : 0;
    const TBufferCoord anchor{fBlockBegin.Char, fBlockBegin.Line + shift};
    const TBufferCoord end{fBlockEnd.Char, fBlockEnd.Line + shift};
    const bool hadSelection = HasSelectionEnds();
    TUndoBlock block(*fUndoList);
    if (Down)
        InsertRecorded(crInsert, {LineLength(last) + 1, last}, QStringLiteral("\r\n") + text);
    else
        InsertRecorded(crInsert, {1, first}, text + QStringLiteral("\r\n"));
    InternalSetCaretXY({fCaret.Char, fCaret.Line + shift});
    fBlockBegin = hadSelection ? anchor : fCaret;
    fBlockEnd = hadSelection ? end : fCaret;
    StatusChanged(scSelection);
}

void TCodeEditModel::MoveLine(bool Down) {
    if (LineCount() == 0) return;
    const auto [first, last] = LineCommandSpan();
    if (Down ? last >= LineCount() : first <= 1) return;
    const TBufferCoord anchor = fBlockBegin;
    const TBufferCoord end = fBlockEnd;
    const bool hadSelection = HasSelectionEnds();
    TUndoBlock block(*fUndoList);
    if (Down) {
        // The line below the block goes above it.
        const QString moved = LineAt(last + 1);
        DeleteRecorded(crSilentDelete, {LineLength(last) + 1, last},
                       {LineLength(last + 1) + 1, last + 1});
        InsertRecorded(crInsert, {1, first}, moved + QStringLiteral("\r\n"));
    } else {
        const QString moved = LineAt(first - 1);
        DeleteRecorded(crSilentDelete, {1, first - 1}, {1, first});
        InsertRecorded(crInsert, {LineLength(last - 1) + 1, last - 1},
                       QStringLiteral("\r\n") + moved);
    }
    const int shift = Down ? 1 : -1;
    InternalSetCaretXY({fCaret.Char, fCaret.Line + shift});
    fBlockBegin = hadSelection ? TBufferCoord{anchor.Char, anchor.Line + shift} : fCaret;
    fBlockEnd = hadSelection ? TBufferCoord{end.Char, end.Line + shift} : fCaret;
    StatusChanged(scSelection);
}
