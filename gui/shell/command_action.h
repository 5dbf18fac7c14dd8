#pragma once
// The action of a command of the table. Handlers are connected through
// Handle(), so that the action knows whether anything carries it out (menus
// and tool buttons connect to `triggered` themselves, so a connection count
// cannot tell).
#include "shell/command_table.h"

#include <QAction>

namespace velk::gui {

class CommandAction : public QAction {
    Q_OBJECT
public:
    CommandAction(Command command, const QString& text, QObject* parent) : QAction(text, parent), command_(command) {}
    Command Id() const { return command_; }

    template <typename Receiver, typename Slot>
    void Handle(const Receiver* receiver, Slot slot)
    {
        connect(this, &QAction::triggered, receiver, std::move(slot));
        handled_ = true;
    }
    bool Handled() const { return handled_; }

private:
    Command command_;
    bool handled_ = false;
};

}  // namespace velk::gui
