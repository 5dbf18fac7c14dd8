// Undo and redo over random edits: after every undo or redo the store must equal,
// file for file and count for count, the snapshot taken when that state was first reached.
#include "edit_fixture.h"

#include "common/files.h"
#include "database/delete_records.h"
#include "database/edit_history.h"
#include "database/move_records.h"
#include "database/move_services.h"

#include <map>
#include <random>

namespace velk::test {
namespace {

struct Snapshot {
    std::map<std::string, std::optional<Bytes>> files;
    StoreValues values;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const WorkingStore& store)
{
    Snapshot s;
    for (const auto name : {store_file::kLnb, store_file::kSatellite, store_file::kCarrier, store_file::kService,
                            store_file::kCarrierOrder, store_file::kServiceOrder}) {
        const auto path = store.File(name);
        s.files[std::string(name)] = std::filesystem::exists(path) ? ReadFileBytes(path) : std::nullopt;
    }
    s.values = {store.lnbCount, store.satelliteCount, store.carrierCount, store.serviceCount,
                store.productType, store.placement, store.defaults};
    return s;
}

class EditHistoryTest : public EditTest {
protected:
    std::uint32_t Pick(std::uint32_t n) { return std::uniform_int_distribution<std::uint32_t>(1, n)(rng); }

    // One random edit through the core; its step name.
    std::string Edit()
    {
        const ServiceView all{};
        switch (Pick(6)) {
        case 1:
            if (store.serviceCount > 0) {
                auto service = *ReadRecord<ServiceRecord>(store, ui, Pick(store.serviceCount));
                service.programNumber = static_cast<std::uint16_t>(Pick(9999));
                WriteRecord(store, ui, Pick(store.serviceCount), service);
            }
            return "Edit service";
        case 2:
            if (store.serviceCount > 1) {
                const std::uint32_t row = Pick(store.serviceCount) - 1;
                DeleteServices(store, ui, all, std::vector<std::uint32_t>{row});
            }
            return "Delete service";
        case 3:
            if (store.serviceCount > 3)
                MoveServiceBlock(store, ui, all, 1, 2, Pick(store.serviceCount - 2));
            return "Move services";
        case 4:
            if (store.satelliteCount > 1)
                SwapSatellites(store, ui, 1, store.satelliteCount);
            return "Swap satellites";
        case 5:
            if (store.satelliteCount > 0)
                AddCarrierRecord(store, ui, Pick(store.satelliteCount));
            return "Add carrier";
        default:
            if (store.satelliteCount > 0)
                AddServiceRecord(store, ui, 1, 1, ServiceFilter::Both);
            return "Add service";
        }
    }

    std::mt19937 rng{7};
};

TEST_F(EditHistoryTest, RandomUndoAndRedoReturnToTheStatesFirstReached)
{
    Build({{3, 2}, {4}, {1, 1, 2}});
    EditHistory history(store);
    std::vector<Snapshot> states{Take(store)};  // states[i]: after i steps
    std::size_t at = 0;
    for (int i = 0; i < 300; ++i) {
        const auto choice = Pick(10);
        if (choice <= 2 && history.NextUndo()) {
            ASSERT_TRUE(history.Undo());
            --at;
        } else if (choice == 3 && history.NextRedo()) {
            ASSERT_TRUE(history.Redo());
            ++at;
        } else {
            const auto name = Edit();
            if (!history.Record(name))
                continue;
            EXPECT_EQ(history.NextUndo()->name, name);
            states.resize(at + 1);
            states.push_back(Take(store));
            ++at;
            continue;
        }
        ASSERT_EQ(Take(store), states[at]) << "after step " << i;
        ASSERT_EQ(StoreInvariantFault(store), "");
    }
    while (history.Undo())
        --at;
    EXPECT_EQ(at, 0u);
    EXPECT_EQ(Take(store), states[0]);
}

TEST_F(EditHistoryTest, RefusedEditsAddNoStepAndTheSavedStateIsTracked)
{
    Build({{2}});
    EditHistory history(store);
    EXPECT_FALSE(history.Record("Nothing"));
    EXPECT_FALSE(history.Modified());
    EXPECT_FALSE(SwapSatellites(store, ui, 1, 1) && history.Record("Swap"));
    EXPECT_EQ(history.NextUndo(), nullptr);

    ASSERT_TRUE(AddServiceRecord(store, ui, 1, 1, ServiceFilter::Both));
    ASSERT_TRUE(history.Record("Add service"));
    EXPECT_TRUE(history.Modified());
    history.MarkSaved();
    EXPECT_FALSE(history.Modified());
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(history.Modified());
    ASSERT_TRUE(history.Redo());
    EXPECT_FALSE(history.Modified());

    // A new step after an undo drops the step that led to the saved state.
    ASSERT_TRUE(history.Undo());
    ASSERT_TRUE(AddLnbRecord(store, ui));
    ASSERT_TRUE(history.Record("Add LNB"));
    EXPECT_EQ(history.NextRedo(), nullptr);
    EXPECT_TRUE(history.Modified());
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(history.Modified());
}

TEST_F(EditHistoryTest, UndoRefusesFilesChangedBehindItsBack)
{
    Build({{2}});
    EditHistory history(store);
    ASSERT_TRUE(AddServiceRecord(store, ui, 1, 1, ServiceFilter::Both));
    ASSERT_TRUE(history.Record("Add service"));
    const auto before = Take(store);
    ASSERT_TRUE(WriteFileAtomic(store.File(store_file::kService), Bytes(48, 0xEE)));
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(history.NextUndo()->name, "Add service");
    EXPECT_NE(Take(store), before);  // nothing written over the stranger's change
    ASSERT_TRUE(WriteFileAtomic(store.File(store_file::kService), *before.files.at(std::string(store_file::kService))));
    EXPECT_TRUE(history.Undo());
}

TEST(FileDeltaTest, RunsHoldOnlyWhatChangedAndApplyBothWays)
{
    Bytes before(1000, 1);
    Bytes after = before;
    after[10] = 2;
    after[20] = 3;   // joined with the run at 10
    after[900] = 4;  // a run of its own
    const auto same = DiffFile("f", before, after);
    ASSERT_EQ(same.runs.size(), 2u);
    EXPECT_EQ(same.runs[0].offset, 10u);
    EXPECT_EQ(same.runs[0].after.size(), 11u);
    EXPECT_EQ(*ApplyDelta(same, after, false), before);
    EXPECT_EQ(*ApplyDelta(same, before, true), after);
    EXPECT_FALSE(ApplyDelta(same, Bytes(1000, 9), false));

    Bytes shorter(before.begin(), before.begin() + 500);
    shorter.insert(shorter.end(), before.begin() + 548, before.end());
    shorter[0] = 7;
    const auto resized = DiffFile("f", before, shorter);
    ASSERT_EQ(resized.runs.size(), 1u);
    EXPECT_EQ(*ApplyDelta(resized, shorter, false), before);
    EXPECT_EQ(*ApplyDelta(resized, before, true), shorter);

    const auto created = DiffFile("f", std::nullopt, Bytes{});
    EXPECT_FALSE(created.Empty());
    EXPECT_EQ(*ApplyDelta(created, Bytes{}, false), std::nullopt);
    EXPECT_EQ(*ApplyDelta(created, std::nullopt, true), Bytes{});
}

}  // namespace
}  // namespace velk::test
