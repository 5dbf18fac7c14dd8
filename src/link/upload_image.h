#pragma once
// The steps from an image to the file the loader receives, shared by the
// transfer commands, the upload console and `velk send`: the optional
// compression the configuration asks for, and the URT wrapping.
#include "common/ui.h"
#include "link/upload_config.h"

#include <filesystem>
#include <optional>

namespace velk::link {

// The URT file every upload generates in WorkDir.
inline constexpr std::string_view kUploadUrtName = "TempURTFile.eut";
inline constexpr std::string_view kCompressedImageName = "TempCompressedBIN.bin";

// Compresses `image` into `target` with the configured variant: type 1 is
// "Bin2Cod", any other "Zlib" at the stored level plus one. 1 on success;
// a failure has been shown by the compressor.
int CompressUploadImage(Ui& ui, const UploadConfig& config, const std::filesystem::path& image,
                        const std::filesystem::path& target);

// The console upload's file: a URT file as it is; a file with the extension
// "bin" compressed first when "Compressed I&mage" is on, then wrapped into
// "TempURTFile.eut" in `workDir` with the chosen configuration's image values.
// Nullopt after "URT File generation process failed" or a compression failure.
std::optional<std::filesystem::path> ConsoleUploadFile(Ui& ui, const UploadConfig& config, const std::filesystem::path& file,
                                                       const std::filesystem::path& workDir);

}  // namespace velk::link
