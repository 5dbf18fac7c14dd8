#pragma once
// The UI port: the core shows messages, asks questions, reports progress and
// asks for file names only through this interface, never through a toolkit.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace velk {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileChoice {
    std::string title;
    std::string filter;            // e.g. "StaticDatabase BIN Files ( *.BIN )|*.bin"
    std::string defaultExtension;  // without the dot
    std::filesystem::path initial;
};

class Ui {
public:
    virtual ~Ui() = default;

    // `caption` empty means the application title.
    virtual Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) = 0;

    virtual void ProgressBegin(const std::string& title, std::uint32_t range) = 0;
    virtual void ProgressSet(std::uint32_t position) = 0;
    virtual void ProgressEnd() = 0;
    // True once the user asked to stop the running work.
    virtual bool ProgressCancelled() { return false; }

    virtual std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) = 0;
    // A folder browser titled `title`, starting at `initial`; nullopt on cancel
    // (and where no browser exists).
    virtual std::optional<std::filesystem::path> ChooseFolder(const std::string& /*title*/,
                                                              const std::filesystem::path& /*initial*/)
    {
        return std::nullopt;
    }
};

// The common message shapes, captioned with the application title.
inline void ShowError(Ui& ui, const std::string& text) { ui.Message(text, {}, Icon::Error, Buttons::Ok); }
inline void ShowWarning(Ui& ui, const std::string& text) { ui.Message(text, {}, Icon::Warning, Buttons::Ok); }
inline void ShowInfo(Ui& ui, const std::string& text) { ui.Message(text, {}, Icon::Information, Buttons::Ok); }
inline bool AskYesNo(Ui& ui, const std::string& text) { return ui.Message(text, {}, Icon::Question, Buttons::YesNo) == Answer::Yes; }
inline bool AskOkCancel(Ui& ui, const std::string& text) { return ui.Message(text, {}, Icon::Question, Buttons::OkCancel) == Answer::Ok; }

}  // namespace velk
