#pragma once
// Names of the staging files an import fills in the working directory.
#include <array>
#include <string_view>

namespace velk::staging_file {

inline constexpr std::string_view kLnb = "TempLNB.tmp";
inline constexpr std::string_view kCarrierCounts = "CarCount.tmp";
inline constexpr std::string_view kServiceCounts = "SvcCount.tmp";
inline constexpr std::string_view kSatellites = "TempSat.tmp";
inline constexpr std::string_view kCarriers = "TempCar.tmp";
inline constexpr std::string_view kServices = "TempSer.tmp";
inline constexpr std::string_view kSatelliteFilters = "SatFlag.tmp";
inline constexpr std::string_view kCarrierFilters = "CarFlag.tmp";

// Every file of one import, deleted before the next one and after Finish.
inline constexpr std::array<std::string_view, 8> kAll{
    kLnb, kCarrierCounts, kServiceCounts, kSatellites, kCarriers, kServices, kSatelliteFilters, kCarrierFilters};

}  // namespace velk::staging_file
