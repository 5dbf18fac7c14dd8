#include "link/console_log.h"
#include "link/upload_config.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

// Builds an ECF file part by part, each part's header pointing at the next.
class EcfBuilder {
public:
    explicit EcfBuilder(std::uint16_t groups) : data_(24, 0)
    {
        data_[0] = 'e';
        data_[1] = 'C';
        StoreLe16(data_, 14, groups);
    }
    void Group(std::uint8_t product, std::uint16_t entries)
    {
        Bytes g(8, 0);
        g[0] = product;
        StoreLe16(g, 2, entries);
        Append(g);
    }
    void Entry(const std::string& name, bool image, bool partitions, bool extra)
    {
        Bytes e(140, 0);
        std::copy(name.begin(), name.end(), e.begin());
        e[128] = extra;
        e[129] = partitions;
        e[130] = image;
        e[131] = 0x31;
        e[132] = 0x32;
        Append(e);
    }
    void Part(ByteView body, std::uint8_t byte9 = 0)
    {
        Bytes h(16, 0);
        h[9] = byte9;
        StoreLe32(h, 12, static_cast<std::uint32_t>(data_.size() + 16 + body.size()));
        Append(h);
        Append(body);
    }
    // An image record part followed by its resource image (the next part begins after both).
    void ImagePart(const UrtImageParams& params, const Bytes& resource)
    {
        const auto record = ImageRecordFromParams(params, resource.empty() ? std::nullopt : std::optional<std::uint32_t>(static_cast<std::uint32_t>(resource.size())));
        Bytes h(16, 0);
        StoreLe32(h, 12, static_cast<std::uint32_t>(data_.size() + 16 + record.size() + resource.size()));
        Append(h);
        Append(record);
        Append(resource);
    }
    const Bytes& Data() const { return data_; }

private:
    void Append(ByteView b) { data_.insert(data_.end(), b.begin(), b.end()); }
    Bytes data_;
};

UrtImageParams Params(const std::string& text, std::uint32_t start)
{
    UrtImageParams p;
    p.imageType = 2;
    p.destinationCode = 7;
    p.manufacturerId = 162;
    p.loaderText = text;
    p.startAddress = start;
    p.endAddress = start + 0x10000;
    p.swMajor = 3;
    p.hwMajor = 1;
    return p;
}

class UploadConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EcfBuilder b(2);
        b.Group(1, 2);
        b.Entry("First entry", true, true, true);
        b.ImagePart(Params("App", 0x1000), Bytes{'R', 'E', 'S'});
        b.Part(Bytes(32, 0xAB), 2);
        b.Part(Bytes(8, 0xCD));
        b.Entry("Second", false, false, false);
        b.Group(2, 1);
        b.Entry("Third", true, false, false);
        b.ImagePart(Params("Other", 0x2000), {});
        file = b.Data();
        config.configurationFile = dir.Path() / "conf.ecf";
        test::WriteBytes(config.configurationFile, file);
    }
    test::TempDir dir;
    test::ScriptedUi ui;
    Bytes file;
    UploadConfig config;
};

TEST_F(UploadConfigTest, EntriesAndTheirPartsAreFound)
{
    const auto ecf = ParseEcf(file);
    ASSERT_TRUE(ecf);
    EXPECT_TRUE(ecf->complete);
    EXPECT_EQ(EcfDisplayNames(*ecf), (std::vector<std::string>{"First entry", "Second", "Third"}));
    const auto& first = ecf->groups[0].entries[0];
    EXPECT_EQ(first.headerValue1, 0x31);
    EXPECT_EQ(*first.resource, (Bytes{'R', 'E', 'S'}));
    EXPECT_EQ(first.partitions->size(), 32u);
    EXPECT_EQ(*first.extraRecord, Bytes(8, 0xCD));
    EXPECT_EQ(ecf->groups[1].product, 2);
    const auto params = ImageParamsFromRecord(*ecf->groups[1].entries[0].imageRecord);
    EXPECT_EQ(params.loaderText, "Other");
    EXPECT_EQ(params.startAddress, 0x2000u);
    EXPECT_EQ(params.manufacturerId, 162);
    EXPECT_FALSE(ParseEcf(Bytes{'S', 'B', 0}));
}

TEST_F(UploadConfigTest, StartUpKeepsTheLastPartsAndEntrySelectionReadsOne)
{
    LoadUploadConfiguration(config, dir.Path());
    EXPECT_EQ(ImageParamsFromRecord(*config.imageRecord).loaderText, "Other");
    EXPECT_FALSE(config.mergeResource);
    EXPECT_EQ(config.partitions->size(), 32u);
    EXPECT_EQ(test::ReadBytes(dir.Path() / "kymRes.bin"), (Bytes{'R', 'E', 'S'}));

    ASSERT_EQ(ReadUploadSettingsFromCfgFile(ui, config, dir.Path(), 0, 0), 1);
    EXPECT_EQ(ImageParamsFromRecord(*config.imageRecord).loaderText, "App");
    EXPECT_TRUE(config.mergeResource);
    config.configurationFile = dir.Path() / "missing.ecf";
    EXPECT_EQ(ReadUploadSettingsFromCfgFile(ui, config, dir.Path(), 0, 0), 0);
    EXPECT_EQ(ui.Texts().back(), "File access error - ReadUploadSettingsFromCfgFile");
}

