#pragma once

#include <QTreeView>
#include <functional>

class TNotebookNode;

// The snippet tree. Besides showing the notebook it carries the node drag and drop: while
// dragging is allowed, pressing on a node and moving the mouse drags the (then selected)
// node; releasing over another node offers that node to OnDropNode, and the window decides
// what the drop does. Escape cancels a drag.
//
// The drag is tracked by the view itself rather than by the platform's drag service: nodes
// are only ever dropped inside this tree, and this way it behaves the same on every Qt
// platform, the offscreen one included.
class TNotebookTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TNotebookTreeView(QWidget* parent = nullptr);

    void SetDragAllowed(bool allowed);
    bool DragAllowed() const { return fDragAllowed; }
    bool Dragging() const { return fDragging; }
    // The node drawn at a point of the viewport, or null.
    TNotebookNode* NodeAt(const QPoint& point) const;
    // The selected node, or null.
    TNotebookNode* SelectedNode() const;

    std::function<void(TNotebookNode* target)> OnDropNode;
    // Raised when a key (an arrow, Home, a typed letter) moved the current node: the window
    // treats it like a click on the node.
    std::function<void()> OnKeyboardSelect;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The node a drop at `point` would land on, or null when a drop there is refused: over
    // no node, or over the dragged node itself.
    TNotebookNode* DropTargetAt(const QPoint& point) const;
    void UpdateDropTarget(const QPoint& point);
    void EndDrag();

    bool fDragAllowed = false;
    bool fPressed = false;   // the left button went down on a node while dragging is allowed
    bool fDragging = false;  // the mouse moved far enough: a node drag is under way
    QPoint fPressPoint;
    TNotebookNode* fDropTarget = nullptr;
};
