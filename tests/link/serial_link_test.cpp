#include "link/serial_port.h"
#include "link/termios_config.h"
#include "sim/sim_receiver.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include <termios.h>
#include <unistd.h>

namespace velk::link {
namespace {

using namespace std::chrono_literals;

TEST(SerialPort, MissingOrBusyPortIsNotAvailable)
{
    test::ScriptedUi ui;
    EXPECT_EQ(OpenCommPort("/dev/velk-no-such-port", {}, ui), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Port is not available.");
    EXPECT_EQ(ui.messages[0].caption, "Serial Comm lib");
    EXPECT_EQ(ui.messages[0].icon, Icon::Error);

    sim::SimReceiver sim;
    auto first = OpenCommPort(sim.DevicePath(), {}, ui);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OpenCommPort(sim.DevicePath(), {}, ui), nullptr);  // opened without sharing
    EXPECT_EQ(CloseCommPort(std::move(first)), 1);
    auto again = OpenCommPort(sim.DevicePath(), {}, ui);
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST(SerialPort, LongBurstArrivesInOrderInReadsOfAtMost2048)
{
    test::ScriptedUi ui;
    sim::SimReceiver sim;
    auto port = OpenCommPort(sim.DevicePath(), {}, ui);
    ASSERT_NE(port, nullptr);
    std::mutex mutex;
    Bytes got;
    std::size_t largest = 0;
    auto reader = StartReaderThread(*port, [&](ByteView b) {
        const std::lock_guard lock(mutex);
        got.insert(got.end(), b.begin(), b.end());
        largest = std::max(largest, b.size());
        return 0;
    });
    ASSERT_NE(reader, nullptr);
    // Raw bytes straight through, ^C, ^U and ^W included.
    Bytes burst(10000);
    for (std::size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<std::uint8_t>(i * 13);
    sim.SendRaw(burst);
    for (int i = 0; i < 200; ++i) {
        {
            const std::lock_guard lock(mutex);
            if (got.size() >= burst.size())
                break;
        }
        std::this_thread::sleep_for(10ms);
    }
    {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(got, burst);
        EXPECT_LE(largest, kReaderBufferSize);
    }
    StopReaderThread(std::move(reader));
    EXPECT_EQ(CloseCommPort(std::move(port)), 1);
}

TEST(SerialPort, AbortReleasesABlockedWriteAndLaterWritesReturn)
{
    test::ScriptedUi ui;
    sim::SimReceiver sim;  // never reads: the line fills up
    auto port = OpenCommPort(sim.DevicePath(), {}, ui);
    ASSERT_NE(port, nullptr);
    const Bytes big(1 << 20, 0x55);
    std::thread aborter([&] {
        std::this_thread::sleep_for(100ms);
        AbortCommPort(*port);
    });
    EXPECT_LT(WriteCommPort(*port, big), big.size());
    aborter.join();
    EXPECT_TRUE(port->Aborted());
    EXPECT_LT(WriteCommPort(*port, big), big.size());
    EXPECT_EQ(CloseCommPort(std::move(port)), 1);
}

TEST(SerialPort, StopAndCloseDoNotHangWhenTheDeviceVanishes)
{
    test::ScriptedUi ui;
    sim::SimReceiver sim;
    auto port = OpenCommPort(sim.DevicePath(), {}, ui);
    ASSERT_NE(port, nullptr);
    auto reader = StartReaderThread(*port, [](ByteView) { return 0; });
    sim.Vanish();
    std::this_thread::sleep_for(50ms);
    WriteCommPort(*port, Bytes(100000, 1));
    EXPECT_EQ(StopReaderThread(std::move(reader)), 1);
    CloseCommPort(std::move(port));
}

TEST(SerialPort, ParityAndFramingMapToTermios)
{
    auto flags = [](LineSettings line) {
        termios tio{};
        tio.c_cflag = PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;
        tio.c_lflag = ICANON | ECHO | ISIG;
        tio.c_iflag = IXON | IXOFF | ICRNL;
        ConfigureTermios(tio, line);
        return tio;
    };
    const auto even = flags(LineSettingsFromPort(PortSettings{"COM1", 12, 1, 4, 0}));
    EXPECT_EQ(even.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t{PARENB});
    EXPECT_NE(even.c_iflag & INPCK, 0u);
    EXPECT_EQ(even.c_cflag & (CSTOPB | CRTSCTS), 0u);
    const auto odd = flags(LineSettingsFromPort(PortSettings{"COM1", 12, 2, 3, 2}));
    EXPECT_EQ(odd.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t{PARENB | PARODD});
    EXPECT_EQ(odd.c_cflag & CSIZE, tcflag_t{CS7});
    EXPECT_NE(odd.c_cflag & CSTOPB, 0u);
    const auto mark = flags(LineSettings{115200, 8, Parity::Mark, StopBits::One});
    EXPECT_EQ(mark.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t{PARENB | PARODD | CMSPAR});
    const auto space = flags(LineSettings{115200, 8, Parity::Space, StopBits::One});
    EXPECT_EQ(space.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t{PARENB | CMSPAR});
    const auto none = flags(LineSettings{});
    EXPECT_EQ(none.c_cflag & PARENB, 0u);
    EXPECT_EQ(none.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(none.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(::cfgetospeed(&none), speed_t{B115200});
    termios custom{};
    EXPECT_EQ(ConfigureTermios(custom, LineSettings{56000, 8, Parity::None, StopBits::One}), speed_t{B0});
}

TEST(LineSettings, IndexesMapThroughTheTables)
{
    PortSettings port;
    EXPECT_EQ(LineSettingsFromPort(port), (LineSettings{115200, 8, Parity::None, StopBits::One}));
    port.parityIndex = 1;
    EXPECT_EQ(LineSettingsFromPort(port).parity, Parity::Even);
    port.parityIndex = 2;
    EXPECT_EQ(LineSettingsFromPort(port).parity, Parity::Odd);
    port.baudRateIndex = 14;
    port.stopBitsIndex = 1;
    port.dataBitsIndex = 0;
    EXPECT_EQ(LineSettingsFromPort(port), (LineSettings{256000, 4, Parity::Odd, StopBits::OneAndHalf}));
    port.baudRateIndex = 99;
    EXPECT_EQ(LineSettingsFromPort(port).baudRate, 115200u);
    EXPECT_EQ(DevicePathForPort("COM3"), "/dev/ttyS2");
    EXPECT_EQ(DevicePathForPort("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(PortStatusLine(PortSettings{}), "COM1 115200 8 N 1");
    EXPECT_EQ(PortStatusLine(PortSettings{"COM2", 6, 1, 3, 2}), "COM2 9600 7 E 2");
}

}  // namespace
}  // namespace velk::link
