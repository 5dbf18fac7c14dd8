#include "image/resource_image.h"

#include "common/bytes.h"
#include "common/files.h"
#include "common/format.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

namespace velk {
namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kRootBodySize = 16;
constexpr std::size_t kRootCountOffset = kHeaderSize + 12;
constexpr std::size_t kNameOffset = 4;
constexpr std::size_t kNameSize = 12;
constexpr std::size_t kKindOffset = 15;  // shares the name field's last byte
constexpr std::size_t kSizeOffset = 24;
constexpr std::size_t kLengthOffset = 28;
constexpr std::uint8_t kDataKind = 18;
constexpr std::uint32_t kUnset = 0xFFFFFFFF;

bool HasMagic(ByteView header) { return header[0] == 'V' && header[1] == 'x'; }

bool NameIs(ByteView header, const char* name)
{
    const auto field = header.subspan(kNameOffset, kNameSize);
    const std::size_t length = std::strlen(name);
    return length < kNameSize && std::equal(name, name + length, field.begin()) && field[length] == 0;
}

// The resource image with its unset length words filled in, the number of data
// entries, and whether it starts with a root block; nullopt when an entry runs
// outside the file.
struct CopiedResource {
    Bytes bytes;
    std::uint32_t dataEntries = 0;
    bool root = false;
};

std::optional<CopiedResource> CopyEntries(const Bytes& resource)
{
    if (resource.size() < kHeaderSize || !HasMagic(resource))
        return std::nullopt;
    CopiedResource copy{resource, 0, NameIs(resource, "ROOT_BLOCK")};
    if (copy.root && LoadLe32(resource, kSizeOffset) < kHeaderSize + kRootBodySize)
        return std::nullopt;
    const auto length = static_cast<std::uint32_t>(resource.size());
    for (std::size_t pos = 0; pos < resource.size();) {
        if (resource.size() - pos < kHeaderSize)
            return std::nullopt;
        const ByteView header = ByteView(resource).subspan(pos, kHeaderSize);
        const std::uint32_t size = LoadLe32(header, kSizeOffset);
        if (size < kHeaderSize || size > resource.size() - pos)
            return std::nullopt;
        if (LoadLe32(header, kLengthOffset) == kUnset)
            StoreLe32(copy.bytes, pos + kLengthOffset, length);
        if (HasMagic(header) && header[kKindOffset] == kDataKind)
            ++copy.dataEntries;
        pos += size;
    }
    return copy;
}

void AppendDataEntry(Bytes& out, std::uint32_t number, ByteView body)
{
    const std::size_t padded = (body.size() + 3) / 4 * 4;
    Bytes header(kHeaderSize, 0);
    header[0] = 'V';
    header[1] = 'x';
    StoreLe16(header, 2, 1);
    const std::string name = Format("DAT_RES_%u", number).substr(0, kNameSize);
    std::ranges::copy(name, header.begin() + kNameOffset);
    header[kKindOffset] = kDataKind;
    StoreLe32(header, 16, kUnset);
    StoreLe16(header, 20, 0x0300);
    StoreLe32(header, kSizeOffset, static_cast<std::uint32_t>(kHeaderSize + padded));
    StoreLe32(header, kLengthOffset, kUnset);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), body.begin(), body.end());
    out.resize(out.size() + padded - body.size(), 0);
}

}  // namespace

int MergeResourceImage(const std::filesystem::path& resource, const std::filesystem::path& sdb, const std::filesystem::path& output)
{
    const std::optional<Bytes> resourceBytes = ReadFileBytes(resource);
    const std::optional<Bytes> sdbBytes = ReadFileBytes(sdb);
    if (!resourceBytes || !sdbBytes)
        return kMergeSourceError;
    AtomicFile out(output);
    if (!out.IsOpen())
        return kMergeOutputError;
    std::optional<CopiedResource> copy = CopyEntries(*resourceBytes);
    if (!copy)
        return kMergeInvalid;
    if (copy->root)
        StoreLe32(copy->bytes, kRootCountOffset, LoadLe32(copy->bytes, kRootCountOffset) + 1);
    AppendDataEntry(copy->bytes, copy->dataEntries, *sdbBytes);
    return out.Write(copy->bytes) && out.Commit() ? kMergeDone : kMergeOutputError;
}

}  // namespace velk
