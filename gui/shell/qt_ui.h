#pragma once
// The UI port on Qt: message boxes, a progress dialog and the platform's file
// dialogs. Calls from worker threads are carried over to the GUI thread.
#include "common/ui.h"

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

namespace velk::gui {

class QtUi final : public Ui {
public:
    explicit QtUi(QWidget* owner) : owner_(owner) {}

    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override;
    void ProgressBegin(const std::string& title, std::uint32_t range) override;
    void ProgressSet(std::uint32_t position) override;
    void ProgressEnd() override;
    bool ProgressCancelled() override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) override;
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title, const std::filesystem::path& initial) override;

private:
    QPointer<QWidget> owner_;
    QPointer<QProgressDialog> progress_;
};

}  // namespace velk::gui
