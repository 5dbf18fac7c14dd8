#include "image/image_verifier.h"

#include "common/files.h"
#include "image/hwc_reader.h"
#include "image/image_file.h"
#include "image/urt_reader.h"

namespace velk {
namespace {

std::optional<Bytes> ReadRegularFile(const std::filesystem::path& path)
{
    if (!ReadableImageSize(path))
        return std::nullopt;  // not a regular file: never opened, so it cannot block
    return ReadFileBytes(path);
}

InspectionReport Unreadable(const std::string& text)
{
    InspectionReport report;
    report.kind = "file";
    report.Problem(0, "file", text);
    return report;
}

}  // namespace

InspectionReport InspectImageFile(const std::filesystem::path& path)
{
    const std::optional<Bytes> file = ReadRegularFile(path);
    if (!file)
        return Unreadable("the file cannot be read");
    if (IsUrtFile(*file))
        return InspectUrtFile(*file);
    if (IsHwcFile(*file))
        return InspectHwcFile(*file);
    return Unreadable("neither a URT file (\"MZ\") nor a compressed image (\"HWC$\")");
}

int DecompressImageFile(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output)
{
    constexpr const char* kCaption = "Compression";
    const std::optional<Bytes> file = ReadRegularFile(input);
    if (!file) {
        ui.Message("Binary file does not exist or invalid path.", kCaption, Icon::Error, Buttons::Ok);
        return 0;
    }
    Bytes image;
    const InspectionReport report = InspectHwcFile(*file, &image);
    if (!report.Sound()) {
        ui.Message(FirstProblemText(report), kCaption, Icon::Error, Buttons::Ok);
        return 0;
    }
    if (!WriteFileAtomic(output, image)) {
        ui.Message("Unable to open output file.", kCaption, Icon::Error, Buttons::Ok);
        return 0;
    }
    return 1;
}

}  // namespace velk
