#pragma once

#include <QStyledItemDelegate>

// Paints the rows of TSearchResultModel: headings in bold, hits indented with the matched
// text marked.
class TSearchResultDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
