// The mouse on a fixed grid of 8 x 16 pixel cells: clicks place the caret by the nearer half
// of a character, drags select, Alt drags select a column, dropped text goes in where it
// lands.
#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>
#include <utility>

#include "platform/Errors.h"
#include "tests/editor/CodeEditFixture.h"

namespace {

// Reaches the drop handling that a drag within the editor ends in (Qt's offscreen platform
// has no real drag to run it), and the input method's queries.
class TDropEdit : public TCodeEdit {
public:
    using TCustomCodeEdit::DropText;
    using TCustomCodeEdit::inputMethodQuery;
};

class MouseTest : public ::testing::Test {
protected:
    MouseTest() {
        Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 40));
        Edit.resize(400, 200);
        Edit.show();
    }
    // The pixel at a fraction of a cell: Cell and Row 0-based, Offset 0..7 across the cell.
    QPoint At(int Cell, int Row, int Offset = 1) const {
        return {Edit.TextOffset() + Cell * 8 + Offset, Row * 16 + 8};
    }
    void Send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent e(type, pos, Edit.viewport()->mapToGlobal(pos), button, buttons, modifiers);
        QApplication::sendEvent(Edit.viewport(), &e);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
        Send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, modifiers);
        Send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
        Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    void Click(QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Send(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, modifiers);
        Send(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    QString Text() const {
        return Edit.Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }

    TDropEdit Edit;
};

}  // namespace

TEST_F(MouseTest, ClickPlacesTheCaretByTheNearerHalf) {
    Edit.SetText(QStringLiteral("abcdef\n\tx\na漢b"));
    Click(At(3, 0, 2));
    EXPECT_EQ(Edit.CaretXY(), BC(4, 1)) << "left half of d: before it";
    Click(At(3, 0, 6));
    EXPECT_EQ(Edit.CaretXY(), BC(5, 1)) << "right half of d: after it";
    Click(At(20, 0, 5));
    EXPECT_EQ(Edit.CaretXY(), BC(22, 1)) << "past the end: the nearest cell boundary";
    Click(At(2, 1));
    EXPECT_EQ(Edit.CaretXY(), BC(1, 2)) << "the first half of a tab";
    Click(At(5, 1));
    EXPECT_EQ(Edit.CaretXY(), BC(2, 2)) << "the second half of a tab";
    Click(At(2, 2, 4));
    EXPECT_EQ(Edit.CaretXY(), BC(3, 3)) << "the second cell of the wide glyph";
    Click(QPoint(5, 8));
    EXPECT_EQ(Edit.CaretXY(), BC(1, 1)) << "the gutter: the start of the line";
    Click(At(1, 9));
    EXPECT_EQ(Edit.CaretXY().Line, 3) << "below the text: the last line";
}

TEST_F(MouseTest, DragSelectsAndShiftClickExtends) {
    Edit.SetText(QStringLiteral("first line\nsecond line\nthird line"));
    Drag(At(1, 0), At(5, 2));
    EXPECT_EQ(Edit.SelText(), QStringLiteral("irst line\r\nsecond line\r\nthird"));
    EXPECT_EQ(Edit.CaretXY(), BC(6, 3));
    Click(At(2, 1), Qt::ShiftModifier);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("irst line\r\nse"));
    EXPECT_EQ(Edit.SelectionMode(), smNormal);
}

TEST_F(MouseTest, AltDragSelectsAColumn) {
    Edit.SetText(QStringLiteral("abcdef\nabcdef\nabcdef"));
    Edit.SetOptions(Edit.Options() | eoAltSetsColumnMode);
    Drag(At(1, 0), At(4, 2), Qt::AltModifier);
    EXPECT_EQ(Edit.ActiveSelectionMode(), smColumn);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("bcd\r\nbcd\r\nbcd"));
    Drag(At(0, 0), At(4, 2));
    EXPECT_EQ(Edit.ActiveSelectionMode(), smNormal) << "without Alt a normal selection again";
    // Without the option Alt changes nothing.
    Edit.SetOptions(Edit.Options() & ~TCodeEditorOptions(eoAltSetsColumnMode));
    Click(At(5, 2));
    Drag(At(1, 0), At(4, 2), Qt::AltModifier);
    EXPECT_EQ(Edit.ActiveSelectionMode(), smNormal);
}

