#pragma once
// URT files: a prepared image cut into partitions and blocks, sent as a header
// packet and one data packet per block. All numbers big-endian.
#include "common/bytes.h"
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

// The header packet's payload for `prepared`: settings IDs, image values, local time
// of the settings, start and end address from `params`, the partition table and the
// CRC-32/MPEG-2 of the whole prepared image.
Bytes UrtHeaderPayload(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params);

// The whole URT file of an image that is already prepared for its region.
Bytes BuildUrtFile(ByteView prepared, const UrtSettings& settings, const UrtImageParams& params);

// Writes `file` over `output` through a scratch file: kUrtOk, kUrtCreateError or kUrtWriteError.
int WriteUrtFile(const std::filesystem::path& output, ByteView file);

// Reads the image at `input`, prepares it by the settings' trailer flags and writes
// the URT file to `output`. Returns a UrtResult; on failure `output` is untouched.
int GenerateUrtFile(const UrtSettings& settings, const std::filesystem::path& input, const std::filesystem::path& output,
                    const UrtImageParams& params);

}  // namespace velk
