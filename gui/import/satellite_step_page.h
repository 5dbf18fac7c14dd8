#pragma once
// Step 2 of the import wizard: which satellites enter the database and the
// LNB each one uses (edited in place, or set for all from "Default LNB index").
#include "import/import_wizard.h"

#include <QWizardPage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace velk::gui {

class StagingListModel;

class SatelliteStepPage : public QWizardPage {
    Q_OBJECT
public:
    SatelliteStepPage(ImportWizard& wizard, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;
    QTableView* List() const { return list_; }

private:
    void UpdateCounters();
    void SelectAll(bool checked);
    void SetDefaultToAll();
    void RestoreRefusedDefault();
    QString DefaultText() const;

    ImportWizard& wizard_;
    StagingListModel* model_;
    QTableView* list_;
    QCheckBox* selectAll_;
    QLineEdit* defaultLnb_;
    QLabel* total_;
    QLabel* selected_;
    QLabel* lnbs_;
};

}  // namespace velk::gui
