#include "database/details.h"

#include "common/charset.h"

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
    Add(strip, "0v/12v Control", TextAt(Volt12Names(), block.volt12));
    Add(strip, "DiSEqC1.0", TextAt(Diseqc10Names(store.productType), block.diseqc10));
    Add(strip, "DiSEqC1.1", TextAt(Diseqc11Names(), block.diseqc11));
    Add(strip, "ToneBurstMode", TextAt(ToneBurstNames(), block.toneBurst));
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

DetailStrip LnbDetailStrip(const StoreSnapshot& s, const WorkingStore& store, std::uint32_t lnb)
{
    DetailStrip strip{Format("Info - LNB %u", lnb + 1), {}, {}};
    if (lnb >= s.lnbs.size())
        return strip;
    const auto& r = s.lnbs[lnb];
    Add(strip, "Low Frequency", Format("%u", r.LowMhz()));
    Add(strip, "High Frequency", Format("%u", r.HighMhz()));
    Add(strip, "LNB Type", TextAt(LnbTypeNames(store.productType), r.Type()));
    Add(strip, "Power Control", PowerText(r.PowerOn()));
    if (store.placement == Placement::Lnb)
        AddSwitchSettings(strip, store, r.switchBlock);
    return strip;
}

DetailStrip SatelliteDetailStrip(const StoreSnapshot& s, const WorkingStore& store, std::uint32_t satellite)
{
    if (satellite >= s.satellites.size())
        return {};
    const auto& sat = s.satellites[satellite];
    DetailStrip strip{"Info - " + DatabaseToUtf8(sat.name.Text()), {}, {}};
    Add(strip, "LNB Index", Format(" LNB%u", sat.lnbIndex + 1u));
    if (store.placement == Placement::Satellite)
        AddSwitchSettings(strip, store, sat.switchBlock);
    Add(strip, "EastWest Flag", sat.west == 1 ? " West " : " East ");
    Add(strip, "Angle", AngleText(sat.angle));
    Add(strip, "Position", Format("%u", sat.position));
    return strip;
}

DetailStrip CarrierDetailStrip(const StoreSnapshot& s, const WorkingStore& store, std::uint32_t carrier)
{
    if (carrier >= s.carriers.size())
        return {};
    const auto& c = s.carriers[carrier];
    DetailStrip strip{"Info - " + DatabaseToUtf8(c.name.Text()), {}, {}};
    if (store.placement == Placement::Carrier)
        AddSwitchSettings(strip, store, c.switchBlock);
    Add(strip, "Frequency", Format("%u", c.frequencyMhz));
    Add(strip, "Polarization", TextAt(PolarizationNames(), c.polarization));
    Add(strip, "Symbol Rate", Format("%u", c.symbolRateKs));
    Add(strip, "Factory Default", TrueFalseText(c.factoryDefault == 1));
    return strip;
}

DetailStrip ServiceDetailStrip(const StoreSnapshot& s, std::uint32_t service)
{
    if (service >= s.services.size())
        return {};
    DetailStrip strip{"Info - " + DatabaseToUtf8(s.services[service].name.Text()), {}, {}};
    const auto carrier = s.carrierOfService[service];
    if (carrier < 0)
        return strip;
    const auto& c = s.carriers[static_cast<std::size_t>(carrier)];
    const bool hasSatellite = c.satelliteIndex < s.satellites.size();
    Add(strip, "Satellite Name", hasSatellite ? DatabaseToUtf8(s.satellites[c.satelliteIndex].name.Text()) : "");
    Add(strip, "Angle", hasSatellite ? AngleText(s.satellites[c.satelliteIndex].angle) : "");
    Add(strip, "Carrier Name", DatabaseToUtf8(c.name.Text()));
    Add(strip, "Frequency", Format("%u", c.frequencyMhz));
    Add(strip, "SymbolRate", Format("%u", c.symbolRateKs));
    Add(strip, "Polarization", TextAt(PolarizationNames(), c.polarization));
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
    details.title = Format("%s Service Information", DatabaseToUtf8(service.name.Text()).c_str());
    details.satellite = {"Satellite - " + DatabaseToUtf8(sat.name.Text()),
                         {{"Low freq. [MHz]", Format("%u", lnb.LowMhz())},
                          {"High freq. [MHz]", Format("%u", lnb.HighMhz())},
                          {"Satellite angle \u00B0", AngleText(sat.angle)},
                          {"Satellite position", Format("%u", sat.position)},
                          {"East / West flag", TextAt(EastWestNames(), sat.west)}}};
    details.carrier = {"Carrier - " + DatabaseToUtf8(carrier.name.Text()),
                       {{"Frequency [MHz]", Format("%u", carrier.frequencyMhz)},
                        {"Symbol rate [kSps]", Format("%u", carrier.symbolRateKs)},
                        {"Polarization", TextAt(PolarizationNames(), carrier.polarization)},
                        {"FEC", TextAt(FecNames(), carrier.fec)}}};
    details.service = {"Service - " + DatabaseToUtf8(service.name.Text()),
                       {{"Program no.", Format("%u", service.programNumber)},
                        {"Service type", ServiceTypeText(service.type)},
                        {Format("Video PID %s", radix), PidText(service.videoPid, hex)},
                        {Format("Audio PID %s", radix), PidText(service.audioPid, hex)},
                        {Format("PCR PID %s", radix), PidText(service.pcrPid, hex)}}};
    return details;
}

}  // namespace velk
