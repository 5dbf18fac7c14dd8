#include "import/import_wizard_dialog.h"

#include "import/carrier_step_page.h"
#include "import/lnb_step_page.h"
#include "import/satellite_step_page.h"
#include "import/service_step_page.h"

#include <QAbstractButton>

namespace velk::gui {
namespace {

constexpr const char* kStepTitles[] = {
    "Import Wizard ( 1/4 ) Steps - LNB Selection",
    "Import Wizard ( 2/4 ) Steps - Satellite Selection",
    "Import Wizard ( 3/4 ) Steps - Carrier Selection",
    "Import Wizard ( 4/4 ) Steps - Service Selection",
};

}  // namespace

ImportWizardDialog::ImportWizardDialog(ImportWizard& wizard, bool fromSatellites, QWidget* parent)
    : QWizard(parent), fromSatellites_(fromSatellites)
{
    setObjectName("importWizard");
    setWizardStyle(QWizard::ClassicStyle);
    setOptions(QWizard::NoBackButtonOnStartPage | QWizard::IndependentPages);
    setButtonText(QWizard::BackButton, "&Back");
    setButtonText(QWizard::NextButton, "&Next");
    setButtonText(QWizard::FinishButton, "&Finish");
    for (auto which : {QWizard::BackButton, QWizard::NextButton, QWizard::FinishButton, QWizard::CancelButton})
        button(which)->setObjectName(QString("wizardButton%1").arg(which));
    lnbPage_ = new LnbStepPage(wizard, this);
    satellitePage_ = new SatelliteStepPage(wizard, this);
    carrierPage_ = new CarrierStepPage(wizard, this);
    servicePage_ = new ServiceStepPage(wizard, this);
    setPage(LnbStep, lnbPage_);
    setPage(SatelliteStep, satellitePage_);
    setPage(CarrierStep, carrierPage_);
    setPage(ServiceStep, servicePage_);
    setStartId(fromSatellites ? SatelliteStep : LnbStep);
    connect(this, &QWizard::currentIdChanged, this, &ImportWizardDialog::StepShown);
    resize(760, 520);
}

void ImportWizardDialog::StepShown(int id)
{
    if (id >= LnbStep && id <= ServiceStep)
        setWindowTitle(kStepTitles[id]);
}

bool ImportWizardDialog::Run()
{
    setWindowTitle(kStepTitles[fromSatellites_ ? SatelliteStep : LnbStep]);
    if (!fromSatellites_)
        lnbPage_->ChangeLnbCount();
    return exec() == QDialog::Accepted;
}

}  // namespace velk::gui
