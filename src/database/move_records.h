#pragma once
// Reordering satellites and carriers. Satellites move in TempSAT.stb and their
// carriers follow them (satellite indexes rewritten); carriers move in
// TempCAR.stb with their blocks of services, and TempOSL.stb is renumbered so
// that every entry names the same service: the channel order never changes.
// Each returns false after its message and leaves the store unchanged then.
// Numbers are 1-based.
#include "common/ui.h"
#include "database/working_store.h"

#include <cstdint>

namespace velk {

// Satellite a is taken out and put back so that it becomes satellite b.
bool MoveSatellite(WorkingStore& store, Ui& ui, std::uint32_t a, std::uint32_t b);

// Satellites a and b exchange positions.
bool SwapSatellites(WorkingStore& store, Ui& ui, std::uint32_t a, std::uint32_t b);

// Carrier a of satellite s becomes carrier b of s.
bool MoveCarrier(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t a, std::uint32_t b);

// Carriers a and b of satellite s exchange positions.
bool SwapCarriers(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t a, std::uint32_t b);

}  // namespace velk