TEST_F(MouseTest, DoubleClickSelectsAWordAndDraggingGrowsByWords) {
    Edit.SetText(QStringLiteral("alpha beta_2 gamma"));
    Click(At(8, 0));
    Send(QEvent::MouseButtonDblClick, At(8, 0), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("beta_2"));
    Send(QEvent::MouseMove, At(14, 0), Qt::NoButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, At(14, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Edit.SelText(), QStringLiteral("beta_2 gamma"));
}

TEST_F(MouseTest, AClickInTheSelectionWithoutDraggingPlacesTheCaret) {
    Edit.SetText(QStringLiteral("some text here"));
    Edit.SetCaretAndSelection({10, 1}, {1, 1}, {10, 1});
    Click(At(3, 0));
    EXPECT_FALSE(Edit.SelAvail());
    EXPECT_EQ(Edit.CaretXY(), BC(4, 1));
}

TEST_F(MouseTest, DropsInsertAndMoveText) {
    Edit.SetText(QStringLiteral("one two\nthree\nfour"));
    // From outside: inserted where it lands and left selected.
    QMimeData outside;
    outside.setText(QStringLiteral("NEW "));
    // Qt sends a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(At(0, 1), Qt::CopyAction | Qt::MoveAction, &outside, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(Edit.viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(At(0, 1)), Qt::CopyAction | Qt::MoveAction, &outside, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(Edit.viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(Text(), QStringLiteral("one two\nNEW three\nfour"));
    EXPECT_EQ(Edit.SelText(), QStringLiteral("NEW "));

    // Moved within the editor: "one " goes to the start of line 3, in one undo step.
    Edit.SetCaretAndSelection({5, 1}, {1, 1}, {5, 1});
    std::unique_ptr<QMimeData> data(Edit.CreateSelectionMimeData());
    Edit.DropText(data.get(), {1, 3}, true);
    EXPECT_EQ(Text(), QStringLiteral("two\nNEW three\none four"));
    EXPECT_EQ(Edit.SelText(), QStringLiteral("one "));
    Edit.Undo();
    EXPECT_EQ(Text(), QStringLiteral("one two\nNEW three\nfour"));
    // Later on the same line: the drop point moves left with the text taken out.
    Edit.SetCaretAndSelection({5, 1}, {1, 1}, {5, 1});
    data.reset(Edit.CreateSelectionMimeData());
    Edit.DropText(data.get(), {8, 1}, true);
    EXPECT_EQ(Text(), QStringLiteral("twoone \nNEW three\nfour"));
    // Into the selection itself: nothing moves.
    Edit.SetCaretAndSelection({4, 1}, {1, 1}, {4, 1});
    data.reset(Edit.CreateSelectionMimeData());
    Edit.DropText(data.get(), {2, 1}, true);
    EXPECT_EQ(Text(), QStringLiteral("twoone \nNEW three\nfour"));
    // A column block goes in as a block.
    Edit.SetText(QStringLiteral("abcd\nefgh\nijkl"));
    Edit.SetSelectionMode(smColumn);
    Edit.SetCaretAndSelection({3, 2}, {1, 1}, {3, 2});
    data.reset(Edit.CreateSelectionMimeData());
    Edit.DropText(data.get(), {3, 3}, true);
    EXPECT_EQ(Text(), QStringLiteral("cd\ngh\nijabkl\n  ef"));
}

TEST_F(MouseTest, NothingIsDroppedIntoAReadOnlyEditor) {
    Edit.SetText(QStringLiteral("text"));
    Edit.SetReadOnly(true);
    QMimeData outside;
    outside.setText(QStringLiteral("NEW"));
    QDragEnterEvent enter(At(0, 0), Qt::CopyAction, &outside, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Edit.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(At(0, 0)), Qt::CopyAction, &outside, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Edit.viewport(), &drop);
    EXPECT_EQ(Edit.Text(), QStringLiteral("text"));
}

TEST_F(MouseTest, WheelScrollsAndAClickBelowAWrappedRowEndStaysOnIt) {
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QStringLiteral("line %1").arg(i + 1);
    Edit.SetText(lines.join(u'\n'));
    QWheelEvent wheel(QPointF(At(2, 2)), Edit.viewport()->mapToGlobal(At(2, 2)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Edit.viewport(), &wheel);
    EXPECT_GT(Edit.TopLine(), 1);

    Edit.SetText(QString(35, u'a'));
    Edit.SetMetrics(std::make_unique<TFixedCellMetrics>(10, 30));
    Edit.SetWordWrap(true);
    Click(At(33, 0));
    EXPECT_EQ(Edit.CaretXY(), BC(31, 1));
    EXPECT_TRUE(Edit.CaretAtEndOfRow()) << "shown at the end of the row clicked";
    Click(At(2, 1));
    EXPECT_EQ(Edit.CaretXY(), BC(33, 1));
}

TEST_F(MouseTest, TheInputMethodWindowOpensAtTheCaretInTheEditorsFont) {
    Edit.SetText(QStringLiteral("abc\nabcdef"));
    Edit.SetCaretXY({4, 2});
    const QRect rect = Edit.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint topLeft = Edit.viewport()->mapTo(&Edit, At(3, 1, 0) - QPoint(0, 8));
    EXPECT_EQ(rect.topLeft(), topLeft);
    EXPECT_EQ(rect.height(), 16);
    EXPECT_EQ(Edit.inputMethodQuery(Qt::ImFont).value<QFont>(), Edit.font());
}

TEST_F(MouseTest, MiddleClickPastesThePrimarySelection) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection()) GTEST_SKIP() << "no primary selection on this platform";
    Edit.SetText(QStringLiteral("hello world\n\nend"));
    Drag(At(0, 0), At(5, 0));
    QApplication::processEvents();
    EXPECT_EQ(clipboard->text(QClipboard::Selection), QStringLiteral("hello"));
    Send(QEvent::MouseButtonPress, At(0, 1), Qt::MiddleButton, Qt::MiddleButton);
    Send(QEvent::MouseButtonRelease, At(0, 1), Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(Text(), QStringLiteral("hello world\nhello\nend"));
}

// A failure inside a mouse gesture or a drop ends at the handler's catch point: it is
// reported once, and the next gesture works, with nothing left locked.
TEST_F(MouseTest, AFailedClickOrDropIsReportedAndTheEditorGoesOn) {
    Edit.SetText(QStringLiteral("one two\nthree"));
    QStringList errors;
    Edit.OnError = [&](TCustomCodeEdit*, const QString& message) { errors << message; };
    bool failNext = true;
    Edit.OnStatusChange = [&](TCustomCodeEdit*, TStatusChanges) {
        if (std::exchange(failNext, false)) throw EMarrowpadError(QStringLiteral("click failed"));
    };
    Click(At(4, 0));
    EXPECT_EQ(errors, QStringList{"click failed"});
    Click(At(2, 1));
    EXPECT_EQ(Edit.CaretXY(), (TBufferCoord{3, 2}));
    EXPECT_EQ(errors.size(), 1);
    Edit.OnStatusChange = nullptr;

    failNext = true;
    int changes = 0;
    Edit.OnChange = [&](TCustomCodeEdit*) {
        ++changes;
        if (std::exchange(failNext, false)) throw EMarrowpadError(QStringLiteral("drop failed"));
    };
    QMimeData outside;
    outside.setText(QStringLiteral("NEW "));
    for (int i = 0; i < 2; ++i) {
        QDragEnterEvent enter(At(0, 1), Qt::CopyAction, &outside, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Edit.viewport(), &enter);
        QDropEvent drop(QPointF(At(0, 1)), Qt::CopyAction, &outside, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(Edit.viewport(), &drop);
    }
    EXPECT_EQ(errors, (QStringList{"click failed", "drop failed"}));
    EXPECT_EQ(changes, 2) << "the second drop reports its change at once: no lock was left";
    EXPECT_EQ(Text(), QStringLiteral("one two\nNEW NEW three"));
}
