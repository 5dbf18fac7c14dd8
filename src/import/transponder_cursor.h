#pragma once
// The engine the SatcoDX and DVB2000 parsers share: it follows the list's
// satellites and transponders, opens carriers and lets services join them.
//
// A record whose transponder duplicates a carrier already staged for the same
// satellite makes that carrier current again, so lists ordered by channel
// rather than by transponder keep all their services.
#include "import/import_staging.h"

#include <cstdint>
#include <optional>

namespace velk {

// A transponder as the list gives it; records compare these raw values.
struct Transponder {
    std::uint32_t frequencyMhz = 0;
    std::uint32_t symbolRateKs = 0;
    std::uint32_t polarization = 0;
    bool operator==(const Transponder&) const = default;
};

class TransponderCursor {
public:
    TransponderCursor(ImportStaging& staging, std::uint8_t selected) : staging_(staging), selected_(selected) {}

    // Closes the current carrier and stages a new satellite. `zeroSlot` writes
    // "0" into its carrier count slot at once.
    void OpenSatellite(ImportSatellite satellite, bool zeroSlot);

    // True when `t` is the transponder of the current carrier.
    bool IsCurrent(const Transponder& t) const { return current_ && *current_ == t; }

    // Closes the current carrier and makes the carrier for `t` current: a new
    // one, or the staged carrier it duplicates. Without a name the carrier is
    // named "Carrier%d_S%d".
    void OpenCarrier(const Transponder& t, ImportCarrier carrier, bool named);

    // Stages a service on the current carrier (with the duplicate rules).
    void JoinService(ImportService service);

    // Closes the current carrier (numbers its services without ID).
    void Close();

    std::uint32_t SatelliteOrdinal() const { return satellite_; }
    std::uint32_t SatelliteCount() const { return static_cast<std::uint32_t>(staging_.satellites.size()); }
    std::uint8_t Selected() const { return selected_; }
    ImportStaging& Staging() { return staging_; }

private:
    ImportStaging& staging_;
    std::uint8_t selected_;
    std::uint32_t satellite_ = 0;
    std::uint32_t satelliteCarriers_ = 0;
    std::optional<Transponder> current_;
    std::uint32_t carrier_ = 0;  // ordinal of the current carrier, 0 before the first
};

}  // namespace velk
