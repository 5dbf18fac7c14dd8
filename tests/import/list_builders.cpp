#include "list_builders.h"

#include <algorithm>

namespace velk::test {
namespace {

void Put(Bytes& out, std::size_t off, std::string text, std::size_t width)
{
    text.resize(width, '_');
    std::copy(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(off));
}

}  // namespace

Bytes EncodeSdx(const SdxRecord& r)
{
    Bytes out(128, '_');
    Put(out, 0, "SATCODX", 7);
    Put(out, 8, r.version, 2);
    const bool protocol23 = r.version == "02" || r.version == "03";
    if (protocol23)
        Put(out, 10, r.satellite, 18);
    out[28] = static_cast<std::uint8_t>(r.type);
    Put(out, 33, r.frequencyMhz, 6);
    out[42] = static_cast<std::uint8_t>(r.polarization);
    Put(out, 43, r.name, 8);
    Put(out, 51, r.position, 4);
    Put(out, 69, r.symbolRateKs, 5);
    out[74] = static_cast<std::uint8_t>(r.fec);
    Put(out, 75, r.videoPid, 4);
    Put(out, 79, r.audioPid, 4);
    Put(out, 83, r.pcrPid, 4);
    Put(out, 87, r.serviceId, 5);
    Put(out, 111, r.access, 4);
    Put(out, 115, protocol23 ? r.tail : r.satellite, 12);
    out[127] = '\r';
    return out;
}

Bytes JoinSdx(const std::vector<SdxRecord>& records, bool separator)
{
    Bytes out;
    for (const auto& r : records) {
        const auto bytes = EncodeSdx(r);
        out.insert(out.end(), bytes.begin(), bytes.end());
        if (separator)
            out.push_back('\n');
    }
    return out;
}

Bytes EncodeSdxLine(const SdxRecord& r, std::size_t length)
{
    auto fields = r;
    fields.version = "03";
    fields.tail.clear();
    auto out = EncodeSdx(fields);
    out.resize(length, '_');
    out[7] = '1';
    Put(out, 8, r.version, 2);
    Put(out, 115, r.tail, length - 115);
    return out;
}

Bytes JoinSdxLines(const std::vector<SdxRecord>& records, std::size_t length, const std::string& lineEnd)
{
    Bytes out;
    for (const auto& r : records) {
        const auto bytes = EncodeSdxLine(r, length);
        out.insert(out.end(), bytes.begin(), bytes.end());
        out.insert(out.end(), lineEnd.begin(), lineEnd.end());
    }
    return out;
}

Bytes EncodeDvb(const DvbRecord& r)
{
    Bytes out(64, 0);
    StoreBe16(out, 4, r.serviceId);
    StoreBe16(out, 8, r.frequencyMhz);
    StoreBe16(out, 10, r.symbolRateKs);
    out[12] = r.fec;
    out[14] = r.polarization;
    StoreBe16(out, 16, r.videoPid);
    StoreBe16(out, 18, r.audioPid);
    StoreBe16(out, 20, r.pcrPid);
    out[27] = r.type;
    std::copy_n(r.text.begin(), std::min<std::size_t>(r.text.size(), 32), out.begin() + 32);
    return out;
}

DvbRecord DvbSatellite(const std::string& text)
{
    DvbRecord r;
    r.text = text;
    return r;
}

DvbRecord DvbChannel(const std::string& name, std::uint16_t frequency, std::uint16_t serviceId, std::uint16_t video,
                     std::uint16_t audio)
{
    DvbRecord r;
    r.serviceId = serviceId;
    r.frequencyMhz = frequency;
    r.symbolRateKs = 27500;
    r.fec = 3;
    r.polarization = 1;
    r.videoPid = video;
    r.audioPid = audio;
    r.pcrPid = video;
    r.type = 1;
    r.text = name;
    return r;
}

Bytes JoinDvb(const std::vector<DvbRecord>& records)
{
    Bytes out;
    for (const auto& r : records) {
        const auto bytes = EncodeDvb(r);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    // The signature lies in the first record's unused bytes.
    if (out.size() >= 4)
        std::copy_n("DVSO", 4, out.begin());
    return out;
}

}  // namespace velk::test
