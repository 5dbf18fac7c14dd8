#include "progress_bar.h"

#include <algorithm>

namespace velk::cli {

void ProgressBar::Begin(const std::string& title, std::uint32_t range)
{
    End();
    range_ = range;
    drawnPercent_ = -1;
    open_ = true;
    std::fprintf(out_, "%s\n", title.c_str());
    Set(0);
}

void ProgressBar::Set(std::uint32_t position)
{
    if (!open_)
        return;
    const auto done = range_ == 0 ? 1.0 : std::min(1.0, static_cast<double>(position) / range_);
    const int percent = static_cast<int>(done * 100);
    // Redraw only on a visible change: a transfer reports every byte.
    if (percent == drawnPercent_)
        return;
    drawnPercent_ = percent;
    const int filled = static_cast<int>(done * kWidth);
    std::fprintf(out_, "\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kWidth - filled), '-').c_str(), percent);
    std::fflush(out_);
}

void ProgressBar::Interrupt()
{
    if (!open_ || drawnPercent_ < 0)
        return;
    drawnPercent_ = -1;
    std::fprintf(out_, "\n");
}

void ProgressBar::End()
{
    if (!open_)
        return;
    open_ = false;
    std::fprintf(out_, "\n");
    std::fflush(out_);
}

}  // namespace velk::cli
