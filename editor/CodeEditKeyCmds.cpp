#include "editor/CodeEditKeyCmds.h"

#include <algorithm>

const std::vector<TEditorCommandName>& EditorCommandNames() {
    static const std::vector<TEditorCommandName> names = [] {
        std::vector<TEditorCommandName> v = {
            {ecNone, "ecNone"},
            {ecLeft, "ecLeft"},
            {ecRight, "ecRight"},
            {ecUp, "ecUp"},
            {ecDown, "ecDown"},
            {ecWordLeft, "ecWordLeft"},
            {ecWordRight, "ecWordRight"},
            {ecLineStart, "ecLineStart"},
            {ecLineEnd, "ecLineEnd"},
            {ecPageUp, "ecPageUp"},
            {ecPageDown, "ecPageDown"},
            {ecPageLeft, "ecPageLeft"},
            {ecPageRight, "ecPageRight"},
            {ecPageTop, "ecPageTop"},
            {ecPageBottom, "ecPageBottom"},
            {ecEditorTop, "ecEditorTop"},
            {ecEditorBottom, "ecEditorBottom"},
            {ecGotoXY, "ecGotoXY"},
            {ecSelLeft, "ecSelLeft"},
            {ecSelRight, "ecSelRight"},
            {ecSelUp, "ecSelUp"},
            {ecSelDown, "ecSelDown"},
            {ecSelWordLeft, "ecSelWordLeft"},
            {ecSelWordRight, "ecSelWordRight"},
            {ecSelLineStart, "ecSelLineStart"},
            {ecSelLineEnd, "ecSelLineEnd"},
            {ecSelPageUp, "ecSelPageUp"},
            {ecSelPageDown, "ecSelPageDown"},
            {ecSelPageLeft, "ecSelPageLeft"},
            {ecSelPageRight, "ecSelPageRight"},
            {ecSelPageTop, "ecSelPageTop"},
            {ecSelPageBottom, "ecSelPageBottom"},
            {ecSelEditorTop, "ecSelEditorTop"},
            {ecSelEditorBottom, "ecSelEditorBottom"},
            {ecSelGotoXY, "ecSelGotoXY"},
            {ecSelWord, "ecSelWord"},
            {ecSelectAll, "ecSelectAll"},
            {ecCopy, "ecCopy"},
            {ecScrollUp, "ecScrollUp"},
            {ecScrollDown, "ecScrollDown"},
            {ecScrollLeft, "ecScrollLeft"},
            {ecScrollRight, "ecScrollRight"},
            {ecInsertMode, "ecInsertMode"},
            {ecOverwriteMode, "ecOverwriteMode"},
            {ecToggleMode, "ecToggleMode"},
            {ecNormalSelect, "ecNormalSelect"},
            {ecColumnSelect, "ecColumnSelect"},
            {ecLineSelect, "ecLineSelect"},
            {ecMatchBracket, "ecMatchBracket"},
            {ecCommentBlock, "ecCommentBlock"},
        };
        static const char* const gotoMarkers[] = {
            "ecGotoMarker0", "ecGotoMarker1", "ecGotoMarker2", "ecGotoMarker3", "ecGotoMarker4",
            "ecGotoMarker5", "ecGotoMarker6", "ecGotoMarker7", "ecGotoMarker8", "ecGotoMarker9"};
        static const char* const setMarkers[] = {
            "ecSetMarker0", "ecSetMarker1", "ecSetMarker2", "ecSetMarker3", "ecSetMarker4",
            "ecSetMarker5", "ecSetMarker6", "ecSetMarker7", "ecSetMarker8", "ecSetMarker9"};
        for (int i = 0; i < 10; ++i)
            v.push_back({static_cast<TCodeEditorCommand>(ecGotoMarker0 + i), gotoMarkers[i]});
        for (int i = 0; i < 10; ++i)
            v.push_back({static_cast<TCodeEditorCommand>(ecSetMarker0 + i), setMarkers[i]});
        const TEditorCommandName rest[] = {
            {ecContextHelp, "ecContextHelp"},
            {ecDeleteLastChar, "ecDeleteLastChar"},
            {ecDeleteChar, "ecDeleteChar"},
            {ecDeleteWord, "ecDeleteWord"},
            {ecDeleteLastWord, "ecDeleteLastWord"},
            {ecDeleteBOL, "ecDeleteBOL"},
            {ecDeleteEOL, "ecDeleteEOL"},
            {ecDeleteLine, "ecDeleteLine"},
            {ecClearAll, "ecClearAll"},
            {ecLineBreak, "ecLineBreak"},
            {ecInsertLine, "ecInsertLine"},
            {ecChar, "ecChar"},
            {ecImeStr, "ecImeStr"},
            {ecUndo, "ecUndo"},
            {ecRedo, "ecRedo"},
            {ecCut, "ecCut"},
            {ecPaste, "ecPaste"},
            {ecBlockIndent, "ecBlockIndent"},
            {ecBlockUnindent, "ecBlockUnindent"},
            {ecTab, "ecTab"},
            {ecShiftTab, "ecShiftTab"},
            {ecUpperCase, "ecUpperCase"},
            {ecLowerCase, "ecLowerCase"},
            {ecToggleCase, "ecToggleCase"},
            {ecTitleCase, "ecTitleCase"},
            {ecString, "ecString"},
            {ecAutoCompletion, "ecAutoCompletion"},
            {ecCopyLineUp, "ecCopyLineUp"},
            {ecCopyLineDown, "ecCopyLineDown"},
            {ecMoveLineUp, "ecMoveLineUp"},
            {ecMoveLineDown, "ecMoveLineDown"},
            {ecFoldAll, "ecFoldAll"},
            {ecUnfoldAll, "ecUnfoldAll"},
            {ecFoldNearest, "ecFoldNearest"},
            {ecUnfoldNearest, "ecUnfoldNearest"},
            {ecFoldLevel1, "ecFoldLevel1"},
            {ecFoldLevel2, "ecFoldLevel2"},
            {ecFoldLevel3, "ecFoldLevel3"},
            {ecUnfoldLevel1, "ecUnfoldLevel1"},
            {ecUnfoldLevel2, "ecUnfoldLevel2"},
            {ecUnfoldLevel3, "ecUnfoldLevel3"},
            {ecFoldRanges, "ecFoldRanges"},
            {ecUnfoldRanges, "ecUnfoldRanges"},
            {ecUserFirst, "ecUserFirst"},
        };
        v.insert(v.end(), std::begin(rest), std::end(rest));
        return v;
    }();
    return names;
}

