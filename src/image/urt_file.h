#pragma once
// URT files: a prepared image cut into partitions and blocks, sent as a header
// packet and one data packet per block. All numbers big-endian.
#include "common/bytes.h"
#include "image/section_crcs.h"
#include "image/urt_settings.h"

#include <filesystem>

namespace velk {

// Results of GenerateUrtFile.
enum UrtResult : int {
    kUrtOk = 0,
    kUrtCreateError = 1,  // the input cannot be opened or the output cannot be created
    kUrtOpenError = 2,    // kept for the receiver tool's numbering; no temporary files are used
    kUrtReadError = 3,
    kUrtWriteError = 4,
};

// A packet: 0x02, 24-bit payload length, payload, 32-bit byte sum of the payload, 0x03.
void AppendUrtPacket(Bytes& file, ByteView payload);

// The whole URT file of an image that is already prepared for its region. Throws
// std::invalid_argument for settings that fail UrtSettingsUsable.
Bytes BuildUrtFile(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params);

// The same with the CRCs of the prepared image's partitions and of the whole image
// already known (see SectionedCrc).
Bytes BuildUrtFile(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params, const SectionCrcs& crcs);

// Writes `file` over `output` through a scratch file: kUrtOk, kUrtCreateError or kUrtWriteError.
int WriteUrtFile(const std::filesystem::path& output, ByteView file);

// Reads the image at `input`, prepares it by the settings' trailer flags and writes
// the URT file to `output`. Returns a UrtResult (unusable settings give
// kUrtCreateError); on failure `output` is untouched.
int GenerateUrtFile(const UrtSettings& settings, const std::filesystem::path& input, const std::filesystem::path& output,
                    const UrtImageParams& params);

}  // namespace velk
