#include "commands.h"

namespace velk::cli {

void AddImageCommands(CLI::App&) {}

}  // namespace velk::cli
