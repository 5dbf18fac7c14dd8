#pragma once
// The nodes of the editor's tree by what they show, so that a node can be named
// without a widget and found again after the tree is rebuilt.
#include <cstdint>

namespace velk {

enum class NodeKind : int {
    None = 0, AllServices = 1, LnbInformation = 2, SatelliteInformation = 3, Lnb = 4,
    Satellite = 5, Carrier = 6, UserSettings = 7, AllLnbs = 8, AllSatellites = 9, AllCarriers = 10,
};

struct NodeAddress {
    NodeKind kind = NodeKind::None;
    std::uint32_t satellite = 0;  // 1-based satellite number of a satellite or carrier node
    std::uint32_t number = 0;     // 1-based LNB number, or the carrier's position under its satellite

    bool operator==(const NodeAddress&) const = default;
};

inline NodeAddress LnbNode(std::uint32_t n) { return {NodeKind::Lnb, 0, n}; }
inline NodeAddress SatelliteNode(std::uint32_t s) { return {NodeKind::Satellite, s, 0}; }
inline NodeAddress CarrierNode(std::uint32_t s, std::uint32_t p) { return {NodeKind::Carrier, s, p}; }
inline NodeAddress RootNode(NodeKind kind) { return {kind, 0, 0}; }

}  // namespace velk
