#pragma once

#include <QLabel>

// A status-bar panel of a set width that gives way when the window is narrower than the
// panels together, so the panels never hold the window wider than it was placed.
class TStatusPanel : public QLabel {
public:
    using QLabel::QLabel;
    void SetPanelWidth(int width) {
        fWidth = width;
        setMaximumWidth(width);
        updateGeometry();
    }
    QSize sizeHint() const override { return {fWidth, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

private:
    int fWidth = 200;
};
