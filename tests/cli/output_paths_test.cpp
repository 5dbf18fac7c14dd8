// Every file-writing velk command against every odd output path: the old
// output stays, a symlink stays a link to the updated file with its mode, and
// the message names the file and the reason.
#include "cli/velk_process.h"
#include "import/list_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <functional>

namespace velk::test {
namespace {

namespace fs = std::filesystem;

// The inputs every command of the table reads, made once.
class Fixtures {
public:
    Fixtures()
    {
        SdxRecord tv, radio;
        radio.type = 'R';
        radio.name = "RADIO";
        radio.serviceId = "28107";  // another service of the transponder, so there is something to sort
        WriteBytes(dir / "list.sdx", JoinSdx({tv, radio}, true));
        WriteBytes(dir / "list2.sdx", JoinSdx({radio}, true));
        Bytes image(5000);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>("receiver image "[i % 15]);
        WriteBytes(dir / "image.bin", image);
        WriteBytes(dir / "res.bin", RootBlock());
        Run({"import", Path("list.sdx"), Path("db.bin")});
        Run({"convert", "--to", "old", Path("db.bin"), Path("old.bin")});
    }
    std::string Path(const char* name) const { return (dir / name).string(); }
    fs::path Tmp() const { return dir / "tmp"; }

    TempDir dir;

private:
    static Bytes RootBlock()
    {
        Bytes root(48, 0);
        root[0] = 'V';
        root[1] = 'x';
        std::copy_n("ROOT_BLOCK", 10, root.begin() + 4);
        root[24] = 48;
        return root;
    }
    void Run(const std::vector<std::string>& args)
    {
        fs::create_directories(Tmp());
        const auto run = RunVelkProcess(args, {Tmp(), {}});
        if (run.exitCode != 0)
            throw std::runtime_error("fixture failed: " + run.errors);
    }
};

struct Command {
    const char* name;
    const char* extension;  // of its output
    // The arguments with the output given; the first input is in `input`.
    std::function<std::vector<std::string>(const Fixtures&, const std::string& out)> args;
    const char* input;
};

const Command kCommands[] = {
    {"convert", ".bin", [](auto& f, auto& out) { return std::vector<std::string>{"convert", "--to", "old", f.Path("db.bin"), out}; }, "db.bin"},
    {"report", ".txt", [](auto& f, auto& out) { return std::vector<std::string>{"report", f.Path("db.bin"), out}; }, "db.bin"},
    {"sort", ".bin", [](auto& f, auto& out) { return std::vector<std::string>{"sort", f.Path("db.bin"), out, "--services", "name"}; }, "db.bin"},
    {"merge", ".bin", [](auto& f, auto& out) { return std::vector<std::string>{"merge", f.Path("db.bin"), f.Path("old.bin"), out}; }, "db.bin"},
    {"import", ".bin", [](auto& f, auto& out) { return std::vector<std::string>{"import", f.Path("list.sdx"), out}; }, "list.sdx"},
    {"merge-lists", ".sdx", [](auto& f, auto& out) { return std::vector<std::string>{"merge-lists", out, f.Path("list.sdx"), f.Path("list2.sdx")}; }, "list.sdx"},
    {"compress", ".hwc", [](auto& f, auto& out) { return std::vector<std::string>{"compress", "--zlib", f.Path("image.bin"), out}; }, "image.bin"},
    {"urt", ".urt", [](auto& f, auto& out) { return std::vector<std::string>{"urt", f.Path("image.bin"), out}; }, "image.bin"},
    {"urt-multi", ".urt", [](auto& f, auto& out) {
         return std::vector<std::string>{"urt-multi", out, "--app", f.Path("image.bin") + ",7FE00000,7FE40000"}; }, "image.bin"},
    {"merge-resource", ".bin", [](auto& f, auto& out) { return std::vector<std::string>{"merge-resource", f.Path("res.bin"), f.Path("old.bin"), out}; }, "res.bin"},
};

void PrintTo(const Command& command, std::ostream* out) { *out << command.name; }

class OutputPaths : public ::testing::TestWithParam<Command> {
protected:
    static void SetUpTestSuite() { fixtures = new Fixtures; }
    static void TearDownTestSuite() { delete fixtures; }

