#pragma once
// A sticky-error reader for outside data: every field is read, a read past the
// end yields zero and clears Ok(), and the caller checks Ok() once at the end.
#include "common/bytes.h"

#include <cstring>
#include <string>

namespace velk {

class ByteReader {
public:
    explicit ByteReader(ByteView data) : data_(data) {}

    std::uint8_t U8() { return Take(1) ? data_[pos_ - 1] : 0; }
    std::uint16_t Le16() { return Take(2) ? LoadLe16(data_, pos_ - 2) : 0; }
    std::uint32_t Le24() { return Take(3) ? LoadLe24(data_, pos_ - 3) : 0; }
    std::uint32_t Le32() { return Take(4) ? LoadLe32(data_, pos_ - 4) : 0; }
    std::uint16_t Be16() { return Take(2) ? LoadBe16(data_, pos_ - 2) : 0; }
    std::uint32_t Be32() { return Take(4) ? LoadBe32(data_, pos_ - 4) : 0; }
    ByteView Span(std::size_t count) { return Take(count) ? data_.subspan(pos_ - count, count) : ByteView{}; }
    void Skip(std::size_t count) { Take(count); }

    bool Ok() const { return ok_; }
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

private:
    bool Take(std::size_t count)
    {
        if (!ok_ || count > Remaining()) {
            ok_ = false;
            return false;
        }
        pos_ += count;
        return true;
    }

    ByteView data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// Appends little- and big-endian fields to a growing buffer.
class ByteWriter {
public:
    void U8(std::uint8_t v) { out_.push_back(v); }
    void Le16(std::uint16_t v) { StoreLe16(Grow(2), 0, v); }
    void Le24(std::uint32_t v) { StoreLe24(Grow(3), 0, v); }
    void Le32(std::uint32_t v) { StoreLe32(Grow(4), 0, v); }
    void Be16(std::uint16_t v) { StoreBe16(Grow(2), 0, v); }
    void Be32(std::uint32_t v) { StoreBe32(Grow(4), 0, v); }
    void Append(ByteView bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    void Fill(std::uint8_t value, std::size_t count) { out_.insert(out_.end(), count, value); }

    const Bytes& Data() const { return out_; }
    Bytes Take() { return std::move(out_); }
    std::size_t Size() const { return out_.size(); }

private:
    MutableByteView Grow(std::size_t count)
    {
        out_.resize(out_.size() + count);
        return MutableByteView(out_).last(count);
    }

    Bytes out_;
};

}  // namespace velk
