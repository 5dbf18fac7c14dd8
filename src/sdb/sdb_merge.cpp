#include "sdb/sdb_merge.h"

#include "common/files.h"
#include "common/format.h"
#include "sdb/sdb_diagnostic.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_section_walker.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace velk::sdb {
namespace {

struct MergeInput {
    Bytes data;
    SectionView lnb, satellites, carriers, services, osl;
    std::vector<bool> satelliteDropped;
    std::vector<int> newSatellite;      // -1 when not written
    std::vector<int> carrierPosition;   // output position, -1 when not written
};

std::string SatelliteName(const SectionView& s, std::size_t i)
{
    const auto rec = s.Record(i);
    std::string name;
    for (std::size_t k = 8; k < 28 && rec[k] != 0; ++k)
        name.push_back(static_cast<char>(rec[k]));
    return name;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

std::uint32_t CarrierCountOf(const SectionView& s, std::size_t i) { return new_sat::kCarrierCount.Get(LoadLe32(s.Record(i), 0)); }

bool ReadSections(MergeInput& in, Placement p)
{
    SectionWalker walker(in.data, kNewHeaderSize);
    const auto lnb = walker.Next();
    const auto sat = lnb ? walker.Next() : std::nullopt;
    const auto car = sat ? walker.Next() : std::nullopt;
    const auto ser = car ? walker.Next() : std::nullopt;
    const auto osl = ser ? walker.Next() : std::nullopt;
    if (!osl || !CheckRecordSize(*lnb, NewLnbSize(p)) || !CheckRecordSize(*sat, NewSatelliteSize(p))
        || !CheckRecordSize(*car, NewCarrierSize(p)) || !CheckRecordSize(*ser, kServiceSize) || !CheckRecordSize(*osl, kOslEntrySize))
        return false;
    in.lnb = *lnb;
    in.satellites = *sat;
    in.carriers = *car;
    in.services = *ser;
    in.osl = *osl;
    in.satelliteDropped.assign(sat->header.count, false);
    in.newSatellite.assign(sat->header.count, -1);
    in.carrierPosition.assign(car->header.count, -1);
    return true;
}

void AskDuplicates(Ui& ui, MergeInput& f1, MergeInput& f2)
{
    for (std::size_t i = 0; i < f1.satellites.header.count; ++i) {
        const auto name = SatelliteName(f1.satellites, i);
        for (std::size_t j = 0; j < f2.satellites.header.count; ++j) {
            if (!SameNameIgnoringCase(name, SatelliteName(f2.satellites, j)))
                continue;
            const bool keepFile1 = AskYesNo(ui, Format(
                "File1 and File2 are having \"%s\" Satellite.\nDetails\nFile1 -> Total Carrier(s) : %d\n"
                "File2 -> Total Carrier(s) : %d\nClick \"YES\" to copy File1 %s\nClick \"NO\" to copy File2 %s.",
                name.c_str(), static_cast<int>(CarrierCountOf(f1.satellites, i)),
                static_cast<int>(CarrierCountOf(f2.satellites, j)), name.c_str(), name.c_str()));
            f1.satelliteDropped[i] = !keepFile1;
            f2.satelliteDropped[j] = keepFile1;
        }
    }
}

void AppendRecord(Bytes& out, ByteView rec) { out.insert(out.end(), rec.begin(), rec.end()); }

struct Output {
    Bytes bytes;
    std::uint16_t satellites = 0, carriers = 0, services = 0;
    bool anyDropped = false;
};

void WriteSatellites(Output& out, MergeInput& in)
{
    for (std::size_t i = 0; i < in.satellites.header.count; ++i) {
        if (in.satelliteDropped[i]) {
            out.anyDropped = true;
            continue;
        }
        in.newSatellite[i] = out.satellites++;
        AppendRecord(out.bytes, in.satellites.Record(i));
    }
}

void WriteCarriers(Output& out, MergeInput& in, std::uint32_t& servicesBefore)
{
    for (std::size_t i = 0; i < in.carriers.header.count; ++i) {
        const auto rec = in.carriers.Record(i);
        const auto w1 = LoadLe32(rec, 4);
        const auto w2 = LoadLe32(rec, 8);
        const auto sat = carrier_word::kSatelliteIndex.Get(w2);
        if (sat >= in.newSatellite.size() || in.newSatellite[sat] < 0) {
            out.anyDropped = true;
            continue;
        }
        Bytes copy(rec.begin(), rec.end());
        StoreLe32(copy, 4, carrier_word::kFirstService.Set(w1, servicesBefore));
        StoreLe32(copy, 8, carrier_word::kSatelliteIndex.Set(w2, static_cast<std::uint32_t>(in.newSatellite[sat])));
        AppendRecord(out.bytes, copy);
        servicesBefore += carrier_word::kServiceCount.Get(w1);
        in.carrierPosition[i] = out.carriers++;
    }
}

// Services follow their carriers' runs in carrier file order.
void WriteServices(Output& out, const MergeInput& in)
{
    std::size_t next = 0;
    const std::size_t total = in.services.header.count;
    for (std::size_t k = 0; k < in.carriers.header.count && next < total; ++k) {
        const auto run = carrier_word::kServiceCount.Get(LoadLe32(in.carriers.Record(k), 4));
        for (std::uint32_t i = 0; i < run && next < total; ++i, ++next) {
            if (in.carrierPosition[k] < 0)
                continue;
            Bytes copy(in.services.Record(next).begin(), in.services.Record(next).end());
            StoreLe32(copy, 0, new_service::kCarrier.Set(LoadLe32(copy, 0), static_cast<std::uint32_t>(in.carrierPosition[k])));
            AppendRecord(out.bytes, copy);
            ++out.services;
        }
    }
    out.anyDropped = out.anyDropped || next < total;
}

void PatchCount(Bytes& bytes, std::size_t headerAt, std::uint16_t count)
{
    StoreLe16(bytes, headerAt + section_header::kCountAt, count);
}

Bytes BuildOutput(Ui& ui, MergeInput& f1, MergeInput& f2, Placement p)
{
    Output out;
    {
        using namespace new_header;
        out.bytes.assign(kNewHeaderSize, 0);
        out.bytes[kMagicAt] = 'e';
        out.bytes[kMagicAt + 1] = 'E';
        out.bytes[kFormatAt] = kFormat;
        StoreLe16(out.bytes, kSectionCountAt, kSectionCount);
        out.bytes[kPlacementAt] = static_cast<std::uint8_t>(p);
        std::copy_n(f1.data.begin() + kUserInitialAt, kUserInitialSize, out.bytes.begin() + kUserInitialAt);
        out.bytes[kSdbMajorAt] = f1.data[kSdbMajorAt];
        out.bytes[kSdbMinorAt] = f1.data[kSdbMinorAt];
    }

    bool lnbFrom2 = false;
    if (f1.lnb.header.count <= f2.lnb.header.count)
        lnbFrom2 = AskYesNo(ui, f1.lnb.header.count == f2.lnb.header.count
                                    ? "Bin Files have equal number of LNB records.\nDo you want to copy File2 LNB Records."
                                    : "File2 Bin File have more LNB records.\nDo you want to overwrite the LNB Record.");
    const auto& lnb = lnbFrom2 ? f2.lnb : f1.lnb;
    AppendSectionHeader(out.bytes, lnb.header);
    AppendRecord(out.bytes, lnb.records);

    AskDuplicates(ui, f1, f2);
    const auto satAt = out.bytes.size();
    AppendSectionHeader(out.bytes, MakeSectionHeader(Section::Satellite, f1.satellites.header.recordSize, 0));
    WriteSatellites(out, f1);
    WriteSatellites(out, f2);
    PatchCount(out.bytes, satAt, out.satellites);

    const auto carAt = out.bytes.size();
    AppendSectionHeader(out.bytes, MakeSectionHeader(Section::Carrier, f1.carriers.header.recordSize, 0));
    std::uint32_t servicesBefore = 0;
    WriteCarriers(out, f1, servicesBefore);
    WriteCarriers(out, f2, servicesBefore);
    PatchCount(out.bytes, carAt, out.carriers);

    const auto serAt = out.bytes.size();
    AppendSectionHeader(out.bytes, MakeSectionHeader(Section::Service, kServiceSize, 0));
    WriteServices(out, f1);
    WriteServices(out, f2);
    PatchCount(out.bytes, serAt, out.services);

    AppendSectionHeader(out.bytes, MakeSectionHeader(Section::Osl, kOslEntrySize, out.services));
    auto appendEntry = [&](std::uint32_t v) {
        out.bytes.resize(out.bytes.size() + 2);
        StoreLe16(out.bytes, out.bytes.size() - 2, static_cast<std::uint16_t>(v));
    };
    if (!out.anyDropped && f1.osl.header.count + f2.osl.header.count == out.services) {
        for (std::size_t i = 0; i < f1.osl.header.count; ++i)
            appendEntry(LoadLe16(f1.osl.Record(i), 0));
        for (std::size_t i = 0; i < f2.osl.header.count; ++i)
            appendEntry(LoadLe16(f2.osl.Record(i), 0) + f1.services.header.count);
    } else {
        for (std::uint32_t i = 0; i < out.services; ++i)
            appendEntry(i);
    }
    return out.bytes;
}

std::optional<Bytes> ReadInput(const std::filesystem::path& path)
{
    auto data = ReadFile(path);
    if (!data) {
        Diagnose(__LINE__, "%s %d> Could not open Files [%s] [%s]", path.c_str(), "");
        DiagnoseCause(data.error());
        return std::nullopt;
    }
    return std::move(*data);
}

bool HasMagic(const Bytes& b)
{
    return b.size() >= kNewHeaderSize && b[new_header::kMagicAt] == 'e' && b[new_header::kMagicAt + 1] == 'E';
}

}  // namespace

int MergeSdbFiles(Ui& ui, const MergeRequest& request)
{
    MergeInput f1, f2;
    auto d1 = ReadInput(request.file1);
    if (!d1)
        return kMergeInputNotOpened;
    if (!HasMagic(*d1))
        return kMergeFile1Magic;
    auto d2 = ReadInput(request.file2);
    if (!d2)
        return kMergeInputNotOpened;
    if (!HasMagic(*d2))
        return kMergeFile2Magic;
    f1.data = std::move(*d1);
    f2.data = std::move(*d2);
    using namespace new_header;
    // File 2's version is checked one byte further on, where a zero is expected.
    if (f1.data[kFormatAt] != kFormat || f2.data[kFormatAt + 1] != 0)
        return kMergeOldVersion;
    const auto placement = static_cast<std::uint8_t>(request.placement);
    if (f1.data[kPlacementAt] != placement || f2.data[kPlacementAt] != placement)
        return kMergePlacementDiffers;
    if (LoadLe16(f1.data, kSectionCountAt) < 5 || LoadLe16(f2.data, kSectionCountAt) < 5)
        return kMergeOldVersion;
    if (!ReadSections(f1, request.placement) || !ReadSections(f2, request.placement))
        return kMergeInputNotOpened;
    const auto output = BuildOutput(ui, f1, f2, request.placement);
    return WriteFileAtomic(request.output, output) ? kMergeDone : kMergeOutputNotCreated;
}

std::string MergeResultMessage(int code, const std::filesystem::path& file1, const std::filesystem::path& file2,
                               const std::filesystem::path& output)
{
    switch (code) {
    case kMergeInputNotOpened: return "Unable to open the input file.";
    case kMergeOutputNotCreated: return Format("Unable to open the output file - %s ", output.c_str());
    case kMergePlacementDiffers: return "Static bin files LNB details in different structure.";
    case kMergeFile1Magic: return Format("Invalid static bin - %s. \nMajic Id mismatch. ", file1.c_str());
    case kMergeFile2Magic: return Format("Invalid static bin - %s. \nMajic Id mismatch. ", file2.c_str());
    case kMergeOldVersion: return "Static bin file(s) are older version. ";
    default: return Format("Static bin file's are merged successfully. \nOutput file ( %s ) created.", output.c_str());
    }
}

int MergeButton(Ui& ui, const std::filesystem::path& file1, const std::filesystem::path& file2, Placement placement)
{
    for (const auto& path : {file1, file2}) {
        const auto size = FileSize(path);
        if (path.empty() || !size || !std::filesystem::is_regular_file(path)) {
            ShowInfo(ui, "Static binary file does not exist or invalid path.");
            return -1;
        }
        if (*size == 0) {
            ShowInfo(ui, "Static binary file does not contains any data to merge.");
            return -1;
        }
    }
    const auto output = ui.ChooseSaveFile({"Save Bin File as", "Bin Files|*.bin", "bin", {}});
    if (!output)
        return -1;
    const int code = MergeSdbFiles(ui, {file1, file2, *output, placement});
    ShowInfo(ui, MergeResultMessage(code, file1, file2, *output));
    return code;
}

}  // namespace velk::sdb
