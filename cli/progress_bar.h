#pragma once
// A progress bar drawn on one terminal line: the title above it, then
// "[#####-----]  50%" redrawn in place whenever a new character fills.
#include <cstdint>
#include <cstdio>
#include <string>

namespace velk::cli {

class ProgressBar {
public:
    explicit ProgressBar(std::FILE* terminal) : out_(terminal) {}

    void Begin(const std::string& title, std::uint32_t range);
    void Set(std::uint32_t position);
    void End();
    // Ends the bar's line so a message can be printed; the bar is redrawn
    // below it at the next step.
    void Interrupt();

private:
    static constexpr int kWidth = 40;

    std::FILE* out_;
    std::uint32_t range_ = 0;
    int drawnPercent_ = -1;
    bool open_ = false;
};

}  // namespace velk::cli
