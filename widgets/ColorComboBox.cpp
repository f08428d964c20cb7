#include "widgets/ColorComboBox.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/PaletteColors.h"
#include "platform/SystemColors.h"

namespace {

struct TNamedColor {
    const char* Name;
    quint32 Color;
};

constexpr TNamedColor kPalette[TCustomColorComboBox::kPaletteCount] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

constexpr int kColorRole = Qt::UserRole;

// The drop-down list draws its items the way the control draws its own.
class TColorItemDelegate : public QStyledItemDelegate {
public:
    explicit TColorItemDelegate(TCustomColorComboBox* combo)
        : QStyledItemDelegate(combo), fCombo(combo) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
        fCombo->DrawItem(*painter, option.rect, index.row(), selected);
    }

private:
    TCustomColorComboBox* fCombo;
};

}  // namespace

TCustomColorComboBox::TCustomColorComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new TColorItemDelegate(this));
    Fill();
}

QString TCustomColorComboBox::ColorName(int index) {
    return index >= 0 && index < kPaletteCount ? QString::fromLatin1(kPalette[index].Name)
                                               : QString();
}

quint32 TCustomColorComboBox::PaletteColor(int index) {
    return index >= 0 && index < kPaletteCount ? kPalette[index].Color : 0;
}

void TCustomColorComboBox::Fill() {
    clear();
    for (const TNamedColor& c : kPalette)
        addItem(QString::fromLatin1(c.Name), c.Color);
    setCurrentIndex(0);
}

quint32 TCustomColorComboBox::SelectedColor() const {
    const int index = currentIndex();
    return index < 0 ? 0 : itemData(index, kColorRole).toUInt();
}

void TCustomColorComboBox::SetSelectedColor(quint32 value) {
    for (int i = 0; i < count(); ++i) {
        if (itemData(i, kColorRole).toUInt() == value) {
            setCurrentIndex(i);
            return;
        }
    }
}

void TCustomColorComboBox::RemoveCustom() {
    while (count() > kPaletteCount)
        removeItem(count() - 1);
}

void TCustomColorComboBox::ShowColor(quint32 value) {
    for (int i = 0; i < kPaletteCount; ++i) {
        if (kPalette[i].Color == value) {
            RemoveCustom();
            setCurrentIndex(i);
            return;
        }
    }
    RemoveCustom();
    addItem(QStringLiteral("Custom"), value);
    fNamesWidth = 0;
    setCurrentIndex(kPaletteCount);
}

void TCustomColorComboBox::SetShowColorNames(bool value) {
    if (value == fShowColorNames) return;
    fShowColorNames = value;
    update();
}

int TCustomColorComboBox::BoxWidthIn(int width) const {
    if (!fShowColorNames) return std::max(width - 1, 1);
    if (fNamesWidth <= 0) {
        const QFontMetrics metrics(font());
        for (int i = 0; i < count(); ++i)
            fNamesWidth = std::max(fNamesWidth, metrics.horizontalAdvance(itemText(i) + u'X'));
    }
    return std::max(width - fNamesWidth, int(kMinBoxWidth));
}

void TCustomColorComboBox::DrawItem(QPainter& painter, const QRect& r, int index,
                                    bool selected) const {
    const bool none = index < 0 || index >= count();
    const QString name = none ? ColorName(0) : itemText(index);
    const quint32 color = none ? 0 : itemData(index, kColorRole).toUInt();
    const QPalette& pal = palette();
    const QColor text = selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
    const QColor back = selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base);

    painter.save();
    // measured in the item's own width, so the closed box leaves the names room beside its arrow
    const int swatchLeft = std::max(r.left(), r.right() + 1 - BoxWidthIn(r.width()));
    if (fShowColorNames) {
        painter.fillRect(r, back);
        painter.setPen(text);
        painter.setFont(font());
        // the name is cut where the swatch begins
        const QRect textRect(r.left() + 1, r.top(), std::max(swatchLeft - r.left() - 2, 0),
                             r.height());
        painter.setClipRect(textRect);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
        painter.setClipping(false);
    }
    const QRect swatch(swatchLeft, r.top() + 1, r.right() + 1 - swatchLeft, r.height() - 2);
    painter.fillRect(swatch, ColorToQColor(color, pal));
    painter.setPen(pal.color(QPalette::Text));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.restore();
}

void TCustomColorComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawItem(painter, field, currentIndex(), false);
}

QSize TCustomColorComboBox::sizeHint() const {
    const QSize hint = QComboBox::sizeHint();
    return {hint.width() + 2 * kMinBoxWidth, hint.height()};
}

QSize TCustomColorComboBox::minimumSizeHint() const {
    const QSize hint = QComboBox::minimumSizeHint();
    return {hint.width() + kMinBoxWidth, hint.height()};
}

void TCustomColorComboBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) fNamesWidth = 0;
    QComboBox::changeEvent(event);
}
