// The tools over all services: duplicates, order from a reference list and the
// CSV round trip. The core finds, orders and reads; the controller changes the
// store as one undoable step each.
#include "database/duplicates_dialog.h"
#include "database/editor_window.h"

#include "database/service_csv.h"
#include "sdb/reference_list.h"

#include <QApplication>

namespace velk::gui {
namespace {

const FileChoice kCsvChoice{"CSV List", "CSV Lists ( *.CSV )|*.csv", "csv", {}};
const FileChoice kReferenceChoice{"Apply Order From", "Reference Lists ( *.BIN *.CSV )|*.bin *.csv", "bin", {}};

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

std::optional<ServiceCatalog> EditorWindow::Catalog() const
{
    auto catalog = LoadServiceCatalog(store_);
    if (!catalog)
        ShowError(ui_, kFileAccessError);
    return catalog;
}

void EditorWindow::FindDuplicates()
{
    const auto catalog = Catalog();
    if (!catalog)
        return;
    const auto groups = velk::FindDuplicates(*catalog);
    if (groups.services.empty() && groups.carriers.empty()) {
        ShowInfo(ui_, "No duplicate services or carriers found.");
        return;
    }
    DuplicatesDialog dialog(*catalog, groups, MarkMenu(MarkLevel::Services, store_), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto rest = DuplicatesToDelete(groups);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto change = dialog.Chosen() == DuplicatesDialog::Choice::KeepFirst ? controller_.DeleteChannels(rest)
                                                                              : controller_.MarkChannels(dialog.MarkChosen(), rest);
    QApplication::restoreOverrideCursor();
    Show(change);
}

void EditorWindow::ApplyOrderFrom()
{
    const auto path = ui_.ChooseOpenFile(kReferenceChoice);
    if (!path)
        return;
    std::vector<std::string> problems;
    const auto reference = sdb::ReadReferenceList(ui_, *path, problems);
    if (!problems.empty())
        ShowError(ui_, Lines(problems));
    if (!reference)
        return;
    const auto summary = controller_.ApplyOrder(*reference);
    Show(summary ? std::optional(EditChange{}) : std::nullopt);
    if (summary)
        ShowInfo(ui_, *summary);
}

void EditorWindow::ExportCsv()
{
    const auto path = ui_.ChooseSaveFile(kCsvChoice);
    const auto catalog = path ? Catalog() : std::nullopt;
    if (!catalog)
        return;
    if (const auto written = WriteServiceCsvFile(*catalog, *path); !written)
        ShowError(ui_, MessageWithCause(kFileAccessError, written.error()));
}

void EditorWindow::ImportCsv()
{
    const auto path = ui_.ChooseOpenFile(kCsvChoice);
    if (!path)
        return;
    const auto text = ReadCsvFile(*path);
    if (!text) {
        ShowError(ui_, MessageWithCause(kFileAccessError, text.error()));
        return;
    }
    const auto report = controller_.ImportCsv(*text);
    Show(report ? std::optional(EditChange{}) : std::nullopt);
    if (report)
        ShowInfo(ui_, *report);
}

}  // namespace velk::gui