QString EditorCommandToIdent(TCodeEditorCommand Command) {
    const auto& names = EditorCommandNames();
    const auto it = std::lower_bound(
        names.begin(), names.end(), Command,
        [](const TEditorCommandName& n, TCodeEditorCommand c) { return n.Command < c; });
    if (it == names.end() || it->Command != Command) return {};
    return QString::fromLatin1(it->Name);
}

bool IdentToEditorCommand(const QString& Ident, TCodeEditorCommand& Command) {
    for (const TEditorCommandName& n : EditorCommandNames()) {
        if (Ident.compare(QLatin1String(n.Name), Qt::CaseInsensitive) == 0) {
            Command = n.Command;
            return true;
        }
    }
    return false;
}

TShortCut ShortCut(quint16 Key, TShiftState Shift) {
    TShortCut result = Key & 0x1FFF;
    if (Shift & ssShift) result |= scShift;
    if (Shift & ssCtrl) result |= scCtrl;
    if (Shift & ssAlt) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, quint16& Key, TShiftState& Shift) {
    Key = ShortCut & 0x1FFF;
    Shift = {};
    if (ShortCut & scShift) Shift |= ssShift;
    if (ShortCut & scCtrl) Shift |= ssCtrl;
    if (ShortCut & scAlt) Shift |= ssAlt;
}

TCodeEditKeyStroke& TCodeEditKeyStrokes::AddKey(TCodeEditorCommand Command, quint16 Key,
                                                TShiftState Shift, quint16 Key2,
                                                TShiftState Shift2) {
    TCodeEditKeyStroke stroke;
    stroke.Command = Command;
    stroke.Key = Key;
    stroke.Shift = Shift;
    stroke.Key2 = Key2;
    stroke.Shift2 = Key2 == 0 ? TShiftState() : Shift2;
    fItems.push_back(stroke);
    return fItems.back();
}

