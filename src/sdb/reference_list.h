#pragma once
// The services of a reference list for "apply order": a CSV list, told by its
// extension, or another database file of either layout.
#include "common/ui.h"
#include "database/service_identity.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velk::sdb {

// nullopt after a message, or with the CSV list's unreadable rows in `problems`.
std::optional<std::vector<ServiceKey>> ReadReferenceList(Ui& ui, const std::filesystem::path& path, std::vector<std::string>& problems);

}  // namespace velk::sdb
