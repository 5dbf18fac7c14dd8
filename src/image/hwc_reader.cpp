#include "image/hwc_reader.h"

#include "common/format.h"
#include "image/hwc_file.h"
#include "image/lzari.h"

#include <zlib.h>

#include <algorithm>

namespace velk {
namespace {

constexpr std::uint8_t kSignature[] = {'H', 'W', 'C', '$'};
constexpr std::uint8_t kCodeMagic[] = {'v', 'q', 'x', '.'};
constexpr std::size_t kZlibHeader = 12;
constexpr std::size_t kBin2CodHeader = 20;

std::string Hex(std::uint32_t v) { return Format("0x%08X", v); }
std::string Count(std::uint64_t v) { return Format("%llu bytes", static_cast<unsigned long long>(v)); }

std::size_t PaddingOf(std::size_t n) { return n % 4 ? 4 - n % 4 : 0; }

bool Has(ByteView file, std::size_t at, ByteView expected)
{
    return file.size() >= at + expected.size() && std::equal(expected.begin(), expected.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

// The data length against the file's length, then the 'z' padding. False when
// the data does not lie inside the file as stated.
bool CheckExtent(InspectionReport& report, ByteView file, std::size_t dataAt, std::uint32_t n, std::size_t nFieldAt)
{
    const std::uint64_t expected = dataAt + static_cast<std::uint64_t>(n) + PaddingOf(n);
    report.Check(expected == file.size(), nFieldAt, "compressed size", Count(n),
                 Format("the file holds %llu bytes, the header asks for %llu", static_cast<unsigned long long>(file.size()),
                        static_cast<unsigned long long>(expected)));
    if (expected != file.size())
        return false;
    const std::size_t padAt = dataAt + n;
    const std::size_t bad = static_cast<std::size_t>(std::find_if(file.begin() + static_cast<std::ptrdiff_t>(padAt), file.end(),
                                                                  [](std::uint8_t b) { return b != 'z'; }) - file.begin());
    report.Check(bad == file.size(), bad == file.size() ? padAt : bad, "padding", Format("%zu bytes 'z'", PaddingOf(n)),
                 "a padding byte is not 'z'");
    return true;
}

// Whether the compressed size at `nFieldAt` accounts for the file's length.
bool FitsLayout(ByteView file, std::size_t dataAt, std::size_t nFieldAt)
{
    if (file.size() < dataAt)
        return false;
    const std::uint32_t n = LoadLe32(file, nFieldAt);
    return dataAt + static_cast<std::uint64_t>(n) + PaddingOf(n) == file.size();
}

struct Inflated {
    bool streamEnded = false;  // to its Adler-32 check
    std::size_t consumed = 0;
    Bytes data;
};

// Inflates the whole stream, whatever size the header claims; deflate's ratio bounds the output.
Inflated Inflate(ByteView stream)
{
    constexpr std::size_t kChunk = 64 * 1024;
    Inflated result;
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return result;
    z.next_in = const_cast<Bytef*>(stream.data());  // zlib never writes its input
    z.avail_in = static_cast<uInt>(stream.size());
    int status = Z_OK;
    while (status == Z_OK) {
        const std::size_t at = result.data.size();
        result.data.resize(at + kChunk);
        z.next_out = result.data.data() + at;
        z.avail_out = static_cast<uInt>(kChunk);
        status = inflate(&z, Z_NO_FLUSH);
        result.data.resize(at + kChunk - z.avail_out);
        if (status == Z_BUF_ERROR && z.avail_in > 0 && z.avail_out == 0)
            status = Z_OK;  // only the output was full
    }
    result.streamEnded = status == Z_STREAM_END;
    result.consumed = z.total_in;
    inflateEnd(&z);
    return result;
}

void InspectZlib(InspectionReport& report, ByteView file, Bytes* image)
{
    report.kind = "HWC$ Zlib";
    const std::uint32_t n = LoadLe32(file, 4);
    const std::uint32_t size = LoadLe32(file, 8);
    if (!CheckExtent(report, file, kZlibHeader, n, 4))
        return;
    Inflated inflated = Inflate(file.subspan(kZlibHeader, n));
    const bool whole = inflated.streamEnded && inflated.consumed == n;
    report.Check(whole, kZlibHeader + std::min<std::size_t>(inflated.consumed, n), "zlib stream", Count(n),
                 inflated.streamEnded ? "the stream ends before the stated compressed size" : "the stream is damaged");
    if (!whole)
        return;
    // A whole stream that checks out but gives another length: the size field is wrong.
    report.Check(inflated.data.size() == size, 8, "uncompressed size", Count(size),
                 Format("the stream gives %zu bytes", inflated.data.size()));
    if (inflated.data.size() == size && image)
        *image = std::move(inflated.data);
}

void InspectBin2Cod(InspectionReport& report, ByteView file, Bytes* image)
{
    report.kind = "HWC$ Bin2Cod";
    const std::uint32_t size = LoadLe32(file, 4);
    const std::uint32_t inputCrc = LoadLe32(file, 8);
    const std::uint32_t n = LoadLe32(file, 12);
    const std::uint32_t codeCrc = LoadLe32(file, 16);
    report.Check(inputCrc <= 0xFFFF, 10, "CRC-16 of the image", Hex(inputCrc), "the upper 16 bits are not 0");
    report.Check(codeCrc <= 0xFFFF, 18, "CRC-16 of the code", Hex(codeCrc), "the upper 16 bits are not 0");
    if (!CheckExtent(report, file, kBin2CodHeader, n, 12))
        return;
    const ByteView code = file.subspan(kBin2CodHeader, n);
    report.Check(Crc16(code) == codeCrc, 16, "CRC-16 of the code", Hex(Crc16(code)), Format("the field says %s", Hex(codeCrc).c_str()));
    const bool magic = Has(code, 0, kCodeMagic);
    report.Check(magic, kBin2CodHeader, "code signature", magic ? "vqx." : "other", "the code does not begin with \"vqx.\"");
    if (!magic)
        return;
    std::optional<Bytes> decoded = LzariDecode(code.subspan(sizeof kCodeMagic), size);
    // An intact code that does not give the stated size, to its end, means the size field is wrong.
    report.Check(decoded.has_value(), Crc16(code) == codeCrc ? 4 : kBin2CodHeader + sizeof kCodeMagic, "uncompressed size",
                 Count(size), "the code does not decode to this size");
    if (!decoded)
        return;
    const std::uint16_t crc = Crc16(*decoded);
    report.Check(crc == inputCrc, 8, "CRC-16 of the image", Hex(crc), Format("the field says %s", Hex(inputCrc).c_str()));
    if (crc == inputCrc && image)
        *image = std::move(*decoded);
}

}  // namespace

bool IsHwcFile(ByteView file) { return Has(file, 0, kSignature); }

InspectionReport InspectHwcFile(ByteView file, Bytes* image)
{
    InspectionReport report;
    report.kind = "HWC$";
    if (image)
        image->clear();
    if (!IsHwcFile(file)) {
        report.Problem(0, "signature", "the file does not begin with \"HWC$\"");
        return report;
    }
    report.Add(0, "signature", "HWC$");
    const bool bin2cod = Has(file, kBin2CodHeader, kCodeMagic) || (FitsLayout(file, kBin2CodHeader, 12) && !FitsLayout(file, kZlibHeader, 4));
    if (file.size() < (bin2cod ? kBin2CodHeader : kZlibHeader)) {
        report.Problem(file.size(), "header", "the file ends inside its header");
        return report;
    }
    if (bin2cod)
        InspectBin2Cod(report, file, image);
    else
        InspectZlib(report, file, image);
    if (!report.Sound() && image)
        image->clear();
    return report;
}

}  // namespace velk
