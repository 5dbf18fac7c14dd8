#pragma once
// The steps from an image to the bytes the loader receives, shared by the
// transfer commands, the upload console and `velk send`: the optional
// compression the configuration asks for, the URT wrapping, and the reading of
// the URT files before the port is touched.
#include "common/bytes.h"
#include "common/ui.h"
#include "link/upload_config.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velk::link {

// The URT file every upload generates in WorkDir.
inline constexpr std::string_view kUploadUrtName = "TempURTFile.eut";
inline constexpr std::string_view kCompressedImageName = "TempCompressedBIN.bin";

// Compresses `image` into `target` with the configured variant: type 1 is
// "Bin2Cod", any other "Zlib" at the stored level plus one. 1 on success;
// a failure has been shown by the compressor.
int CompressUploadImage(Ui& ui, const UploadConfig& config, const std::filesystem::path& image,
                        const std::filesystem::path& target);

// The URT files of an upload, read whole. Nullopt after "File access error -
// UploadURTPacketThread" when one of them cannot be read.
std::optional<std::vector<Bytes>> ReadUploadFiles(Ui& ui, std::span<const std::filesystem::path> files);

// A URT file ready for the console upload: its name for the "File name" field
// and its bytes for the upload.
struct ConsoleUploadImage {
    std::filesystem::path file;
    Bytes bytes;
};

// Says which step the console's preparation has reached, in words for its status line.
using PreparationStep = std::function<void(const std::string&)>;

// The console upload's file: a URT file as it is; a file with the extension
// "bin" compressed first when "Compressed I&mage" is on, then wrapped into
// "TempURTFile.eut" in `workDir` with the chosen configuration's image values.
// Nullopt after "URT File generation process failed", a compression failure or
// the read failure of ReadUploadFiles. ui.ProgressCancelled() is asked between
// the steps (and inside the compression); a cancelled or failed preparation
// leaves none of the files it writes behind and shows nothing for the cancel.
std::optional<ConsoleUploadImage> PrepareConsoleUpload(Ui& ui, const UploadConfig& config, const std::filesystem::path& file,
                                                       const std::filesystem::path& workDir, const PreparationStep& step = {});

}  // namespace velk::link
