#include "link/upload_image.h"

#include "image/compress_image.h"
#include "image/urt_file.h"

#include <algorithm>
#include <cctype>

namespace velk::link {
namespace {

bool IsBinFile(const std::filesystem::path& file)
{
    auto extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".bin";
}

}  // namespace

int CompressUploadImage(Ui& ui, const UploadConfig& config, const std::filesystem::path& image,
                        const std::filesystem::path& target)
{
    return config.compressionType == 1 ? CompressImageBin2Cod(ui, image, target)
                                       : CompressImageZlib(ui, image, target, config.compressionLevel + 1);
}

std::optional<std::filesystem::path> ConsoleUploadFile(Ui& ui, const UploadConfig& config, const std::filesystem::path& file,
                                                       const std::filesystem::path& workDir)
{
    if (!IsBinFile(file))
        return file;
    auto image = file;
    if (config.compressImage) {
        const auto compressed = workDir / kCompressedImageName;
        if (CompressUploadImage(ui, config, image, compressed) != 1)
            return std::nullopt;
        image = compressed;
    }
    const auto params = config.imageRecord ? ImageParamsFromRecord(*config.imageRecord) : UrtImageParams{};
    const auto urt = workDir / kUploadUrtName;
    if (GenerateUrtFile(*SetUrtSettings({}), image, urt, params) != kUrtOk) {
        ShowError(ui, "URT File generation process failed");
        return std::nullopt;
    }
    return urt;
}

}  // namespace velk::link
