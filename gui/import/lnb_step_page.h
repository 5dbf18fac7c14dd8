#pragma once
// Step 1 of the import wizard: the LNB list with Add, Edit, Delete and the
// number of LNB records.
#include "import/import_wizard.h"

#include <QWizardPage>

class QPushButton;
class QTableView;

namespace velk::gui {

class StagingListModel;

class LnbStepPage : public QWizardPage {
    Q_OBJECT
public:
    LnbStepPage(ImportWizard& wizard, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override { return wizard_.LeaveLnbStep(); }

    // The number-of-LNB dialog; the wizard opens it before this step too.
    void ChangeLnbCount();
    QTableView* List() const { return list_; }

private:
    void Refresh();
    void AddLnb();
    void EditLnb();
    void DeleteLnb();
    std::optional<std::size_t> SelectedRow() const;

    ImportWizard& wizard_;
    std::vector<ImportLnb> rows_;
    StagingListModel* model_;
    QTableView* list_;
    QPushButton* edit_;
    QPushButton* delete_;
};

}  // namespace velk::gui
