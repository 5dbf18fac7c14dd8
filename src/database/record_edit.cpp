#include "database/record_edit.h"

#include "common/format.h"
#include "database/move_services.h"
#include "database/store_image.h"

namespace velk {
namespace {

constexpr const char* kInvalidIndex = "Invalid Record Index";
constexpr const char* kCannotReadLnb = "Error No: -5 \n Cann't Read LNB Info";
constexpr const char* kCannotReadCarrier = "Error No: -5 \n Cann't Read Carrier Info";
constexpr const char* kCannotReadService = "Error No: -5 \n Cann't Read Service Info";
constexpr const char* kLnbWriteFailed = "Error No: -4 \n LNB Information Updated Process Faild";
constexpr const char* kSatelliteWriteFailed = "Error No: -4 \n Satellite Information Updatation Process Failed";
constexpr const char* kCarrierWriteFailed = "Error No: -4 \n Carrier Information Updated Process Failed";

constexpr unsigned kHierarchy = image_part::kSatellites | image_part::kCarriers | image_part::kServices | image_part::kCarrierOrder;
constexpr unsigned kWritten = image_part::kSatellites | image_part::kCarriers | image_part::kServices;

template <typename Record>
std::optional<Record> OpenNumbered(const std::vector<Record>* records, Ui& ui, std::uint32_t n, std::uint32_t count, const char* unreadable)
{
    if (n < 1 || n > count) {
        ShowError(ui, kInvalidIndex);
        return std::nullopt;
    }
    if (!records || n > records->size()) {
        ShowError(ui, unreadable);
        return std::nullopt;
    }
    return (*records)[n - 1];
}

std::optional<MarkResult> CommitEdit(WorkingStore& store, Ui& ui, const StoreImage& image, unsigned parts, MarkResult result, const char* failure)
{
    if (!CommitStoreImage(store, image, parts)) {
        ShowError(ui, failure);
        return std::nullopt;
    }
    return result;
}

}  // namespace

std::optional<LnbRecord> OpenLnbRecord(const WorkingStore& store, Ui& ui, std::uint32_t n)
{
    const auto image = LoadStoreImage(store, image_part::kLnbs);
    return OpenNumbered(image ? &image->lnbs : nullptr, ui, n, store.lnbCount, kCannotReadLnb);
}

std::optional<SatelliteRecord> OpenSatelliteRecord(const WorkingStore& store, Ui& ui, std::uint32_t n)
{
    const auto image = LoadStoreImage(store, image_part::kSatellites);
    return OpenNumbered(image ? &image->satellites : nullptr, ui, n, store.satelliteCount, kCannotReadLnb);
}

std::optional<CarrierRecord> OpenCarrierRecord(const WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p)
{
    const auto image = LoadStoreImage(store, image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder);
    if (!image) {
        ShowError(ui, kCannotReadCarrier);
        return std::nullopt;
    }
    const auto k = CarrierRecordAt(*image, s, p);
    if (!k) {
        ShowError(ui, kInvalidIndex);
        return std::nullopt;
    }
    return image->carriers[*k];
}

std::optional<ServiceToEdit> OpenServiceRecord(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row)
{
    const auto positions = ViewRowPositions(store, view);
    const auto image = LoadStoreImage(store, image_part::kCarriers | image_part::kServices | image_part::kServiceOrder);
    if (!positions || !image) {
        ShowError(ui, kCannotReadService);
        return std::nullopt;
    }
    if (row < 1 || row > positions->size()) {
        ShowError(ui, kInvalidIndex);
        return std::nullopt;
    }
    const std::uint32_t r = image->serviceOrder[(*positions)[row - 1]];
    const auto starts = ServiceBlockStarts(image->carriers);
    const auto k = *CarrierOfServiceIndex(starts, r);
    ServiceToEdit out{r + 1, image->services[r], {}};
    for (auto i = starts[k]; i < starts[k + 1]; ++i)
        if (i != r)
            out.otherProgramNumbers.push_back(image->services[i].programNumber);
    return out;
}

bool UpdateLnbRecord(WorkingStore& store, Ui& ui, std::uint32_t n, const LnbRecord& edited)
{
    auto image = LoadStoreImage(store, image_part::kLnbs);
    if (!image || n < 1 || n > image->lnbs.size()) {
        ShowError(ui, kLnbWriteFailed);
        return false;
    }
    LnbRecord lnb = edited;
    lnb.switchBlock.volt12 = 0;
    if (store.productType != 2) {
        lnb.switchBlock.diseqc11 = 16;
        lnb.switchBlock.toneBurst = static_cast<std::uint8_t>(lnb.switchBlock.diseqc10 % 2);
        lnb.switchBlock.repeat = 0;
        lnb.switchBlock.khz22 = 2;
    }
    image->lnbs[n - 1] = lnb;
    return CommitEdit(store, ui, *image, image_part::kLnbs, {}, kLnbWriteFailed).has_value();
}

std::optional<RecordUpdate> UpdateSatelliteRecord(WorkingStore& store, Ui& ui, std::uint32_t n, const SatelliteRecord& edited)
{
    auto image = LoadStoreImage(store, kHierarchy);
    if (!image || n < 1 || n > image->satellites.size()) {
        ShowError(ui, kSatelliteWriteFailed);
        return std::nullopt;
    }
    auto& sat = image->satellites[n - 1];
    const auto wasSet = sat.factoryDefault;
    const auto carriers = sat.carrierCount;
    sat = edited;
    sat.carrierCount = carriers;
    sat.factoryDefault = wasSet;  // the flag editor notes the change and carries it down
    FlagEditor flags(*image);
    flags.Satellite(n - 1, edited.factoryDefault == 1 ? 1 : 0);
    auto result = CommitEdit(store, ui, *image, kWritten, std::move(flags.Result()), kSatelliteWriteFailed);
    if (!result)
        return std::nullopt;
    return RecordUpdate{Format("[ %u ] %s", n, edited.name.Text().c_str()), std::move(*result)};
}

std::optional<RecordUpdate> UpdateCarrierRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, const CarrierRecord& edited)
{
    auto image = LoadStoreImage(store, kHierarchy);
    const auto k = image ? CarrierRecordAt(*image, s, p) : std::nullopt;
    if (!k) {
        ShowError(ui, kCarrierWriteFailed);
        return std::nullopt;
    }
    auto& carrier = image->carriers[*k];
    const bool wasSet = carrier.factoryDefault == 1;
    const auto satellite = carrier.satelliteIndex;
    const auto services = carrier.serviceCount;
    carrier = edited;
    carrier.satelliteIndex = satellite;
    carrier.serviceCount = services;
    carrier.factoryDefault = wasSet ? 1 : 0;
    FlagEditor flags(*image);
    flags.Carrier(*k, edited.factoryDefault == 1 ? 1 : 0);
    if (edited.factoryDefault == 1 && image->satellites[satellite].factoryDefault != 1)
        flags.Satellite(satellite, 1);
    auto result = CommitEdit(store, ui, *image, kWritten, std::move(flags.Result()), kCarrierWriteFailed);
    if (!result)
        return std::nullopt;
    return RecordUpdate{Format("[ %u ] %s", p, edited.name.Text().c_str()), std::move(*result)};
}

