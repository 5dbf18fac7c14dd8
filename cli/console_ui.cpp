#include "console_ui.h"

#include <atomic>
#include <cstdio>
#include <unistd.h>

namespace velk::cli {
namespace {

std::atomic<bool> g_cancelRequested{false};

Answer DefaultAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    }
    return Answer::Ok;
}

}  // namespace

ConsoleUi::ConsoleUi()
{
    if (isatty(STDERR_FILENO) == 1)
        progress_.emplace(stderr);
}

Answer ConsoleUi::Message(const std::string& text, const std::string&, Icon icon, Buttons buttons)
{
    const bool question = buttons != Buttons::Ok;
    const char* prefix = icon == Icon::Error ? "error: " : icon == Icon::Warning ? "warning: " : "";
    if (progress_)
        progress_->Interrupt();
    std::fprintf(stderr, "%s%s\n", prefix, text.c_str());
    if (!question)
        return Answer::Ok;
    const Answer answer = answerer_ ? answerer_(text, buttons) : DefaultAnswer(buttons);
    std::fprintf(stderr, "  -> %s\n", answer == Answer::Yes ? "Yes" : answer == Answer::No ? "No" : answer == Answer::Ok ? "OK" : "Cancel");
    return answer;
}

void ConsoleUi::ProgressBegin(const std::string& title, std::uint32_t range)
{
    if (progress_)
        progress_->Begin(title, range);
}

void ConsoleUi::ProgressSet(std::uint32_t position)
{
    if (progress_)
        progress_->Set(position);
}

void ConsoleUi::ProgressEnd()
{
    if (progress_)
        progress_->End();
}

bool ConsoleUi::ProgressCancelled() { return g_cancelRequested.load(); }

void ConsoleUi::RequestCancel() { g_cancelRequested.store(true); }

}  // namespace velk::cli
