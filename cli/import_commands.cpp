#include "commands.h"

namespace velk::cli {

void AddImportCommands(CLI::App&) {}

}  // namespace velk::cli
