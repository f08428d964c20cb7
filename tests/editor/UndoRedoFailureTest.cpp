// An error in the middle of an undo or redo step (here a highlighter that fails on a line)
// passes to the caller and leaves the editor as usable as before: reports flow again, caret
// moves behave as for any edit, and new edits clear the redo list.
#include "highlighters/HighlighterCpp.h"
#include "tests/editor/CodeEditFixture.h"

namespace {

// Fails to scan any line holding "boom" while armed.
class TFailingHighlighter : public TCppHighlighter {
public:
    bool Armed = false;

protected:
    void DoSetLine(const QString& Value, qint32 LineNumber) override {
        if (Armed && Value.contains(QStringLiteral("boom")))
            throw EMarrowpadError(QStringLiteral("scan failed"));
        TCppHighlighter::DoSetLine(Value, LineNumber);
    }
};

class UndoRedoFailureTest : public CodeEditTest {
protected:
    UndoRedoFailureTest() {
        Edit.SetHighlighter(&Failing);
        Edit.OnChange = [this](TCustomCodeEdit*) { ++Changes; };
    }
    ~UndoRedoFailureTest() override { Edit.SetHighlighter(nullptr); }

    // The editor after the failure: the text, and whatever the failed step left in the lists,
    // may be anything, but the editor works.
    void ExpectUsable() {
        Failing.Armed = false;
        EXPECT_FALSE(Edit.UndoList().InsideRedo()) << "undo additions would keep the redo list";

        // Leaving a line trims its trailing blanks, unless a replay is running.
        SetText(QStringLiteral("one   \ntwo"));
        SetOption(eoTrimTrailingSpaces, true);
        Caret(7, 1);
        Run(ecDown);
        EXPECT_EQ(Edit.Lines().Strings(0), QStringLiteral("one")) << "still replaying";

        Caret(3, 2);
        const int before = Changes;
        Type(QStringLiteral("x"));
        EXPECT_EQ(Changes, before + 1) << "the paint lock was never released";
        Run(ecUndo);
        EXPECT_EQ(Text(), QStringLiteral("one\ntwo"));
        Run(ecRedo);
        EXPECT_EQ(Text(), QStringLiteral("one\ntwxo"));
    }

    TFailingHighlighter Failing;
    int Changes = 0;
};

}  // namespace

TEST_F(UndoRedoFailureTest, AnErrorHalfwayThroughAnUndoStepLeavesTheEditorUsable) {
    SetText(QStringLiteral("keep\n"));
    Caret(1, 2);
    Type(QStringLiteral("boom"));
    Repeat(ecDeleteLastChar, 4);  // one step of four deletions
    Failing.Armed = true;
    // The fourth restored character makes the line "boom".
    EXPECT_THROW(Edit.Undo(), EMarrowpadError);
    ExpectUsable();
}

TEST_F(UndoRedoFailureTest, AnErrorHalfwayThroughARedoStepLeavesTheEditorUsable) {
    SetText(QStringLiteral("keep\n"));
    Caret(1, 2);
    Type(QStringLiteral("boom"));  // one step of four insertions
    Edit.Undo();
    Failing.Armed = true;
    EXPECT_THROW(Edit.Redo(), EMarrowpadError);
    ExpectUsable();
}
