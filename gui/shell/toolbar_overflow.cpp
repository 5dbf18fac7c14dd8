#include "shell/toolbar_overflow.h"

#include <QEvent>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace velk::gui {
namespace {

// The commands of the buttons the toolbar has no room for; a drop-down button
// becomes a sub-menu.
void FillWithHidden(QMenu* menu, QToolBar* bar)
{
    menu->clear();
    for (auto* action : bar->actions()) {
        auto* widget = bar->widgetForAction(action);
        if (!widget || widget->isVisible() || action->isSeparator())
            continue;
        auto* button = qobject_cast<QToolButton*>(widget);
        if (button && button->menu() && button->defaultAction() == nullptr)
            menu->addMenu(button->menu())->setText(button->text());
        else
            menu->addAction(action);
    }
}

// Takes the clicks of Qt's extension button, which would unfold the toolbar
// over the window below it, and pops up the menu instead.
class OverflowMenu : public QObject {
public:
    OverflowMenu(QToolBar* bar, QToolButton* extension) : QObject(extension), bar_(bar), extension_(extension), menu_(new QMenu(extension))
    {
        menu_->setObjectName("toolbarOverflow");
        extension->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            FillWithHidden(menu_, bar_);
            menu_->popup(extension_->mapToGlobal(QPoint(0, extension_->height())));
            return true;
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            return false;
        }
    }

private:
    QToolBar* bar_;
    QToolButton* extension_;
    QMenu* menu_;
};

}  // namespace

void ShowOverflowAsMenu(QToolBar* bar)
{
    // Qt's own extension button.
    if (auto* extension = bar->findChild<QToolButton*>("qt_toolbar_ext_button"))
        new OverflowMenu(bar, extension);
}

}  // namespace velk::gui
