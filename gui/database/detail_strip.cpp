#include "database/detail_strip.h"

#include "common/charset.h"
#include "common/format.h"
#include "database/display_texts.h"
#include "database/field_rules.h"

namespace velk::gui {
namespace {

void Add(DetailStrip& strip, std::string header, std::string value)
{
    strip.headers.push_back(std::move(header));
    strip.values.push_back(std::move(value));
}

void AddSwitch(DetailStrip& strip, const SwitchBlock& sb, std::uint8_t productType)
{
    Add(strip, "0v/12v Control", TextAt(Volt12Names(), sb.volt12));
    Add(strip, "DiSEqC1.0", TextAt(Diseqc10Names(productType), sb.diseqc10));
    Add(strip, "DiSEqC1.1", TextAt(Diseqc11Names(), sb.diseqc11));
    Add(strip, "ToneBurstMode", TextAt(ToneBurstNames(), sb.toneBurst));
}

std::string EastWest(std::uint8_t west) { return west ? " West " : " East "; }

}  // namespace

DetailStrip LnbDetails(const StoreSnapshot& s, std::uint32_t lnb, std::uint8_t productType, Placement placement)
{
    DetailStrip strip{Format("Info - LNB %d", static_cast<int>(lnb + 1)), {}, {}};
    if (lnb >= s.lnbs.size())
        return strip;
    const auto& r = s.lnbs[lnb];
    Add(strip, "Low Frequency", std::to_string(r.LowMhz()));
    Add(strip, "High Frequency", std::to_string(r.HighMhz()));
    Add(strip, "LNB Type", TextAt(LnbTypeNames(productType), r.Type()));
    Add(strip, "Power Control", r.PowerOn() ? "ON" : "OFF");
    if (placement == Placement::Lnb)
        AddSwitch(strip, r.switchBlock, productType);
    return strip;
}

DetailStrip SatelliteDetails(const StoreSnapshot& s, std::uint32_t satellite, std::uint8_t productType, Placement placement)
{
    if (satellite >= s.satellites.size())
        return {};
    const auto& r = s.satellites[satellite];
    DetailStrip strip{"Info - " + DatabaseToUtf8(r.name.Text()), {}, {}};
    Add(strip, "LNB Index", Format(" LNB%d", r.lnbIndex + 1));
    if (placement == Placement::Satellite)
        AddSwitch(strip, r.switchBlock, productType);
    Add(strip, "EastWest Flag", EastWest(r.west));
    Add(strip, "Angle", AngleText(r.angle));
    Add(strip, "Position", std::to_string(r.position));
    return strip;
}

DetailStrip CarrierDetails(const StoreSnapshot& s, std::uint32_t carrier, std::uint8_t productType, Placement placement)
{
    if (carrier >= s.carriers.size())
        return {};
    const auto& r = s.carriers[carrier];
    DetailStrip strip{"Info - " + DatabaseToUtf8(r.name.Text()), {}, {}};
    if (placement == Placement::Carrier)
        AddSwitch(strip, r.switchBlock, productType);
    Add(strip, "Frequency", std::to_string(r.frequency));
    Add(strip, "Polarization", TextAt(PolarizationNames(), r.polarization));
    Add(strip, "Symbol Rate", std::to_string(r.symbolRate));
    Add(strip, "Factory Default", r.factoryDefault == 1 ? "True" : "False");
    return strip;
}

DetailStrip ServiceDetails(const StoreSnapshot& s, std::uint32_t service)
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
    Add(strip, "Frequency", std::to_string(c.frequency));
    Add(strip, "SymbolRate", std::to_string(c.symbolRate));
    Add(strip, "Polarization", TextAt(PolarizationNames(), c.polarization));
    return strip;
}

}  // namespace velk::gui