void TCodeEditKeyStrokes::Delete(int Index) {
    if (Index >= 0 && Index < Count()) fItems.erase(fItems.begin() + Index);
}

int TCodeEditKeyStrokes::FindKeycode(quint16 Key, TShiftState Shift) const {
    for (int i = 0; i < Count(); ++i) {
        const TCodeEditKeyStroke& k = fItems[i];
        if (k.Key2 == 0 && k.Key == Key && k.Shift == Shift) return i;
    }
    return -1;
}

int TCodeEditKeyStrokes::FindKeycode2(quint16 Key1, TShiftState Shift1, quint16 Key2,
                                      TShiftState Shift2) const {
    if (Key2 == 0) return -1;
    for (int i = 0; i < Count(); ++i) {
        const TCodeEditKeyStroke& k = fItems[i];
        if (k.Key == Key1 && k.Shift == Shift1 && k.Key2 == Key2 && k.Shift2 == Shift2) return i;
    }
    return -1;
}

int TCodeEditKeyStrokes::FindCommand(TCodeEditorCommand Command) const {
    for (int i = 0; i < Count(); ++i)
        if (fItems[i].Command == Command) return i;
    return -1;
}

int TCodeEditKeyStrokes::FindShortcut(TShortCut ShortCut) const {
    for (int i = 0; i < Count(); ++i)
        if (fItems[i].Key2 == 0 && fItems[i].ShortCut() == ShortCut) return i;
    return -1;
}

int TCodeEditKeyStrokes::FindShortcut2(TShortCut ShortCut, TShortCut ShortCut2) const {
    for (int i = 0; i < Count(); ++i)
        if (fItems[i].ShortCut() == ShortCut && fItems[i].ShortCut2() == ShortCut2) return i;
    return -1;
}

