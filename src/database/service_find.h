#pragma once
// Finding services across the whole database: the text is matched against the
// names (case and accents ignored) and, when it is a number, against program
// numbers, PIDs in the shown radix and carrier frequencies.
#include "database/service_catalog.h"

#include <string>
#include <string_view>
#include <vector>

namespace velk {

enum class MatchField : std::uint8_t { Name, ProgramNumber, Pid, Frequency };

struct FindMatch {
    std::uint32_t channel = 0;  // 0-based channel-order position
    MatchField field = MatchField::Name;
};

// Built once per database state; each search is then a scan of prepared names.
class ServiceFinder {
public:
    explicit ServiceFinder(const ServiceCatalog& catalog);

    std::vector<FindMatch> Find(std::string_view text, bool pidsHex) const;

private:
    const ServiceCatalog& catalog_;
    std::vector<std::string> names_;  // normalised, by channel
};

}  // namespace velk
