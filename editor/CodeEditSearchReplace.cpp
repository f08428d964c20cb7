// Search and replace over the lines, through the assigned search engine.
#include <QScopedValueRollback>
#include <algorithm>

#include "editor/CodeEditMessages.h"
#include "editor/CodeEditModel.h"
#include "platform/LineBreaks.h"

namespace {

// Appends Value to the line being built; each line break in it finishes that line and starts
// the next.
void AppendBreaking(QStringList& Finished, QString& Current, QStringView Value) {
    bool first = true;
    ForEachLine(Value, TFinalBreak::StartsEmptyLine, [&](qsizetype Start, qsizetype Length) {
        if (!first) {
            Finished.append(std::move(Current));
            Current = QString();
        }
        first = false;
        Current += Value.sliced(Start, Length);
    });
}

}  // namespace

// One search that selects hits one at a time, and may replace them, prompting or not.
struct TCodeEditModel::TSearchWalk {
    const TSearchRange Range;
    const QString& Search;
    const QString& Replacement;
    const bool Backward;
    const bool Replace;
    bool ReplaceAll;
    bool Prompt;
    int Line;  // the next line to search
    int Count = 0;
    bool Done = false;
    bool BlockOpen = false;  // only a prompt answered "replace all" opens the undo block
    // Forward, a replacement with line breaks moves the rest of its line down; the walk goes
    // on there. These map the columns and lines it then sees to those the search began with.
    int LinesAdded = 0;   // lines replacements added above Line
    int MinChar = 0;      // where the rest of the line starts on Line; hits before it are new
    int ColumnShift = 0;  // on Line, the column the search began with minus the present one
};

// Replace-all without prompting, as one pass over the lines.
struct TCodeEditModel::TReplaceAllPass {
    const TSearchRange Range;
    const QString& Replacement;
    const bool Backward;
    // The plain engine hands the replacement back unchanged: no need to cut out each hit.
    const bool Plain;
    const bool Breaks;
    int Count = 0;
    int LinesAdded = 0;    // lines replacements added above the line being replaced
    TBufferCoord Caret{};  // after the last replacement, or before the first when backward
};

// The one rule for which hits a search takes. Line and Char are those of the text as it was
// when the search began, before any replacement the search made.
bool TCodeEditModel::TSearchRange::Contains(int Line, int Char, int Length) const {
    if (Mode == smLine) return true;
    if (Mode == smColumn)
        return (Char >= Start.Char && Char + Length <= End.Char) || End.Char - Start.Char < 1;
    return !((Line == Start.Line && Char < Start.Char) ||
             (Line == End.Line && Char + Length > End.Char));
}

TCodeEditModel::TSearchRange TCodeEditModel::SearchRangeOf(TSearchOptions Options) const {
    TSearchRange range;
    if (Options.testFlag(ssoSelectedOnly) && SelAvail()) {
        range.Mode = fActiveSelectionMode;
        range.Start = BlockBegin();
        range.End = BlockEnd();
        if (range.Mode == smLine) {
            range.Start.Char = 1;
            range.End.Char = LineLength(range.End.Line) + 1;
        } else if (range.Mode == smColumn && range.Start.Char > range.End.Char) {
            std::swap(range.Start.Char, range.End.Char);
        }
        return range;
    }
    range.Mode = smNormal;
    range.Start = {1, 1};
    range.End = TextEnd();
    if (!Options.testFlag(ssoEntireScope)) {
        if (Options.testFlag(ssoBackwards))
            range.End = fCaret;
        else
            range.Start = fCaret;
    }
    return range;
}

// Brings a hit's row into view the way a search does: centred when it lies well outside.
void TCodeEditModel::CenterHitIfNeeded(int Line) {
    const int lines = std::max(LinesInWindow(), 1);
    Line = LineToRow(Line);
    if (Line < fTopLine - 1)
        SetTopLine(std::max(1, Line - lines / 2 + 1));
    else if (Line > fTopLine + lines - 2)
        SetTopLine(std::max(1, Line - (lines - 1) + lines / 2));
}

int TCodeEditModel::SearchReplace(const QString& ASearch, const QString& AReplace,
                                  TSearchOptions AOptions) {
    if (!fSearchEngine) throw ECodeEditError(CodeEditMessages::NoSearchEngine());
    if (ASearch.isEmpty()) return 0;
    const TSearchRange range = SearchRangeOf(AOptions);
    const bool backward = AOptions.testFlag(ssoBackwards);
    // Without a handler to ask there is no prompt: every hit is replaced.
    const bool prompt = AOptions.testFlag(ssoPrompt) && OnReplaceText;
    const bool replaceAll = AOptions.testFlag(ssoReplaceAll);

    const QString sReplace = fSearchEngine->PreprocessReplaceExpression(AReplace);
    fSearchEngine->SetOptions(AOptions);
    fSearchEngine->SetPattern(ASearch);
    if (OnPaintTransient) OnPaintTransient(fSender, ttBefore);

    TPaintLock lock(*this);
    int count;
    if (replaceAll && !prompt) {
        count = ReplaceAllFast(range, backward, sReplace);
    } else {
        TSearchWalk walk{range,
                         ASearch,
                         sReplace,
                         backward,
                         AOptions.testFlag(ssoReplace),
                         replaceAll,
                         prompt,
                         backward ? range.End.Line : range.Start.Line};
        count = SearchHits(walk);
    }
    if (OnPaintTransient) OnPaintTransient(fSender, ttAfter);
    return count;
}

