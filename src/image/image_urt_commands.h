#pragma once
// The "&URT" buttons of the image dialogs and BIN2URT once their fields are read:
// the checks in their order, the output file, the generation and its report.
#include "common/ui.h"
#include "image/image_checks.h"
#include "image/urt_settings.h"

#include <filesystem>
#include <optional>

namespace velk {

// "Save as URT File", filter "URT Files" (*.urt).
FileChoice SaveUrtFileChoice();

// How one press of "&URT" ended.
struct UrtRunOutcome {
    std::optional<ImageCheckFailure> failure;  // a check failed: shown, the dialog stays open
    bool attempted = false;                     // a generation ran (successful or not)
    int result = 0;                             // its UrtResult
};

// Single Image Details: the checks (the failure shown with the error icon), "Save as
// URT File", the generation with the trailer, stamped now, and on success
// "%s \nfile is generated successfully.". Cancelling the file choice ends quietly.
UrtRunOutcome RunSingleImageUrt(Ui& ui, UrtSettings settings, const SingleImageForm& form);

// Multiple Image Details: the same with the multiple image's checks and combined image.
UrtRunOutcome RunMultipleImageUrt(Ui& ui, UrtSettings settings, const MultipleImageForm& form);

// The image values BIN2URT starts from without a configuration: a database image
// for FLASHROM_DATABASE_PARTITION (7), manufacturer 0xA2, loader text "Database",
// region 0x7FE40000 to 0x7FE50000, versions 1.0.
UrtImageParams Bin2UrtDefaultParams();

// BIN2URT's "&URT": the single image's checks, "Save as URT File", then Bin2UrtFile.
UrtRunOutcome RunBin2Urt(Ui& ui, const UrtSettings& settings, const SingleImageForm& form);

// BIN2URT with the output known (the dialog and `velk urt`): the single image's
// checks, the generation stamped now, then "%s file generated successfully." or
// "URT File generation process failed - bin2urt". Returns the UrtResult, or
// kUrtCreateError after a failed check.
int Bin2UrtFile(Ui& ui, UrtSettings settings, const SingleImageForm& form, const std::filesystem::path& output);

}  // namespace velk
