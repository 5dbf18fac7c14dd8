#include "import/staging_records.h"


#include <algorithm>
#include <bit>
#include <string>

namespace velk {
namespace {

// Cut to the field, NUL-terminated, zero-filled.
void StoreName(MutableByteView out, std::size_t off, const std::string& name)
{
    CheckRange(out.size(), off, kStagingNameSize);
    const auto n = std::min(name.size(), kStagingNameSize - 1);
    std::copy_n(name.begin(), n, out.begin() + static_cast<std::ptrdiff_t>(off));
}

std::string LoadName(ByteView in, std::size_t off)
{
    CheckRange(in.size(), off, kStagingNameSize);
    const auto field = in.subspan(off, kStagingNameSize - 1);
    const auto end = std::find(field.begin(), field.end(), 0);
    return std::string(field.begin(), end);
}

void StoreF64(MutableByteView out, std::size_t off, double v)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    StoreLe32(out, off, static_cast<std::uint32_t>(bits));
    StoreLe32(out, off + 4, static_cast<std::uint32_t>(bits >> 32));
}

double LoadF64(ByteView in, std::size_t off)
{
    const std::uint64_t bits = LoadLe32(in, off) | (std::uint64_t{LoadLe32(in, off + 4)} << 32);
    return std::bit_cast<double>(bits);
}

}  // namespace

Bytes EncodeImportSatellite(const ImportSatellite& r)
{
    Bytes out(ImportSatellite::kSize, 0);
    StoreLe16(out, 0, r.lnbNumber);
    StoreName(out, 2, r.name);
    StoreU8(out, 26, r.hemisphere);
    StoreU8(out, 27, r.selected);
    StoreF64(out, 32, r.position);
    return out;
}

Bytes EncodeImportCarrier(const ImportCarrier& r)
{
    Bytes out(ImportCarrier::kSize, 0);
    StoreLe32(out, 0, r.ordinal);
    StoreLe32(out, 4, r.symbolRate);
    StoreLe32(out, 8, r.satellite);
    StoreLe32(out, 12, r.frequency);
    StoreLe32(out, 16, r.polarization);
    StoreName(out, 20, r.name);
    StoreU8(out, 45, r.fec);
    StoreU8(out, 46, r.access);
    StoreU8(out, 47, r.selected);
    return out;
}

Bytes EncodeImportService(const ImportService& r)
{
    Bytes out(ImportService::kSize, 0);
    StoreLe32(out, 0, r.carrier);
    StoreName(out, 4, r.name);
    StoreU8(out, 29, r.selected);
    StoreLe16(out, 30, r.videoPid);
    StoreLe16(out, 32, r.audioPid);
    StoreLe16(out, 34, r.pcrPid);
    StoreLe16(out, 36, r.serviceId);
    StoreU8(out, 38, r.scrambled);
    StoreU8(out, 39, r.type);
    return out;
}

Bytes EncodeImportLnb(const ImportLnb& r)
{
    Bytes out(ImportLnb::kSize, 0);
    StoreLe16(out, 0, r.power);
    StoreLe16(out, 2, r.highMhz);
    StoreLe16(out, 4, r.lowMhz);
    StoreU8(out, 6, r.type);
    return out;
}

ImportSatellite DecodeImportSatellite(ByteView in)
{
    return {LoadLe16(in, 0), LoadName(in, 2), LoadU8(in, 26), LoadU8(in, 27), LoadF64(in, 32)};
}

ImportCarrier DecodeImportCarrier(ByteView in)
{
    return {LoadLe32(in, 0), LoadLe32(in, 4), LoadLe32(in, 8), LoadLe32(in, 12), LoadLe32(in, 16),
            LoadName(in, 20), LoadU8(in, 45), LoadU8(in, 46), LoadU8(in, 47)};
}

ImportService DecodeImportService(ByteView in)
{
    return {LoadLe32(in, 0), LoadName(in, 4), LoadU8(in, 29), LoadLe16(in, 30), LoadLe16(in, 32),
            LoadLe16(in, 34), LoadLe16(in, 36), LoadU8(in, 38), LoadU8(in, 39)};
}

ImportLnb DecodeImportLnb(ByteView in)
{
    return {LoadLe16(in, 0), LoadLe16(in, 2), LoadLe16(in, 4), LoadU8(in, 6)};
}

std::array<std::uint8_t, 4> EncodeCountSlot(std::uint32_t count)
{
    const auto digits = std::to_string(count);
    std::array<std::uint8_t, 4> slot{};
    std::copy_n(digits.begin(), std::min<std::size_t>(digits.size(), slot.size()), slot.begin());
    return slot;
}

}  // namespace velk
