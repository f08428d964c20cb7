#include "app/IconComboBox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

TIconComboBox::TIconComboBox(QWidget* parent) : QComboBox(parent) {}

void TIconComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    if (currentIndex() >= 0 && !fSelectedIcon.isNull()) option.currentIcon = fSelectedIcon;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
