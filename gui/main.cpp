// velk-editor: the channel database editor of the receiver.
#include "shell/main_window.h"
#include "shell/qsettings_store.h"

#include <QApplication>
#include <QIcon>

#include "common/build_identity.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

int main(int argc, char** argv)
{
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("%s\n", velk::BuildIdentity().c_str());
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("VelkEditor");
    QApplication::setOrganizationName("Kym");
    QApplication::setWindowIcon(QIcon::fromTheme("velk-editor"));

    velk::gui::QtUi startupUi(nullptr);
    auto session = velk::Session::Start(std::filesystem::current_path(), startupUi);
    if (!session)
        return 0;
    velk::gui::QSettingsStore settings;
    velk::Preferences preferences;
    preferences.Load(settings);

    velk::gui::MainWindow window(*session, settings, preferences);
    window.ShowWithSavedGeometry();
    // "Open with": a file named on the command line is opened at start.
    const auto arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.OpenDatabase(std::filesystem::path(arguments.at(1).toStdString()));
    return QApplication::exec();
}
