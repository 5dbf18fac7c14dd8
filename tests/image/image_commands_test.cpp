// The velk image commands, driven through their command line.
#include "commands.h"

#include "common/bytes.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velk::cli {

namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Runs `velk args...`; returns the exit code, or -1 when the command line was refused.
int Velk(std::vector<std::string> args)
{
    const int code = test::RunVelk(AddImageCommands, std::move(args));
    return code == test::kCommandLineRefused ? -1 : code;
}

Bytes Text(std::size_t size)
{
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>("channel list "[i % 13]);
    return out;
}

TEST(ImageCommands, CompressTakesAnOptionalLevel)
{
    TempDir dir;
    const std::string in = (dir / "in.bin").string();
    WriteBytes(in, Text(5000));
    EXPECT_EQ(Velk({"compress", "--zlib", in, (dir / "a.bin").string()}), 0);
    EXPECT_EQ(Velk({"compress", "--zlib=1", in, (dir / "b.bin").string()}), 0);
    EXPECT_EQ(Velk({"compress", "--bin2cod", in, (dir / "c.bin").string()}), 0);
    EXPECT_EQ(Slice(ReadBytes(dir / "c.bin"), 20, 4), (Bytes{'v', 'q', 'x', '.'}));
    EXPECT_NE(ReadBytes(dir / "a.bin"), ReadBytes(dir / "b.bin"));
    EXPECT_EQ(Velk({"compress", "--zlib=10", in, (dir / "d.bin").string()}), -1);
    EXPECT_EQ(Velk({"compress", "--zlib", "--bin2cod", in, (dir / "d.bin").string()}), -1);
    EXPECT_EQ(Velk({"compress", in, (dir / "d.bin").string()}), 1);
}

TEST(ImageCommands, UrtChecksAndRefusesBlocksOf4096)
{
    TempDir dir;
    const std::string in = (dir / "in.bin").string();
    const std::string out = (dir / "out.urt").string();
    WriteBytes(in, Text(1000));
    EXPECT_EQ(Velk({"urt", in, out, "--block", "4096"}), -1);
    EXPECT_EQ(Velk({"urt", in, out, "--loader", ""}), 1);  // "Enter Loader Text"
    EXPECT_FALSE(std::filesystem::exists(out));
    ASSERT_EQ(Velk({"urt", in, out, "--type", "2", "--dest", "15", "--start", "7FF60000", "--end", "7FFF0000", "--sw", "2.1",
                    "--block", "1024", "--partition-kb", "8"}),
              0);
    const Bytes file = ReadBytes(out);
    EXPECT_EQ(LoadBe32(file, 2), 1u + 2);  // 1064 bytes in 1024-byte blocks
    EXPECT_EQ(file[6 + 4 + 3], 0x2F);
    EXPECT_EQ(file[6 + 4 + 7], 2);
}

TEST(ImageCommands, UrtMultiAndMergeResource)
{
    TempDir dir;
    WriteBytes(dir / "app.bin", Text(300));
    WriteBytes(dir / "res.bin", Text(200));
    const std::string app = (dir / "app.bin").string() + ",1000,2000,1.2";
    EXPECT_EQ(Velk({"urt-multi", (dir / "m.urt").string(), "--app", app, "--res", (dir / "res.bin").string() + ",1FFF,3000"}), 1);
    EXPECT_EQ(Velk({"urt-multi", (dir / "m.urt").string(), "--app", app, "--res", (dir / "res.bin").string() + ",2000,3000"}), 0);
    EXPECT_EQ(LoadBe32(ReadBytes(dir / "m.urt"), 6 + 4 + 9), 0x2000u);
    EXPECT_EQ(Velk({"urt-multi", (dir / "m2.urt").string(), "--app", "no-commas"}), 1);
    EXPECT_EQ(Velk({"merge-resource", (dir / "app.bin").string(), (dir / "res.bin").string(), (dir / "x.bin").string()}), 1);
}

}  // namespace
}  // namespace velk::cli
