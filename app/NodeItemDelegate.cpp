#include "app/NodeItemDelegate.h"

#include "app/NodeImageList.h"

TNodeItemDelegate::TNodeItemDelegate(const TNodeImageList& images, QObject* parent)
    : QStyledItemDelegate(parent), fImages(images) {}

void TNodeItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->state & QStyle::State_Selected) {
        option->icon = fImages.Icon(0);
        option->features |= QStyleOptionViewItem::HasDecoration;
    }
}
