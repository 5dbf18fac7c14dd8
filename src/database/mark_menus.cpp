#include "database/mark_menus.h"

#include "common/format.h"
#include "database/value_texts.h"

namespace velk {
namespace {

template <typename Field>
MarkChoice Choice(MarkLevel level, Field field, std::uint8_t value = 0)
{
    return {level, static_cast<std::uint8_t>(field), value};
}

// A sub-menu with one item per value name, the value being the name's index.
template <typename Field>
MarkMenuEntry ValueMenu(std::string title, MarkLevel level, Field field, const TextList& names)
{
    MarkMenuEntry entry{std::move(title), {}, false};
    for (std::size_t v = 0; v < names.size(); ++v)
        entry.items.push_back({names[v], Choice(level, field, static_cast<std::uint8_t>(v))});
    return entry;
}

std::vector<MarkMenuEntry> LnbMenu(const WorkingStore& store)
{
    constexpr auto L = MarkLevel::Lnbs;
    return {ValueMenu("Power Control", L, LnbField::Power, PowerNames()),
            ValueMenu("LNB Type", L, LnbField::Type, LnbTypeNames(store.productType)),
            ValueMenu("DiSEqC 1.0", L, LnbField::Diseqc10, Diseqc10Names(store.productType)),
            ValueMenu("DiSEqC 1.1", L, LnbField::Diseqc11, Diseqc11Names()),
            ValueMenu("Tone Burst", L, LnbField::ToneBurst, ToneBurstNames()),
            ValueMenu("Repeat Mode", L, LnbField::Repeat, RepeatNames()),
            ValueMenu("22 Khz", L, LnbField::Khz22, Khz22Names())};
}

std::vector<MarkMenuEntry> SatelliteMenu(const WorkingStore& store)
{
    constexpr auto S = MarkLevel::Satellites;
    return {ValueMenu("LNB Index", S, SatelliteField::LnbIndex, LnbIndexNames(store.lnbCount)),
            ValueMenu("", S, SatelliteField::EastWest, {"&East", "&West"}),
            {"", {{"&Factory Default", Choice(S, SatelliteField::FactoryDefault, 1)},
                  {"&No Factory Default", Choice(S, SatelliteField::FactoryDefault, 0)}}, false}};
}

std::vector<MarkMenuEntry> CarrierMenu(bool marking)
{
    constexpr auto C = MarkLevel::Carriers;
    return {ValueMenu("Polarization", C, CarrierField::Polarization, PolarizationNames()),
            ValueMenu("FEC", C, CarrierField::Fec, FecNames()),
            {"", {{"&Factory Default", Choice(C, CarrierField::FactoryDefault, 1)},
                  {"&No Factory Default", Choice(C, CarrierField::FactoryDefault, 0)}}, marking}};
}

std::vector<MarkMenuEntry> ServiceMarkMenu()
{
    constexpr auto V = MarkLevel::Services;
    return {{"", {{"&Scrambled", Choice(V, ServiceMark::Scrambled)}, {"&FTA", Choice(V, ServiceMark::Fta)},
                  {"&TV", Choice(V, ServiceMark::Tv)}, {"&Radio", Choice(V, ServiceMark::Radio)},
                  {"Factory &Default", Choice(V, ServiceMark::FactoryDefault)},
                  {"No Factory Default", Choice(V, ServiceMark::NoFactoryDefault)}}, false}};
}

std::vector<MarkMenuEntry> ServiceSelectMenu()
{
    constexpr auto V = MarkLevel::Services;
    MarkMenuEntry groups{"Favorite Group", {}, false};
    for (std::uint8_t g = 1; g <= 4; ++g)
        groups.items.push_back({Format("Group %u", unsigned{g}), Choice(V, ServiceTest::Group, g)});
    groups.items.push_back({"N&o Group", Choice(V, ServiceTest::NoGroup)});
    return {{"", {{"&Scrambled", Choice(V, ServiceTest::Scrambled)}, {"&FTA", Choice(V, ServiceTest::Fta)},
                  {"&TV", Choice(V, ServiceTest::Tv)}, {"&Radio", Choice(V, ServiceTest::Radio)},
                  {"Factory Default", Choice(V, ServiceTest::FactoryDefault)},
                  {"No Factory Default", Choice(V, ServiceTest::NoFactoryDefault)}}, false},
            groups};
}

}  // namespace

std::vector<MarkMenuEntry> MarkMenu(MarkLevel level, const WorkingStore& store)
{
    switch (level) {
    case MarkLevel::Lnbs: return LnbMenu(store);
    case MarkLevel::Satellites: return SatelliteMenu(store);
    case MarkLevel::Carriers: return CarrierMenu(true);
    case MarkLevel::Services: return ServiceMarkMenu();
    }
    return {};
}

std::vector<MarkMenuEntry> SelectMenu(MarkLevel level, const WorkingStore& store)
{
    switch (level) {
    case MarkLevel::Carriers: return CarrierMenu(false);
    case MarkLevel::Services: return ServiceSelectMenu();
    default: return MarkMenu(level, store);
    }
}

std::optional<MarkResult> MarkRows(WorkingStore& store, Ui& ui, const MarkChoice& c, const MarkList& list,
                                   const std::vector<std::uint32_t>& rows)
{
    switch (c.level) {
    case MarkLevel::Lnbs: return MarkLnbs(store, ui, rows, static_cast<LnbField>(c.field), c.value);
    case MarkLevel::Satellites: return MarkSatellites(store, ui, rows, static_cast<SatelliteField>(c.field), c.value);
    case MarkLevel::Carriers: return MarkCarriers(store, ui, list.satellite, rows, static_cast<CarrierField>(c.field), c.value);
    case MarkLevel::Services:
        if (!list.services)
            return std::nullopt;
        return MarkServices(store, ui, *list.services, rows, static_cast<ServiceMark>(c.field), c.value);
    }
    return std::nullopt;
}

std::optional<RowSelection> SelectMatching(const WorkingStore& store, Ui& ui, const MarkChoice& c, const MarkList& list)
{
    switch (c.level) {
    case MarkLevel::Lnbs: return SelectLnbs(store, ui, static_cast<LnbField>(c.field), c.value);
    case MarkLevel::Satellites: return SelectSatellites(store, ui, static_cast<SatelliteField>(c.field), c.value);
    case MarkLevel::Carriers: return SelectCarriers(store, ui, list.satellite, static_cast<CarrierField>(c.field), c.value);
    case MarkLevel::Services:
        if (!list.services)
            return std::nullopt;
        return SelectServices(store, ui, *list.services, static_cast<ServiceTest>(c.field), c.value);
    }
    return std::nullopt;
}

}  // namespace velk
