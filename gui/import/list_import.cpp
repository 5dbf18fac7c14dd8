#include "import/list_import.h"

#include "database/record_io.h"
#include "database/step_names.h"
#include "import/import_finish.h"
#include "import/import_wizard_dialog.h"
#include "import/list_merger.h"
#include "shell/background_task.h"
#include "shell/main_window.h"

#include <QApplication>

namespace velk::gui {
namespace {

// The list chooser of a format: the merger's title and filter of the same format.
FileChoice ListChoice(ListFormat format)
{
    const auto& texts = MergerTexts(static_cast<MergedListFormat>(format));
    return {texts.openTitle, texts.openFilter, texts.extension, {}};
}

}  // namespace

ListImport::ListImport(MainWindow& frame) : QObject(&frame), frame_(frame) {}

ListImport::~ListImport() = default;

void ListImport::Start(ListFormat format)
{
    if (Busy())
        return;
    const auto list = frame_.UiPort().ChooseOpenFile(ListChoice(format));
    if (!list)
        return;
    task_ = std::make_unique<BackgroundTask>(frame_.UiPort(), &frame_, "parseProgress");
    connect(task_.get(), &BackgroundTask::finished, this, &ListImport::Parsed);
    task_->Start([this, workDir = frame_.Store().dir, list = *list](Ui& ui) {
        parsed_ = RunImportCommand(ui, workDir, list);
        return parsed_ ? 1 : 0;
    });
    emit busyChanged();
}

void ListImport::Parsed()
{
    auto session = std::move(parsed_);
    parsed_.reset();
    if (task_->Cancelled() && session) {  // cancelled after the parse ended
        DeleteStagingFiles(frame_.Store().dir);
        session.reset();
    }
    task_.release()->deleteLater();  // it is sending the signal we are in
    emit busyChanged();
    if (session)
        RunWizard(std::move(*session));
}

void ListImport::RunWizard(ImportSession session)
{
    auto& store = frame_.Store();
    auto& ui = frame_.UiPort();
    const bool databaseOpen = frame_.Editor() != nullptr;
    ImportWizard wizard(ui, store.dir, std::move(session));
    if (databaseOpen) {
        const auto lnbs = ReadAllRecords<LnbRecord>(store);
        wizard.StartWithOpenDatabase(lnbs ? *lnbs : std::vector<LnbRecord>{});
    }
    ImportWizardDialog dialog(wizard, databaseOpen, &frame_);
    if (!dialog.Run())
        return;  // cancelled: the open database stays as it was
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int built = FinishImportWizard(ui, wizard, store, frame_.FileSession(), databaseOpen);
    QApplication::restoreOverrideCursor();
    const auto& file = frame_.FileSession().currentFile;
    if (built == 1 && databaseOpen)
        frame_.RecordStoreFilled(file, kImportStepName, StepKind::Edit);
    else if (built == 1)
        frame_.ShowStoreDatabase(file);
    else if (databaseOpen)
        frame_.Editor()->Reload();  // the editor shows what the store holds after the message
    else
        ClearStore(store);  // no half-built database stays behind
}

}  // namespace velk::gui
