#pragma once
// Carrying a channel order over from a reference list (another database or a CSV
// list) onto this one, e.g. one's own order onto a fresh scan.
#include "database/service_identity.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velk {

struct OrderSummary {
    std::size_t byTransponder = 0;
    std::size_t byName = 0;
    std::vector<std::size_t> unmatched;  // reference entries that found nothing
};

// Services the reference names take its order; the others keep their order after
// them. The service order list is replaced as one update; nullopt when the store
// could not be read or written.
std::optional<OrderSummary> ApplyReferenceOrder(WorkingStore& store, std::span<const ServiceKey> reference);

// "412 services took the reference order (400 by transponder and program number,
// 12 by name); 3 reference entries found nothing: A, B, C"
std::string OrderSummaryText(const OrderSummary& summary, std::span<const ServiceKey> reference);

}  // namespace velk
