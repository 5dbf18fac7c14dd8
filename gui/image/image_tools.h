#pragma once
// The image tools in the frame: "&Compression", the BIN2URT menu ("&Single Image",
// "&Multiple Image", "BIN2URT"), the URT generator's Settings (40071) and Inspect.
// They remember their last inputs while the program runs.
#include "common/ui.h"
#include "image/field_memory.h"
#include "image/urt_settings.h"
#include "shell/command_action.h"
#include "shell/command_table.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace velk::gui {

class ImageTools : public QObject {
    Q_OBJECT
public:
    // `action` gives the frame's action of a command; `configuredImage` the upload
    // configuration's image values BIN2URT starts from, when there are any.
    using ActionLookup = std::function<CommandAction*(Command command)>;
    using ConfiguredImage = std::function<std::optional<UrtImageParams>()>;
    ImageTools(QWidget* frame, Ui& ui, const ActionLookup& action, ConfiguredImage configuredImage = {});

    void Compression();
    void SingleImage();
    void MultipleImage();
    void Bin2Urt();
    void EditUrtSettings();
    void Inspect();

    QAction* SettingsAction() const { return settingsAction_; }
    QAction* InspectAction() const { return inspectAction_; }
    const UrtSettings& Settings() const { return settings_; }

private:
    void AddToUrtMenus(const ActionLookup& action);

    QWidget* frame_;
    Ui& ui_;
    ConfiguredImage configuredImage_;
    QAction* settingsAction_;
    QAction* inspectAction_;
    UrtSettings settings_;  // the Settings dialog's values, defaults from program start
    FieldMemory compression_, single_, multiple_, bin2urt_;
};

// Creates the image tools as a child of the frame and enables their commands.
ImageTools* InstallImageTools(QWidget* frame, Ui& ui, const ImageTools::ActionLookup& action);

}  // namespace velk::gui
