#include "commands.h"

namespace velk::cli {

void AddSdbCommands(CLI::App&) {}

}  // namespace velk::cli
