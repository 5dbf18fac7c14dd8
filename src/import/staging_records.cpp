#include "import/staging_records.h"

#include "common/field_table.h"

#include <algorithm>
#include <string>

namespace velk {
namespace {

constexpr auto kSatelliteFields = Fields(
    At<&ImportSatellite::lnbNumber>(0), TextAt<&ImportSatellite::name, kStagingNameSize>(2),
    At<&ImportSatellite::hemisphere>(26), At<&ImportSatellite::selected>(27), At<&ImportSatellite::position>(32));
static_assert(kSatelliteFields.FitsIn(ImportSatellite::kSize));

constexpr auto kCarrierFields = Fields(
    At<&ImportCarrier::ordinal>(0), At<&ImportCarrier::symbolRateKs>(4), At<&ImportCarrier::satellite>(8),
    At<&ImportCarrier::frequencyMhz>(12), At<&ImportCarrier::polarization>(16),
    TextAt<&ImportCarrier::name, kStagingNameSize>(20), At<&ImportCarrier::fec>(45), At<&ImportCarrier::access>(46),
    At<&ImportCarrier::selected>(47));
static_assert(kCarrierFields.FitsIn(ImportCarrier::kSize));

constexpr auto kServiceFields = Fields(
    At<&ImportService::carrier>(0), TextAt<&ImportService::name, kStagingNameSize>(4), At<&ImportService::selected>(29),
    At<&ImportService::videoPid>(30), At<&ImportService::audioPid>(32), At<&ImportService::pcrPid>(34),
    At<&ImportService::serviceId>(36), At<&ImportService::scrambled>(38), At<&ImportService::type>(39));
static_assert(kServiceFields.FitsIn(ImportService::kSize));

constexpr auto kLnbFields = Fields(At<&ImportLnb::power>(0), At<&ImportLnb::highMhz>(2), At<&ImportLnb::lowMhz>(4),
                                   At<&ImportLnb::type>(6));
static_assert(kLnbFields.FitsIn(ImportLnb::kSize));

// The bytes between fields stay zero.
template <typename Record, std::size_t N>
Bytes Encode(const FieldTable<Record, N>& fields, const Record& r)
{
    Bytes out(Record::kSize, 0);
    fields.Store(out, r);
    return out;
}

template <typename Record, std::size_t N>
Record Decode(const FieldTable<Record, N>& fields, ByteView in)
{
    Record r;
    fields.Load(in, r);
    return r;
}

}  // namespace

Bytes EncodeImportSatellite(const ImportSatellite& r) { return Encode(kSatelliteFields, r); }
Bytes EncodeImportCarrier(const ImportCarrier& r) { return Encode(kCarrierFields, r); }
Bytes EncodeImportService(const ImportService& r) { return Encode(kServiceFields, r); }
Bytes EncodeImportLnb(const ImportLnb& r) { return Encode(kLnbFields, r); }
ImportSatellite DecodeImportSatellite(ByteView in) { return Decode(kSatelliteFields, in); }
ImportCarrier DecodeImportCarrier(ByteView in) { return Decode(kCarrierFields, in); }
ImportService DecodeImportService(ByteView in) { return Decode(kServiceFields, in); }
ImportLnb DecodeImportLnb(ByteView in) { return Decode(kLnbFields, in); }

std::array<std::uint8_t, 4> EncodeCountSlot(std::uint32_t count)
{
    const auto digits = std::to_string(count);
    std::array<std::uint8_t, 4> slot{};
    std::copy_n(digits.begin(), std::min<std::size_t>(digits.size(), slot.size()), slot.begin());
    return slot;
}

}  // namespace velk
