#pragma once

#include <QFlags>
#include <QString>
#include <QtGlobal>
#include <vector>

// Editor commands: every keyboard action of the editor is one of these numbers. The editor
// executes the numbers below ecUserFirst; user commands only travel through the events.
using TCodeEditorCommand = quint16;

inline constexpr TCodeEditorCommand ecNone = 0;

inline constexpr TCodeEditorCommand ecLeft = 1;
inline constexpr TCodeEditorCommand ecRight = 2;
inline constexpr TCodeEditorCommand ecUp = 3;
inline constexpr TCodeEditorCommand ecDown = 4;
inline constexpr TCodeEditorCommand ecWordLeft = 5;
inline constexpr TCodeEditorCommand ecWordRight = 6;
inline constexpr TCodeEditorCommand ecLineStart = 7;
inline constexpr TCodeEditorCommand ecLineEnd = 8;
inline constexpr TCodeEditorCommand ecPageUp = 9;
inline constexpr TCodeEditorCommand ecPageDown = 10;
inline constexpr TCodeEditorCommand ecPageLeft = 11;
inline constexpr TCodeEditorCommand ecPageRight = 12;
inline constexpr TCodeEditorCommand ecPageTop = 13;
inline constexpr TCodeEditorCommand ecPageBottom = 14;
inline constexpr TCodeEditorCommand ecEditorTop = 15;
inline constexpr TCodeEditorCommand ecEditorBottom = 16;
inline constexpr TCodeEditorCommand ecGotoXY = 17;

// Each selecting movement is its movement + ecSelection.
inline constexpr TCodeEditorCommand ecSelection = 100;
inline constexpr TCodeEditorCommand ecSelLeft = ecLeft + ecSelection;
inline constexpr TCodeEditorCommand ecSelRight = ecRight + ecSelection;
inline constexpr TCodeEditorCommand ecSelUp = ecUp + ecSelection;
inline constexpr TCodeEditorCommand ecSelDown = ecDown + ecSelection;
inline constexpr TCodeEditorCommand ecSelWordLeft = ecWordLeft + ecSelection;
inline constexpr TCodeEditorCommand ecSelWordRight = ecWordRight + ecSelection;
inline constexpr TCodeEditorCommand ecSelLineStart = ecLineStart + ecSelection;
inline constexpr TCodeEditorCommand ecSelLineEnd = ecLineEnd + ecSelection;
inline constexpr TCodeEditorCommand ecSelPageUp = ecPageUp + ecSelection;
inline constexpr TCodeEditorCommand ecSelPageDown = ecPageDown + ecSelection;
inline constexpr TCodeEditorCommand ecSelPageLeft = ecPageLeft + ecSelection;
inline constexpr TCodeEditorCommand ecSelPageRight = ecPageRight + ecSelection;
inline constexpr TCodeEditorCommand ecSelPageTop = ecPageTop + ecSelection;
inline constexpr TCodeEditorCommand ecSelPageBottom = ecPageBottom + ecSelection;
inline constexpr TCodeEditorCommand ecSelEditorTop = ecEditorTop + ecSelection;
inline constexpr TCodeEditorCommand ecSelEditorBottom = ecEditorBottom + ecSelection;
inline constexpr TCodeEditorCommand ecSelGotoXY = ecGotoXY + ecSelection;

inline constexpr TCodeEditorCommand ecSelWord = 198;
inline constexpr TCodeEditorCommand ecSelectAll = 199;
inline constexpr TCodeEditorCommand ecCopy = 201;
inline constexpr TCodeEditorCommand ecScrollUp = 211;
inline constexpr TCodeEditorCommand ecScrollDown = 212;
inline constexpr TCodeEditorCommand ecScrollLeft = 213;
inline constexpr TCodeEditorCommand ecScrollRight = 214;
inline constexpr TCodeEditorCommand ecInsertMode = 221;
inline constexpr TCodeEditorCommand ecOverwriteMode = 222;
inline constexpr TCodeEditorCommand ecToggleMode = 223;
inline constexpr TCodeEditorCommand ecNormalSelect = 231;
inline constexpr TCodeEditorCommand ecColumnSelect = 232;
inline constexpr TCodeEditorCommand ecLineSelect = 233;
inline constexpr TCodeEditorCommand ecMatchBracket = 250;
inline constexpr TCodeEditorCommand ecCommentBlock = 251;

inline constexpr TCodeEditorCommand ecGotoMarker0 = 301;  // ... ecGotoMarker9 = 310
inline constexpr TCodeEditorCommand ecGotoMarker9 = 310;
inline constexpr TCodeEditorCommand ecSetMarker0 = 351;  // ... ecSetMarker9 = 360
inline constexpr TCodeEditorCommand ecSetMarker9 = 360;

inline constexpr TCodeEditorCommand ecContextHelp = 490;

inline constexpr TCodeEditorCommand ecDeleteLastChar = 501;
inline constexpr TCodeEditorCommand ecDeleteChar = 502;
inline constexpr TCodeEditorCommand ecDeleteWord = 503;
inline constexpr TCodeEditorCommand ecDeleteLastWord = 504;
inline constexpr TCodeEditorCommand ecDeleteBOL = 505;
inline constexpr TCodeEditorCommand ecDeleteEOL = 506;
inline constexpr TCodeEditorCommand ecDeleteLine = 507;
inline constexpr TCodeEditorCommand ecClearAll = 508;
inline constexpr TCodeEditorCommand ecLineBreak = 509;
inline constexpr TCodeEditorCommand ecInsertLine = 510;
inline constexpr TCodeEditorCommand ecChar = 511;
inline constexpr TCodeEditorCommand ecImeStr = 550;

