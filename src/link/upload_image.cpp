#include "link/upload_image.h"

#include "common/files.h"
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

// The files a preparation writes in WorkDir: removed again unless it completes,
// so a cancel or a failure leaves no half-made upload behind. The user's own
// file is never among them.
class PreparationFiles {
public:
    explicit PreparationFiles(std::filesystem::path input) : input_(std::move(input)) {}
    ~PreparationFiles()
    {
        if (kept_)
            return;
        for (const auto& file : files_)
            if (file != input_)
                RemoveFileIfExists(file);
    }
    PreparationFiles(const PreparationFiles&) = delete;
    PreparationFiles& operator=(const PreparationFiles&) = delete;

    std::filesystem::path Add(std::filesystem::path file)
    {
        files_.push_back(file);
        return file;
    }
    void Keep() { kept_ = true; }

private:
    std::filesystem::path input_;
    std::vector<std::filesystem::path> files_;
    bool kept_ = false;
};

void Say(const PreparationStep& step, const char* text)
{
    if (step)
        step(text);
}

// A BIN file compressed when the configuration asks for it, then wrapped into
// "TempURTFile.eut"; the URT file's path.
std::optional<std::filesystem::path> WrapBinFile(Ui& ui, const UploadConfig& config, const std::filesystem::path& file,
                                                 const std::filesystem::path& workDir, const PreparationStep& step,
                                                 PreparationFiles& made)
{
    auto image = file;
    if (config.compressImage) {
        Say(step, "Compressing the image...");
        const auto compressed = made.Add(workDir / kCompressedImageName);
        if (CompressUploadImage(ui, config, image, compressed) != 1)
            return std::nullopt;
        image = compressed;
    }
    if (ui.ProgressCancelled())
        return std::nullopt;
    Say(step, "Generating the URT file...");
    const auto params = config.imageRecord ? ImageParamsFromRecord(*config.imageRecord) : UrtImageParams{};
    const auto urt = made.Add(workDir / kUploadUrtName);
    if (GenerateUrtFile(*SetUrtSettings({}), image, urt, params) != kUrtOk) {
        ShowError(ui, "URT File generation process failed");
        return std::nullopt;
    }
    return urt;
}

}  // namespace

int CompressUploadImage(Ui& ui, const UploadConfig& config, const std::filesystem::path& image,
                        const std::filesystem::path& target)
{
    return config.compressionType == 1 ? CompressImageBin2Cod(ui, image, target)
                                       : CompressImageZlib(ui, image, target, config.compressionLevel + 1);
}

std::optional<std::vector<Bytes>> ReadUploadFiles(Ui& ui, std::span<const std::filesystem::path> files)
{
    std::vector<Bytes> images;
    for (const auto& file : files) {
        auto bytes = ReadFileBytes(file);
        if (!bytes) {
            ShowError(ui, "File access error - UploadURTPacketThread");
            return std::nullopt;
        }
        images.push_back(std::move(*bytes));
    }
    return images;
}

std::optional<ConsoleUploadImage> PrepareConsoleUpload(Ui& ui, const UploadConfig& config, const std::filesystem::path& file,
                                                       const std::filesystem::path& workDir, const PreparationStep& step)
{
    PreparationFiles made(file);
    const auto urt = IsBinFile(file) ? WrapBinFile(ui, config, file, workDir, step, made) : file;
    if (!urt || ui.ProgressCancelled())
        return std::nullopt;
    Say(step, "Reading the URT file...");
    auto bytes = ReadUploadFiles(ui, std::span(&*urt, 1));
    if (!bytes || ui.ProgressCancelled())
        return std::nullopt;
    made.Keep();
    return ConsoleUploadImage{*urt, std::move(bytes->front())};
}

}  // namespace velk::link
