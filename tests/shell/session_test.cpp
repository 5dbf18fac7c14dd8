#include "shell/session.h"

#include "database/store_files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace velk {
namespace {

TEST(Session, FirstRunUsesFactoryDefaultsAndTypeOne)
{
    test::TempDir dir;
    test::ScriptedUi ui;
    auto session = Session::Start(dir.Path(), ui);
    ASSERT_TRUE(session);
    EXPECT_FALSE(session->DvRecordRead());
    EXPECT_EQ(session->WorkDir(), dir / "Temp");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Temp"));
    EXPECT_EQ(session->Store().productType, 1);
    EXPECT_EQ(session->Store().defaults, FactoryDefaults(1));
    EXPECT_TRUE(session->Shutdown());
    EXPECT_FALSE(std::filesystem::exists(dir / "Temp"));
    EXPECT_TRUE(std::filesystem::exists(dir / "settings.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir / "~001.dat"));
}

TEST(Session, DefaultsAndProductTypeSurviveARestart)
{
    test::TempDir dir;
    test::ScriptedUi ui;
    {
        auto session = Session::Start(dir.Path(), ui);
        ASSERT_TRUE(session);
        session->Store().productType = 2;
        session->Store().defaults.carrier.frequencyMhz = 12345;
        session->Store().defaults.service.favourites = 0x0F;
        ASSERT_TRUE(session->Shutdown());
    }
    auto session = Session::Start(dir / "", ui);
    ASSERT_TRUE(session);
    EXPECT_TRUE(session->DvRecordRead());
    EXPECT_EQ(session->Store().productType, 2);
    EXPECT_EQ(session->FrameTitle().substr(session->FrameTitle().size() - 11), " [ Type 2 ]");
    EXPECT_EQ(session->Store().defaults.carrier.frequencyMhz, 12345u);
    EXPECT_EQ(session->Store().defaults.service.favourites, 0x07);
    EXPECT_EQ(session->WorkDir(), dir / "Temp");
    session->Shutdown();
}

TEST(Session, SettingsWithoutSignatureGiveProductTypeZero)
{
    test::TempDir dir;
    test::WriteBytes(dir / "settings.ini", *SettingsCipher(Bytes(32, 'x')));
    test::ScriptedUi ui;
    auto session = Session::Start(dir.Path(), ui);
    ASSERT_TRUE(session);
    EXPECT_EQ(session->Store().productType, 0);
    EXPECT_EQ(session->FrameTitle().find('['), std::string::npos);
    session->Shutdown();
}

TEST(Session, ASecondRunIsRefusedWhileTheFirstHoldsWorkDir)
{
    test::TempDir dir;
    test::ScriptedUi ui;
    auto first = Session::Start(dir.Path(), ui);
    ASSERT_TRUE(first);
    // flock belongs to the open file description: another process sees it held.
    const pid_t child = ::fork();
    if (child == 0) {
        test::ScriptedUi childUi;
        _exit(Session::Start(dir.Path(), childUi) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    first->Shutdown();
}

TEST(Session, WorkDirLeftByACrashIsClearedAndReused)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir / "Temp");
    test::WriteText(dir / "Temp" / "TempSER.stb", "stale");
    test::ScriptedUi ui;
    auto session = Session::Start(dir.Path(), ui);
    ASSERT_TRUE(session);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "Temp" / "TempSER.stb"));
    session->Shutdown();
}

TEST(Session, UncreatableWorkDirIsRefusedWithItsMessage)
{
    test::TempDir dir;
    test::WriteText(dir / "Temp", "a file where the directory should be");
    test::ScriptedUi ui;
    EXPECT_FALSE(Session::Start(dir.Path(), ui));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Couldn't create new directory."});
}

TEST(Session, ShutdownDeletesTheWorkingFiles)
{
    test::TempDir dir;
    test::ScriptedUi ui;
    auto session = Session::Start(dir.Path(), ui);
    ASSERT_TRUE(session);
    for (auto name : {"TempLNB.stb", "UndoSorting.bin", "KymADBDump.dbi", "_debugprint.tmp", "TempURTFile.eut"})
        test::WriteText(session->WorkDir() / name, "x");
    EXPECT_TRUE(session->Shutdown());
    EXPECT_FALSE(std::filesystem::exists(dir / "Temp"));
}

}  // namespace
}  // namespace velk
