#pragma once
// Configuration (ECF) files for the tests, built part by part.
#include "link/upload_config.h"

#include <string>

namespace velk::test {

// Builds an ECF file part by part, each part's header pointing at the next.
class EcfBuilder {
public:
    explicit EcfBuilder(std::uint16_t groups) : data_(24, 0)
    {
        data_[0] = 'e';
        data_[1] = 'C';
        StoreLe16(data_, 14, groups);
    }
    void Group(std::uint8_t product, std::uint16_t entries)
    {
        Bytes g(8, 0);
        g[0] = product;
        StoreLe16(g, 2, entries);
        Append(g);
    }
    void Entry(const std::string& name, bool image, bool partitions, bool extra)
    {
        Bytes e(140, 0);
        std::copy(name.begin(), name.end(), e.begin());
        e[128] = extra;
        e[129] = partitions;
        e[130] = image;
        e[131] = 0x31;
        e[132] = 0x32;
        Append(e);
    }
    void Part(ByteView body, std::uint8_t byte9 = 0)
    {
        Bytes h(16, 0);
        h[9] = byte9;
        StoreLe32(h, 12, static_cast<std::uint32_t>(data_.size() + 16 + body.size()));
        Append(h);
        Append(body);
    }
    // An image record part followed by its resource image (the next part begins after both).
    void ImagePart(const UrtImageParams& params, const Bytes& resource)
    {
        const auto record = link::ImageRecordFromParams(params, resource.empty() ? std::nullopt : std::optional<std::uint32_t>(static_cast<std::uint32_t>(resource.size())));
        Bytes h(16, 0);
        StoreLe32(h, 12, static_cast<std::uint32_t>(data_.size() + 16 + record.size() + resource.size()));
        Append(h);
        Append(record);
        Append(resource);
    }
    const Bytes& Data() const { return data_; }

private:
    void Append(ByteView b) { data_.insert(data_.end(), b.begin(), b.end()); }
    Bytes data_;
};

inline UrtImageParams Params(const std::string& text, std::uint32_t start)
{
    UrtImageParams p;
    p.imageType = 2;
    p.destinationCode = 7;
    p.manufacturerId = 162;
    p.loaderText = text;
    p.startAddress = start;
    p.endAddress = start + 0x10000;
    p.swMajor = 3;
    p.hwMajor = 1;
    return p;
}

}  // namespace velk::test
