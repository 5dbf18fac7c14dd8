#include "shell/command_table.h"

#include <algorithm>
#include <stdexcept>

namespace velk::gui {

const CommandInfo& InfoOf(Command id)
{
    const auto it = std::find_if(kCommands.begin(), kCommands.end(), [id](const CommandInfo& c) { return c.id == id; });
    if (it == kCommands.end())
        throw std::out_of_range("unknown command");
    return *it;
}

}  // namespace velk::gui
