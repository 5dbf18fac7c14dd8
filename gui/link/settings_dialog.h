#pragma once
// The "Settings" dialog (Ctrl+T): the serial port and its line, the PID radix,
// the product type, the compressed image, the configuration file with its
// "Configuration List" and the parser file. It only gathers the choices;
// link::ApplySettings carries out "&Ok".
#include "common/ui.h"
#include "link/settings_choice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace velk::gui {

class SettingsDialog final : public QDialog {
    Q_OBJECT
public:
    // `portLocked` while the console is connected: the port lists are disabled.
    SettingsDialog(const link::SettingsChoice& current, bool portLocked, Ui& ui, QWidget* parent);

    link::SettingsChoice Choice() const;

private:
    QWidget* BuildPortGroup(const link::SettingsChoice& current, bool portLocked);
    QWidget* BuildOptionsGroup(const link::SettingsChoice& current);
    QWidget* BuildFilesGroup(const link::SettingsChoice& current);
    void ChooseConfigurationFile();
    void ChooseParserFile();
    bool FillConfigurationList(const std::filesystem::path& file);

    Ui& ui_;
    QComboBox* port_;
    QComboBox* baud_;
    QComboBox* parity_;
    QComboBox* dataBits_;
    QComboBox* stopBits_;
    QComboBox* pids_;
    QComboBox* productType_;
    QCheckBox* compressed_;
    QComboBox* compressionType_;
    QComboBox* level_;
    QLineEdit* configurationFile_;
    QComboBox* configurationList_;
    QLineEdit* parserFile_;
};

}  // namespace velk::gui
