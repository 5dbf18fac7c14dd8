#pragma once
// Runs velk subcommands in-process, as the command line would.
#include <CLI/CLI.hpp>

#include "commands.h"

#include <string>
#include <vector>

namespace velk::test {

inline constexpr int kCommandLineRefused = 2;

// `addCommands` registers one subsystem's subcommands. Returns the command's
// exit code, or kCommandLineRefused when the arguments were rejected.
inline int RunVelk(void (*addCommands)(CLI::App&), std::vector<std::string> args)
{
    CLI::App app;
    addCommands(app);
    cli::ExitCode() = 0;
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        return e.get_exit_code() == 0 ? 0 : kCommandLineRefused;
    }
    return cli::ExitCode();
}

}  // namespace velk::test
