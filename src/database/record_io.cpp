#include "database/record_io.h"

#include "common/files.h"

#include <fstream>

namespace velk {

std::optional<Bytes> ReadFileRange(const std::filesystem::path& path, std::uint64_t offset, std::size_t size)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    Bytes data(size, 0);
    in.seekg(static_cast<std::streamoff>(offset));
    if (in)
        in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size));
    return data;  // a short read leaves the zeros in place
}

bool WriteFileRange(const std::filesystem::path& path, std::uint64_t offset, ByteView data, bool create)
{
    if (create) {
        Bytes whole(offset + data.size(), 0);
        std::copy(data.begin(), data.end(), whole.begin() + static_cast<std::ptrdiff_t>(offset));
        return WriteFileAtomic(path, whole);
    }
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!out) {
        out.open(path, std::ios::binary | std::ios::out);
        if (!out)
            return false;
    }
    out.seekp(static_cast<std::streamoff>(offset));
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.flush();
    return static_cast<bool>(out);
}

Bytes EncodeAll(std::size_t recordSize, std::size_t count, const std::function<Bytes(std::size_t)>& encode)
{
    Bytes out;
    out.reserve(recordSize * count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto record = encode(i);
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

std::optional<std::vector<std::uint16_t>> ReadOrderList(const WorkingStore& store, std::string_view name)
{
    const auto bytes = ReadFileBytes(store.File(name));
    if (!bytes)
        return std::nullopt;
    std::vector<std::uint16_t> entries(bytes->size() / 2);
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = LoadLe16(*bytes, 2 * i);
    return entries;
}

bool WriteOrderList(const WorkingStore& store, std::string_view name, std::span<const std::uint16_t> entries)
{
    Bytes bytes(entries.size() * 2);
    for (std::size_t i = 0; i < entries.size(); ++i)
        StoreLe16(bytes, 2 * i, entries[i]);
    return WriteFileAtomic(store.File(name), bytes);
}

bool RemoveRecordFromFile(const WorkingStore& store, std::string_view name, std::size_t recordSize, std::uint32_t n)
{
    auto bytes = ReadFileBytes(store.File(name));
    if (!bytes || n < 1)
        return false;
    const std::size_t begin = std::size_t{n - 1} * recordSize;
    if (begin >= bytes->size())
        return false;
    const std::size_t end = std::min(bytes->size(), begin + recordSize);
    bytes->erase(bytes->begin() + static_cast<std::ptrdiff_t>(begin), bytes->begin() + static_cast<std::ptrdiff_t>(end));
    // The scratch file is written completely before it takes the record file's name.
    const auto scratch = store.File(store_file::kScratch);
    if (!WriteFileAtomic(scratch, *bytes))
        return false;
    std::error_code ec;
    std::filesystem::rename(scratch, store.File(name), ec);
    return !ec;
}

}  // namespace velk
