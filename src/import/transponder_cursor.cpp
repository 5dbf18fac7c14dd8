#include "import/transponder_cursor.h"

#include "common/format.h"

namespace velk {

void TransponderCursor::OpenSatellite(ImportSatellite satellite, bool zeroSlot)
{
    Close();
    // A carrier belongs to one satellite: the next record opens its own.
    current_.reset();
    carrier_ = 0;
    satellite.selected = selected_;
    AddImportSatellite(staging_, std::move(satellite));
    satellite_ = SatelliteCount();
    satelliteCarriers_ = 0;
    if (zeroSlot)
        staging_.carrierCounts.Set(satellite_, 0);
}

void TransponderCursor::OpenCarrier(const Transponder& t, ImportCarrier carrier, bool named)
{
    Close();
    carrier.satellite = satellite_;
    carrier.selected = selected_;
    if (!named)
        carrier.name = Format("Carrier%u_S%u", satelliteCarriers_ + 1, satellite_);
    const auto placed = AddImportCarrier(staging_, std::move(carrier));
    current_ = t;
    carrier_ = placed.ordinal;
    if (!placed.added)
        return;
    ++satelliteCarriers_;
    staging_.carrierCounts.Set(satellite_, satelliteCarriers_);
    staging_.serviceCounts.Set(carrier_, 0);
}

void TransponderCursor::JoinService(ImportService service)
{
    service.carrier = carrier_;
    service.selected = selected_;
    if (AddImportService(staging_, std::move(service)))
        staging_.serviceCounts.Set(carrier_, staging_.ServiceCount(carrier_));
}

void TransponderCursor::Close()
{
    if (carrier_ != 0)
        NumberMissingServiceIds(staging_, carrier_);
}

}  // namespace velk
