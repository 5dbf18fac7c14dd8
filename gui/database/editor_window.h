#pragma once
// The editor window of the open database ("VelkChild"): the tree of the four
// record levels, the record list, the detail strip and the counters. It shows
// a snapshot of the store, reread after every change; the changes themselves
// are made by the edit controller, the window gathers their input in dialogs
// and maps what changed to its views.
#include "common/ui.h"
#include "database/details.h"
#include "database/drop_views.h"
#include "database/edit_controller.h"
#include "database/find_bar.h"
#include "database/record_list_model.h"
#include "database/service_views.h"
#include "database/store_snapshot.h"
#include "database/tree_nodes.h"
#include "shell/command_table.h"
#include "shell/preferences.h"

#include <QWidget>

#include <memory>

class QGroupBox;
class QMenu;
class QLabel;
class QPushButton;
class QTableWidget;

namespace velk::gui {

class EditorWindow : public QWidget {
    Q_OBJECT
public:
    EditorWindow(WorkingStore& store, Ui& ui, const ColourTable& colours, QWidget* parent = nullptr);

    // Rereads the store and rebuilds tree and list, keeping the selected node and row.
    void Reload();
    // Carries out a popup-menu or view command; false when it does not apply here.
    bool RunCommand(Command command);
    // Adds the list's "Mark As" and selection sub-menus for the rows it shows.
    void AddMarkMenus(QMenu* menu);
    // Whether `command` applies to the current node and rows (menu enabling).
    bool CanRun(Command command) const;

    // Unsaved changes: the history does not stand where the database was saved.
    bool Modified() const { return modified_; }
    const EditHistory& History() const { return controller_.History(); }
    // Undo or redo the step the history names, then reread the store.
    void Undo();
    void Redo();
    // A change made to the store outside the editor's commands, recorded as one step.
    void RecordChange(const std::string& name, StepKind kind = StepKind::Edit);
    // A change kept beside the store (the receiver's user settings), which the
    // history does not hold: the database is unsaved until the next save.
    void MarkChangedBesideStore();
    // The store as it is now is the saved database.
    void MarkSaved();
    // The store was replaced as a whole: the history starts again from it.
    void ResetHistory();

    // Ctrl+F: the find bar over the editor.
    void ShowFindBar();
    FindBar* Finder() const { return findBar_; }
    // Makes the carrier of a found service current and selects its row (0-based records).
    void ShowFound(std::uint32_t carrier, std::uint32_t service);

    // editor_tools.cpp: Tools › Find Duplicates and Apply Order From, the CSV list out and in.
    void FindDuplicates();
    void ApplyOrderFrom();
    void ExportCsv();
    void ImportCsv();
    bool Hex() const { return model_->Hex(); }
    // The service view the list shows, when it shows services.
    std::optional<ServiceView> CurrentServiceView() const;

    QTreeWidget* Tree() const { return tree_; }
    QTableView* List() const { return list_; }
    // A tree node dropped on another: moves a satellite or a carrier within its satellite.
    void DropNode(QTreeWidgetItem* dragged, QTreeWidgetItem* target);
    // The selected service rows dropped on row `target` (0-based).
    void DropRows(int target);
    RecordListModel* Model() const { return model_; }
    QTableWidget* Strip() const { return strip_; }
    QGroupBox* StripGroup() const { return stripGroup_; }
    QTreeWidgetItem* RootNode(NodeKind kind) const;
    QTreeWidgetItem* SatelliteNode(int number) const;       // 1-based
    QTreeWidgetItem* CarrierNode(int satellite, int position) const;
    QTreeWidgetItem* NodeAt(const NodeAddress& address) const;
    void SelectNode(QTreeWidgetItem* item);
    // Gives the keyboard focus to the list or the tree (commands act on the focused one).
    void FocusList();
    void FocusTree();
    // 0-based rows selected in the list, ascending.
    std::vector<int> SelectedRows() const;
    void SelectRows(const std::vector<int>& rows);

signals:
    void modifiedChanged(bool modified);
    // The node, the rows or the contents changed: menu enabling may change.
    void contextChanged();
    // Right click on the tree or the list: the frame shows the popup menu.
    void popupRequested(const QPoint& globalPos, bool onList);
    // Enter or a double click on the "User Settings" node.
    void userSettingsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // editor_window.cpp: the views.
    QLayout* BuildHeaderRow();
    void BuildStrip();
    void BuildViews();
    void ConnectViews();
    void BuildTree();
    void RebuildList();
    void NodeChanged();
    void RowChanged();
    void ShowStrip(const DetailStrip& strip);
    void RefreshCounters();
    void SetFilter(ServiceFilter filter);
    void SetServiceLevel(bool services);
    void UpdateButtons();
    void SyncModified();
    void ColourTree();
    void ExpandCollapse();
    void SetHex(bool hex);
    std::vector<std::uint32_t> SelectedRowNumbers() const;  // 1-based
    NodeKind CurrentKind() const;

    // editor_edits.cpp: commands, dialogs and their changes.
    EditTarget Target() const;
    // After a change: reread, follow the history's modified flag, restore or move the selection.
    void Show(const std::optional<EditChange>& change);
    void EditSelected();
    void EditNode(QTreeWidgetItem* item);
    void EditRow(int row);
    void MoveOrSwap(bool swap);
    void MoveServiceRows();
    void ChangeCarrier();
    void ShowDetailedInformation();

    // The services as one list; nullopt after a message.
    std::optional<ServiceCatalog> Catalog() const;

    // editor_marks.cpp: the list's mark and selection passes.
    MarkList CurrentMarkList() const;
    void ApplySelection(const std::optional<std::vector<bool>>& selection);

    WorkingStore& store_;
    Ui& ui_;
    EditController controller_;
    const ColourTable& colours_;
    std::shared_ptr<const StoreSnapshot> snapshot_;
    EditorTree* tree_;
    EditorList* list_;
    RecordListModel* model_;
    QLabel* header_;
    QPushButton* filterButtons_[3];
    QPushButton* carrierLevel_;
    QPushButton* serviceLevel_;
    QGroupBox* stripGroup_;
    QTableWidget* strip_;
    FindBar* findBar_;
    QLabel* counters_[3];
    ServiceFilter filter_ = ServiceFilter::Both;
    bool serviceLevel_on_ = true;
    bool busy_ = false;
    bool modified_ = false;
    bool changedBesideStore_ = false;
    bool expanded_ = false;
    bool listHasFocus_ = false;
};

}  // namespace velk::gui
