#pragma once
// The factory-default hierarchy: a service may carry the flag only when its
// carrier does, a carrier only when its satellite does. Setting a service's
// flag sets its carrier's and satellite's; clearing a satellite's or carrier's
// flag clears it below. The Factory Default command (F4) toggles a satellite
// or carrier under that rule.
#include "common/ui.h"
#include "database/store_image.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velk {

// What a mark or toggle changed besides the records' own fields.
struct MarkResult {
    std::vector<std::uint32_t> satellites;  // 1-based satellite records whose flag changed (tree images)
    std::vector<std::uint32_t> carriers;    // 1-based carrier records whose flag changed (tree images)
    bool rowsChanged = false;               // rows left the filtered view: the view was rebuilt, reload the list
};

// Sets flags in an image (satellites, carriers, services loaded) under the rule,
// noting what changed. Records are 0-based.
class FlagEditor {
public:
    explicit FlagEditor(StoreImage& image);
    void Satellite(std::uint32_t s, std::uint8_t flag);
    void Carrier(std::uint32_t k, std::uint8_t flag);
    void Service(std::uint32_t r, std::uint8_t flag);
    MarkResult& Result() { return result_; }

private:
    StoreImage& image_;
    std::vector<std::uint32_t> starts_;  // service block starts; flags never change them
    MarkResult result_;
};

// F4 on satellite n: inverts its flag (clearing it clears its carriers and their
// services). Result: what changed, the satellite first.
std::optional<MarkResult> ToggleSatelliteFactoryDefault(WorkingStore& store, Ui& ui, std::uint32_t n);

// F4 on carrier p of satellite s: refused with "Not possible to set factory
// default.\nBecause satellite factory default is not set." when the satellite is
// not factory default; else inverts the carrier's flag (clearing clears its services).
std::optional<MarkResult> ToggleCarrierFactoryDefault(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p);

}  // namespace velk
