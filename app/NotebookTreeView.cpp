#include "app/NotebookTreeView.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/Notebook.h"
#include "app/NotebookModel.h"

TNotebookTreeView::TNotebookTreeView(QWidget* parent) : QTreeView(parent) {
    SetDragAllowed(false);
}

void TNotebookTreeView::SetDragAllowed(bool allowed) {
    fDragAllowed = allowed;
    if (!allowed && fDragging) EndDrag();
}

TNotebookNode* TNotebookTreeView::NodeAt(const QPoint& point) const {
    return TNotebookModel::NodeOf(indexAt(point));
}

TNotebookNode* TNotebookTreeView::SelectedNode() const {
    const QModelIndex current = currentIndex();
    return selectionModel() && selectionModel()->isSelected(current)
               ? TNotebookModel::NodeOf(current)
               : nullptr;
}

TNotebookNode* TNotebookTreeView::DropTargetAt(const QPoint& point) const {
    TNotebookNode* target = NodeAt(point);
    return target && target != SelectedNode() ? target : nullptr;
}

void TNotebookTreeView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    fPressPoint = event->position().toPoint();
    fPressed = fDragAllowed && event->button() == Qt::LeftButton && NodeAt(fPressPoint) &&
               NodeAt(fPressPoint) == SelectedNode();
}

void TNotebookTreeView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (fDragging) {
        // Near the top or bottom edge the tree scrolls, so every node can be reached.
        const int margin = 16;
        QScrollBar* bar = verticalScrollBar();
        if (point.y() < margin) bar->setValue(bar->value() - bar->singleStep());
        if (point.y() > viewport()->height() - margin)
            bar->setValue(bar->value() + bar->singleStep());
        UpdateDropTarget(point);
        return;
    }
    if (fPressed && (event->buttons() & Qt::LeftButton)) {
        // Until the drag starts, moving with the button down must not select other nodes.
        if ((point - fPressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            fDragging = true;
            viewport()->setCursor(Qt::DragMoveCursor);
            UpdateDropTarget(point);
        }
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void TNotebookTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (fDragging && event->button() == Qt::LeftButton) {
        TNotebookNode* target = DropTargetAt(event->position().toPoint());
        EndDrag();
        event->accept();
        if (target && OnDropNode) OnDropNode(target);
        return;
    }
    fPressed = false;
    QTreeView::mouseReleaseEvent(event);
}

void TNotebookTreeView::keyPressEvent(QKeyEvent* event) {
    if (fDragging && event->key() == Qt::Key_Escape) {
        EndDrag();
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    if (currentIndex() != before && SelectedNode() && OnKeyboardSelect) OnKeyboardSelect();
}

void TNotebookTreeView::UpdateDropTarget(const QPoint& point) {
    TNotebookNode* target = DropTargetAt(point);
    viewport()->setCursor(target ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    if (target != fDropTarget) {
        fDropTarget = target;
        viewport()->update();
    }
}

void TNotebookTreeView::EndDrag() {
    fDragging = false;
    fPressed = false;
    fDropTarget = nullptr;
    viewport()->unsetCursor();
    viewport()->update();
}

void TNotebookTreeView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (!fDragging || !fDropTarget) return;
    // A node with children takes the drop as its last child (framed); a leaf gets the
    // dropped node before it (a line above it).
    const auto* notebookModel = qobject_cast<const TNotebookModel*>(model());
    if (!notebookModel) return;
    const QRect rect = visualRect(notebookModel->IndexOf(fDropTarget));
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    if (fDropTarget->HasChildren())
        painter.drawRect(rect.adjusted(1, 1, -1, -1));
    else
        painter.drawLine(rect.topLeft(), rect.topRight());
}
