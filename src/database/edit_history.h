#pragma once
// Undo and redo of the open database. After each change the history compares
// the store's files with how it last saw them and keeps only the bytes that
// differ, with the counts and run values held beside the files; undo and redo
// write those bytes back, all files together or none.
#include "database/file_delta.h"
#include "database/working_store.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velk {

// A sort is undone as Undo Sorting undoes it; every other step is an edit.
enum class StepKind { Edit, Sort };

// The store's values that live in memory rather than in its files.
struct StoreValues {
    std::uint32_t lnbCount = 0, satelliteCount = 0, carrierCount = 0, serviceCount = 0;
    std::uint8_t productType = 1;
    Placement placement = Placement::Lnb;
    DefaultRecords defaults;

    bool operator==(const StoreValues&) const = default;
};

struct HistoryStep {
    std::string name;  // "Delete 3 services"
    StepKind kind = StepKind::Edit;
    std::vector<FileDelta> files;
    StoreValues before, after;
};

class EditHistory {
public:
    explicit EditHistory(WorkingStore& store) : store_(store) { Reset(); }

    // Forgets every step and takes the store as it is now as saved (New, Open, Close).
    void Reset();

    // Records what changed since the last step as one step named `name`; false when
    // nothing changed (a refused edit adds no step). Steps that were undone are dropped.
    bool Record(std::string name, StepKind kind = StepKind::Edit);

    // Puts the store back before the last step, or forward again through the next
    // one. False, with the store as it was, when the files could not be written or
    // were changed behind the history's back.
    bool Undo();
    bool Redo();

    const HistoryStep* NextUndo() const { return position_ > 0 ? &steps_[position_ - 1] : nullptr; }
    const HistoryStep* NextRedo() const { return position_ < steps_.size() ? &steps_[position_] : nullptr; }

    // The database is unchanged while the history stands where it was saved.
    void MarkSaved() { savedAt_ = position_; }
    bool Modified() const { return savedAt_ != position_; }

    std::size_t HeldBytes() const;

    // Oldest steps are dropped beyond this many.
    static constexpr std::size_t kMaxSteps = 500;

private:
    bool Move(const HistoryStep& step, bool forward);
    void DropOldest();

    WorkingStore& store_;
    std::map<std::string, FileContent, std::less<>> seen_;  // the files as of the current position
    StoreValues seenValues_;
    std::vector<HistoryStep> steps_;
    std::size_t position_ = 0;               // steps_[0, position_) are done
    std::optional<std::size_t> savedAt_ = 0; // nullopt once the saved state was dropped
};

}  // namespace velk
