#pragma once
// The "Mark As" and selection sub-menus of the four record lists as one table
// of {title, field, value names}, and the passes their items run. The window
// only turns the table into menu items.
#include "common/ui.h"
#include "database/marking.h"
#include "database/service_views.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

enum class MarkLevel : std::uint8_t { Lnbs, Satellites, Carriers, Services };

// One item: the field (LnbField, SatelliteField, CarrierField, ServiceMark or
// ServiceTest of the level, as its number) and the value it marks or selects.
struct MarkChoice {
    MarkLevel level = MarkLevel::Lnbs;
    std::uint8_t field = 0;
    std::uint8_t value = 0;
};

struct MarkItem {
    std::string text;
    MarkChoice choice;
};

struct MarkMenuEntry {
    std::string title;             // sub-menu title; "" puts the items into the menu itself
    std::vector<MarkItem> items;
    bool factoryDefault = false;   // a carrier factory-default mark: enabled only where allowed
};

// Entries of the "Mark As" menu and of the selection menu of a list of `level`.
std::vector<MarkMenuEntry> MarkMenu(MarkLevel level, const WorkingStore& store);
std::vector<MarkMenuEntry> SelectMenu(MarkLevel level, const WorkingStore& store);

// Where a list's passes act: the service view or the carrier list's satellite (0: all).
struct MarkList {
    std::optional<ServiceView> services;
    std::uint32_t satellite = 0;
};

// Marks the 1-based `rows`; nullopt after the core's message or with no rows.
std::optional<MarkResult> MarkRows(WorkingStore& store, Ui& ui, const MarkChoice& choice, const MarkList& list,
                                   const std::vector<std::uint32_t>& rows);
// Which rows of the list match the item.
std::optional<RowSelection> SelectMatching(const WorkingStore& store, Ui& ui, const MarkChoice& choice, const MarkList& list);

}  // namespace velk
