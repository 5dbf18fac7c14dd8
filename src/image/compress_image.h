#pragma once
// The "&Compression" command: binary images into "HWC$" compressed image files.
#include "common/ui.h"

#include <filesystem>

namespace velk {

enum class CompressionType { Zlib, Bin2Cod };

// Deflates the input into a "Zlib" HWC$ file at `level` (1..9). Returns 1 on success;
// 0 after showing the failure (caption "Compression"), with `output` untouched.
int CompressImageZlib(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output, int level);

// Codes the input with LZARI into a "Bin2Cod" HWC$ file. Returns 1 on success; 0 after
// showing the failure (caption "Compression"), with `output` untouched. Input that
// would not shrink to at most its own size fails with "Compression failed.". The
// coder reports its progress through the Ui; a cancel ends it with 0 and no message.
int CompressImageBin2Cod(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output);

// The dialog's first step of "Com&press": refuses an input that cannot be opened
// ("Binary file does not exist or invalid path.") or is empty, before any output is asked for.
bool CheckCompressionInput(Ui& ui, const std::filesystem::path& input);

// The dialog's "Com&press" once the output is chosen: refuses a missing or empty
// input, compresses, and reports "%s\nis compressed as\n%s". Returns 1 on success.
int CompressImageFile(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output,
                      CompressionType type, int level);

}  // namespace velk
