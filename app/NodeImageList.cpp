#include "app/NodeImageList.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "resources/Resources.h"

namespace {
QIcon RenderSvg(const QString& path, int size) {
    QIcon icon;
    QSvgRenderer renderer(path);
    // Render at 1x and 2x so the tree stays sharp on scaled screens.
    for (int scale : {1, 2}) {
        QPixmap pixmap(size * scale, size * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}
}  // namespace

TNodeImageList::TNodeImageList(int size) {
    InitMarrowpadResources();
    fIcons.reserve(kNodeIconCount);
    for (int i = 0; i < kNodeIconCount; ++i)
        fIcons.push_back(RenderSvg(NodeIconPath(i), size));
}

QIcon TNodeImageList::Icon(int index) const {
    if (index < 0 || index >= Count()) return QIcon();
    return fIcons[static_cast<size_t>(index)];
}
