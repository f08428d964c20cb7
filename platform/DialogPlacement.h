#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// Where a dialog of geometry `dialog` goes so that it does not cover `avoid` (a found hit),
// within `screen`: where it is when it covers nothing, else just below the hit, else just
// above it, else beside it. All rectangles are in global coordinates.
QPoint PlaceClearOf(const QRect& dialog, const QRect& avoid, const QRect& screen);

// Moves a top-level dialog off `avoid` (global coordinates), on the screen it is shown on.
void MoveDialogClearOf(QWidget* dialog, const QRect& avoid);
