#pragma once
// A store built through the editing operations themselves, and a check of the
// relations every operation must keep.
#include "database/add_records.h"
#include "database/record_io.h"
#include "database/store_image.h"

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velk::test {

// Empty string when every relation holds (the factory-default hierarchy
// included), else what broke.
std::string StoreInvariantFault(const WorkingStore& store);

// Names of the services in channel order.
std::vector<std::string> ChannelNames(const WorkingStore& store);

// Service names in record order.
std::vector<std::string> RecordNames(const WorkingStore& store);

// Name of the carrier record holding each service, by service name.
std::vector<std::pair<std::string, std::string>> ServiceCarriers(const WorkingStore& store);

class EditTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { EXPECT_EQ(StoreInvariantFault(store), ""); }

    // `layout[s][c]` services under carrier c of satellite s. Services are named
    // "s<sat>c<car>v<n>" (1-based), carriers "s<sat>c<car>", satellites "S<sat>".
    void Build(const std::vector<std::vector<std::uint32_t>>& layout);

    TempDir dir;
    ScriptedUi ui;
    WorkingStore store;
};

}  // namespace velk::test
