#include "commands.h"
#include "link/adb_layout.h"
#include "link/adb_builder.h"
#include "link/upload_image.h"
#include "link/user_settings_accept.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"
#include "sim/sim_receiver.h"
#include "support/sample_database.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

// The velk program defines the exit code beside main(); the tests stand in for it.
namespace velk::cli {
int& ExitCode()
{
    static int code = 0;
    return code;
}
}  // namespace velk::cli

namespace velk {
namespace {

int RunVelk(std::vector<std::string> args)
{
    CLI::App app;
    cli::AddLinkCommands(app);
    cli::ExitCode() = 0;
    args.insert(args.begin(), "velk");
    std::vector<const char*> argv;
    for (const auto& a : args)
        argv.push_back(a.c_str());
    app.parse(static_cast<int>(argv.size()), argv.data());
    return cli::ExitCode();
}

class LinkCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.dir = dir.Path();
        store.productType = 1;
        test::WriteSampleDatabase(store, test::LinkSample());
        db = dir.Path() / "db.bin";
        ASSERT_EQ(sdb::WriteSdbBinFile(store, session, ui, db, false, false), 1);
    }
    test::TempDir dir;
    test::ScriptedUi ui;
    WorkingStore store;
    sdb::SdbSession session;
    std::filesystem::path db;
};

TEST_F(LinkCliTest, AdbBuildsTheImagesAndTheirUrtFiles)
{
    test::TempDir out;
    ASSERT_EQ(RunVelk({"adb", db.string(), out.Path().string()}), 0);
    EXPECT_EQ(test::ReadBytes(out.Path() / link::adb::kAdbDump).size(), 262144u);
    EXPECT_EQ(test::ReadBytes(out.Path() / link::adb::kE2pDump).size(), 8180u);
    EXPECT_EQ(test::ReadBytes(out.Path() / link::adb::kHovoUrt)[0], 'M');
}

TEST_F(LinkCliTest, DownloadWritesTheReceiversDatabase)
{
    auto records = link::ReceiverRecords::Initial();
    sdb::UserSettingsBlocks user;
    ASSERT_EQ(link::BuildAdbImages(store, ui, records, user.For(1)), 1);
    sim::SimReceiver sim;
    sim.PlayDownloadSource({{test::ReadBytes(dir.Path() / link::adb::kAdbDump), 2048},
                            {Bytes(10, 1), 2048},
                            {Bytes(10, 2), 2048},
                            {test::ReadBytes(dir.Path() / link::adb::kE2pDump), 2048}});
    test::TempDir out;
    const auto result = out.Path() / "down.bin";
    ASSERT_EQ(RunVelk({"download", "--port", sim.DevicePath(), result.string(), "--dumps", out.Path().string()}), 0);
    EXPECT_TRUE(std::filesystem::exists(out.Path() / link::adb::kE2pDump));
    WorkingStore opened;
    opened.dir = out.Path();
    ASSERT_EQ(sdb::OpenSdbBinFile(opened, session, ui, result), 1);
    EXPECT_EQ(opened.serviceCount, 3u);
    EXPECT_EQ(RunVelk({"download", "--port", "/dev/velk-absent", result.string()}), 1);
}

TEST_F(LinkCliTest, SendWrapsABinFileAsTheConsoleDoesOnTheChosenLine)
{
    const auto image = dir.Path() / "app.BIN";
    test::WriteBytes(image, Bytes(5000, 0x5A));
    link::UploadConfig config;
    config.compressImage = true;
    config.compressionLevel = 8;  // zlib level 9
    test::TempDir work;
    const auto expected = link::PrepareConsoleUpload(ui, config, image, work.Path());
    ASSERT_TRUE(expected);
    sim::SimReceiver sim;
    sim.PlayUploadLoader(1, [&](std::size_t) { return LoadBe32(expected->bytes, 2); });
    ASSERT_EQ(RunVelk({"send", "--port", sim.DevicePath(), "--baud", "57600", "--parity", "Even", "--data-bits", "7",
                       "--stop-bits", "2", "--compress", "zlib:9", image.string()}),
              0);
    ASSERT_TRUE(sim.WaitDone(std::chrono::seconds(10)));
    const auto sent = sim.UploadedFiles();
    ASSERT_EQ(sent.size(), 1u);
    // The URT header carries the time of generation: compare the packets after it.
    EXPECT_EQ(sent[0].size(), expected->bytes.size());
    EXPECT_THROW(RunVelk({"send", "--port", sim.DevicePath(), "--baud", "12345", image.string()}), CLI::ValidationError);
}

TEST_F(LinkCliTest, UserSettingsAreSetWithTheDialogsRules)
{
    ASSERT_EQ(RunVelk({"user-settings", db.string(), "--set", "User Lock Code=0042", "--set", "RF Mode Settings=PAL I",
                       "--set", "RF Channel No=30"}),
              0);
    WorkingStore opened;
    opened.dir = dir.Path();
    sdb::SdbSession reread;
    ASSERT_EQ(sdb::OpenSdbBinFile(opened, reread, ui, db), 1);
    const auto texts = link::ReadUserSettings(reread.userSettings.For(1), 1);
    EXPECT_EQ(texts.at("User Lock Code"), "0042");
    EXPECT_EQ(texts.at("RF Channel No"), "30");
    const auto before = test::ReadBytes(db);
    EXPECT_EQ(RunVelk({"user-settings", db.string(), "--set", "User Lock Code=12"}), 1);  // refused
    EXPECT_EQ(RunVelk({"user-settings", db.string(), "--set", "No Such=1"}), 1);
    EXPECT_EQ(test::ReadBytes(db), before);
}

}  // namespace
}  // namespace velk