    fs::path Out(const char* stem) const { return fixtures->dir / (std::string(stem) + GetParam().extension); }
    VelkRun Run(const fs::path& out, std::optional<std::uint64_t> fileSizeLimit = {}) const
    {
        return RunVelkProcess(GetParam().args(*fixtures, out.string()), {fixtures->Tmp(), fileSizeLimit});
    }
    // No scratch file beside the outputs, no scratch folder in $TMPDIR.
    static void ExpectNoScratch()
    {
        for (const auto& entry : fs::directory_iterator(fixtures->dir.Path()))
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        EXPECT_TRUE(fs::is_empty(fixtures->Tmp()));
    }
    static void WriteOld(const fs::path& path, fs::perms mode)
    {
        fs::remove(path);
        WriteText(path, "old");
        fs::permissions(path, mode);
    }
    static inline Fixtures* fixtures = nullptr;
};

TEST_P(OutputPaths, OddOutputsAreRefusedAndNothingIsLost)
{
    const auto refused = [](const VelkRun& run, const std::string& reason) {
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
    };
    {
        SCOPED_TRACE("FIFO");
        const auto fifo = Out("fifo");
        fs::remove(fifo);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
        refused(Run(fifo), fifo.string() + ": not a regular file");
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
    if (const auto device = Out("null"); fs::exists(device) || ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        SCOPED_TRACE("character device");
        refused(Run(device), device.string() + ": not a regular file");
        EXPECT_TRUE(fs::is_character_file(device));
    }
    {
        SCOPED_TRACE("read-only");
        const auto readOnly = Out("readonly");
        WriteOld(readOnly, fs::perms::owner_read | fs::perms::group_read);
        refused(Run(readOnly), readOnly.string() + ": read-only file");
        EXPECT_EQ(ReadBytes(readOnly), (Bytes{'o', 'l', 'd'}));
    }
    {
        SCOPED_TRACE("same as input");
        const auto input = fixtures->dir / GetParam().input;
        const auto before = ReadBytes(input);
        fs::remove(Out("input-link"));
        fs::create_symlink(input, Out("input-link"));
        refused(Run(Out("input-link")), "the output is the input file");
        EXPECT_EQ(ReadBytes(input), before);
    }
    {
        SCOPED_TRACE("missing folder");
        const auto missing = fixtures->dir / "missing" / (std::string("out") + GetParam().extension);
        refused(Run(missing), "No such file or directory");
        EXPECT_FALSE(fs::exists(missing.parent_path()));
    }
    ExpectNoScratch();
}

TEST_P(OutputPaths, ASymlinkedOutputUpdatesItsTargetKeepingTheMode)
{
    const auto target = Out("target");
    const auto link = Out("link");
    WriteOld(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove(link);
    fs::create_symlink(target.filename(), link);
    const auto run = Run(link);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(ReadBytes(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ExpectNoScratch();
}

TEST_P(OutputPaths, AFullDiskKeepsTheOldOutputAndSaysWhy)
{
    const auto out = Out("full");
    WriteOld(out, fs::perms::owner_read | fs::perms::owner_write);
    // Writes past 3 bytes fail with EFBIG, as they would on a full disk.
    const auto run = Run(out, 3);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.errors.find("File too large"), std::string::npos) << run.errors;
    EXPECT_EQ(ReadBytes(out), (Bytes{'o', 'l', 'd'}));
    ExpectNoScratch();
}

INSTANTIATE_TEST_SUITE_P(EveryWritingCommand, OutputPaths, ::testing::ValuesIn(kCommands),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace velk::test
