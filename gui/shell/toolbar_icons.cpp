#include "shell/toolbar_icons.h"

#include "shell/command_table.h"

#include <QStyle>

#include <array>

namespace velk::gui {
namespace {

struct IconName {
    Command command;
    const char* theme;  // freedesktop icon naming
    QStyle::StandardPixmap fallback;
};

constexpr std::array<IconName, 13> kCommandIcons{{
    {cmd::New, "document-new", QStyle::SP_FileIcon},
    {cmd::Open, "document-open", QStyle::SP_DialogOpenButton},
    {cmd::Save, "document-save", QStyle::SP_DialogSaveButton},
    {cmd::Close, "document-close", QStyle::SP_DialogCloseButton},
    {cmd::UploadAdb, "go-up", QStyle::SP_ArrowUp},
    {cmd::Download, "go-down", QStyle::SP_ArrowDown},
    {cmd::Settings, "preferences-system", QStyle::SP_ComputerIcon},
    {cmd::SdbInformation, "dialog-information", QStyle::SP_MessageBoxInformation},
    {cmd::ExpandCollapse, "view-list-tree", QStyle::SP_FileDialogDetailedView},
    {cmd::SortInformation, "view-sort-ascending", QStyle::SP_FileDialogListView},
    {cmd::Vantorup, "network-transmit", QStyle::SP_DriveNetIcon},
    {cmd::TextFile, "text-x-generic", QStyle::SP_FileDialogContentsView},
    {cmd::Compression, "package-x-generic", QStyle::SP_DriveFDIcon},
}};

struct DropDownName {
    const char* objectName;
    const char* theme;
    QStyle::StandardPixmap fallback;
};

constexpr std::array<DropDownName, 4> kDropDownIcons{{
    {"IMPORT_MENU", "document-import", QStyle::SP_DirOpenIcon},
    {"UPLOAD_MENU", "document-send", QStyle::SP_ArrowUp},
    {"MERGE_MENU", "list-add", QStyle::SP_FileDialogNewFolder},
    {"URT_MENU", "document-save-as", QStyle::SP_DriveHDIcon},
}};

QIcon Themed(const char* theme, QStyle::StandardPixmap fallback, const QStyle& style)
{
    return QIcon::fromTheme(QString::fromLatin1(theme), style.standardIcon(fallback));
}

}  // namespace

QIcon CommandIcon(Command command, const QStyle& style)
{
    for (const auto& icon : kCommandIcons)
        if (icon.command == command)
            return Themed(icon.theme, icon.fallback, style);
    return {};
}

QIcon DropDownIcon(const QString& name, const QStyle& style)
{
    for (const auto& icon : kDropDownIcons)
        if (name == QLatin1String(icon.objectName))
            return Themed(icon.theme, icon.fallback, style);
    return {};
}

}  // namespace velk::gui
