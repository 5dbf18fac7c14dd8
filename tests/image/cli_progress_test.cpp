// The progress bar velk draws on a terminal.
#include "progress_bar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace velk::cli {
namespace {

struct CloseFile {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string Drawn(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

TEST(CliProgress, RedrawsOnlyOnVisibleChangesAndMakesRoomForMessages)
{
    const std::unique_ptr<std::FILE, CloseFile> file(std::tmpfile());
    ASSERT_TRUE(file);
    ProgressBar bar(file.get());
    bar.Begin("Please Wait...", 1000);
    for (std::uint32_t i = 1; i <= 5; ++i)
        bar.Set(i);  // below one percent: nothing new to draw
    bar.Set(500);
    bar.Interrupt();
    bar.Set(1000);
    bar.End();
    bar.Set(7);  // after the end nothing is drawn
    const std::string empty(40, '-'), half = std::string(20, '#') + std::string(20, '-'), full(40, '#');
    EXPECT_EQ(Drawn(file.get()), "Please Wait...\n\r[" + empty + "]   0%\r[" + half + "]  50%\n\r[" + full + "] 100%\n");
}

}  // namespace
}  // namespace velk::cli