TEST_F(UploadConfigTest, DamagedFilesKeepWhatCameBefore)
{
    for (std::size_t cut = 0; cut < file.size(); cut += 7) {
        const auto ecf = ParseEcf(ByteView(file).first(cut));
        if (cut >= 2)
            ASSERT_TRUE(ecf);
        if (ecf && cut < file.size())
            EXPECT_FALSE(ecf->complete);
    }
    auto wild = file;
    StoreLe32(wild, 24 + 8 + 140 + 12, 0xFFFFFFF0);  // first part points far outside
    const auto ecf = ParseEcf(wild);
    ASSERT_TRUE(ecf);
    EXPECT_FALSE(ecf->complete);
}

// An offset that does not move past the part just read ends the file as damaged at once,
// keeping the entries before it: backwards, onto the part itself, or past the end.
TEST(EcfReaderTest, OffsetsThatDoNotMoveForwardEndTheFile)
{
    EcfBuilder b(1);
    b.Group(1, 3);
    b.Entry("A", false, false, false);
    b.Entry("B", false, false, true);
    b.Part(Bytes(8, 0xCD));
    b.Entry("C", false, false, false);
    const std::size_t partAt = 24 + 8 + 2 * 140;
    const std::vector<std::string> before{"A"}, withB{"A", "B"};
    const std::vector<std::pair<std::uint32_t, std::vector<std::string>>> cases{
        {32, before},                          // back to the first entry
        {std::uint32_t(partAt), before},       // onto the part itself
        {std::uint32_t(partAt + 23), before},  // into the part just read
        {0xFFFFFFF0u, withB},                  // forward but outside: the next entry is missing
    };
    for (const auto& [next, names] : cases) {
        auto file = b.Data();
        StoreLe32(file, partAt + 12, next);
        const auto ecf = ParseEcf(file);
        ASSERT_TRUE(ecf) << next;
        EXPECT_FALSE(ecf->complete) << next;
        EXPECT_EQ(EcfDisplayNames(*ecf), names) << next;
    }
    EXPECT_TRUE(ParseEcf(b.Data())->complete);
}

// Counts of 65 535 groups of 65 535 entries over a file of a few hundred bytes:
// the entry's part points back at the entry, which must not be read again and again.
TEST(EcfReaderTest, CountsCannotMultiplyTheWork)
{
    EcfBuilder b(0xFFFF);
    b.Group(1, 0xFFFF);
    b.Entry("Loop", true, false, false);
    b.ImagePart(Params("App", 0x1000), Bytes(200, 7));
    auto file = b.Data();
    StoreLe32(file, 24 + 8 + 140 + 12, 24 + 8);
    const auto ecf = ParseEcf(file);
    ASSERT_TRUE(ecf);
    EXPECT_FALSE(ecf->complete);
    EXPECT_TRUE(ecf->groups.at(0).entries.empty());
}

TEST_F(UploadConfigTest, ChangingTheProductTypeDropsTheDumps)
{
    test::WriteBytes(dir.Path() / "KymADBDump.dbi", Bytes(4, 1));
    test::WriteBytes(dir.Path() / "KymE2PDump.dbi", Bytes(4, 1));
    EXPECT_FALSE(ChangeProductType(config, dir.Path(), 1));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "KymADBDump.dbi"));
    EXPECT_TRUE(ChangeProductType(config, dir.Path(), 2));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "KymADBDump.dbi"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "KymE2PDump.dbi"));
    EXPECT_EQ(config.productType, 2);
}

TEST(ConfigurationPath, BlanksAreRefused)
{
    EXPECT_EQ(*ConfigurationPathProblem("/home/a b/x.ecf"), "/home/a b/x.ecf\nFolder or Filename is having SPACE. Rename it and try");
    EXPECT_FALSE(ConfigurationPathProblem("/home/ab/x.ecf"));
}

TEST(ConsoleLog, AppendClearAndSave)
{
    test::TempDir dir;
    test::ScriptedUi ui;
    ConsoleLog log(dir.Path(), ui);
    EXPECT_FALSE(log.Save());
    EXPECT_EQ(ui.Texts().back(), "No data in the buffer to save log file");
    log.Append("boot> ");
    log.AppendUploadReport(1);
    EXPECT_EQ(log.Contents(), "boot> \r\n<========== Upload Success ==========>\r\n");
    ui.files.push_back(dir.Path() / "saved.txt");
    EXPECT_TRUE(log.Save());
    EXPECT_EQ(ui.fileChoices.back().title, "Save as log file");
    EXPECT_EQ(ui.Texts().back(), (dir.Path() / "saved.txt").string() + " log file is saved successfully.");
    log.Clear();
    EXPECT_FALSE(log.Save());
    EXPECT_EQ(ui.Texts().back(), "No data in the buffer to save log file");
}

TEST(ConsoleLog, ReceivedControlBytesShowAsBlanks)
{
    const Bytes in{'O', 0x00, 'K', 0x17, 0x06, 0x91, 0x99, 0x0D, 0x0A, 0x12};
    EXPECT_EQ(FilterReceivedBytes(in), std::string("O K    \r\n\x12"));
}

TEST(ConsoleLog, CommandLineSendsTheLastCompleteLine)
{
    EXPECT_FALSE(CommandLineToSend("help"));
    EXPECT_EQ(*CommandLineToSend("old\r\nboot 1\r\n"), (Bytes{'b', 'o', 'o', 't', ' ', '1', 0x0D, 0x0A}));
    EXPECT_EQ(*CommandLineToSend(std::string("ab\xE9zz\r\n")), (Bytes{'a', 'b', 0x0D, 0x0A}));
    EXPECT_EQ(*CommandLineToSend("\r\n"), (Bytes{0x0D, 0x0A}));
}

}  // namespace
}  // namespace velk::link
