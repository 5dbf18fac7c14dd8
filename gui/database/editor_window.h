#pragma once
// The editor window of the open database ("VelkChild"): the tree of the four
// record levels, the record list, the detail strip and the counters. It reads
// the working store into a snapshot after every change and routes the popup
// commands to the dialogs and editing operations.
#include "common/ui.h"
#include "database/drop_views.h"
#include "database/factory_default.h"
#include "database/record_list_model.h"
#include "database/service_views.h"
#include "database/store_snapshot.h"
#include "database/tree_nodes.h"
#include "shell/preferences.h"

#include <QWidget>

#include <memory>

class QGroupBox;
class QMenu;
class QLabel;
class QPushButton;
class QTableWidget;

namespace velk::gui {

struct DetailStrip;

class EditorWindow : public QWidget {
    Q_OBJECT
public:
    EditorWindow(WorkingStore& store, Ui& ui, const ColourTable& colours, QWidget* parent = nullptr);

    // Rereads the store and rebuilds tree and list, keeping the selected node and row.
    void Reload();
    // Carries out a popup-menu or view command; false when it does not apply here.
    bool Command(int command);
    // Adds the list's "Mark As" and selection sub-menus for the rows it shows.
    void AddMarkMenus(QMenu* menu);
    // Whether `command` applies to the current node and rows (menu enabling).
    bool CanRun(int command) const;

    bool Modified() const { return modified_; }
    void SetModified(bool modified);
    bool Hex() const { return model_->Hex(); }
    // The service view the list shows, when it shows services.
    std::optional<ServiceView> CurrentServiceView() const;
    int CurrentKind() const;

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
    void BuildLayout();
    void BuildTree();
    void RebuildList();
    void NodeChanged();
    void RowChanged();
    void ShowStrip(const DetailStrip& strip);
    void RefreshCounters();
    void SetFilter(ServiceFilter filter);
    void SetServiceLevel(bool services);
    void UpdateButtons();
    void ColourTree();

    void EditSelected();
    void Add();
    void Insert();
    void Delete();
    void Move(bool swap);
    void MoveUpDown(bool up);
    void ToggleFactoryDefault();
    // After a successful edit: reread, mark modified, select the node if given.
    void Changed(QTreeWidgetItem* (EditorWindow::*find)(int, int) const = nullptr, int a = 0, int b = 0);
    QTreeWidgetItem* FindLnb(int n, int) const;
    QTreeWidgetItem* FindSatellite(int n, int) const { return SatelliteNode(n); }
    QTreeWidgetItem* FindCarrier(int s, int p) const { return CarrierNode(s, p); }
    std::vector<std::uint32_t> SelectedRowNumbers() const;  // 1-based
    bool ServiceListFocused() const;
    int SatelliteNumberOfNode(QTreeWidgetItem* item) const;
    void EditNode(QTreeWidgetItem* item);
    void EditRow(int row);
    void AfterEdit();
    void ExpandCollapse();
    void ShowDetailedInformation();
    void ChangeCarrier();
    void SetHex(bool hex);
    // Mark passes and selection passes of the popup menus.
    void Marked(const std::optional<velk::MarkResult>& result);
    void ApplySelection(const std::optional<std::vector<bool>>& selection);
    std::uint32_t CarrierListSatellite() const;  // 0 in "All Carrier(s)"
    void AddLnbMarks(QMenu* mark, QMenu* select);
    void AddSatelliteMarks(QMenu* mark, QMenu* select);
    void AddCarrierMarks(QMenu* mark, QMenu* select);
    void AddServiceMarks(QMenu* mark, QMenu* select);
    std::vector<std::uint16_t> OtherProgramNumbers(std::uint32_t serviceRecord) const;

    WorkingStore& store_;
    Ui& ui_;
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
    QLabel* counters_[3];
    ServiceFilter filter_ = ServiceFilter::Both;
    bool serviceLevel_on_ = true;
    bool busy_ = false;
    bool modified_ = false;
    bool expanded_ = false;
    bool listHasFocus_ = false;
};

}  // namespace velk::gui
