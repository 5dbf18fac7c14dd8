#include "sample_store.h"

#include "commands.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"
#include "support/run_velk.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velk::test {
namespace {

using namespace velk::sdb;

int RunVelk(std::vector<std::string> args)
{
    return test::RunVelk(cli::AddSdbCommands, std::move(args));
}

struct CliFiles {
    SampleStore s{2};
    std::filesystem::path oldFile, newFile;
    CliFiles()
    {
        s.FillSample();
        ScriptedUi ui;
        oldFile = s.dir / "db_old.bin";
        newFile = s.dir / "db_new.bin";
        EXPECT_EQ(WriteSdbBinFile(s.store, s.session, ui, oldFile, false, true), 1);
        EXPECT_EQ(WriteSdbBinFile(s.store, s.session, ui, newFile, true, true), 1);
    }
    std::string P(const char* name) const { return (s.dir / name).string(); }
};

TEST(SdbCli, InfoReportAndConvert)
{
    CliFiles f;
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunVelk({"info", f.oldFile.string()}), 0);
    const auto out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(" Total  LNBs\t: 16 \n Total  Satellites\t: 64 \n"), std::string::npos);
    EXPECT_NE(out.find("Product Type\t: 2"), std::string::npos);

    EXPECT_EQ(RunVelk({"report", f.newFile.string(), f.P("r.txt")}), 0);
    EXPECT_EQ(RunVelk({"report", f.oldFile.string(), f.P("r2.txt")}), 0);
    EXPECT_GT(std::filesystem::file_size(f.P("r.txt")), 1000u);

    EXPECT_EQ(RunVelk({"convert", "--to", "old", f.newFile.string(), f.P("c.bin")}), 0);
    EXPECT_EQ(ReadBytes(f.P("c.bin")), ReadBytes(f.oldFile));
    EXPECT_EQ(RunVelk({"convert", "--to", "new", f.oldFile.string(), f.P("n.bin"), "--product-type", "2"}), 0);
    EXPECT_EQ(ReadBytes(f.P("n.bin"))[0], 'e');
    EXPECT_EQ(RunVelk({"convert", "--to", "old", f.P("missing"), f.P("x.bin")}), 1);
    EXPECT_FALSE(std::filesystem::exists(f.P("x.bin")));
    EXPECT_EQ(RunVelk({"info", f.P("r.txt")}), 1);
}

TEST(SdbCli, SortAndMerge)
{
    CliFiles f;
    EXPECT_EQ(RunVelk({"sort", f.oldFile.string(), f.P("s.bin"), "--satellites", "name-desc", "--carriers", "freq", "--services", "radio-first"}), 0);
    SampleStore opened(2);
    ScriptedUi ui;
    ASSERT_EQ(OpenSdbBinFile(opened.store, opened.session, ui, f.P("s.bin")), 1);
    EXPECT_EQ(opened.Satellites()[0].name.Text(), "Hotbird");
    EXPECT_EQ(RunVelk({"sort", f.oldFile.string(), f.P("s.bin"), "--satellites", "bogus"}), 2);

    EXPECT_EQ(RunVelk({"merge", f.oldFile.string(), f.newFile.string(), f.P("m.bin"), "--keep", "2"}), 0);
    SampleStore merged(2);
    ASSERT_EQ(OpenSdbBinFile(merged.store, merged.session, ui, f.P("m.bin")), 1);
    EXPECT_EQ(merged.store.satelliteCount, 64u);  // every name in both files: one copy each
    EXPECT_EQ(merged.Satellites()[0].name.Text(), "Astra");
    // File 1's copy of one satellite, file 2's of the others: file 1's come first.
    EXPECT_EQ(RunVelk({"merge", f.oldFile.string(), f.newFile.string(), f.P("m1.bin"), "--keep", "2", "--keep", "HOTBIRD=1"}), 0);
    SampleStore one(2);
    ASSERT_EQ(OpenSdbBinFile(one.store, one.session, ui, f.P("m1.bin")), 1);
    EXPECT_EQ(one.store.satelliteCount, 64u);
    EXPECT_EQ(one.Satellites()[0].name.Text(), "Hotbird");
    EXPECT_EQ(one.Satellites()[1].name.Text(), "Astra");
    EXPECT_EQ(RunVelk({"merge", f.oldFile.string(), f.newFile.string(), f.P("m3.bin"), "--keep", "Astra=3"}), 1);

    // One satellite of the file as a file of its own.
    EXPECT_EQ(RunVelk({"extract", f.oldFile.string(), f.P("x.bin"), "--satellites", "2"}), 0);
    SampleStore extracted(2);
    ASSERT_EQ(OpenSdbBinFile(extracted.store, extracted.session, ui, f.P("x.bin")), 1);
    ASSERT_EQ(extracted.store.satelliteCount, 1u);
    EXPECT_EQ(extracted.Satellites()[0].name.Text(), "Hotbird");
    EXPECT_EQ(RunVelk({"extract", f.oldFile.string(), f.P("y.bin"), "--satellites", "65"}), 1);
    EXPECT_FALSE(std::filesystem::exists(f.P("y.bin")));
    EXPECT_EQ(RunVelk({"merge", f.P("missing"), f.newFile.string(), f.P("m2.bin")}), 1);
    EXPECT_FALSE(std::filesystem::exists(f.P("m2.bin")));
}

