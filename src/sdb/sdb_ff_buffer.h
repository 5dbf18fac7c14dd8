#pragma once
// An output buffer that starts filled with 0xFF (the converters' filler) and
// grows, still with 0xFF, when a conversion needs more than was foreseen.
#include "common/bytes.h"

namespace velk::sdb {

class FfBuffer {
public:
    explicit FfBuffer(std::size_t size) : bytes_(size, 0xFF) {}

    // `size` bytes at `offset`, growing the buffer when needed.
    MutableByteView At(std::size_t offset, std::size_t size)
    {
        if (offset + size > bytes_.size())
            bytes_.resize(offset + size, 0xFF);
        return MutableByteView(bytes_).subspan(offset, size);
    }
    std::size_t Size() const { return bytes_.size(); }
    void Resize(std::size_t size) { bytes_.resize(size, 0xFF); }
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

}  // namespace velk::sdb
