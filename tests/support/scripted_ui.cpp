#include "support/scripted_ui.h"

namespace velk::test {

Answer ScriptedUi::Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons)
{
    messages.push_back({text, caption, icon, buttons});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (!answers.empty()) {
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

void ScriptedUi::ProgressBegin(const std::string& title, std::uint32_t range)
{
    progressTitles.push_back(title);
    progressRanges.push_back(range);
}

std::optional<std::filesystem::path> ScriptedUi::NextFile()
{
    if (files.empty())
        return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
}

std::optional<std::filesystem::path> ScriptedUi::ChooseOpenFile(const FileChoice& choice)
{
    fileChoices.push_back(choice);
    return NextFile();
}

std::optional<std::filesystem::path> ScriptedUi::ChooseSaveFile(const FileChoice& choice)
{
    return ChooseOpenFile(choice);
}

std::optional<std::filesystem::path> ScriptedUi::ChooseFolder(const std::string& title, const std::filesystem::path&)
{
    folderTitles.push_back(title);
    return NextFile();
}

std::vector<std::string> ScriptedUi::Texts() const
{
    std::vector<std::string> texts;
    for (const auto& m : messages)
        texts.push_back(m.text);
    return texts;
}

}  // namespace velk::test
