// The file forms of the two converters.
#include "common/files.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_diagnostic.h"
#include "sdb/sdb_format.h"

#include <new>

namespace velk::sdb {
namespace {

template <typename Convert>
std::uint32_t ConvertFile(const std::filesystem::path& input, const std::filesystem::path& output, Convert convert)
{
    const auto data = ReadFile(input);
    if (!data) {
        Diagnose(__LINE__, "%s %d> Could not open Files [%s] [%s]", input.c_str(), output.c_str());
        DiagnoseCause(data.error());
        return kConvertNotOpened;
    }
    std::optional<Bytes> converted;
    try {
        converted = convert(ByteView(*data));
    } catch (const std::bad_alloc&) {
        Diagnose(__LINE__, "%s %d> Malloc fails [%d]", static_cast<int>(data->size()));
        return kConvertFailed;
    }
    if (!converted)
        return kConvertFailed;
    if (const Outcome written = WriteFile(output, *converted); !written) {
        Diagnose(__LINE__, "%s %d> Could not open Files [%s] [%s]", input.c_str(), output.c_str());
        DiagnoseCause(written.error());
        return kConvertNotOpened;
    }
    return kConvertOk;
}

}  // namespace

std::uint32_t StaticDB_ConvertNew2Old(const std::filesystem::path& input, const std::filesystem::path& output,
                                      std::uint8_t productType)
{
    return ConvertFile(input, output, [&](ByteView in) { return ConvertNew2Old(in, productType); });
}

std::uint32_t StaticDB_ConvertOld2New(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output,
                                      std::uint8_t productType)
{
    return ConvertFile(input, output, [&](ByteView in) -> std::optional<Bytes> {
        auto result = ConvertOld2New(ui, in, productType);
        if (result.code != kConvertOk)
            return std::nullopt;
        return std::move(result.data);
    });
}

}  // namespace velk::sdb
