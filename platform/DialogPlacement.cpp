#include "platform/DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {
constexpr int kGap = 8;  // between the hit and the dialog
}

QPoint PlaceClearOf(const QRect& dialog, const QRect& avoid, const QRect& screen) {
    if (!avoid.isValid() || !dialog.intersects(avoid)) return dialog.topLeft();
    const int x = std::clamp(dialog.x(), screen.left(),
                             std::max(screen.left(), screen.right() - dialog.width() + 1));
    const int below = avoid.bottom() + 1 + kGap;
    if (below + dialog.height() - 1 <= screen.bottom()) return {x, below};
    const int above = avoid.top() - kGap - dialog.height();
    if (above >= screen.top()) return {x, above};
    const int y = std::clamp(dialog.y(), screen.top(),
                             std::max(screen.top(), screen.bottom() - dialog.height() + 1));
    const int right = avoid.right() + 1 + kGap;
    if (right + dialog.width() - 1 <= screen.right()) return {right, y};
    const int left = avoid.left() - kGap - dialog.width();
    if (left >= screen.left()) return {left, y};
    return dialog.topLeft();  // no room anywhere: leave it where the user put it
}

void MoveDialogClearOf(QWidget* dialog, const QRect& avoid) {
    if (!dialog || !avoid.isValid()) return;
    QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QRect frame = dialog->frameGeometry();
    const QPoint place = PlaceClearOf(frame, avoid, area.isValid() ? area : frame.united(avoid));
    if (place != frame.topLeft()) dialog->move(place);
}
