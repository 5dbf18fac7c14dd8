#pragma once
// Names of the files that make up the working store and the transfer scratch files.
#include <array>
#include <string_view>

namespace velk::store_file {

inline constexpr std::string_view kLnb = "TempLNB.stb";
inline constexpr std::string_view kSatellite = "TempSAT.stb";
inline constexpr std::string_view kCarrier = "TempCAR.stb";
inline constexpr std::string_view kService = "TempSER.stb";
inline constexpr std::string_view kCarrierOrder = "TempCarOSL.stb";
inline constexpr std::string_view kServiceOrder = "TempOSL.stb";
inline constexpr std::string_view kAllServicesView = "TempAOSL.stb";
inline constexpr std::string_view kSatelliteView = "TempSOSL.stb";
inline constexpr std::string_view kCarrierView = "TempCOSL.stb";
inline constexpr std::string_view kScratch = "TempDel.stb";
inline constexpr std::string_view kScratch2 = "TempDel_01.stb";

// Everything clearing the store deletes: the record files, order and view lists,
// scratch files, and the intermediate files of uploads and downloads.
inline constexpr std::array<std::string_view, 24> kClearedOnReset{
    kLnb, kSatellite, kCarrier, kService, kScratch,
    "UploadURT.urt", "UploadBIN.bin", "StaticBIN.bin", "kymRes.bin", "CmdScript.csf",
    "CmdUrtFile.urt", "kymDump.sdb", "kymCompBIN.cbf", "DumpBin.dbi", "tmpADB.urt",
    "tmpHovo.urt", "pckurt.bin", kServiceOrder, kSatelliteView, kCarrierView,
    kAllServicesView, kCarrierOrder, kScratch2, "TempURTFile.eut"};

// Deleted in addition at shutdown.
inline constexpr std::array<std::string_view, 6> kRemovedAtExit{
    "UndoSorting.bin", "TempSDXBin.bin", "kymDumpSDB.sdb", "KymADBDump.dbi", "KymE2PDump.dbi", "_debugprint.tmp"};

}  // namespace velk::store_file
