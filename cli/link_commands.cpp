#include "commands.h"

namespace velk::cli {

void AddLinkCommands(CLI::App&) {}

}  // namespace velk::cli