inline constexpr TCodeEditorCommand ecUndo = 601;
inline constexpr TCodeEditorCommand ecRedo = 602;
inline constexpr TCodeEditorCommand ecCut = 603;
inline constexpr TCodeEditorCommand ecPaste = 604;
inline constexpr TCodeEditorCommand ecBlockIndent = 610;
inline constexpr TCodeEditorCommand ecBlockUnindent = 611;
inline constexpr TCodeEditorCommand ecTab = 612;
inline constexpr TCodeEditorCommand ecShiftTab = 613;
inline constexpr TCodeEditorCommand ecUpperCase = 620;
inline constexpr TCodeEditorCommand ecLowerCase = 621;
inline constexpr TCodeEditorCommand ecToggleCase = 622;
inline constexpr TCodeEditorCommand ecTitleCase = 623;
inline constexpr TCodeEditorCommand ecString = 630;
inline constexpr TCodeEditorCommand ecAutoCompletion = 650;
inline constexpr TCodeEditorCommand ecCopyLineUp = 661;
inline constexpr TCodeEditorCommand ecCopyLineDown = 662;
inline constexpr TCodeEditorCommand ecMoveLineUp = 663;
inline constexpr TCodeEditorCommand ecMoveLineDown = 664;

inline constexpr TCodeEditorCommand ecFoldAll = 701;
inline constexpr TCodeEditorCommand ecUnfoldAll = 702;
inline constexpr TCodeEditorCommand ecFoldNearest = 705;
inline constexpr TCodeEditorCommand ecUnfoldNearest = 706;
inline constexpr TCodeEditorCommand ecFoldLevel1 = 711;
inline constexpr TCodeEditorCommand ecFoldLevel2 = 712;
inline constexpr TCodeEditorCommand ecFoldLevel3 = 713;
inline constexpr TCodeEditorCommand ecUnfoldLevel1 = 721;
inline constexpr TCodeEditorCommand ecUnfoldLevel2 = 722;
inline constexpr TCodeEditorCommand ecUnfoldLevel3 = 723;
inline constexpr TCodeEditorCommand ecFoldRanges = 731;
inline constexpr TCodeEditorCommand ecUnfoldRanges = 732;

inline constexpr TCodeEditorCommand ecUserFirst = 1001;

// The name table: "ecLeft" <-> 1 for every command the editor knows.
QString EditorCommandToIdent(TCodeEditorCommand Command);  // "" for an unknown number
bool IdentToEditorCommand(const QString& Ident, TCodeEditorCommand& Command);
// Every (number, name) pair of the table, in number order.
struct TEditorCommandName {
    TCodeEditorCommand Command;
    const char* Name;
};
const std::vector<TEditorCommandName>& EditorCommandNames();

// Modifier state of a keystroke.
enum TShiftStateFlag : quint8 { ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2 };
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

// A shortcut number combines a key code with its modifiers.
using TShortCut = quint16;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(quint16 Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, quint16& Key, TShiftState& Shift);

// Key codes the default table uses (the Windows virtual-key numbers).
namespace vk {
inline constexpr quint16 Back = 8, Tab = 9, Return = 13, Prior = 33, Next = 34, End = 35, Home = 36,
                         Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46,
                         F1 = 112, OemPlus = 187, OemMinus = 189, Oem2 = 191;
}

// One binding: a key, or a sequence of two keys, each with its modifiers.
struct TCodeEditKeyStroke {
    TCodeEditorCommand Command = ecNone;
    quint16 Key = 0;
    TShiftState Shift;
    quint16 Key2 = 0;  // 0: a single-key binding
    TShiftState Shift2;

    TShortCut ShortCut() const { return ::ShortCut(Key, Shift); }
    TShortCut ShortCut2() const { return Key2 == 0 ? 0 : ::ShortCut(Key2, Shift2); }
};

// The keystroke table. Lookups return the index of the first matching item, or -1.
class TCodeEditKeyStrokes {
public:
    void ResetDefaults();
    void Clear() { fItems.clear(); }
    TCodeEditKeyStroke& AddKey(TCodeEditorCommand Command, quint16 Key, TShiftState Shift,
                               quint16 Key2 = 0, TShiftState Shift2 = {});
    void Delete(int Index);

    int FindKeycode(quint16 Key, TShiftState Shift) const;
    int FindKeycode2(quint16 Key1, TShiftState Shift1, quint16 Key2, TShiftState Shift2) const;
    int FindCommand(TCodeEditorCommand Command) const;
    int FindShortcut(TShortCut ShortCut) const;
    int FindShortcut2(TShortCut ShortCut, TShortCut ShortCut2) const;

    int Count() const { return static_cast<int>(fItems.size()); }
    const TCodeEditKeyStroke& Items(int Index) const { return fItems[Index]; }

private:
    std::vector<TCodeEditKeyStroke> fItems;
};
