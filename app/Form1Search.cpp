// Find, find next and replace on the text of the shown snippet, through the modeless find
// and replace dialogs; results go to the search-status panel.
#include <QAction>

#include "app/CodeEditMemo.h"
#include "app/Form1.h"
#include "app/Form1Messages.h"
#include "editor/CodeEdit.h"
#include "platform/DialogPlacement.h"
#include "platform/DialogService.h"
#include "platform/FindDialog.h"

namespace {

// The rows of the selected hit as shown on screen, or an empty rectangle when none is shown.
QRect HitOnScreen(TCodeEdit& edit) {
    if (!edit.SelAvail() || !edit.isVisible()) return {};
    const int first = edit.BufferToDisplayPos(edit.BlockBegin()).Row;
    const int last = edit.BufferToDisplayPos(edit.BlockEnd()).Row;
    const QRect rows = edit.RowRect(first).united(edit.RowRect(last)) & edit.viewport()->rect();
    if (rows.isEmpty()) return {};
    return {edit.viewport()->mapToGlobal(rows.topLeft()), rows.size()};
}

// A modeless dialog never hides the hit it just found.
void MoveOffHit(TCodeEdit& edit, std::initializer_list<QWidget*> dialogs) {
    const QRect hit = HitOnScreen(edit);
    for (QWidget* dialog : dialogs)
        if (dialog && dialog->isVisible()) MoveDialogClearOf(dialog, hit);
}

TSearchOptions CaseAndWordOptions(TFindOptions flags) {
    TSearchOptions options;
    if (flags & frMatchCase) options |= ssoMatchCase;
    if (flags & frWholeWord) options |= ssoWholeWord;
    return options;
}
}  // namespace

void TForm1::CreateSearchDialogs() {
    FindDialog1 = new TFindDialog(this);
    FindDialog1->setObjectName(QStringLiteral("FindDialog1"));
    FindDialog1->SetOptions(frDown);
    FindDialog1->OnFind = [this](TFindDialog&) { RunCommand([this] { FindDialog1Find(); }); };
    ReplaceDialog1 = new TReplaceDialog(this);
    ReplaceDialog1->setObjectName(QStringLiteral("ReplaceDialog1"));
    ReplaceDialog1->SetOptions(frDown);
    ReplaceDialog1->OnFind = [this](TFindDialog&) { RunCommand([this] { ReplaceDialog1Find(); }); };
    ReplaceDialog1->OnReplace = [this](TReplaceDialog&) {
        RunCommand([this] { ReplaceDialog1Replace(); });
    };
}

int TForm1::SearchEditor(const QString& text, const QString& replacement, TSearchOptions options) {
    const int found = Editor().SearchReplace(text, replacement, options);
    SetPanelText(2, found == 0 ? Form1Messages::NotFound() : QString());
    if (found > 0) MoveOffHit(Editor(), {FindDialog1, ReplaceDialog1});
    return found;
}

void TForm1::SearchFindCmdExecute() {
    FindDialog1->SetFindText(Editor().GetWordAtRowCol(Editor().CaretXY()));
    if (FindDialog1->Execute()) Opts = {};
}

void TForm1::FindDialog1Find() {
    Opts = {};
    SetPanelText(2, QString());
    const TFindOptions flags = FindDialog1->Options();
    Opts |= CaseAndWordOptions(flags);
    if (!(flags & frDown)) Opts |= ssoBackwards;
    SearchEditor(FindDialog1->FindText(), QString(), Opts);
    Findst = FindDialog1->FindText();
    Action(QStringLiteral("SearchFindNextCmd"))->setEnabled(true);
}

void TForm1::SearchFindNextCmdExecute() {
    SetPanelText(2, QString());
    // A plain search from the caret with the case, word and direction of the last search.
    SearchEditor(Findst, QString(),
                 Opts & ~TSearchOptions(ssoReplace | ssoReplaceAll | ssoEntireScope));
}

void TForm1::SearchReplaceCmdExecute() {
    ReplaceDialog1->SetFindText(Editor().GetWordAtRowCol(Editor().CaretXY()));
    if (ReplaceDialog1->Execute()) Opts = {};
}

void TForm1::ReplaceDialog1Find() {
    Opts = {};
    SetPanelText(2, QString());
    const TFindOptions flags = ReplaceDialog1->Options();
    Opts |= CaseAndWordOptions(flags);
    if (!(flags & frDown)) Opts |= ssoBackwards;
    SearchEditor(ReplaceDialog1->FindText(), QString(), Opts);
    Findst = ReplaceDialog1->FindText();
}

void TForm1::ReplaceDialog1Replace() {
    const TFindOptions flags = ReplaceDialog1->Options();
    Opts = CaseAndWordOptions(flags);
    Opts |= (flags & frReplaceAll) ? TSearchOptions(ssoReplaceAll | ssoEntireScope)
                                   : TSearchOptions(ssoReplace);
    const QString findText = ReplaceDialog1->FindText();
    const QString replaceText = ReplaceDialog1->ReplaceText();
    if (Opts & ssoReplaceAll) {
        // Every occurrence in the whole text, as one undo step; nothing is asked.
        Editor().SearchReplace(findText, replaceText, Opts);
        return;
    }
    // Find the next occurrence and select it, then ask before replacing it.
    if (Editor().SearchReplace(findText, replaceText, Opts & ~TSearchOptions(ssoReplace)) <= 0) {
        SetPanelText(2, Form1Messages::NotFound());
        return;
    }
    MoveOffHit(Editor(), {ReplaceDialog1});
    if (TDialogService::Instance().AskYesNo(this, Form1Messages::ReplacePrompt().arg(replaceText),
                                            HitOnScreen(Editor()))) {
        // Replace exactly the occurrence the user confirmed: search forwards from its start.
        const TBufferCoord start = Editor().BlockBegin();
        Editor().SetCaretXY(start);
        Editor().SearchReplace(findText, replaceText, Opts);
    }
    SetPanelText(2, QString());
}
