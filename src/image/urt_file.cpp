#include "image/urt_file.h"

#include "common/byte_reader.h"
#include "common/checksums.h"
#include "common/files.h"
#include "image/image_file.h"
#include "image/section_crcs.h"
#include "image/urt_trailer.h"

#include <algorithm>
#include <new>
#include <optional>
#include <stdexcept>

namespace velk {
namespace {

constexpr std::uint16_t kLengthFlag = 0x8000;
constexpr std::uint32_t k12Bits = 0x0FFF;
constexpr std::uint32_t kOffsetBits = 0x3FFFF;  // 18-bit offset of a block in its partition
constexpr std::size_t kLoaderTextMax = 15;
constexpr std::size_t kBlockHeaderSize = 12;
constexpr std::size_t kPacketFraming = 9;  // start byte, 24-bit length, 32-bit sum, end byte

// Frames the payload that already stands at offset 4 of `packet`.
void Frame(MutableByteView packet, ByteView payload)
{
    StoreU8(packet, 0, 0x02);
    StoreBe24(packet, 1, static_cast<std::uint32_t>(payload.size()));
    StoreBe32(packet, 4 + payload.size(), ByteSum32(payload));
    StoreU8(packet, 8 + payload.size(), 0x03);
}

void RequireUsable(const UrtSettings& settings)
{
    if (!UrtSettingsUsable(settings))
        throw std::invalid_argument("URT settings with a partition or block size the fields cannot hold");
}

struct Partition {
    std::uint32_t offset;
    std::uint32_t size;
    std::uint32_t blocks;
};

std::vector<Partition> CutPartitions(std::size_t imageSize, const UrtSettings& settings)
{
    std::vector<Partition> partitions;
    for (std::size_t offset = 0; offset < imageSize; offset += settings.partitionSize) {
        const auto size = static_cast<std::uint32_t>(std::min<std::size_t>(settings.partitionSize, imageSize - offset));
        partitions.push_back({static_cast<std::uint32_t>(offset), size, (size + settings.blockSize - 1) / settings.blockSize});
    }
    return partitions;
}

std::string LoaderText(const std::string& text) { return text.substr(0, std::min(text.find('\0'), kLoaderTextMax)); }

void Be24(ByteWriter& out, std::uint32_t value)
{
    out.U8(static_cast<std::uint8_t>(value >> 16));
    out.Be16(static_cast<std::uint16_t>(value));
}

void AppendPartitionTable(ByteWriter& out, const std::vector<Partition>& partitions, const SectionCrcs& crcs, const UrtSettings& settings)
{
    for (std::size_t i = 0; i < partitions.size(); ++i) {
        const Partition& p = partitions[i];
        out.Be32(p.offset);
        out.U8(static_cast<std::uint8_t>(p.blocks));
        Be24(out, p.size);
        out.Be16(static_cast<std::uint16_t>(settings.blockSize & k12Bits));
        out.Be32(crcs.sections[i]);
    }
}

Bytes HeaderPayload(ByteView prepared, const std::vector<Partition>& partitions, const SectionCrcs& crcs, const UrtSettings& settings,
                    const UrtImageParams& params)
{
    const auto count = static_cast<std::uint32_t>(partitions.size());
    const std::string text = LoaderText(params.loaderText);
    const UrtTimestamp& time = settings.time;
    ByteWriter out;
    out.U8(settings.headerTableId);
    // The receiver reads this length as if the loader text were always 14 bytes long.
    out.Be16(static_cast<std::uint16_t>(kLengthFlag | ((14 * count + 47) & k12Bits)));
    out.U8(static_cast<std::uint8_t>(((params.imageType & 0x0F) << 4) | (params.destinationCode & 0x0F)));
    out.U8(static_cast<std::uint8_t>(((params.hwMinor & 0x0F) << 4) | (params.swMinor & 0x0F)));
    out.U8(static_cast<std::uint8_t>(params.manufacturerId));
    out.U8(static_cast<std::uint8_t>(params.hwMajor));
    out.U8(static_cast<std::uint8_t>(params.swMajor));
    out.U8(static_cast<std::uint8_t>(text.size()));
    out.Append(ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    out.Be32(static_cast<std::uint32_t>(prepared.size()));
    out.U8(time.day);
    out.U8(time.month);
    out.Be16(time.year);
    out.U8(settings.headerOption);
    out.U8(time.hour);
    out.U8(time.minute);
    out.U8(time.second);
    out.Be32(params.startAddress);
    out.Be32(params.endAddress);
    Be24(out, count);
    AppendPartitionTable(out, partitions, crcs, settings);
    out.Be32(crcs.whole);
    return out.Take();
}

// Each block's packet: framing, the 12-byte block header and the block's data,
// written straight into the file.
void AppendDataPackets(Bytes& file, ByteView prepared, const std::vector<Partition>& partitions, const UrtSettings& settings)
{
    for (std::uint32_t number = 0; number < partitions.size(); ++number) {
        const Partition& p = partitions[number];
        for (std::uint32_t block = 0; block < p.blocks; ++block) {
            const std::uint32_t offset = block * settings.blockSize;
            const std::uint32_t length = std::min(settings.blockSize, p.size - offset);
            const std::size_t at = file.size();
            file.resize(at + kBlockHeaderSize + length + kPacketFraming);
            const MutableByteView packet = MutableByteView(file).subspan(at);
            const MutableByteView payload = packet.subspan(4, kBlockHeaderSize + length);
            StoreU8(payload, 0, settings.blockTableId);
            StoreBe16(payload, 1, static_cast<std::uint16_t>(kLengthFlag | ((length + 9) & k12Bits)));
            StoreBe24(payload, 3, offset & kOffsetBits);
            StoreBe24(payload, 6, number);
            StoreU8(payload, 9, static_cast<std::uint8_t>(block));
            StoreBe16(payload, 10, static_cast<std::uint16_t>(length & k12Bits));
            std::ranges::copy(prepared.subspan(p.offset + offset, length), payload.begin() + kBlockHeaderSize);
            Frame(packet, payload);
        }
    }
}

std::uint32_t BlockCount(const std::vector<Partition>& partitions)
{
    std::uint32_t total = 0;
    for (const Partition& p : partitions)
        total += p.blocks;
    return total;
}

}  // namespace

void AppendUrtPacket(Bytes& file, ByteView payload)
{
    const std::size_t at = file.size();
    file.resize(at + payload.size() + kPacketFraming);
    const MutableByteView packet = MutableByteView(file).subspan(at);
    std::ranges::copy(payload, packet.begin() + 4);
    Frame(packet, packet.subspan(4, payload.size()));
}

Bytes BuildUrtFile(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params)
{
    RequireUsable(settings);
    return BuildUrtFile(prepared, settings, params, Crc32Mpeg2Sections(prepared, settings.partitionSize));
}

Bytes BuildUrtFile(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params, const SectionCrcs& crcs)
{
    RequireUsable(settings);
    const std::vector<Partition> partitions = CutPartitions(prepared.size(), settings);
    const std::uint32_t blocks = BlockCount(partitions);
    Bytes file{'M', 'Z', 0, 0, 0, 0};
    StoreBe32(file, 2, 1 + blocks);
    // Each block costs 21 bytes of framing besides its data.
    file.reserve(file.size() + 64 + 14 * partitions.size() + prepared.size() + 21 * static_cast<std::size_t>(blocks));
    if (crcs.sections.size() != partitions.size())
        throw std::invalid_argument("partition CRCs of another image");
    AppendUrtPacket(file, HeaderPayload(prepared, partitions, crcs, settings, params));
    AppendDataPackets(file, prepared, partitions, settings);
    return file;
}

int WriteUrtFile(const std::filesystem::path& output, ByteView file)
{
    AtomicFile out(output);
    if (!out.IsOpen())
        return kUrtCreateError;
    return out.Write(file) && out.Commit() ? kUrtOk : kUrtWriteError;
}

int GenerateUrtFile(const UrtSettings& settings, const std::filesystem::path& input, const std::filesystem::path& output,
                    const UrtImageParams& params)
{
    if (!UrtSettingsUsable(settings))
        return kUrtCreateError;
    try {
        if (!ReadableImageSize(input))
            return kUrtCreateError;
        std::optional<Bytes> image = ReadFileBytes(input);
        if (!image)
            return kUrtReadError;
        UrtImageParams prepared = params;
        SectionedCrc crc(settings.partitionSize);
        const Bytes ready = PrepareUrtImage(std::move(*image), settings, prepared, crc);
        return WriteUrtFile(output, BuildUrtFile(ready, settings, prepared, crc.Result()));
    } catch (const std::bad_alloc&) {
        return kUrtReadError;  // an image or region too large to hold
    } catch (const std::length_error&) {
        return kUrtReadError;
    }
}

}  // namespace velk
