#include "image/image_urt_commands.h"

#include "common/format.h"
#include "image/multiple_image.h"
#include "image/urt_file.h"

namespace velk {
namespace {

std::optional<ImageCheckFailure> ShowFailure(Ui& ui, std::optional<ImageCheckFailure> failure)
{
    if (failure)
        ShowError(ui, failure->message);
    return failure;
}

// Asks for the output and runs `generate` on it with the settings stamped now.
template <typename Generate>
UrtRunOutcome GenerateAsked(Ui& ui, UrtSettings& settings, Generate generate)
{
    const std::optional<std::filesystem::path> output = ui.ChooseSaveFile(SaveUrtFileChoice());
    if (!output)
        return {};
    settings.trailer = true;
    settings.time = LocalUrtTimestamp();
    const int result = generate(*output);
    if (result == kUrtOk)
        ui.Message(UrtGeneratedText(*output), {}, Icon::Information, Buttons::Ok);
    return {std::nullopt, true, result};
}

}  // namespace

FileChoice SaveUrtFileChoice() { return {"Save as URT File", "URT Files|*.urt", "urt", {}}; }

UrtRunOutcome RunSingleImageUrt(Ui& ui, UrtSettings settings, const SingleImageForm& form)
{
    if (auto failure = ShowFailure(ui, CheckSingleImage(form)))
        return {std::move(failure)};
    return GenerateAsked(ui, settings, [&](const std::filesystem::path& output) {
        return GenerateUrtFile(settings, form.imageFile, output, form.params);
    });
}

UrtRunOutcome RunMultipleImageUrt(Ui& ui, UrtSettings settings, const MultipleImageForm& form)
{
    if (auto failure = ShowFailure(ui, CheckMultipleImage(form)))
        return {std::move(failure)};
    return GenerateAsked(ui, settings, [&](const std::filesystem::path& output) {
        return GenerateMultipleUrtFile(ui, settings, form, output);
    });
}

UrtImageParams Bin2UrtDefaultParams()
{
    UrtImageParams p;
    p.imageType = kImageDatabase;
    p.destinationCode = 7;
    p.manufacturerId = 0xA2;
    p.loaderText = "Database";
    p.startAddress = 0x7FE40000;
    p.endAddress = 0x7FE50000;
    p.swMajor = 1;
    p.hwMajor = 1;
    return p;
}

UrtRunOutcome RunBin2Urt(Ui& ui, const UrtSettings& settings, const SingleImageForm& form)
{
    if (auto failure = ShowFailure(ui, CheckSingleImage(form)))
        return {std::move(failure)};
    const std::optional<std::filesystem::path> output = ui.ChooseSaveFile(SaveUrtFileChoice());
    if (!output)
        return {};
    return {std::nullopt, true, Bin2UrtFile(ui, settings, form, *output)};
}

int Bin2UrtFile(Ui& ui, UrtSettings settings, const SingleImageForm& form, const std::filesystem::path& output)
{
    if (ShowFailure(ui, CheckSingleImage(form)))
        return kUrtCreateError;
    settings.time = LocalUrtTimestamp();
    const int result = GenerateUrtFile(settings, form.imageFile, output, form.params);
    if (result == kUrtOk)
        ShowInfo(ui, Format("%s file generated successfully.", output.string().c_str()));
    else
        ShowError(ui, "URT File generation process failed - bin2urt");
    return result;
}

}  // namespace velk
