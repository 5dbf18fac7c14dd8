#pragma once
// Verifying a file before it goes to the receiver: a URT file or a "HWC$"
// compressed image, told apart by its first bytes.
#include "common/ui.h"
#include "image/verifier_report.h"

#include <filesystem>

namespace velk {

// Reads and inspects the file; a file that cannot be read or is neither kind
// gives a report with that problem at offset 0.
InspectionReport InspectImageFile(const std::filesystem::path& path);

// Decodes a "HWC$" file back to its image and writes it to `output` (replaced
// only when the file is sound). Returns 1, or 0 after showing the first problem
// (caption "Compression").
int DecompressImageFile(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output);

}  // namespace velk
