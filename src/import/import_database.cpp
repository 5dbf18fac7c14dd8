#include "import/import_database.h"

#include "common/format.h"

#include <algorithm>
#include <cmath>

namespace velk {
namespace {

LnbRecord LnbOf(const ImportLnb& l, const SwitchBlock& switchBlock)
{
    LnbRecord r;
    r.SetLowMhz(l.lowMhz);
    r.SetHighMhz(l.highMhz);
    r.SetType(l.type);
    r.SetPower((l.power & 1) != 0);
    r.word = lnb_word::kSdbMark.Set(r.word, 1);
    r.switchBlock = switchBlock;
    return r;
}

// Positions far outside the angle field (a Lyngsat list may hold anything)
// must not overflow the conversion.
std::int16_t AngleOf(double position)
{
    if (!std::isfinite(position))
        return 0;
    return static_cast<std::int16_t>(std::clamp(position, -32768.0, 32767.0));
}

std::uint8_t LnbIndexOf(std::uint16_t lnbNumber, std::size_t lnbCount)
{
    // A number beyond the list (the list shrank after it was chosen) takes the first LNB.
    return lnbNumber >= 1 && lnbNumber <= lnbCount ? static_cast<std::uint8_t>(lnbNumber - 1) : 0;
}

bool Refuse(Ui& ui, const char* what, std::size_t count, std::size_t limit)
{
    ShowError(ui, Format("Too many %s selected ( %zu ); a BIN file holds at most %zu.", what, count, limit));
    return false;
}

// Which staged records are written: the selected ones whose parents are written.
struct Written {
    std::vector<std::int32_t> satellite;  // file index per staged satellite, -1 when not written
    std::vector<std::int32_t> carrier;    // file index per staged carrier
    std::vector<std::uint32_t> carriersOfSatellite;
    std::vector<std::uint32_t> servicesOfCarrier;
    std::size_t services = 0;
};

Written ChooseWritten(const ImportStaging& st)
{
    Written w;
    w.satellite.assign(st.satellites.size(), -1);
    w.carrier.assign(st.carriers.size(), -1);
    w.carriersOfSatellite.assign(st.satellites.size(), 0);
    w.servicesOfCarrier.assign(st.carriers.size(), 0);
    std::int32_t next = 0;
    for (std::size_t s = 0; s < st.satellites.size(); ++s)
        if (st.satellites[s].selected == 1)
            w.satellite[s] = next++;
    next = 0;
    for (std::size_t c = 0; c < st.carriers.size(); ++c) {
        const auto sat = st.carriers[c].satellite;
        if (st.carriers[c].selected == 1 && sat >= 1 && sat <= st.satellites.size() && w.satellite[sat - 1] >= 0) {
            w.carrier[c] = next++;
            ++w.carriersOfSatellite[sat - 1];
        }
    }
    for (const auto& s : st.services) {
        if (s.selected == 1 && s.carrier >= 1 && s.carrier <= st.carriers.size() && w.carrier[s.carrier - 1] >= 0) {
            ++w.servicesOfCarrier[s.carrier - 1];
            ++w.services;
        }
    }
    return w;
}

bool FitsTheFile(Ui& ui, const Written& w)
{
    const auto satellites = static_cast<std::size_t>(std::count_if(w.satellite.begin(), w.satellite.end(), [](auto i) { return i >= 0; }));
    const auto carriers = static_cast<std::size_t>(std::count_if(w.carrier.begin(), w.carrier.end(), [](auto i) { return i >= 0; }));
    const auto busiest = w.carriersOfSatellite.empty() ? 0u : *std::max_element(w.carriersOfSatellite.begin(), w.carriersOfSatellite.end());
    if (satellites > kMaxImportSatellites)
        return Refuse(ui, "satellites", satellites, kMaxImportSatellites);
    if (carriers > kMaxImportCarriers)
        return Refuse(ui, "carriers", carriers, kMaxImportCarriers);
    if (busiest > kMaxCarriersPerSatellite)
        return Refuse(ui, "carriers of one satellite", busiest, kMaxCarriersPerSatellite);
    if (w.services > kMaxImportServices)
        return Refuse(ui, "services", w.services, kMaxImportServices);
    return true;
}

ServiceRecord ServiceOf(const ImportService& s)
{
    ServiceRecord r;
    r.name = s.name;
    r.type = s.type;
    r.videoPid = s.videoPid;
    r.audioPid = s.audioPid;
    r.pcrPid = s.pcrPid;
    r.scrambled = s.scrambled;
    r.programNumber = s.serviceId;
    r.flagA = 1;
    r.nameUnchanged = 0;
    r.pidsUnchanged = 0;
    r.flagB = 0;
    return r;
}

}  // namespace

std::optional<sdb::SdbContent> SelectImportDatabase(Ui& ui, const ImportStaging& st, std::span<const WizardLnb> lnbs,
                                                    const WorkingStore& store, const sdb::SdbSession& session)
{
    const auto w = ChooseWritten(st);
    if (!FitsTheFile(ui, w))
        return std::nullopt;

    sdb::SdbContent db;
    db.placement = store.placement;
    db.productType = store.productType;
    db.userBox = session.userSettings.For(store.productType);
    for (const auto& l : lnbs)
        if (l.live)
            db.lnbs.push_back(LnbOf(l.record, store.defaults.switchBlock));
    if (!st.satellites.empty())
        db.carrierLnbByte = LnbIndexOf(st.satellites.front().lnbNumber, db.lnbs.size());

    for (std::size_t s = 0; s < st.satellites.size(); ++s) {
        if (w.satellite[s] < 0)
            continue;
        const auto& sat = st.satellites[s];
        SatelliteRecord r;
        r.lnbIndex = LnbIndexOf(sat.lnbNumber, db.lnbs.size());
        r.name = sat.name;
        r.west = sat.hemisphere;
        r.angle = AngleOf(sat.position);
        r.carrierCount = static_cast<std::uint16_t>(w.carriersOfSatellite[s]);
        db.satellites.push_back(r);
    }

    // Service section position of each staged service, for the channel order.
    std::vector<std::vector<std::uint32_t>> servicesOf(st.carriers.size());
    for (std::uint32_t i = 0; i < st.services.size(); ++i) {
        const auto& s = st.services[i];
        if (s.selected == 1 && s.carrier >= 1 && s.carrier <= st.carriers.size() && w.carrier[s.carrier - 1] >= 0)
            servicesOf[s.carrier - 1].push_back(i);
    }
    std::vector<std::int32_t> position(st.services.size(), -1);
    for (std::size_t c = 0; c < st.carriers.size(); ++c) {
        if (w.carrier[c] < 0)
            continue;
        const auto& car = st.carriers[c];
        CarrierRecord r;
        r.name = car.name;
        r.satelliteIndex = static_cast<std::uint8_t>(w.satellite[car.satellite - 1]);
        r.polarization = static_cast<std::uint8_t>(car.polarization);
        r.symbolRateKs = car.symbolRateKs;
        r.frequencyMhz = car.frequencyMhz;
        r.fec = car.fec;
        r.serviceCount = static_cast<std::uint16_t>(w.servicesOfCarrier[c]);
        db.carriers.push_back(r);
        for (const auto i : servicesOf[c]) {
            position[i] = static_cast<std::int32_t>(db.services.size());
            db.services.push_back(ServiceOf(st.services[i]));
        }
    }
    for (const auto p : position)
        if (p >= 0)
            db.osl.push_back(static_cast<std::uint16_t>(p));
    return db;
}

}  // namespace velk
