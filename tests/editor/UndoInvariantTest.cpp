// Random command sequences, then undo everything and redo everything: the text must come back
// exactly, both ways. A few seeds run always; MARROWPAD_LONG_TESTS=1 runs thousands.
#include <QRandomGenerator>

#include "tests/editor/CodeEditFixture.h"

namespace {

class TRandomSession {
public:
    TRandomSession(TCodeEdit& Edit, quint32 Seed) : fEdit(Edit), fRandom(Seed) {}

    QString RandomText(int maxLines) {
        static const QString pieces[] = {"a",   "b",  "x",  " ", "  ", "\t",
                                         "foo", "漢", "字", "(", "_"};
        QStringList lines;
        for (int n = Bounded(maxLines) + 1; n > 0; --n) {
            QString line;
            for (int k = Bounded(6); k > 0; --k)
                line += pieces[Bounded(std::size(pieces))];
            lines << line;
        }
        return lines.join(QStringLiteral("\r\n"));
    }

    void Setup() {
        fEdit.SetTabWidth(1 + Bounded(8));
        TCodeEditorOptions options = fEdit.Options();
        for (TCodeEditorOption o :
             {eoAutoIndent, eoScrollPastEol, eoSmartTabs, eoSmartTabDelete, eoTabsToSpaces,
              eoTrimTrailingSpaces, eoEnhanceHomeKey, eoKeepCaretX, eoTabIndent, eoGroupUndo}) {
            if (Bounded(3) == 0) options ^= o;
        }
        fEdit.SetOptions(options);
        fEdit.SetMaxUndo(1000000);
        fEdit.SetText(RandomText(6));
    }

    void Step() {
        const int line = 1 + Bounded(static_cast<int>(fEdit.Lines().Count()) + 1);
        const int column = 1 + Bounded(12);
        switch (Bounded(24)) {
            case 0:
            case 1:
            case 2: {
                static const char16_t chars[] = u"abz _(\u6F22\u3042";
                fEdit.CommandProcessor(ecChar, QChar(chars[Bounded(8)]));
                break;
            }
            case 3:
                fEdit.CommandProcessor(ecLineBreak);
                break;
            case 4:
                fEdit.CommandProcessor(ecDeleteLastChar);
                break;
            case 5:
                fEdit.CommandProcessor(ecDeleteChar);
                break;
            case 6:
                fEdit.CommandProcessor(ecTab);
                break;
            case 7:
                fEdit.CommandProcessor(ecShiftTab);
                break;
            case 8:
                fEdit.CommandProcessor(ecBlockIndent);
                break;
            case 9:
                fEdit.CommandProcessor(ecBlockUnindent);
                break;
            case 10: {
                auto* data = new QMimeData;
                data->setText(RandomText(3));
                data->setData(QString::fromLatin1(kCodeEditModeMimeType),
                              QByteArray(1, static_cast<char>(Bounded(3))));
                QGuiApplication::clipboard()->setMimeData(data);
                fEdit.CommandProcessor(ecPaste);
                break;
            }
            case 11: {
                static const char* const finds[] = {"a", "foo", " ", "漢", "x"};
                static const char* const replacements[] = {"", "bb", "a\r\nb", "  ", "字字"};
                TSearchOptions options = ssoReplaceAll | ssoEntireScope;
                if (Bounded(3) == 0) options |= ssoSelectedOnly;
                if (Bounded(3) == 0) options |= ssoBackwards;
                fEdit.SearchReplace(QString::fromUtf8(finds[Bounded(5)]),
                                    QString::fromUtf8(replacements[Bounded(5)]), options);
                break;
            }
            case 12:
                fEdit.SetCaretXY({column, line});
                break;
            case 13: {
                const TBufferCoord end{1 + Bounded(12),
                                       1 + Bounded(static_cast<int>(fEdit.Lines().Count()) + 1)};
                fEdit.SetCaretAndSelection(end, {column, line}, end);
                break;
            }
            case 14:
                fEdit.SetSelectionMode(static_cast<TSelectionMode>(Bounded(3)));
                break;
            case 15: {
                static const TCodeEditorCommand moves[] = {
                    ecLeft,    ecRight,       ecUp,      ecDown,         ecSelRight,
                    ecSelDown, ecSelWordLeft, ecLineEnd, ecSelLineStart, ecPageDown};
                fEdit.CommandProcessor(moves[Bounded(std::size(moves))]);
                break;
            }
            case 16: {
                static const TCodeEditorCommand others[] = {
                    ecDeleteWord,   ecDeleteLastWord, ecDeleteBOL,    ecDeleteEOL,
                    ecDeleteLine,   ecInsertLine,     ecUpperCase,    ecTitleCase,
                    ecCopyLineDown, ecMoveLineUp,     ecMoveLineDown, ecCut};
                fEdit.CommandProcessor(others[Bounded(std::size(others))]);
                break;
            }
            case 17:
                fEdit.CommandProcessor(ecToggleMode);
                break;
            case 18: {
                QString text = Bounded(2) ? QStringLiteral("日本語") : QStringLiteral("ab");
                fEdit.CommandProcessor(ecImeStr, QChar(), &text);
                break;
            }
            case 19:
                fEdit.InsertBlock(fEdit.CaretXY(), fEdit.CaretXY(), QStringLiteral("2024/01/02"),
                                  true);
                break;
            case 20:
                fEdit.SetModified(Bounded(2) == 0);
                break;
            case 21:
                // An undo or redo in the middle: the invariant must hold across them too.
                fEdit.CommandProcessor(Bounded(2) ? ecUndo : ecRedo);
                break;
            default:
                fEdit.CommandProcessor(ecChar, u'q');
                break;
        }
    }

private:
    int Bounded(qsizetype n) { return static_cast<int>(fRandom.bounded(static_cast<quint32>(n))); }

