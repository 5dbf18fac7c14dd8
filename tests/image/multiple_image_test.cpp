#include "image/multiple_image.h"
#include "image/urt_file.h"

#include "common/checksums.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

class MultipleImage : public ::testing::Test {
protected:
    MultipleImage()
    {
        WriteBytes(dir / "app.bin", app);
        WriteBytes(dir / "res.bin", res);
        WriteBytes(dir / "sdb.bin", sdb);
        form = DefaultMultipleImageForm();
        form.loaderText = "Multi";
        form.hwMinor = 3;
        // Listed in the form's order, laid out by address: SDB, application, resource.
        form.images[0] = {FlashImageKind::Application, dir / "app.bin", 0x1000, 0x1100, 2, 5, 0, false, true};
        form.images[1] = {FlashImageKind::Resource, dir / "res.bin", 0x1180, 0x1200, 1, 0, 0, false, true};
        form.images[2] = {FlashImageKind::Sdb, dir / "sdb.bin", 0x0F00, 0x0F80, 7, 1, 0x9000, true, true};
        settings.time = {1, 2, 2027, 3, 4, 5};
    }

    Bytes Combined() const
    {
        std::vector<LoadedFlashImage> images;
        images.push_back({&form.images[0], app});
        images.push_back({&form.images[1], res});
        images.push_back({&form.images[2], sdb});
        return BuildCombinedImage(images, form, settings);
    }

    TempDir dir;
    Bytes app = Bytes(20, 0xA0);
    Bytes res = Bytes(96, 0xB0);  // exactly fills its region with the trailer
    Bytes sdb = Bytes(10, 0xC0);
    MultipleImageForm form;
    UrtSettings settings;
};

TEST_F(MultipleImage, LaysImagesOutByAddress)
{
    const Bytes c = Combined();
    ASSERT_EQ(c.size(), 0x1200u - 0x0F00);
    // SDB region 0x0F00: image, padding, then its 32-byte trailer with its own version.
    EXPECT_EQ(Slice(c, 0, 10), sdb);
    EXPECT_EQ(Slice(c, 10, 86), Bytes(86, 0xFF));
    EXPECT_EQ(Slice(c, 96, 12), (Bytes{7, 0x10, 0, 0, 1, 2, 0x07, 0xEB, 3, 4, 5, 0}));
    EXPECT_EQ(Slice(c, 108, 8), (Bytes{0xAC, 0xAC, 0xAC, 0xAC, 0, 0, 0x90, 0}));
    EXPECT_EQ(LoadBe32(c, 116), Crc32Mpeg2(sdb));
    // The gap up to the application.
    EXPECT_EQ(Slice(c, 0x80, 0x80), Bytes(0x80, 0xFF));
    // Application region 0x1000: padded like the others; its trailer names the region start.
    const std::size_t a = 0x100;
    EXPECT_EQ(Slice(c, a, 20), app);
    EXPECT_EQ(Slice(c, a + 20, 172), Bytes(172, 0xFF));
    const std::size_t t = a + 192;
    EXPECT_EQ(Slice(c, t, 4), (Bytes{0x35, 0xA1, 1, 2}));
    EXPECT_EQ(Slice(c, t + 12, 4), Bytes(4, 0xAB));
    EXPECT_EQ(LoadBe32(c, t + 16), 0x1000u);
    EXPECT_EQ(LoadBe32(c, t + 20), 20u);
    EXPECT_EQ(LoadBe32(c, t + 28), Crc32Mpeg2(app));
    EXPECT_EQ(Slice(c, t + 32, 32), Bytes(32, 0xFF));
    // Gap, then the resource without padding.
    EXPECT_EQ(Slice(c, 0x200, 0x80), Bytes(0x80, 0xFF));
    EXPECT_EQ(Slice(c, 0x280, 96), res);
    EXPECT_EQ(LoadBe32(c, 0x280 + 96 + 20), Crc32Mpeg2(res));
}

TEST_F(MultipleImage, GeneratesOneUrtFileOfTheCheckedImages)
{
    ScriptedUi ui;
    ASSERT_EQ(GenerateMultipleUrtFile(ui, settings, form, dir / "out.urt"), kUrtOk);
    const UrtImageParams params = MultipleImageParams(form);
    EXPECT_EQ(params.startAddress, 0x0F00u);
    EXPECT_EQ(params.endAddress, 0x1200u);
    const Bytes file = ReadBytes(dir / "out.urt");
    EXPECT_EQ(file, BuildUrtFile(Combined(), settings, params));
    EXPECT_EQ(file[6 + 4 + 3], 0x59);  // type 5, destination 9

    // Without the SDB image the layout starts at the application.
    form.images[2].present = false;
    EXPECT_EQ(MultipleImageParams(form).startAddress, 0x1000u);
    ASSERT_EQ(GenerateMultipleUrtFile(ui, settings, form, dir / "two.urt"), kUrtOk);
    EXPECT_EQ(LoadBe32(ReadBytes(dir / "two.urt"), 6 + 4 + 9 + 5), 0x200u);  // prepared size
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MultipleImage, UnreadableImageIsReported)
{
    form.images[1].file = dir / "gone.bin";
    ScriptedUi ui;
    EXPECT_EQ(GenerateMultipleUrtFile(ui, settings, form, dir / "out.urt"), kUrtCreateError);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, " File Open Error :- 002 ");
    EXPECT_EQ(ui.messages[0].caption, "Test");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.urt"));
}

}  // namespace
}  // namespace velk