std::vector<std::uint16_t> ProgramNumbers(const std::string& file)
{
    SampleStore opened(2);
    ScriptedUi ui;
    EXPECT_EQ(OpenSdbBinFile(opened.store, opened.session, ui, file), 1);
    std::vector<std::uint16_t> numbers;
    for (const auto& service : opened.Services())
        numbers.push_back(service.programNumber);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

TEST(SdbCli, LayoutOptionWarnsBeforeTheOldLayoutLosesValues)
{
    CliFiles f;
    const auto run = [](std::vector<std::string> args) {
        testing::internal::CaptureStderr();
        const int code = RunVelk(std::move(args));
        return std::pair(code, testing::internal::GetCapturedStderr());
    };
    const std::vector<std::uint16_t> typed{100, 200, 300};
    const std::vector<std::uint16_t> counted{1, 2, 3};

    auto [code, err] = run({"sort", f.newFile.string(), f.P("s_new.bin"), "--layout", "new", "--services", "name"});
    EXPECT_EQ(code, 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(ProgramNumbers(f.P("s_new.bin")), typed);
    std::tie(code, err) = run({"sort", f.newFile.string(), f.P("s_old.bin"), "--services", "name"});
    EXPECT_EQ(code, 0);
    EXPECT_NE(err.find("warning: The receiver's old layout does not keep"), std::string::npos) << err;
    EXPECT_NE(err.find("3 program numbers"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(f.P("s_old.bin"))[0], 'S');
    EXPECT_EQ(ProgramNumbers(f.P("s_old.bin")), counted);

    std::tie(code, err) = run({"merge", f.newFile.string(), f.newFile.string(), f.P("m_old.bin"), "--layout", "old"});
    EXPECT_EQ(code, 0);
    EXPECT_NE(err.find("program numbers"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(f.P("m_old.bin"))[0], 'S');
    std::tie(code, err) = run({"convert", "--layout", "old", f.newFile.string(), f.P("c_old.bin")});
    EXPECT_EQ(code, 0);
    EXPECT_NE(err.find("22 kHz"), std::string::npos) << err;
    // An old file already lost what the old layout cannot keep: nothing more to say.
    std::tie(code, err) = run({"sort", f.oldFile.string(), f.P("s_again.bin")});
    EXPECT_EQ(code, 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(run({"sort", f.oldFile.string(), f.P("x.bin"), "--layout", "both"}).first, kCommandLineRefused);
}

TEST(SdbCli, LayoutOptionNamesItsDefaultInTheHelp)
{
    CLI::App app;
    cli::AddSdbCommands(app);
    cli::AddImportCommands(app);
    cli::AddLinkCommands(app);
    for (const auto& [command, fallback] : {std::pair("convert", "old"), {"sort", "old"}, {"merge", "new"}, {"import", "new"},
                                            {"download", "old"}}) {
        const auto help = app.get_subcommand(command)->help();
        EXPECT_NE(help.find("--layout"), std::string::npos) << command;
        EXPECT_NE(help.find(std::string("(default: ") + fallback + ")"), std::string::npos) << command << help;
    }
}

}  // namespace
}  // namespace velk::test
