#include "common/build_identity.h"

#include "common/build_info.h"
#include "common/format.h"

namespace velk {

std::string ApplicationTitle() { return Format("Velk Editor %d.%d.%d", build::kMajor, build::kMinor, build::kBuild); }
std::string VersionText() { return Format("Version - %d.%d.%d", build::kMajor, build::kMinor, build::kBuild); }
std::string BuildDate() { return __DATE__; }
std::string BuildTime() { return __TIME__; }
std::string ProjectId() { return build::kProjectId; }

std::string BuildIdentity()
{
    return ApplicationTitle() + " (" + ProjectId() + ", built " + BuildDate() + " " + BuildTime() + ")";
}

}  // namespace velk
