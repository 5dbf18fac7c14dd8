#include "console_ui.h"
#include "stop_signals.h"

#include <cstdio>
#include <unistd.h>

namespace velk::cli {
namespace {

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
    if (const auto cause = fileFailures_.Take(); cause && icon == Icon::Error && text.find(CauseText(*cause)) == std::string::npos)
        std::fprintf(stderr, "%s\n", CauseText(*cause).c_str());
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
    if (receiver_) {
        if (!receiver_->answered && receiver_->shownSeconds >= 0)
            std::fputc('\n', stderr);  // ends the waiting line
        receiver_->answered = true;
        receiver_->lastProgress = std::chrono::steady_clock::now();
    }
    if (progress_)
        progress_->Set(position);
}

void ConsoleUi::ProgressEnd()
{
    if (progress_)
        progress_->End();
}

bool ConsoleUi::ProgressCancelled() { return StopRequested() || ReceiverSilentTooLong(); }

void ConsoleUi::WatchReceiver(std::optional<std::chrono::seconds> timeout) { receiver_ = ReceiverWatch{timeout}; }

bool ConsoleUi::ReceiverSilentTooLong()
{
    if (!receiver_)
        return false;
    const auto silent = std::chrono::steady_clock::now() - receiver_->lastProgress;
    const long seconds = static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(silent).count());
    if (!receiver_->answered && seconds != receiver_->shownSeconds) {
        std::fprintf(stderr, "\rWaiting for the receiver — switch it on (%ld s)", seconds);
        receiver_->shownSeconds = seconds;
    }
    if (receiver_->timeout && silent >= *receiver_->timeout)
        timedOut_ = true;
    return timedOut_;
}

}  // namespace velk::cli
