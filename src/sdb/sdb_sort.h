#pragma once
// Sorting the open database by one key per level into an SDB BIN file.
//
// The sort works on a copy of the store's records: the store's files are not
// changed, so a failure leaves the open database as it was. Each service stays
// with its carrier (carrier indexes follow the sorted carrier order) and the
// channel order keeps naming the same services when only carriers are sorted.
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_content.h"
#include "sdb/sdb_session.h"
#include "sdb/sdb_sort_insertion.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace velk::sdb {

// East/West: ascending puts "East" first. Scrambling: ascending "FTA to Scrambled".
// Type: ascending "TV to Radio".
enum class SatelliteSortKey { Name, EastWest, Angle };
enum class CarrierSortKey { Name, Frequency, SymbolRate };
enum class ServiceSortKey { Name, Scrambling, Type };

template <typename Key>
struct LevelSort {
    Key key{};
    SortOrder order = SortOrder::None;  // None: the level is not sorted
};

struct SortSettings {
    LevelSort<SatelliteSortKey> satellites;
    LevelSort<CarrierSortKey> carriers;
    LevelSort<ServiceSortKey> services;
};

inline constexpr const char* kUndoSortingName = "UndoSorting.bin";
inline constexpr const char* kNothingToSort = "Add the information to sort";

// Sorts `content` (the store's records in record order) as `settings` ask.
// `progress` receives 30, 50 and 60 after each level.
void SortContent(SdbContent& content, const SortSettings& settings, Ui& ui);

// Shows kNothingToSort (warning) and returns false unless some level holds
// at least two records.
bool CanSort(const WorkingStore& store, Ui& ui);

// Sorts the store into `target` (old layout, no padding, replaced only when
// complete). 1 on success, 0 after a message.
int SortIntoFile(const WorkingStore& store, SdbSession& session, Ui& ui, const SortSettings& settings,
                 const std::filesystem::path& target);

// The dialog's "Sort" button: target is the current file, or one asked for with
// a "Save" dialog; writes the undo copy, sorts into the target, makes it the
// current file and reopens it. 1 when the database was sorted and reopened.
int SortButton(WorkingStore& store, SdbSession& session, Ui& ui, const SortSettings& settings);

// The dialog's "Save As" button: undo copy first, then a "Save As" dialog (cancel
// ends), then as SortButton.
int SortSaveAsButton(WorkingStore& store, SdbSession& session, Ui& ui, const SortSettings& settings);

// Undo Sorting: replaces the current file with the undo copy and reopens it.
int UndoSorting(WorkingStore& store, SdbSession& session, Ui& ui);

}  // namespace velk::sdb
