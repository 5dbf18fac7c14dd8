// The "Settings" dialog's core: the port list, the configuration list and "&Ok".
#include "database/default_values.h"
#include "ecf_builder.h"
#include "link/adb_layout.h"
#include "link/serial_port_list.h"
#include "link/settings_choice.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

TEST(SerialPortList, UsbAndStableNamesAreListedInOrderAndSilentUartsAreNot)
{
    velk::test::TempDir dev;
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "tty0", "ttyUSB"})
        velk::test::WriteText(dev / name, "");
    std::filesystem::create_directories(dev / "serial" / "by-id");
    velk::test::WriteText(dev.Path() / "serial" / "by-id" / "usb-FTDI_FT232R-if00-port0", "");
    const auto d = dev.Path().string();
    // Plain files answer no serial request, as ttyS ports without a UART.
    EXPECT_EQ(ListSerialPorts(dev.Path()), (std::vector<std::string>{d + "/ttyUSB2", d + "/ttyUSB10", d + "/ttyACM0",
                                                                   d + "/serial/by-id/usb-FTDI_FT232R-if00-port0"}));
    EXPECT_TRUE(ListSerialPorts(dev / "missing").empty());
}

class SettingsChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.dir = dir.Path();
        store.productType = 1;
        store.defaults = FactoryDefaults(1);
        config.productType = 1;
        velk::test::EcfBuilder b(2);
        b.Group(1, 1);
        b.Entry("Box A", true, false, false);
        b.ImagePart(velk::test::Params("A", 0x1000), {});
        b.Group(2, 1);
        b.Entry("Box B", true, false, false);
        b.ImagePart(velk::test::Params("B", 0x2000), {});
        ecf = dir / "conf.ecf";
        velk::test::WriteBytes(ecf, b.Data());
    }
    velk::test::TempDir dir;
    velk::test::ScriptedUi ui;
    WorkingStore store;
    UploadConfig config;
    std::filesystem::path ecf;
};

TEST_F(SettingsChoiceTest, ConfigurationListNamesEveryEntryAndRefusesABlankInThePath)
{
    EXPECT_EQ(ConfigurationList(ui, ecf), (std::vector<std::string>{"Box A", "Box B"}));
    EXPECT_TRUE(ui.messages.empty());
    const auto blank = dir / "my conf.ecf";
    velk::test::WriteBytes(blank, velk::test::ReadBytes(ecf));
    EXPECT_FALSE(ConfigurationList(ui, blank));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, blank.string() + "\nFolder or Filename is having SPACE. Rename it and try");
    EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
    velk::test::WriteText(dir / "not.ecf", "xx");
    EXPECT_FALSE(ConfigurationList(ui, dir / "not.ecf"));
}

TEST_F(SettingsChoiceTest, OkStoresTheChoicesAndAppliesTheChosenEntry)
{
    auto choice = CurrentSettings(config);
    choice.port = PortSettings{"/dev/ttyUSB0", 9, 1, 3, 2};
    choice.compressImage = true;
    choice.compressionType = 1;
    choice.compressionLevel = 8;
    choice.pidsDecimal = false;
    choice.configurationFile = ecf;
    choice.configurationEntry = 1;  // "Box B", the first entry of the second group
    choice.parserFile = "/opt/parser.exe";
    EXPECT_FALSE(ApplySettings(ui, choice, config, store, false));
    EXPECT_EQ(config.port, choice.port);
    EXPECT_TRUE(config.compressImage);
    EXPECT_EQ(config.compressionType, 1);
    EXPECT_EQ(config.compressionLevel, 8);
    EXPECT_FALSE(config.pidsDecimal);
    EXPECT_EQ(config.parserFile, "/opt/parser.exe");
    ASSERT_TRUE(config.imageRecord);
    EXPECT_EQ(ImageParamsFromRecord(*config.imageRecord).startAddress, 0x2000u);
    EXPECT_EQ(CurrentSettings(config).port, choice.port);

    choice.configurationEntry = 7;  // not in the file
    ApplySettings(ui, choice, config, store, false);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Configuration setting problem"});
}

TEST_F(SettingsChoiceTest, ProductTypeChangeDeletesTheDumpsAndKeepsEditedDefaults)
{
    velk::test::WriteText(dir / adb::kAdbDump, "adb");
    velk::test::WriteText(dir / adb::kE2pDump, "e2p");
    auto choice = CurrentSettings(config);
    choice.productType = 2;
    EXPECT_TRUE(ApplySettings(ui, choice, config, store, false));
    EXPECT_FALSE(std::filesystem::exists(dir / adb::kAdbDump));
    EXPECT_FALSE(std::filesystem::exists(dir / adb::kE2pDump));
    EXPECT_EQ(store.productType, 2);
    EXPECT_EQ(store.defaults, FactoryDefaults(2));  // untouched factory values follow the type

    store.defaults.carrier.frequencyMhz = 12345;  // edited in "Default Values"
    choice.productType = 3;
    EXPECT_TRUE(ApplySettings(ui, choice, config, store, false));
    EXPECT_EQ(store.defaults.carrier.frequencyMhz, 12345u);
    velk::test::WriteText(dir / adb::kAdbDump, "adb");
    EXPECT_FALSE(ApplySettings(ui, choice, config, store, false));  // same type: dumps stay
    EXPECT_TRUE(std::filesystem::exists(dir / adb::kAdbDump));
}

}  // namespace
}  // namespace velk::link
