// Numbers on the velk command line: hexadecimal with or without "0x",
// anything else refused naming the option.
#include "commands.h"
#include "number_options.h"

#include "common/bytes.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk::cli {
namespace {

TEST(CliNumbers, HexDecimalAndVersionsAcceptedAndRefused)
{
    EXPECT_EQ(ReadHex("7FE40000"), 0x7FE40000u);
    EXPECT_EQ(ReadHex("0x7FE40000"), 0x7FE40000u);
    EXPECT_EQ(ReadHex("0X7fe40000"), 0x7FE40000u);
    EXPECT_EQ(ReadHex("FF", 0xFF), 0xFFu);
    for (const auto* bad : {"", "0x", "banana", "7FE4 ", " 7FE4", "-1", "+1", "100000000", "0x0x1"})
        EXPECT_FALSE(ReadHex(bad)) << bad;
    EXPECT_FALSE(ReadHex("100", 0xFF));

    EXPECT_EQ(ReadDecimal("5150"), 5150u);
    for (const auto* bad : {"", "51a", "0x10", "-5", "99999999999"})
        EXPECT_FALSE(ReadDecimal(bad)) << bad;

    const auto version = ReadHexVersion("2.1A");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 2);
    EXPECT_EQ(version->minor, 0x1A);
    EXPECT_EQ(ReadHexVersion("A")->minor, 0);
    for (const auto* bad : {"2.", ".1", "x.1", "1.100"})
        EXPECT_FALSE(ReadHexVersion(bad)) << bad;
}

std::string RefusalOf(std::vector<std::string> args)
{
    CLI::App app;
    AddImageCommands(app);
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ValidationError& e) {
        return e.what();
    }
    return {};
}

TEST(CliNumbers, UrtAddressesWithPrefixAndRefusalsNamingTheOption)
{
    test::TempDir dir;
    const std::string in = (dir / "in.bin").string();
    test::WriteBytes(in, Bytes(1000, 0x5A));
    const auto urt = [&](const std::string& out, const std::string& start) {
        return test::RunVelk(AddImageCommands, {"urt", in, (dir / out).string(), "--start", start, "--end", "0x7FE50000",
                                                "--mfr", "0xA2"});
    };
    ASSERT_EQ(urt("plain.urt", "7FE40000"), 0);
    ASSERT_EQ(urt("prefixed.urt", "0x7FE40000"), 0);
    EXPECT_EQ(test::ReadBytes(dir / "plain.urt"), test::ReadBytes(dir / "prefixed.urt"));

    const auto refusal = RefusalOf({"urt", in, (dir / "x.urt").string(), "--start", "banana"});
    EXPECT_NE(refusal.find("--start"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("banana"), std::string::npos) << refusal;
    EXPECT_NE(RefusalOf({"urt", in, (dir / "x.urt").string(), "--mfr", "100"}).find("--mfr"), std::string::npos);
    EXPECT_NE(RefusalOf({"urt", in, (dir / "x.urt").string(), "--sw", "1.x"}).find("--sw"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.urt"));
}

}  // namespace
}  // namespace velk::cli
