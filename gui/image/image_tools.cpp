#include "image/image_tools.h"

#include "image/compression_dialog.h"
#include "image/image_verifier.h"
#include "image/image_urt_commands.h"
#include "image/verifier_window.h"
#include "image/multiple_image_dialog.h"
#include "image/single_image_dialog.h"
#include "image/urt_settings_dialog.h"
#include "shell/command_table.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

namespace velk::gui {

ImageTools::ImageTools(QWidget* frame, Ui& ui, const ActionLookup& action, ConfiguredImage configuredImage)
    : QObject(frame), frame_(frame), ui_(ui), configuredImage_(std::move(configuredImage)),
      settingsAction_(action(cmd::UrtSettings)), inspectAction_(new QAction("&Inspect", this))
{
    inspectAction_->setObjectName("inspect");
    inspectAction_->setToolTip("Check a URT file or a compressed image before it is sent");
    const std::pair<Command, void (ImageTools::*)()> commands[] = {
        {cmd::Compression, &ImageTools::Compression}, {cmd::SingleImage, &ImageTools::SingleImage},
        {cmd::MultipleImage, &ImageTools::MultipleImage}, {cmd::Bin2Urt, &ImageTools::Bin2Urt},
        {cmd::UrtSettings, &ImageTools::EditUrtSettings}};
    for (const auto& [command, handler] : commands) {
        CommandAction* a = action(command);
        a->setEnabled(true);
        a->Handle(this, handler);
    }
    connect(inspectAction_, &QAction::triggered, this, &ImageTools::Inspect);
    AddToUrtMenus(action);
}

void ImageTools::AddToUrtMenus(const ActionLookup& action)
{
    // Every menu that offers BIN2URT (the Tools menu's and the toolbar drop-down) gets the two.
    for (QObject* owner : action(cmd::Bin2Urt)->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) {
            menu->addSeparator();
            menu->addAction(settingsAction_);
            menu->addAction(inspectAction_);
        }
    }
}

void ImageTools::Compression()
{
    CompressionDialog dialog(ui_, compression_, frame_);
    dialog.exec();
}

void ImageTools::SingleImage()
{
    SingleImageDialog dialog(SingleImageDialog::Mode::SingleImage, ui_, settings_, UrtImageParams{}, single_, frame_);
    connect(&dialog, &SingleImageDialog::settingsRequested, this, &ImageTools::EditUrtSettings);
    dialog.exec();
}

void ImageTools::MultipleImage()
{
    MultipleImageDialog dialog(ui_, settings_, multiple_, frame_);
    connect(&dialog, &MultipleImageDialog::settingsRequested, this, &ImageTools::EditUrtSettings);
    dialog.exec();
}

void ImageTools::Bin2Urt()
{
    const std::optional<UrtImageParams> configured = configuredImage_ ? configuredImage_() : std::nullopt;
    // BIN2URT generates with the upload configuration's settings, which are the generator's defaults.
    const UrtSettings uploadSettings;
    SingleImageDialog dialog(SingleImageDialog::Mode::Bin2Urt, ui_, uploadSettings, configured.value_or(Bin2UrtDefaultParams()), bin2urt_,
                             frame_);
    dialog.exec();
}

void ImageTools::EditUrtSettings()
{
    UrtSettingsDialog dialog(settings_, QApplication::activeModalWidget() ? QApplication::activeModalWidget() : frame_);
    dialog.exec();
}

void ImageTools::Inspect()
{
    const auto file = ui_.ChooseOpenFile({"Inspect", "URT and compressed image files|*.urt *.bin", "urt", {}});
    if (!file)
        return;
    auto* window = new InspectWindow(QString::fromStdString(file->string()), InspectImageFile(*file), frame_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

ImageTools* InstallImageTools(QWidget* frame, Ui& ui, const ImageTools::ActionLookup& action)
{
    return new ImageTools(frame, ui, action);
}

}  // namespace velk::gui
