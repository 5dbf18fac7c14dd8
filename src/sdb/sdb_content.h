#pragma once
// The records that go into one SDB BIN file, in file order, and their encoding
// into the new ('e','E') layout. The writer, the selection writer and the sort
// writer differ only in how they pick and order this content.
#include "common/bytes.h"
#include "database/working_store.h"
#include "sdb/sdb_session.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace velk::sdb {

struct SdbContent {
    Placement placement = Placement::Lnb;
    std::uint8_t productType = 1;
    std::vector<std::optional<LnbRecord>> lnbs;              // nullopt: a padding LNB
    std::vector<std::optional<SatelliteRecord>> satellites;  // nullopt: a padding satellite
    // Carriers in file order; their satellite index refers to the file's satellite order.
    std::vector<CarrierRecord> carriers;
    // Services grouped by carrier in the carriers' file order (runs of service counts).
    std::vector<ServiceRecord> services;
    std::vector<std::uint16_t> osl;                           // channel order
    std::optional<UserSettingsBlock> userBox;                 // nullopt: header with count 0
    std::uint8_t carrierLnbByte = 0;  // carrier word 0 bits 24-31: LNB index of satellite record 1
};

struct SdbHeaderInfo {
    std::array<std::uint8_t, 7> date{};  // day, month, year (2 bytes), hour, minute, second
    std::array<std::uint8_t, 3> userInitial{};
    std::uint8_t sdbMajor = 0;
    std::uint8_t sdbMinor = 0;
};

// The header values of a save now: local time, the session's initial and version.
SdbHeaderInfo HeaderForSave(const SdbSession& session);
// The 3 bytes of a user initial (cut or zero-padded).
std::array<std::uint8_t, 3> InitialBytes(const std::string& initial);

// Encodes the content as a complete new-layout file.
Bytes EncodeNewLayout(const SdbContent& content, const SdbHeaderInfo& header);

// Carrier position (0-based, file order) that holds each service by the run
// rule; 0xFFFE for a service past the last run.
std::vector<std::uint16_t> ServiceCarrierPositions(const SdbContent& content);

}  // namespace velk::sdb
