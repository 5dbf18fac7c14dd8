#include "database/step_names.h"
#include "database/undo_key.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(StepNames, NameTheCountAndTheLevel)
{
    EXPECT_EQ(CountText(1, "service"), "1 service");
    EXPECT_EQ(CountText(1000, "service"), "1 000 services");
    EXPECT_EQ(CountText(1234567, "service"), "1 234 567 services");
    EXPECT_EQ(CommandStepName(EditorCommand::Delete, NodeKind::Carrier, true, 3), "Delete 3 services");
    EXPECT_EQ(CommandStepName(EditorCommand::Delete, NodeKind::Carrier, false, 0), "Delete carrier");
    EXPECT_EQ(CommandStepName(EditorCommand::Add, NodeKind::Satellite, false, 0), "Add carrier");
    EXPECT_EQ(MarkStepName(MarkLevel::Services, 5), "Mark 5 services");
}

// Ctrl+Z undoes a sort the way Undo Sorting does, any other step as a step.
TEST(UndoKey, FollowsTheKindOfTheLastStep)
{
    test::TempDir dir;
    WorkingStore store;
    store.dir = dir.Path();
    EditHistory history(store);
    EXPECT_EQ(UndoKeyActionOf(history, false), UndoKeyAction::Nothing);
    EXPECT_EQ(UndoKeyActionOf(history, true), UndoKeyAction::UndoSorting);
    store.serviceCount = 1;
    ASSERT_TRUE(history.Record("Sort", StepKind::Sort));
    EXPECT_EQ(UndoKeyActionOf(history, true), UndoKeyAction::UndoSorting);
    store.serviceCount = 2;
    ASSERT_TRUE(history.Record("Edit service"));
    EXPECT_EQ(UndoKeyActionOf(history, true), UndoKeyAction::UndoStep);
}

}  // namespace
}  // namespace velk
