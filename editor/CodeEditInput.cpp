// Keyboard, input method and mouse: events become editor commands.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "editor/CodeEdit.h"
#include "platform/DialogService.h"
#include "platform/KeyCodes.h"

namespace {

bool IsModifierKey(int Key) {
    switch (Key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
            return true;
        default:
            return false;
    }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers) {
    TShiftState shift;
    if (Modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (Modifiers & Qt::ControlModifier) shift |= ssCtrl;
    if (Modifiers & Qt::AltModifier) shift |= ssAlt;
    return shift;
}

}  // namespace

bool TCustomCodeEdit::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) {
        // Keys the editor binds (and typed characters) belong to the editor while it has the
        // focus, even when a window action uses the same key as its shortcut: Delete must
        // delete a character here, not run the window's "delete selection".
        auto* key = static_cast<QKeyEvent*>(e);
        const quint16 vk = VirtualKeyFromQt(key->key(), key->modifiers());
        const TShiftState shift = ShiftStateOf(key->modifiers());
        // Any unbound letter typed before is remembered as a first key, and must not swallow
        // Ctrl+F.
        const bool bound = vk != 0 && fModel.BindsKey(vk, shift);
        const bool typed = !key->text().isEmpty() && key->text()[0].unicode() >= 0x20 &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (bound || typed) {
            e->accept();
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        // Tab moves the focus unless the editor wants it.
        auto* key = static_cast<QKeyEvent*>(e);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && WantTabs() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TCustomCodeEdit::keyPressEvent(QKeyEvent* e) {
    RunGuarded([&] { KeyPress(e); });
}

void TCustomCodeEdit::KeyPress(QKeyEvent* e) {
    const int key = e->key();
    // A modifier pressed on its own neither runs nor ends a two-key sequence.
    if (IsModifierKey(key)) {
        e->ignore();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !WantReturns()) {
        e->ignore();
        return;
    }
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !WantTabs()) {
        e->ignore();
        return;
    }
    const Qt::KeyboardModifiers modifiers = e->modifiers();
    const quint16 vk = VirtualKeyFromQt(key, modifiers);
    TCodeEditorCommand command = ecNone;
    if (vk != 0) {
        command = ProcessKey(vk, ShiftStateOf(modifiers));
    } else {
        fModel.ResetKeySequence();
    }
    if (command != ecNone) {
        // The key was a command: its character, if any, is not typed as well.
        e->accept();
        return;
    }
    // Characters come from the event's text; Ctrl or Alt alone make a shortcut, not a
    // character (Ctrl+Alt together is AltGr on some systems).
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool alt = modifiers & Qt::AltModifier;
    const QString text = e->text();
    bool printable = !text.isEmpty() && (!(ctrl || alt) || (ctrl && alt));
    for (QChar c : text)
        printable = printable && c.unicode() >= 0x20 && c.unicode() != 0x7F;
    if (!printable) {
        e->ignore();
        return;
    }
    if (text.size() == 1) {
        CommandProcessor(ecChar, text[0]);
    } else {
        QString s = text;
        CommandProcessor(ecString, QChar(), &s);
    }
    e->accept();
}

// Finished compositions arrive here, once, as one string; the composition in progress is only
// shown.
void TCustomCodeEdit::inputMethodEvent(QInputMethodEvent* e) {
    RunGuarded([&] { InputMethod(e); });
}

void TCustomCodeEdit::InputMethod(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty()) {
        QString text = e->commitString();
        CommandProcessor(ecImeStr, QChar(), &text);
    }
    if (fPreedit != e->preeditString()) {
        fPreedit = e->preeditString();
        InvalidateLines(CaretY(), CaretY());
    }
    e->accept();
}

QVariant TCustomCodeEdit::inputMethodQuery(Qt::InputMethodQuery Query) const {
    switch (Query) {
        case Qt::ImEnabled:
            return !ReadOnly();
        case Qt::ImFont:
            return font();
        case Qt::ImCursorRectangle: {
            // The composition window opens at the caret.
            const TDisplayCoord d = DisplayXY();
            const int left = WordWrap() ? 1 : LeftChar();
            const int x = TextOffset() + (d.Column - left) * CharWidth();
            const int y = (d.Row - TopLine()) * TextHeight();
            const QRect rect(x, y, CharWidth(), TextHeight());
            return QRect(viewport()->mapTo(this, rect.topLeft()), rect.size());
        }
        case Qt::ImCursorPosition:
        case Qt::ImAnchorPosition:
            return std::clamp(CaretX() - 1, 0, fModel.LineLength(CaretY()));
        case Qt::ImSurroundingText:
            return LineText();
        case Qt::ImHints:
            return static_cast<int>(Qt::ImhMultiLine);
        default:
            return QAbstractScrollArea::inputMethodQuery(Query);
    }
}

// ---------------------------------------------------------------- errors

void TCustomCodeEdit::ReportError(const QString& Message) {
    if (OnError)
        OnError(this, Message);
    else
        TDialogService::Instance().ShowError(window(), Message);
}

// ---------------------------------------------------------------- focus and caret blink

void TCustomCodeEdit::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    fCaretVisible = true;
    const int flash = QApplication::cursorFlashTime();
    if (fCaretTimer == 0 && flash > 0) fCaretTimer = startTimer(flash / 2);
    InvalidateLines(CaretY(), CaretY());
}

void TCustomCodeEdit::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    if (fCaretTimer != 0) killTimer(fCaretTimer);
    fCaretTimer = 0;
    fModel.ResetKeySequence();
    InvalidateLines(CaretY(), CaretY());
}

void TCustomCodeEdit::timerEvent(QTimerEvent* e) {
    if (e->timerId() == fScrollTimer.timerId()) {
        // A drag-select going on by itself: a mouse event in all but name.
        RunGuarded([&] { MouseSelectTo(fLastMousePos); });
        return;
    }
    if (e->timerId() != fCaretTimer) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    // A blink repaints the caret's cell only.
    fCaretVisible = !fCaretVisible;
    if (!fPreedit.isEmpty()) {
        InvalidateLines(CaretY(), CaretY());
        return;
    }
    const TDisplayCoord d = DisplayXY();
    const int left = WordWrap() ? 1 : LeftChar();
    const int x = TextOffset() + (d.Column - left) * CharWidth();
    const QRect row = RowRect(d.Row);
    viewport()->update(QRect(x - 1, row.top(), CharWidth() + 2, row.height()));
}
