#include "image/image_checks.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using test::TempDir;
using test::WriteBytes;

std::string MessageOf(const std::optional<ImageCheckFailure>& failure) { return failure ? failure->message : "passed"; }

class SingleImageChecks : public ::testing::Test {
protected:
    SingleImageChecks()
    {
        WriteBytes(dir / "app.bin", Bytes(1000, 0x11));
        form.imageFile = dir / "app.bin";
        form.params.loaderText = "Loader";
        form.params.manufacturerId = 0xA1;
        form.params.imageType = kImageApplication;
        form.params.startAddress = 0x1000;
        form.params.endAddress = 0x1000 + 1000 + 64;
    }
    TempDir dir;
    SingleImageForm form;
};

TEST_F(SingleImageChecks, MessagesInOrderWithFocus)
{
    EXPECT_EQ(MessageOf(CheckSingleImage(form)), "passed");
    struct Case {
        void (*change)(SingleImageForm&);
        const char* message;
        ImageField field;
    };
    const Case cases[] = {
        {[](SingleImageForm& f) { f.params.loaderText.clear(); f.params.manufacturerId = 0; }, "Enter Loader Text", ImageField::None},
        {[](SingleImageForm& f) { f.params.manufacturerId = 0; f.params.startAddress = 0; }, "Enter Manufacture ID", ImageField::ManufacturerId},
        {[](SingleImageForm& f) { f.params.startAddress = 0; f.params.endAddress = 0; }, "You should enter start address.", ImageField::StartAddress},
        {[](SingleImageForm& f) { f.params.endAddress = 0; f.imageFile.clear(); }, "You should enter End address.", ImageField::EndAddress},
        {[](SingleImageForm& f) { f.imageFile.clear(); }, "Enter Image file", ImageField::None},
        {[](SingleImageForm& f) { f.imageFile /= "nothing"; }, "File Open Error ", ImageField::None},
        {[](SingleImageForm& f) { f.params.endAddress -= 1; f.params.compressed = true; }, " Image Size greater than the Flash Size ", ImageField::None},
        {[](SingleImageForm& f) { f.params.compressed = true; }, "You should decompress start address.", ImageField::DecompressStart},
    };
    for (const Case& c : cases) {
        SingleImageForm changed = form;
        c.change(changed);
        const auto failure = CheckSingleImage(changed);
        EXPECT_EQ(MessageOf(failure), c.message);
        if (failure)
            EXPECT_EQ(failure->field, c.field) << c.message;
    }
}

TEST_F(SingleImageChecks, TrailerRoomByImageType)
{
    // An application needs 64 bytes to spare: 63 are refused.
    form.params.endAddress = 0x1000 + 1000 + 63;
    EXPECT_EQ(MessageOf(CheckSingleImage(form)), " Image Size greater than the Flash Size ");
    // Other images need 32.
    form.params.imageType = kImageDatabase;
    EXPECT_EQ(MessageOf(CheckSingleImage(form)), "passed");
    form.params.endAddress = 0x1000 + 1000 + 31;
    EXPECT_EQ(MessageOf(CheckSingleImage(form)), " Image Size greater than the Flash Size ");
    // A region that ends before it starts holds nothing.
    form.params.endAddress = 0x0800;
    EXPECT_EQ(MessageOf(CheckSingleImage(form)), " Image Size greater than the Flash Size ");
}

