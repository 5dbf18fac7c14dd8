#pragma once
// "Multiple Image Details": the application, resource and SDB images with their
// flash regions, each group enabled by its check box, checked by the core in its
// order (overlaps last) and laid into one URT file.
#include "common/ui.h"
#include "image/field_memory.h"
#include "image/flash_image.h"

#include <QDialog>

#include <array>
#include <map>
#include <string>

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace velk::gui {

class MultipleImageDialog : public QDialog {
    Q_OBJECT
public:
    MultipleImageDialog(Ui& ui, const UrtSettings& settings, FieldMemory& memory, QWidget* parent = nullptr);

    MultipleImageForm Form() const;

signals:
    void settingsRequested();

protected:
    void done(int result) override;

private:
    // The widgets of one image's group.
    struct ImageGroup {
        QCheckBox* present;
        QWidget* fields;
        QLineEdit* file;
        QCheckBox* compressed;
    };

    QWidget* BuildCommonBox(const MultipleImageForm& start);
    QWidget* BuildImageBox(std::size_t index, const FlashImageEntry& start);
    QWidget* BuildRegionBox(const MultipleImageForm& start);
    QLineEdit* AddHex(const std::string& name, int digits, std::uint32_t value);
    void UpdateEnabling();
    void GenerateUrt();
    std::uint32_t Hex(const std::string& name) const;

    Ui& ui_;
    const UrtSettings& settings_;
    FieldMemory& memory_;
    QLineEdit* loaderText_ = nullptr;
    std::array<ImageGroup, 3> groups_{};
    std::map<std::string, QLineEdit*> hex_;
};

}  // namespace velk::gui
