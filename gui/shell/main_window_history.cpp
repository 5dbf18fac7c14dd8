// The frame's Edit menu: Undo and Redo naming the step, the one Ctrl+Z of Undo
// and Undo Sorting, Find, and the list tools of the editor; and the step a
// command that fills the whole store leaves in the history.
#include "shell/main_window.h"

#include "database/undo_key.h"

#include <QMdiSubWindow>

namespace velk::gui {

void MainWindow::WireHistory()
{
    // Ctrl+Z is Undo Sorting's key and Undo's: the Undo action holds it and
    // UndoKey() decides, so the two never compete; the menu still shows it.
    auto* undoSorting = Action(cmd::UndoSorting);
    undoSorting->setShortcut({});
    undoSorting->setText(undoSorting->text() + "\tCtrl+Z");
    Action(cmd::Undo)->setShortcut(QKeySequence("Ctrl+Z"));
    Action(cmd::Undo)->Handle(this, &MainWindow::UndoKey);
    Action(cmd::Redo)->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    Action(cmd::Redo)->Handle(this, [this] {
        if (editor_)
            editor_->Redo();
    });
    using EditorCall = void (EditorWindow::*)();
    const std::pair<Command, EditorCall> calls[] = {{cmd::Find, &EditorWindow::ShowFindBar}, {cmd::FindDuplicates, &EditorWindow::FindDuplicates},
                                                    {cmd::ApplyOrder, &EditorWindow::ApplyOrderFrom}, {cmd::ExportCsv, &EditorWindow::ExportCsv},
                                                    {cmd::ImportCsv, &EditorWindow::ImportCsv}};
    for (const auto& [command, call] : calls)
        Action(command)->Handle(this, [this, call = call] {
            if (editor_)
                (editor_->*call)();
        });
}

bool MainWindow::UndoSortingAvailable() const
{
    const auto* undoSorting = Action(cmd::UndoSorting);
    return undoSorting->Handled() && undoSorting->isEnabled();
}

void MainWindow::UndoKey()
{
    if (!editor_)
        return;
    switch (UndoKeyActionOf(editor_->History(), UndoSortingAvailable())) {
    case UndoKeyAction::UndoSorting: Action(cmd::UndoSorting)->trigger(); break;
    case UndoKeyAction::UndoStep: editor_->Undo(); break;
    case UndoKeyAction::Nothing: break;
    }
}

void MainWindow::RecordStoreFilled(const std::filesystem::path& file, const std::string& step, StepKind kind)
{
    if (!editor_)
        return;
    editorFrame_->setWindowTitle(QString(" [ %1 ] [*]").arg(QString::fromStdString(file.string())));
    editor_->RecordChange(step, kind);
    editor_->MarkSaved();
    preferences_.recent.Add(file.string());
    RebuildRecentMenu();
    UpdateCommands();
}

void MainWindow::UpdateHistoryCommands()
{
    const auto* undo = editor_ ? editor_->History().NextUndo() : nullptr;
    const auto* redo = editor_ ? editor_->History().NextRedo() : nullptr;
    Action(cmd::Undo)->setText(undo ? "&Undo " + QString::fromStdString(undo->name) : "&Undo");
    Action(cmd::Redo)->setText(redo ? "&Redo " + QString::fromStdString(redo->name) : "&Redo");
    Action(cmd::Undo)->setEnabled(editor_ && UndoKeyActionOf(editor_->History(), UndoSortingAvailable()) != UndoKeyAction::Nothing);
    Action(cmd::Redo)->setEnabled(redo != nullptr);
}

}  // namespace velk::gui
