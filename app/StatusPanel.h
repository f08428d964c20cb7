#pragma once

#include <QLabel>
#include <QString>

// A status-bar panel of a set width that gives way when the window is narrower than the
// panels together, so the panels never hold the window wider than it was placed. It shows
// as much of its text as fits, and elides it again whenever its width changes.
class TStatusPanel : public QLabel {
public:
    using QLabel::QLabel;
    void SetPanelWidth(int width) {
        fWidth = width;
        setMaximumWidth(width);
        updateGeometry();
    }
    // A title can be megabytes long: only a bounded prefix of it is kept for measuring.
    void SetFullText(const QString& text);
    QSize sizeHint() const override { return {fWidth, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowElided();
    int fWidth = 200;
    QString fShown;  // the bounded prefix of the full text
};
