#include "database/drop_views.h"

#include <QDropEvent>

namespace velk::gui {

void EditorTree::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void EditorTree::dropEvent(QDropEvent* event)
{
    auto* target = itemAt(event->position().toPoint());
    auto* dragged = currentItem();
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() == this && dragged && target && dragged != target)
        emit nodeDropped(dragged, target);
}

void EditorList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void EditorList::dropEvent(QDropEvent* event)
{
    const auto target = indexAt(event->position().toPoint());
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (event->source() == this && target.isValid())
        emit rowsDropped(target.row());
}

}  // namespace velk::gui
