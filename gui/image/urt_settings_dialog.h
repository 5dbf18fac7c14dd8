#pragma once
// "Settings" of the URT generator (command 40071): the two table IDs, the partition
// size and the block size the image dialogs generate with.
#include "image/urt_settings.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace velk::gui {

class UrtSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Preselects the current values; "OK" writes them back into `settings`.
    UrtSettingsDialog(UrtSettings& settings, QWidget* parent = nullptr);
    void accept() override;

private:
    UrtSettings& settings_;
    QLineEdit* headerId_;
    QLineEdit* blockId_;
    QComboBox* partition_;
    QComboBox* block_;
};

}  // namespace velk::gui
