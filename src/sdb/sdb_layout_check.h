#pragma once
// What the receiver's old layout would not keep of a database.
//
// The old layout carries neither the program number, the 22 kHz setting nor the
// skew, nor some service marks; reopening such a file numbers the services
// down from the service count and reads those settings back as unset. The
// check writes the database in both layouts in memory, reopens both and
// compares them record by record, so it always agrees with the writer and the
// reader.
#include "common/bytes.h"
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velk::sdb {

// The two layouts of an SDB BIN file: the receiver's ("SB") and the tagged one.
enum class SdbLayout { Old, New };

// "old" or "new".
const char* LayoutName(SdbLayout layout);
std::optional<SdbLayout> LayoutFromName(std::string_view name);

// Records whose values a reopened old-layout file would not give back.
struct OldLayoutLoss {
    std::uint32_t programNumbers = 0;  // services renumbered
    std::uint32_t khz22Settings = 0;   // switch blocks whose 22 kHz setting is reset
    std::uint32_t skews = 0;           // carriers whose skew is reset
    std::uint32_t otherRecords = 0;    // records changed in any other value

    bool Any() const { return programNumbers + khz22Settings + skews + otherRecords != 0; }
};

// What opening the file written in `layout` from a new-layout image reads;
// nullopt when the image cannot be read.
std::optional<SdbImage> ReopenedImage(Ui& ui, ByteView newLayout, SdbLayout layout, Placement placement,
                                      std::uint8_t productType);

// The loss of a new-layout image; nullopt when the image cannot be read.
std::optional<OldLayoutLoss> OldLayoutLossOfImage(Ui& ui, ByteView newLayout, Placement placement, std::uint8_t productType);

// The loss of the open database as Save would write it (without padding: the
// padding records hold no one's input). Nothing is lost with placement 1 or
// 2, whose databases are always written in the new layout.
std::optional<OldLayoutLoss> OldLayoutLossOfStore(Ui& ui, const WorkingStore& store, const SdbSession& session);

// The warning naming what the old layout would renumber or reset.
std::string OldLayoutWarning(const OldLayoutLoss& loss);

}  // namespace velk::sdb
