#pragma once
// The "User Settings" dialog of the open database's product type: the tabs of
// its layout with every field's value list, filled from the record. "&Ok"
// hands the texts to link::AcceptUserSettings and shows its refusals.
#include "common/ui.h"
#include "link/user_settings_accept.h"

#include <QDialog>

#include <map>

class QComboBox;
class QSpinBox;
class QTabWidget;

namespace velk::gui {

class UserSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    UserSettingsDialog(link::UserSettings& record, std::uint8_t productType, std::uint32_t serviceCount, Ui& ui, QWidget* parent);

    QTabWidget* Tabs() const { return tabs_; }
    // The field's widget: a QComboBox for a list, a QLineEdit for a number or a text.
    QWidget* Field(std::string_view key) const;

protected:
    void accept() override;

private:
    struct Tab {
        const char* title;
        std::vector<std::string_view> keys;
    };
    static std::vector<Tab> LayoutOf(std::uint8_t productType);
    QWidget* MakeField(const link::SettingField& field, const std::string& text, QWidget* parent);
    QWidget* BuildColourTab();
    link::SettingTexts Texts() const;

    link::UserSettings& record_;
    std::uint8_t productType_;
    std::uint32_t serviceCount_;
    Ui& ui_;
    QTabWidget* tabs_;
    std::map<std::string, QWidget*, std::less<>> fields_;
    QComboBox* theme_ = nullptr;
    bool coloursTakenUp_ = false;
};

}  // namespace velk::gui
