#include "import/satellite_step_page.h"

#include "import/staging_list_model.h"
#include "import/wizard_widgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

QRegularExpressionValidator* ThreeDigits(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression("\\d{0,3}"), parent);
}

// The in-place editor of a satellite's LNB index: digits only, at most three.
class LnbIndexDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName("lnbIndexEditor");
        edit->setMaxLength(3);
        edit->setValidator(ThreeDigits(edit));
        return edit;
    }
};

}  // namespace

SatelliteStepPage::SatelliteStepPage(ImportWizard& wizard, QWidget* parent) : QWizardPage(parent), wizard_(wizard)
{
    const auto satellite = [this](std::uint32_t i) -> const ImportSatellite& { return wizard_.Staging().satellites.at(i); };
    model_ = new StagingListModel({{"LNB Index", [satellite](std::uint32_t i) { return QString::number(satellite(i).lnbNumber); }},
                                   {"Satellite Name", [satellite](std::uint32_t i) { return QString::fromStdString(satellite(i).name); }}},
                                  this);
    model_->SetCheckable([satellite](std::uint32_t i) { return satellite(i).selected == 1; },
                         [this](std::uint32_t i, bool on) { wizard_.SetSatelliteSelected(i, on); });
    model_->SetEditable([this](std::uint32_t i, const QString& text) { wizard_.SetSatelliteLnb(i, text.toUInt()); });
    list_ = MakeListView(model_, "satelliteList", this);
    list_->setEditTriggers(QAbstractItemView::DoubleClicked);
    list_->setItemDelegateForColumn(0, new LnbIndexDelegate(list_));
    connect(model_, &StagingListModel::checkToggled, this, &SatelliteStepPage::UpdateCounters);

    selectAll_ = new QCheckBox("&Select All", this);
    selectAll_->setObjectName("selectAll");
    connect(selectAll_, &QCheckBox::clicked, this, &SatelliteStepPage::SelectAll);
    defaultLnb_ = new QLineEdit(this);
    defaultLnb_->setObjectName("defaultLnb");
    defaultLnb_->setMaxLength(3);
    defaultLnb_->setValidator(ThreeDigits(defaultLnb_));
    connect(defaultLnb_, &QLineEdit::editingFinished, this, &SatelliteStepPage::RestoreRefusedDefault);
    auto* setAll = MakeButton("Set to &All", "setToAll", this);
    connect(setAll, &QPushButton::clicked, this, &SatelliteStepPage::SetDefaultToAll);

    auto* counters = new QFormLayout;
    total_ = AddCounter(counters, "Total satellites", "totalSatellites");
    selected_ = AddCounter(counters, "Selected satellites", "selectedSatellites");
    lnbs_ = AddCounter(counters, "Total no. of LNB", "totalLnbs");
    auto* defaults = new QHBoxLayout;
    defaults->addWidget(new QLabel("Default LNB index", this));
    defaults->addWidget(defaultLnb_);
    defaults->addWidget(setAll);
    defaults->addStretch();
    defaults->addWidget(selectAll_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(defaults);
    layout->addLayout(counters);
}

void SatelliteStepPage::initializePage()
{
    model_->SetRowCount(static_cast<std::uint32_t>(wizard_.Staging().satellites.size()));
    defaultLnb_->setText(DefaultText());
    UpdateCounters();
}

bool SatelliteStepPage::validatePage()
{
    const bool ok = wizard_.LeaveSatelliteStep();
    model_->Refresh();
    return ok;
}

void SatelliteStepPage::UpdateCounters()
{
    const auto total = wizard_.Staging().satellites.size();
    const auto selected = wizard_.SelectedSatelliteCount();
    total_->setText(QString::number(total));
    selected_->setText(QString::number(selected));
    lnbs_->setText(QString::number(wizard_.LnbCount()));
    selectAll_->setChecked(total != 0 && selected == total);
}

void SatelliteStepPage::SelectAll(bool checked)
{
    wizard_.SelectAllSatellites(checked);
    model_->Refresh();
    UpdateCounters();
}

QString SatelliteStepPage::DefaultText() const
{
    return wizard_.DefaultLnb() == 0 ? QString() : QString::number(wizard_.DefaultLnb());
}

void SatelliteStepPage::RestoreRefusedDefault()
{
    const auto value = defaultLnb_->text().toUInt();
    if (value == 0 || value > wizard_.LnbCount())
        defaultLnb_->setText(DefaultText());
}

void SatelliteStepPage::SetDefaultToAll()
{
    if (wizard_.SetDefaultLnbToAll(defaultLnb_->text().toUInt()))
        model_->Refresh();
}

}  // namespace velk::gui
