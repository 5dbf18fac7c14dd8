#pragma once
// The frame's database workflows: Import (three list formats), the list
// mergers, the SDB merge, Sort and Undo Sorting. Each command opens its window
// over the frame; what changes the open database goes back to the frame.
#include <QObject>

#include <filesystem>

namespace velk::gui {

class ListImport;
class MainWindow;

class WorkflowCommands : public QObject {
    Q_OBJECT
public:
    // Connects the commands' actions of `frame`.
    explicit WorkflowCommands(MainWindow& frame);

    // Enables the commands for the frame's state.
    void UpdateCommands();

    void Sort();
    void UndoSort();
    void MergeSdb();

private:
    MainWindow& frame_;
    ListImport* import_;
    // The file the last sort wrote: Undo Sorting restores it only while it is the open one.
    std::filesystem::path sortedFile_;
};

}  // namespace velk::gui
