// The list's "Mark As" and selection menus, built from the core's table.
#include "database/editor_window.h"
#include "database/record_dialog.h"

#include <QApplication>
#include <QMenu>

namespace velk::gui {
namespace {

std::optional<MarkLevel> LevelOf(ListKind kind)
{
    switch (kind) {
    case ListKind::Lnbs: return MarkLevel::Lnbs;
    case ListKind::Satellites: return MarkLevel::Satellites;
    case ListKind::Carriers: return MarkLevel::Carriers;
    case ListKind::Services: return MarkLevel::Services;
    case ListKind::None: break;
    }
    return std::nullopt;
}

// Adds the entries to `menu`, each item running `act` with its choice.
void AddEntries(QMenu* menu, const std::vector<MarkMenuEntry>& entries, bool factoryDefaultAllowed,
                const std::function<void(const MarkChoice&)>& act)
{
    for (const auto& entry : entries) {
        auto* target = entry.title.empty() ? menu : menu->addMenu(Q(entry.title));
        for (const auto& item : entry.items) {
            auto* action = target->addAction(Q(item.text), [act, choice = item.choice] { act(choice); });
            if (entry.factoryDefault)
                action->setEnabled(factoryDefaultAllowed);
        }
    }
}

}  // namespace

MarkList EditorWindow::CurrentMarkList() const
{
    const bool underSatellite = CurrentKind() == kSatelliteNode;
    return MarkList{CurrentServiceView(), underSatellite ? static_cast<std::uint32_t>(NumberOf(tree_->currentItem())) : 0};
}

void EditorWindow::ApplySelection(const std::optional<std::vector<bool>>& selection)
{
    if (!selection)
        return;
    std::vector<int> rows;
    for (std::size_t i = 0; i < selection->size(); ++i)
        if ((*selection)[i])
            rows.push_back(static_cast<int>(i));
    busy_ = true;  // one selection change, not one per row
    SelectRows(rows);
    busy_ = false;
    emit contextChanged();
}

void EditorWindow::AddMarkMenus(QMenu* menu)
{
    const auto kind = model_->Kind();
    const auto level = LevelOf(kind);
    if (!level)
        return;
    auto* mark = menu->addMenu("Mark As");
    auto* select = menu->addMenu(kind == ListKind::Services || kind == ListKind::Carriers ? "Selection" : "Select");
    select->addAction("A&ll", [this] { ApplySelection(SelectAllRows(static_cast<std::size_t>(model_->rowCount()))); });
    select->addAction("&Invert Selection", [this] {
        std::vector<bool> current(static_cast<std::size_t>(model_->rowCount()), false);
        for (int row : SelectedRows())
            current[static_cast<std::size_t>(row)] = true;
        ApplySelection(InvertSelection(current));
    });
    select->addSeparator();
    const auto rows = SelectedRowNumbers();
    mark->setEnabled(!rows.empty());
    const auto list = CurrentMarkList();
    const bool factoryDefaultAllowed = *level == MarkLevel::Carriers && CanMarkCarrierFactoryDefault(store_, list.satellite, rows);
    AddEntries(mark, MarkMenu(*level, store_), factoryDefaultAllowed, [this](const MarkChoice& choice) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Show(controller_.Mark(choice, CurrentMarkList(), SelectedRowNumbers()));
        QApplication::restoreOverrideCursor();
    });
    AddEntries(select, SelectMenu(*level, store_), true, [this](const MarkChoice& choice) {
        ApplySelection(SelectMatching(store_, ui_, choice, CurrentMarkList()));
    });
}

}  // namespace velk::gui
