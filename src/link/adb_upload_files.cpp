#include "link/adb_upload_files.h"

#include "common/files.h"
#include "image/urt_file.h"
#include "link/adb_layout.h"

namespace velk::link {

int CreateADBBINFilesToUpload(const WorkingStore& store, Ui& ui, ReceiverRecords& records, UserSettings& user,
                              const UrtImageParams& base, std::vector<std::filesystem::path>& uploadList)
{
    if (BuildAdbImages(store, ui, records, user) != 1)
        return 0;
    const auto settings = SetUrtSettings({.trailer = false});
    UrtImageParams adbParams = base;
    adbParams.imageType = 0;
    adbParams.destinationCode = 7;
    adbParams.loaderText = "Active Database";
    adbParams.startAddress = 0x7FE00000;
    adbParams.endAddress = 0x7FE40000;
    if (GenerateUrtFile(*settings, store.File(adb::kAdbDump), store.File(adb::kAdbUrt), adbParams) != kUrtOk) {
        ShowError(ui, "ADB info. urt generation failed.");
        return 0;
    }
    UrtImageParams e2pParams = base;
    e2pParams.imageType = 3;
    e2pParams.destinationCode = 0;
    e2pParams.loaderText = "E2P Data";
    e2pParams.startAddress = 0;
    e2pParams.endAddress = adb::kE2pSize;
    if (GenerateUrtFile(*settings, store.File(adb::kE2pDump), store.File(adb::kHovoUrt), e2pParams) != kUrtOk) {
        ShowError(ui, "Hovo Info. urt generation failed.");
        return 0;
    }
    uploadList = {store.File(adb::kAdbUrt), store.File(adb::kHovoUrt)};
    for (const auto name : {"tmpHovoE.bin", "tmpLSD.bin", "tmpCSD.bin", "tmpOSL.bin"})
        RemoveFileIfExists(store.File(name));
    return 1;
}

}  // namespace velk::link
