#pragma once
// The UI port of the command-line tool: messages go to stderr, questions are
// answered from the command's options, progress is a bar on stderr when
// stderr is a terminal (and nothing in pipes and logs).
#include "common/ui.h"
#include "progress_bar.h"

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
    bool ProgressCancelled() override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }

    // Set from a SIGINT handler: running work stops at its next check.
    static void RequestCancel();

private:
    Answerer answerer_;
    std::optional<ProgressBar> progress_;  // only on a terminal
};

}  // namespace velk::cli
