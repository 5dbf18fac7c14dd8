#pragma once
// The import database: the selected staging records turned into database
// records, ready for the SDB BIN writer.
//
// Services are written grouped by carrier (carrier order, as the Service
// section requires) while the channel order keeps the list's own order of
// the services. Only records whose parents are written are written.
#include "common/ui.h"
#include "database/records.h"
#include "import/import_staging.h"
#include "import/import_wizard.h"
#include "sdb/sdb_content.h"

#include <optional>
#include <span>

namespace velk {

// Limits of the file's fields: counts and indexes are 16-bit, a satellite's
// carrier count 13-bit, and the store keeps a carrier's satellite index in a byte.
inline constexpr std::size_t kMaxImportServices = 0xFFFF;
inline constexpr std::size_t kMaxImportCarriers = 0xFFFF;
inline constexpr std::size_t kMaxImportSatellites = 256;
inline constexpr std::size_t kMaxCarriersPerSatellite = 0x1FFF;

// The database of the selected records for a store's placement and product
// type (the live LNBs carry the store's default switch block; the user
// settings are the session's block of the product type), or nothing after a
// message when the selection does not fit the file's fields.
std::optional<sdb::SdbContent> SelectImportDatabase(Ui& ui, const ImportStaging& staging,
                                                    std::span<const WizardLnb> lnbs, const WorkingStore& store,
                                                    const sdb::SdbSession& session);

}  // namespace velk
