#include "sdb/workflow_commands.h"

#include "database/step_names.h"
#include "import/list_import.h"
#include "import/list_merger_dialog.h"
#include "sdb/sdb_merge_dialog.h"
#include "sdb/sort_dialog.h"
#include "shell/command_table.h"
#include "shell/main_window.h"

#include <QAction>
#include <QApplication>

namespace velk::gui {
namespace {

constexpr std::pair<Command, ListFormat> kImports[] = {
    {cmd::ImportSatcoDx, ListFormat::SatcoDx}, {cmd::ImportDvb2000, ListFormat::Dvb2000}, {cmd::ImportLyngsat, ListFormat::Lyngsat}};
constexpr std::pair<Command, MergedListFormat> kListMergers[] = {{cmd::MergeSatcoDx, MergedListFormat::SatcoDx},
                                                             {cmd::MergeDvb2000, MergedListFormat::Dvb2000},
                                                             {cmd::MergeLyngsat, MergedListFormat::Lyngsat}};

}  // namespace

WorkflowCommands::WorkflowCommands(MainWindow& frame) : QObject(&frame), frame_(frame), import_(new ListImport(frame))
{
    for (const auto& entry : kImports) {
        const auto format = entry.second;
        frame.Action(entry.first)->Handle(this, [this, format] { import_->Start(format); });
    }
    for (const auto& entry : kListMergers) {
        const auto format = entry.second;
        frame.Action(entry.first)->Handle(this, [this, format] {
            ListMergerDialog dialog(format, frame_.UiPort(), &frame_);
            dialog.exec();
        });
    }
    frame.Action(cmd::MergeSdb)->Handle(this, &WorkflowCommands::MergeSdb);
    frame.Action(cmd::SortInformation)->Handle(this, &WorkflowCommands::Sort);
    frame.Action(cmd::UndoSorting)->Handle(this, &WorkflowCommands::UndoSort);
    connect(import_, &ListImport::busyChanged, this, &WorkflowCommands::UpdateCommands);
}

void WorkflowCommands::UpdateCommands()
{
    for (const auto& entry : kImports)
        frame_.Action(entry.first)->setEnabled(!import_->Busy());
    for (const auto& entry : kListMergers)
        frame_.Action(entry.first)->setEnabled(true);
    frame_.Action(cmd::MergeSdb)->setEnabled(true);
    const bool editor = frame_.Editor() != nullptr;
    frame_.Action(cmd::SortInformation)->setEnabled(editor);
    frame_.Action(cmd::UndoSorting)->setEnabled(editor && !sortedFile_.empty() && frame_.FileSession().currentFile == sortedFile_);
}

void WorkflowCommands::MergeSdb()
{
    SdbMergeDialog dialog(frame_.UiPort(), frame_.Store().placement, &frame_);
    dialog.exec();
}

void WorkflowCommands::Sort()
{
    if (!frame_.Editor() || !sdb::CanSort(frame_.Store(), frame_.UiPort()))
        return;
    SortDialog dialog(frame_.Store(), frame_.FileSession(), frame_.UiPort(), &frame_);
    dialog.exec();
    if (dialog.Sorted()) {
        sortedFile_ = frame_.FileSession().currentFile;
        frame_.RecordStoreFilled(sortedFile_, kSortStepName, StepKind::Sort);
    } else if (frame_.Editor()) {
        frame_.Editor()->Reload();  // a failed reopen may have changed the store
    }
}

void WorkflowCommands::UndoSort()
{
    if (!frame_.Editor() || frame_.FileSession().currentFile != sortedFile_)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int restored = sdb::UndoSorting(frame_.Store(), frame_.FileSession(), frame_.UiPort());
    QApplication::restoreOverrideCursor();
    if (restored == 1) {
        sortedFile_.clear();
        frame_.ShowStoreDatabase(frame_.FileSession().currentFile);
    } else {
        frame_.Editor()->Reload();
    }
}

}  // namespace velk::gui
