#pragma once
// The ADB builder's whole run: the images, their URT files "tmpADB.urt" and
// "tmpHovo.urt", and the upload list that names them.
#include "image/urt_settings.h"
#include "link/adb_builder.h"

#include <filesystem>
#include <vector>

namespace velk::link {

// `base` carries the image values the upload configuration sets; the builder
// sets each image's type, destination, name and addresses. Returns 1 with the
// two URT files in `uploadList`, or 0 after a reported failure.
int CreateADBBINFilesToUpload(const WorkingStore& store, Ui& ui, ReceiverRecords& records, UserSettings& user,
                              const UrtImageParams& base, std::vector<std::filesystem::path>& uploadList);

}  // namespace velk::link
