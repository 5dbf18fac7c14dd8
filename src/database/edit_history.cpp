#include "database/edit_history.h"

#include "common/files.h"
#include "database/store_files.h"
#include "database/store_update.h"

#include <array>

namespace velk {
namespace {

// The files that hold the database. The view lists are rebuilt whenever a list is
// shown, and everything else in the working directory is scratch.
constexpr std::array<std::string_view, 6> kHistoryFiles{
    store_file::kLnb, store_file::kSatellite, store_file::kCarrier, store_file::kService,
    store_file::kCarrierOrder, store_file::kServiceOrder};

FileContent ReadContent(const WorkingStore& store, std::string_view name)
{
    const auto path = store.File(name);
    return FileSize(path) ? ReadFileBytes(path) : FileContent{};
}

StoreValues ValuesOf(const WorkingStore& s)
{
    return {s.lnbCount, s.satelliteCount, s.carrierCount, s.serviceCount, s.productType, s.placement, s.defaults};
}

void TakeValues(WorkingStore& s, const StoreValues& v)
{
    s.lnbCount = v.lnbCount;
    s.satelliteCount = v.satelliteCount;
    s.carrierCount = v.carrierCount;
    s.serviceCount = v.serviceCount;
    s.productType = v.productType;
    s.placement = v.placement;
    s.defaults = v.defaults;
}

}  // namespace

void EditHistory::Reset()
{
    steps_.clear();
    position_ = 0;
    savedAt_ = 0;
    seen_.clear();
    for (const auto name : kHistoryFiles)
        seen_[std::string(name)] = ReadContent(store_, name);
    seenValues_ = ValuesOf(store_);
}

bool EditHistory::Record(std::string name, StepKind kind)
{
    HistoryStep step{std::move(name), kind, {}, seenValues_, ValuesOf(store_)};
    std::map<std::string, FileContent, std::less<>> now;
    for (const auto& [file, before] : seen_) {
        auto after = ReadContent(store_, file);
        if (auto delta = DiffFile(file, before, after); !delta.Empty())
            step.files.push_back(std::move(delta));
        now[file] = std::move(after);
    }
    if (step.files.empty() && step.before == step.after)
        return false;
    seen_ = std::move(now);
    seenValues_ = step.after;
    steps_.resize(position_);
    if (savedAt_ && *savedAt_ > position_)
        savedAt_.reset();
    steps_.push_back(std::move(step));
    ++position_;
    if (steps_.size() > kMaxSteps)
        DropOldest();
    return true;
}

void EditHistory::DropOldest()
{
    steps_.erase(steps_.begin());
    --position_;
    if (savedAt_)
        savedAt_ = *savedAt_ > 0 ? std::optional(*savedAt_ - 1) : std::nullopt;
}

bool EditHistory::Undo()
{
    if (position_ == 0 || !Move(steps_[position_ - 1], false))
        return false;
    --position_;
    return true;
}

bool EditHistory::Redo()
{
    if (position_ == steps_.size() || !Move(steps_[position_], true))
        return false;
    ++position_;
    return true;
}

// Writes the step's files back or forward as one update, then takes its values.
bool EditHistory::Move(const HistoryStep& step, bool forward)
{
    StoreUpdate update(store_);
    std::map<std::string, FileContent, std::less<>> moved;
    for (const auto& delta : step.files) {
        const auto current = ReadContent(store_, delta.name);
        if (current != seen_[delta.name])
            return false;
        auto content = ApplyDelta(delta, current, forward);
        if (!content)
            return false;
        if (*content)
            update.Replace(delta.name, **content);
        else
            update.Remove(delta.name);
        moved[delta.name] = std::move(*content);
    }
    if (!update.Commit())
        return false;
    for (auto& [name, content] : moved)
        seen_[name] = std::move(content);
    seenValues_ = forward ? step.after : step.before;
    TakeValues(store_, seenValues_);
    return true;
}

std::size_t EditHistory::HeldBytes() const
{
    std::size_t bytes = 0;
    for (const auto& step : steps_) {
        bytes += sizeof(HistoryStep) + step.name.size();
        for (const auto& delta : step.files)
            bytes += sizeof(FileDelta) + delta.Size();
    }
    return bytes;
}

}  // namespace velk
