#include "database/marking.h"

#include "database/move_services.h"
#include "database/store_image.h"

#include <algorithm>

namespace velk {
namespace {

constexpr const char* kMarkAccessError = "File access error ( Markas Carrier )";
constexpr const char* kSomeCarriersRefused =
    "This process is failed for some carrier(s) \nBecause satellite of those carrier(s) are not set Factory Default";

std::uint8_t LnbValue(const LnbRecord& lnb, LnbField field)
{
    switch (field) {
    case LnbField::Power: return lnb.PowerOn() ? 1 : 0;
    case LnbField::Type: return static_cast<std::uint8_t>(lnb.Type());
    case LnbField::Diseqc10: return lnb.switchBlock.diseqc10;
    case LnbField::Diseqc11: return lnb.switchBlock.diseqc11;
    case LnbField::ToneBurst: return lnb.switchBlock.toneBurst;
    case LnbField::Repeat: return lnb.switchBlock.repeat;
    case LnbField::Khz22: return lnb.switchBlock.khz22;
    }
    return 0;
}

void SetLnbValue(LnbRecord& lnb, LnbField field, std::uint8_t value)
{
    switch (field) {
    case LnbField::Power: lnb.SetPower(value != 0); break;
    case LnbField::Type: lnb.SetType(value); break;
    case LnbField::Diseqc10: lnb.switchBlock.diseqc10 = value; break;
    case LnbField::Diseqc11: lnb.switchBlock.diseqc11 = value; break;
    case LnbField::ToneBurst: lnb.switchBlock.toneBurst = value; break;
    case LnbField::Repeat: lnb.switchBlock.repeat = value; break;
    case LnbField::Khz22: lnb.switchBlock.khz22 = value; break;
    }
}

std::uint8_t SatelliteValue(const SatelliteRecord& sat, SatelliteField field)
{
    switch (field) {
    case SatelliteField::LnbIndex: return sat.lnbIndex;
    case SatelliteField::EastWest: return sat.west;
    case SatelliteField::FactoryDefault: return sat.factoryDefault;
    }
    return 0;
}

std::uint8_t CarrierValue(const CarrierRecord& carrier, CarrierField field)
{
    switch (field) {
    case CarrierField::Polarization: return carrier.polarization;
    case CarrierField::Fec: return carrier.fec;
    case CarrierField::FactoryDefault: return carrier.factoryDefault;
    }
    return 0;
}

bool ServiceMatches(const ServiceRecord& service, ServiceTest test, std::uint8_t group)
{
    switch (test) {
    case ServiceTest::Scrambled: return service.scrambled == 1;
    case ServiceTest::Fta: return service.scrambled == 0;
    case ServiceTest::Tv: return service.type == kServiceTv;
    case ServiceTest::Radio: return service.type == kServiceRadio;
    case ServiceTest::FactoryDefault: return service.factoryDefault == 1;
    case ServiceTest::NoFactoryDefault: return service.factoryDefault == 0;
    case ServiceTest::Group: return group >= 1 && group <= 4 && (service.favourites >> (group - 1) & 1) != 0;
    case ServiceTest::NoGroup: return (service.favourites & 0x0F) == 0;
    }
    return false;
}

// 0-based records behind 1-based rows of a list whose row i shows records[i].
template <typename Index>
std::optional<std::vector<std::uint32_t>> RowRecords(std::span<const std::uint32_t> rows, const std::vector<Index>& records)
{
    std::vector<std::uint32_t> out;
    out.reserve(rows.size());
    for (const auto r : rows) {
        if (r < 1 || r > records.size())
            return std::nullopt;
        out.push_back(records[r - 1]);
    }
    return out;
}

std::vector<std::uint32_t> Identity(std::size_t count)
{
    std::vector<std::uint32_t> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint32_t>(i);
    return out;
}

// Carrier records shown by the carrier list of satellite s (0: all), in row order.
std::optional<std::vector<std::uint16_t>> CarrierRows(const StoreImage& image, std::uint32_t s)
{
    if (s == 0)
        return image.carrierOrder;
    if (s > image.satellites.size())
        return std::nullopt;
    const auto starts = CarrierPositionStarts(image.satellites);
    return std::vector<std::uint16_t>(image.carrierOrder.begin() + starts[s - 1], image.carrierOrder.begin() + starts[s]);
}

template <typename Record, typename Test>
RowSelection SelectWhere(const std::vector<Record>& rows, Test test)
{
    RowSelection selection(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        selection[i] = test(rows[i]);
    return selection;
}

constexpr unsigned kHierarchy = image_part::kSatellites | image_part::kCarriers | image_part::kServices | image_part::kCarrierOrder;

std::optional<MarkResult> CommitMark(WorkingStore& store, Ui& ui, const StoreImage& image, unsigned parts, MarkResult result, const char* failure)
{
    if (!CommitStoreImage(store, image, parts)) {
        ShowError(ui, failure);
        return std::nullopt;
    }
    return result;
}

}  // namespace

RowSelection SelectAllRows(std::size_t rowCount) { return RowSelection(rowCount, true); }

RowSelection InvertSelection(const RowSelection& selection)
{
    RowSelection out(selection.size());
    for (std::size_t i = 0; i < selection.size(); ++i)
        out[i] = !selection[i];
    return out;
}

std::optional<MarkResult> MarkLnbs(WorkingStore& store, Ui& ui, std::span<const std::uint32_t> rows, LnbField field, std::uint8_t value)
{
    if (rows.empty())
        return MarkResult{};
    auto image = LoadStoreImage(store, image_part::kLnbs);
    const auto records = image ? RowRecords(rows, Identity(image->lnbs.size())) : std::nullopt;
    if (!records) {
        ShowError(ui, kMarkAccessError);
        return std::nullopt;
    }
    for (const auto n : *records)
        SetLnbValue(image->lnbs[n], field, value);
    return CommitMark(store, ui, *image, image_part::kLnbs, {}, kMarkAccessError);
}

std::optional<RowSelection> SelectLnbs(const WorkingStore& store, Ui& ui, LnbField field, std::uint8_t value)
{
    const auto image = LoadStoreImage(store, image_part::kLnbs);
    if (!image) {
        ShowError(ui, kMarkAccessError);
        return std::nullopt;
    }
    return SelectWhere(image->lnbs, [&](const LnbRecord& lnb) { return LnbValue(lnb, field) == value; });
}

std::optional<MarkResult> MarkSatellites(WorkingStore& store, Ui& ui, std::span<const std::uint32_t> rows, SatelliteField field, std::uint8_t value)
{
    if (rows.empty())
        return MarkResult{};
    if (field == SatelliteField::LnbIndex && value >= store.lnbCount)
        return MarkResult{};  // an item past the LNBs does nothing
    auto image = LoadStoreImage(store, kHierarchy);
    const auto records = image ? RowRecords(rows, Identity(image->satellites.size())) : std::nullopt;
    if (!records) {
        ShowError(ui, kMarkAccessError);
        return std::nullopt;
    }
    FlagEditor flags(*image);
    for (const auto s : *records) {
        auto& sat = image->satellites[s];
        switch (field) {
        case SatelliteField::LnbIndex: sat.lnbIndex = value; break;
        case SatelliteField::EastWest: sat.west = value; break;
        case SatelliteField::FactoryDefault: flags.Satellite(s, value); break;
        }
    }
    const unsigned parts = image_part::kSatellites | image_part::kCarriers | image_part::kServices;
    return CommitMark(store, ui, *image, parts, std::move(flags.Result()), kMarkAccessError);
}

std::optional<RowSelection> SelectSatellites(const WorkingStore& store, Ui& ui, SatelliteField field, std::uint8_t value)
{
    const auto image = LoadStoreImage(store, image_part::kSatellites);
    if (!image) {
        ShowError(ui, kMarkAccessError);
        return std::nullopt;
    }
    return SelectWhere(image->satellites, [&](const SatelliteRecord& sat) { return SatelliteValue(sat, field) == value; });
}

std::optional<MarkResult> MarkCarriers(WorkingStore& store, Ui& ui, std::uint32_t s, std::span<const std::uint32_t> rows,
                                       CarrierField field, std::uint8_t value)
{
    if (rows.empty())
        return MarkResult{};
    auto image = LoadStoreImage(store, kHierarchy);
    const auto shown = image ? CarrierRows(*image, s) : std::nullopt;
    const auto records = shown ? RowRecords(rows, *shown) : std::nullopt;
    if (!records) {
        ShowError(ui, kMarkAccessError);
        return std::nullopt;
    }
    FlagEditor flags(*image);
    bool refused = false;
    for (const auto k : *records) {
        auto& carrier = image->carriers[k];
        switch (field) {
        case CarrierField::Polarization: carrier.polarization = value; break;
        case CarrierField::Fec: carrier.fec = value; break;
        case CarrierField::FactoryDefault:
            if (value == 1 && image->satellites[carrier.satelliteIndex].factoryDefault != 1)
                refused = true;
            else
                flags.Carrier(k, value);
            break;
        }
    }
    const unsigned parts = image_part::kCarriers | image_part::kServices;
    auto result = CommitMark(store, ui, *image, parts, std::move(flags.Result()), kMarkAccessError);
    if (result && refused)
        ShowInfo(ui, kSomeCarriersRefused);
    return result;
}

std::optional<RowSelection> SelectCarriers(const WorkingStore& store, Ui& ui, std::uint32_t s, CarrierField field, std::uint8_t value)
{
    const auto image = LoadStoreImage(store, image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder);
    const auto shown = image ? CarrierRows(*image, s) : std::nullopt;
    if (!shown) {
        ShowError(ui, kMarkAccessError);
        return std::nullopt;
    }
    return SelectWhere(*shown, [&](std::uint16_t k) { return CarrierValue(image->carriers[k], field) == value; });
}

bool CanMarkCarrierFactoryDefault(const WorkingStore& store, std::uint32_t s, std::span<const std::uint32_t> rows)
{
    const auto image = LoadStoreImage(store, image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder);
    const auto shown = image ? CarrierRows(*image, s) : std::nullopt;
    if (!shown || shown->empty())
        return false;
    if (s != 0)
        return image->satellites[s - 1].factoryDefault == 1;
    const auto records = RowRecords(rows, *shown);
    return records && std::any_of(records->begin(), records->end(), [&](std::uint32_t k) {
               return image->satellites[image->carriers[k].satelliteIndex].factoryDefault == 1;
           });
}

std::optional<MarkResult> MarkServices(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> rows,
                                       ServiceMark mark, std::uint8_t value)
{
    if (rows.empty())
        return MarkResult{};
    const auto positions = ViewRowPositions(store, view);
    auto image = positions ? LoadStoreImage(store, kHierarchy | image_part::kServiceOrder) : std::nullopt;
    const auto shown = image ? RowRecords(rows, *positions) : std::nullopt;
    if (!shown) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    FlagEditor flags(*image);
    bool left = false;
    for (const auto p : *shown) {
        const auto r = image->serviceOrder[p];
        auto& service = image->services[r];
        switch (mark) {
        case ServiceMark::Scrambled: service.scrambled = 1; break;
        case ServiceMark::Fta: service.scrambled = 0; break;
        case ServiceMark::Tv: service.type = kServiceTv; break;
        case ServiceMark::Radio:
            service.type = kServiceRadio;
            service.videoPid = kNoPid;
            break;
        case ServiceMark::FactoryDefault: flags.Service(r, 1); break;
        case ServiceMark::NoFactoryDefault: flags.Service(r, 0); break;
        case ServiceMark::FavouriteGroup:
            service.favourites = value >= 1 && value <= 4 ? static_cast<std::uint8_t>(1u << (value - 1)) : 0;
            break;
        }
        left = left || !PassesFilter(view.filter, service.type);
    }
    const unsigned parts = image_part::kSatellites | image_part::kCarriers | image_part::kServices;
    auto result = CommitMark(store, ui, *image, parts, std::move(flags.Result()), kFileAccessError);
    if (result && left) {
        if (!BuildServiceView(store, ui, view))
            return std::nullopt;
        result->rowsChanged = true;
    }
    return result;
}

std::optional<RowSelection> SelectServices(const WorkingStore& store, Ui& ui, const ServiceView& view, ServiceTest test, std::uint8_t group)
{
    const auto positions = ViewRowPositions(store, view);
    const auto image = positions ? LoadStoreImage(store, image_part::kServices | image_part::kServiceOrder) : std::nullopt;
    if (!image) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    return SelectWhere(*positions, [&](std::uint32_t p) { return ServiceMatches(image->services[image->serviceOrder[p]], test, group); });
}

}  // namespace velk
