// The three transfer commands end to end against the simulated receiver.
#include "database/record_io.h"
#include "link/adb_layout.h"
#include "link/adb_upload_files.h"
#include "receiver_images.h"
#include "shell/transfer_commands.h"
#include "sim/sim_receiver.h"
#include "support/sample_database.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using namespace std::chrono_literals;

class TransferCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.dir = dir.Path();
        store.productType = 1;
        test::WriteSampleDatabase(store, test::LinkSample());
        ctx.config.port.port = "/dev/velk-absent";
    }
    // The packet count of a URT file, read when the loader sees its first packet.
    static std::uint32_t PacketCountIn(const std::filesystem::path& file) { return LoadBe32(test::ReadBytes(file), 2); }

    test::TempDir dir;
    test::ScriptedUi ui;
    WorkingStore store;
    sdb::SdbSession session;
    LinkContext ctx;
};

TEST_F(TransferCommandsTest, SdbUploadRefusalsComeBeforeThePortIsTouched)
{
    auto refused = [&](const std::string& text) {
        EXPECT_EQ(UploadAsSdb(store, session, ui, ctx), 0);
        EXPECT_EQ(ui.Texts().back(), text);
    };
    store.lnbCount = 9;
    refused("LNB records exceeds the limit 8");
    store.productType = 2;
    store.satelliteCount = 0;
    refused("Satellite Information should be entered");  // 9 LNBs pass on type 2
    store.satelliteCount = 1;
    store.carrierCount = 0;
    refused("Carrier Information should be entered");
    store.carrierCount = 2;
    store.lnbCount = 0;
    refused("LNB Information should be entered");
    store.lnbCount = 1;
    SatelliteRecord sat;
    sat.factoryDefault = 0;
    WriteAllRecords<SatelliteRecord>(store, std::vector{sat});
    refused("Minimum one satellite should be factory default to upload as sdb");
    for (const auto& text : ui.Texts())
        EXPECT_NE(text, "Port is not available.");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "StaticBIN.bin"));
}

TEST_F(TransferCommandsTest, SdbSizeLimitIsExact)
{
    store.satelliteCount = 1;
    store.lnbCount = 1;
    store.carrierCount = 8;
    store.serviceCount = 1906;
    EXPECT_EQ(SdbUploadSize(store), 65440u);
    store.serviceCount = 1907;
    sim::SimReceiver sim;
    ctx.config.port.port = sim.DevicePath();
    EXPECT_EQ(UploadAsSdb(store, session, ui, ctx), 0);
    EXPECT_EQ(ui.Texts().back(), "Upload as SDB process failed.\nFile size exceeds the limit 65440 Bytes [ 65474 Bytes ]");
}

TEST_F(TransferCommandsTest, AnUnreadableUploadFileIsReportedBeforeThePortIsOpened)
{
    // The port does not exist: had it been opened first, the serial layer would have said so.
    EXPECT_EQ(SendUploadFiles(link::UploadKind::Sdb, {dir.Path() / "TempURTFile.eut"}, ui, ctx), 0);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"File access error - UploadURTPacketThread"});
}

TEST_F(TransferCommandsTest, SdbUploadSendsTheGeneratedUrtFile)
{
    sim::SimReceiver sim({.noiseBeforeSync = 3, .resendPackets = {0}});
    Bytes sentFile;
    const auto urt = dir.Path() / "TempURTFile.eut";
    sim.PlayUploadLoader(1, [&](std::size_t) {
        sentFile = test::ReadBytes(urt);
        return LoadBe32(sentFile, 2);
    });
    ctx.config.port.port = sim.DevicePath();
    std::vector<std::string> statuses;
    ctx.status = [&](const std::string& s) { statuses.push_back(s); };
    ASSERT_EQ(UploadAsSdb(store, session, ui, ctx), 1) << (ui.Texts().empty() ? "" : ui.Texts().back());
    ASSERT_TRUE(sim.WaitDone(5s));
    EXPECT_EQ(sim.UploadedFiles(), std::vector<Bytes>{sentFile});
    EXPECT_EQ(sentFile[0], 'M');
    EXPECT_FALSE(std::filesystem::exists(urt));  // removed after the upload
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "StaticBIN.bin"));
    EXPECT_EQ(statuses.back(), "SDB upload completed.");
}

TEST_F(TransferCommandsTest, AdbUploadCancelledThenRestarted)
{
    std::vector<std::filesystem::path> files;
    auto records = ctx.receiver;
    ASSERT_EQ(link::CreateADBBINFilesToUpload(store, ui, records, session.userSettings.For(1), {}, files), 1);
    const std::vector<std::uint32_t> counts{PacketCountIn(files[0]), PacketCountIn(files[1])};
    EXPECT_EQ(counts[0], 1u + 262144u / 2048u);  // header packet + one per block
    sim::SimReceiver sim({.silenceAfterPackets = 4});
    sim.PlayUploadLoader(counts);
    ctx.config.port.port = sim.DevicePath();
    ui.cancelAfterSteps = 5;  // the progress shows 0 and packets 1..4: then cancel
    EXPECT_EQ(UploadAsAdb(store, session, ui, ctx), 0);
    ui.cancelAfterSteps.reset();
    ASSERT_EQ(UploadAsAdb(store, session, ui, ctx), 1);
    ASSERT_TRUE(sim.WaitDone(10s));
    const auto uploaded = sim.UploadedFiles();
    ASSERT_EQ(uploaded.size(), 2u);
    EXPECT_EQ(LoadBe32(uploaded[0], 2), counts[0]);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / link::adb::kAdbUrt));
}

TEST_F(TransferCommandsTest, DownloadOpensTheReceiversDatabase)
{
    // The receiver's images: those of the sample database built elsewhere.
    test::TempDir other;
    sdb::UserSettingsBlocks user;
    link::SetUserWord(user.For(1), 8, 4321);
    const auto blocks = link::test::SampleReceiverBlocks(other.Path(), ui, user.For(1));
    ASSERT_EQ(blocks.size(), 4u);
    sim::SimReceiver sim({.corruptSums = {3}, .splitChunk = 700});
    sim.PlayDownloadSource(blocks);
    ctx.config.port.port = sim.DevicePath();
    std::vector<std::string> statuses;
    ctx.status = [&](const std::string& s) { statuses.push_back(s); };
    ClearStore(store);
    ASSERT_EQ(DownloadFromReceiver(store, session, ui, ctx), 1) << (ui.Texts().empty() ? "" : ui.Texts().back());
    EXPECT_EQ(store.serviceCount, 3u);
    EXPECT_EQ(store.carrierCount, 2u);
    EXPECT_EQ(store.satelliteCount, 1u);
    EXPECT_EQ(test::ReadBytes(dir.Path() / link::adb::kAdbDump), blocks[0].data);
    EXPECT_EQ(link::UserWord(session.userSettings.For(1), 8), 4321u);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "CRC Verification - Success"), 2);
    EXPECT_EQ(statuses.back(), "Data download completed");
    EXPECT_TRUE(sim.WaitDone(5s));
}

}  // namespace
}  // namespace velk
