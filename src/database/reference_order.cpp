#include "database/reference_order.h"

#include "common/charset.h"
#include "common/format.h"

namespace velk {

std::optional<OrderSummary> ApplyReferenceOrder(WorkingStore& store, std::span<const ServiceKey> reference)
{
    auto catalog = LoadServiceCatalog(store);
    if (!catalog)
        return std::nullopt;
    OrderSummary summary;
    std::vector<bool> placed(catalog->channels.size());
    std::vector<std::uint16_t> order;
    order.reserve(catalog->channels.size());
    const auto found = IdentifyServices(*catalog, reference);
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (!found[i]) {
            summary.unmatched.push_back(i);
            continue;
        }
        ++(found[i]->rule == MatchRule::Transponder ? summary.byTransponder : summary.byName);
        placed[found[i]->channel] = true;
        order.push_back(catalog->image.serviceOrder[found[i]->channel]);
    }
    for (std::size_t ch = 0; ch < placed.size(); ++ch) {
        if (!placed[ch])
            order.push_back(catalog->image.serviceOrder[ch]);
    }
    catalog->image.serviceOrder = std::move(order);
    if (!CommitStoreImage(store, catalog->image, image_part::kServiceOrder))
        return std::nullopt;
    return summary;
}

std::string OrderSummaryText(const OrderSummary& summary, std::span<const ServiceKey> reference)
{
    auto text = Format("%zu services took the reference order (%zu by transponder and program number, %zu by name)",
                       summary.byTransponder + summary.byName, summary.byTransponder, summary.byName);
    if (summary.unmatched.empty())
        return text + ".";
    text += Format("; %zu reference entries found nothing:", summary.unmatched.size());
    for (const auto i : summary.unmatched)
        text += " " + DatabaseToUtf8(reference[i].name) + (i == summary.unmatched.back() ? "" : ",");
    return text;
}

}  // namespace velk
