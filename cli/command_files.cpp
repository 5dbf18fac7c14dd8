#include "command_files.h"

#include "commands.h"

#include "common/files.h"

#include <cerrno>

namespace velk::cli {

void Fail() { ExitCode() = 1; }

void FailWith(Ui& ui, std::string_view text, const Error& error)
{
    ShowError(ui, MessageWithCause(text, error));
    Fail();
}

bool CheckCommandFiles(Ui& ui, const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& output)
{
    Outcome status;
    for (const auto& input : inputs)
        if (status)
            status = CheckInputFile(input);
    if (status)
        status = CheckOutputFile(output);
    // Checked here so that every command names the folder the same way.
    if (const auto folder = FinalTarget(output).parent_path(); status && !folder.empty() && !std::filesystem::is_directory(folder))
        status = SystemError(output, ENOENT);
    for (const auto& input : inputs)
        if (status)
            status = CheckDistinctFiles(input, output);
    if (status)
        return true;
    ShowError(ui, CauseText(status.error()));
    Fail();
    return false;
}

}  // namespace velk::cli
