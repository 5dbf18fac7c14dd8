#pragma once
// The UI port for tests: records every message and answers from a queue.
#include "common/ui.h"

#include <deque>
#include <string>
#include <vector>

namespace velk::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    Icon icon;
    Buttons buttons;
};

class ScriptedUi final : public Ui {
public:
    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override;
    void ProgressBegin(const std::string& title, std::uint32_t range) override;
    void ProgressSet(std::uint32_t position) override { progress.push_back(position); }
    void ProgressEnd() override { ++progressEnded; }
    bool ProgressCancelled() override { return cancelAfterSteps && progress.size() >= *cancelAfterSteps; }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) override;
    // Answered from `files` like the file dialogs; the title is kept in `folderTitles`.
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title, const std::filesystem::path& initial) override;

    // Texts of the messages shown so far.
    std::vector<std::string> Texts() const;

    std::vector<ShownMessage> messages;
    std::deque<Answer> answers;  // questions beyond the queue get Yes / OK
    std::deque<std::optional<std::filesystem::path>> files;
    std::vector<FileChoice> fileChoices;
    std::vector<std::string> folderTitles;
    std::vector<std::string> progressTitles;
    std::vector<std::uint32_t> progressRanges;
    std::vector<std::uint32_t> progress;
    int progressEnded = 0;
    std::optional<std::size_t> cancelAfterSteps;

private:
    // The next answer of a file or folder dialog.
    std::optional<std::filesystem::path> NextFile();
};

}  // namespace velk::test