    TCodeEdit& fEdit;
    QRandomGenerator fRandom;
};

// Returns an empty string when the seed passes, else what went wrong.
std::string CheckSeed(quint32 seed, int steps) {
    TCodeEdit edit;
    edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 40));
    edit.SetWantTabs(true);
    TCodeEditSearch engine;
    edit.SetSearchEngine(&engine);
    TRandomSession session(edit, seed);
    session.Setup();
    // Undo stops at the state of the last SetText; steps that undo in the middle still keep
    // the start reachable.
    const QString start = edit.Text();
    for (int i = 0; i < steps; ++i)
        session.Step();
    // A sequence may end on an undo; what is left to redo belongs to the end state.
    int guard = 0;
    while (edit.CanRedo() && ++guard < 100000)
        edit.Redo();
    const QString final = edit.Text();
    guard = 0;
    while (edit.CanUndo() && ++guard < 100000)
        edit.Undo();
    if (edit.Text() != start)
        return "seed " + std::to_string(seed) + ": undo gave\n" + edit.Text().toStdString() +
               "\ninstead of\n" + start.toStdString();
    guard = 0;
    while (edit.CanRedo() && ++guard < 100000)
        edit.Redo();
    if (edit.Text() != final)
        return "seed " + std::to_string(seed) + ": redo gave\n" + edit.Text().toStdString() +
               "\ninstead of\n" + final.toStdString();
    return {};
}

}  // namespace

TEST(UndoInvariant, RandomSequencesUndoAndRedoExactly) {
    const bool longRun = qEnvironmentVariableIntValue("MARROWPAD_LONG_TESTS") == 1;
    const quint32 seeds = longRun ? 5000 : 40;
    const int steps = longRun ? 200 : 60;
    for (quint32 seed = 1; seed <= seeds; ++seed) {
        const std::string failure = CheckSeed(seed, steps);
        ASSERT_TRUE(failure.empty()) << failure;
    }
}
