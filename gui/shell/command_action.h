#pragma once
// The action of a command of the table. Handlers are connected through
// Handle(), so that the action knows whether anything carries it out (menus
// and tool buttons connect to `triggered` themselves, so a connection count
// cannot tell).
#include <QAction>

#include <utility>

namespace velk::gui {

class CommandAction : public QAction {
    Q_OBJECT
public:
    using QAction::QAction;

    template <typename Receiver, typename Slot>
    void Handle(const Receiver* receiver, Slot slot)
    {
        connect(this, &QAction::triggered, receiver, std::move(slot));
        handled_ = true;
    }
    bool Handled() const { return handled_; }

private:
    bool handled_ = false;
};

}  // namespace velk::gui