// Walks the lines of the range from the walk's first line until it is done.
int TCodeEditModel::SearchHits(TSearchWalk& Walk) {
    struct TCloseBlock {
        TCodeEditUndoList& List;
        const bool& Open;
        ~TCloseBlock() {
            if (Open) List.EndBlock();
        }
    } closeBlock{*fUndoList, Walk.BlockOpen};

    // Each line is searched once, plus once more for the remainder of every split a
    // replacement makes; every split consumes a hit, and hits never outnumber characters.
    const qsizetype characters =
        LineCount() > 0 ? fLines->LineCharIndex(LineCount() - 1) + LineLength(LineCount()) : 0;
    for (qsizetype guard = LineCount() + characters + 2; !Walk.Done && guard > 0; --guard) {
        if (Walk.Backward ? Walk.Line < Walk.Range.Start.Line
                          : Walk.Line > Walk.Range.End.Line + Walk.LinesAdded)
            break;
        if (Walk.Line < 1 || Walk.Line > LineCount()) break;
        SearchLine(Walk);
    }
    return Walk.Count;
}

// The hits of the walk's line in search order, each in range taken in turn; then the walk
// moves to the next line, or to where a replacement moved the rest of this one.
void TCodeEditModel::SearchLine(TSearchWalk& Walk) {
    const int line = Walk.Line;
    const int originalLine = line - Walk.LinesAdded;
    const int minChar = Walk.MinChar;
    const int shift = Walk.ColumnShift;
    Walk.Line = Walk.Backward ? line - 1 : line + 1;
    Walk.MinChar = 0;
    Walk.ColumnShift = 0;
    const qsizetype hits = fSearchEngine->FindAll(LineAt(line));
    int offset = 0;  // how far this line's replacements moved the hits after them
    for (qsizetype h = 0; h < hits && !Walk.Done; ++h) {
        const qsizetype k = Walk.Backward ? hits - 1 - h : h;
        const int found = static_cast<int>(fSearchEngine->Results(k));
        const int length = static_cast<int>(fSearchEngine->Lengths(k));
        const int position = found + offset;
        if (position < minChar || !Walk.Range.Contains(originalLine, found + shift, length))
            continue;
        const THitOutcome outcome = TakeHit(Walk, {position, line}, length);
        if (outcome == THitOutcome::Stop) return;
        if (Walk.Backward) {
            if (!Walk.ReplaceAll && outcome != THitOutcome::Skipped) Walk.Done = true;
            continue;
        }
        if (outcome == THitOutcome::ReplacedWithBreaks) {
            // The rest of the line moved down: search it again from the caret.
            Walk.LinesAdded += fCaret.Line - line;
            Walk.Line = fCaret.Line;
            Walk.MinChar = fCaret.Char;
            Walk.ColumnShift = found + shift + length - fCaret.Char;
            if (!Walk.ReplaceAll) Walk.Done = true;
            return;
        }
        const int replaceLength = outcome == THitOutcome::Skipped ? length : fCaret.Char - position;
        InternalSetCaretXY({position + replaceLength, line});
        if (outcome == THitOutcome::Skipped) continue;
        offset += replaceLength - length;
        if (!Walk.ReplaceAll) Walk.Done = true;
    }
}

// A hit in range: counted and selected, then replaced when the search replaces and the
// prompt, if any, agrees.
TCodeEditModel::THitOutcome TCodeEditModel::TakeHit(TSearchWalk& Walk, TBufferCoord Hit,
                                                    int Length) {
    ++Walk.Count;
    if (!Walk.ReplaceAll) CenterHitIfNeeded(Hit.Line);
    const TBufferCoord hitEnd{Hit.Char + Length, Hit.Line};
    SetCaretAndSelection(Walk.Backward ? Hit : hitEnd, Hit, hitEnd);
    if (!Walk.Replace && !Walk.ReplaceAll) {
        Walk.Done = true;
        return THitOutcome::Stop;
    }
    TReplaceAction action = raReplace;
    if (Walk.Prompt) {
        OnReplaceText(fSender, Walk.Search, Walk.Replacement, Hit.Line, Hit.Char, action);
        if (action == raCancel) {
            Walk.Done = true;
            return THitOutcome::Stop;
        }
    }
    if (action == raSkip) {
        --Walk.Count;
        return THitOutcome::Skipped;
    }
    if (action == raReplaceAll) {
        Walk.ReplaceAll = true;
        Walk.Prompt = false;
        if (!Walk.BlockOpen) {
            fUndoList->BeginBlock();
            Walk.BlockOpen = true;
        }
    }
    return ReplaceHit(Walk.Replacement, Hit, hitEnd) ? THitOutcome::ReplacedWithBreaks
                                                     : THitOutcome::Replaced;
}

