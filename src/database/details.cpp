#include "database/details.h"

#include "common/format.h"
#include "database/field_rules.h"
#include "database/move_services.h"
#include "database/store_image.h"
#include "database/value_texts.h"

namespace velk {
namespace {

constexpr unsigned kAllButLists = image_part::kLnbs | image_part::kSatellites | image_part::kCarriers | image_part::kServices
                                  | image_part::kCarrierOrder | image_part::kServiceOrder;

void Add(DetailStrip& strip, std::string header, std::string value)
{
    strip.headers.push_back(std::move(header));
    strip.values.push_back(std::move(value));
}

void AddSwitchSettings(DetailStrip& strip, const WorkingStore& store, const SwitchBlock& block)
{
    Add(strip, "0v/12v Control", Volt12Text(block.volt12));
    Add(strip, "DiSEqC1.0", Diseqc10Text(store.productType, block.diseqc10));
    Add(strip, "DiSEqC1.1", Diseqc11Text(block.diseqc11));
    Add(strip, "ToneBurstMode", ToneBurstText(block.toneBurst));
}

std::optional<StoreImage> Load(const WorkingStore& store, Ui& ui, unsigned parts, const char* failure)
{
    auto image = LoadStoreImage(store, parts);
    if (!image)
        ShowError(ui, failure);
    return image;
}

// The service of a row with its carrier and satellite (0-based records).
struct ServiceChain {
    std::uint32_t service = 0;
    std::uint32_t carrier = 0;
    std::uint32_t satellite = 0;
};

std::optional<ServiceChain> ChainOfRow(const WorkingStore& store, const StoreImage& image, const ServiceView& view, std::uint32_t row)
{
    const auto positions = ViewRowPositions(store, view);
    if (!positions || row < 1 || row > positions->size())
        return std::nullopt;
    const std::uint32_t r = image.serviceOrder[(*positions)[row - 1]];
    const auto k = CarrierOfServiceIndex(ServiceBlockStarts(image.carriers), r);
    if (!k)
        return std::nullopt;
    return ServiceChain{r, *k, image.carriers[*k].satelliteIndex};
}

}  // namespace

std::optional<DetailStrip> LnbDetailStrip(const WorkingStore& store, Ui& ui, std::uint32_t n)
{
    const auto image = Load(store, ui, image_part::kLnbs, kFileAccessError);
    if (!image)
        return std::nullopt;
    if (n < 1 || n > image->lnbs.size()) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    const auto& lnb = image->lnbs[n - 1];
    DetailStrip strip{Format("Info - LNB %u", n), {}, {}};
    Add(strip, "Low Frequency", Format("%u", lnb.LowMhz()));
    Add(strip, "High Frequency", Format("%u", lnb.HighMhz()));
    Add(strip, "LNB Type", LnbTypeText(store.productType, lnb.Type()));
    Add(strip, "Power Control", PowerText(lnb.PowerOn()));
    if (store.placement == Placement::Lnb)
        AddSwitchSettings(strip, store, lnb.switchBlock);
    return strip;
}

std::optional<DetailStrip> SatelliteDetailStrip(const WorkingStore& store, Ui& ui, std::uint32_t n)
{
    const auto image = Load(store, ui, image_part::kSatellites, kFileAccessError);
    if (!image)
        return std::nullopt;
    if (n < 1 || n > image->satellites.size()) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    const auto& sat = image->satellites[n - 1];
    DetailStrip strip{"Info - " + sat.name.Text(), {}, {}};
    Add(strip, "LNB Index", Format(" LNB%u", sat.lnbIndex + 1u));
    if (store.placement == Placement::Satellite)
        AddSwitchSettings(strip, store, sat.switchBlock);
    Add(strip, "EastWest Flag", sat.west == 1 ? " West " : " East ");
    Add(strip, "Angle", AngleText(sat.angle));
    Add(strip, "Position", Format("%u", sat.position));
    return strip;
}

std::optional<DetailStrip> CarrierDetailStrip(const WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p)
{
    const auto image = Load(store, ui, image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder, kFileAccessError);
    const auto k = image ? CarrierRecordAt(*image, s, p) : std::nullopt;
    if (!k) {
        if (image)
            ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    const auto& carrier = image->carriers[*k];
    DetailStrip strip{"Info - " + carrier.name.Text(), {}, {}};
    if (store.placement == Placement::Carrier)
        AddSwitchSettings(strip, store, carrier.switchBlock);
    Add(strip, "Frequency", Format("%u", carrier.frequency));
    Add(strip, "Polarization", PolarizationText(carrier.polarization));
    Add(strip, "Symbol Rate", Format("%u", carrier.symbolRate));
    Add(strip, "Factory Default", TrueFalseText(carrier.factoryDefault == 1));
    return strip;
}

std::optional<DetailStrip> ServiceDetailStrip(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row)
{
    const auto image = Load(store, ui, kAllButLists & ~image_part::kLnbs, kFileAccessError);
    const auto chain = image ? ChainOfRow(store, *image, view, row) : std::nullopt;
    if (!chain) {
        if (image)
            ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    const auto& sat = image->satellites[chain->satellite];
    const auto& carrier = image->carriers[chain->carrier];
    DetailStrip strip{"Info - " + image->services[chain->service].name.Text(), {}, {}};
    Add(strip, "Satellite Name", sat.name.Text());
    Add(strip, "Angle", AngleText(sat.angle));
    Add(strip, "Carrier Name", carrier.name.Text());
    Add(strip, "Frequency", Format("%u", carrier.frequency));
    Add(strip, "SymbolRate", Format("%u", carrier.symbolRate));
    Add(strip, "Polarization", PolarizationText(carrier.polarization));
    return strip;
}

std::optional<ServiceDetails> LoadServiceDetails(const WorkingStore& store, Ui& ui, const ServiceView& view,
                                                 std::span<const std::uint32_t> selectedRows, bool hex)
{
    if (selectedRows.size() != 1) {
        ShowWarning(ui, "Select any one service record");
        return std::nullopt;
    }
    constexpr const char* kOpenError = "File Open Error";
    const auto image = Load(store, ui, kAllButLists, kOpenError);
    const auto chain = image ? ChainOfRow(store, *image, view, selectedRows.front()) : std::nullopt;
    if (!chain || (image && image->satellites[chain->satellite].lnbIndex >= image->lnbs.size())) {
        if (image)
            ShowError(ui, kOpenError);
        return std::nullopt;
    }
    const auto& sat = image->satellites[chain->satellite];
    const auto& lnb = image->lnbs[sat.lnbIndex];
    const auto& carrier = image->carriers[chain->carrier];
    const auto& service = image->services[chain->service];
    const char* radix = hex ? "[Hex]" : "[Dec]";
    ServiceDetails details;
    details.title = Format("%s Service Information", service.name.Text().c_str());
    details.satellite = {"Satellite - " + sat.name.Text(),
                         {{"Low freq. [MHz]", Format("%u", lnb.LowMhz())},
                          {"High freq. [MHz]", Format("%u", lnb.HighMhz())},
                          {"Satellite angle \u00B0", AngleText(sat.angle)},
                          {"Satellite position", Format("%u", sat.position)},
                          {"East / West flag", EastWestText(sat.west)}}};
    details.carrier = {"Carrier - " + carrier.name.Text(),
                       {{"Frequency [MHz]", Format("%u", carrier.frequency)},
                        {"Symbol rate [kSps]", Format("%u", carrier.symbolRate)},
                        {"Polarization", PolarizationText(carrier.polarization)},
                        {"FEC", FecText(carrier.fec)}}};
    details.service = {"Service - " + service.name.Text(),
                       {{"Program no.", Format("%u", service.programNumber)},
                        {"Service type", ServiceTypeText(service.type)},
                        {Format("Video PID %s", radix), PidText(service.videoPid, hex)},
                        {Format("Audio PID %s", radix), PidText(service.audioPid, hex)},
                        {Format("PCR PID %s", radix), PidText(service.pcrPid, hex)}}};
    return details;
}

}  // namespace velk
