#include "image/urt_reader.h"

#include "common/byte_reader.h"
#include "common/checksums.h"
#include "common/format.h"
#include "image/section_crcs.h"
#include "image/urt_settings.h"
#include "image/urt_trailer_reader.h"

#include <algorithm>

namespace velk {
namespace {

constexpr std::size_t kFileHeader = 6;
constexpr std::size_t kPacketFraming = 9;
constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kPartitionEntry = 14;
constexpr std::uint16_t kLengthFlag = 0x8000;
constexpr std::uint32_t k12Bits = 0x0FFF;

std::string Hex(std::uint32_t v) { return Format("0x%08X", v); }
std::string Dec(std::uint64_t v) { return Format("%llu", static_cast<unsigned long long>(v)); }

struct Packet {
    std::size_t offset;  // of its 0x02
    ByteView payload;
};

// Follows the packet framing to the end of the file; stops at the first packet
// whose framing does not hold.
std::vector<Packet> ReadPackets(InspectionReport& report, ByteView file)
{
    std::vector<Packet> packets;
    std::size_t pos = kFileHeader;
    while (pos < file.size()) {
        if (file[pos] != 0x02) {
            report.Problem(pos, "packet start", "not 0x02");
            break;
        }
        if (file.size() - pos < kPacketFraming) {
            report.Problem(pos, "packet", "the file ends inside the packet's framing");
            break;
        }
        const std::uint32_t length = LoadBe24(file, pos + 1);
        if (file.size() - pos - kPacketFraming < length) {
            report.Problem(pos + 1, "packet length", Format("%u bytes run past the end of the file", length));
            break;
        }
        const ByteView payload = file.subspan(pos + 4, length);
        const std::uint32_t sum = LoadBe32(file, pos + 4 + length);
        if (sum != ByteSum32(payload))
            report.Problem(pos + 4 + length, "packet checksum", Format("%s, the payload sums to %s", Hex(sum).c_str(), Hex(ByteSum32(payload)).c_str()));
        if (file[pos + 8 + length] != 0x03)
            report.Problem(pos + 8 + length, "packet end", "not 0x03");
        packets.push_back({pos, payload});
        pos += kPacketFraming + length;
    }
    return packets;
}

struct PartitionEntry {
    std::size_t fieldAt;  // file offset of the entry
    std::uint32_t offset, blocks, size, blockSize, crc;
};

struct Header {
    std::uint32_t imageSize = 0, start = 0, end = 0, crc = 0;
    std::uint8_t type = 0, destination = 0;
    std::size_t crcAt = 0;
    std::size_t endAt = 0;
    std::vector<PartitionEntry> partitions;
};

void ReadPartitionTable(ByteReader& in, std::size_t payloadAt, std::uint32_t count, Header& h)
{
    for (std::uint32_t i = 0; i < count; ++i) {
        PartitionEntry e{payloadAt + in.Position(), 0, 0, 0, 0, 0};
        e.offset = in.Be32();
        e.blocks = in.U8();
        e.size = static_cast<std::uint32_t>(in.U8()) << 16;
        e.size |= in.Be16();
        e.blockSize = in.Be16();
        e.crc = in.Be32();
        h.partitions.push_back(e);
    }
}

// The header payload's fields; nullopt when its length does not match its table.
std::optional<Header> ReadHeader(InspectionReport& report, const Packet& packet)
{
    const std::size_t at = packet.offset + 4;
    ByteReader in(packet.payload);
    report.Add(at, "header table ID", Format("0x%02X", in.U8()));
    const std::uint16_t lengthField = in.Be16();
    Header h;
    const std::uint8_t typeByte = in.U8();
    h.type = typeByte >> 4;
    h.destination = typeByte & 0x0F;
    const std::uint8_t minors = in.U8();
    const std::uint8_t manufacturer = in.U8();
    const std::uint8_t hwMajor = in.U8();
    const std::uint8_t swMajor = in.U8();
    const std::uint8_t textLength = in.U8() & 0x0F;
    const ByteView text = in.Span(textLength);
    h.imageSize = in.Be32();
    const std::uint8_t day = in.U8(), month = in.U8();
    const std::uint16_t year = in.Be16();
    const std::uint8_t option = in.U8(), hour = in.U8(), minute = in.U8(), second = in.U8();
    h.start = in.Be32();
    h.endAt = at + in.Position();
    h.end = in.Be32();
    std::uint32_t count = static_cast<std::uint32_t>(in.U8()) << 16;
    count |= in.Be16();
    const std::size_t countAt = at + in.Position() - 3;
    if (!in.Ok() || in.Remaining() != static_cast<std::uint64_t>(count) * kPartitionEntry + 4) {
        report.Problem(in.Ok() ? countAt : packet.offset + 1, "header length", "the header payload does not hold its partition table");
        return std::nullopt;
    }
    ReadPartitionTable(in, at, count, h);
    h.crcAt = at + in.Position();
    h.crc = in.Be32();
    const std::uint16_t expectedLength = static_cast<std::uint16_t>(kLengthFlag | ((14 * count + 47) & k12Bits));
    report.Check(lengthField == expectedLength, at + 1, "header length field", Format("0x%04X", lengthField),
                 Format("0x%04X expected for %u partitions", expectedLength, count));
    report.Add(at + 3, "image type / destination", Format("%u / %u", h.type, h.destination));
    report.Add(at + 4, "hardware / software version", Format("%u.%u / %u.%u", hwMajor, minors >> 4, swMajor, minors & 0x0F));
    report.Add(at + 5, "manufacturer ID", Format("0x%02X", manufacturer));
    report.Add(at + 9, "loader text", std::string(text.begin(), text.end()));
    report.Add(at + 9 + textLength, "prepared image size", Dec(h.imageSize));
    report.Add(at + 13 + textLength, "date and time", Format("%02u.%02u.%04u %02u:%02u:%02u", day, month, year, hour, minute, second));
    report.Add(at + 17 + textLength, "header option", Format("0x%02X", option));
    report.Add(at + 21 + textLength, "start / end address", Hex(h.start) + " / " + Hex(h.end));
    report.Add(countAt, "partitions", Dec(count));
    return h;
}

bool CheckPartitionTable(InspectionReport& report, const Header& h)
{
    std::uint64_t running = 0;
    for (std::size_t i = 0; i < h.partitions.size(); ++i) {
        const PartitionEntry& e = h.partitions[i];
        const bool usable = std::ranges::find(kUrtBlockSizes, e.blockSize) != kUrtBlockSizes.end();
        const std::uint64_t full = h.partitions.front().size;
        const bool sized = e.size > 0 && (i + 1 == h.partitions.size() ? e.size <= full : e.size == full);
        const std::uint32_t blocks = usable ? (e.size + e.blockSize - 1) / e.blockSize : 0;
        const std::string name = Format("partition %zu", i);
        if (e.offset != running)
            report.Problem(e.fieldAt, name + " offset", Format("%s, %s expected", Hex(e.offset).c_str(), Hex(static_cast<std::uint32_t>(running)).c_str()));
        else if (!usable)
            report.Problem(e.fieldAt + 8, name + " block size", Format("%u is not 512, 1024 or 2048", e.blockSize));
        else if (!sized)
            report.Problem(e.fieldAt + 5, name + " size", Format("%u does not follow the partition size", e.size));
        else if ((blocks & 0xFF) != e.blocks)
            report.Problem(e.fieldAt + 4, name + " blocks", Format("%u, %u expected", e.blocks, blocks & 0xFF));
        else
            report.Add(e.fieldAt, name, Format("offset %s, %u bytes, %u blocks of %u", Hex(e.offset).c_str(), e.size, blocks, e.blockSize));
        running += e.size;
    }
    if (!report.Sound())
        return false;
    report.Check(running == h.imageSize, h.crcAt - kPartitionEntry * h.partitions.size(), "partition sizes", Dec(running),
                 Format("the header's image size is %u", h.imageSize));
    return report.Sound();
}

// One data packet against the block it should carry; appends its data.
void ReadBlock(InspectionReport& report, const Packet& packet, std::uint32_t partition, std::uint32_t block, std::uint32_t length,
               std::uint32_t offset, std::uint8_t tableId, Bytes& prepared)
{
    const std::size_t at = packet.offset + 4;
    const ByteView p = packet.payload;
    const std::string name = Format("block %u.%u", partition, block);
    if (p.size() != kBlockHeader + length) {
        report.Problem(packet.offset + 1, name + " length", Format("%zu payload bytes, %u expected", p.size(), kBlockHeader + length));
        return;
    }
    struct Field {
        std::size_t at;
        std::uint32_t found, expected;
        const char* name;
    };
    const Field fields[] = {
        {0, p[0], tableId, "table ID"},
        {1, LoadBe16(p, 1), kLengthFlag | ((length + 9) & k12Bits), "length field"},
        {3, LoadBe24(p, 3), offset & 0x3FFFF, "offset"},
        {6, LoadBe24(p, 6), partition, "partition number"},
        {9, p[9], block & 0xFF, "block number"},
        {10, LoadBe16(p, 10), length & k12Bits, "data length"},
    };
    for (const Field& f : fields) {
        if (f.found != f.expected)
            report.Problem(at + f.at, name + " " + f.name, Format("%s, %s expected", Hex(f.found).c_str(), Hex(f.expected).c_str()));
    }
    prepared.insert(prepared.end(), p.begin() + kBlockHeader, p.end());
}

// The data packets in partition and block order, gathered into the prepared image.
void ReadBlocks(InspectionReport& report, const std::vector<Packet>& packets, const Header& h, Bytes& prepared, std::vector<std::pair<std::size_t, std::size_t>>& blockAt)
{
    std::size_t next = 1;
    const std::uint8_t tableId = packets.size() > 1 && !packets[1].payload.empty() ? packets[1].payload[0] : 0;
    for (std::uint32_t i = 0; i < h.partitions.size(); ++i) {
        const PartitionEntry& e = h.partitions[i];
        for (std::uint32_t offset = 0, block = 0; offset < e.size; offset += e.blockSize, ++block) {
            if (next >= packets.size()) {
                report.Problem(packets.back().offset, Format("block %u.%u", i, block), "the file ends before this block");
                return;
            }
            blockAt.emplace_back(prepared.size(), packets[next].offset + 4 + kBlockHeader);
            ReadBlock(report, packets[next++], i, block, std::min(e.blockSize, e.size - offset), offset, tableId, prepared);
        }
    }
    if (next != packets.size())
        report.Problem(packets[next].offset, "packet", "more packets than the partition table's blocks");
    report.Add(packets.size() > 1 ? packets[1].offset + 4 : 0, "block table ID", Format("0x%02X", tableId));
}

void CheckCrcs(InspectionReport& report, const Header& h, ByteView prepared)
{
    const SectionCrcs crcs = Crc32Mpeg2Sections(prepared, h.partitions.empty() ? 1 : h.partitions.front().size);
    for (std::size_t i = 0; i < h.partitions.size() && i < crcs.sections.size(); ++i)
        report.Check(crcs.sections[i] == h.partitions[i].crc, h.partitions[i].fieldAt + 10, Format("partition %zu CRC-32", i),
                     Hex(h.partitions[i].crc), Format("the data gives %s", Hex(crcs.sections[i]).c_str()));
    report.Check(crcs.whole == h.crc, h.crcAt, "image CRC-32", Hex(h.crc), Format("the data gives %s", Hex(crcs.whole).c_str()));
}

}  // namespace

bool IsUrtFile(ByteView file) { return file.size() >= 2 && file[0] == 'M' && file[1] == 'Z'; }

InspectionReport InspectUrtFile(ByteView file, Bytes* prepared)
{
    InspectionReport report;
    report.kind = "URT file";
    if (!IsUrtFile(file) || file.size() < kFileHeader) {
        report.Problem(0, "file header", "the file does not begin with \"MZ\" and a packet count");
        return report;
    }
    report.Add(0, "signature", "MZ");
    const std::uint32_t count = LoadBe32(file, 2);
    const std::vector<Packet> packets = ReadPackets(report, file);
    report.Check(packets.size() == count, 2, "packet count", Dec(count), Format("the file holds %zu packets", packets.size()));
    if (packets.empty() || !report.Sound())
        return report;
    const std::optional<Header> header = ReadHeader(report, packets.front());
    if (!header || !CheckPartitionTable(report, *header))
        return report;
    Bytes image;
    image.reserve(std::min<std::size_t>(header->imageSize, file.size()));
    PreparedLayout layout{header->type, header->start, header->end, {}, header->destination, header->endAt};
    ReadBlocks(report, packets, *header, image, layout.blocks);
    if (!report.Sound())
        return report;
    CheckCrcs(report, *header, image);
    if (!image.empty())
        InspectTrailer(report, image, layout);
    if (prepared)
        *prepared = std::move(image);
    return report;
}

}  // namespace velk