// Replaces the selected hit, Begin to End, recorded for undo. Gives whether the replacement
// broke the line.
bool TCodeEditModel::ReplaceHit(const QString& Replacement, TBufferCoord Begin, TBufferCoord End) {
    const QString replacement = fSearchEngine->Replace(SelText(), Replacement);
    // A hit is a stream range on one line, whatever the selection mode.
    const QScopedValueRollback<TSelectionMode> mode(fActiveSelectionMode, smNormal);
    SetCaretAndSelection(End, Begin, End);
    SetSelTextPrimitive(smNormal, replacement);
    return HasLineBreak(replacement);
}

// Replace-all without prompting: each line's hits are replaced in one pass, and the line is
// recorded as one change holding its old text, which the store shares instead of copying. A
// replacement that breaks lines turns the line into several, still in one pass, so a long
// line with many hits costs no more than a short one per hit. The result equals replacing
// the line's hits one by one, from left to right.
int TCodeEditModel::ReplaceAllFast(const TSearchRange& Range, bool Backward,
                                   const QString& Replacement) {
    const bool plain = dynamic_cast<TCodeEditSearch*>(fSearchEngine) != nullptr;
    TReplaceAllPass pass{Range, Replacement, Backward, plain, plain && HasLineBreak(Replacement)};
    TUndoBlock block(*fUndoList);
    int last = std::min(Range.End.Line, LineCount());
    for (int line = std::max(Range.Start.Line, 1); line <= last; ++line) {
        const int added = ReplaceAllInLine(pass, line);
        // The lines below moved down; their hits are judged by their old coordinates still.
        pass.LinesAdded += added;
        last += added;
        line += added;
    }
    if (pass.Count > 0) {
        InternalSetCaretXY(pass.Caret);
        CollapseSelection();
    }
    return pass.Count;
}

// Replaces the hits in range of one line, as one recorded change. Gives the number of lines
// the replacements added.
int TCodeEditModel::ReplaceAllInLine(TReplaceAllPass& Pass, int Line) {
    const QString old = LineAt(Line);
    const qsizetype hits = fSearchEngine->FindAll(old);
    if (hits == 0) return 0;
    const int originalLine = Line - Pass.LinesAdded;
    QStringList finished;  // lines already ended by a replacement's line break
    QString text;          // the line being built
    qsizetype copied = 0;  // characters of the old line taken over so far
    int replaced = 0;
    for (qsizetype k = 0; k < hits; ++k) {
        const int position = static_cast<int>(fSearchEngine->Results(k));
        const int length = static_cast<int>(fSearchEngine->Lengths(k));
        if (!Pass.Range.Contains(originalLine, position, length)) continue;
        if (replaced == 0 && !Pass.Breaks)
            text.reserve(old.size() + Pass.Replacement.size() * (hits - k));
        text += QStringView(old).mid(copied, position - 1 - copied);
        const TBufferCoord newStart{static_cast<int>(text.size()) + 1,
                                    Line + static_cast<int>(finished.size())};
        if (Pass.Plain && !Pass.Breaks) {
            text += Pass.Replacement;
        } else {
            // Whatever comes back, line breaks in it become lines of their own.
            AppendBreaking(finished, text,
                           Pass.Plain ? Pass.Replacement
                                      : fSearchEngine->Replace(old.mid(position - 1, length),
                                                               Pass.Replacement));
        }
        copied = position - 1 + length;
        if (!Pass.Backward)
            Pass.Caret = {static_cast<int>(text.size()) + 1,
                          Line + static_cast<int>(finished.size())};
        else if (Pass.Count == 0)
            Pass.Caret = newStart;
        ++Pass.Count;
        ++replaced;
    }
    if (replaced == 0) return 0;
    text += QStringView(old).mid(copied);
    if (finished.isEmpty()) {
        fLines->Put(Line - 1, text);
        Record(crInsert, {1, Line}, {static_cast<int>(text.size()) + 1, Line}, old);
        return 0;
    }
    finished.append(std::move(text));
    const TBufferCoord end = RawSplitLine(Line, std::move(finished));
    Record(crInsert, {1, Line}, end, old);
    return end.Line - Line;
}
