#pragma once
// The checks every file-writing velk command makes before it starts, and the
// one way a command reports a failure with its cause.
#include "common/error.h"
#include "common/ui.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace velk::cli {

// Marks the running command as failed (exit code 1).
void Fail();

// Shows `text`, the cause on the next line, and marks the command failed.
void FailWith(Ui& ui, std::string_view text, const Error& error);

// Refuses, naming the file and the reason: an input that is not a readable
// regular file (a FIFO would block), an output that exists and is not a
// writable regular file, and an output that is one of the inputs.
bool CheckCommandFiles(Ui& ui, const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& output);

}  // namespace velk::cli
