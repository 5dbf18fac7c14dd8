#pragma once
// The tree and the list of the editor with their drops turned into requests:
// the editor decides what a drop means and runs the core's move, so the views
// never move items themselves.
#include <QTableView>
#include <QTreeWidget>

namespace velk::gui {

class EditorTree : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
signals:
    void nodeDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target);

protected:
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class EditorList : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
signals:
    void rowsDropped(int targetRow);

protected:
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace velk::gui
