#pragma once
// Finding an image inside the 0xFF bytes around it by the image's CRC-32: the bytes
// of a region say where its padding starts, not whether the image's own first or
// last bytes were 0xFF too.
#include "common/bytes.h"

#include <optional>
#include <utility>
#include <vector>

namespace velk {

struct ImagePlace {
    std::size_t start = 0;
    std::size_t length = 0;
};

// Images in `data` that start at `from` or, unless `startsAtFront`, anywhere in the
// run of 0xFF there up to the first other byte. Asked for images ending at ever later
// places, it reads each byte once (the reader of a combined image asks at every
// trailer it meets).
class ImageInPadding {
public:
    ImageInPadding(ByteView data, std::size_t from, bool startsAtFront);

    // The image with CRC-32/MPEG-2 `crc` that ends before `end`, anywhere in the run of
    // 0xFF before it: the shortest, and of those the one starting last; nullopt when
    // none has that CRC.
    std::optional<ImagePlace> Find(std::size_t end, std::uint32_t crc);

private:
    // The CRC from 0 over coreStart_ up to `position`.
    std::uint32_t Rest(std::size_t position);

    ByteView data_;
    std::size_t from_;
    std::size_t coreStart_;  // the first byte after the leading run
    std::vector<std::pair<std::uint32_t, std::size_t>> leads_;  // (register after a leading bytes, a), sorted
    // CRC from 0 over coreStart_ up to every kCheckpoint-th byte after it: any later
    // position is a short run from one.
    static constexpr std::size_t kCheckpoint = 64;
    std::vector<std::uint32_t> checkpoints_;
};

}  // namespace velk
