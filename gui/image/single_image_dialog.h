#pragma once
// "Single Image Details": one flash image described field by field, checked by the
// core in its order, and made into a URT file. BIN2URT is the same form with its
// own start values, settings and report.
#include "common/ui.h"
#include "image/field_memory.h"
#include "image/flash_image.h"
#include "image/image_checks.h"

#include <QDialog>

#include <functional>
#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace velk::gui {

class SingleImageDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { SingleImage, Bin2Urt };

    // `settings` is what "&URT" generates with; `start` the values of a first opening.
    SingleImageDialog(Mode mode, Ui& ui, const UrtSettings& settings, const UrtImageParams& start, FieldMemory& memory,
                      QWidget* parent = nullptr);

    // The form as the fields give it.
    SingleImageForm Form() const;

signals:
    // The Settings button (command 40071).
    void settingsRequested();

protected:
    void done(int result) override;

private:
    QWidget* BuildImageBox();
    QWidget* BuildVersionBox();
    QWidget* BuildRegionBox();
    QLineEdit* AddHex(const char* name, int digits, std::uint32_t value, bool filled);
    void Fill(const UrtImageParams& start);
    void GenerateUrt();

    Mode mode_;
    Ui& ui_;
    const UrtSettings& settings_;
    FieldMemory& memory_;
    QLineEdit* imageFile_;
    QComboBox* destination_;
    QComboBox* imageType_;
    QLineEdit* loaderText_;
    QCheckBox* compressed_;
    std::map<std::string, QLineEdit*> hex_;  // by object name
};

}  // namespace velk::gui