class MultipleImageChecks : public ::testing::Test {
protected:
    MultipleImageChecks()
    {
        for (const char* name : {"app.bin", "res.bin", "sdb.bin"})
            WriteBytes(dir / name, Bytes(100, 0x22));
        form = DefaultMultipleImageForm();
        form.images[0].file = dir / "app.bin";
        form.images[1].file = dir / "res.bin";
        form.images[2].file = dir / "sdb.bin";
        for (auto& image : form.images)
            image.present = true;
        // Application 0x1000-0x2000, resource 0x2000-0x3000, SDB 0x3000-0x4000: touching, not overlapping.
        Place(App(), 0x1000, 0x2000);
        Place(Res(), 0x2000, 0x3000);
        Place(Sdb(), 0x3000, 0x4000);
    }
    static void Place(FlashImageEntry& e, std::uint32_t start, std::uint32_t end)
    {
        e.startAddress = start;
        e.endAddress = end;
    }
    FlashImageEntry& App() { return form.images[0]; }
    FlashImageEntry& Res() { return form.images[1]; }
    FlashImageEntry& Sdb() { return form.images[2]; }

    TempDir dir;
    MultipleImageForm form;
};

TEST_F(MultipleImageChecks, DefaultsAndTouchingRegionsPass)
{
    const MultipleImageForm d = DefaultMultipleImageForm();
    EXPECT_EQ(d.images[0].startAddress, 0x7FF60000u);
    EXPECT_EQ(d.images[1].endAddress, 0x7FF60000u);
    EXPECT_EQ(d.images[2].startAddress, 0x7FF10000u);
    EXPECT_EQ(d.manufacturerId, 0xA1);
    EXPECT_FALSE(d.images[0].present);
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "passed");
    // The resource region ending where the application starts does not overlap either.
    Place(Res(), 0x0800, 0x1000);
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "passed");
}

TEST_F(MultipleImageChecks, PerImageChecksInOrder)
{
    Res().file.clear();
    Sdb().startAddress = 0;
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "Enter resource image file");
    Res().file = dir / "res.bin";
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "You should enter SDB start address.");
    Sdb().startAddress = 0x3000;
    App().endAddress = 0;
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "You should enter application end address.");
    App().endAddress = 0x1000 + 100 + 63;  // 63 bytes to spare
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), " Image Size greater than the Flash Size ");
    App().endAddress = 0x1000 + 100 + 64;
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "passed");
    Sdb().file = dir / "none.bin";
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "File Open Error ");
    Sdb().file = dir / "sdb.bin";
    Res().compressed = true;
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "You should enter resource decompressed start address.");
    Res().compressed = false;
    Sdb().endAddress = 0x3000 + 131;  // SDB images need 32 bytes of trailer
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), " Image Size greater than the Flash Size ");
}

TEST_F(MultipleImageChecks, OverlapsAtTheBoundaries)
{
    Res().startAddress = 0x1FFF;  // one byte inside the application
    auto failure = CheckMultipleImage(form);
    EXPECT_EQ(MessageOf(failure), "Resource start address overlapped with application image.");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, ImageField::StartAddress);
    EXPECT_EQ(failure->image, FlashImageKind::Resource);

    Place(Res(), 0x0800, 0x1001);
    failure = CheckMultipleImage(form);
    EXPECT_EQ(MessageOf(failure), "Resource end address overlapped with application image.");
    EXPECT_EQ(failure->field, ImageField::EndAddress);

    // The SDB region enclosing the resource region is caught from the resource's side.
    Place(Res(), 0x2000, 0x3000);
    Place(Sdb(), 0x0800, 0x5000);
    App().present = false;
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "Resource start address overlapped with SDB image.");

    // An unchecked image is never tested.
    Sdb().present = false;
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "passed");
    Place(App(), 0x2800, 0x2900);
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "passed");
    App().present = true;
    EXPECT_EQ(MessageOf(CheckMultipleImage(form)), "Application start address overlapped with resource image.");
}

TEST(ConvertHexField, ReadsLikeTheDialog)
{
    EXPECT_EQ(ConvertHexField("7FF60000"), 0x7FF60000u);
    EXPECT_EQ(ConvertHexField("a1zz"), 0xA1u);
    EXPECT_EQ(ConvertHexField(""), 0u);
    EXPECT_EQ(ConvertHexField("x12"), 0u);
    EXPECT_EQ(ConvertHexField("FFFFFFFF"), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace velk