std::optional<MarkResult> UpdateServiceRecord(WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row, const ServiceRecord& edited)
{
    const auto positions = ViewRowPositions(store, view);
    auto image = positions ? LoadStoreImage(store, kHierarchy | image_part::kServiceOrder) : std::nullopt;
    if (!image || row < 1 || row > positions->size()) {
        ShowError(ui, kCarrierWriteFailed);
        return std::nullopt;
    }
    const std::uint32_t r = image->serviceOrder[(*positions)[row - 1]];
    const auto before = image->services[r];
    ServiceRecord service = edited;
    service.preference = 0;
    service.flagA = before.flagA;
    service.flagB = before.flagB;
    if (service.type == kServiceRadio)
        service.videoPid = kNoPid;
    service.nameUnchanged = service.name.Text() == before.name.Text() ? 1 : 0;
    service.pidsUnchanged = service.videoPid == before.videoPid && service.audioPid == before.audioPid && service.pcrPid == before.pcrPid ? 1 : 0;
    service.factoryDefault = before.factoryDefault;
    image->services[r] = service;
    FlagEditor flags(*image);
    flags.Service(r, edited.factoryDefault == 1 ? 1 : 0);
    auto result = CommitEdit(store, ui, *image, kWritten, std::move(flags.Result()), kCarrierWriteFailed);
    if (result && service.type != before.type && !PassesFilter(view.filter, service.type)) {
        if (!BuildServiceView(store, ui, view))
            return std::nullopt;
        result->rowsChanged = true;
    }
    return result;
}

}  // namespace velk
