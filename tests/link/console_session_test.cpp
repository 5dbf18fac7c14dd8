#include "link/console_session.h"
#include "sim/sim_receiver.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include <thread>

namespace velk::link {
namespace {

using namespace std::chrono_literals;

template <typename Predicate>
bool WaitFor(Predicate done)
{
    for (int i = 0; i < 500 && !done(); ++i)
        std::this_thread::sleep_for(10ms);
    return done();
}

class ConsoleSessionTest : public ::testing::Test {
protected:
    PortSettings Port() const { return PortSettings{sim.DevicePath()}; }
    test::TempDir dir;
    test::ScriptedUi ui;
    sim::SimReceiver sim;
    // Appended to from the reader and upload threads.
    std::mutex shownMutex;
    std::vector<std::pair<std::string, bool>> shown;
    ConsoleSession console{dir.Path(), ui, [this](const std::string& t, bool red) {
        const std::lock_guard lock(shownMutex);
        shown.emplace_back(t, red);
    }};

    // True when a red (report) row containing `text` was shown.
    bool ShownReport(const std::string& text)
    {
        const std::lock_guard lock(shownMutex);
        return std::any_of(shown.begin(), shown.end(), [&](const auto& row) { return row.second && row.first.find(text) != std::string::npos; });
    }
};

TEST_F(ConsoleSessionTest, ReceivedTextIsLoggedAndCommandLinesAreSent)
{
    ASSERT_EQ(console.ConnectDisConnectWithPort(Port()), 1);
    EXPECT_TRUE(console.Connected());
    sim.SendRaw(Bytes{'b', 'o', 'o', 't', '>', 0x17, 0x06, 0x00});
    ASSERT_TRUE(WaitFor([&] { return console.Log().Contents().size() >= 8; }));
    EXPECT_EQ(console.Log().Contents(), "boot>   ");
    EXPECT_FALSE(console.SendCommandLine("help"));
    EXPECT_TRUE(console.SendCommandLine("old\r\nhelp\r\n"));
    EXPECT_EQ(console.ConnectDisConnectWithPort(Port()), 1);
    EXPECT_FALSE(console.Connected());
    EXPECT_FALSE(console.StartUpload(sim::UrtFile({{0xF1}})));  // not while disconnected
}

TEST_F(ConsoleSessionTest, UploadRunsOverTheConsolesConnection)
{
    const std::vector<Bytes> payloads{{0xF1, 1}, {0xF2, 2, 3}};
    ASSERT_EQ(console.ConnectDisConnectWithPort(Port()), 1);
    sim.PlayUploadLoader({2});
    ASSERT_TRUE(console.StartUpload(sim::UrtFile(payloads)));
    ASSERT_TRUE(WaitFor([&] { return !console.UploadRunning(); }));
    ASSERT_TRUE(sim.WaitDone(5s));
    EXPECT_EQ(sim.UploadedFiles(), std::vector<Bytes>{sim::UrtFile(payloads)});
    EXPECT_NE(console.Log().Contents().find("Upload Success"), std::string::npos) << console.Log().Contents();
    // Bytes the loader sends after the report may follow it in the view.
    EXPECT_TRUE(ShownReport("Upload Success"));
}

TEST_F(ConsoleSessionTest, CancelReleasesAnAnnouncementNobodyHears)
{
    ASSERT_EQ(console.ConnectDisConnectWithPort(Port()), 1);
    ASSERT_TRUE(console.StartUpload(sim::UrtFile({{0xF1}})));
    std::this_thread::sleep_for(300ms);  // long enough to fill the line with 0x17
    console.CancelUpload();
    EXPECT_FALSE(console.UploadRunning());
    EXPECT_NE(console.Log().Contents().find("Terminated by user"), std::string::npos);
}

}  // namespace
}  // namespace velk::link
