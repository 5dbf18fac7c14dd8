#pragma once
// Each subsystem adds its subcommands to the velk command line here.
#include <CLI/CLI.hpp>

namespace velk::cli {

void AddSdbCommands(CLI::App& app);
void AddImportCommands(CLI::App& app);
void AddImageCommands(CLI::App& app);
void AddLinkCommands(CLI::App& app);
void AddListCommands(CLI::App& app);

// Exit code of a subcommand, set by its callback.
int& ExitCode();

}  // namespace velk::cli
