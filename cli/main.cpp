// velk: the command-line tool over the editor's core, for batch and service work.
#include "commands.h"
#include "console_ui.h"

#include "common/build_identity.h"

#include <csignal>

int main(int argc, char** argv)
{
    using namespace velk;
    CLI::App app{ApplicationTitle() + " - channel database, receiver link and image tools", "velk"};
    app.set_version_flag("--version", ApplicationTitle() + " (" + ProjectId() + ", built " + BuildDate() + " " + BuildTime() + ")");
    app.require_subcommand(0, 1);
    cli::AddSdbCommands(app);
    cli::AddImportCommands(app);
    cli::AddImageCommands(app);
    cli::AddLinkCommands(app);
    cli::AddListCommands(app);
    std::signal(SIGINT, [](int) { cli::ConsoleUi::RequestCancel(); });
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    }
    if (app.get_subcommands().empty()) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    }
    return cli::ExitCode();
}
