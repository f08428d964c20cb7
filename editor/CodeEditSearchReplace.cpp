// Search and replace over the lines, through the assigned search engine.
#include <algorithm>

#include "editor/CodeEditModel.h"

namespace {

bool HasLineBreak(const QString& S) {
    return S.contains(u'\r') || S.contains(u'\n');
}

// Appends Value to the line being built; each line break in it (CR LF, CR or LF) finishes
// that line and starts the next.
void AppendBreaking(QStringList& Finished, QString& Current, QStringView Value) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < Value.size(); ++i) {
        const QChar c = Value[i];
        if (c != u'\r' && c != u'\n') continue;
        Current += Value.mid(start, i - start);
        Finished.append(std::move(Current));
        Current = QString();
        if (c == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    Current += Value.mid(start);
}

}  // namespace

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
    if (!fSearchEngine) throw ECodeEditError(QStringLiteral("No search engine has been assigned"));
    if (ASearch.isEmpty()) return 0;
    const bool backward = AOptions.testFlag(ssoBackwards);
    // Without a handler to ask there is no prompt: every hit is replaced.
    bool prompt = AOptions.testFlag(ssoPrompt) && OnReplaceText;
    const bool replace = AOptions.testFlag(ssoReplace);
    bool replaceAll = AOptions.testFlag(ssoReplaceAll);
    const bool fromCaret = !AOptions.testFlag(ssoEntireScope);
    const bool selectedOnly = AOptions.testFlag(ssoSelectedOnly) && SelAvail();
    const TSelectionMode selMode = selectedOnly ? fActiveSelectionMode : smNormal;

    TBufferCoord start;
    TBufferCoord end;
    if (selectedOnly) {
        start = BlockBegin();
        end = BlockEnd();
        if (selMode == smLine) {
            start.Char = 1;
            end.Char = LineLength(end.Line) + 1;
        } else if (selMode == smColumn && start.Char > end.Char) {
            std::swap(start.Char, end.Char);
        }
    } else {
        start = {1, 1};
        end = TextEnd();
        if (fromCaret) {
            if (backward)
                end = fCaret;
            else
                start = fCaret;
        }
    }

    const QString sReplace = fSearchEngine->PreprocessReplaceExpression(AReplace);
    fSearchEngine->SetOptions(AOptions);
    fSearchEngine->SetPattern(ASearch);
    if (OnPaintTransient) OnPaintTransient(fSender, ttBefore);

    TPaintLock lock(*this);
    if (replaceAll && !prompt) {
        const int count = ReplaceAllFast(start, end, backward, selectedOnly, sReplace);
        if (OnPaintTransient) OnPaintTransient(fSender, ttAfter);
        return count;
    }

    int count = 0;
    // Only a prompt answered "replace all" opens the undo block here.
    bool blockOpen = false;
    struct TCloseBlock {
        TCodeEditUndoList& List;
        bool& Open;
        ~TCloseBlock() {
            if (Open) List.EndBlock();
        }
    } closeBlock{*fUndoList, blockOpen};

    int line = backward ? end.Line : start.Line;
    int minChar = 0;  // after a replacement with line breaks: where the rest of the line went
    bool done = false;
    // Each line is searched once, plus once more for the remainder of every split a
    // replacement makes; every split consumes a hit, and hits never outnumber characters.
    const qsizetype characters =
        LineCount() > 0 ? fLines->LineCharIndex(LineCount() - 1) + LineLength(LineCount()) : 0;
    for (qsizetype guard = LineCount() + characters + 2; !done && guard > 0; --guard) {
        if (backward ? line < start.Line : line > end.Line) break;
        if (line < 1 || line > LineCount()) break;
        const qsizetype hits = fSearchEngine->FindAll(LineAt(line));
        int offset = 0;
        int nextLine = backward ? line - 1 : line + 1;
        int nextMinChar = 0;
        for (qsizetype h = 0; h < hits && !done; ++h) {
            const qsizetype k = backward ? hits - 1 - h : h;
            const int found = static_cast<int>(fSearchEngine->Results(k));
            const int length = static_cast<int>(fSearchEngine->Lengths(k));
            const int position = found + offset;
            if (position < minChar) continue;
            bool inRange;
            if (selectedOnly && selMode == smLine) {
                inRange = true;
            } else if (selectedOnly && selMode == smColumn) {
                // Columns are those of the line as it was before this line's replacements.
                inRange = (found >= start.Char && found + length <= end.Char) ||
                          end.Char - start.Char < 1;
            } else {
                inRange = !((line == start.Line && position < start.Char) ||
                            (line == end.Line && position + length > end.Char));
            }
            if (!inRange) continue;
            ++count;
            if (!replaceAll) CenterHitIfNeeded(line);
            const TBufferCoord hitBegin{position, line};
            const TBufferCoord hitEnd{position + length, line};
            SetCaretAndSelection(backward ? hitBegin : hitEnd, hitBegin, hitEnd);
            if (!replace && !replaceAll) {
                done = true;
                break;
            }
            TReplaceAction action = raReplace;
            if (prompt) {
                OnReplaceText(fSender, ASearch, sReplace, line, position, action);
                if (action == raCancel) {
                    done = true;
                    break;
                }
            }
            int replaceLength = length;
            if (action == raSkip) {
                --count;
            } else {
                if (action == raReplaceAll) {
                    replaceAll = true;
                    prompt = false;
                    if (!blockOpen) {
                        fUndoList->BeginBlock();
                        blockOpen = true;
                    }
                }
                // A hit is a stream range on one line, whatever the selection mode.
                const QString replacement = fSearchEngine->Replace(SelText(), sReplace);
                const TSelectionMode mode = fActiveSelectionMode;
                fActiveSelectionMode = smNormal;
                SetCaretAndSelection(hitEnd, hitBegin, hitEnd);
                SetSelTextPrimitive(smNormal, replacement);
                fActiveSelectionMode = mode;
                replaceLength = fCaret.Char - position;
                if (!backward && HasLineBreak(replacement)) {
                    // The rest of the line moved down: search it again from the caret. The
                    // replacement may break lines with CR LF, CR or LF alike.
                    end.Line += fCaret.Line - line;
                    nextLine = fCaret.Line;
                    nextMinChar = fCaret.Char;
                    if (!replaceAll) done = true;
                    break;
                }
            }
            if (!backward) {
                InternalSetCaretXY({position + replaceLength, line});
                const int delta = replaceLength - length;
                if (action != raSkip && delta != 0) {
                    offset += delta;
                    if (!(selectedOnly && selMode == smColumn) && line == end.Line) {
                        end.Char += delta;
                    }
                }
            }
            if (!replaceAll && action != raSkip) done = true;
        }
        line = nextLine;
        minChar = nextMinChar;
    }
    if (blockOpen) {
        fUndoList->EndBlock();
        blockOpen = false;
    }
    if (OnPaintTransient) OnPaintTransient(fSender, ttAfter);
    return count;
}

