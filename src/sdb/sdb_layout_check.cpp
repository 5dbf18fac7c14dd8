#include "sdb/sdb_layout_check.h"

#include "common/format.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_old_layout.h"
#include "sdb/sdb_writer.h"

#include <algorithm>

namespace velk::sdb {
namespace {

std::optional<SdbImage> Parsed(ByteView image, Placement placement, std::uint8_t productType)
{
    auto parsed = ParseSdbImage(image, placement, productType);
    if (auto* records = std::get_if<SdbImage>(&parsed))
        return std::move(*records);
    return std::nullopt;
}

// Counts records that differ in `field` and, apart from it, in anything else.
template <typename Record, typename Field>
void Compare(const Record& kept, Record reopened, Field field, std::uint32_t& fieldCount, std::uint32_t& otherCount)
{
    if (field(kept) != field(reopened))
        ++fieldCount;
    field(reopened) = field(kept);
    if (reopened != kept)
        ++otherCount;
}

template <typename Record>
Record WithPlainName(Record r)
{
    r.name = r.name.Text();  // old files fill the rest of a name with 0xFF
    return r;
}

OldLayoutLoss CompareImages(const SdbImage& kept, const SdbImage& reopened)
{
    OldLayoutLoss loss;
    const auto lnbs = std::min(kept.lnbs.size(), reopened.lnbs.size());
    for (std::size_t i = 0; i < lnbs; ++i)
        Compare(kept.lnbs[i], reopened.lnbs[i], [](auto& r) -> auto& { return r.switchBlock.khz22; },
                loss.khz22Settings, loss.otherRecords);
    const auto satellites = std::min(kept.satellites.size(), reopened.satellites.size());
    for (std::size_t i = 0; i < satellites; ++i)
        Compare(WithPlainName(kept.satellites[i]), WithPlainName(reopened.satellites[i]),
                [](auto& r) -> auto& { return r.switchBlock.khz22; }, loss.khz22Settings, loss.otherRecords);
    const auto carriers = std::min(kept.carriers.size(), reopened.carriers.size());
    for (std::size_t i = 0; i < carriers; ++i)
        Compare(WithPlainName(kept.carriers[i]), WithPlainName(reopened.carriers[i]), [](auto& r) -> auto& { return r.skew; },
                loss.skews, loss.otherRecords);
    const auto services = std::min(kept.services.size(), reopened.services.size());
    for (std::size_t i = 0; i < services; ++i)
        Compare(WithPlainName(kept.services[i]), WithPlainName(reopened.services[i]),
                [](auto& r) -> auto& { return r.programNumber; }, loss.programNumbers, loss.otherRecords);
    const auto order = std::min(kept.osl.size(), reopened.osl.size());
    for (std::size_t i = 0; i < order; ++i)
        loss.otherRecords += kept.osl[i] != reopened.osl[i] ? 1 : 0;
    const auto sizeDifference = [](std::size_t a, std::size_t b) { return static_cast<std::uint32_t>(a > b ? a - b : b - a); };
    loss.otherRecords += sizeDifference(kept.lnbs.size(), reopened.lnbs.size())
        + sizeDifference(kept.satellites.size(), reopened.satellites.size())
        + sizeDifference(kept.carriers.size(), reopened.carriers.size())
        + sizeDifference(kept.services.size(), reopened.services.size())
        + sizeDifference(kept.osl.size(), reopened.osl.size());
    return loss;
}

std::string Counted(std::uint32_t n, const char* one, const char* many)
{
    return Format("%u %s", static_cast<unsigned>(n), n == 1 ? one : many);
}

}  // namespace

const char* LayoutName(SdbLayout layout) { return layout == SdbLayout::Old ? "old" : "new"; }

std::optional<SdbLayout> LayoutFromName(std::string_view name)
{
    if (name == "old")
        return SdbLayout::Old;
    if (name == "new")
        return SdbLayout::New;
    return std::nullopt;
}

std::optional<SdbImage> ReopenedImage(Ui& ui, ByteView newLayout, SdbLayout layout, Placement placement,
                                      std::uint8_t productType)
{
    if (layout == SdbLayout::New || placement != Placement::Lnb)
        return Parsed(newLayout, placement, productType);
    const auto old = OldLayoutOfImage(newLayout, productType);
    const auto back = old ? ConvertOld2New(ui, *old, productType) : Old2NewResult{};
    if (back.code != kConvertOk)
        return std::nullopt;
    return Parsed(back.data, placement, productType);
}

std::optional<OldLayoutLoss> OldLayoutLossOfImage(Ui& ui, ByteView newLayout, Placement placement, std::uint8_t productType)
{
    // Compared in the old layout's order: carriers grouped by satellite.
    const auto grouped = GroupedBySatellite(newLayout);
    const auto kept = grouped ? Parsed(*grouped, placement, productType) : std::nullopt;
    const auto reopened = ReopenedImage(ui, newLayout, SdbLayout::Old, placement, productType);
    if (!kept || !reopened)
        return std::nullopt;
    return CompareImages(*kept, *reopened);
}

std::optional<OldLayoutLoss> OldLayoutLossOfStore(Ui& ui, const WorkingStore& store, const SdbSession& session)
{
    if (store.placement != Placement::Lnb)
        return OldLayoutLoss{};
    const auto content = ContentFromStore(store, session);
    if (!content)
        return std::nullopt;
    return OldLayoutLossOfImage(ui, EncodeNewLayout(*content, HeaderForSave(session)), store.placement, store.productType);
}

std::string OldLayoutWarning(const OldLayoutLoss& loss)
{
    std::string text = "The receiver's old layout does not keep everything this database holds:";
    if (loss.programNumbers)
        text += "\n - " + Counted(loss.programNumbers, "program number", "program numbers")
            + " (reopened, the services are numbered down from the service count)";
    if (loss.khz22Settings)
        text += "\n - " + Counted(loss.khz22Settings, "22 kHz setting", "22 kHz settings") + " (reset to none)";
    if (loss.skews)
        text += "\n - " + Counted(loss.skews, "carrier skew", "carrier skews") + " (reset to none)";
    if (loss.otherRecords)
        text += "\n - " + Counted(loss.otherRecords, "other record", "other records") + " (service marks and similar)";
    return text;
}

}  // namespace velk::sdb
