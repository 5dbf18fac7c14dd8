#pragma once
// "Default Values": the templates of new LNB, satellite, carrier and service
// records, one tab each. Ok checks the fields and stores into the defaults.
#include "common/ui.h"
#include "database/field_rules.h"
#include "database/working_store.h"

#include <QDialog>

#include <array>
#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;

namespace velk::gui {

class DefaultValuesDialog : public QDialog {
    Q_OBJECT
public:
    // `hex`: PIDs are shown and read in hexadecimal (the editor's View As).
    DefaultValuesDialog(WorkingStore& store, Ui& ui, bool hex, QWidget* parent = nullptr);
    void accept() override;

private:
    QWidget* LnbTab();
    QWidget* SatelliteTab();
    QWidget* CarrierTab();
    QWidget* ServiceTab();
    void Show(const DefaultRecords& d);
    DefaultRecords Read() const;
    QLineEdit* Edit(QWidget* tab, const char* name, int maxLength, std::optional<Field> field);
    QComboBox* Combo(QWidget* tab, const char* name, const std::vector<std::string>& items);
    QCheckBox* Check(QWidget* tab, const char* name, const QString& text);
    void LnbTypeChosen(int type);

    WorkingStore& store_;
    Ui& ui_;
    bool hex_;
    QTabWidget* tabs_;
    std::map<Field, QWidget*> fields_;
    QComboBox *lnbType_, *power_, *khz22_, *diseqc10_, *diseqc11_, *toneBurst_, *repeat_;
    QLineEdit *low_, *high_;
    QComboBox *satLnb_, *eastWest_;
    QLineEdit *angle_, *position_;
    QCheckBox* satFactory_;
    QLineEdit *frequency_, *symbolRate_, *skew_;
    QComboBox *polarization_, *fec_, *skewSign_;
    QCheckBox* carFactory_;
    QComboBox* serviceType_;
    QLineEdit *video_, *audio_, *pcr_;
    std::array<QCheckBox*, 4> groups_{};
    QCheckBox *scramble_, *serviceFactory_;
};

}  // namespace velk::gui