// The default table, in the order in which lookups meet it.
void TCodeEditKeyStrokes::ResetDefaults() {
    Clear();
    const TShiftState none;
    const TShiftState shift = ssShift;
    const TShiftState ctrl = ssCtrl;
    const TShiftState alt = ssAlt;
    const TShiftState ctrlShift = ssCtrl | ssShift;
    const TShiftState altShift = ssAlt | ssShift;
    auto key = [](char c) { return static_cast<quint16>(c); };

    AddKey(ecUp, vk::Up, none);
    AddKey(ecSelUp, vk::Up, shift);
    AddKey(ecScrollUp, vk::Up, ctrl);
    AddKey(ecDown, vk::Down, none);
    AddKey(ecSelDown, vk::Down, shift);
    AddKey(ecScrollDown, vk::Down, ctrl);
    AddKey(ecLeft, vk::Left, none);
    AddKey(ecSelLeft, vk::Left, shift);
    AddKey(ecWordLeft, vk::Left, ctrl);
    AddKey(ecSelWordLeft, vk::Left, ctrlShift);
    AddKey(ecRight, vk::Right, none);
    AddKey(ecSelRight, vk::Right, shift);
    AddKey(ecWordRight, vk::Right, ctrl);
    AddKey(ecSelWordRight, vk::Right, ctrlShift);
    AddKey(ecPageDown, vk::Next, none);
    AddKey(ecSelPageDown, vk::Next, shift);
    AddKey(ecPageBottom, vk::Next, ctrl);
    AddKey(ecSelPageBottom, vk::Next, ctrlShift);
    AddKey(ecPageUp, vk::Prior, none);
    AddKey(ecSelPageUp, vk::Prior, shift);
    AddKey(ecPageTop, vk::Prior, ctrl);
    AddKey(ecSelPageTop, vk::Prior, ctrlShift);
    AddKey(ecLineStart, vk::Home, none);
    AddKey(ecSelLineStart, vk::Home, shift);
    AddKey(ecEditorTop, vk::Home, ctrl);
    AddKey(ecSelEditorTop, vk::Home, ctrlShift);
    AddKey(ecLineEnd, vk::End, none);
    AddKey(ecSelLineEnd, vk::End, shift);
    AddKey(ecEditorBottom, vk::End, ctrl);
    AddKey(ecSelEditorBottom, vk::End, ctrlShift);
    AddKey(ecToggleMode, vk::Insert, none);
    AddKey(ecCopy, vk::Insert, ctrl);
    AddKey(ecCut, vk::Delete, shift);
    AddKey(ecPaste, vk::Insert, shift);
    AddKey(ecDeleteChar, vk::Delete, none);
    AddKey(ecDeleteLastChar, vk::Back, none);
    AddKey(ecDeleteLastChar, vk::Back, shift);
    AddKey(ecDeleteLastWord, vk::Back, ctrl);
    AddKey(ecUndo, vk::Back, alt);
    AddKey(ecRedo, vk::Back, altShift);
    AddKey(ecLineBreak, vk::Return, none);
    AddKey(ecLineBreak, vk::Return, shift);
    AddKey(ecTab, vk::Tab, none);
    AddKey(ecShiftTab, vk::Tab, shift);
    AddKey(ecContextHelp, vk::F1, none);
    AddKey(ecSelectAll, key('A'), ctrl);
    AddKey(ecCopy, key('C'), ctrl);
    AddKey(ecPaste, key('V'), ctrl);
    AddKey(ecCut, key('X'), ctrl);
    AddKey(ecBlockIndent, key('I'), ctrlShift);
    AddKey(ecBlockUnindent, key('U'), ctrlShift);
    AddKey(ecLineBreak, key('M'), ctrl);
    AddKey(ecInsertLine, key('N'), ctrl);
    AddKey(ecDeleteWord, key('T'), ctrl);
    AddKey(ecDeleteLine, key('Y'), ctrl);
    AddKey(ecDeleteEOL, key('Y'), ctrlShift);
    AddKey(ecUndo, key('Z'), ctrl);
    AddKey(ecRedo, key('Z'), ctrlShift);
    for (int i = 0; i < 10; ++i)
        AddKey(static_cast<TCodeEditorCommand>(ecGotoMarker0 + i), key(char('0' + i)), ctrl);
    for (int i = 0; i < 10; ++i)
        AddKey(static_cast<TCodeEditorCommand>(ecSetMarker0 + i), key(char('0' + i)), ctrlShift);
    AddKey(ecNormalSelect, key('N'), ctrlShift);
    AddKey(ecColumnSelect, key('C'), ctrlShift);
    AddKey(ecLineSelect, key('L'), ctrlShift);
    AddKey(ecMatchBracket, key('B'), ctrlShift);
    AddKey(ecLowerCase, key('K'), ctrl, key('L'), ctrl);
    AddKey(ecUpperCase, key('K'), ctrl, key('U'), ctrl);
    AddKey(ecTitleCase, key('K'), ctrl, key('T'), ctrl);
    AddKey(ecCopyLineUp, vk::Up, altShift);
    AddKey(ecCopyLineDown, vk::Down, altShift);
    AddKey(ecMoveLineUp, vk::Up, alt);
    AddKey(ecMoveLineDown, vk::Down, alt);
    AddKey(ecFoldAll, vk::OemMinus, ctrlShift);
    AddKey(ecUnfoldAll, vk::OemPlus, ctrlShift);
    AddKey(ecFoldNearest, vk::Oem2, ctrl);
    AddKey(ecUnfoldNearest, vk::Oem2, ctrlShift);
    AddKey(ecFoldLevel1, key('K'), ctrl, key('1'), ctrl);
    AddKey(ecFoldLevel2, key('K'), ctrl, key('2'), ctrl);
    AddKey(ecFoldLevel3, key('K'), ctrl, key('3'), ctrl);
    AddKey(ecUnfoldLevel1, key('K'), ctrlShift, key('1'), ctrlShift);
    AddKey(ecUnfoldLevel2, key('K'), ctrlShift, key('2'), ctrlShift);
    AddKey(ecUnfoldLevel3, key('K'), ctrlShift, key('3'), ctrlShift);
}
