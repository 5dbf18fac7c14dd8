#pragma once
// The UI port of the command-line tool: messages go to stderr, questions are
// answered from the command's options, progress is a counter on stderr.
#include "common/ui.h"

#include <functional>
#include <string>

namespace velk::cli {

class ConsoleUi final : public Ui {
public:
    // Answers a question; the default answers Yes / OK.
    using Answerer = std::function<Answer(const std::string& text, Buttons buttons)>;

    explicit ConsoleUi(bool showProgress = false) : showProgress_(showProgress) {}
    void SetAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }

    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override;
    void ProgressBegin(const std::string& title, std::uint32_t range) override;
    void ProgressSet(std::uint32_t position) override;
    void ProgressEnd() override;
    bool ProgressCancelled() override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }
    // Folders come from the command's arguments, never from a question.
    std::optional<std::filesystem::path> ChooseFolder(const std::string&, const std::filesystem::path&) override
    {
        return std::nullopt;
    }

    // Set from a SIGINT handler: running work stops at its next check.
    static void RequestCancel();

private:
    bool showProgress_;
    Answerer answerer_;
    std::uint32_t range_ = 0;
};

}  // namespace velk::cli
