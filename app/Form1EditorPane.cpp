// What the main window adds to its editor: the selection-mode commands, block indent and
// unindent, inserting the date, and the title line's colours.
#include <QDateTime>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "editor/CodeEdit.h"
#include "platform/LocaleFormats.h"

TCodeEdit& TForm1::Editor() {
    return fMemo->Edit();
}

// The mode actions only set the editor's mode; their check marks follow the action group,
// not modes the editor's own keys switch to.
void TForm1::NormalModeExecute() {
    Editor().SetSelectionMode(smNormal);
}

void TForm1::ColumnModeExecute() {
    Editor().SetSelectionMode(smColumn);
}

void TForm1::LineModeExecute() {
    Editor().SetSelectionMode(smLine);
}

void TForm1::IndentCmdExecute() {
    Editor().ExecuteCommand(ecBlockIndent);
}

void TForm1::UnIndentCmdExecute() {
    Editor().ExecuteCommand(ecBlockUnindent);
}

void TForm1::InsertDateExecute() {
    const QString text = DateTimeToStr(QDateTime::currentDateTime(), QLocale::system());
    // Inserted at the caret; a selection stays as it is and the caret ends after the text.
    const TBufferCoord caret = Editor().CaretXY();
    Editor().InsertBlock(caret, caret, text, true);
}

void TForm1::Splitter1Moved() {
    Editor().Invalidate();
}

void TForm1::MemoSpecialLineColors(int Line, bool& Special, quint32& FG, quint32& BG) const {
    if (Line != 1) return;
    Special = true;
    BG = fSettings->BGColor;
    FG = fSettings->FGColor;
}
