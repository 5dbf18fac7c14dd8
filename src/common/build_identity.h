#pragma once
// The identity of this build as the title, the About box and the settings keys show it.
#include <string>

namespace velk {

// "Velk Editor %d.%d.%d"
std::string ApplicationTitle();
// "Version - %d.%d.%d"
std::string VersionText();
std::string BuildDate();
std::string BuildTime();
std::string ProjectId();
// One line for --version: title, project ID, build date and time.
std::string BuildIdentity();

}  // namespace velk
