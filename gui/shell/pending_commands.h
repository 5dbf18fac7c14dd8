#pragma once
// Commands of the table whose windows are not built yet: their menu items show
// but do nothing. The command test fails for any other command without a
// handler (connected through CommandAction::Handle, as MainWindow's on() does),
// and for a command listed here that has one: remove a command from this list
// in the change that connects it.
#include "shell/command_table.h"

namespace velk::gui {

inline constexpr Command kPendingCommands[] = {
    cmd::ConsoleConnect, cmd::ConsoleUpload, cmd::ConsoleSaveLog, cmd::ConsoleClear, cmd::ConsoleCancel, cmd::ConsoleClose,
};

}  // namespace velk::gui
