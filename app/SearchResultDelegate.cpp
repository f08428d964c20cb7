#include "app/SearchResultDelegate.h"

#include <QApplication>
#include <QPainter>

#include "app/SearchResultModel.h"

namespace {
constexpr int kHitIndent = 20;
const QColor kMark(255, 214, 0, 140);  // reads on light and dark styles alike
}  // namespace

void TSearchResultDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        (opt.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    painter->save();
    painter->setPen(
        opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    QRect rect = opt.rect.adjusted(4, 0, -4, 0);
    if (index.data(TSearchResultModel::IsHeadingRole).toBool()) {
        QFont bold = opt.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->drawText(rect, Qt::AlignVCenter | Qt::AlignLeft,
                          QFontMetrics(bold).elidedText(text, Qt::ElideMiddle, rect.width()));
    } else {
        rect.setLeft(rect.left() + kHitIndent);
        painter->setFont(opt.font);
        const QFontMetrics fm(opt.font);
        const int start = index.data(TSearchResultModel::MarkStartRole).toInt();
        const int length = index.data(TSearchResultModel::MarkLengthRole).toInt();
        const int x = rect.left() + fm.horizontalAdvance(text.left(start));
        const int w = fm.horizontalAdvance(text.mid(start, length));
        painter->fillRect(QRect(x, rect.top() + 1, w, rect.height() - 2), kMark);
        painter->drawText(rect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
    }
    painter->restore();
}
