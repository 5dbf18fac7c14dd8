#pragma once
// The import wizard's four steps as one modal wizard: each page carries its
// step's title, Back and Next refuse as the steps do, Escape cancels (the
// staging files stay, the open database is not touched).
#include "import/import_wizard.h"

#include <QWizard>

namespace velk::gui {

class LnbStepPage;
class SatelliteStepPage;
class CarrierStepPage;
class ServiceStepPage;

class ImportWizardDialog : public QWizard {
    Q_OBJECT
public:
    enum Step { LnbStep, SatelliteStep, CarrierStep, ServiceStep };

    // `fromSatellites`: a database is open, so the LNBs are its own and the
    // wizard starts at step 2 without "&Back".
    ImportWizardDialog(ImportWizard& wizard, bool fromSatellites, QWidget* parent = nullptr);

    // Runs the wizard; with no database open the number-of-LNB dialog comes
    // first. True when "&Finish" was pressed.
    bool Run();

    LnbStepPage* LnbPage() const { return lnbPage_; }
    SatelliteStepPage* SatellitePage() const { return satellitePage_; }
    CarrierStepPage* CarrierPage() const { return carrierPage_; }
    ServiceStepPage* ServicePage() const { return servicePage_; }

private:
    void StepShown(int id);

    bool fromSatellites_;
    LnbStepPage* lnbPage_;
    SatelliteStepPage* satellitePage_;
    CarrierStepPage* carrierPage_;
    ServiceStepPage* servicePage_;
};

}  // namespace velk::gui
