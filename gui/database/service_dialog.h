#pragma once
// "Service Information".
#include "database/record_dialog.h"

#include <QCheckBox>

#include <array>

namespace velk::gui {

class ServiceDialog : public RecordDialog {
    Q_OBJECT
public:
    // `otherProgramNumbers`: those of the other services of the same carrier;
    // `hex`: PIDs are shown and read in hexadecimal.
    ServiceDialog(const WorkingStore& store, Ui& ui, const ServiceRecord& record, std::vector<std::uint16_t> otherProgramNumbers, bool hex,
                  QWidget* parent = nullptr);
    const ServiceRecord& Edited() const { return record_; }

private:
    bool Collect() override;
    void TypeChosen(int index);

    std::vector<std::uint16_t> otherProgramNumbers_;
    bool hex_;
    QLineEdit* name_;
    QLineEdit* programNumber_;
    QComboBox* type_;
    QLineEdit* video_;
    QLineEdit* audio_;
    QLineEdit* pcr_;
    std::array<QCheckBox*, 4> groups_{};
    QCheckBox* scrambled_;
    QCheckBox* factoryDefault_;
    ServiceRecord record_;
};

}  // namespace velk::gui
