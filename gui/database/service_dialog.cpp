#include "database/service_dialog.h"

#include "database/name_text.h"
#include <QHBoxLayout>

namespace velk::gui {

ServiceDialog::ServiceDialog(const WorkingStore& store, Ui& ui, const ServiceRecord& record, std::vector<std::uint16_t> otherProgramNumbers,
                             bool hex, QWidget* parent)
    : RecordDialog(store, ui, "Service Information", "Click to update service record", parent),
      otherProgramNumbers_(std::move(otherProgramNumbers)), hex_(hex), record_(record)
{
    const QString radix = hex ? " [Hex]" : " [Dec]";
    name_ = AddEdit("Service Name", "name", 19, Field::Name);
    programNumber_ = AddEdit("Program No", "programNumber", 5, Field::ProgramNumber);
    type_ = AddCombo("Service Type", "serviceType", ServiceTypeNames());
    video_ = AddEdit("Video PID" + radix, "videoPid", 4, Field::VideoPid);
    audio_ = AddEdit("Audio PID" + radix, "audioPid", 4, Field::AudioPid);
    pcr_ = AddEdit("PCR PID" + radix, "pcrPid", 4, Field::PcrPid);
    auto* groupRow = new QWidget(this);
    auto* groupLayout = new QHBoxLayout(groupRow);
    groupLayout->setContentsMargins(0, 0, 0, 0);
    for (int g = 0; g < 4; ++g) {
        groups_[static_cast<std::size_t>(g)] = new QCheckBox(QString("Group %1").arg(g + 1), groupRow);
        groups_[static_cast<std::size_t>(g)]->setObjectName(QString("group%1").arg(g + 1));
        groupLayout->addWidget(groups_[static_cast<std::size_t>(g)]);
    }
    AddRow("Favorite Group", groupRow);
    scrambled_ = new QCheckBox("Scramble", this);
    scrambled_->setObjectName("scrambled");
    AddRow({}, scrambled_);
    factoryDefault_ = new QCheckBox("Factory Default", this);
    factoryDefault_->setObjectName("factoryDefault");
    AddRow({}, factoryDefault_);
    connect(type_, &QComboBox::currentIndexChanged, this, &ServiceDialog::TypeChosen);
    name_->setText(NameToQString(record_.name.Text()));
    programNumber_->setText(QString::number(record_.programNumber));
    video_->setText(Q(PidText(record_.videoPid, hex_)));
    audio_->setText(Q(PidText(record_.audioPid, hex_)));
    pcr_->setText(Q(PidText(record_.pcrPid, hex_)));
    type_->setCurrentIndex(record_.type == kServiceRadio ? 1 : 0);
    TypeChosen(type_->currentIndex());
    for (std::size_t g = 0; g < groups_.size(); ++g)
        groups_[g]->setChecked((record_.favourites >> g) & 1);
    scrambled_->setChecked(record_.scrambled == 1);
    factoryDefault_->setChecked(record_.factoryDefault == 1);
}

void ServiceDialog::TypeChosen(int index)
{
    const bool radio = index == 1;
    if (radio)
        video_->setText(Q(PidText(kNoPid, hex_)));
    video_->setEnabled(!radio);
}

bool ServiceDialog::Collect()
{
    ServiceInput input{NameFromQString(name_->text(), ui_), S(programNumber_->text()), S(video_->text()), S(audio_->text()), S(pcr_->text()),
                       type_->currentIndex() == 1, hex_};
    const auto check = CheckServiceFields(ui_, input, otherProgramNumbers_);
    if (check.error) {
        Refuse(*check.error);
        return false;
    }
    if (check.closeDialog) {
        reject();
        return false;
    }
    record_.name = input.name;
    record_.programNumber = static_cast<std::uint16_t>(check.programNumber);
    record_.type = input.radio ? kServiceRadio : kServiceTv;
    record_.videoPid = check.videoPid;
    record_.audioPid = check.audioPid;
    record_.pcrPid = check.pcrPid;
    std::uint8_t favourites = 0;
    for (std::size_t g = 0; g < groups_.size(); ++g)
        favourites |= static_cast<std::uint8_t>(groups_[g]->isChecked() ? 1u << g : 0u);
    record_.favourites = favourites;
    record_.scrambled = scrambled_->isChecked() ? 1 : 0;
    record_.factoryDefault = factoryDefault_->isChecked() ? 1 : 0;
    return true;
}

}  // namespace velk::gui
