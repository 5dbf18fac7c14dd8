#include "shell/qsettings_store.h"

namespace velk::gui {
namespace {

// "Software\Kym\VelkEditor\P\Version1.0.0\Recently" -> "P/Version1.0.0/Recently":
// organisation and application are QSettings' own scope.
QString Group(const std::string& key)
{
    auto path = QString::fromStdString(key);
    path.replace('\\', '/');
    path.remove(QStringLiteral("Software/Kym/VelkEditor/"));
    return path;
}

}  // namespace

bool QSettingsStore::HasKey(const std::string& key) const
{
    settings_.beginGroup(Group(key));
    const bool has = !settings_.childKeys().isEmpty();
    settings_.endGroup();
    return has;
}

std::optional<std::string> QSettingsStore::Read(const std::string& key, const std::string& name) const
{
    const auto value = settings_.value(Group(key) + "/" + QString::fromStdString(name));
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdString();
}

void QSettingsStore::Write(const std::string& key, const std::string& name, const std::string& value)
{
    settings_.setValue(Group(key) + "/" + QString::fromStdString(name), QString::fromStdString(value));
}

}  // namespace velk::gui
