#include "image/urt_file.h"

#include "common/byte_reader.h"
#include "common/checksums.h"
#include "common/files.h"
#include "image/urt_trailer.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <optional>

namespace velk {
namespace {

constexpr std::uint16_t kLengthFlag = 0x8000;
constexpr std::uint32_t k12Bits = 0x0FFF;
constexpr std::uint32_t kOffsetBits = 0x3FFFF;  // 18-bit offset of a block in its partition
constexpr std::size_t kLoaderTextMax = 15;

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

void AppendPartitionTable(ByteWriter& out, ByteView prepared, const std::vector<Partition>& partitions, const UrtSettings& settings)
{
    for (const Partition& p : partitions) {
        out.Be32(p.offset);
        out.U8(static_cast<std::uint8_t>(p.blocks));
        Be24(out, p.size);
        out.Be16(static_cast<std::uint16_t>(settings.blockSize & k12Bits));
        out.Be32(Crc32Mpeg2(prepared.subspan(p.offset, p.size)));
    }
}

Bytes HeaderPayload(ByteView prepared, const std::vector<Partition>& partitions, const UrtSettings& settings,
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
    AppendPartitionTable(out, prepared, partitions, settings);
    out.Be32(Crc32Mpeg2(prepared));
    return out.Take();
}

void AppendDataPackets(Bytes& file, ByteView prepared, const std::vector<Partition>& partitions, const UrtSettings& settings)
{
    for (std::uint32_t number = 0; number < partitions.size(); ++number) {
        const Partition& p = partitions[number];
        for (std::uint32_t block = 0; block < p.blocks; ++block) {
            const std::uint32_t offset = block * settings.blockSize;
            const std::uint32_t length = std::min(settings.blockSize, p.size - offset);
            ByteWriter payload;
            payload.U8(settings.blockTableId);
            payload.Be16(static_cast<std::uint16_t>(kLengthFlag | ((length + 9) & k12Bits)));
            Be24(payload, offset & kOffsetBits);
            Be24(payload, number);
            payload.U8(static_cast<std::uint8_t>(block));
            payload.Be16(static_cast<std::uint16_t>(length & k12Bits));
            payload.Append(prepared.subspan(p.offset + offset, length));
            AppendUrtPacket(file, payload.Data());
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
    file.resize(at + payload.size() + 9);
    const MutableByteView packet = MutableByteView(file).subspan(at);
    StoreU8(packet, 0, 0x02);
    StoreBe24(packet, 1, static_cast<std::uint32_t>(payload.size()));
    std::ranges::copy(payload, packet.begin() + 4);
    StoreBe32(packet, 4 + payload.size(), ByteSum32(payload));
    StoreU8(packet, 8 + payload.size(), 0x03);
}

Bytes UrtHeaderPayload(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params)
{
    return HeaderPayload(prepared, CutPartitions(prepared.size(), settings), settings, params);
}

Bytes BuildUrtFile(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params)
{
    const std::vector<Partition> partitions = CutPartitions(prepared.size(), settings);
    const std::uint32_t blocks = BlockCount(partitions);
    Bytes file{'M', 'Z', 0, 0, 0, 0};
    StoreBe32(file, 2, 1 + blocks);
    // Each block costs 21 bytes of framing besides its data.
    file.reserve(file.size() + 64 + 14 * partitions.size() + prepared.size() + 21 * static_cast<std::size_t>(blocks));
    AppendUrtPacket(file, HeaderPayload(prepared, partitions, settings, params));
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
    try {
        std::ifstream in(input, std::ios::binary);
        if (!in)
            return kUrtCreateError;
        const std::optional<Bytes> image = ReadFileBytes(input);
        if (!image)
            return kUrtReadError;
        UrtImageParams prepared = params;
        const Bytes ready = PrepareUrtImage(*image, settings, prepared);
        return WriteUrtFile(output, BuildUrtFile(ready, settings, prepared));
    } catch (const std::bad_alloc&) {
        return kUrtReadError;
    }
}

}  // namespace velk
