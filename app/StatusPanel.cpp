#include "app/StatusPanel.h"

#include <QFontMetrics>
#include <QResizeEvent>

#include "app/TextUtils.h"

namespace {
constexpr qsizetype kMeasuredLength = 512;
}  // namespace

void TStatusPanel::SetFullText(const QString& text) {
    fShown = BoundedPrefix(text, kMeasuredLength);
    ShowElided();
}

void TStatusPanel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    ShowElided();
}

void TStatusPanel::ShowElided() {
    setText(fontMetrics().elidedText(fShown, Qt::ElideRight, contentsRect().width()));
}
