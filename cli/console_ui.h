#pragma once
// The UI port of the command-line tool: messages go to stderr, questions are
// answered from the command's options, progress is a bar on stderr when
// stderr is a terminal (and nothing in pipes and logs).
#include "common/file_failure_watch.h"
#include "common/ui.h"
#include "progress_bar.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace velk::cli {

class ConsoleUi final : public Ui {
public:
    // Answers a question; the default answers Yes / OK.
    using Answerer = std::function<Answer(const std::string& text, Buttons buttons)>;

    ConsoleUi();
    void SetAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }

    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override;
    void ProgressBegin(const std::string& title, std::uint32_t range) override;
    void ProgressSet(std::uint32_t position) override;
    void ProgressEnd() override;
    // True once a stop signal came (stop_signals.h), or the receiver kept
    // silent past the timeout of WatchReceiver.
    bool ProgressCancelled() override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }
    // Folders come from the command's arguments, never from a question.
    std::optional<std::filesystem::path> ChooseFolder(const std::string&, const std::filesystem::path&) override
    {
        return std::nullopt;
    }

    // For a transfer: until the receiver first moves it on, stderr says
    // "Waiting for the receiver — switch it on" with the seconds waited; with a
    // timeout, the transfer is given up after that long without progress.
    void WatchReceiver(std::optional<std::chrono::seconds> timeout);
    bool TimedOut() const { return timedOut_; }

private:
    struct ReceiverWatch {
        std::optional<std::chrono::seconds> timeout;
        std::chrono::steady_clock::time_point lastProgress = std::chrono::steady_clock::now();
        bool answered = false;
        long shownSeconds = -1;
    };
    bool ReceiverSilentTooLong();

    std::optional<ReceiverWatch> receiver_;
    bool timedOut_ = false;
    // An error message gets the cause of the latest failed file step under it.
    FileFailureWatch fileFailures_;
    Answerer answerer_;
    std::optional<ProgressBar> progress_;  // only on a terminal
};

}  // namespace velk::cli
