// Random command sequences with random options on the editor model, without a window: nothing
// may crash, and undoing everything must give back the text the sequence started from (redoing
// everything, the text it ended with).
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "editor/CodeEditModel.h"
#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

class TReader {
public:
    TReader(const uint8_t* data, size_t size) : fData(data), fSize(size) {}
    bool AtEnd() const { return fPos >= fSize; }
    uint8_t Byte() { return fPos < fSize ? fData[fPos++] : 0; }
    // Text from a small alphabet, so that tabs, blanks, wide glyphs and breaks are common.
    QString Text(int maxLength) {
        static const char16_t units[] = {u'a', u'b',   u' ',   u'\t', u'\r',  u'\n',  u'_',
                                         u'(', 0x6F22, 0x3042, u'x',  0xD83D, 0xDE00, u' '};
        QString s;
        for (int n = Byte() % (maxLength + 1); n > 0; --n)
            s += QChar(units[Byte() % 14]);
        return s;
    }

private:
    const uint8_t* fData;
    size_t fSize;
    size_t fPos = 0;
};

struct TEditor {
    TEditor() {
        edit.SetMetrics(std::make_unique<TFixedCellMetrics>(8, 30));
        edit.SetSearchEngine(&engine);
        edit.SetWantTabs(true);
    }
    TCodeEditModel edit;
    TCodeEditSearch engine;
    TCppHighlighter cpp;
    TPasHighlighter pascal;
};

TEditor& Editor() {
    static TEditor* editor = new TEditor;
    return *editor;
}

// The ranges the editor keeps must be those a scan from the top gives.
void CheckRanges(TCodeEditModel& edit) {
    TCustomHighlighter* h = edit.Highlighter();
    if (!h) return;
    const TCodeEditStringList& lines = edit.Lines();
    for (qsizetype i = 0; i < lines.Count(); ++i) {
        if (i == 0)
            h->ResetRange();
        else
            h->SetRange(lines.Ranges(i - 1));
        h->SetLine(lines.Strings(i), static_cast<qint32>(i));
        h->NextToEol();
        Check(h->GetRange() == lines.Ranges(i));
    }
}

// What painting asks of the model: each visible row's line, its token runs, the caret's row.
void ReadAsPainting(const TCodeEditModel& edit) {
    const int rows = edit.DisplayLineCount();
    for (int row = edit.TopLine(); row <= rows && row < edit.TopLine() + 12; ++row) {
        const int line = edit.RowToLine(row);
        Check(line >= 1 && line <= edit.LineCount());
        const QString text = edit.Lines().GetExpandedString(line - 1);
        int end = 0;
        edit.WalkLineTokens(
            line, text, nullptr, static_cast<int>(text.size()), static_cast<int>(text.size()),
            [](const THighlighterAttributes*) { return TTokenLook{}; },
            [&](const TTokenRun& run) {
                Check(run.Start >= end && run.End >= run.Start);
                end = run.End;
            });
    }
    (void)edit.DisplayXY();
}

