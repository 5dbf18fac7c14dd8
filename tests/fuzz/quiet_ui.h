#pragma once
// A UI for the fuzzers: shows nothing, chooses no file, and answers every
// question with the one answer a target wants.
#include "common/ui.h"

namespace velk::fuzz {

class QuietUi final : public Ui {
public:
    explicit QuietUi(Answer answer) : answer_(answer) {}
    Answer Message(const std::string&, const std::string&, Icon, Buttons) override { return answer_; }
    void ProgressBegin(const std::string&, std::uint32_t) override {}
    void ProgressSet(std::uint32_t) override {}
    void ProgressEnd() override {}
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }

private:
    Answer answer_;
};

}  // namespace velk::fuzz