// Replace-all without prompting: each line's hits are replaced in one pass, and the line is
// recorded as one change holding its old text, which the store shares instead of copying. A
// replacement that breaks lines turns the line into several, still in one pass, so a long
// line with many hits costs no more than a short one per hit. The result equals replacing
// the line's hits one by one, from left to right.
int TCodeEditModel::ReplaceAllFast(TBufferCoord Start, TBufferCoord End, bool Backward,
                                   bool SelectedOnly, const QString& Replacement) {
    const TSelectionMode selMode = SelectedOnly ? fActiveSelectionMode : smNormal;
    // The plain engine hands the replacement back unchanged: no need to cut out each hit.
    const bool plain = dynamic_cast<TCodeEditSearch*>(fSearchEngine) != nullptr;
    TUndoBlock block(*fUndoList);
    int count = 0;
    TBufferCoord caret;
    bool first = true;
    const bool breaks = plain && HasLineBreak(Replacement);
    int last = std::min(End.Line, LineCount());
    for (int line = std::max(Start.Line, 1); line <= last; ++line) {
        const QString old = LineAt(line);
        const qsizetype hits = fSearchEngine->FindAll(old);
        if (hits == 0) continue;
        QStringList finished;  // lines already ended by a replacement's line break
        QString text;          // the line being built
        qsizetype copied = 0;  // characters of the old line taken over so far
        int replaced = 0;
        for (qsizetype k = 0; k < hits; ++k) {
            const int position = static_cast<int>(fSearchEngine->Results(k));
            const int length = static_cast<int>(fSearchEngine->Lengths(k));
            bool inRange;
            if (SelectedOnly && selMode == smLine) {
                inRange = true;
            } else if (SelectedOnly && selMode == smColumn) {
                inRange = (position >= Start.Char && position + length <= End.Char) ||
                          End.Char - Start.Char < 1;
            } else {
                inRange = !((line == Start.Line && position < Start.Char) ||
                            (line == End.Line && position + length > End.Char));
            }
            if (!inRange) continue;
            if (replaced == 0 && !breaks)
                text.reserve(old.size() + Replacement.size() * (hits - k));
            text += QStringView(old).mid(copied, position - 1 - copied);
            const TBufferCoord newStart{static_cast<int>(text.size()) + 1,
                                        line + static_cast<int>(finished.size())};
            if (plain && !breaks) {
                text += Replacement;
            } else {
                // Whatever comes back, line breaks in it become lines of their own.
                AppendBreaking(
                    finished, text,
                    plain ? Replacement
                          : fSearchEngine->Replace(old.mid(position - 1, length), Replacement));
            }
            copied = position - 1 + length;
            ++count;
            ++replaced;
            if (Backward) {
                if (first) caret = newStart;
            } else {
                caret = {static_cast<int>(text.size()) + 1,
                         line + static_cast<int>(finished.size())};
            }
            first = false;
        }
        if (replaced == 0) continue;
        text += QStringView(old).mid(copied);
        if (finished.isEmpty()) {
            fLines->Put(line - 1, text);
            Record(crInsert, {1, line}, {static_cast<int>(text.size()) + 1, line}, old);
            continue;
        }
        finished.append(std::move(text));
        const TBufferCoord end = RawSplitLine(line, std::move(finished));
        Record(crInsert, {1, line}, end, old);
        // The lines below moved down; their hits are judged by their old coordinates still.
        last += end.Line - line;
        End.Line += end.Line - line;
        line = end.Line;
    }
    if (count > 0) {
        InternalSetCaretXY(caret);
        CollapseSelection();
    }
    return count;
}
