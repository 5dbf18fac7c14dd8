#pragma once
// Preferences in QSettings (organisation "Kym", application "VelkEditor"),
// with the registry's key path turned into groups.
#include "shell/key_value_store.h"

#include <QSettings>

namespace velk::gui {

class QSettingsStore final : public KeyValueStore {
public:
    QSettingsStore() : settings_("Kym", "VelkEditor") {}
    bool HasKey(const std::string& key) const override;
    std::optional<std::string> Read(const std::string& key, const std::string& name) const override;
    void Write(const std::string& key, const std::string& name, const std::string& value) override;

private:
    mutable QSettings settings_;
};

}  // namespace velk::gui
