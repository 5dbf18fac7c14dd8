// From the user's file to the bytes the loader receives: the console's
// preparation, its cancel at every step, and the reading of the URT files.
#include "link/upload_image.h"
#include "sim/sim_receiver.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

using Names = std::vector<std::string>;

const Names kBinSteps{"Compressing the image...", "Generating the URT file...", "Reading the URT file..."};

// The names of the files in `dir`, scratch files included.
Names FilesIn(const std::filesystem::path& dir)
{
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

class UploadImageTest : public ::testing::Test {
protected:
    UploadImageTest()
    {
        config.compressImage = true;
        config.compressionLevel = 8;
        test::WriteBytes(bin, Bytes(200000, 0x3C));
    }
    std::optional<ConsoleUploadImage> Prepare(const std::filesystem::path& file)
    {
        return PrepareConsoleUpload(ui, config, file, work.Path(), [this](const std::string& step) { steps.push_back(step); });
    }
    test::TempDir mine, work;
    test::ScriptedUi ui;
    UploadConfig config;
    Names steps;
    std::filesystem::path bin = mine / "app.Bin";
};

TEST_F(UploadImageTest, BinFileIsCompressedWrappedAndReadWithItsStepsNamed)
{
    const auto image = Prepare(bin);
    ASSERT_TRUE(image);
    EXPECT_EQ(steps, kBinSteps);
    EXPECT_EQ(image->file, work / kUploadUrtName);
    EXPECT_EQ(image->bytes, test::ReadBytes(image->file));
    EXPECT_TRUE(std::filesystem::exists(work / kCompressedImageName));
    EXPECT_EQ(image->bytes.at(0), 'M');
    EXPECT_TRUE(ui.Texts().empty());
}

TEST_F(UploadImageTest, UrtFileIsSentAsItIs)
{
    const auto urt = mine / "given.urt";
    test::WriteBytes(urt, sim::UrtFile({{0xF1, 1}}));
    const auto image = Prepare(urt);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->file, urt);
    EXPECT_EQ(image->bytes, sim::UrtFile({{0xF1, 1}}));
    EXPECT_EQ(steps, Names{"Reading the URT file..."});
    EXPECT_TRUE(FilesIn(work.Path()).empty());
}

TEST_F(UploadImageTest, CancelAtAnyStepLeavesNothingBehindAndSaysNothing)
{
    for (const bool bin2cod : {false, true}) {
        config.compressionType = bin2cod ? 1 : 0;
        for (const auto& cancelAt : kBinSteps) {
            SCOPED_TRACE(cancelAt);
            test::ScriptedUi quiet;
            const auto image = PrepareConsoleUpload(quiet, config, bin, work.Path(), [&](const std::string& step) {
                if (step == cancelAt)
                    quiet.cancelAfterSteps = 0;  // the user cancels from here on
            });
            EXPECT_FALSE(image);
            EXPECT_EQ(FilesIn(work.Path()), Names{});
            EXPECT_TRUE(quiet.Texts().empty());
            EXPECT_TRUE(std::filesystem::exists(bin));
        }
    }
}

TEST_F(UploadImageTest, FailuresShowTheirMessageAndLeaveNothingBehind)
{
    // A URT file that cannot be read is refused before any port is touched.
    EXPECT_FALSE(Prepare(mine / "none.urt"));
    EXPECT_EQ(ui.Texts(), Names{"File access error - UploadURTPacketThread"});

    // A BIN "file" that is a folder: the compressor says why; without compression, the URT generator.
    std::filesystem::create_directory(mine / "folder.bin");
    EXPECT_FALSE(Prepare(mine / "folder.bin"));
    config.compressImage = false;
    ui.messages.clear();
    EXPECT_FALSE(Prepare(mine / "folder.bin"));
    EXPECT_EQ(ui.Texts(), Names{"URT File generation process failed"});
    EXPECT_EQ(FilesIn(work.Path()), Names{});
}

TEST_F(UploadImageTest, UploadFilesAreReadInOrderOrNotAtAll)
{
    const auto a = mine / "a.urt", b = mine / "b.urt";
    test::WriteBytes(a, Bytes{1, 2});
    test::WriteBytes(b, Bytes{3});
    const std::vector<std::filesystem::path> both{a, b};
    EXPECT_EQ(ReadUploadFiles(ui, both), (std::vector<Bytes>{{1, 2}, {3}}));
    const std::vector<std::filesystem::path> oneMissing{a, mine / "gone.urt"};
    EXPECT_FALSE(ReadUploadFiles(ui, oneMissing));
    EXPECT_EQ(ui.Texts(), Names{"File access error - UploadURTPacketThread"});
}

}  // namespace
}  // namespace velk::link
