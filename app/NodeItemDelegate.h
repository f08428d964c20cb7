#pragma once

#include <QStyledItemDelegate>

class TNodeImageList;

// Draws the selected node with the selection icon (icon 0) instead of its own icon.
class TNodeItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TNodeItemDelegate(const TNodeImageList& images, QObject* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const TNodeImageList& fImages;
};