void RunStep(TCodeEditModel& edit, TReader& in, QString& start) {
    const auto& names = EditorCommandNames();
    const uint8_t kind = in.Byte();
    if (kind < 160) {
        const TCodeEditorCommand command = names[kind % names.size()].Command;
        QChar c(char16_t(u'a' + in.Byte() % 4));
        if (command == ecGotoXY || command == ecSelGotoXY) {
            TBufferCoord p{in.Byte() % 40 - 3, in.Byte() % 12 - 1};
            edit.CommandProcessor(command, c, &p);
        } else if (command == ecImeStr || command == ecString) {
            QString text = in.Text(6);
            edit.CommandProcessor(command, c, &text);
        } else if (command == ecChar) {
            static const char16_t chars[] = u"ab \t\u6F22\u00E9\u0001(";
            edit.CommandProcessor(command, QChar(chars[in.Byte() % 8]));
        } else {
            edit.CommandProcessor(command, c);
        }
        if (command == ecClearAll) start = edit.Text();  // emptied with its undo lists
        return;
    }
    switch (kind % 12) {
        case 0: {
            // Text copied here carries its mode; text from elsewhere pastes in the editor's.
            const QString text = in.Text(12);
            const uint8_t mode = in.Byte();
            edit.HeadlessView().SetClipboard(text, mode < 100 && mode % 4 < 3
                                                       ? static_cast<TSelectionMode>(mode % 4)
                                                       : edit.SelectionMode());
            edit.CommandProcessor(ecPaste);
            break;
        }
        case 1: {
            const QString find = in.Text(3);
            const QString replacement = in.Text(4);
            const TSearchOptions options = TSearchOptions::fromInt(in.Byte());
            edit.SearchReplace(find, replacement, options);
            break;
        }
        case 2:
            edit.SetCaretXY({in.Byte() % 40 - 3, in.Byte() % 12 - 1});
            break;
        case 3: {
            const TBufferCoord end{in.Byte() % 40 - 3, in.Byte() % 12 - 1};
            edit.SetCaretAndSelection(end, {in.Byte() % 40 - 3, in.Byte() % 12 - 1}, end);
            break;
        }
        case 4:
            edit.SetSelectionMode(static_cast<TSelectionMode>(in.Byte() % 3));
            break;
        case 5:
            edit.InsertBlock(edit.CaretXY(), edit.CaretXY(), in.Text(5), true);
            break;
        case 6:
            edit.SetSelText(in.Text(8));
            break;
        case 7:
            edit.SetModified(in.Byte() & 1);
            break;
        case 8:
            edit.SetWordWrap(in.Byte() & 1);
            break;
        case 9: {
            const uint8_t which = in.Byte() % 3;
            edit.SetHighlighter(which == 0   ? nullptr
                                : which == 1 ? static_cast<TCustomHighlighter*>(&Editor().cpp)
                                             : &Editor().pascal);
            break;
        }
        case 10:
            // The text area narrows and widens, down to less than one character.
            edit.SetMetrics(
                std::make_unique<TFixedCellMetrics>(1 + in.Byte() % 10, in.Byte() % 40));
            break;
        default:
            // Painting reads the tokens and display rows the edits keep up to date.
            if (in.Byte() < 32) ReadAsPainting(edit);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Set-up allocates once for the whole run; done here, so that the leak checker does not
    // blame the first input for it.
    TCodeEditModel& edit = Editor().edit;
    edit.SetText(QStringLiteral("warm up"));
    edit.SelectAll();
    edit.CopyToClipboard();
    edit.PasteFromClipboard();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TReader in(data, size);
    TCodeEditModel& edit = Editor().edit;
    edit.SetReadOnly(false);
    edit.SetOptions(TCodeEditorOptions::fromInt(in.Byte() | (in.Byte() << 8) | (in.Byte() << 16) |
                                                ((in.Byte() & 7) << 24)));
    edit.SetTabWidth(1 + in.Byte() % 9);
    edit.SetInsertMode(in.Byte() & 1);
    edit.SetSelectionMode(static_cast<TSelectionMode>(in.Byte() % 3));
    edit.SetMaxUndo(1000000);
    edit.SetText(in.Text(60));
    QString start = edit.Text();
    for (int steps = 0; !in.AtEnd() && steps < 300; ++steps) {
        RunStep(edit, in, start);
        // Repeated replacements can double the text at every step; a few thousand lines and
        // columns find the same faults as millions, and much faster.
        if (edit.Lines().Count() > 2000 || edit.Lines().LengthOfLongestLine() > 2000) break;
    }
    CheckRanges(edit);
    edit.SetReadOnly(false);
    for (int guard = 0; edit.CanRedo() && guard < 100000; ++guard)
        edit.Redo();
    const QString final = edit.Text();
    for (int guard = 0; edit.CanUndo() && guard < 100000; ++guard)
        edit.Undo();
    Check(edit.Text() == start);
    for (int guard = 0; edit.CanRedo() && guard < 100000; ++guard)
        edit.Redo();
    Check(edit.Text() == final);
    CheckRanges(edit);
    return 0;
}
